#!/usr/bin/env bash
# The whole program killed while a collage is being edited, and started again:
# the next start offers the autosaved collage, and the collage it restores is
# the one autosaved last.
#
#   tests/app/crashrestore.sh PATH/TO/tessera
#
# Runs the editor on its own Xvfb display and moves a print with the mouse
# through xdotool; exits 77 (skipped) when either is missing. Every wait polls
# for what it waits for, with a generous limit.
set -euo pipefail

tessera=$1
for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAILED: $*" >&2; exit 1; }

# wait_for SECONDS COMMAND...: polls COMMAND every 0.1 s until it succeeds.
wait_for() {
    local limit=$(( $1 * 10 )); shift
    for ((i = 0; i < limit; i++)); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

# A fresh person: settings, data, documents, all in the work folder.
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export XDG_CACHE_HOME=$work/cache XDG_RUNTIME_DIR=$work/runtime
export TESSERA_DOCUMENTS=$work/documents LC_ALL=C.UTF-8 LANGUAGE=en
export TESSERA_AUTOSAVE_INTERVAL=300
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$TESSERA_DOCUMENTS" "$XDG_CONFIG_HOME/Tessera"
chmod 700 "$XDG_RUNTIME_DIR"
# Seen the what's new window already: nothing stands over the canvas.
major=$("$tessera" --version | sed -n 's/^tessera \([0-9]*\).*/\1/p')
printf '[General]\nWhatsNew_%s=false\n' "$major" >"$XDG_CONFIG_HOME/Tessera/Tessera.conf"
autosave=$XDG_DATA_HOME/Tessera/Tessera/autosave.tessera

Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
wait_for 20 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=:$(head -n1 "$work/display") QT_QPA_PLATFORM=xcb

# A free layout collage of one print as wide as the canvas, saved as a
# document by the command line.
"$tessera" render --mode serial --background black --width 300 --output "$work/photo.png"
"$tessera" render --mode free --photo "$work/photo.png@0.5,0.5,1" --save-document \
    "$work/trip.tessera" --output "$work/opened.png"

# window_of NAME: the id of the visible window whose title matches.
window_of() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1; }

"$tessera" "$work/trip.tessera" 2>"$work/first.log" &
first=$!
pids+=("$first")
wait_for 30 window_of '^trip' || fail "no window for the document"
window=$(window_of '^trip')
eval "$(xdotool getwindowgeometry --shell "$window")"
# The print covers the canvas, which lies in the middle of the window.
x=$((X + WIDTH / 2)) y=$((Y + HEIGHT / 2))
xdotool mousemove "$x" "$y" mousedown 1
for step in 1 2 3 4 5 6; do
    xdotool mousemove $((x + step * 8)) $((y + step * 6))
    sleep 0.05
done
xdotool mouseup 1
wait_for 20 test -s "$autosave" || fail "no autosave after the edit"
kill -9 "$first"
wait "$first" 2>/dev/null || true
cp "$autosave" "$work/killed.tessera"
grep -q '"autosaveOf"' "$work/killed.tessera" || fail "the autosave does not name its document"

# What was autosaved last differs from the document as opened: the edit is in it.
"$tessera" render "$work/killed.tessera" --output "$work/killed.png"
cmp -s "$work/opened.png" "$work/killed.png" && fail "the autosave does not hold the edit"

# The next start offers it; Return takes it.
touch -d '-1 hour' "$autosave"
stamp=$(stat -c %Y "$autosave")
"$tessera" 2>"$work/second.log" &
second=$!
pids+=("$second")
wait_for 30 window_of 'Please Confirm' || fail "no offer to restore the autosaved collage"
offer=$(window_of 'Please Confirm')
timeout 10 xdotool windowfocus --sync "$offer" || true
xdotool key --clearmodifiers Return
# The restored collage is unsaved, so it is autosaved again.
wait_for 30 bash -c "(( \$(stat -c %Y '$autosave') > $stamp ))" \
    || fail "the restored collage was not autosaved"
wait_for 10 window_of '^trip' || fail "the restored collage is not named after its document"
"$tessera" render "$autosave" --output "$work/restored.png"
cmp -s "$work/killed.png" "$work/restored.png" \
    || fail "the restored collage differs from the one autosaved last"
kill "$second"
echo "the restored collage is the one autosaved last"
