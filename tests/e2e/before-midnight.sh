#!/bin/bash
# Runs a Windows program in a Wine environment of its own whose local time
# is a few seconds before midnight: Wine's local time follows the Unix TZ of
# its processes, and a POSIX TZ can say any offset from UTC, so the offset
# is chosen to bring midnight SECONDS after the program starts. No clock is
# touched.
#   tests/e2e/before-midnight.sh BUILD SECONDS PROGRAM [ARGS...]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:?build folder}" && pwd)
seconds=${2:?seconds before midnight}
shift 2
env_script=$root/tools/wine-env.sh
export VORLAKS_WINE_STATE=wine-midnight
# The environment's prefix suits the program: 32-bit ones, a 32-bit prefix.
case "$1" in */i686/bin/*) arch=win32 ;; *) arch=win64 ;; esac
state=$build/$VORLAKS_WINE_STATE
if [ "$(cat "$state/arch" 2>/dev/null)" != "$arch" ]; then
    "$env_script" stop "$build" 2>/dev/null || true
    rm -rf "$state" && mkdir -p "$state" && echo "$arch" > "$state/arch"
fi

# Setting up the environment takes a few seconds; they are measured as the
# offset is worked out, from the time the program itself starts.
ready_in=6
utc_now=$(date -u +%s)
# Local = UTC + offset, with local time of day = 24 h - seconds at start.
offset=$(( ((86400 - seconds) - (utc_now + ready_in) % 86400 + 86400) % 86400 ))
# Within half a day either way, as a time zone is.
[ "$offset" -gt 43200 ] && offset=$((offset - 86400))
# POSIX writes the offset with the opposite sign: "XXX-2" is UTC+2.
if [ "$offset" -ge 0 ]; then sign=-; else sign=+; offset=$((-offset)); fi
export TZ=$(printf 'XXX%s%d:%02d:%02d' "$sign" $((offset / 3600)) $((offset % 3600 / 60)) $((offset % 60)))

# The wineserver takes the zone when it starts: a fresh one.
"$env_script" start "$build" >/dev/null
trap '"$env_script" stop "$build"' EXIT
echo "TZ=$TZ; local time now: $(date +%H:%M:%S)"
VORLAKS_EXPECT_MIDNIGHT=1 "$env_script" run "$build" "$@"
