#!/bin/bash
# Lays out the CD's folder from the build's programs and writes its ISO image.
#
#   bash tools/make-cd.sh [--bin DIR] [--instscr FILE] [--out DIR]
#
#   --bin      the built programs: menu.exe, exec.exe, axflash.exe
#              (default build/i686/bin)
#   --instscr  the screen saver's installer (default DIR/instscr.exe)
#   --out      where cd/ and vorlaks-theme-pack.iso go (default build)
#
# The theme installers are made here from cd/*.nsi with makensis; the rest is
# copied. Needs nsis and xorriso (tools/install-deps.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$root/build/i686/bin
instscr=
out=$root/build
while [ $# -gt 0 ]; do
    case "$1" in
    --bin) bin=${2:?}; shift 2 ;;
    --instscr) instscr=${2:?}; shift 2 ;;
    --out) out=${2:?}; shift 2 ;;
    *) echo "usage: make-cd.sh [--bin DIR] [--instscr FILE] [--out DIR]" >&2; exit 2 ;;
    esac
done
[ -n "$instscr" ] || instscr=$bin/instscr.exe
for f in "$bin/menu.exe" "$bin/exec.exe" "$bin/axflash.exe" "$instscr"; do
    [ -f "$f" ] || { echo "make-cd.sh: missing $f" >&2; exit 1; }
done

cd_dir=$out/cd
iso=$out/vorlaks-theme-pack.iso
rm -rf "$cd_dir"
mkdir -p "$cd_dir/install/macromed" "$cd_dir/help" "$cd_dir/games"
cp "$bin/menu.exe" "$bin/exec.exe" "$root/cd/autorun.inf" "$cd_dir/"
cp "$instscr" "$cd_dir/install/instscr.exe"
cp "$bin/axflash.exe" "$cd_dir/install/macromed/axflash.exe"
cp "$root/cd/help/readme.txt" "$cd_dir/help/readme.txt"
cp "$root/cd/games/index.html" "$cd_dir/games/index.html"
for n in insttm98 insttmNT; do
    makensis -V2 -DRES="$root/resources/wallpaper" -DOUTFILE="$cd_dir/install/$n.exe" "$root/cd/$n.nsi"
done

rm -f "$iso"
# Joliet keeps the long, mixed-case names for Windows; Rock Ridge for the rest.
xorriso -as mkisofs -quiet -J -r -V TARROWICK_VORLAKS -o "$iso" "$cd_dir"
echo "$iso"
