#!/bin/bash
# Builds the screen saver's installer, OUT_FOLDER/instscr.exe (the CD's
# install\instscr.exe): the built setup program (saver-setup.exe) in
# BIN_FOLDER carrying the saver and movie from there, the season's schedule
# SCHEDULE (default: the season running today or the next, from
# tools/make_schedule.py --season) and the sound setting on.
#
#   make-installer.sh OUT_FOLDER BIN_FOLDER [SCHEDULE]
set -euo pipefail
out=${1:?usage: make-installer.sh OUT_FOLDER BIN_FOLDER}
bin=${2:?usage: make-installer.sh OUT_FOLDER BIN_FOLDER [SCHEDULE]}
schedule=${3:-}
here=$(cd "$(dirname "$0")" && pwd)

mkdir -p "$out"
out=$(cd "$out" && pwd)
stage=$out/instscr-stage
rm -rf "$stage"
mkdir -p "$stage"
if [ -n "$schedule" ]; then
    cp "$schedule" "$stage/schedule.pvz"
else
    python3 "$here/make_schedule.py" --season "$stage/schedule.pvz" >/dev/null
fi
# Sound on: the movie's sound is part of the show; the settings dialog turns it off.
printf 'sound=1' > "$stage/sound.pvz"
python3 "$here/setup_payload.py" make "$bin/saver-setup.exe" "$out/instscr.exe" \
    vorsaver.scr="$bin/vorsaver.scr" vorlaks.swf="$bin/vorlaks.swf" \
    schedule.pvz="$stage/schedule.pvz" sound.pvz="$stage/sound.pvz"
rm -rf "$stage"
echo "$out/instscr.exe"
