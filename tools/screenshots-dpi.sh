#!/bin/bash
# Takes the saver, its settings dialog and its About dialog at a scaled
# screen's dots per inch (default 144, that is 150 %), on a private virtual
# display of 1024 x 768, in a Wine environment of its own, and prints where
# the screenshots are:
#
#   bash tools/screenshots-dpi.sh [DPI]
set -euo pipefail
dpi=${1:-144}
export VORLAKS_WINE_STATE=wine-dpi$dpi
unset DISPLAY
source "$(dirname "$0")/demo-build.sh"

demo=$build/demo-dpi$dpi
mkdir -p "$demo"
cp "$bin/vorsaver.scr" "$demo/"
python3 "$root/tools/make_schedule.py" "$demo/schedule.pvz" >/dev/null

demo_display "$demo" 1024x768
"$WINELOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1

wait_for() {
    for _ in $(seq 200); do
        xdotool search --name "$1" 2>/dev/null | head -n1 && return 0
        sleep 0.05
    done
    echo "no window named '$1'" >&2
    return 1
}

"$WINELOADER" "$demo/vorsaver.scr" /s &
program_pid=$!
wait_for "SCRNSAVE: The Tarrowick Vorlaks" >/dev/null
sleep 1.5
xwd -root -silent -display "$DISPLAY" | convert xwd:- "$demo/saver.png"
"$WINELOADER" taskkill /f /im vorsaver.scr >/dev/null 2>&1 || true
wait "$program_pid" 2>/dev/null || true

"$WINELOADER" "$demo/vorsaver.scr" /c &
program_pid=$!
settings=$(wait_for "Tarrowick Vorlaks Screen Saver Configuration")
sleep 0.5
import -display "$DISPLAY" -window "$settings" "$demo/settings.png"
xdotool key --window "$settings" alt+a
about=$(wait_for "^About$")
sleep 0.5
import -display "$DISPLAY" -window "$about" "$demo/about.png"

echo "Screenshots at $dpi dots per inch: $demo/saver.png $demo/settings.png $demo/about.png"
