#!/usr/bin/env bash
# Fails when a file under */core/ includes a header of Qt GUI, Qt Widgets or the browser engine:
# core code links Qt Core only and is tested without a display.
#   check_core_headers.sh SOURCE_DIR QT_INCLUDE_DIR
set -euo pipefail
src="$1"
qt="$2"
bad=0
while IFS= read -r -d '' file; do
    while IFS= read -r header; do
        name="${header#*/}"
        for module in "$qt"/QtGui "$qt"/QtWidgets "$qt"/QtWebEngine* "$qt"/QtPrintSupport "$qt"/QtOpenGL; do
            [ -d "$module" ] || continue
            if [ "${header%%/*}" = "$(basename "$module")" ] || { [ "$header" = "$name" ] && [ -e "$module/$name" ]; }; then
                echo "${file#"$src"/}: includes <$header> ($(basename "$module"))"
                bad=1
            fi
        done
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*<\([^>]*\)>.*/\1/p' "$file")
done < <(find "$src" -path "$src/build*" -prune -o -path '*/core/*' \( -name '*.h' -o -name '*.cpp' \) -print0)
if [ "$bad" = 0 ]; then
    echo "core files include Qt Core only"
fi
exit "$bad"
