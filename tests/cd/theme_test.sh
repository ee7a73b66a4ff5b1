#!/bin/bash
# Runs the two theme installers silently under Wine and checks what they
# leave behind: install\insttm98.exe (Desktop Theme, Windows 98) on an
# 800 x 600 and a 1024 x 768 screen, with and without the screen saver
# installed, and install\insttmNT.exe (wallpaper alone, Windows 2000), then
# each one's uninstaller.
#
#   bash tests/cd/theme_test.sh BUILD insttm98.exe insttmNT.exe
#
# BUILD is a build folder with i686/bin (for tools/wine-env.sh). The Wine
# environments are this test's own (fresh prefixes below BUILD, stopped at
# the end). Prints `N passed, M failed`; exits non-zero on a failure.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:?usage: theme_test.sh BUILD insttm98.exe insttmNT.exe}" && pwd)
work=$build/cd-theme-test
rm -rf "$work"
mkdir -p "$work"
wallpapers=$root/resources/wallpaper

cp "${2:?the built insttm98.exe}" "$work/insttm98.exe" && cp "${3:?the built insttmNT.exe}" "$work/insttmNT.exe" || exit 1

passed=0
failed=0
check() { # name, then a command that must succeed
    local name=$1
    shift
    if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL $name"; fi
}

states=(wine-cdtheme wine-cdtheme-1024)
cleanup() {
    for s in "${states[@]}"; do VORLAKS_WINE_STATE=$s bash "$root/tools/wine-env.sh" stop "$build" >/dev/null 2>&1; done
}
trap cleanup EXIT

# use STATE SCREEN: a fresh environment of that screen size, made current.
use() {
    VORLAKS_WINE_STATE=$1 bash "$root/tools/wine-env.sh" stop "$build" >/dev/null 2>&1
    rm -rf "${build:?}/$1"
    VORLAKS_WINE_STATE=$1 VORLAKS_SCREEN=$2 bash "$root/tools/wine-env.sh" start "$build" >/dev/null ||
        { echo "Wine did not start"; exit 1; }
    eval "$(VORLAKS_WINE_STATE=$1 bash "$root/tools/wine-env.sh" env "$build")"
    C=$WINEPREFIX/drive_c
}
wine() { "$WINELOADER" "$@" </dev/null 2>/dev/null; }
set_version() { wine reg add 'HKCU\Software\Wine' /v Version /d "$1" /f >/dev/null; }
# The data of a registry value, or nothing when it is missing.
reg_value() {
    wine reg query "$1" /v "$2" | tr -d '\r' | awk -v v="$2" '$1 == v { sub(/^[ \t]*[^ \t]+[ \t]+REG_[A-Z_]+[ \t]*/, ""); print; f = 1 } END { exit !f }'
}
reg_missing() { ! wine reg query "$1" >/dev/null; }
# An INI value as Windows reads it: the first such key in its section.
ini_value() { # file section key
    tr -d '\r' <"$1" | awk -v s="[$2]" -v k="$3" '
        /^\[/ { in_s = (tolower($0) == tolower(s)); next }
        in_s && index(tolower($0), tolower(k) "=") == 1 { print substr($0, length(k) + 2); exit }'
}
equals() { [ "$1" = "$2" ] || { echo "  got '$1', want '$2'"; return 1; }; }
# An uninstaller copies itself away and runs from there; wait until it has
# removed the folder it lives in, its last step.
uninstall() { # uninstaller path
    wine "$1" /S
    for _ in $(seq 150); do
        [ -e "$(dirname "$1")" ] || { sleep 0.5; return 0; }
        sleep 0.2
    done
    echo "  the uninstaller did not finish"
    return 1
}

theme_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\TarrowickVorlaksTheme'
wall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\TarrowickVorlaksWallpaper'
desktop='HKCU\Control Panel\Desktop'

# --- insttm98 on an 800 x 600 screen, no screen saver installed --------------
use wine-cdtheme 800x600x24
set_version win98
themes=$C/'Program Files/Plus!/Themes'
theme=$themes/'Tarrowick Vorlaks.theme'
wine "$work/insttm98.exe" /S
check "98: the theme is in the Themes folder" test -f "$theme"
check "98: the 800 x 600 wallpaper is beside it" cmp -s "$wallpapers/vorlaks800.bmp" "$themes/Tarrowick Vorlaks wallpaper.bmp"
check "98: the theme names the installed wallpaper" \
    equals "$(ini_value "$theme" 'Control Panel\Desktop' Wallpaper)" 'C:\Program Files\Plus!\Themes\Tarrowick Vorlaks wallpaper.bmp'
check "98: the wallpaper centred, not tiled" \
    equals "$(ini_value "$theme" 'Control Panel\Desktop' TileWallpaper)/$(ini_value "$theme" 'Control Panel\Desktop' WallpaperStyle)" "0/0"
check "98: no screen saver named where none is installed" equals "$(ini_value "$theme" boot SCRNSAVE.EXE)" ""
# The team's colours come through the installer's rewrite untouched.
for pair in 'Background=11 31 75' 'ActiveTitle=11 31 75' 'TitleText=242 169 0' 'Window=255 255 255' \
    'WindowText=0 0 0' 'Menu=206 220 236' 'Hilight=11 31 75' 'HilightText=242 169 0' 'ButtonFace=206 220 236'; do
    check "98: colour ${pair%%=*}" equals "$(ini_value "$theme" 'Control Panel\Colors' "${pair%%=*}")" "${pair#*=}"
done
check "98: Add/Remove Programs lists it" equals "$(reg_value "$theme_key" DisplayName)" "Tarrowick Vorlaks Desktop Theme"
uninstaller98=$C/'Program Files/Tarrowick Vorlaks/Uninstall Desktop Theme.exe'
check "98: the uninstaller is in place" test -f "$uninstaller98"

# The screen saver installed since: installing again names it.
cp "$build/i686/bin/vorsaver.scr" "$C/windows/system32/vorsaver.scr"
wine "$work/insttm98.exe" /S
check "98: the theme names the installed screen saver" \
    equals "$(ini_value "$theme" boot SCRNSAVE.EXE)" 'C:\windows\system32\vorsaver.scr'
check "98: installing again leaves one wallpaper entry" \
    equals "$(tr -d '\r' <"$theme" | grep -c '^Wallpaper=')" 1

check "98: the uninstaller runs" uninstall "$uninstaller98"
check "98: the theme is gone" test ! -e "$theme"
check "98: the wallpaper is gone" test ! -e "$themes/Tarrowick Vorlaks wallpaper.bmp"
check "98: the Themes folder stays" test -d "$themes"
check "98: the screen saver stays" test -f "$C/windows/system32/vorsaver.scr"
check "98: Add/Remove Programs no longer lists it" reg_missing "$theme_key"

# --- insttmNT on an 800 x 600 screen --------------------------------------------
set_version win2k
wine reg add "$desktop" /v Wallpaper /d 'C:\windows\before.bmp' /f >/dev/null
wine reg add "$desktop" /v TileWallpaper /d 1 /f >/dev/null
wine reg add "$desktop" /v WallpaperStyle /d 0 /f >/dev/null
wine "$work/insttmNT.exe" /S
ours='C:\windows\Tarrowick Vorlaks.bmp'
check "NT: the 800 x 600 wallpaper is in the Windows folder" cmp -s "$wallpapers/vorlaks800.bmp" "$C/windows/Tarrowick Vorlaks.bmp"
check "NT: it is the desktop's wallpaper" equals "$(reg_value "$desktop" Wallpaper)" "$ours"
check "NT: centred, not tiled" equals "$(reg_value "$desktop" TileWallpaper)/$(reg_value "$desktop" WallpaperStyle)" "0/0"
check "NT: Add/Remove Programs lists it" equals "$(reg_value "$wall_key" DisplayName)" "Tarrowick Vorlaks Wallpaper"
# Installing again must keep the wallpaper from before the first time.
wine "$work/insttmNT.exe" /S
check "NT: installing again keeps the previous wallpaper to go back to" \
    equals "$(reg_value 'HKCU\Software\Tarrowick Vorlaks\Wallpaper' Wallpaper)" 'C:\windows\before.bmp'
check "NT: the uninstaller runs" uninstall "$C/Program Files/Tarrowick Vorlaks/Uninstall Wallpaper.exe"
check "NT: the previous wallpaper is back" equals "$(reg_value "$desktop" Wallpaper)" 'C:\windows\before.bmp'
check "NT: tiled again, as before" equals "$(reg_value "$desktop" TileWallpaper)" 1
check "NT: the wallpaper file is gone" test ! -e "$C/windows/Tarrowick Vorlaks.bmp"
check "NT: nothing kept for it" reg_missing 'HKCU\Software\Tarrowick Vorlaks'
check "NT: Add/Remove Programs no longer lists it" reg_missing "$wall_key"
check "NT: its folder under Program Files is gone" test ! -e "$C/Program Files/Tarrowick Vorlaks"

# A wallpaper chosen since installing stays when uninstalling.
wine "$work/insttmNT.exe" /S
wine reg add "$desktop" /v Wallpaper /d 'C:\windows\later.bmp' /f >/dev/null
check "NT: the uninstaller runs (wallpaper changed since)" uninstall "$C/Program Files/Tarrowick Vorlaks/Uninstall Wallpaper.exe"
check "NT: a wallpaper chosen since stays" equals "$(reg_value "$desktop" Wallpaper)" 'C:\windows\later.bmp'
check "NT: the wallpaper file is gone (wallpaper changed since)" test ! -e "$C/windows/Tarrowick Vorlaks.bmp"

# --- both on a 1024 x 768 screen --------------------------------------------
use wine-cdtheme-1024 1024x768x24
set_version win98
themes=$C/'Program Files/Plus!/Themes'
wine "$work/insttm98.exe" /S
check "98 at 1024 x 768: the larger wallpaper" cmp -s "$wallpapers/vorlaks1024.bmp" "$themes/Tarrowick Vorlaks wallpaper.bmp"
set_version nt40
wine "$work/insttmNT.exe" /S
check "NT 4 at 1024 x 768: the larger wallpaper" cmp -s "$wallpapers/vorlaks1024.bmp" "$C/windows/Tarrowick Vorlaks.bmp"
check "NT 4 at 1024 x 768: it is the desktop's wallpaper" equals "$(reg_value "$desktop" Wallpaper)" "$ours"

# --- the pages, by keyboard (tests/e2e/setup_driver_win.cpp) ------------------
driver=$(cd "$(dirname "$2")" && pwd)/setup-driver.exe
pages() { # the driver's steps; prints what the pages said when one fails
    local out
    out=$("$WINELOADER" "$driver" "$@" 2>/dev/null | tr -d '\r')
    [ "${out##*$'\n'}" = OK ] || { echo "$out" | sed 's/^/    /'; return 1; }
}
# The theme: no folder to choose, what to do next, then its uninstaller.
set_version win98
wine reg delete "$theme_key" /f >/dev/null
"$WINELOADER" "$work/insttm98.exe" </dev/null >/dev/null 2>&1 &
setup_pid=$!
check "98 pages: welcome says where and why, finish what next" pages "Tarrowick Vorlaks Desktop Theme Setup" \
    "text:the one folder where Desktop Themes finds themes" "text:1024 x 768 screen" "no:Browse" key:RETURN \
    "text:open Desktop Themes in Control Panel" key:RETURN gone
wait $setup_pid
check "98 pages: the installer exits 0" equals $? 0
check "98 pages: the theme is installed" test -f "$themes/Tarrowick Vorlaks.theme"
"$WINELOADER" "$C/Program Files/Tarrowick Vorlaks/Uninstall Desktop Theme.exe" </dev/null >/dev/null 2>&1
check "98 pages: the uninstaller asks, then removes" pages "Remove the Tarrowick Vorlaks Desktop Theme" \
    "text:The Themes folder itself and your other themes stay" key:RETURN "text:has been removed" key:RETURN gone
sleep 1
check "98 pages: the theme is gone" test ! -e "$themes/Tarrowick Vorlaks.theme"

# The wallpaper alone: now a welcome and a finish, and Cancel asks first.
set_version win2k
"$WINELOADER" "$work/insttmNT.exe" </dev/null >/dev/null 2>&1 &
setup_pid=$!
check "NT pages: Cancel asks, Enter leaves" pages "Tarrowick Vorlaks Wallpaper Setup" \
    "text:makes it your desktop's wallpaper" key:ESCAPE "box:Leave setup?" key:RETURN gone
wait $setup_pid
check "NT pages: cancelled exits 1" equals $? 1
"$WINELOADER" "$work/insttmNT.exe" </dev/null >/dev/null 2>&1 &
setup_pid=$!
check "NT pages: welcome, finish" pages "Tarrowick Vorlaks Wallpaper Setup" "text:Your wallpaper now is remembered" \
    key:RETURN "text:is now on your desktop" "text:open Display in Control Panel" key:RETURN gone
wait $setup_pid
check "NT pages: the installer exits 0" equals $? 0
check "NT pages: it is the desktop's wallpaper" equals "$(reg_value "$desktop" Wallpaper)" "$ours"

echo "$passed passed, $failed failed"
# A run whose checks never ran proves nothing.
[ "$failed" = 0 ] && [ "$passed" -gt 0 ]
