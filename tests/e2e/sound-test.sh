#!/bin/bash
# The saver's sound as a listener hears it. A sound server of the test's own
# (PulseAudio, its output a null sink standing for the loudspeakers, at half
# volume) takes what Wine plays; the saver runs one burst of its day board
# with each sound setting (tests/e2e/sound_test.cpp), while parec records the
# loudspeakers. The recording must hold the team's sound, once, at the
# system's volume, with "sound=1", and silence with "sound=0" or without the
# file (tools/check_sound.py). Runs in a Wine environment of its own below
# BUILD, with the programs in BIN.
#     tests/e2e/sound-test.sh BUILD BIN
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:?build folder}" && pwd)
bin=$(cd "${2:?programs folder}" && pwd)
env_script=$root/tools/wine-env.sh
export VORLAKS_WINE_STATE=wine-sound
# The environment's prefix suits the programs: 32-bit ones, a 32-bit prefix.
case "$bin" in */i686/bin) arch=win32 ;; *) arch=win64 ;; esac
state=$build/$VORLAKS_WINE_STATE
if [ "$(cat "$state/arch" 2>/dev/null)" != "$arch" ]; then
    "$env_script" stop "$build" 2>/dev/null || true
    rm -rf "$state" && mkdir -p "$state" && echo "$arch" > "$state/arch"
fi

for tool in pulseaudio parec pactl; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (tools/install-deps.sh installs it)"; exit 1; }
done

# A sound server and Wine's sound driver whose files are read from disk as
# they first play stutter: on a machine whose file cache has just been
# emptied the recording loses pieces of the sound, and that is the disk, not
# the saver. Their files are read once first.
warm() { cat "$@" >/dev/null 2>&1 || true; }
for lib in /usr/lib/i386-linux-gnu /usr/lib/x86_64-linux-gnu; do
    for so in "$lib"/wine/*-unix/winepulse.so; do
        [ -e "$so" ] && warm "$so" $(ldd "$so" 2>/dev/null | awk '$3 ~ /^\// {print $3}')
    done
    warm "$lib"/wine/*-windows/{winmm.dll,mmdevapi.dll,winepulse.drv,msacm32.dll,avrt.dll} "$lib"/pulseaudio/*
done
warm /usr/lib/pulse-*/modules/* "$(command -v pulseaudio)" "$(command -v parec)"

server=$build/sound-server
rm -rf "$server" && mkdir -p "$server"
# Every client of this server, Wine's sound driver included, finds it here,
# and none starts a server of its own.
export PULSE_SERVER=unix:$server/native
export PULSE_CLIENTCONFIG=$server/client.conf
echo "autospawn = no" > "$PULSE_CLIENTCONFIG"
speakers=vorlaks_speakers
(
    # Its files stay in its folder; as root it warns and runs all the same.
    export HOME=$server XDG_RUNTIME_DIR=$server PULSE_RUNTIME_PATH=$server/run PULSE_STATE_PATH=$server/state
    # norewinds: the recording keeps the time line as it was played.
    exec pulseaudio --daemonize=no --exit-idle-time=-1 -n --use-pid-file=no --disable-shm=yes \
        --log-target=stderr \
        --load="module-null-sink sink_name=$speakers rate=44100 channels=2 norewinds=1" \
        --load="module-native-protocol-unix auth-anonymous=1 socket=$server/native"
) </dev/null >"$server/pulseaudio.log" 2>&1 &
pulse=$!
recorder=
finish() {
    [ -n "$recorder" ] && kill "$recorder" 2>/dev/null
    kill "$pulse" 2>/dev/null
    wait 2>/dev/null
    "$env_script" stop "$build" || true
}
trap finish EXIT

for _ in $(seq 100); do
    pactl info >/dev/null 2>&1 && break
    kill -0 "$pulse" 2>/dev/null || break
    sleep 0.1
done
if ! pactl info >/dev/null 2>&1; then
    echo "FAIL: the sound server did not start:"
    cat "$server/pulseaudio.log"
    exit 1
fi
# The system's volume at half: the saver's sound must come out at half its
# own level, never louder.
pactl set-sink-volume "$speakers" 0.5

"$env_script" start "$build" >/dev/null
# Wine plays through PulseAudio (it would otherwise also try ALSA).
"$env_script" run "$build" reg add 'HKCU\Software\Wine\Drivers' /v Audio /d pulse /f >/dev/null 2>&1

rc=0
for case in On Off NoSettingFile; do
    recording=$server/$case.raw
    parec -d "$speakers.monitor" --raw --format=s16le --rate=11025 --channels=1 --latency-msec=20 >"$recording" &
    recorder=$!
    # Recording once the server lists the recorder's stream.
    for _ in $(seq 100); do
        [ -n "$(pactl list short source-outputs 2>/dev/null)" ] && break
        sleep 0.05
    done
    [ -n "$(pactl list short source-outputs 2>/dev/null)" ] || { echo "FAIL: parec did not start recording"; exit 1; }
    log=$server/$case.log
    "$env_script" run "$build" "$bin/e2e_saver_tests.exe" --gtest_filter="Sound.$case" >"$log" 2>&1 || true
    kill -INT "$recorder" 2>/dev/null || true
    wait "$recorder" 2>/dev/null || true
    recorder=
    grep -h "burst of motion" "$log" | sed "s/^/$case: /" || true
    if ! grep -q '^\[  PASSED  \] 1 test\.' "$log"; then
        echo "FAIL: Sound.$case:"
        cat "$log"
        rc=1
        continue
    fi
    # A busy machine may leave gaps in what Wine plays, which delay the
    # rest of the sound (--gaps).
    if [ "$case" = On ]; then expect=(--sound --gaps --level 0.4 0.6); else expect=(--silence); fi
    if ! python3 "$root/tools/check_sound.py" recording "$recording" --rate 11025 --min-seconds 2.5 "${expect[@]}" \
        | sed "s/^/$case: /"; then
        rc=1
    fi
done
[ "$rc" = 0 ] && echo "PASSED: the team's sound with sound=1, at the system's volume; silence with sound=0 and without sound.pvz"
exit "$rc"
