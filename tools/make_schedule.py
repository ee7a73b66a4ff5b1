#!/usr/bin/env python3
"""Writes a sample schedule.pvz around today's date: two past games, a game
today, tomorrow and in three days, and more to come.

    python3 tools/make_schedule.py [path]    (default: ./schedule.pvz)

Dates are ISO ("2026-12-08"), which Windows reads in every locale. A game text
is the team text, "%0D%0D", the game information (lines joined by "%0D"; its
first four characters are the start time shown for coming days) and a
three-character tag naming the opponent.
"""
import datetime
import sys

GAMES = [
    # days from today, tag, game information
    (-6, 'EVC', '7:00 PM at Eastvale Comets%0DComet Dome'),
    (-2, 'RPF', '1:30 PM vs. Ridgeport Falcons%0DTarrowick Civic Arena'),
    (0, 'HBK', '7:30 PM vs. Harbor Kings%0DTarrowick Civic Arena%0DRadio: 101.4 FM'),
    (1, 'FRO', '6:05 PM at Fen Rock Otters%0DOtter Bay Hall'),
    (3, 'MBS', '8:00 PM vs. Millbrook Stags%0DTarrowick Civic Arena'),
    (6, 'EVC', '7:00 PM vs. Eastvale Comets%0DTarrowick Civic Arena'),
    (9, 'HBK', '2:00 PM at Harbor Kings%0DHarbor Point Center'),
]


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else 'schedule.pvz'
    today = datetime.date.today()
    lines = []
    for offset, tag, info in GAMES:
        day = today + datetime.timedelta(days=offset)
        lines.append('%s\tTarrowick Vorlaks%%0D%%0D%s%s' % (day.isoformat(), info, tag))
    with open(path, 'wb') as f:
        f.write(('\r\n'.join(lines) + '\r\n').encode('cp1252'))
    print(path)


if __name__ == '__main__':
    main()
