#!/bin/bash
# The main job: installs what is missing, builds, writes a sample schedule
# around today's date beside the screen saver and starts it in saver mode
# under Wine, then saves a screenshot and prints its path.
#
# With $DISPLAY set the saver shows there and runs until input ends it;
# without, it runs on a private virtual display and ends after the screenshot.
set -euo pipefail
source "$(dirname "$0")/demo-build.sh"

demo=$build/demo
mkdir -p "$demo"
cp "$bin/vorsaver.scr" "$demo/"
python3 "$root/tools/make_schedule.py" "$demo/schedule.pvz" >/dev/null

own_display=
if [ -z "${DISPLAY:-}" ]; then
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$demo/display" </dev/null >"$demo/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$demo/display" ] && break; sleep 0.05; done
    own_display=":$(head -n1 "$demo/display")"
fi
eval "$("$wine_env" env "$build")"
export DISPLAY=${own_display:-$DISPLAY}

cleanup() {
    [ -n "${saver_pid:-}" ] && kill "$saver_pid" 2>/dev/null || true
    if [ -n "$own_display" ]; then
        "$WINESERVER" -k 2>/dev/null || true
        kill "$xvfb_pid" 2>/dev/null || true
    fi
}
trap cleanup EXIT

"$WINELOADER" "$demo/vorsaver.scr" /s &
saver_pid=$!

# Wait for the saver's window, then give it a moment to paint.
for _ in $(seq 200); do
    xdotool search --name "SCRNSAVE: The Tarrowick Vorlaks" >/dev/null 2>&1 && break
    sleep 0.05
done
sleep 1.5
shot=$demo/vorsaver.png
xwd -root -silent -display "$DISPLAY" | convert xwd:- "$shot"
echo "Screenshot: $shot"
echo "Variables written: $(cat "$demo/tarvordat.pvz")"

if [ -z "$own_display" ]; then
    echo "The saver runs on $DISPLAY; move the mouse or press a key to end it."
    wait "$saver_pid" || true
    saver_pid=
fi
