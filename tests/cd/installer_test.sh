#!/bin/bash
# The screen saver's installer end to end under Wine, as Windows 98 and as
# Windows 2000: installs silently, checks the files, the current-saver
# setting (short path) and the Add/Remove Programs entry, runs the installed
# saver, installs again (over the same version, over a running saver and
# over a newer one), uninstalls and checks that everything is gone, nothing
# is left in Temp and the saver from before is back. Then the faults: a
# file that cannot be written half-way through and one that cannot be
# replaced, each of which must leave everything as it was. Then the pages,
# driven by keyboard (setup-driver.exe): the installer on Windows 2000 and
# Vista, its Cancel, a failed copy's message, the CD taken out, and the
# uninstaller on 98 and 2000.
#
#   installer_test.sh BUILD INSTSCR_EXE BIN_FOLDER [gdi ROUNDS]
#
# With "gdi", only the GDI objects over ROUNDS installs and uninstalls
# (gdi-count.dll, with-stand-in.exe; see gdi_rounds below).
#
# BUILD is a build folder whose Wine environment runs (tools/wine-env.sh
# start BUILD); BIN_FOLDER holds the vorsaver.scr and vorlaks.swf the
# installer carries, and setup-driver.exe. The Windows version setting is
# put back at the end.
set -uo pipefail
build=${1:?usage: installer_test.sh BUILD INSTSCR_EXE BIN_FOLDER}
installer=$(cd "$(dirname "${2:?installer}")" && pwd)/$(basename "$2")
bin=$(cd "${3:?bin folder}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
root=$here/../..
eval "$(bash "$root/tools/wine-env.sh" env "$build")"
export WINEDEBUG=-all

passed=0
failed=0
check() { # name, then a command that succeeds when the check passes
    local name=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: $version: $name" >&2
    fi
}

wine_() { "$WINELOADER" "$@" 2>/dev/null | tr -d '\r'; }
unix_path() { wine_ winepath -u "$1"; }
reg_value() { # key value -> the value's data, or nothing
    wine_ reg query "$1" /v "$2" | awk -v v="$2" 'BEGIN{IGNORECASE=1} $1==v {sub(/^[ \t]*[^ \t]+[ \t]+REG_[A-Z_]+[ \t]+/, ""); print; exit}'
}
reg_has_key() { "$WINELOADER" reg query "$1" >/dev/null 2>&1; }

system_ini=$WINEPREFIX/drive_c/windows/system.ini
ini_get() { # file section key
    python3 - "$@" <<'EOF'
import sys
path, section, key = sys.argv[1:]
current = None
for line in open(path, encoding='cp1252', newline=''):
    line = line.strip()
    if line.startswith('['):
        current = line[1:line.index(']')].lower()
    elif current == section.lower() and '=' in line and line.split('=', 1)[0].strip().lower() == key.lower():
        print(line.split('=', 1)[1].strip())
        break
EOF
}
ini_set() { # file section key value ("" removes the line)
    python3 - "$@" <<'EOF'
import sys
path, section, key, value = sys.argv[1:]
lines = open(path, encoding='cp1252', newline='').read().split('\r\n')
out, current, done = [], None, False
for line in lines:
    s = line.strip()
    if s.startswith('['):
        if current == section.lower() and not done and value:
            out.append('%s=%s' % (key, value)); done = True
        current = s[1:s.index(']')].lower()
    elif current == section.lower() and '=' in s and s.split('=', 1)[0].strip().lower() == key.lower():
        if value and not done:
            out.append('%s=%s' % (key, value)); done = True
        continue
    out.append(line)
if not done and value:
    if current != section.lower():
        out.insert(len(out) - 1 if out and out[-1] == '' else len(out), '[%s]' % section)
    out.insert(len(out) - 1 if out and out[-1] == '' else len(out), '%s=%s' % (key, value))
open(path, 'w', encoding='cp1252', newline='').write('\r\n'.join(out))
EOF
}

# A path in the short form Windows keeps: every part 8.3, no blanks.
is_short_path() {
    python3 - "$1" <<'EOF'
import re, sys
parts = sys.argv[1].split('\\')
ok = re.fullmatch(r'[A-Za-z]:', parts[0]) and all(re.fullmatch(r'[^ .\\]{1,8}(\.[^ .\\]{1,3})?', p) for p in parts[1:])
sys.exit(0 if ok else 1)
EOF
}

# The first of the two version words in vorsaver.scr's version resource,
# raised by one: a copy that claims to be newer.
make_newer() {
    python3 - "$1" <<'EOF'
import struct, sys
data = bytearray(open(sys.argv[1], 'rb').read())
at = data.find(struct.pack('<I', 0xFEEF04BD), data.find('VS_VERSION_INFO'.encode('utf-16-le')))
assert at >= 0, 'no version resource'
for field in (at + 8, at + 16):      # dwFileVersionMS, dwProductVersionMS
    (v,) = struct.unpack_from('<I', data, field)
    struct.pack_into('<I', data, field, v + 0x10000)
open(sys.argv[1], 'wb').write(data)
EOF
}

same_file() { cmp -s "$1" "$2"; }
# The saver installer's own files in a folder, with the copies its steps
# make beside them, by name: the folder may be System, whose other files
# (Wine's sound.drv among them) are not the installer's.
own_files_in() {
    local name suffix found=()
    for name in vorsaver.scr vorlaks.swf schedule.pvz sound.pvz tarvordat.pvz vorsaver-uninstall.exe vorsaver-uninstall.ini; do
        for suffix in "" .tmp .new .old .upd; do
            [ -e "$1/$name$suffix" ] && found+=("$name$suffix")
        done
    done
    printf '%s\n' "${found[@]}" | sort | tr '\n' ' '
}
wait_gone() { # path: the uninstaller's copy removes it as its last step
    for _ in $(seq 100); do
        [ -e "$1" ] || break
        sleep 0.2
    done
    sleep 0.5
}
# The uninstaller's copy in Temp, queued for deletion at the next start
# (NUL as the target in wininit.ini where MoveFileEx cannot queue it).
queued_delete() {
    wine_ reg query 'HKLM\System\CurrentControlSet\Control\Session Manager' /v PendingFileRenameOperations |
        grep -qi 'vsu.*\.tmp' ||
        grep -qi '^NUL=.*VSU' "$WINEPREFIX/drive_c/windows/wininit.ini" 2>/dev/null
}
exists() { [ -e "$1" ]; }
missing() { [ ! -e "$1" ]; }
equals() { [ "$1" = "$2" ]; }
differs() { [ "$1" != "$2" ]; }

# The installed saver's setting: the path Windows will start.
current_saver() {
    if [ "$nt" = 1 ]; then reg_value 'HKCU\Control Panel\Desktop' SCRNSAVE.EXE
    else ini_get "$system_ini" boot SCRNSAVE.EXE; fi
}

run_saver_briefly() { # folder: starts vorsaver.scr /s there and ends it after a few seconds
    rm -f "$1/tarvordat.pvz"
    (cd "$1" && "$WINELOADER" vorsaver.scr /s >/dev/null 2>&1 &)
    for _ in $(seq 50); do
        [ -s "$1/tarvordat.pvz" ] && break
        sleep 0.2
    done
    sleep 1
    "$WINELOADER" taskkill /f /im vorsaver.scr >/dev/null 2>&1
    for _ in $(seq 25); do
        pgrep -f 'vorsaver.scr /s' >/dev/null || break
        sleep 0.2
    done
}

uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\TarrowickVorlaksSaver'
installed_names=(vorsaver.scr vorlaks.swf schedule.pvz sound.pvz vorsaver-uninstall.exe vorsaver-uninstall.ini)
version_before=$(reg_value 'HKCU\Software\Wine' Version)

driver=$bin/setup-driver.exe
title='Tarrowick Vorlaks Screen Saver Setup'
uninstall_title='Remove the Tarrowick Vorlaks Screen Saver'
pages() { # the driver's steps; prints what the pages said when one fails
    local out
    out=$("$WINELOADER" "$driver" "$@" 2>/dev/null | tr -d '\r')
    [ "${out##*$'\n'}" = OK ] || { echo "$out" | sed 's/^/    /' >&2; return 1; }
}
installed_at() { [ -e "$1/vorsaver.scr" ] && [ -e "$1/vorsaver-uninstall.exe" ]; }
windows_path() { wine_ winepath -w "$1"; }

# The Windows version setting as it was, and the verdict.
finish() {
    if [ -n "$version_before" ]; then
        "$WINELOADER" reg add 'HKCU\Software\Wine' /v Version /d "$version_before" /f >/dev/null 2>&1
    else
        "$WINELOADER" reg delete 'HKCU\Software\Wine' /v Version /f >/dev/null 2>&1
    fi
    echo "$passed passed, $failed failed"
    # A run whose checks never ran proves nothing.
    [ "$failed" = 0 ] && [ "$passed" -gt 0 ]
}

# Windows 95/98 keep every program's GDI objects in one 64 KB heap, and
# what a program leaves live there stays when it ends. ROUNDS installs and
# uninstalls with their pages shown, each run with gdi-count.dll in it: none
# may end with an object or a window DC live or delete one still selected,
# and each peaks as high as the first.
gdi_rounds() { # ROUNDS
    local rounds=$1 round logs logs_w peaks first_install='' first_uninstall='' running code
    version=win2k
    "$WINELOADER" reg add 'HKCU\Software\Wine' /v Version /d "$version" /f >/dev/null 2>&1
    folder=$(unix_path "$(wine_ cmd /c echo %APPDATA%)\\Tarrowick Vorlaks Saver")
    rm -rf "$folder"
    logs=$build/setup-gdi
    rm -rf "$logs" && mkdir -p "$logs"
    logs_w=$(windows_path "$logs")
    # Each path asked of Wine once: every question starts a Wine program.
    local counter_w installer_w temp temp_w folder_w
    counter_w=$(windows_path "$bin/gdi-count.dll")
    installer_w=$(windows_path "$installer")
    temp_w=$(wine_ cmd /c echo %TEMP%)
    temp=$(unix_path "$temp_w")
    folder_w=$(windows_path "$folder")
    counted() { # LOG PROGRAM [ARGUMENTS...]: the program with gdi-count.dll in it, in the background
        local log=$1
        shift
        VORLAKS_GDI_LOG="$logs_w\\$log.log" "$WINELOADER" "$bin/with-stand-in.exe" "$counter_w" "$@" \
            >/dev/null 2>&1 &
        running=$!
    }
    # The counted program's exit code in `code`, once its pages are done;
    # one still running 10 s later is ended (99).
    ended() { # IMAGE
        local i
        for i in $(seq 50); do kill -0 "$running" 2>/dev/null || break; sleep 0.2; done
        if kill -0 "$running" 2>/dev/null; then
            "$WINELOADER" taskkill /f /im "$1" >/dev/null 2>&1
            sleep 1
            kill "$running" 2>/dev/null
            wait "$running"
            code=99
        else
            wait "$running"
            code=$?
        fi
    }
    # The log's peak line, or why it is not sound.
    peak_of() { # LOG
        local file=$logs/$1.log
        [ -s "$file" ] || { echo "no log"; return; }
        if grep -q '^left ' "$file"; then grep '^left ' "$file" | head -3 | tr -d '\r'; return; fi
        grep '^peak ' "$file" | sed 's/; made.*deleted while selected/; deleted while selected/' | tr -d '\r'
    }
    for round in $(seq "$rounds"); do
        counted "install-$round" "$installer_w"
        check "GDI: install $round, its pages" pages "$title" key:RETURN "text:is now your screen saver" \
            key:ALT+O "check:Open Display Properties now=0" key:RETURN gone
        ended instscr.exe
        check "GDI: install $round exits 0 ($code)" equals "$code" 0
        peaks=$(peak_of "install-$round")
        [ -n "$first_install" ] || first_install=$peaks
        check "GDI: install $round ends with nothing live and peaks as the first ($peaks)" \
            equals "$peaks" "$first_install"
        # The uninstaller's copy in Temp, as the installed uninstaller starts it.
        cp "$folder/vorsaver-uninstall.exe" "$temp/vsugdi$round.tmp"
        # Wine quotes an argument with blanks as a whole, as the copy reads it.
        counted "uninstall-$round" "$temp_w\\vsugdi$round.tmp" "/folder=$folder_w" \
            "/product=vorsaver-uninstall.exe"
        check "GDI: uninstall $round, its pages" pages "$uninstall_title" key:RETURN "text:has been removed" \
            key:RETURN gone
        ended "vsugdi$round.tmp"
        check "GDI: uninstall $round exits 0 ($code)" equals "$code" 0
        peaks=$(peak_of "uninstall-$round")
        [ -n "$first_uninstall" ] || first_uninstall=$peaks
        check "GDI: uninstall $round ends with nothing live and peaks as the first ($peaks)" \
            equals "$peaks" "$first_uninstall"
        check "GDI: uninstall $round removed the saver" missing "$folder/vorsaver.scr"
    done
    echo "GDI over $rounds installs: $first_install"
    echo "GDI over $rounds uninstalls: $first_uninstall"
    for peaks in "$first_install" "$first_uninstall"; do
        check "GDI: counted, nothing left live ($peaks)" grep -q '^peak [1-9]' <<< "$peaks"
        check "GDI: nothing deleted while selected ($peaks)" equals "${peaks##* }" 0
    done
}
if [ "${4:-}" = gdi ]; then
    gdi_rounds "${5:-20}"
    finish
    exit
fi

for version in win98 win2k; do
    "$WINELOADER" reg add 'HKCU\Software\Wine' /v Version /d "$version" /f >/dev/null 2>&1
    if [ "$version" = win98 ]; then
        nt=0
        folder=$WINEPREFIX/drive_c/windows/system32
        key="HKLM\\$uninstall_key"
        previous='C:\WINDOWS\SYSTEM\OLDSAVER.SCR'
        ini_set "$system_ini" boot SCRNSAVE.EXE "$previous"
    else
        nt=1
        appdata=$(wine_ cmd /c echo %APPDATA%)
        folder=$(unix_path "$appdata\\Tarrowick Vorlaks Saver")
        key="HKCU\\$uninstall_key"
        previous='C:\WINDOWS\system32\oldsaver.scr'
        "$WINELOADER" reg add 'HKCU\Control Panel\Desktop' /v SCRNSAVE.EXE /d "$previous" /f >/dev/null 2>&1
        "$WINELOADER" reg add 'HKCU\Control Panel\Desktop' /v ScreenSaveActive /d 0 /f >/dev/null 2>&1
    fi
    # Nothing left from an earlier run.
    for name in "${installed_names[@]}" tarvordat.pvz; do rm -f "$folder/$name"; done
    "$WINELOADER" reg delete "HKLM\\$uninstall_key" /f >/dev/null 2>&1
    "$WINELOADER" reg delete "HKCU\\$uninstall_key" /f >/dev/null 2>&1

    # First install.
    "$WINELOADER" "$installer" /S
    check "installer exits 0" equals $? 0
    for name in "${installed_names[@]}"; do check "$name installed" exists "$folder/$name"; done
    check "saver is the carried one" same_file "$bin/vorsaver.scr" "$folder/vorsaver.scr"
    check "movie is the carried one" same_file "$bin/vorlaks.swf" "$folder/vorlaks.swf"
    check "schedule has games" grep -q 'Tarrowick Vorlaks' "$folder/schedule.pvz"
    saver=$(current_saver)
    check "setting is in short form ($saver)" is_short_path "$saver"
    check "setting names the installed saver ($saver)" same_file "$(unix_path "$saver")" "$folder/vorsaver.scr"
    if [ "$nt" = 1 ]; then
        check "screen saver on" equals "$(reg_value 'HKCU\Control Panel\Desktop' ScreenSaveActive)" 1
    fi
    check "uninstall key" reg_has_key "$key"
    uninstaller=$(reg_value "$key" UninstallString | tr -d '"')
    check "uninstall key names the uninstaller" same_file "$(unix_path "$uninstaller")" "$folder/vorsaver-uninstall.exe"
    # The 64-bit build (where Wine runs no 32-bit programs) is checked for its DLLs only.
    if x86_64-w64-mingw32-objdump -f "$folder/vorsaver-uninstall.exe" | grep -q "x86-64"; then
        floor=(x86_64-w64-mingw32-objdump "$root/tools/api_floor.tsv" --dlls-only)
    else
        floor=(i686-w64-mingw32-objdump "$root/tools/api_floor.tsv" --cpu)
    fi
    check "uninstaller loads on 95 and NT 4" python3 "$root/tools/check_floor.py" "${floor[@]}" \
        "$folder/vorsaver-uninstall.exe" >/dev/null

    # The installed saver writes its variables beside itself.
    run_saver_briefly "$folder"
    check "saver wrote tarvordat.pvz beside itself" test -s "$folder/tarvordat.pvz"

    # Installing again replaces the carried files, keeps the user's sound
    # setting and still remembers the saver from before the first install.
    printf 'sound=0' > "$folder/sound.pvz"
    : > "$folder/schedule.pvz"
    "$WINELOADER" "$installer" /S
    check "second install exits 0" equals $? 0
    check "schedule replaced" grep -q 'Tarrowick Vorlaks' "$folder/schedule.pvz"
    check "sound setting kept" equals "$(cat "$folder/sound.pvz")" sound=0
    check "still the installed saver" equals "$(current_saver)" "$saver"
    check "previous saver remembered once" equals "$(ini_get "$folder/vorsaver-uninstall.ini" previous saver)" "$previous"

    # A saver that is running cannot be overwritten: the new copy waits beside
    # it and is queued to take its place at the next start (in the registry,
    # or wininit.ini where MoveFileEx cannot queue it).
    cp "$folder/vorsaver.scr" "$build/running.scr"
    (cd "$folder" && "$WINELOADER" vorsaver.scr /s >/dev/null 2>&1 &)
    for _ in $(seq 50); do [ -s "$folder/tarvordat.pvz" ] && break; sleep 0.2; done
    rm -f "$folder/tarvordat.pvz"
    for _ in $(seq 50); do [ -s "$folder/tarvordat.pvz" ] && break; sleep 0.2; done
    "$WINELOADER" "$installer" /S
    check "install over a running saver exits 0" equals $? 0
    check "running saver left in place" same_file "$build/running.scr" "$folder/vorsaver.scr"
    check "new saver waits beside it" same_file "$bin/vorsaver.scr" "$folder/vorsaver.scr.upd"
    queued() {
        wine_ reg query 'HKLM\System\CurrentControlSet\Control\Session Manager' /v PendingFileRenameOperations |
            grep -qi 'vorsaver.scr.upd' ||
            grep -qi 'vorsaver.scr.upd' "$WINEPREFIX/drive_c/windows/wininit.ini" 2>/dev/null
    }
    check "replacement queued for the next start" queued
    "$WINELOADER" taskkill /f /im vorsaver.scr >/dev/null 2>&1
    sleep 1
    rm -f "$build/running.scr"

    # A newer saver already there is kept in silent mode.
    make_newer "$folder/vorsaver.scr"
    cp "$folder/vorsaver.scr" "$build/newer.scr"
    "$WINELOADER" "$installer" /S
    check "install over a newer copy exits 0" equals $? 0
    check "newer saver kept" same_file "$build/newer.scr" "$folder/vorsaver.scr"
    rm -f "$build/newer.scr"

    # Uninstall as Add/Remove Programs does: the uninstaller copies itself
    # to Temp, starts the copy and returns at once; the copy removes it all.
    temp=$(unix_path "$(wine_ cmd /c echo %TEMP%)")
    temp_before=$(find "$temp" -mindepth 1 -maxdepth 1 -type d | sort)
    "$WINELOADER" "$folder/vorsaver-uninstall.exe" /S
    check "uninstaller exits 0" equals $? 0
    wait_gone "$folder/vorsaver-uninstall.exe"
    for name in vorsaver.scr vorsaver.scr.upd vorlaks.swf schedule.pvz sound.pvz tarvordat.pvz vorsaver-uninstall.ini vorsaver-uninstall.exe; do
        check "$name removed" missing "$folder/$name"
    done
    check "uninstall key removed" test "$(reg_has_key "$key" && echo yes)" != yes
    check "previous saver back" equals "$(current_saver)" "$previous"
    if [ "$nt" = 1 ]; then
        check "screen saver off again" equals "$(reg_value 'HKCU\Control Panel\Desktop' ScreenSaveActive)" 0
    fi
    check "no folder left in Temp" equals "$(find "$temp" -mindepth 1 -maxdepth 1 -type d | sort)" "$temp_before"
    check "uninstaller's copy in Temp goes at the next start" queued_delete

    # Installed and removed again: on NT the saver's folder goes too, on
    # 98 the System folder stays.
    "$WINELOADER" "$installer" /S
    "$WINELOADER" "$folder/vorsaver-uninstall.exe" /S
    wait_gone "$folder/vorsaver-uninstall.exe"
    check "uninstaller removed itself" missing "$folder/vorsaver-uninstall.exe"
    if [ "$nt" = 1 ]; then
        check "saver's folder removed" missing "$folder"
    else
        check "System folder kept" exists "$folder/kernel32.dll"
    fi
    check "previous saver back after a plain uninstall" equals "$(current_saver)" "$previous"

    # A file that cannot be written half-way through the first install: the
    # files written before it are taken back and the previous saver stays.
    mkdir -p "$folder/schedule.pvz.tmp"
    "$WINELOADER" "$installer" /S
    check "a file that cannot be written fails the install" equals $? 2
    for name in vorsaver.scr vorsaver.scr.new vorsaver.scr.tmp vorlaks.swf vorlaks.swf.new vorsaver-uninstall.exe vorsaver-uninstall.ini; do
        check "$name not left by the failed install" missing "$folder/$name"
    done
    check "previous saver still current after the failed install" equals "$(current_saver)" "$previous"
    check "no uninstall key after the failed install" test "$(reg_has_key "$key" && echo yes)" != yes
    rmdir "$folder/schedule.pvz.tmp"
    [ "$nt" = 1 ] && rmdir "$folder"

    # A file that cannot be replaced when installing again: what was already
    # replaced is put back.
    "$WINELOADER" "$installer" /S
    printf 'the movie as it was' > "$folder/vorlaks.swf"
    mkdir "$folder/schedule.pvz.old"
    "$WINELOADER" "$installer" /S
    check "a file that cannot be replaced fails the install" equals $? 2
    check "the file replaced before it is put back" equals "$(cat "$folder/vorlaks.swf")" "the movie as it was"
    check "no copies left beside the files" equals "$(own_files_in "$folder")" \
        "schedule.pvz schedule.pvz.old sound.pvz vorlaks.swf vorsaver-uninstall.exe vorsaver-uninstall.ini vorsaver.scr "
    check "still installed after the failed install" reg_has_key "$key"
    rmdir "$folder/schedule.pvz.old"
    "$WINELOADER" "$folder/vorsaver-uninstall.exe" /S
    wait_gone "$folder/vorsaver-uninstall.exe"
done

# --- the pages, by keyboard ----------------------------------------------------
"$WINELOADER" reg add 'HKCU\Software\Wine' /v Version /d win2k /f >/dev/null 2>&1
version=win2k
nt=1
folder=$(unix_path "$(wine_ cmd /c echo %APPDATA%)\\Tarrowick Vorlaks Saver")
"$WINELOADER" reg add 'HKCU\Control Panel\Desktop' /v SCRNSAVE.EXE /d 'C:\WINDOWS\system32\oldsaver.scr' /f >/dev/null 2>&1

# Welcome, progress, finish: Enter goes on, Alt+O clears "Open ... now".
"$WINELOADER" "$installer" >/dev/null 2>&1 &
setup_pid=$!
check "pages: welcome, finish" pages "$title" "text:Display Properties opens" "no:Screen Saver Settings" \
    "text:Tarrowick Vorlaks Saver" "no:< &Back" key:RETURN "text:is now your screen saver" "no:< &Back" \
    "check:Open Display Properties now=1" \
    key:ALT+O "check:Open Display Properties now=0" key:RETURN gone
wait $setup_pid
check "pages: the installer exits 0" equals $? 0
check "pages: installed" installed_at "$folder"

# Installing again, leaving "Open Display Properties now" on: Wine has no
# desk.cpl, so the finish says the page could not be opened and how to get there.
"$WINELOADER" "$installer" >/dev/null 2>&1 &
setup_pid=$!
check "pages: says when Display Properties cannot be opened" pages "$title" key:RETURN \
    "text:is now your screen saver" key:RETURN "box:Display Properties could not be opened" \
    "box:choose Properties, then the Screen Saver tab" key:RETURN gone
wait $setup_pid
check "pages: installing again exits 0" equals $? 0

# The uninstaller's pages: what goes, then what happened.
"$WINELOADER" "$folder/vorsaver-uninstall.exe" >/dev/null 2>&1
check "pages: the uninstaller's confirmation and finish" pages "Remove the Tarrowick Vorlaks Screen Saver" \
    "text:the one you had before comes back" key:RETURN "text:has been removed" \
    "text:The screen saver you had before is your screen saver again" key:RETURN gone
wait_gone "$folder/vorsaver-uninstall.exe"
check "pages: removed" missing "$folder"
check "pages: previous saver back" equals "$(current_saver)" 'C:\WINDOWS\system32\oldsaver.scr'

# A file that cannot be written: a message that names it, then a last page
# that says nothing was changed.
mkdir -p "$folder/schedule.pvz.tmp"
"$WINELOADER" "$installer" >/dev/null 2>&1 &
setup_pid=$!
check "pages: a failed copy names the file" pages "$title" key:RETURN "box:schedule.pvz could not be written" \
    key:RETURN "text:Nothing has been changed" key:RETURN gone
wait $setup_pid
check "pages: the failed install exits 2" equals $? 2
check "pages: nothing installed after the failure" missing "$folder/vorsaver.scr"
rm -rf "$folder"

# The CD taken out while the welcome page shows: the installer's own file
# ends short of the files it carries (cut here, as the CD's drive would
# answer). The message says so and nothing is installed.
cp "$installer" "$build/cd-out.exe"
"$WINELOADER" "$build/cd-out.exe" >/dev/null 2>&1 &
setup_pid=$!
check "pages: the CD taken out" pages "$title" "text:Welcome" >/dev/null
truncate -s 200000 "$build/cd-out.exe"
check "pages: the CD taken out is named as such" pages "$title" key:RETURN \
    "box:could not read its own files from the CD" "box:Is the CD still in the drive?" key:RETURN \
    "text:Nothing has been changed" key:RETURN gone
wait $setup_pid
check "pages: the install without its CD exits 2" equals $? 2
check "pages: nothing installed without the CD" missing "$folder/vorsaver.scr"
rm -f "$build/cd-out.exe"
rm -rf "$folder"

# Vista names its own screen-saver page; Esc asks, and Enter (Yes) leaves.
"$WINELOADER" reg add 'HKCU\Software\Wine' /v Version /d vista /f >/dev/null 2>&1
version=vista
"$WINELOADER" "$installer" >/dev/null 2>&1 &
setup_pid=$!
check "pages: Vista's words, and Cancel" pages "$title" "text:Screen Saver Settings opens" "no:Display Properties" \
    key:ESCAPE "box:Leave the screen saver's setup?" key:RETURN gone
wait $setup_pid
check "pages: cancelled install exits 1" equals $? 1
check "pages: nothing installed after Cancel" missing "$folder/vorsaver.scr"

# Windows 98: the uninstaller says the System folder stays.
"$WINELOADER" reg add 'HKCU\Software\Wine' /v Version /d win98 /f >/dev/null 2>&1
version=win98
folder=$WINEPREFIX/drive_c/windows/system32
"$WINELOADER" "$installer" /S
"$WINELOADER" "$folder/vorsaver-uninstall.exe" >/dev/null 2>&1
check "pages: 98's uninstaller keeps the System folder" pages "Remove the Tarrowick Vorlaks Screen Saver" \
    "text:the folder itself belongs to Windows and stays" "no:following folder" key:ESCAPE gone
sleep 1
check "pages: Cancel in the uninstaller keeps the saver" installed_at "$folder"
"$WINELOADER" "$folder/vorsaver-uninstall.exe" /S
wait_gone "$folder/vorsaver-uninstall.exe"

finish
