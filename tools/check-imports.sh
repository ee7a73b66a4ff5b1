#!/bin/bash
# Fails when a program imports a DLL that is not part of Windows itself.
set -euo pipefail
objdump=$1; shift
allowed='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comctl32|comdlg32|msvcrt|version|winmm)\.dll$'
status=0
for exe in "$@"; do
    while read -r dll; do
        if ! echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$allowed"; then
            echo "$exe imports $dll, which Windows does not ship"; status=1
        fi
    done < <("$objdump" -p "$exe" | awk '/DLL Name:/ {print $3}')
    echo "$exe: $("$objdump" -p "$exe" | awk '/DLL Name:/ {printf "%s ", $3}')"
done
exit $status
