#!/usr/bin/env python3
"""Reads the day board's layout, vorsaver/board/board_layout.tsv, for the
movie's and the pictures' generators, and writes it as C++ for the saver's
own board:
    python3 tools/board_layout.py OUT.inc

    from board_layout import LAYOUT
    LAYOUT['panel_top'], LAYOUT['pulse_centre'], LAYOUT['shield_outline']

Numbers come as ints when whole and floats otherwise, lists of numbers as
tuples, a point as (x, y), points as a tuple of (x, y), a colour as
(red, green, blue) and a type as a Type, whose colour is the name of a
colour earlier in the table (LAYOUT[t.colour] gives its red, green, blue).
A malformed line stops with its line number.
"""
import collections
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from generated_include import table_lines, write_if_changed  # noqa: E402

TABLE = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'vorsaver', 'board', 'board_layout.tsv')

KINDS = {'number', 'numbers', 'point', 'points', 'colour', 'type'}
# A text's type: its size and the smallest it may shrink to where its room is
# short, in design pixels; bold or normal; a colour's name; the extra design
# pixels between letters; and whether it casts a shadow (shadow or flat).
Type = collections.namedtuple('Type', 'size smallest bold colour tracking shadow')
WEIGHTS = {'bold': True, 'normal': False}
SHADOWS = {'shadow': True, 'flat': False}


def as_number(text):
    """A whole number stays whole, as a generator may need it so."""
    v = float(text)
    return int(v) if v.is_integer() else v


def read_type(where, name, values, colours):
    if len(values) != 6:
        raise ValueError('%s: %s has %d values, which is not a type '
                         '(size smallest bold|normal colour tracking shadow|flat)' % (where, name, len(values)))
    size, smallest, weight, colour, tracking, shadow = values
    if weight not in WEIGHTS:
        raise ValueError('%s: %s has weight %r, not bold or normal' % (where, name, weight))
    if colour not in colours:
        raise ValueError('%s: %s has colour %r, which is not a colour above it' % (where, name, colour))
    if shadow not in SHADOWS:
        raise ValueError('%s: %s has %r, not shadow or flat' % (where, name, shadow))
    try:
        size, smallest, tracking = as_number(size), as_number(smallest), as_number(tracking)
    except ValueError:
        raise ValueError('%s: %s holds something that is not a number' % (where, name)) from None
    if not 0 < smallest <= size:
        raise ValueError('%s: %s shrinks to %r, which is not from 0 up to its size' % (where, name, smallest))
    return Type(size, smallest, WEIGHTS[weight], colour, tracking, SHADOWS[shadow])


def type_text(t):
    """A Type as the table writes it."""
    weight = [w for w, bold in WEIGHTS.items() if bold == t.bold][0]
    shadow = [w for w, cast in SHADOWS.items() if cast == t.shadow][0]
    return '%r %r %s %s %r %s' % (t.size, t.smallest, weight, t.colour, t.tracking, shadow)


def read(path=TABLE):
    """The table's lines as (name, kind, value), in the order of the file."""
    layout = {}
    entries = []
    for where, line in table_lines(path):
        fields = line.split()
        if len(fields) < 2:
            raise ValueError('%s: %s has no kind' % (where, fields[0]))
        name, kind, *values = fields
        if kind not in KINDS:
            raise ValueError('%s: %s has kind %r, not one of %s' % (where, name, kind, sorted(KINDS)))
        if name in layout:
            raise ValueError('%s: %s appears twice' % (where, name))
        if kind == 'type':
            colours = {n for n, k, _ in entries if k == 'colour'}
            layout[name] = read_type(where, name, values, colours)
            entries.append((name, kind, layout[name]))
            continue
        try:
            numbers = [as_number(v) for v in values]
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
        elif kind == 'type':
            lines.append('inline constexpr TextStyle %s = {%s, %s, %s, %s, %s, %s};' % (
                cpp_name(name), cpp_number(value.size), 'true' if value.bold else 'false', cpp_name(value.colour),
                cpp_number(value.tracking), 'true' if value.shadow else 'false', cpp_number(value.smallest)))
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
