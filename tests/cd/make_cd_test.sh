#!/bin/bash
# Makes the CD from the built programs, for a day between two seasons, and
# checks the ISO: its volume name, every file in its place under its Joliet
# name, the copies byte for byte, and the game page made from the season that
# the saver's installer carries.
#
#   bash tests/cd/make_cd_test.sh BIN
#
# Prints `N passed, M failed`; exits non-zero on a failure.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
bin=$(cd "${1:?usage: make_cd_test.sh BIN}" && pwd)
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT

passed=0
failed=0
check() {
    local name=$1
    shift
    if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL $name"; fi
}

# Made in June 2027: the CD carries the next season, October 2027 to April 2028.
bash "$root/tools/make-cd.sh" --bin "$bin" --on 2027-06-15 --out "$work" >/dev/null || { echo "make-cd.sh failed"; exit 1; }
schedule=$work/cd-season/schedule.pvz
check "the season's schedule is kept beside the CD" test -s "$schedule"
check "made between seasons, it is the next season's" \
    bash -c "head -n 1 '$schedule' | grep -q '^2027-10-' && tail -n 1 '$schedule' | grep -q '^2028-04-'"
check "the season has its 50 games" \
    bash -c "grep -c . '$schedule' | grep -qx 50"
iso=$work/vorlaks-theme-pack.iso
check "the ISO is written" test -s "$iso"
check "its volume is TARROWICK_VORLAKS" \
    bash -c "xorriso -indev '$iso' -pvd_info 2>/dev/null | grep -q '^Volume Id *: TARROWICK_VORLAKS\$'"

# What Windows sees: the Joliet tree.
mkdir -p "$work/out"
xorriso -osirrox on -rockridge off -joliet on -indev "$iso" -extract / "$work/out" >/dev/null 2>&1
listing=$(cd "$work/out" && find . -type f | sed 's|^\./||' | sort)
expected=$(printf '%s\n' autorun.inf exec.exe games/index.html help/readme.txt install/instscr.exe \
    install/insttm98.exe install/insttmNT.exe install/macromed/axflash.exe menu.exe | sort)
check "the CD holds exactly its files" test "$listing" = "$expected"
[ "$listing" = "$expected" ] || diff <(echo "$expected") <(echo "$listing")

# Each: file on the CD, the file it is a copy of.
python3 "$root/tools/make_games_page.py" "$work/index.html" "$schedule" >/dev/null
while read -r on_cd source; do
    check "$on_cd is its source, byte for byte" cmp -s "$work/out/$on_cd" "$source"
done <<EOF
menu.exe $bin/menu.exe
exec.exe $bin/exec.exe
autorun.inf $root/cd/autorun.inf
install/macromed/axflash.exe $bin/axflash.exe
help/readme.txt $root/cd/help/readme.txt
games/index.html $work/index.html
EOF
check "the game page is the 2027-28 season's" grep -q '2027-28 Season' "$work/out/games/index.html"
for n in instscr insttm98 insttmNT; do
    check "install/$n.exe is an installer" bash -c "head -c 2 '$work/out/install/$n.exe' | grep -q MZ"
done

echo "$passed passed, $failed failed"
# A run whose checks never ran proves nothing.
[ "$failed" = 0 ] && [ "$passed" -gt 0 ]
