#!/bin/bash
# Makes the CD (tools/make-cd.sh), shows its folder as the CD-ROM drive E:
# in a Wine environment of its own, starts the menu from the drive's root as
# Windows does from autorun.inf, and saves a screenshot of the whole screen.
set -euo pipefail
source "$(dirname "$0")/demo-build.sh"
bash "$root/tools/make-cd.sh" --bin "$bin" >/dev/null

demo=$build/demo-cd
mkdir -p "$demo"
export VORLAKS_WINE_STATE=wine-demo-cd VORLAKS_CD_FOLDER=$build/cd
unset DISPLAY
demo_display 800x600

(cd "$WINEPREFIX/dosdevices/e:" && exec "$WINELOADER" start /d 'E:\' 'E:\menu.exe') </dev/null >"$demo/menu.log" 2>&1 &
wait_for_window "^The Tarrowick Vorlaks Multimedia Theme Pack$" >/dev/null
sleep 1
xwd -root -silent -display "$DISPLAY" | convert xwd:- "$demo/menu-from-cd.png"
"$WINELOADER" taskkill /f /im menu.exe >/dev/null 2>&1 || true
echo "Screenshot: $demo/menu-from-cd.png"
