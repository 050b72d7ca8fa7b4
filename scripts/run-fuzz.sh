#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build (make fuzz) for SECONDS each, default
# 60. Each target keeps its corpus in fuzz-corpus/<name>, seeded from the
# shipped border and template files and the documents of fuzz/seeds, and uses
# fuzz/<reader>.dict when there is one. Exits non-zero when a target crashed;
# the inputs that crashed it are kept in fuzz-corpus/<name>-crashes/ and
# should become regression tests.
#
#   scripts/run-fuzz.sh BUILD_DIR [SECONDS]
set -euo pipefail

if [[ $# -lt 1 || $# -gt 2 ]]; then
    echo "usage: $0 BUILD_DIR [SECONDS]" >&2
    exit 2
fi
build=$1
seconds=${2:-60} # make passes an empty FUZZ_SECONDS when none is given
if ! [[ $seconds =~ ^[0-9]+$ ]]; then
    echo "$0: SECONDS must be a whole number, not '$seconds'" >&2
    exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)

targets=()
if [[ -d $build/fuzz ]]; then
    while IFS= read -r -d '' target; do
        targets+=("$target")
    done < <(find "$build/fuzz" -maxdepth 1 -type f -perm -u+x -name '*_fuzz' -print0 | sort -z)
fi
if [[ ${#targets[@]} -eq 0 ]]; then
    echo "$0: no fuzz targets in $build/fuzz (configure with CXX=clang++ -DTESSERA_FUZZ=ON)" >&2
    exit 1
fi

seeds=()
while IFS= read -r -d '' seed; do
    seeds+=("$seed")
done < <(find "$root/resources/Borders" "$root/resources/Templates" "$root/fuzz/seeds" -type f \
    \( -iname '*.bdr' -o -iname '*.fdd' -o -iname '*.tessera' \) -print0 2>/dev/null | sort -z)

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

failed=()
for target in "${targets[@]}"; do
    name=$(basename "$target")
    corpus=$root/fuzz-corpus/$name
    crashes=$root/fuzz-corpus/$name-crashes
    mkdir -p "$corpus" "$crashes"
    # Seeds are named by content so that reruns and equal base names in
    # different folders never clash.
    for seed in "${seeds[@]}"; do
        cp -f "$seed" "$corpus/seed-$(sha1sum <"$seed" | cut -c1-16)"
    done
    options=(-max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 -print_final_stats=1
             -artifact_prefix="$crashes/")
    dict=$root/fuzz/${name%_fuzz}.dict
    [[ -f $dict ]] && options+=(-dict="$dict")

    echo "== $name for ${seconds}s, corpus $corpus"
    if ! "$target" "${options[@]}" "$corpus"; then
        echo "== $name FAILED; reproducers in $crashes" >&2
        failed+=("$name")
    fi
done

if [[ ${#failed[@]} -gt 0 ]]; then
    echo "== crashed: ${failed[*]}" >&2
    exit 1
fi
echo "== every fuzz target ran ${seconds}s without a crash"
