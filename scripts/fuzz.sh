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
log="$build/fuzz-$target.log"
echo "fuzzing $target for $seconds s (log: $log)"
set +e
nice -n 19 "$build/fuzz/fuzz_$target" "$corpus" -max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 \
    -max_len="$max_len" -dict=fuzz/html.dict -jobs=1 -workers=1 -print_final_stats=1 \
    -artifact_prefix="$artifacts/" >"$log" 2>&1
status=$?
set -e
# With -jobs the worker writes its own log.
[ -f fuzz-0.log ] && mv fuzz-0.log "$build/fuzz-$target.worker.log"
worker="$build/fuzz-$target.worker.log"
[ -f "$worker" ] || worker="$log"
grep -E '^#[0-9]+' "$worker" | tail -n 1
grep -E '^stat::' "$worker" || true
echo "corpus: $(find "$corpus" -type f | wc -l) files; findings: $(find "$artifacts" -type f | wc -l)"
exit $status
