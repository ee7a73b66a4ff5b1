#!/bin/bash
# Builds the screen saver's installer, OUT_FOLDER/instscr.exe (the CD's
# install\instscr.exe), from the built saver and movie in BIN_FOLDER, with the
# season's schedule SCHEDULE (default: the season running today or the next,
# from tools/make_schedule.py --season) and the sound setting on.
#
#   make-installer.sh OUT_FOLDER BIN_FOLDER [SCHEDULE]
set -euo pipefail
out=${1:?usage: make-installer.sh OUT_FOLDER BIN_FOLDER}
bin=${2:?usage: make-installer.sh OUT_FOLDER BIN_FOLDER [SCHEDULE]}
schedule=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
command -v makensis >/dev/null || { echo "makensis is missing (Debian package nsis; tools/install-deps.sh)" >&2; exit 1; }

mkdir -p "$out"
out=$(cd "$out" && pwd)
stage=$out/instscr-stage
rm -rf "$stage"
mkdir -p "$stage"
cp "$bin/vorsaver.scr" "$bin/vorlaks.swf" "$stage/"
if [ -n "$schedule" ]; then
    cp "$schedule" "$stage/schedule.pvz"
else
    python3 "$here/make_schedule.py" --season "$stage/schedule.pvz" >/dev/null
fi
# Sound on: the movie's sound is part of the show; the settings dialog turns it off.
printf 'sound=1' > "$stage/sound.pvz"
makensis -V2 -NOCD -DSTAGE="$stage" -DOUTFILE="$out/instscr.exe" "$here/../cd/instscr.nsi"
echo "$out/instscr.exe"
