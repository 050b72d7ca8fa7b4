#!/usr/bin/env bash
# Runs every benchmark of a build:  scripts/run-bench.sh BUILD_DIR [benchmark args...]
# Builds the photo corpus first (bench/make-corpus: large photos made from
# Debian's wallpaper packages with ImageMagick and exiftool); without it the
# photo benchmarks skip.
set -euo pipefail
build=${1:?usage: run-bench.sh BUILD_DIR [benchmark args...]}
shift
root=$(cd "$(dirname "$0")/.." && pwd)
if corpus=$("$root/bench/make-corpus" "${TESSERA_CORPUS:-/tmp/tessera-corpus}"); then
    export TESSERA_CORPUS=$(tail -n 1 <<<"$corpus")
else
    echo "run-bench: the photo corpus could not be built; photo benchmarks will skip" >&2
fi
shopt -s nullglob
status=0
for bench in "$build"/bench/*_bench; do
    [[ -x $bench ]] || continue
    echo "== $(basename "$bench")"
    QT_QPA_PLATFORM=offscreen "$bench" "$@" || status=1
done
exit $status
