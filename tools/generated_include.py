"""Reads the tables that generators make C++ includes from, and writes the
includes for the build (tools/board_layout.py, tools/menu_items.py)."""
import os


def table_lines(path):
    """Each line of a table that says something, with where it stands
    ("file:line") for error messages; '#' starts a comment."""
    with open(path, encoding='utf-8') as f:
        for number, line in enumerate(f, 1):
            line = line.split('#', 1)[0].strip()
            if line:
                yield '%s:%d' % (os.path.basename(path), number), line


def write_if_changed(path, text):
    """Written only when it changes, so that a new configure run does not
    make everything that includes it build again; replaced whole."""
    try:
        with open(path, encoding='utf-8') as f:
            if f.read() == text:
                return
    except OSError:
        pass
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with open(path + '.new', 'w', encoding='utf-8') as f:
        f.write(text)
    os.replace(path + '.new', path)
