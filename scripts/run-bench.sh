#!/usr/bin/env bash
# Runs every benchmark of a build:  scripts/run-bench.sh BUILD_DIR [benchmark args...]
# Builds the photo corpus first when the corpus script is there (it needs
# ImageMagick and exiftool, and fetches wallpapers from Debian's packages).
set -euo pipefail
build=${1:?usage: run-bench.sh BUILD_DIR [benchmark args...]}
shift
root=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
corpus_script="$root/../shared/bench/make-corpus"
if [[ -x $corpus_script || -f $corpus_script ]]; then
    TESSERA_CORPUS=$(bash "$corpus_script" "${TESSERA_CORPUS:-/tmp/tessera-corpus}" | tail -n 1) \
        || echo "run-bench: corpus could not be built; photo benchmarks will skip" >&2
    export TESSERA_CORPUS
else
    echo "run-bench: $corpus_script not found; photo benchmarks will skip" >&2
fi
shopt -s nullglob
status=0
for bench in "$build"/bench/*_bench; do
    [[ -x $bench ]] || continue
    echo "== $(basename "$bench")"
    QT_QPA_PLATFORM=offscreen "$bench" "$@" || status=1
done
exit $status
