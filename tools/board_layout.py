#!/usr/bin/env python3
"""Reads the day board's layout, vorsaver/board/board_layout.tsv, for the
movie's and the pictures' generators, and writes it as C++ for the saver's
own board:
    python3 tools/board_layout.py OUT.inc

    from board_layout import LAYOUT
    LAYOUT['panel_top'], LAYOUT['pulse_centre'], LAYOUT['shield_outline']

Numbers come as ints when whole and floats otherwise, lists of numbers as
tuples, a point as (x, y), points as a tuple of (x, y) and a colour as
(red, green, blue). A malformed line
stops with its line number.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from generated_include import write_if_changed  # noqa: E402

TABLE = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'vorsaver', 'board', 'board_layout.tsv')

KINDS = {'number', 'numbers', 'point', 'points', 'colour'}


def read(path=TABLE):
    """The table's lines as (name, kind, value), in the order of the file."""
    layout = {}
    entries = []
    with open(path, encoding='utf-8') as f:
        for number, line in enumerate(f, 1):
            line = line.split('#', 1)[0].strip()
            if not line:
                continue
            where = '%s:%d' % (os.path.basename(path), number)
            fields = line.split()
            if len(fields) < 2:
                raise ValueError('%s: %s has no kind' % (where, fields[0]))
            name, kind, *values = fields
            if kind not in KINDS:
                raise ValueError('%s: %s has kind %r, not one of %s' % (where, name, kind, sorted(KINDS)))
            if name in layout:
                raise ValueError('%s: %s appears twice' % (where, name))
            try:
                numbers = [float(v) for v in values]
                # Whole numbers stay whole, as a generator may need them so.
                numbers = [int(v) if v.is_integer() else v for v in numbers]
            except ValueError:
                raise ValueError('%s: %s holds something that is not a number' % (where, name)) from None
            counts = {'number': len(numbers) == 1, 'numbers': len(numbers) >= 1,
                      'point': len(numbers) == 2, 'points': len(numbers) >= 2 and len(numbers) % 2 == 0,
                      'colour': len(numbers) == 3 and all(isinstance(v, int) and 0 <= v <= 255 for v in numbers)}
            if not counts[kind]:
                raise ValueError('%s: %s has %d values, which is not a %s' % (where, name, len(numbers), kind))
            if kind == 'number':
                layout[name] = numbers[0]
            elif kind in ('numbers', 'point', 'colour'):
                layout[name] = tuple(numbers)
            else:
                layout[name] = tuple(zip(numbers[::2], numbers[1::2]))
            entries.append((name, kind, layout[name]))
    return entries


try:
    ENTRIES = read()
except (OSError, ValueError) as e:
    sys.exit('board_layout: %s' % e)
LAYOUT = {name: value for name, _, value in ENTRIES}


def cpp_name(name):
    return 'k' + ''.join(part.capitalize() for part in name.split('_'))


def cpp_number(v):
    return repr(v)


def cpp(entries, source):
    """The layout as constexpr constants, to be included inside the
    namespace that defines Point."""
    lines = ['// Made by tools/board_layout.py from %s; change the board there.' % source, '']
    for name, kind, value in entries:
        if kind == 'number':
            lines.append('inline constexpr double %s = %s;' % (cpp_name(name), cpp_number(value)))
        elif kind == 'point':
            lines.append('inline constexpr Point %s = {%s};' % (cpp_name(name), ', '.join(map(cpp_number, value))))
        elif kind == 'colour':
            lines.append('inline constexpr Colour %s = RgbColour(%s);' % (cpp_name(name), ', '.join(map(str, value))))
        elif kind == 'numbers':
            lines.append('inline constexpr double %s[] = {%s};' % (cpp_name(name), ', '.join(map(cpp_number, value))))
        else:
            points = ', '.join('{%s, %s}' % (cpp_number(x), cpp_number(y)) for x, y in value)
            lines.append('inline constexpr Point %s[] = {%s};' % (cpp_name(name), points))
    return '\n'.join(lines) + '\n'


def main(argv):
    if len(argv) != 2:
        print('usage: board_layout.py OUT.inc', file=sys.stderr)
        return 2
    write_if_changed(argv[1], cpp(ENTRIES, 'vorsaver/board/board_layout.tsv'))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
