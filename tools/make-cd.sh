#!/bin/bash
# Makes the CD: lays it out in build/cd and writes build/vorlaks-theme-pack.iso
# (ISO 9660 with Joliet names, so Windows 95 and later see the long names).
# Installs what is missing and builds first; with --no-build it takes what the
# build already made (the tests lay out the CD that way).
#
#     bash tools/make-cd.sh [--no-build]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}

if [ "${1:-}" != --no-build ]; then
    bash "$root/tools/install-deps.sh"
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
    cmake --build "$build"
fi

# The CD carries the 32-bit programs, which every Windows it is for can run.
bin=$build/i686/bin
cd_folder=$build/cd
iso=$build/vorlaks-theme-pack.iso

# Each file of the CD and where it comes from.
files=(
    "menu.exe:$bin/menu.exe"
    "exec.exe:$bin/exec.exe"
    "autorun.inf:$root/cd/autorun.inf"
    "install/instscr.exe:$bin/instscr.exe"
    "install/insttm98.exe:$bin/insttm98.exe"
    "install/insttmNT.exe:$bin/insttmNT.exe"
    "install/macromed/axflash.exe:$bin/axflash.exe"
    "help/readme.txt:$root/cd/help/readme.txt"
    "games/index.html:$root/cd/games/index.html"
)
missing=0
for entry in "${files[@]}"; do
    [ -f "${entry#*:}" ] || { echo "The CD needs ${entry#*:}, which is missing." >&2; missing=1; }
done
[ "$missing" = 0 ] || exit 1

rm -rf "$cd_folder"
for entry in "${files[@]}"; do
    target=$cd_folder/${entry%%:*}
    mkdir -p "$(dirname "$target")"
    cp "${entry#*:}" "$target"
done

rm -f "$iso"
xorriso -as mkisofs -quiet -J -r -V TARROWICK_VORLAKS -o "$iso" "$cd_folder"
echo "CD laid out in $cd_folder; image $iso ($(stat -c %s "$iso") bytes)"
