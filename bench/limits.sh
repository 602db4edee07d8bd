#!/usr/bin/env bash
# Very large pages in the real window: each opened, coloured, given its tree, checked for syntax
# and links, and closed, in a process of its own; one row per page.
#
#   bench/limits.sh [--corpus DIR] [--build DIR] [--jobs N]
#
# --corpus DIR   where the pages live or are written (default: bench/corpus, or $TAGFORGE_BENCH_CORPUS)
# --build DIR    the Release build directory (default: build-bench)
# --jobs N       compile jobs for that build (default: 1, or $TAGFORGE_JOBS)
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
corpus="${TAGFORGE_BENCH_CORPUS:-$repo/bench/corpus}"
build="$repo/build-bench"
jobs="${TAGFORGE_JOBS:-1}"
while [ $# -gt 0 ]; do
    case "$1" in
        --corpus) corpus="$2"; shift 2 ;;
        --build) build="$2"; shift 2 ;;
        --jobs) jobs="$2"; shift 2 ;;
        -h|--help) sed -n '2,9p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//'; exit 0 ;;
        *) echo "limits.sh: unknown option $1" >&2; exit 2 ;;
    esac
done

echo "== building bench_window (Release) in $build" >&2
cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAGFORGE_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j"$jobs" --target bench_window >&2
echo "== writing the pages into $corpus (kept for later runs)" >&2
python3 "$repo/bench/gen_limits.py" "$corpus"

export QT_QPA_PLATFORM=offscreen TAGFORGE_NO_BROWSER=1
printf '%-24s %8s %8s %11s %8s %11s %8s %11s %8s %9s %9s %9s\n' page "file MB" "open s" "open frz ms" "check s" \
    "check frz" "links s" "links frz" "close s" "open MB" "peak MB" "after MB"
for page in limits_1G limits_line_50M limits_nested_100k limits_links_1M; do
    line=$("$build/bench/bench_window" limits "$corpus/$page.html" 2>/dev/null | grep '^BENCH' || true)
    if [ -z "$line" ]; then
        echo "$page: no result (the run failed)"
        continue
    fi
    get() { tr '\t' '\n' <<<"$line" | sed -n "s/^$1=//p"; }
    printf '%-24s %8s %8s %11s %8s %11s %8s %11s %8s %9s %9s %9s\n' "$page" "$(get file_mb)" "$(get open_s)" \
        "$(get open_freeze_ms)" "$(get check_s)" "$(get check_freeze_ms)" "$(get links_s)" "$(get links_freeze_ms)" \
        "$(get close_s)" "$(get open_rss_mb)" "$(get peak_rss_mb)" "$(get closed_rss_mb)"
done
