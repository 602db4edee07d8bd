#!/usr/bin/env bash
# Checks every HTML page under a folder (default /usr/share/doc) with "tagforge --check" in one
# call on every core, and with one process per file, beside "tidy -q -e" over the same files.
#
#   bench/doc_check.sh [--build DIR] [FOLDER]
#
# --build DIR   the build holding the tagforge program (default: build)
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$repo/build"
folder=/usr/share/doc
while [ $# -gt 0 ]; do
    case "$1" in
        --build) build="$2"; shift 2 ;;
        -h|--help) sed -n '2,7p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//'; exit 0 ;;
        *) folder="$1"; shift ;;
    esac
done
tf="$build/tagforge"
[ -x "$tf" ] || { echo "doc_check.sh: $tf not built" >&2; exit 1; }

list="$(mktemp)"
timing="$(mktemp)"
trap 'rm -f "$list" "$timing"' EXIT
# The files tagforge's folder walk takes: .html, .htm and .htc, regular files and links to them.
find -L "$folder" -type f \( -iname '*.html' -o -iname '*.htm' -o -iname '*.htc' \) -print0 2>/dev/null \
    | sort -z > "$list"
files=$(tr -cd '\0' < "$list" | wc -c)
bytes=$(xargs -0 cat < "$list" | wc -c)

# Best of three wall-clock times, in seconds; the command's output is thrown away.
best() {
    local t best=""
    for _ in 1 2 3; do
        /usr/bin/time -f '%e %M' -o "$timing" "$@" >/dev/null 2>&1 || true
        t=$(tail -1 "$timing")
        if [ -z "$best" ] || awk -v a="${t% *}" -v b="${best% *}" 'BEGIN { exit !(a < b) }'; then best="$t"; fi
    done
    echo "$best"
}
row() { printf '| %-52s | %8s s | %7s MB |\n' "$1" "${2% *}" "$(( ${2#* } / 1024 ))"; }

echo "$files files, $((bytes / 1024)) KB, under $folder, $(nproc) cores"
echo
echo "| command | time | peak RSS |"
echo "|---|---|---|"
row "tagforge --check FOLDER (one call, $(nproc) threads)" "$(best "$tf" --check "$folder")"
row "tagforge --check --jobs=1 FOLDER" "$(best "$tf" --check --jobs=1 "$folder")"
row "tagforge --check FILE..., one process per file" \
    "$(best sh -c 'xargs -0 -n1 "$0" --check < "$1"' "$tf" "$list")"
if command -v tidy >/dev/null; then
    row "tidy -q -e FILE... (one call)" "$(best sh -c 'xargs -0 tidy -q -e < "$0"' "$list")"
    row "tidy -q -e FILE, one process per file" "$(best sh -c 'xargs -0 -n1 tidy -q -e < "$0"' "$list")"
else
    echo "(tidy not installed: apt-get install tidy)"
fi
row "tagforge --version" "$(best "$tf" --version)"
