#!/usr/bin/env bash
# The benchmark suite in one command: peers, Release build, corpus, every benchmark, one table.
#
#   bench/run.sh [--corpus DIR] [--build DIR] [--jobs N] [--no-install] [--no-real]
#
# --corpus DIR   where the corpus lives or is generated (default: bench/corpus, or $TAGFORGE_BENCH_CORPUS)
# --build DIR    the Release build directory for the benchmarks (default: build-bench)
# --jobs N       compile jobs for that build (default: 1, or $TAGFORGE_JOBS)
# --no-install   do not try to install the peers (tidy, xmllint) with apt-get
# --no-real      skip the informational rows on real_100M.html
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
corpus="${TAGFORGE_BENCH_CORPUS:-$repo/bench/corpus}"
build="$repo/build-bench"
jobs="${TAGFORGE_JOBS:-1}"
install=1
real=1
while [ $# -gt 0 ]; do
    case "$1" in
        --corpus) corpus="$2"; shift 2 ;;
        --build) build="$2"; shift 2 ;;
        --jobs) jobs="$2"; shift 2 ;;
        --no-install) install=0; shift ;;
        --no-real) real=0; shift ;;
        -h|--help) sed -n '2,10p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//'; exit 0 ;;
        *) echo "run.sh: unknown option $1" >&2; exit 2 ;;
    esac
done
case "$corpus" in /*) ;; *) corpus="$PWD/$corpus" ;; esac
case "$build" in /*) ;; *) build="$PWD/$build" ;; esac

say() { echo "== $*" >&2; }

# ---- peers: installed when missing and we may (root, or sudo without a password) ----
if [ "$install" = 1 ] && { ! command -v tidy >/dev/null || ! command -v xmllint >/dev/null; }; then
    sudo=""
    if [ "$(id -u)" != 0 ]; then
        if sudo -n true 2>/dev/null; then sudo="sudo -n"; else sudo="none"; fi
    fi
    if [ "$sudo" != none ]; then
        say "installing the peers (tidy, libxml2-utils)"
        { $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq tidy libxml2-utils; } >&2 \
            || say "could not install the peers; their columns stay empty"
    else
        say "tidy or xmllint missing and no root: their columns stay empty"
    fi
fi

# ---- build: Release, its own directory, $jobs compile jobs ----
# Builds on a shared machine take turns through one lock, when flock is there.
say "building the benchmarks (Release) in $build, $jobs job(s)"
cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAGFORGE_BUILD_BENCH=ON >/dev/null
lock=()
command -v flock >/dev/null && lock=(flock /tmp/tf-build.lock)
"${lock[@]}" cmake --build "$build" -j"$jobs" --target bench_editor bench_search bench_analysis bench_window bench_doctools >&2

# ---- corpus: generated once, reused while present ----
gen="$repo/../shared/bench/gen_corpus.py"
need_main=0
for f in synth_10M.html synth_100M.html min_5M.html unclosed_2M.html; do
    [ -s "$corpus/$f" ] || need_main=1
done
if [ "$real" = 1 ] && [ ! -s "$corpus/real_100M.html" ]; then need_main=1; fi
if [ "$need_main" = 1 ] || [ ! -s "$corpus/unclosed_4M.html" ]; then
    [ -f "$gen" ] || { echo "run.sh: $gen not found (shared/ must lie beside the repository)" >&2; exit 1; }
    mkdir -p "$corpus"
fi
if [ "$need_main" = 1 ]; then
    say "generating the corpus in $corpus"
    real_opt=()
    [ "$real" = 1 ] && real_opt=(--real)
    python3 "$gen" --outdir "$corpus" "${real_opt[@]}" >&2
fi
if [ ! -s "$corpus/unclosed_4M.html" ]; then
    # A run of its own writes its own manifest: generate aside, keep the main manifest whole.
    say "generating unclosed_4M.html"
    aside="$(mktemp -d)"
    python3 "$gen" --outdir "$aside" --sizes "" --minified 0 --unclosed 4M >&2
    mv "$aside/unclosed_4M.html" "$corpus/"
    grep '^unclosed_4M' "$aside/MANIFEST.txt" >> "$corpus/MANIFEST.txt" || true
    rm -rf "$aside"
fi

# ---- run everything and print the table ----
real_arg=()
[ "$real" = 0 ] && real_arg=(--no-real)
exec python3 "$repo/bench/runbench.py" --bin "$build/bench" --corpus "$corpus" "${real_arg[@]}"
