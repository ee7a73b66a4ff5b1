#!/bin/bash
# The README's picture of the day board on a screen of 256 colours: left as
# Windows showed it through the twenty fixed colours before the board had a
# palette, right through the board's own palette, dithered as the saver draws
# it. Both are simulated from the palettes by the palette tests' real board
# (tests/e2e/palette_test.cpp), so the picture needs no 8-bit screenshot,
# which Wine cannot take.
#   bash tools/board-256-picture.sh [BUILD]   writes resources/screenshots/board-256-colours.png
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
bin=$build/$(sh "$here/wine32-native.sh" && echo i686 || echo x86_64)/bin
out=$(mktemp -d)
trap 'rm -rf "$out"; VORLAKS_WINE_STATE=wine-8bit "$here/wine-env.sh" stop "$build" >/dev/null 2>&1 || true' EXIT
export VORLAKS_WINE_STATE=wine-8bit VORLAKS_SCREEN=800x600x8
"$here/wine-env.sh" start "$build" >/dev/null
VORLAKS_PALETTE_PICTURES=$("$here/wine-env.sh" run "$build" winepath -w "$out" | tr -d '\r') \
    "$here/wine-env.sh" run "$build" "$bin/e2e_palette_tests.exe" --gtest_filter=PaletteBoard.*
convert "$out/board-fixed-colours.bmp" "$out/board-own-palette.bmp" +append -strip \
    "$here/../resources/screenshots/board-256-colours.png"
echo "wrote resources/screenshots/board-256-colours.png"
