#!/bin/sh
# Exits 0 where 32-bit Wine runs natively: the kernel itself runs 32-bit
# programs. Where it cannot, an emulator registered for them (binfmt_misc,
# e.g. qemu-i386) may still start 32-bit Wine, far too slowly for the tests,
# which then run the 64-bit build instead. VORLAKS_WINE32=1 asks for 32-bit
# Wine all the same.
[ "${VORLAKS_WINE32:-}" = 1 ] && exit 0
/usr/lib/wine/wine --version >/dev/null 2>&1 || exit 1
for entry in /proc/sys/fs/binfmt_misc/*; do
    [ -f "$entry" ] || continue
    # An enabled handler for 32-bit x86 ELF programs.
    if head -n1 "$entry" 2>/dev/null | grep -qx enabled &&
        grep -qs '^magic 7f454c4601010100000000000000000002000300' "$entry"; then
        exit 1
    fi
done
exit 0
