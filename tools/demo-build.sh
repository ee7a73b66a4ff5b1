# Sourced by the demo scripts: installs what is missing, builds, makes the
# Wine prefix and sets root, build, wine_env and bin (the build Wine runs).
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build}

bash "$root/tools/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build"

wine_env=$root/tools/wine-env.sh
"$wine_env" prefix "$build"
arch=$(cat "$build/wine/arch")
[ "$arch" = win32 ] && bin=$build/i686/bin || bin=$build/x86_64/bin

# Uses the X display in DISPLAY, or starts a display of its own of the given
# size (e.g. 800x600; its files go in the given folder), then sets up Wine's
# environment for it. On exit the program in program_pid ends, and with a
# display of its own so do Wine and Xvfb.
demo_display() {
    local folder=$1 size=$2
    own_display=
    if [ -z "${DISPLAY:-}" ]; then
        Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$folder/display" </dev/null >"$folder/xvfb.log" 2>&1 &
        xvfb_pid=$!
        for _ in $(seq 100); do [ -s "$folder/display" ] && break; sleep 0.05; done
        own_display=":$(head -n1 "$folder/display")"
    fi
    eval "$("$wine_env" env "$build")"
    export DISPLAY=${own_display:-$DISPLAY}
    trap demo_cleanup EXIT
}

demo_cleanup() {
    [ -n "${program_pid:-}" ] && kill "$program_pid" 2>/dev/null || true
    if [ -n "$own_display" ]; then
        "$WINESERVER" -k 2>/dev/null || true
        kill "$xvfb_pid" 2>/dev/null || true
    fi
}
