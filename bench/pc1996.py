#!/usr/bin/env python3
"""The programs' own work on a 1996 PC: counts each part of
bench/pc1996_bench.cpp under callgrind (instructions, which do not vary
from run to run as times do on a shared machine), turns the counts into
time on a 486 DX2-66 with the model below, prints the goals beside them
and fails when one is missed.

    bench/pc1996.py PC1996_BENCH MENU_PICTURE_FOLDER [--keep FOLDER]

The model, a 486 DX2-66 (66.7 MHz):
  - an instruction of integer code takes 2.2 cycles on average, 30 million
    a second: the round figure for the DX2-66 on compiled code, its core
    instructions taking one or two cycles and its 8 KB cache, taken jumps
    (3 cycles) and memory behind a 33 MHz bus the rest;
  - what costs far more on a 486 than an average instruction is weighed by
    its own cycles, from Intel's i486 Microprocessor Programmer's Reference
    Manual (1990), "Instruction Set Clock Count Summary": the x87's FADD
    8-20 (taken as 10), FMUL 16, FDIV 73, FSQRT 83-87, FCOM 4 with FNSTSW 3
    and SAHF 2, FILD 13-16, FIST(P) 29-34 with the rounding-mode change a C
    conversion to int needs (FNSTCW 3, FLDCW 4 twice), FLD 3, FST 8, FXCH 4;
    IMUL 13-42 (18 for the small factors of blending), DIV/IDIV 40-43; and
    REP MOVSD 3, REP STOSD 4 cycles a word.
The native x86-64 build does its floating point in SSE registers; each SSE
scalar double instruction is counted as the x87 instruction the 32-bit
build uses in its place. Instructions outside the program (the host's
operator new and file reading) are shown apart and counted at the average.
"""
import collections
import os
import re
import subprocess
import sys
import tempfile

CLOCK_HZ = 66.67e6
CYCLES_PER_INSTRUCTION = CLOCK_HZ / 30e6

# Cycles of the 486 instruction that does the work of each native one.
WEIGHTS = [
    (r"^(addsd|subsd)$", 10, "x87 add"),
    (r"^mulsd$", 16, "x87 multiply"),
    (r"^divsd$", 73, "x87 divide"),
    (r"^sqrtsd$", 85, "x87 square root"),
    (r"^u?comisd$", 9, "x87 compare"),
    (r"^(minsd|maxsd)$", 12, "x87 compare"),
    (r"^cvtsi2sdl?q?$", 13, "x87 load of an int"),
    (r"^cvttsd2si[lq]?$", 43, "x87 conversion to int"),
    (r"^cvtsd2si[lq]?$", 32, "x87 conversion to int"),
    (r"^(cvtss2sd|cvtsd2ss)$", 3, "x87 load"),
    (r"^(andpd|andnpd|orpd|xorpd)$", 5, "x87 sign"),
    (r"^(pxor|xorps)$", 4, "x87 load of zero"),
    (r"^(unpcklpd|unpckhpd|shufpd|movhpd|movlpd)$", 4, "x87 exchange"),
    (r"^f(add|sub|subr|mul|div|divr)p?$", 16, "x87 arithmetic"),
    (r"^f(sin|cos|sincos|ptan|patan)$", 250, "x87 transcendental"),
    (r"^f(ild|ist|istp|isttp)[lsq]?$", 30, "x87 conversion"),
    (r"^f(nstcw|ldcw|nstsw)$", 4, "x87 control"),
    (r"^f(ld|st|stp|xch|ldz|ld1|chs|abs|ucomi|ucomip|comi|comip|prem|rndint|scale|xam|tst)[lst]?$", 6, "x87 other"),
    (r"^imul[lwq]?$", 18, "integer multiply"),
    (r"^i?div[lwq]?$", 43, "integer divide"),
    (r"^rep movs[lbwq]?$", 3, "rep movsd (a word)"),
    (r"^rep stos[lbwq]?$", 4, "rep stosd (a word)"),
]
COMPILED_WEIGHTS = [(re.compile(pattern), cycles, kind) for pattern, cycles, kind in WEIGHTS]
XMM_MOVES = re.compile(r"^(movsd|movapd|movaps|movq|movd|movupd|movups)$")


def Disassemble(binary):
    """address -> (mnemonic, operands) for the program's own code."""
    table = {}
    out = subprocess.run(["objdump", "-d", "--no-show-raw-insn", binary], capture_output=True, text=True,
                         check=True).stdout
    line_re = re.compile(r"^\s*([0-9a-f]+):\s+(.*)$")
    for line in out.splitlines():
        m = line_re.match(line)
        if not m:
            continue
        text = m.group(2).split("#")[0].strip()
        parts = text.split(None, 1)
        if not parts:
            continue
        mnemonic = parts[0]
        operands = parts[1] if len(parts) > 1 else ""
        if mnemonic in ("rep", "repz", "repnz") and operands:
            mnemonic = mnemonic + " " + operands.split()[0]
            operands = operands.split(None, 1)[1] if len(operands.split(None, 1)) > 1 else ""
        table[int(m.group(1), 16)] = (mnemonic, operands)
    return table


def CyclesOf(mnemonic, operands):
    """The 486's cycles for one execution, and what kind of work it is."""
    for pattern, cycles, kind in COMPILED_WEIGHTS:
        if pattern.match(mnemonic):
            return cycles, kind
    if XMM_MOVES.match(mnemonic) and "xmm" in operands:
        # A load is FLD (3), a store FST (8), a register copy FLD ST(i) (4).
        source, _, target = operands.rpartition(",")
        if "(" in target:
            return 8, "x87 store"
        if "(" in source:
            return 3, "x87 load"
        return 4, "x87 register copy"
    return CYCLES_PER_INSTRUCTION, None


REQUEST = "desc: Trigger: Client Request: "


def ReadDump(path, program):
    """name, {address: count} of the program's instructions, the count
    outside it, and the count of each function."""
    name = None
    counts = collections.Counter()
    functions = collections.Counter()
    outside = 0
    obj = function = None
    skip_next = False
    with open(path) as dump:
        for line in dump:
            if line.startswith(REQUEST):
                name = line[len(REQUEST):].strip()
            elif line.startswith("ob="):
                obj = line[3:].strip()
            elif line.startswith("fn="):
                function = line[3:].strip()
            elif line.startswith("calls="):
                skip_next = True
            elif line.startswith("0x"):
                if skip_next:
                    skip_next = False
                    continue
                fields = line.split()
                cost = int(fields[-1])
                functions[function] += cost
                if obj == program:
                    counts[int(fields[0], 16)] += cost
                else:
                    outside += cost
    return name, counts, outside, functions


def Model(counts, outside, code):
    instructions = sum(counts.values()) + outside
    cycles = outside * CYCLES_PER_INSTRUCTION
    kinds = collections.Counter()
    for address, count in counts.items():
        mnemonic, operands = code.get(address, ("?", ""))
        each, kind = CyclesOf(mnemonic, operands)
        cycles += each * count
        if kind:
            kinds[kind.split(" (")[0].split()[0]] += count
    return instructions, cycles / CLOCK_HZ * 1000, kinds


def main():
    args = sys.argv[1:]
    keep = None
    if "--keep" in args:
        at = args.index("--keep")
        keep = args[at + 1]
        del args[at:at + 2]
    bench, pictures = args
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    work = keep or tempfile.mkdtemp(prefix="pc1996-")
    os.makedirs(work, exist_ok=True)
    for old in os.listdir(work):
        if old.startswith("callgrind."):
            os.remove(os.path.join(work, old))

    # The CD's season, on a game day in its middle.
    season = os.path.join(work, "schedule.pvz")
    subprocess.run([sys.executable, os.path.join(root, "tools/make_schedule.py"), "--season", "--on", "2026-12-01",
                    season], check=True, capture_output=True)
    with open(season) as f:
        lines = [line for line in f if line.strip()]
    day = lines[len(lines) // 2].split("\t")[0]
    menu = sorted(os.path.join(pictures, n) for n in os.listdir(pictures) if n.endswith(".vpk"))

    run = subprocess.run(["valgrind", "--tool=callgrind", "--collect-atstart=no", "--dump-instr=yes",
                          "--compress-pos=no", "--compress-strings=no",
                          "--callgrind-out-file=" + os.path.join(work, "callgrind.%p"), bench, season, day] + menu,
                         capture_output=True, text=True)
    if run.returncode != 0:
        sys.stderr.write(run.stdout + run.stderr)
        return 1
    facts = dict(line.split() for line in run.stdout.splitlines() if len(line.split()) == 2)
    code = Disassemble(bench)
    program = os.path.realpath(bench)
    parts = {}
    for name in sorted(os.listdir(work)):
        if not name.startswith("callgrind."):
            continue
        part, counts, outside, functions = ReadDump(os.path.join(work, name), program)
        if part:
            parts[part] = Model(counts, outside, code) + (functions,)

    frames = int(facts["frames"])
    data_n, data_ms, _, _ = parts["data-step"]
    still_n, still_ms, still_kinds, still_fns = parts["still-641x481"]
    big_n, big_ms, _, _ = parts["still-144dpi"]
    burst_n, burst_ms, burst_kinds, burst_fns = parts["burst"]
    menu_n, menu_ms, _, _ = parts["menu-pictures"]
    frame_n, frame_ms = burst_n / frames, burst_ms / frames

    print("Modelled on a 486 DX2-66 (bench/pc1996.py says how); instructions counted natively.")
    print("The CD's season: %s lines, on %s; the board at 641 x 481." % (facts["schedule-lines"], day))
    rows = [
        # what, instructions, modelled, goal text, met
        ("data step", data_n, "%.0f ms" % data_ms, "", True),
        ("still at 641 x 481", still_n, "%.0f ms" % still_ms, "", True),
        ("first picture: data step and still", data_n + still_n, "%.0f ms" % (data_ms + still_ms), "<= 1000 ms",
         data_ms + still_ms <= 1000),
        ("still at 962 x 722 (144 dpi)", big_n, "%.0f ms" % big_ms, "<= 2250 ms (as many pixels a second)",
         big_ms <= 2250),
        ("a burst frame (of %d, with the still put back after)" % frames, frame_n, "%.1f ms" % frame_ms,
         "<= 0.5 M instructions", frame_n <= 0.5e6),
        ("the 486 while the board moves (a frame every 50 ms)", None, "%.0f %%" % (frame_ms / 50 * 100), "", True),
        ("menu: its %s pictures unpacked" % facts["menu-pictures"], menu_n, "%.0f ms" % menu_ms, "<= 1000 ms",
         menu_ms <= 1000),
    ]
    width = max(len(r[0]) for r in rows)
    missed = 0
    for what, count, modelled, goal, met in rows:
        figure = "%12s" % ("{:,}".format(int(count)) if count is not None else "")
        mark = "" if not goal else ("  goal " + goal + ("" if met else "   MISSED"))
        print("  %-*s %s  %9s%s" % (width, what, figure, modelled, mark))
        missed += not met
    print("Left to Windows, not counted: the text (GDI's fonts, measuring and TextOutW; the bench")
    print("estimates widths), the surfaces (CreateDIBSection), the blits (%s pixels a burst frame," %
          "{:,}".format(int(facts["blit-pixels-per-frame"])))
    print("%s of the menu's pictures). The season's dates are ISO dates, which the saver reads" %
          "{:,}".format(int(facts["menu-pixels"])))
    print("itself, as counted here; other forms would go to Windows' VarDateFromStr.")
    for label, kinds, total in (("still", still_kinds, still_n), ("burst", burst_kinds, burst_n)):
        if kinds:
            print("  costly kinds in the %s: " % label +
                  ", ".join("%s %.1f%%" % (k, 100.0 * v / total) for k, v in kinds.most_common(5)))
    if os.environ.get("PC1996_FUNCTIONS"):
        for label, functions in (("still", still_fns), ("burst", burst_fns)):
            print("  %s, by function:" % label)
            for function, cost in functions.most_common(8):
                print("    %12s  %s" % ("{:,}".format(cost), function[:100]))
    if missed:
        print("%d goal(s) missed" % missed)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
