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

demo_display 1024x768
"$WINELOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1

"$WINELOADER" "$demo/vorsaver.scr" /s &
program_pid=$!
wait_for_window "SCRNSAVE: The Tarrowick Vorlaks" >/dev/null
sleep 1.5
xwd -root -silent -display "$DISPLAY" | convert xwd:- "$demo/saver.png"
"$WINELOADER" taskkill /f /im vorsaver.scr >/dev/null 2>&1 || true
wait "$program_pid" 2>/dev/null || true

"$WINELOADER" "$demo/vorsaver.scr" /c &
program_pid=$!
settings=$(wait_for_window "Tarrowick Vorlaks Screen Saver Configuration")
sleep 0.5
import -display "$DISPLAY" -window "$settings" "$demo/settings.png"
# A click on the About button (its middle is at 607, 2587 twips in the
# client area of 4905 x 2865 twips, by the dialog's table); the window's
# frame is as wide on each side and on the bottom.
read -r width height < <(xdotool getwindowgeometry "$settings" | awk '/Geometry/ {split($2, s, "x"); print s[1], s[2]}')
border=$(( (width - (4905 * dpi + 720) / 1440) / 2 ))
top=$(( height - (2865 * dpi + 720) / 1440 - border ))
xdotool mousemove --window "$settings" $((border + 607 * dpi / 1440)) $((top + 2587 * dpi / 1440)) click 1
about=$(wait_for_window "^About ")
sleep 0.5
import -display "$DISPLAY" -window "$about" "$demo/about.png"

echo "Screenshots at $dpi dots per inch: $demo/saver.png $demo/settings.png $demo/about.png"
