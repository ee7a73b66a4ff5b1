#!/bin/bash
# Makes the CD: lays it out in build/cd and writes build/vorlaks-theme-pack.iso
# (ISO 9660 with Joliet names, so Windows 95 and later see the long names).
# Without --bin it installs what is missing and builds first.
#
#   bash tools/make-cd.sh [--bin DIR] [--on DAY] [--out DIR]
#
#   --bin   the built programs: menu.exe, exec.exe, axflash.exe, the setup
#           program saver-setup.exe, and the screen saver and its movie,
#           vorsaver.scr and vorlaks.swf
#           (default: build, then build/i686/bin; the CD carries the 32-bit
#           programs, which every Windows it is for runs)
#   --on    the day the CD is made for (ISO; default today)
#   --out   where cd/ and vorlaks-theme-pack.iso go (default build)
#
# The CD's season, the one running on that day or the next, is made once
# here, as OUT/cd-season/schedule.pvz, and both the screen saver's installer
# and the game page are made from that one file, so they list the same
# games. The installers are made here from the built setup program
# (saver-setup.exe) and the files each carries; the rest is copied. Needs
# xorriso (tools/install-deps.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
bin=
on=
out=$build
while [ $# -gt 0 ]; do
    case "$1" in
    --bin) bin=${2:?}; shift 2 ;;
    --on) on=${2:?}; shift 2 ;;
    --out) out=${2:?}; shift 2 ;;
    *) echo "usage: make-cd.sh [--bin DIR] [--on DAY] [--out DIR]" >&2; exit 2 ;;
    esac
done
if [ -z "$bin" ]; then
    bash "$root/tools/install-deps.sh"
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
    cmake --build "$build"
    bin=$build/i686/bin
fi
for f in "$bin/menu.exe" "$bin/exec.exe" "$bin/axflash.exe" "$bin/vorsaver.scr" "$bin/vorlaks.swf" "$bin/saver-setup.exe"; do
    [ -f "$f" ] || { echo "make-cd.sh: missing $f" >&2; exit 1; }
done

cd_dir=$out/cd
season=$out/cd-season
iso=$out/vorlaks-theme-pack.iso
rm -rf "$cd_dir" "$season"
mkdir -p "$cd_dir/install/macromed" "$cd_dir/help" "$cd_dir/games" "$season"
python3 "$root/tools/make_schedule.py" --season ${on:+--on "$on"} "$season/schedule.pvz" >/dev/null
bash "$root/tools/make-installer.sh" "$season" "$bin" "$season/schedule.pvz" >/dev/null
python3 "$root/tools/make_games_page.py" "$cd_dir/games/index.html" "$season/schedule.pvz" >/dev/null
cp "$bin/menu.exe" "$bin/exec.exe" "$root/cd/autorun.inf" "$cd_dir/"
mv "$season/instscr.exe" "$cd_dir/install/instscr.exe"
cp "$bin/axflash.exe" "$cd_dir/install/macromed/axflash.exe"
cp "$root/cd/help/readme.txt" "$cd_dir/help/readme.txt"
bash "$root/tools/make-theme-installers.sh" "$cd_dir/install" "$bin" >/dev/null

rm -f "$iso"
# Joliet keeps the long, mixed-case names for Windows; Rock Ridge for the rest.
xorriso -as mkisofs -quiet -J -r -V TARROWICK_VORLAKS -o "$iso" "$cd_dir"
echo "CD laid out in $cd_dir; image $iso ($(stat -c %s "$iso") bytes)"
