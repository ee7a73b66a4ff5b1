#!/bin/bash
# Builds, lays out a CD folder (menu.exe, with stand-ins for the installers
# and exec that only log what they were started with) and starts the menu
# under Wine; saves two screenshots of its window, plain and with the Screen
# Saver item lit, and prints their paths.
#
# With $DISPLAY set the menu stays there until you close it; without, it runs
# on a private virtual display and ends after the screenshots.
set -euo pipefail
source "$(dirname "$0")/demo-build.sh"

cd_folder=$build/demo-menu/cd
rm -rf "$cd_folder"
mkdir -p "$cd_folder/install/macromed"
cp "$bin/menu.exe" "$cd_folder/"
for program in exec.exe install/instscr.exe install/insttm98.exe install/insttmNT.exe install/macromed/axflash.exe; do
    cp "$bin/program-standin.exe" "$cd_folder/$program"
done
demo=$build/demo-menu

demo_display 800x600
export VORLAKS_START_LOG=$(cd "$demo" && "$WINELOADER" winepath -w "$demo/started.log" 2>/dev/null | tr -d '\r')

# The menu relies on the CD's root as its working folder.
(cd "$cd_folder" && exec "$WINELOADER" menu.exe) </dev/null >"$demo/menu.log" 2>&1 &
program_pid=$!

window=$(wait_for_window "^The Tarrowick Vorlaks Multimedia Theme Pack$")
eval "$(xdotool getwindowgeometry --shell "$window")"

shoot() {
    sleep 0.7
    xwd -root -silent -display "$DISPLAY" | convert xwd:- -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$1"
    echo "Screenshot: $1"
}
xdotool mousemove $((X + 100)) $((Y + 300))
shoot "$demo/menu.png"
# Over the Screen Saver item: its marker shows. The client area starts inside
# the three-pixel frame and the nineteen-pixel caption.
xdotool mousemove $((X + 3 + 300)) $((Y + 22 + 132))
shoot "$demo/menu-lit.png"

if [ -z "$own_display" ]; then
    echo "The menu runs on $DISPLAY; close it to end. Started programs are logged in $demo/started.log."
    wait "$program_pid" || true
    program_pid=
fi
