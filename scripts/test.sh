#!/usr/bin/env bash
# Builds TagForge and runs every test headlessly through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
ctest --test-dir build --output-on-failure -j "${TAGFORGE_JOBS:-2}" "$@"
