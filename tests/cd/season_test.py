#!/usr/bin/env python3
"""The CD's season (tools/make_schedule.py --season) for days across the year:
the one running that day or the next, October into April, every game in the
form the saver reads, and the game page made from the file listing the same
games. Prints `N passed, M failed`; exits non-zero on a failure.

    python3 tests/cd/season_test.py
"""
import datetime
import os
import re
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
TOOLS = os.path.join(HERE, '..', '..', 'tools')
sys.path.insert(0, TOOLS)
import make_games_page  # noqa: E402
import make_schedule  # noqa: E402

results = []


def check(name, ok, detail=''):
    results.append(ok)
    if not ok:
        print('FAIL %s%s' % (name, ': ' + detail if detail else ''))


D = datetime.date
# The day the CD is made, and the October in which its season opens.
CASES = (
    (D(2026, 12, 8), 2026),   # mid-season
    (D(2027, 1, 1), 2026),    # over the new year
    (D(2027, 4, 9), 2026),    # the last game's day
    (D(2027, 4, 10), 2027),   # the day after it: the next season
    (D(2027, 7, 4), 2027),    # summer
    (D(2027, 9, 30), 2027),   # the day before October
    (D(2027, 10, 1), 2027),   # the season's first day
    (D(2028, 2, 29), 2027),   # a leap day
)
LINE = re.compile(r'^(\d{4}-\d{2}-\d{2})\tTarrowick Vorlaks%0D%0D'
                  r'(\d:\d\d [AP]M) (vs\.|at) ([A-Za-z ]+)%0D([A-Za-z ]+)([A-Z]{3})$')

work = tempfile.mkdtemp()
for made, opens in CASES:
    name = 'made %s' % made
    path = os.path.join(work, '%s.pvz' % made)
    subprocess.run([sys.executable, os.path.join(TOOLS, 'make_schedule.py'), '--season', '--on',
                    made.isoformat(), path], check=True, stdout=subprocess.DEVNULL)
    with open(path, 'rb') as f:
        data = f.read()
    check(name + ': CR LF lines', data.endswith(b'\r\n') and b'\n' not in data.replace(b'\r\n', b''))
    lines = data.decode('cp1252').split('\r\n')[:-1]
    parsed = [LINE.match(line) for line in lines]
    bad = [line for line, m in zip(lines, parsed) if not m]
    check(name + ': every line is a game the saver reads', not bad, repr(bad[:2]))
    if bad:
        continue
    days = [D.fromisoformat(m.group(1)) for m in parsed]
    check(name + ': forty games or more', len(days) >= 40, str(len(days)))
    check(name + ': in order, one a day', days == sorted(days) and len(set(days)) == len(days))
    check(name + ': opens in October %d' % opens, (days[0].year, days[0].month) == (opens, 10), str(days[0]))
    check(name + ': ends in April', (days[-1].year, days[-1].month) == (opens + 1, 4), str(days[-1]))
    check(name + ': running that day or still to come', made <= days[-1])
    check(name + ': no game at Christmas', not any((d.month, d.day) in ((12, 24), (12, 25)) for d in days))
    home = [m for m in parsed if m.group(3) == 'vs.']
    check(name + ': half at home', len(home) * 2 == len(parsed), '%d of %d' % (len(home), len(parsed)))
    check(name + ': home games in the home arena', all(m.group(5) == make_schedule.HOME_ARENA for m in home))
    for tag, (club, arena) in make_schedule.CLUBS.items():
        mine = [m for m in parsed if m.group(6) == tag]
        check(name + ': %s home and away alike' % tag,
              len(mine) >= 8 and sum(m.group(3) == 'vs.' for m in mine) * 2 == len(mine))
        check(name + ': %s named and in its own arena when away' % tag,
              all(m.group(4) == club and (m.group(3) == 'vs.' or m.group(5) == arena) for m in mine))

    # The page made from the same file lists the same games, in order.
    games = make_games_page.read_schedule(path)
    check(name + ': the page reads every game', [(g[0], g[4], g[2], g[3]) for g in games] ==
          [(d, m.group(2), m.group(4), m.group(5)) for d, m in zip(days, parsed)])
    page = make_games_page.page(games)
    label = '%d-%02d' % (opens, (opens + 1) % 100)
    check(name + ': the page names the %s season' % label, ('%s Season' % label) in page)

# A file that is not a season is refused with the line it stops at.
bad = os.path.join(work, 'bad.pvz')
with open(bad, 'wb') as f:
    f.write(b'2026-10-02\tTarrowick Vorlaks%0D%0D7:30 PM vs. Harbor Kings%0DArenaHBK\r\nnonsense\r\n')
try:
    make_games_page.read_schedule(bad)
    check('a bad line is refused', False)
except ValueError as e:
    check('a bad line is refused, naming it', 'line 2' in str(e), str(e))

passed = sum(results)
print('%d passed, %d failed' % (passed, len(results) - passed))
sys.exit(0 if passed == len(results) else 1)
