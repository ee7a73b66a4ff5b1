#!/bin/bash
# Runs the saver's benchmarks under Wine, in the test environment of a build:
#   - first paint of `vorsaver.scr /s` against a minimal black window, as a
#     ratio (bench/saver_bench_win.cpp), on one monitor and on two;
#   - the CPU time that the running saver with the day board uses over ten
#     seconds, as a share of one core. Wine does not report another process's
#     times to a Windows program, so this is read from /proc.
#   - the data step against a plain read of the same file, under Wine.
#     bench/saver-bench.sh [BUILD]     (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
env_script=$root/tools/wine-env.sh
"$env_script" start "$build" >/dev/null
trap '"$env_script" stop "$build"' EXIT
arch=$(cat "$build/wine/arch")
[ "$arch" = win32 ] && bin=$build/i686/bin || bin=$build/x86_64/bin

work=$build/bench
rm -rf "$work" && mkdir -p "$work"
cp "$bin/vorsaver.scr" "$bin/black-window.exe" "$bin/saver_bench.exe" "$bin/data_step_bench.exe" "$work/"
echo -n "one monitor:  "
"$env_script" run "$build" "$work/saver_bench.exe" 9
# The same on a display with two monitors, in an environment of its own.
two=(env VORLAKS_WINE_STATE=wine-2mon)
"${two[@]}" VORLAKS_SECOND_SCREEN=640x480x24 "$env_script" start "$build" >/dev/null
echo -n "two monitors: "
"${two[@]}" "$env_script" run "$build" "$work/saver_bench.exe" 9
"${two[@]}" "$env_script" stop "$build"

python3 "$root/tools/make_schedule.py" "$work/schedule.pvz" >/dev/null
eval "$("$env_script" env "$build")"
"$WINELOADER" "$work/vorsaver.scr" /s &
sleep 3
pid=$(pgrep -f 'vorsaver\.scr' | head -n1)
hz=$(getconf CLK_TCK)
before=$(awk '{print $14 + $15}' "/proc/$pid/stat")
sleep 10
after=$(awk '{print $14 + $15}' "/proc/$pid/stat")
kill "$pid" 2>/dev/null || true
awk -v t=$((after - before)) -v hz="$hz" 'BEGIN { printf "running saver: %.2f s CPU in 10 s, %.2f%% of one core\n", t / hz, 100 * t / hz / 10 }'

echo -n "data step under Wine: "
"$env_script" run "$build" "$work/data_step_bench.exe" "$(
    "$WINELOADER" winepath -w "$work/bench_schedule.pvz" 2>/dev/null | tr -d '\r')"
echo -n "data step natively:   "
"$build/data_step_bench" "$work/bench_schedule_native.pvz"
