#!/bin/bash
# The saver left running: its day board's bursts of motion for MINUTES
# (default 10), with its working set and, where the system reports them,
# its GDI and USER objects compared at the start and the end
# (bench/soak_win.cpp; GDI objects and DCs counted by gdi-count.dll in the
# saver where the system reports none), and the CPU share it used meanwhile, read from /proc
# (Wine does not report another process's times to a Windows program).
# Runs in a Wine environment of its own below BUILD, with the programs in
# BIN (default: the build that this machine's Wine runs, as the tests do).
#     bench/soak.sh [BUILD] [MINUTES] [BIN]
# Exits non-zero when memory or objects grew, the board stopped moving, or
# the saver used more than 1 % of a core.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
minutes=${2:-10}
bin=${3:-}
env_script=$root/tools/wine-env.sh
export VORLAKS_WINE_STATE=wine-soak
if [ -z "$bin" ]; then
    if sh "$root/tools/wine32-native.sh"; then bin=$build/i686/bin; else bin=$build/x86_64/bin; fi
fi
bin=$(cd "$bin" && pwd)
# The environment's prefix suits the programs: 32-bit ones, a 32-bit prefix.
case "$bin" in */i686/bin) arch=win32 ;; *) arch=win64 ;; esac
state=$build/$VORLAKS_WINE_STATE
if [ "$(cat "$state/arch" 2>/dev/null)" != "$arch" ]; then
    "$env_script" stop "$build" 2>/dev/null || true
    rm -rf "$state" && mkdir -p "$state" && echo "$arch" > "$state/arch"
fi
"$env_script" start "$build" >/dev/null
trap '"$env_script" stop "$build"' EXIT

work=$build/soak
rm -rf "$work" && mkdir -p "$work"
cp "$bin/vorsaver.scr" "$bin/soak.exe" "$bin/gdi-count.dll" "$work/"
python3 "$root/tools/make_schedule.py" "$work/schedule.pvz" >/dev/null

"$env_script" run "$build" "$work/soak.exe" "$minutes" gdi-count.dll > "$work/soak.log" 2>&1 &
soak=$!
# The saver of this environment (not another build's): its command line
# names this folder's copy.
pid=
for _ in $(seq 200); do
    pid=$({ pgrep -f "soak.vorsaver\.scr" || true; } | while read -r p; do
        grep -qz "^WINEPREFIX=$build/$VORLAKS_WINE_STATE/prefix\$" "/proc/$p/environ" 2>/dev/null && echo "$p" || true
    done | head -n1)
    [ -n "$pid" ] && break
    sleep 0.1
done
cpu=
if [ -n "$pid" ]; then
    hz=$(getconf CLK_TCK)
    # From a few seconds in (the start and the data step are not the
    # running saver's) to shortly before the soak ends.
    sleep 5
    t0=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    s0=$(date +%s.%N)
    sleep "$(awk -v m="$minutes" 'BEGIN { printf "%.1f", m * 60 - 4 }')"
    t1=$(awk '{print $14 + $15}' "/proc/$pid/stat" 2>/dev/null || echo "$t0")
    s1=$(date +%s.%N)
    cpu=$(awk -v t=$((t1 - t0)) -v hz="$hz" -v s="$(awk -v a="$s0" -v b="$s1" 'BEGIN { print b - a }')" \
        'BEGIN { printf "%.2f", 100 * t / hz / s }')
fi
rc=0
wait "$soak" || rc=$?
cat "$work/soak.log"
if [ -z "$cpu" ]; then
    echo "FAIL: the saver's process was not found for its CPU share"
    rc=1
else
    echo "running saver: ${cpu}% of one core"
    awk -v c="$cpu" 'BEGIN { exit !(c > 1.0) }' && { echo "FAIL: more than 1% of a core"; rc=1; }
fi
exit "$rc"
