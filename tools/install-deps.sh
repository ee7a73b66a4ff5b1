#!/bin/bash
# Installs what building and testing need on a Debian machine (run as root).
# Quick when everything is already there.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang python3
    googletest libgtest-dev
    g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32   # the shipped programs
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix   # the test drivers
    binutils-mingw-w64
    wine wine64 wine32:i386
    fonts-wine          # Wine's MS Sans Serif, which the dialogs name
    xvfb x11-apps xdotool imagemagick
    python3-pil fonts-dejavu-core   # draws the pictures (tools/make_pictures.py)
    libxinerama1:amd64 libxinerama1:i386   # Wine lists the monitors of a two-screen display through it
    chromium            # plays the movie in Ruffle for its test
    pulseaudio pulseaudio-utils   # a sound server whose output e2e.Sound records (parec)
    xorriso             # the CD's ISO image
    locales             # the German user locale of e2e.DataStep.German
)

missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" != 0 ]; then
        echo "Missing packages: ${missing[*]}; run this as root to install them." >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    export DEBIAN_FRONTEND=noninteractive
    # A mirror in the middle of a sync fails one index or another for a
    # while: try again, then go on with the lists that did come (a package
    # that is truly missing still fails the install below).
    for attempt in 1 2 3; do
        apt-get update -q && break
        echo "apt-get update failed (attempt $attempt of 3)" >&2
        [ "$attempt" = 3 ] || sleep 20
    done
    # With one architecture's security list missing (that sync again), the
    # i386 libraries cannot match the amd64 ones' newer versions: take the
    # release's own versions for both instead.
    if ! apt-get install -y -q --no-install-recommends "${missing[@]}"; then
        release=$(. /etc/os-release && echo "$VERSION_CODENAME")
        echo "Installing again from $release's own versions" >&2
        apt-get install -y -q --no-install-recommends -t "$release" "${missing[@]}"
    fi
fi

# Wine takes its user locale from the C library's: without de_DE.UTF-8 the
# German run of the data step would get English month names.
if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
    if [ "$(id -u)" != 0 ]; then
        echo "The de_DE.UTF-8 locale is missing; run this as root to make it." >&2
        exit 1
    fi
    sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen 2>/dev/null || true
    grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null || echo 'de_DE.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
fi

# The movie test's npm packages, pinned in its lock file.
bash "$(dirname "$0")/install-movie-test-deps.sh"
