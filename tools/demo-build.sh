# Sourced by the demo scripts: installs what is missing, builds, makes the
# Wine prefix and sets root, build, wine_env and bin (the build Wine runs).
# A script that sets demo_targets (e.g. "vorsaver movie") first gets only
# those programs built, for the Wine this machine runs; otherwise everything.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build}

bash "$root/tools/install-deps.sh"
if sh "$root/tools/wine32-native.sh"; then arch=i686; else arch=x86_64; fi
bin=$build/$arch/bin
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
if [ -n "${demo_targets:-}" ]; then
    cmake --build "$build" --target "windows_${arch}_programs-configure" >/dev/null
    # shellcheck disable=SC2086  # a list of targets
    cmake --build "$build/$arch" --target $demo_targets
else
    cmake --build "$build"
fi

wine_env=$root/tools/wine-env.sh
"$wine_env" prefix "$build"

# Uses the X display in DISPLAY, or starts a Wine environment of its own
# (wine-env.sh start: a virtual display of the given size, e.g. 800x600, and
# a wineserver; in VORLAKS_WINE_STATE, default wine-demo), then sets up
# Wine's environment for it. On exit the program in program_pid ends, and an
# environment of its own stops.
demo_display() {
    local size=$1 display=${DISPLAY:-}
    own_display=
    if [ -z "$display" ]; then
        export VORLAKS_WINE_STATE=${VORLAKS_WINE_STATE:-wine-demo}
        VORLAKS_SCREEN=${size}x24 "$wine_env" start "$build" >/dev/null
        own_display=yes
    fi
    eval "$("$wine_env" env "$build")"
    [ -n "$own_display" ] || export DISPLAY=$display
    trap demo_cleanup EXIT
}

demo_cleanup() {
    [ -n "${program_pid:-}" ] && kill "$program_pid" 2>/dev/null || true
    if [ -n "$own_display" ]; then "$wine_env" stop "$build"; fi
}

# Waits up to ten seconds for a window whose name matches the pattern and
# prints its id; otherwise lists the windows there are and fails.
wait_for_window() {
    local window
    for _ in $(seq 200); do
        window=$(xdotool search --name "$1" 2>/dev/null | head -n1) || true
        [ -n "$window" ] && { echo "$window"; return 0; }
        sleep 0.05
    done
    echo "no window named '$1'; there are:" >&2
    xdotool search --name . 2>/dev/null | while read -r w; do echo "  $(xdotool getwindowname "$w")" >&2; done
    return 1
}
