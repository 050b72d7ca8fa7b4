#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a system gets:
# every file in its place, valid desktop files, and an installed program that
# renders a shipped template from the installed resources.
#   check-install.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1
app_id=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

status=0
need() {
    if [[ ! -e $prefix/$1 ]]; then
        echo "missing from the install: $1" >&2
        status=1
    fi
}
need bin/tessera
need share/applications/$app_id.desktop
need share/metainfo/$app_id.metainfo.xml
need share/mime/packages/$app_id.xml
need share/icons/hicolor/scalable/apps/$app_id.svg
for language in en zh_CN; do
    need share/tessera/resources/translations/tessera_$language.qm
    need share/tessera/resources/help/$language/index.html
done
for folder in Templates Borders Backgrounds images; do
    need share/tessera/resources/$folder
done
if find "$prefix" -name '*.ts' | grep -q .; then
    echo "translation sources were installed:" $(find "$prefix" -name '*.ts') >&2
    status=1
fi

# The MIME entry must be one that update-mime-database accepts and maps
# *.tessera to.
if command -v update-mime-database >/dev/null; then
    # It warns that this scratch folder is not searched; only failures count.
    update-mime-database "$prefix/share/mime" 2>/dev/null || {
        echo "update-mime-database refused the MIME entry" >&2
        status=1
    }
    grep -q 'tessera' "$prefix/share/mime/globs2" || {
        echo "*.tessera is not in the MIME globs" >&2
        status=1
    }
fi

# Every help page links only to pages and files that are shipped.
for page in "$prefix"/share/tessera/resources/help/*/*.html; do
    dir=$(dirname "$page")
    while read -r target; do
        [[ $target == http* || $target == mailto:* || $target == \#* ]] && continue
        [[ -e $dir/${target%%#*} ]] || {
            echo "$page links to missing $target" >&2
            status=1
        }
    done < <(grep -oE '(href|src)="[^"]+"' "$page" | sed -E 's/^(href|src)="([^"]+)"$/\2/')
done

template=$(find "$prefix/share/tessera/resources/Templates" -name '*.fdd' | sort | head -n 1)
env -u TESSERA_RESOURCES "$prefix/bin/tessera" render --template "$template" --width 200 \
    --output "$prefix/out.png"
[[ -s $prefix/out.png ]] || { echo "the installed program rendered nothing" >&2; status=1; }
exit $status
