#!/usr/bin/env python3
"""Checks the CD's own text files as the computers of the day read them.

    python3 tests/cd/check_cd_files.py [CD folder]    (default: cd/)

readme.txt and autorun.inf: plain ASCII with CR LF line ends (Notepad on
Windows 95 shows a bare LF as a black box), readme.txt no wider than 72
columns. games/index.html: one file with nothing to fetch, a script that
Internet Explorer 4 and Netscape 4 run, and the whole season in its table.
Prints `N passed, M failed`; exits non-zero on a failure.
"""
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'tools'))
import make_games_page  # noqa: E402
import make_schedule  # noqa: E402

CD = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, '..', '..', 'cd')
results = []


def check(name, ok, detail=''):
    results.append(ok)
    if not ok:
        print('FAIL %s%s' % (name, ': ' + detail if detail else ''))


def read(rel):
    with open(os.path.join(CD, rel), 'rb') as f:
        return f.read()


def crlf_ascii(rel, data):
    check(rel + ' is ASCII', all(b < 128 for b in data))
    check(rel + ' has CR LF line ends only', b'\n' not in data.replace(b'\r\n', b'')
          and b'\r' not in data.replace(b'\r\n', b''))
    check(rel + ' ends with a line end', data.endswith(b'\r\n'))


# --- help/readme.txt --------------------------------------------------------
readme = read('help/readme.txt')
crlf_ascii('help/readme.txt', readme)
text = readme.decode('ascii', 'replace')
lines = text.split('\r\n')
wide = [n + 1 for n, line in enumerate(lines) if len(line) > 72]
check('help/readme.txt fits 72 columns', not wide, 'lines %s' % wide)
check('help/readme.txt has no tabs', '\t' not in text)
# What a reader looks for in it; each must be there.
for words in ('Windows 95', 'Windows 98', 'Windows Me', 'NT 4', '2000', 'XP',
              'Microsoft Plus!', 'Desktop Themes', 'Flash player', 'day board',
              'Add/Remove Programs', 'Tarrowick Vorlaks Screen Saver',
              'MENU.EXE', 'Notepad', 'Display', 'Properties', 'Screen', 'Saver tab',
              'INSTALL\\INSTSCR.EXE', 'INSTALL\\INSTTM98.EXE', 'INSTALL\\INSTTMNT.EXE',
              'INSTALL\\MACROMED\\AXFLASH.EXE', 'GAMES\\INDEX.HTML', 'HELP\\README.TXT',
              'http://www.tarrowickvorlaks.example/',
              # Where a new season's schedule goes, and its form.
              'SCHEDULE.PVZ', 'Tarrowick Vorlaks Saver', '%0D%0D'):
    check('help/readme.txt mentions %r' % words, words in text)
# Every item of the menu, under the name it has on the menu.
for item in ('Screen Saver', 'Desktop Theme', 'Game', 'Flash Player', 'Vorlaks Web Site',
             'Help', 'Exit'):
    check('help/readme.txt explains the menu item %r' % item,
          re.search(r'^  %s\b' % re.escape(item), text, re.M) is not None)

# --- autorun.inf ------------------------------------------------------------
autorun = read('autorun.inf')
crlf_ascii('autorun.inf', autorun)
entries = autorun.decode('ascii', 'replace').split('\r\n')
check('autorun.inf opens with [autorun]', entries[0] == '[autorun]', entries[0])
for key, value in (('open', 'menu.exe'), ('icon', 'menu.exe,0'), ('label', 'Tarrowick Vorlaks')):
    check('autorun.inf %s=%s' % (key, value), '%s=%s' % (key, value) in entries)

# --- games/index.html -------------------------------------------------------
# The page is made from the season's schedule.pvz when the CD is laid out
# (tools/make-cd.sh keeps that file in cd-season beside the CD); a laid-out
# CD's page must be what that file makes. Otherwise: today's season, through
# the same file format.
import datetime  # noqa: E402
import tempfile  # noqa: E402
season_file = os.path.join(CD, '..', 'cd-season', 'schedule.pvz')
if not os.path.exists(season_file):
    season_file = os.path.join(tempfile.mkdtemp(), 'schedule.pvz')
    make_schedule.write(season_file, make_schedule.season_lines(make_schedule.season_on(datetime.date.today())))
games = make_games_page.read_schedule(season_file)
page = make_games_page.page(games)
if os.path.exists(os.path.join(CD, 'games', 'index.html')):
    check('games/index.html is what make_games_page.py writes',
          read('games/index.html').decode('latin-1') == page)
script = ''.join(re.findall(r'<script[^>]*>(.*?)</script>', page, re.S))
check('games/index.html has its script', 'function play(' in script)
# Each: what, a pattern that must not occur, where.
FORBIDDEN = (
    ('const', r'\bconst\b', script),
    ('let', r'\blet\b', script),
    ('arrow functions', r'=>', script),
    ('template strings', r'`', script),
    ('addEventListener', r'addEventListener', page),
    ('getElementById (not in IE 4 or Netscape 4)', r'getElementById', page),
    ('innerHTML (not in Netscape 4)', r'innerHTML', page),
    ('canvas', r'<canvas', page),
    ('array and string methods of ES5', r'\.(forEach|map|filter|indexOf|trim)\(', script),
    ('JSON', r'\bJSON\b', script),
    ('plug-ins', r'<(object|embed|applet)\b', page),
    ('anything loaded from elsewhere', r'\b(src|background)\s*=', page),
    ('style sheets', r'<(style|link)\b', page),
)
for what, pattern, where in FORBIDDEN:
    found = re.search(pattern, where, re.I if what == 'plug-ins' else 0)
    check('games/index.html uses no %s' % what, found is None, found.group(0) if found else '')
rows = re.findall(r'<tr bgcolor="#(?:FFFFFF|A8C8E8)">(.*?)</tr>', page)
check('games/index.html lists every game', len(rows) == len(games), '%d rows' % len(rows))
days = [g[0] for g in games]
check('the season runs forward', days == sorted(days) and len(set(days)) == len(days))
for colour in ('#0B1F4B', '#F2A900', '#A8C8E8', '#FFFFFF'):
    check('games/index.html uses the team colour %s' % colour, colour in page)
check('games/index.html: every form button calls the game', all(
    re.search(r'onclick="(play\(\d\)|newGame\(\))"', b) for b in re.findall(r'<input type="button"[^>]*>', page)))

# --- the Desktop Theme ----------------------------------------------------
THEME = os.path.join(HERE, '..', '..', 'resources', 'wallpaper', 'Tarrowick Vorlaks.theme')
with open(THEME, 'rb') as f:
    theme = f.read()
crlf_ascii('Tarrowick Vorlaks.theme', theme)
sections = {}
current = None
for line in theme.decode('ascii', 'replace').split('\r\n'):
    if line.startswith('['):
        current = sections.setdefault(line.strip('[]').lower(), {})
    elif '=' in line and not line.startswith(';') and current is not None:
        key, value = line.split('=', 1)
        check('theme: %s set once' % key, key.lower() not in current)
        current[key.lower()] = value
desktop = sections.get('control panel\\desktop', {})
for key, value in (('tilewallpaper', '0'), ('wallpaperstyle', '0')):
    check('theme: %s=%s' % (key, value), desktop.get(key) == value, str(desktop.get(key)))
check('theme: a wallpaper', desktop.get('wallpaper', '').endswith('.bmp'))
check('theme: a screen saver', sections.get('boot', {}).get('scrnsave.exe', '').endswith('.scr'))
colours = sections.get('control panel\\colors', {})
# The keys of Windows 95's colour scheme, and those Windows 98 adds.
for key in ('ActiveBorder', 'ActiveTitle', 'AppWorkspace', 'Background', 'ButtonFace',
            'ButtonHilight', 'ButtonShadow', 'ButtonText', 'GrayText', 'Hilight', 'HilightText',
            'InactiveBorder', 'InactiveTitle', 'InactiveTitleText', 'Menu', 'MenuText', 'Scrollbar',
            'TitleText', 'Window', 'WindowFrame', 'WindowText', 'ButtonDkShadow', 'ButtonLight',
            'InfoText', 'InfoWindow', 'GradientActiveTitle', 'GradientInactiveTitle'):
    value = colours.get(key.lower(), '')
    numbers = value.split(' ')
    check('theme: colour %s is three numbers 0-255' % key,
          len(numbers) == 3 and all(n.isdigit() and int(n) <= 255 for n in numbers), value)
from team_colours import GOLD, NAVY  # noqa: E402
for key, rgb in (('background', NAVY), ('activetitle', NAVY), ('titletext', GOLD)):
    check('theme: %s in the team colour' % key, colours.get(key) == '%d %d %d' % rgb, str(colours.get(key)))

passed = sum(results)
print('%d passed, %d failed' % (passed, len(results) - passed))
sys.exit(0 if passed == len(results) else 1)
