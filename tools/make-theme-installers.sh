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
# The wallpapers packed as the programs' pictures are: setup writes the
# bitmap out again, byte for byte.
packed=$(mktemp -d)
trap 'rm -rf "$packed"' EXIT
for size in 800 1024; do
    python3 "$here/pack_picture.py" "$wallpapers/vorlaks$size.bmp" "$packed/vorlaks$size.vpk"
done
python3 "$here/setup_payload.py" make "$bin/saver-setup.exe" "$out/insttm98.exe" \
    vorlaks800.vpk="$packed/vorlaks800.vpk" vorlaks1024.vpk="$packed/vorlaks1024.vpk" \
    "Tarrowick Vorlaks.theme=$wallpapers/Tarrowick Vorlaks.theme"
python3 "$here/setup_payload.py" make "$bin/saver-setup.exe" "$out/insttmNT.exe" \
    vorlaks800.vpk="$packed/vorlaks800.vpk" vorlaks1024.vpk="$packed/vorlaks1024.vpk"
echo "$out/insttm98.exe $out/insttmNT.exe"
