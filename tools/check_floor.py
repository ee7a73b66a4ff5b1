#!/usr/bin/env python3
"""Checks Windows programs against the oldest Windows and the oldest PC they are for.

    check_floor.py OBJDUMP TABLE [--dlls-only] [--cpu] PATH...

PATH is a program, a folder (every program in it, by content, not name), or
a CD image (.iso, unpacked with xorriso); an installer found on the way is
unpacked too (the CD's setup programs, by tools/setup_payload.py), so that
the programs it carries are checked as well.

Fails (and says why) when a program
- imports a DLL that TABLE (tools/api_floor.tsv) does not list as part of a
  clean Windows 95 and NT 4 (msvcrt.dll is not: it came with Internet
  Explorer 4 and Windows 98);
- imports a function that is not in TABLE, one that Windows 95 or NT 4
  lacks (the program would not load there), one by ordinal, or one that
  95/98/Me only stub without a fallback whose tests exist in tests/;
- with --cpu: holds an instruction that a 486 lacks (cmov, fcmov, fcomi,
  multi-byte nop, rdtsc, cmpxchg8b, sysenter, MMX/SSE ...), read from its
  disassembly.
With --dlls-only, only the DLLs are checked (for builds that do not ship).
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import setup_payload  # noqa: E402

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..')

# Mnemonics (as objdump prints them) of instructions that came after the 486.
POST_486 = re.compile(
    r'^(cmov[a-z]+|fcmov[a-z]+|fcomip?|fucomip?|nop[wl]|rdtscp?|rdpmc|cmpxchg(8|16)b|sysenter|sysexit|syscall|'
    r'fisttp[a-z]*|popcnt|lzcnt|tzcnt|movbe|crc32[a-z]*|prefetch[a-z0-9]*|[lms]fence|clflush[a-z]*)\b')
SIMD_REGISTER = re.compile(r'%[xyz]?mm[0-9]')


def run(command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def imports(objdump, program):
    """[(dll, function or '#ordinal' or None for a DLL with no named imports)]."""
    found, dll = [], None
    for line in run([objdump, '-p', program]).splitlines():
        m = re.match(r'\s*DLL Name: (\S+)', line)
        if m:
            dll = m.group(1)
            found.append((dll, None))
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


def post_486_instructions(objdump, program):
    """{mnemonic: count} of the instructions in the program's code that a 486 lacks."""
    counts = {}
    for line in run([objdump, '-d', '--no-show-raw-insn', program]).splitlines():
        fields = line.split('\t')
        if len(fields) < 2 or not re.match(r'\s*[0-9a-f]+:$', fields[0]):
            continue
        instruction = fields[-1].strip()
        words = instruction.split()
        if not words:
            continue
        # Past prefixes such as lock or rep.
        newer = [w for w in words[:3] if POST_486.match(w)]
        if newer:
            key = newer[0]
        elif SIMD_REGISTER.search(instruction):
            key = words[0] + ' (MMX/SSE)'
        else:
            continue
        counts[key] = counts.get(key, 0) + 1
    return counts


def read_table(path):
    """({(dll, function): row}, {dll: row}) from the tab-separated table."""
    functions, dlls = {}, {}
    with open(path) as f:
        rows = [line.rstrip('\n').split('\t') for line in f if line.strip() and not line.startswith('#')]
    header = rows[0]
    for row in rows[1:]:
        entry = dict(zip(header, row))
        if entry['function'] == '*':
            dlls[entry['dll'].lower()] = entry
        else:
            functions[(entry['dll'].lower(), entry['function'])] = entry
    return functions, dlls


def test_names():
    """Every Suite.Name that a TEST or TEST_F in tests/ declares."""
    names = set()
    for folder, _, files in os.walk(os.path.join(ROOT, 'tests')):
        for name in files:
            if name.endswith('.cpp'):
                with open(os.path.join(folder, name), errors='replace') as f:
                    names.update('%s.%s' % m for m in re.findall(r'\bTEST(?:_F)?\(\s*(\w+)\s*,\s*(\w+)\s*\)', f.read()))
    return names


def lacking_windows(entry):
    lacking = [w for w, ok in (('Windows 95', entry['first_9x'] == '95'), ('NT 4', entry['first_nt'] == 'NT4'))
               if not ok]
    return ' and '.join(lacking)


def faults_of(entry, tests):
    if lacking_windows(entry):
        return ['missing on %s, so the program would not load there (first in %s, %s)' % (
            lacking_windows(entry), entry['first_9x'], entry['first_nt'])]
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


def dll_faults(dll, dlls):
    entry = dlls.get(dll.lower())
    if entry is None:
        return ['%s is not part of Windows (not in the table\'s DLLs)' % dll]
    if lacking_windows(entry):
        return ['%s is not part of a clean %s (first in %s, %s), so the program would not start there' % (
            dll, lacking_windows(entry), entry['first_9x'], entry['first_nt'])]
    return []


def is_program(path):
    try:
        with open(path, 'rb') as f:
            head = f.read(64)
            if head[:2] != b'MZ' or len(head) < 64:
                return False
            f.seek(int.from_bytes(head[60:64], 'little'))
            return f.read(4) == b'PE\0\0'
    except OSError:
        return False


class Checker:
    def __init__(self, objdump, table_path, dlls_only, cpu):
        self.objdump = objdump
        self.table_name = os.path.basename(table_path)
        self.functions, self.dlls = read_table(table_path)
        self.dlls_only = dlls_only
        self.cpu = cpu
        self.tests = test_names()
        self.faults = 0
        self.checked = 0
        self.scratch = tempfile.mkdtemp(prefix='check-floor-')

    def fault(self, name, text):
        print('FAULT %s %s' % (name, text))
        self.faults += 1

    def check_path(self, path, shown=None):
        shown = shown or path
        if os.path.isdir(path):
            for folder, _, files in sorted(os.walk(path)):
                for name in sorted(files):
                    full = os.path.join(folder, name)
                    if is_program(full):
                        self.check_program(full, os.path.join(shown, os.path.relpath(full, path)))
        elif path.lower().endswith('.iso'):
            out = tempfile.mkdtemp(dir=self.scratch)
            subprocess.run(['xorriso', '-osirrox', 'on', '-rockridge', 'off', '-joliet', 'on', '-indev', path,
                            '-extract', '/', out], check=True, capture_output=True)
            self.check_path(out, os.path.basename(path) + ':')
        else:
            self.check_program(path, shown)

    def check_program(self, program, shown):
        self.checked += 1
        refused_dlls = set()
        found = imports(self.objdump, program)
        for dll, function in found:
            if function is None:
                why = dll_faults(dll, self.dlls)
                if why:
                    refused_dlls.add(dll.lower())
                for reason in why:
                    self.fault(shown, 'imports ' + reason)
                continue
            if self.dlls_only or dll.lower() not in self.dlls or dll.lower() in refused_dlls:
                continue
            entry = self.functions.get((dll.lower(), function))
            if function.startswith('#'):
                why = ['imported by ordinal']
            elif entry is None:
                why = ['not in %s: look up the oldest Windows that has it and add it' % self.table_name]
            else:
                why = faults_of(entry, self.tests)
            for reason in why:
                self.fault(shown, 'imports %s!%s: %s' % (dll, function, reason))
        summary = '%d functions from %s' % (len([1 for _, f in found if f]), ' '.join(sorted({d for d, _ in found})))
        if self.cpu:
            counts = post_486_instructions(self.objdump, program)
            total = sum(counts.values())
            listed = ', '.join('%s:%d' % kv for kv in sorted(counts.items(), key=lambda kv: -kv[1]))
            if total:
                self.fault(shown, 'holds %d instructions that a 486 lacks, so it faults on a 486, Pentium or K6: %s' % (
                    total, listed))
            summary += ', %d post-486 instructions' % total
        print('%s: %s' % (shown, summary))
        self.check_carried(program, shown)

    def check_carried(self, program, shown):
        """The programs that one of the CD's own setup programs carries."""
        with open(program, 'rb') as f:
            try:
                found = setup_payload.read(f.read())
            except ValueError as e:
                self.fault(shown, str(e))
                return
        if found is None:
            return
        out = tempfile.mkdtemp(dir=self.scratch)
        for name, data in found[1]:
            full = os.path.join(out, name)
            with open(full, 'wb') as f:
                f.write(data)
            if is_program(full):
                self.check_program(full, '%s>%s' % (shown, name))


def main(argv):
    flags = {'--dlls-only', '--cpu'}
    args = [a for a in argv if a not in flags]
    if len(args) < 3:
        sys.exit(__doc__)
    checker = Checker(args[0], args[1], '--dlls-only' in argv, '--cpu' in argv)
    try:
        for path in args[2:]:
            if not os.path.exists(path):
                checker.fault(path, 'does not exist')
                continue
            checker.check_path(path)
    finally:
        shutil.rmtree(checker.scratch, ignore_errors=True)
    if checker.checked == 0:
        checker.fault('-', 'no program found to check')
    print('%d programs, %d faults' % (checker.checked, checker.faults))
    return 1 if checker.faults else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
