#!/usr/bin/env bash
# Builds one libFuzzer harness with clang and runs it for SECONDS on a corpus seeded from
# fuzz/seeds/TARGET and the HTML pages under /usr/share/doc. Findings land in
# build-fuzz/artifacts/TARGET/; the grown corpus stays in build-fuzz/corpus/TARGET/.
#   scripts/fuzz.sh TARGET SECONDS      TARGET: highlighter parser validator includes decoding
# Environment: FUZZ_BUILD_PREFIX (a command to run the build under), FUZZ_BUILD_JOBS (default 1).
set -euo pipefail
cd "$(dirname "$0")/.."

targets="highlighter parser validator includes decoding"
target="${1:-}"
seconds="${2:-}"
if [[ -z "$target" || ! " $targets " =~ " $target " || ! "$seconds" =~ ^[0-9]+$ ]]; then
    echo "usage: scripts/fuzz.sh TARGET SECONDS   (TARGET: $targets)" >&2
    exit 2
fi

bash scripts/install-deps.sh
fuzz_packages=(clang-14 libclang-rt-14-dev)
missing=()
for p in "${fuzz_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get update -qq
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
fi

build=build-fuzz
if [ ! -f "$build/build.ninja" ]; then
    CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAGFORGE_FUZZ=ON
fi
${FUZZ_BUILD_PREFIX:-} cmake --build "$build" -j "${FUZZ_BUILD_JOBS:-1}" --target "fuzz_$target"

corpus="$build/corpus/$target"
artifacts="$build/artifacts/$target"
mkdir -p "$corpus" "$artifacts"
cp -n fuzz/seeds/"$target"/* "$corpus"/ 2>/dev/null || true
# Real pages as a start: the small ones, each under a name of its own.
if [ -d /usr/share/doc ] && [ -z "$(find "$corpus" -name 'doc-*' -print -quit)" ]; then
    find /usr/share/doc -name '*.html' -size -24k -type f 2>/dev/null | sort | head -n 300 |
        while read -r page; do cp "$page" "$corpus/doc-$(echo "$page" | md5sum | cut -c1-12).html"; done
fi

max_len=4096
[ "$target" = parser ] || [ "$target" = validator ] && max_len=16384
binary="$build/fuzz/fuzz_$target"
log="$build/fuzz-$target.log"
: >"$log"
rm -f "$log.worker"
echo "fuzzing $target for $seconds s (log: $log)"

# One run until the time is up or a finding stops it. A timeout that does not happen again
# when its input runs alone (of three tries) came from a busy machine: it is set aside under slow/ and the run
# goes on with the grown corpus for the time left. Anything else ends the run.
deadline=$(( $(date +%s) + seconds ))
runs=0
status=0
while :; do
    left=$(( deadline - $(date +%s) ))
    [ "$left" -gt 0 ] || break
    before=$(find "$artifacts" -maxdepth 1 -type f | wc -l)
    touch "$build/fuzz-$target.mark"
    set +e
    nice -n 19 "$binary" "$corpus" -max_total_time="$left" -timeout=1 -rss_limit_mb=2048 \
        -max_len="$max_len" -dict=fuzz/html.dict -jobs=1 -workers=1 -print_final_stats=1 \
        -artifact_prefix="$artifacts/" >>"$log" 2>&1
    status=$?
    set -e
    # With -jobs the worker writes a log of its own in the current folder.
    segment=fuzz-0.log
    [ -f "$segment" ] || segment="$log"
    # Runs of this stretch: the final count, or the last progress line when it stopped on a finding.
    executed=$(grep -E '^stat::number_of_executed_units' "$segment" | tail -n 1 | awk '{print $2}')
    [ -n "$executed" ] || executed=$(grep -oE '^#[0-9]+' "$segment" | tail -n 1 | tr -d '#')
    runs=$(( runs + ${executed:-0} ))
    if [ -f fuzz-0.log ]; then cat fuzz-0.log >>"$log.worker"; rm -f fuzz-0.log; fi
    [ "$status" -eq 0 ] && break
    found=$(find "$artifacts" -maxdepth 1 -type f -newer "$build/fuzz-$target.mark" | head -n 1)
    [ "$(find "$artifacts" -maxdepth 1 -type f | wc -l)" -gt "$before" ] || break
    case "$(basename "$found")" in
    timeout-*)
        # Tried three times: a busy machine can stall the repeat as well.
        if nice -n 19 "$binary" -timeout=1 "$found" >/dev/null 2>&1 ||
            nice -n 19 "$binary" -timeout=1 "$found" >/dev/null 2>&1 ||
            nice -n 19 "$binary" -timeout=1 "$found" >/dev/null 2>&1; then
            mkdir -p "$artifacts/slow"
            mv "$found" "$artifacts/slow/"
            echo "a timeout that does not repeat alone (busy machine): $(basename "$found"), going on"
            continue
        fi
        ;;
    esac
    echo "finding: $found"
    break
done

# A harness stopped by a timeout leaves its scratch folder behind.
[ "$target" = includes ] && rm -rf "${TMPDIR:-/tmp}"/tagforge-fuzz-includes-*
worker="$log.worker"
[ -f "$worker" ] || worker="$log"
grep -E '^#[0-9]+' "$worker" | tail -n 1
echo "runs: $runs in $seconds s ($(( runs / (seconds > 0 ? seconds : 1) )) per second)"
echo "corpus: $(find "$corpus" -type f | wc -l) files; findings: $(find "$artifacts" -maxdepth 1 -type f | wc -l); slow on a busy machine: $(find "$artifacts/slow" -type f 2>/dev/null | wc -l)"
exit $status
