#!/usr/bin/env python3
"""Writes a schedule.pvz, the screen saver's schedule.

    python3 tools/make_schedule.py [PATH]                  a sample around today
    python3 tools/make_schedule.py --season [--on DAY] PATH
                                                           the CD's season

The sample (default PATH ./schedule.pvz) has two past games, a game today,
tomorrow and in three days, and more to come: for the demo and the tests,
which need today's game whatever the day.

--season writes the season the CD carries (tools/make-cd.sh makes it once
when it lays out the CD, for the saver's installer and the game page alike):
the season running on DAY (default today; ISO, 2026-12-08), or the next one
when DAY falls between two seasons. A season runs from the first Friday in
October into April: 50 games, every other club of the league ten times, five
at home.

Dates are ISO ("2026-12-08"), which Windows reads in every locale. A game text
is the team text, "%0D%0D", the game information (lines joined by "%0D"; its
first four characters are the start time shown for coming days) and a
three-character tag naming the opponent. Lines end in CR LF.
"""
import argparse
import datetime
import sys

TEAM = 'Tarrowick Vorlaks'
HOME_ARENA = 'Tarrowick Civic Arena'

# Tag: (club, home arena). The league's other five clubs.
CLUBS = {
    'HBK': ('Harbor Kings', 'Harbor Point Center'),
    'FRO': ('Fen Rock Otters', 'Otter Bay Hall'),
    'EVC': ('Eastvale Comets', 'Comet Dome'),
    'MBS': ('Millbrook Stags', 'Stag Hill Forum'),
    'RPF': ('Ridgeport Falcons', 'Ridgeport Gardens'),
}
ROTATION = ('HBK', 'FRO', 'EVC', 'MBS', 'RPF')

SEASON_GAMES = 50
# Days from one game to the next, repeated: 49 gaps make 27 weeks, so a
# season that starts in the first days of October ends in mid-April.
GAPS = (4, 3, 4, 4, 3, 5, 4)
# Start times by day of the week (Monday = 0); weekend afternoons at home.
# All before ten o'clock: the saver's tiles show a time's first four
# characters ("7:30").
HOME_TIMES = ('7:30 PM', '7:30 PM', '7:30 PM', '7:30 PM', '7:30 PM', '7:00 PM', '2:00 PM')
AWAY_TIMES = ('7:00 PM', '7:00 PM', '7:05 PM', '7:00 PM', '8:00 PM', '7:30 PM', '1:30 PM')
# No games on Christmas Eve and Christmas Day.
NO_GAME_DAYS = ((12, 24), (12, 25))

SAMPLE = [
    # days from today, tag, game information
    (-6, 'EVC', '7:00 PM at Eastvale Comets%0DComet Dome'),
    (-2, 'RPF', '1:30 PM vs. Ridgeport Falcons%0DTarrowick Civic Arena'),
    (0, 'HBK', '7:30 PM vs. Harbor Kings%0DTarrowick Civic Arena%0DRadio: 101.4 FM'),
    (1, 'FRO', '6:05 PM at Fen Rock Otters%0DOtter Bay Hall'),
    (3, 'MBS', '8:00 PM vs. Millbrook Stags%0DTarrowick Civic Arena'),
    (6, 'EVC', '7:00 PM vs. Eastvale Comets%0DTarrowick Civic Arena'),
    (9, 'HBK', '2:00 PM at Harbor Kings%0DHarbor Point Center'),
]


def season_games(year):
    """The season that opens in October of `year`, in order: a list of
    (date, home?, tag, start time)."""
    day = datetime.date(year, 10, 1)
    while day.weekday() != 4:  # the first Friday
        day += datetime.timedelta(days=1)
    games = []
    for n in range(SEASON_GAMES):
        while (day.month, day.day) in NO_GAME_DAYS:
            day += datetime.timedelta(days=1)
        tag = ROTATION[n % len(ROTATION)]
        # Home and away alternate, and so does each club's visit.
        home = (n // len(ROTATION) + n % len(ROTATION)) % 2 == 0
        times = HOME_TIMES if home else AWAY_TIMES
        games.append((day, home, tag, times[day.weekday()]))
        day += datetime.timedelta(days=GAPS[n % len(GAPS)])
    return games


def season_on(day):
    """The season running on `day`, or the next one if none is."""
    for year in (day.year - 1, day.year):
        games = season_games(year)
        if day <= games[-1][0]:
            return games
    return season_games(day.year + 1)


def game_info(home, tag, time):
    """The game information as the saver shows it: the start time and the
    opponent, then the arena."""
    club, arena = CLUBS[tag]
    return '%s %s %s%%0D%s' % (time, 'vs.' if home else 'at', club, HOME_ARENA if home else arena)


def line(day, info, tag):
    return '%s\t%s%%0D%%0D%s%s' % (day.isoformat(), TEAM, info, tag)


def season_lines(games):
    return [line(day, game_info(home, tag, time), tag) for day, home, tag, time in games]


def sample_lines(today):
    return [line(today + datetime.timedelta(days=offset), info, tag) for offset, tag, info in SAMPLE]


def write(path, lines):
    with open(path, 'wb') as f:
        f.write(('\r\n'.join(lines) + '\r\n').encode('cp1252'))


def main(argv):
    parser = argparse.ArgumentParser(description='Writes a schedule.pvz.')
    parser.add_argument('--season', action='store_true', help="the CD's whole season")
    parser.add_argument('--on', type=datetime.date.fromisoformat, default=None,
                        help='the day (ISO) the season is made for; default today')
    parser.add_argument('path', nargs='?', default='schedule.pvz')
    args = parser.parse_args(argv)
    today = args.on or datetime.date.today()
    write(args.path, season_lines(season_on(today)) if args.season else sample_lines(today))
    print(args.path)


if __name__ == '__main__':
    main(sys.argv[1:])
