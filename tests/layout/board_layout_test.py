#!/usr/bin/env python3
"""The day board's layout table (vorsaver/board/board_layout.tsv) is the one
place the board is laid out: the movie and the pictures follow a change in
it, the committed pictures are what the table draws now, and a broken table
is refused with its line. Needs Debian's python3 with Pillow, as the picture
generator does. Prints `N passed, M failed`; exits non-zero on a failure.

    /usr/bin/python3 tests/layout/board_layout_test.py
"""
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, '..', '..'))
sys.path.insert(0, os.path.join(ROOT, 'tools'))
import board_layout  # noqa: E402

TOOLS = ('board_layout.py', 'make_movie.py', 'make_pictures.py', 'make_sound.py', 'team_colours.py', 'menu_items.py',
         'generated_include.py')
# The menu's two tables, which the pictures' generator reads as well.
MENU_TABLES = (os.path.join('menu', 'menu_items.tsv'), os.path.join('resources', 'forms', 'menu_frmMain.frm'))
TABLE = os.path.join('vorsaver', 'board', 'board_layout.tsv')

# What each generator must take from the table: a copy of one of these
# numbers kept in a generator would make it deaf to a change here. A type's
# parts are named `entry.part`; every movie_ entry is the movie's and every
# preview_ entry the pictures', without being listed.
MOVIE_READS = {
    'design_width', 'design_height', 'margin', 'header_bottom', 'rule_bottom', 'stripe_lefts', 'stripe_width',
    'stripe_slant', 'team_name_gap', 'team_name_right', 'crest_left', 'crest_top', 'crest_width', 'crest_aspect',
    'crest_inset', 'crest_inset_drop', 'shield_outline', 'chevron_outline', 'date_tab_left', 'date_tab_bottom',
    'date_tab_slant', 'panel_top', 'panel_bottom', 'chip_right', 'chip_bottom', 'chip_slant', 'tile_top',
    'tile_bottom', 'tile_gap', 'tile_bar', 'stripe_opacity', 'bright_stripe_opacity', 'panel_gold_edge',
    # The movie's one font is bold and has no tracking or shadow: of a
    # text's type it takes the colour.
    'team_name_type.colour', 'date_type.colour', 'today_chip_type.colour', 'today_team_type.colour',
    'today_first_line_type.colour', 'coming_up_type.colour', 'tile_day_type.colour',
}
PICTURES_READ = {
    'design_width', 'design_height', 'margin', 'header_bottom', 'rule_bottom', 'stripe_lefts', 'stripe_width',
    'stripe_slant', 'team_name_gap', 'crest_left', 'crest_top', 'crest_width', 'crest_aspect',
    'crest_inset', 'crest_inset_drop', 'shield_outline', 'chevron_outline', 'date_tab_left', 'date_tab_bottom',
    'date_tab_slant', 'panel_top', 'panel_bottom', 'tile_top', 'tile_bottom', 'tile_gap', 'tile_split',
    'today_text_left', 'background_bands', 'background_band_slant', 'background_band_opacity', 'header_light',
    'stripe_opacity', 'bright_stripe_opacity', 'gold_light', 'rule_shadow_height', 'shadow_opacity',
    'date_tab_shadow_opacity', 'date_tab_shade', 'panel_light', 'panel_dark', 'panel_gold_edge', 'tile_light',
    'tile_dark', 'free_tile_light', 'free_tile_edge_opacity',
    # The preview letters in sizes of its own, in each text's colour and
    # weight.
    'team_name_type.colour', 'team_name_type.weight', 'date_type.colour', 'date_type.weight',
    'today_chip_type.colour', 'today_chip_type.weight', 'game_day_type.colour', 'game_day_type.weight',
    'today_first_line_type.colour', 'today_first_line_type.weight', 'today_line_type.colour',
    'today_line_type.weight', 'tile_day_type.colour', 'tile_day_type.weight', 'tile_free_day_type.colour',
    'tile_free_day_type.weight', 'tile_tag_type.colour', 'tile_tag_type.weight', 'tile_lead_type.colour',
    'tile_lead_type.weight',
}  # and team_name_right, which the preview's name, at its smallest size, never reaches
MOVIE_READS |= {name for name, _, _ in board_layout.ENTRIES if name.startswith('movie_')}
PICTURES_READ |= {name for name, _, _ in board_layout.ENTRIES if name.startswith('preview_')}
# The saver's own board: its sources, which must name each entry that is not
# the movie's or the preview's alone.
BOARD_SOURCES = glob.glob(os.path.join(ROOT, 'vorsaver', 'board', '*.cpp')) + glob.glob(
    os.path.join(ROOT, 'vorsaver', 'board', '*.h'))
# The preview still (the board made small, crest and all), as bytes.
DRAW_PICTURES = 'import sys, make_pictures as m; sys.stdout.buffer.write(m.preview_still().image.tobytes())'

results = []


def check(name, ok, detail=''):
    results.append(ok)
    if not ok:
        print('FAIL %s%s' % (name, ': ' + detail if detail else ''))


def copy_of_tools(work):
    """The generators and the table in a folder laid out as the repository."""
    os.makedirs(os.path.join(work, 'tools'))
    os.makedirs(os.path.join(work, 'vorsaver', 'board'))
    for name in TOOLS:
        shutil.copy(os.path.join(ROOT, 'tools', name), os.path.join(work, 'tools', name))
    shutil.copy(os.path.join(ROOT, TABLE), os.path.join(work, TABLE))
    for table in MENU_TABLES:
        os.makedirs(os.path.join(work, os.path.dirname(table)), exist_ok=True)
        shutil.copy(os.path.join(ROOT, table), os.path.join(work, table))


def nudged(value):
    """Each number moved: a share by a twentieth, a length by a fifth and
    three pixels, enough to show even in the small preview still."""
    if isinstance(value, tuple):
        return tuple(nudged(v) for v in value)
    return value + 0.05 if abs(value) < 2 else value * 0.8 - 3


def changes_of(name, kind, value):
    """(what, changed value) for each change a drawer must follow: a type
    changes part by part, anything else has all its numbers nudged."""
    if kind != 'type':
        return [(name, nudged(value))]
    other = 'gold' if value.colour != 'gold' else 'white'
    return [('%s.size' % name, value._replace(size=value.size + 6, smallest=value.smallest + 6)),
            ('%s.smallest' % name, value._replace(smallest=value.smallest / 2)),
            ('%s.weight' % name, value._replace(bold=not value.bold)),
            ('%s.colour' % name, value._replace(colour=other)),
            ('%s.tracking' % name, value._replace(tracking=value.tracking + 1)),
            ('%s.shadow' % name, value._replace(shadow=not value.shadow))]


def write_table(path, changes):
    lines = []
    for name, kind, value in board_layout.ENTRIES:
        value = changes.get(name, value)
        flat = value if kind == 'number' else board_layout.type_text(value) if kind == 'type' else ' '.join(
            '%r %r' % p if isinstance(p, tuple) else repr(p) for p in value)
        lines.append('%s\t%s\t%s' % (name, kind, flat))
    with open(path, 'w') as f:
        f.write('\n'.join(lines) + '\n')


def outputs(work):
    movie = os.path.join(work, 'vorlaks.swf')
    subprocess.run([sys.executable, os.path.join(work, 'tools', 'make_movie.py'), movie], check=True)
    with open(movie, 'rb') as f:
        swf = f.read()
    pictures = subprocess.run([sys.executable, '-c', DRAW_PICTURES], cwd=os.path.join(work, 'tools'),
                              capture_output=True, check=True).stdout
    return swf, pictures


def test_generators_follow_the_table(work):
    copy_of_tools(work)
    table = os.path.join(work, TABLE)
    write_table(table, {})
    base_movie, base_pictures = outputs(work)
    base_cpp = board_layout.cpp(board_layout.ENTRIES, 'the table')
    for name, kind, value in board_layout.ENTRIES:
        for what, changed in changes_of(name, kind, value):
            if not name.startswith(('movie_', 'preview_')) and kind != 'colour':
                # The saver's board reads the table through the C++ the build
                # writes from it.
                entries = [(n, k, changed if n == name else v) for n, k, v in board_layout.ENTRIES]
                check('the saver follows %s' % what, board_layout.cpp(entries, 'the table') != base_cpp)
            if what not in MOVIE_READS | PICTURES_READ:
                continue
            write_table(table, {name: changed})
            movie, pictures = outputs(work)
            if what in MOVIE_READS:
                check('the movie follows %s' % what, movie != base_movie)
            if what in PICTURES_READ:
                check('the pictures follow %s' % what, pictures != base_pictures)


def test_every_entry_has_a_reader():
    """The saver's board names each entry that is not the movie's or the
    preview's alone; an entry nobody reads would be a change that shows
    nowhere."""
    sources = ''
    for path in BOARD_SOURCES:
        with open(path, encoding='utf-8') as f:
            sources += f.read()
    for name, _, _ in board_layout.ENTRIES:
        if name.startswith(('movie_', 'preview_')):
            continue
        check('the saver reads %s' % name, re.search(r'\b%s\b' % board_layout.cpp_name(name), sources) is not None)


def test_committed_pictures_are_drawn_from_the_table(work):
    """The pictures in resources/ drawn again now, from the table and the
    drawings as they are, come out as committed: a change to either without
    running make_pictures.py shows here."""
    from PIL import Image, ImageChops
    copy_of_tools(work)
    subprocess.run([sys.executable, os.path.join(work, 'tools', 'make_pictures.py')], check=True,
                   stdout=subprocess.DEVNULL)
    drawn = os.path.join(work, 'resources')
    for folder, _, files in os.walk(drawn):
        for name in files:
            path = os.path.relpath(os.path.join(folder, name), drawn)
            if not name.endswith('.bmp'):
                with open(os.path.join(drawn, path), 'rb') as a, open(os.path.join(ROOT, 'resources', path), 'rb') as b:
                    check('%s is as drawn' % path, a.read() == b.read())
                continue
            new = Image.open(os.path.join(drawn, path)).convert('RGB')
            old = Image.open(os.path.join(ROOT, 'resources', path)).convert('RGB')
            if new.size != old.size:
                check('%s is as drawn' % path, False, 'size %s, committed %s' % (new.size, old.size))
                continue
            # Another FreeType may set a letter's edge a shade apart; a moved
            # part of the picture differs by far more than that.
            far = sum(1 for p in ImageChops.difference(new, old).getdata() if max(p) > 64)
            check('%s is as drawn' % path, far <= new.width * new.height // 500,
                  '%d pixels differ: run /usr/bin/python3 tools/make_pictures.py' % far)


def test_broken_tables_are_refused(work):
    cases = (  # table lines after a comment and a blank line; what the message says
        ('margin', 'broken.tsv:3: margin has no kind'),
        ('margin\tnumber\t24 25', 'broken.tsv:3: margin has 2 values'),
        ('margin\tnumbr\t24', "broken.tsv:3: margin has kind 'numbr'"),
        ('margin\tnumber\twide', 'broken.tsv:3: margin holds something that is not a number'),
        ('pulse_centre\tpoint\t146', 'broken.tsv:3: pulse_centre has 1 values'),
        ('shield_outline\tpoints\t0 0.1 0.5', 'broken.tsv:3: shield_outline has 3 values'),
        ('tile_top\tnumber\t370\ntile_top\tnumber\t371', 'broken.tsv:4: tile_top appears twice'),
        ('gold\tcolour\t242 169', 'broken.tsv:3: gold has 2 values'),
        ('gold\tcolour\t242 169 256', 'broken.tsv:3: gold has 3 values, which is not a colour'),
        ('date_type\ttype\t19 14 bold white 1.2', 'broken.tsv:3: date_type has 5 values, which is not a type'),
        ('date_type\ttype\t19 14 heavy white 1.2 flat', "broken.tsv:3: date_type has weight 'heavy'"),
        ('date_type\ttype\t19 14 bold teal 1.2 flat', "broken.tsv:3: date_type has colour 'teal'"),
        # A colour is named only once it is in the table.
        ('date_type\ttype\t19 14 bold navy 1.2 flat\nnavy\tcolour\t11 31 75',
         "broken.tsv:3: date_type has colour 'navy'"),
        ('navy\tcolour\t11 31 75\ndate_type\ttype\t19 14 bold navy 1.2 glow',
         "broken.tsv:4: date_type has 'glow', not shadow or flat"),
        ('navy\tcolour\t11 31 75\ndate_type\ttype\t19 24 bold navy 1.2 flat', 'broken.tsv:4: date_type shrinks to 24'),
        ('navy\tcolour\t11 31 75\ndate_type\ttype\tbig 14 bold navy 1.2 flat',
         'broken.tsv:4: date_type holds something that is not a number'),
    )
    path = os.path.join(work, 'broken.tsv')
    for lines, expected in cases:
        with open(path, 'w') as f:
            f.write('# a comment\n\n' + lines + '\n')
        try:
            board_layout.read(path)
            check('refuses %r' % lines, False, 'read without complaint')
        except ValueError as e:
            check('refuses %r' % lines, expected in str(e), str(e))


def test_cpp_has_every_entry():
    text = board_layout.cpp(board_layout.ENTRIES, 'the table')
    for name, kind, value in board_layout.ENTRIES:
        check('C++ names %s' % name, ' %s' % board_layout.cpp_name(name) in text)
    check('C++ points are Points', 'inline constexpr Point kShieldOutline[] = {{0, 0.1}, {0.5, 0}' in text, text)
    check('C++ point is a Point', 'inline constexpr Point kPulseCentre = {146, 147};' in text, text)
    check('C++ colour is a Colour', 'inline constexpr Colour kGold = RgbColour(242, 169, 0);' in text, text)
    check('C++ type is a TextStyle',
          'inline constexpr TextStyle kDateType = {19, true, kDeepNavy, 1.2, false, 14};' in text, text)


def main():
    for test in (test_generators_follow_the_table, test_committed_pictures_are_drawn_from_the_table,
                 test_broken_tables_are_refused):
        with tempfile.TemporaryDirectory() as work:
            test(work)
    test_cpp_has_every_entry()
    test_every_entry_has_a_reader()
    failed = results.count(False)
    print('%d passed, %d failed' % (len(results) - failed, failed))
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main())
