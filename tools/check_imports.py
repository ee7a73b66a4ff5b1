#!/usr/bin/env python3
"""Checks what Windows programs import against the oldest Windows they are for.

    check_imports.py OBJDUMP TABLE [--dlls-only] PROGRAM...

Fails (and says why) when a program imports a DLL that is not part of
Windows, a function that is not in TABLE (tools/api_floor.tsv), one that
Windows 95 or NT 4 lacks (the program would not load there), by ordinal, or
one that 95/98/Me only stub without a fallback whose tests exist in tests/.
With --dlls-only, only the DLLs are checked (for builds that do not ship).
"""
import os
import re
import subprocess
import sys

WINDOWS_DLLS = {'kernel32.dll', 'user32.dll', 'gdi32.dll', 'advapi32.dll', 'shell32.dll', 'ole32.dll',
                'oleaut32.dll', 'comctl32.dll', 'comdlg32.dll', 'msvcrt.dll', 'version.dll', 'winmm.dll'}
ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..')


def imports(objdump, program):
    """[(dll, function or '#ordinal')] from the program's import table."""
    text = subprocess.run([objdump, '-p', program], check=True, capture_output=True, text=True).stdout
    found, dll = [], None
    for line in text.splitlines():
        m = re.match(r'\s*DLL Name: (\S+)', line)
        if m:
            dll = m.group(1)
            continue
        if dll is None:
            continue
        m = re.match(r'\s+[0-9a-f]+\s+(\d+)\s+(\S+)\s*$', line)
        if m:
            found.append((dll, m.group(2)))
        elif re.match(r'\s+[0-9a-f]+\s+<none>\s+[0-9a-f]+', line):
            found.append((dll, '#' + line.split()[-1]))
        elif not line.strip():
            dll = None
    return found


def read_table(path):
    table = {}
    with open(path) as f:
        rows = [line.rstrip('\n').split('\t') for line in f if line.strip() and not line.startswith('#')]
    header = rows[0]
    for row in rows[1:]:
        entry = dict(zip(header, row))
        table[(entry['dll'].lower(), entry['function'])] = entry
    return table


def test_names():
    """Every Suite.Name that a TEST or TEST_F in tests/ declares."""
    names = set()
    for folder, _, files in os.walk(os.path.join(ROOT, 'tests')):
        for name in files:
            if name.endswith('.cpp'):
                with open(os.path.join(folder, name), errors='replace') as f:
                    names.update('%s.%s' % m for m in re.findall(r'\bTEST(?:_F)?\(\s*(\w+)\s*,\s*(\w+)\s*\)', f.read()))
    return names


def faults_of(entry, tests):
    if entry['first_9x'] != '95' or entry['first_nt'] != 'NT4':
        lacking = [w for w, ok in (('Windows 95', entry['first_9x'] == '95'), ('NT 4', entry['first_nt'] == 'NT4'))
                   if not ok]
        return ['missing on %s, so the program would not load there (first in %s, %s)' % (
            ' and '.join(lacking), entry['first_9x'], entry['first_nt'])]
    if entry['on_9x'] == 'stub':
        if entry['fallback'] == 'only-for-nt':
            return []
        named = [t for t in entry['fallback'].split() if t != '-']
        if not named:
            return ['only a stub on Windows 95/98/Me, and no fallback is named']
        missing = [t for t in named if t not in tests]
        if missing:
            return ['only a stub on Windows 95/98/Me; its fallback tests do not exist: ' + ', '.join(missing)]
    return []


def main(argv):
    dlls_only = '--dlls-only' in argv
    args = [a for a in argv if a != '--dlls-only']
    if len(args) < 3:
        sys.exit(__doc__)
    objdump, table_path, programs = args[0], args[1], args[2:]
    table = read_table(table_path)
    tests = test_names()
    faults = 0
    for program in programs:
        found = imports(objdump, program)
        name = os.path.basename(program)
        for dll, function in found:
            why = []
            if dll.lower() not in WINDOWS_DLLS:
                why = ['%s is not part of Windows' % dll]
            elif not dlls_only:
                entry = table.get((dll.lower(), function))
                if function.startswith('#'):
                    why = ['imported by ordinal']
                elif entry is None:
                    why = ['not in %s: look up the oldest Windows that has it and add it' %
                           os.path.basename(table_path)]
                else:
                    why = faults_of(entry, tests)
            for reason in why:
                print('FAULT %s imports %s!%s: %s' % (name, dll, function, reason))
                faults += 1
        dlls = sorted({dll for dll, _ in found})
        print('%s: %d functions from %s' % (name, len(found), ' '.join(dlls)))
    print('%d faults' % faults)
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
