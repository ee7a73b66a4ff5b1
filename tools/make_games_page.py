#!/usr/bin/env python3
"""Writes the CD's game page, games\\index.html on the CD (tools/make-cd.sh
makes it when it lays out the CD): the Vorlaks' 2000-01 season schedule as a
table and the Shootout game.

    python3 tools/make_games_page.py PATH

The page has to open in the browsers of the CD's day (Internet Explorer 4 to
6, Netscape 4) as well as today's, with no plug-in: HTML 3.2 markup with
colours given as attributes, and a script that keeps to what those browsers
run (var and function only, forms and their elements for every change on the
page, handlers in onclick attributes). It is one file with nothing to load.
The season is the same on every run, so the page only changes with this file.
"""
import datetime
import html
import os
import sys

from team_colours import GOLD, ICE, NAVY, WHITE

HERE = os.path.dirname(os.path.abspath(__file__))

HOME_ARENA = 'Tarrowick Civic Arena'

# Opponent: (name, home arena). The Northern Ice League's other five clubs.
TEAMS = {
    'EVC': ('Eastvale Comets', 'Comet Dome'),
    'RPF': ('Ridgeport Falcons', 'Ridgeport Gardens'),
    'HBK': ('Harbor Kings', 'Harbor Point Center'),
    'FRO': ('Fen Rock Otters', 'Otter Bay Hall'),
    'MBS': ('Millbrook Stags', 'Stag Hill Forum'),
}
ROTATION = ('HBK', 'FRO', 'EVC', 'MBS', 'RPF')

SEASON_START = datetime.date(2000, 10, 6)
GAMES = 40
# Days between one game and the next, repeated through the season; with the
# home/away rule in season() every club is met eight times, four at home.
GAPS = (3, 4, 2, 5, 3, 4, 4)
# Start times by day of the week (Monday = 0); weekend afternoons at home.
HOME_TIMES = ('7:30 PM', '7:30 PM', '7:30 PM', '7:30 PM', '7:30 PM', '7:00 PM', '2:00 PM')
AWAY_TIMES = ('7:00 PM', '7:00 PM', '7:05 PM', '7:00 PM', '8:00 PM', '7:30 PM', '1:30 PM')


def season():
    """The season's games in order: (date, home?, tag, start time)."""
    games = []
    day = SEASON_START
    for n in range(GAMES):
        tag = ROTATION[n % len(ROTATION)]
        # Home and away alternate, and each club's visits alternate too.
        home = (n // len(ROTATION) + n % len(ROTATION)) % 2 == 0
        times = HOME_TIMES if home else AWAY_TIMES
        games.append((day, home, tag, times[day.weekday()]))
        day += datetime.timedelta(days=GAPS[n % len(GAPS)])
    return games


def hexc(rgb):
    return '#%02X%02X%02X' % rgb


def schedule_rows(games):
    rows = []
    for n, (day, home, tag, time) in enumerate(games):
        name, arena = TEAMS[tag]
        shade = hexc(WHITE) if n % 2 == 0 else hexc(ICE)
        opponent = ('vs. ' if home else 'at ') + name
        where = HOME_ARENA if home else arena
        cells = (str(n + 1), day.strftime('%a'), day.strftime('%b %d, %Y').replace(' 0', ' '),
                 opponent, where, time)
        # Netscape 4 carries no font colour into a table cell: each cell
        # names its own.
        ink = '<td><font color="%s">%%s</font></td>' % hexc(NAVY)
        texts = [html.escape(c) for c in cells]
        if home:
            texts[3] = '<b>%s</b>' % texts[3]
        tds = ''.join(ink % t for t in texts)
        rows.append('<tr bgcolor="%s">%s</tr>' % (shade, tds))
    return '\n'.join(rows)


# The Shootout: five shots each way. The player picks a corner of the net to
# shoot at, and the Otters' goalie dives to one at random; then the player is
# the goalie and picks where to dive for the other side's shot. A tie after
# five goes to sudden death, one shot each, until one side scores and the
# other does not.
GAME_SCRIPT = r'''
var SPOTS = new Array("top left", "top right", "low left", "low right");
var ROUNDS = 5;
var us = 0, them = 0, shots = 0, saves = 0, turn = "shoot", over = false;

function pick() {
  var n = Math.floor(Math.random() * SPOTS.length);
  return n < SPOTS.length ? n : SPOTS.length - 1;
}

function box() { return document.forms["shootout"]; }

function show(message) {
  var f = box();
  f.elements["score"].value = "Vorlaks " + us + " - " + them + " Otters";
  f.elements["round"].value = over ? "Final" :
      (shots < ROUNDS ? "Shot " + (shots + 1) + " of " + ROUNDS : "Sudden death");
  f.elements["turn"].value = over ? "Game over" :
      (turn == "shoot" ? "Your shot: pick a corner" : "You are in goal: pick where to dive");
  f.elements["news"].value = message;
}

function newGame() {
  us = 0; them = 0; shots = 0; saves = 0; turn = "shoot"; over = false;
  show("Face the Fen Rock Otters' goalie. Five shots each.");
}

function finished() {
  if (shots < ROUNDS) {
    // Over early when the trailing side cannot catch up with its shots left.
    return us > them + (ROUNDS - shots) || them > us + (ROUNDS - shots);
  }
  return us != them;
}

function play(spot) {
  if (over) { show("The game is over. Press New game to play again."); return; }
  var other = pick(), message;
  if (turn == "shoot") {
    if (other == spot) {
      message = "Saved! The goalie dove " + SPOTS[other] + ".";
    } else {
      us++;
      message = "GOAL! " + SPOTS[spot] + ", the goalie went " + SPOTS[other] + ".";
    }
    turn = "save";
  } else {
    if (other == spot) {
      saves++;
      message = "What a save! You read the " + SPOTS[other] + " shot.";
    } else {
      them++;
      message = "The Otters score " + SPOTS[other] + ".";
    }
    turn = "shoot";
    shots++;
    if (finished()) {
      over = true;
      message += us > them ? " The Vorlaks win the shootout!" : " The Otters take it. Next time!";
    }
  }
  show(message);
}
'''


def button(spot, label):
    return ('<input type="button" value="%s" onclick="play(%d)">' % (label, spot))


def page(games):
    navy, gold, ice, white = hexc(NAVY), hexc(GOLD), hexc(ICE), hexc(WHITE)
    home = sum(1 for g in games if g[1])
    first, last = games[0][0], games[-1][0]
    return '''<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 3.2 Final//EN">
<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=iso-8859-1">
<title>Tarrowick Vorlaks - Schedule and Shootout</title>
<script language="JavaScript" type="text/javascript">
<!--
%(script)s
// -->
</script>
</head>
<body bgcolor="%(navy)s" text="%(white)s" link="%(gold)s" vlink="%(ice)s" alink="%(white)s" onload="newGame()">
<center>
<table width="640" border="0" cellpadding="8" cellspacing="0">
<tr><td bgcolor="%(gold)s" align="center">
<font face="Verdana, Arial, Helvetica, sans-serif" color="%(navy)s" size="6"><b>TARROWICK VORLAKS</b></font><br>
<font face="Verdana, Arial, Helvetica, sans-serif" color="%(navy)s" size="3"><b>Northern Ice League &middot; 2000-01 Season</b></font>
</td></tr>
</table>

<p><font face="Verdana, Arial, Helvetica, sans-serif" size="2">
<a href="#shootout">Play the Shootout</a> &nbsp;|&nbsp; <a href="#schedule">The season's schedule</a>
</font></p>

<a name="shootout"></a>
<table width="640" border="0" cellpadding="2" cellspacing="0"><tr><td bgcolor="%(gold)s">
<table width="100%%" border="0" cellpadding="10" cellspacing="0"><tr><td bgcolor="%(ice)s">
<font face="Verdana, Arial, Helvetica, sans-serif" color="%(navy)s">
<font size="4"><b>THE SHOOTOUT</b></font><br>
<font size="2">The game is tied after overtime, and it comes down to the shootout
against the Fen Rock Otters. Take your shot: pick a corner. Then you are in goal:
pick where to dive. Five shots each; still level, and it is sudden death.</font>
</font>
<form name="shootout" action="#" onsubmit="return false">
<table border="0" cellpadding="4" cellspacing="0" align="center">
<tr><td colspan="2" align="center">
<input type="text" name="score" size="30" value="Vorlaks 0 - 0 Otters" readonly>
<input type="text" name="round" size="14" value="" readonly>
</td></tr>
<tr><td colspan="2" align="center"><input type="text" name="turn" size="46" value="" readonly></td></tr>
<tr><td colspan="2" align="center">
<table border="4" cellpadding="14" cellspacing="2" bgcolor="%(white)s">
<tr><td bgcolor="%(navy)s">%(b0)s</td><td bgcolor="%(navy)s">%(b1)s</td></tr>
<tr><td bgcolor="%(navy)s">%(b2)s</td><td bgcolor="%(navy)s">%(b3)s</td></tr>
</table>
</td></tr>
<tr><td colspan="2" align="center"><input type="text" name="news" size="60" value="" readonly></td></tr>
<tr><td colspan="2" align="center"><input type="button" value="New game" onclick="newGame()"></td></tr>
</table>
</form>
<noscript><font color="%(navy)s" size="2"><b>The Shootout needs JavaScript: switch it on in
your browser's options to play.</b></font></noscript>
</td></tr></table>
</td></tr></table>

<p>&nbsp;</p>
<a name="schedule"></a>
<table width="640" border="0" cellpadding="4" cellspacing="0">
<tr><td><font face="Verdana, Arial, Helvetica, sans-serif" color="%(gold)s" size="4"><b>THE 2000-01 SCHEDULE</b></font><br>
<font face="Verdana, Arial, Helvetica, sans-serif" size="2">%(count)d games from %(first)s to %(last)s,
%(home)d at home in the %(arena)s (in bold). Times are local.</font></td></tr>
</table>
<table width="640" border="0" cellpadding="4" cellspacing="1" bgcolor="%(gold)s">
<tr bgcolor="%(navy)s"><th><font color="%(gold)s">#</font></th><th><font color="%(gold)s">Day</font></th>
<th><font color="%(gold)s">Date</font></th><th><font color="%(gold)s">Opponent</font></th>
<th><font color="%(gold)s">Arena</font></th><th><font color="%(gold)s">Time</font></th></tr>
%(rows)s
</table>

<p><font face="Verdana, Arial, Helvetica, sans-serif" size="1" color="%(ice)s">
The Tarrowick Vorlaks Theme Pack &middot;
<a href="http://www.tarrowickvorlaks.example/">www.tarrowickvorlaks.example</a></font></p>
</center>
</body>
</html>
''' % {
        'script': GAME_SCRIPT.strip('\n'), 'navy': navy, 'gold': gold, 'ice': ice, 'white': white,
        'b0': button(0, 'Top left'), 'b1': button(1, 'Top right'),
        'b2': button(2, 'Low left'), 'b3': button(3, 'Low right'),
        'rows': schedule_rows(games), 'count': len(games), 'home': home,
        'first': first.strftime('%B %d, %Y').replace(' 0', ' '),
        'last': last.strftime('%B %d, %Y').replace(' 0', ' '), 'arena': HOME_ARENA,
    }


def main():
    if len(sys.argv) != 2:
        sys.exit('usage: make_games_page.py PATH')
    out = sys.argv[1]
    os.makedirs(os.path.dirname(os.path.abspath(out)), exist_ok=True)
    with open(out, 'wb') as f:
        f.write(page(season()).encode('ascii'))
    print(out)


if __name__ == '__main__':
    main()
