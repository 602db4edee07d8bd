#!/usr/bin/env bash
# Builds TagForge and starts it, optionally opening the file given as the first argument.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
bash "$top/scripts/build.sh"
exec "$top/build/tagforge" "$@"
