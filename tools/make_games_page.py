#!/usr/bin/env python3
"""Writes the CD's game page, games\\index.html on the CD: the season's
schedule as a table and the Shootout game.

    python3 tools/make_games_page.py PATH SCHEDULE

SCHEDULE is the schedule.pvz that the saver's installer on the same CD
carries (tools/make-cd.sh makes the season once and hands the one file to
both), so the page lists exactly the games the saver shows.

The page has to open in the browsers of the CD's day (Internet Explorer 4 to
6, Netscape 4) as well as today's, with no plug-in, on screens from 640 x 480
up: HTML 3.2 markup with colours given as attributes, tables that take the
window's width, and a script that keeps to what those browsers run (var and
function only, forms and their elements for every change on the page,
handlers in onclick attributes). It is one file with nothing to load.
"""
import datetime
import html
import os
import sys

from team_colours import GOLD, ICE, NAVY, WHITE

HERE = os.path.dirname(os.path.abspath(__file__))

HOME_ARENA = 'Tarrowick Civic Arena'


def read_schedule(path):
    """The games of a schedule.pvz in order: (date, home?, opponent, arena,
    start time), read from the game text as the saver shows it ("7:30 PM
    vs. Harbor Kings", then the arena). Raises ValueError naming the line
    that does not read."""
    with open(path, 'rb') as f:
        text = f.read().decode('cp1252')
    games = []
    for number, line in enumerate(text.splitlines(), 1):
        if not line:
            continue
        try:
            day_text, game_text = line.split('\t')[:2]
            day = datetime.date.fromisoformat(day_text)
            info = game_text.split('%0D%0D', 1)[1][:-3].split('%0D')
            words = info[0].split(' ')
            time = ' '.join(words[:2])
            home = words[2] == 'vs.'
            if not home and words[2] != 'at':
                raise ValueError('neither "vs." nor "at"')
            games.append((day, home, ' '.join(words[3:]), info[1] if len(info) > 1 else '', time))
        except (ValueError, IndexError) as e:
            raise ValueError('%s line %d does not read as a game: %s' % (path, number, e)) from e
    if not games:
        raise ValueError('%s holds no game' % path)
    return games


def season_name(games):
    """"2026-27" for a season from October 2026 into 2027."""
    first, last = games[0][0].year, games[-1][0].year
    return '%d-%02d' % (first, last % 100) if last != first else str(first)


def hexc(rgb):
    return '#%02X%02X%02X' % rgb


def day_text(day, pattern):
    return day.strftime(pattern).replace(' 0', ' ')


def schedule_rows(games):
    rows = []
    for n, (day, home, opponent, arena, time) in enumerate(games):
        shade = hexc(WHITE) if n % 2 == 0 else hexc(ICE)
        cells = (str(n + 1), day.strftime('%a'), day_text(day, '%b %d, %Y'),
                 ('vs. ' if home else 'at ') + opponent, arena, time)
        # Netscape 4 carries no font colour into a table cell: each cell
        # names its own. No cell breaks its line: a date or a time on two
        # lines reads as two.
        ink = '<td nowrap><font size="2" color="%s">%%s</font></td>' % hexc(NAVY)
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


FACE = 'Verdana, Arial, Helvetica, sans-serif'


def page(games):
    navy, gold, ice, white = hexc(NAVY), hexc(GOLD), hexc(ICE), hexc(WHITE)
    home = sum(1 for g in games if g[1])
    first, last = games[0][0], games[-1][0]
    # Every table takes the window's width, so the page fits a 640 x 480
    # screen's browser window (about 600 pixels inside) without scrolling
    # sideways and fills a larger one.
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
<table width="100%%" border="0" cellpadding="6" cellspacing="0">
<tr><td bgcolor="%(gold)s" align="center">
<font face="%(face)s" color="%(navy)s" size="6"><b>TARROWICK VORLAKS</b></font><br>
<font face="%(face)s" color="%(navy)s" size="3"><b>Northern Ice League &middot; %(season)s Season</b></font>
</td></tr>
</table>

<p><font face="%(face)s" size="2">
<a href="#shootout">Play the Shootout</a> &nbsp;|&nbsp; <a href="#schedule">The season's schedule</a>
</font></p>

<a name="shootout"></a>
<table width="100%%" border="0" cellpadding="2" cellspacing="0"><tr><td bgcolor="%(gold)s">
<table width="100%%" border="0" cellpadding="8" cellspacing="0"><tr><td bgcolor="%(ice)s">
<font face="%(face)s" color="%(navy)s">
<font size="4"><b>THE SHOOTOUT</b></font><br>
<font size="2">The game is tied after overtime, and it comes down to the shootout
against the Fen Rock Otters. Take your shot: pick a corner. Then you are in goal:
pick where to dive. Five shots each; still level, and it is sudden death.</font>
</font>
<form name="shootout" action="#" onsubmit="return false">
<table border="0" cellpadding="3" cellspacing="0" align="center">
<tr><td align="center" nowrap>
<input type="text" name="score" size="24" value="Vorlaks 0 - 0 Otters" readonly>
<input type="text" name="round" size="14" value="" readonly>
</td></tr>
<tr><td align="center"><input type="text" name="turn" size="40" value="" readonly></td></tr>
<tr><td align="center">
<table border="4" cellpadding="10" cellspacing="2" bgcolor="%(white)s">
<tr><td bgcolor="%(navy)s">%(b0)s</td><td bgcolor="%(navy)s">%(b1)s</td></tr>
<tr><td bgcolor="%(navy)s">%(b2)s</td><td bgcolor="%(navy)s">%(b3)s</td></tr>
</table>
</td></tr>
<tr><td align="center"><textarea name="news" rows="3" cols="44" wrap="virtual" readonly></textarea></td></tr>
<tr><td align="center"><input type="button" value="New game" onclick="newGame()"></td></tr>
</table>
</form>
<noscript><font color="%(navy)s" size="2"><b>The Shootout needs JavaScript: switch it on in
your browser's options to play.</b></font></noscript>
</td></tr></table>
</td></tr></table>

<p>&nbsp;</p>
<a name="schedule"></a>
<table width="100%%" border="0" cellpadding="4" cellspacing="0">
<tr><td><font face="%(face)s" color="%(gold)s" size="4"><b>THE %(season)s SCHEDULE</b></font><br>
<font face="%(face)s" size="2">%(count)d games from %(first)s to %(last)s,
%(home)d at home in the %(arena)s (in bold). Times are local.</font></td></tr>
</table>
<table width="100%%" border="0" cellpadding="3" cellspacing="1" bgcolor="%(gold)s">
<tr bgcolor="%(navy)s"><th><font size="2" color="%(gold)s">#</font></th><th><font size="2" color="%(gold)s">Day</font></th>
<th><font size="2" color="%(gold)s">Date</font></th><th><font size="2" color="%(gold)s">Opponent</font></th>
<th><font size="2" color="%(gold)s">Arena</font></th><th><font size="2" color="%(gold)s">Time</font></th></tr>
%(rows)s
</table>

<p><font face="%(face)s" size="1" color="%(ice)s">
The Tarrowick Vorlaks Theme Pack &middot;
<a href="http://www.tarrowickvorlaks.example/">www.tarrowickvorlaks.example</a></font></p>
</center>
</body>
</html>
''' % {
        'script': GAME_SCRIPT.strip('\n'), 'navy': navy, 'gold': gold, 'ice': ice, 'white': white,
        'face': FACE, 'season': season_name(games),
        'b0': button(0, 'Top left'), 'b1': button(1, 'Top right'),
        'b2': button(2, 'Low left'), 'b3': button(3, 'Low right'),
        'rows': schedule_rows(games), 'count': len(games), 'home': home,
        'first': day_text(first, '%B %d, %Y'), 'last': day_text(last, '%B %d, %Y'), 'arena': HOME_ARENA,
    }


def main():
    if len(sys.argv) != 3:
        sys.exit('usage: make_games_page.py PATH SCHEDULE')
    out, schedule = sys.argv[1:]
    try:
        games = read_schedule(schedule)
    except (OSError, ValueError) as e:
        sys.exit('make_games_page.py: %s' % e)
    os.makedirs(os.path.dirname(os.path.abspath(out)), exist_ok=True)
    with open(out, 'wb') as f:
        f.write(page(games).encode('ascii'))
    print(out)


if __name__ == '__main__':
    main()
