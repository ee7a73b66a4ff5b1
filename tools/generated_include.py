"""Writes a C++ include that a generator makes from one of the tables, for
the build to include (tools/board_layout.py, tools/menu_items.py)."""
import os


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
