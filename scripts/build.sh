#!/usr/bin/env bash
# Installs what is missing, then configures and builds TagForge into build/ (Ninja, ccache when present).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=${TAGFORGE_JOBS:-2}
if [ ! -f build/build.ninja ]; then
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo}
fi
cmake --build build -j "$jobs"
