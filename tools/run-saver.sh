#!/bin/bash
# The main job: installs what is missing, builds, writes a sample schedule
# around today's date beside the screen saver and starts it in saver mode
# under Wine, then saves a screenshot and prints its path.
#
#   bash tools/run-saver.sh [SCHEDULE]    (SCHEDULE: a schedule.pvz to show
#                                          instead of the sample)
#
# With $DISPLAY set the saver shows there and runs until input ends it;
# without, it runs on a private virtual display and ends after the screenshot.
set -euo pipefail
# Only the saver and its movie are built, not the tests, the menu or the CD.
demo_targets="vorsaver movie"
source "$(dirname "$0")/demo-build.sh"

demo=$build/demo
mkdir -p "$demo"
cp "$bin/vorsaver.scr" "$bin/vorlaks.swf" "$demo/"
if [ -n "${1:-}" ]; then
    cp "$1" "$demo/schedule.pvz"
else
    python3 "$root/tools/make_schedule.py" "$demo/schedule.pvz" >/dev/null
fi

demo_display 1024x768

"$WINELOADER" "$demo/vorsaver.scr" /s &
program_pid=$!

# Wait for the saver's window, then give it a moment to paint.
wait_for_window "SCRNSAVE: The Tarrowick Vorlaks" >/dev/null
sleep 1.5
shot=$demo/vorsaver.png
xwd -root -silent -display "$DISPLAY" | convert xwd:- "$shot"
echo "Screenshot: $shot"
echo "Variables written: $(cat "$demo/tarvordat.pvz")"

if [ -z "$own_display" ]; then
    echo "The saver runs on $DISPLAY; move the mouse or press a key to end it."
    wait "$program_pid" || true
    program_pid=
fi
