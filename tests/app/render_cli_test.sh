#!/usr/bin/env bash
# `tessera render` as a script sees it: a failure is one line on the standard
# error that names the file once, whatever the image libraries print; an
# output of "-" is the image on the standard output, and no file named "-".
#   render_cli_test.sh TESSERA_BINARY
set -u
tessera=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
printf '4,3\n0,0,1,1:L:*\n' > t.fdd
printf '\x89PNG\r\n\x1a\n\0\0\0\rIHDR' > broken.png
status=0

"$tessera" render --template t.fdd --photo broken.png --output out.png 2> err
rc=$?
if [[ $rc != 1 || $(wc -l < err) != 1 || $(grep -o broken.png err | wc -l) != 1 ]]; then
    echo "a broken photo: exit $rc, standard error:" >&2
    cat err >&2
    status=1
fi

"$tessera" render --template t.fdd --width 64 --output - > std.png 2> err || status=1
if [[ $(head -c 4 std.png | od -An -c | tr -d ' ') != '211PNG' || -e ./- || -s err ]]; then
    echo "--output - gave no PNG on the standard output" >&2
    cat err >&2
    status=1
fi
exit $status
