#!/bin/bash
# The CD menu's start-up under Wine, in the test environment of a build: the
# time from starting menu.exe to its first paint against a program that only
# shows a plain window of the same size, as a ratio measured in one run
# (bench/menu_bench_win.cpp).
#     bench/menu-bench.sh [BUILD] [ROUNDS]     (default: build, 15)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
rounds=${2:-15}
env_script=$root/tools/wine-env.sh
"$env_script" start "$build" >/dev/null
trap '"$env_script" stop "$build"' EXIT
arch=$(cat "$build/wine/arch")
[ "$arch" = win32 ] && bin=$build/i686/bin || bin=$build/x86_64/bin

work=$build/bench-menu
rm -rf "$work" && mkdir -p "$work"
cp "$bin/menu.exe" "$bin/menu-baseline.exe" "$bin/menu_bench.exe" "$work/"
"$env_script" run "$build" "$work/menu_bench.exe" "$rounds"
