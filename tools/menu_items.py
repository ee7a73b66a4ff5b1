#!/usr/bin/env python3
"""Reads the CD menu's items: what each is (menu/menu_items.tsv) and where
its images lie (the window table, resources/forms/menu_frmMain.frm), for
the pictures' generator and check; and writes them as C++ for the menu:
    python3 tools/menu_items.py OUT.inc

    from menu_items import ITEMS, IMAGES
    for item in ITEMS: item.text, item.hover, item.normal.left, item.lit.file

An image's place is in pixels at 96 dots per inch, rounded as the forms
layer rounds. A malformed line stops with its line number.
"""
import collections
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from generated_include import table_lines, write_if_changed  # noqa: E402

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..')
TABLE = os.path.join(ROOT, 'menu', 'menu_items.tsv')
FORM = os.path.join(ROOT, 'resources', 'forms', 'menu_frmMain.frm')

HOVERS = {'marker': 'Marker', 'swap': 'Swap'}
CLICKS = {'installer': 'StartInstaller', 'theme': 'ThemeProcedure', 'game': 'Game', 'help': 'Help',
          'web': 'WebSite', 'exit': 'Exit'}

# name: the control's name; file: its picture in resources/ without .bmp
# ("menu/scr1"); index: its place in the stacking order, bottom to top.
Image = collections.namedtuple('Image', 'name index resource file left top width height visible')
Item = collections.namedtuple('Item', 'item normal lit hover click target text')


def pixels(twips):
    return int(math.floor(twips * 96 / 1440.0 + 0.5))


def read_form(path=FORM):
    """The window table's images, in the order it declares them."""
    images = []
    current = None
    for where, line in table_lines(path):
        if '=' not in line:
            kind, _, name = line.partition(' ')
            current = {'name': name.strip()} if kind == 'Image' else None
            if current is not None:
                images.append(current)
            continue
        if current is not None:
            key, _, value = (part.strip() for part in line.partition('='))
            current[key] = value
    out = []
    for i, image in enumerate(images):
        try:
            resource = image['Picture']
            out.append(Image(image['name'], i, resource, 'menu/' + resource[len('MENU_'):].lower(),
                             pixels(int(image['Left'])), pixels(int(image['Top'])), pixels(int(image['Width'])),
                             pixels(int(image['Height'])), image.get('Visible', 'True') != 'False'))
        except (KeyError, ValueError) as e:
            raise ValueError('%s: image %s lacks a place or picture (%s)' % (os.path.basename(path), image['name'], e))
    return out


def read(path=TABLE, images=None):
    by_name = {image.name: image for image in images}
    items = []
    with open(path, encoding='utf-8') as f:
        for number, line in enumerate(f, 1):
            if line.lstrip().startswith('#') or not line.strip():
                continue
            where = '%s:%d' % (os.path.basename(path), number)
            fields = line.rstrip('\n').split('\t')
            if len(fields) != 7:
                raise ValueError('%s: %d fields, not 7 (tab-separated)' % (where, len(fields)))
            item, normal, lit, hover, click, target, text = fields
            for name in (normal, lit):
                if name not in by_name:
                    raise ValueError('%s: the window table has no image %s' % (where, name))
            if hover not in HOVERS:
                raise ValueError('%s: hover %r is not one of %s' % (where, hover, sorted(HOVERS)))
            if click not in CLICKS:
                raise ValueError('%s: click %r is not one of %s' % (where, click, sorted(CLICKS)))
            if any(item == other.item or normal in (other.normal.name, other.lit.name) or
                   lit in (other.normal.name, other.lit.name) for other in items):
                raise ValueError('%s: %s names an item or image that an earlier row has' % (where, item))
            items.append(Item(item, by_name[normal], by_name[lit], hover, click, target, text))
    named = {name for item in items for name in (item.normal.name, item.lit.name)}
    for image in images:
        if image.name not in named:
            raise ValueError('%s: the window table\'s %s belongs to no item' % (os.path.basename(path), image.name))
    return items


try:
    IMAGES = read_form()
    ITEMS = read(images=IMAGES)
except (OSError, ValueError) as e:
    sys.exit('menu_items: %s' % e)


def cpp_string(text):
    return '"' + text.replace('\\', '\\\\').replace('"', '\\"') + '"'


def cpp(items, images):
    """The images in stacking order and the items, to be included inside
    namespace menu after menu_commands.h and the types they fill."""
    lines = ['// Made by tools/menu_items.py from menu/menu_items.tsv and the window table; change the items there.',
             '', '// The window table\'s images, bottom to top.',
             'inline constexpr const char* kImageNames[] = {']
    lines += ['    %s,' % cpp_string(image.name) for image in images]
    lines += ['};', '', 'inline constexpr MenuItem kMenuItems[] = {']
    for item in items:
        target = 'std::string_view()' if item.target == '-' else 'std::string_view(%s)' % item.target
        lines.append('    {%s, %d, %d, Hover::%s, ClickKind::%s, %s},' % (
            cpp_string(item.item), item.normal.index, item.lit.index, HOVERS[item.hover], CLICKS[item.click],
            target))
    lines.append('};')
    return '\n'.join(lines) + '\n'


def main(argv):
    if len(argv) != 2:
        print('usage: menu_items.py OUT.inc', file=sys.stderr)
        return 2
    write_if_changed(argv[1], cpp(ITEMS, IMAGES))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
