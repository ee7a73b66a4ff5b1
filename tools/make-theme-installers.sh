#!/bin/bash
# Builds the CD's theme installers from the built setup program
# (saver-setup.exe in BIN_FOLDER) and the wallpapers in resources/wallpaper:
#   OUT_FOLDER/insttm98.exe  the Desktop Theme with both wallpapers (Windows 95
#                            with Plus!, 98), the theme file included
#   OUT_FOLDER/insttmNT.exe  the wallpapers alone (NT 4, 2000, and 95/98
#                            without Desktop Themes)
# Each installs the wallpaper that suits the screen.
#
#   make-theme-installers.sh OUT_FOLDER BIN_FOLDER
set -euo pipefail
out=${1:?usage: make-theme-installers.sh OUT_FOLDER BIN_FOLDER}
bin=${2:?usage: make-theme-installers.sh OUT_FOLDER BIN_FOLDER}
here=$(cd "$(dirname "$0")" && pwd)
wallpapers=$here/../resources/wallpaper
mkdir -p "$out"
python3 "$here/setup_payload.py" make "$bin/saver-setup.exe" "$out/insttm98.exe" \
    vorlaks800.bmp="$wallpapers/vorlaks800.bmp" vorlaks1024.bmp="$wallpapers/vorlaks1024.bmp" \
    "Tarrowick Vorlaks.theme=$wallpapers/Tarrowick Vorlaks.theme"
python3 "$here/setup_payload.py" make "$bin/saver-setup.exe" "$out/insttmNT.exe" \
    vorlaks800.bmp="$wallpapers/vorlaks800.bmp" vorlaks1024.bmp="$wallpapers/vorlaks1024.bmp"
echo "$out/insttm98.exe $out/insttmNT.exe"
