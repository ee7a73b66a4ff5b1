#!/bin/bash
# The Wine test environment of one build tree: a private prefix, a virtual X
# display and a persistent wineserver, all kept under <build>/wine.
#
#   wine-env.sh start BUILD          create the prefix once, start Xvfb and wineserver
#   wine-env.sh stop BUILD           stop both
#   wine-env.sh run BUILD PROG ARGS  run a Windows program in that environment
#   wine-env.sh prefix BUILD         only create the prefix
#   wine-env.sh env BUILD            print the environment, for a shell's eval
#
# Nothing outside the build tree is touched: HOME, the prefix and the X
# display number file all live below BUILD/wine (and BUILD/wine-base).
#
# More environments can run beside that one, each with its own display and
# wineserver: VORLAKS_WINE_STATE names the folder below BUILD that holds one
# (default wine), VORLAKS_SCREEN the size of its display when it starts
# (default 800x600x24), VORLAKS_SECOND_SCREEN the size of a second monitor
# if it is to have one, VORLAKS_CD_FOLDER a folder to show as the CD-ROM
# drive E:. For example, a 1024 x 768 screen:
#
#   VORLAKS_WINE_STATE=wine-1024 VORLAKS_SCREEN=1024x768x24 wine-env.sh start BUILD
#   VORLAKS_WINE_STATE=wine-1024 wine-env.sh run BUILD PROG ARGS
#
# Their prefixes are copies of one made once in BUILD/wine-base, so another
# environment costs a copy (about a second), not a second wineboot.
set -euo pipefail

cmd=${1:?usage: wine-env.sh start|stop|run BUILD ...}
build=$(cd "${2:?build folder}" && pwd)
shift 2
here=$(cd "$(dirname "$0")" && pwd)
state_name=${VORLAKS_WINE_STATE:-wine}
case "$state_name" in
wine-base | */* | .* | "") echo "VORLAKS_WINE_STATE must be a plain folder name, not '$state_name'" >&2; exit 2 ;;
esac
state=$build/$state_name
base=$build/wine-base
mkdir -p "$state/home"

# A kernel without 32-bit support cannot run the 32-bit Wine loader; the
# 64-bit one then runs the x86_64 build of the same sources.
if [ -r "$state/arch" ]; then arch=$(cat "$state/arch"); else
    if sh "$here/wine32-native.sh"; then arch=win32; else arch=win64; fi
    echo "$arch" > "$state/arch"
fi
if [ "$arch" = win32 ]; then loader=/usr/lib/wine/wine; else loader=/usr/lib/wine/wine64; fi

export HOME=$state/home
export WINEPREFIX=$state/prefix
export WINEARCH=$arch
export WINESERVER=/usr/lib/wine/wineserver
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
export XDG_RUNTIME_DIR=$state/home

display_file=$state/display
[ -r "$display_file" ] && export DISPLAY=$(cat "$display_file")

screen=${VORLAKS_SCREEN:-800x600x24}

start_xvfb() {
    local fd_file=$state/xvfb.out
    rm -f "$fd_file"
    # -displayfd picks a free display number and reports it once listening.
    # Its output goes to files: a test runner waits for every open pipe.
    local second=()
    # A second monitor: Xvfb lays both screens at 0,0, so Windows is told of
    # two monitors, one over the other.
    [ -n "${VORLAKS_SECOND_SCREEN:-}" ] && second=(+xinerama -extension RANDR -screen 1 "$VORLAKS_SECOND_SCREEN")
    Xvfb -displayfd 3 -screen 0 "$screen" "${second[@]}" -nolisten tcp -noreset 3>"$fd_file" \
        </dev/null >"$state/xvfb.log" 2>&1 &
    echo $! > "$state/xvfb.pid"
    for _ in $(seq 100); do
        [ -s "$fd_file" ] && break
        sleep 0.05
    done
    [ -s "$fd_file" ] || { echo "Xvfb did not start: $(cat "$state/xvfb.log")" >&2; exit 1; }
    echo ":$(head -n1 "$fd_file")" > "$display_file"
    export DISPLAY=$(cat "$display_file")
}

stop_all() {
    "$WINESERVER" -k 2>/dev/null || true
    "$WINESERVER" -w 2>/dev/null || true
    if [ -r "$state/xvfb.pid" ]; then
        kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
        rm -f "$state/xvfb.pid"
    fi
    rm -f "$display_file"
}

# Web addresses go to a sink that logs them, never to a browser.
register_url_sink() {
    local bin sink
    [ "$arch" = win32 ] && bin=$build/i686/bin || bin=$build/x86_64/bin
    sink=$bin/url-sink.exe
    [ -f "$sink" ] || return 0
    sink=$("$loader" winepath -w "$sink" 2>/dev/null | tr -d '\r')
    for proto in http https; do
        "$loader" reg add "HKCR\\$proto\\shell\\open\\command" /ve /d "\"$sink\" \"%1\"" /f >/dev/null 2>&1
    done
}

# The prefix as every environment starts from, made once per build tree. Its
# wineserver has ended when this returns, so the files are whole and nothing
# writes to them while they are copied.
make_base() {
    [ -f "$base/prefix/.vorlaks-ready" ] && return 0
    (
        export HOME=$base/home WINEPREFIX=$base/prefix XDG_RUNTIME_DIR=$base/home
        rm -rf "$WINEPREFIX"
        mkdir -p "$HOME"
        "$loader" wineboot -i >"$base/wineboot.log" 2>&1
        "$WINESERVER" -w
        # The prefix names Wine's own fonts (MS Sans Serif, Tahoma ...) in its
        # Fonts folder, but this packaging leaves that folder empty.
        cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
        # Without a window manager, destroying a managed window waits two seconds.
        "$loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        "$WINESERVER" -w
        touch "$WINEPREFIX/.vorlaks-ready"
    )
}

make_prefix() {
    [ -f "$WINEPREFIX/.vorlaks-ready" ] && return 0
    # Environments starting side by side make the base once, one after the other.
    (
        flock 9
        make_base
    ) 9>"$build/wine-base.lock"
    rm -rf "$WINEPREFIX" "$WINEPREFIX.new"
    cp -a "$base/prefix" "$WINEPREFIX.new"
    # The user's folders (Desktop, Documents ...) link to the HOME that made
    # the base; each environment's go to its own.
    find "$WINEPREFIX.new/drive_c/users" -type l -lname "$base/home*" | while read -r link; do
        target=$(readlink "$link")
        ln -sfn "$HOME${target#"$base/home"}" "$link"
    done
    mv "$WINEPREFIX.new" "$WINEPREFIX"
}

case "$cmd" in
prefix)
    make_prefix
    ;;
start)
    stop_all
    start_xvfb
    make_prefix
    if [ -n "${VORLAKS_CD_FOLDER:-}" ]; then
        # Wine learns a drive's type when it starts, so the server that made
        # the setting ends before the persistent one starts.
        ln -sfn "$(cd "$VORLAKS_CD_FOLDER" && pwd)" "$WINEPREFIX/dosdevices/e:"
        "$loader" reg add 'HKLM\Software\Wine\Drives' /v e: /d cdrom /f >/dev/null 2>&1
        "$WINESERVER" -k 2>/dev/null || true
        "$WINESERVER" -w 2>/dev/null || true
    fi
    # A persistent wineserver spares every test the start-up wait.
    "$WINESERVER" -p </dev/null >"$state/wineserver.log" 2>&1
    # The first program in a session starts Wine's background services, which
    # keep its output open; let that be this one, writing to a file.
    "$loader" cmd.exe /c exit </dev/null >"$state/services.log" 2>&1
    register_url_sink
    echo "Wine ($arch) ready on display $DISPLAY, prefix $WINEPREFIX"
    ;;
stop)
    stop_all
    ;;
run)
    prog=${1:?program}
    shift
    exec "$loader" "$prog" "$@"
    ;;
env)
    # For a shell: eval "$(tools/wine-env.sh env build)"
    echo "export HOME='$HOME' WINEPREFIX='$WINEPREFIX' WINEARCH='$WINEARCH' WINESERVER='$WINESERVER' WINEDEBUG='$WINEDEBUG' DISPLAY='${DISPLAY:-}' WINELOADER='$loader'"
    ;;
*)
    echo "unknown command $cmd" >&2; exit 2 ;;
esac
