// Plays the game page's Shootout in node: the page's own script, with the
// form it writes to stood in for and the goalie's and shooters' picks
// scripted through Math.random.
//     node tests/cd/shootout_test.js PAGE   (python3 tools/make_games_page.py PAGE writes it)
'use strict';
const fs = require('fs');

const page = fs.readFileSync(process.argv[2], 'latin1');
const script = page.match(/<script[^>]*>\s*<!--([\s\S]*?)\/\/ -->\s*<\/script>/)[1];

function load(randoms) {
  const fields = {};
  for (const name of ['score', 'round', 'turn', 'news']) fields[name] = { value: '' };
  const queue = randoms.slice();
  const math = Object.create(Math);
  math.random = () => {
    if (queue.length === 0) throw new Error('the game drew more picks than scripted');
    return queue.shift();
  };
  const run = new Function('document', 'Math', script +
      '\nreturn { play: play, newGame: newGame, state: function () {' +
      ' return { us: us, them: them, over: over, turn: turn }; } };');
  const game = run({ forms: { shootout: { elements: fields } } }, math);
  return { game, fields, left: () => queue.length };
}

// A pick of spot n out of four, as Math.random gives it.
const at = (n) => n / 4 + 0.01;

let passed = 0, failed = 0;
function check(name, ok, detail) {
  if (ok) { passed++; } else { failed++; console.log('FAIL ' + name + (detail ? ': ' + detail : '')); }
}

// Each case: the player's spots, the other side's picks in order (one per
// play), and how the game must stand afterwards.
const cases = [
  { name: 'a goal when the goalie guesses wrong', mine: [0], theirs: [1],
    us: 0 + 1, them: 0, over: false, turn: 'save', news: /GOAL/ },
  { name: 'a save when the goalie guesses right', mine: [2], theirs: [2],
    us: 0, them: 0, over: false, turn: 'save', news: /Saved/ },
  { name: 'the player saves when diving to the shot', mine: [0, 3], theirs: [1, 3],
    us: 1, them: 0, over: false, turn: 'shoot', news: /save/ },
  { name: 'the Otters score when the dive is wrong', mine: [0, 3], theirs: [0, 2],
    us: 0, them: 1, over: false, turn: 'shoot', news: /Otters score/ },
  { name: 'over early when the Otters cannot catch up (3-0 after three rounds)',
    mine: [0, 0, 0, 0, 0, 0], theirs: [1, 0, 1, 0, 1, 0],
    us: 3, them: 0, over: true, turn: 'shoot', news: /Vorlaks win/ },
  { name: 'not over at 2-0 after two rounds', mine: [0, 0, 0, 0], theirs: [1, 0, 1, 0],
    us: 2, them: 0, over: false, turn: 'shoot' },
  { name: 'not over at 2-0 with two rounds left', mine: Array(6).fill(0), theirs: [1, 0, 1, 0, 0, 0],
    us: 2, them: 0, over: false, turn: 'shoot' },
  { name: 'a tie after five rounds goes to sudden death',
    mine: Array(10).fill(0), theirs: [1, 1, 1, 1, 1, 1, 1, 1, 1, 1],
    us: 5, them: 5, over: false, turn: 'shoot', round: /Sudden death/ },
  { name: 'sudden death ends when one side misses',
    mine: Array(12).fill(0), theirs: [1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 1],
    us: 5, them: 6, over: true, turn: 'shoot', news: /Otters take it/ },
];

for (const c of cases) {
  const { game, fields, left } = load(c.theirs.map(at));
  game.newGame();
  for (const spot of c.mine) game.play(spot);
  const s = game.state();
  check(c.name + ' (score)', s.us === c.us && s.them === c.them, s.us + '-' + s.them);
  check(c.name + ' (over)', s.over === c.over, String(s.over));
  check(c.name + ' (turn)', s.turn === c.turn, s.turn);
  check(c.name + ' (all picks used)', left() === 0, left() + ' left');
  check(c.name + ' (score box)', fields.score.value === 'Vorlaks ' + c.us + ' - ' + c.them + ' Otters',
      fields.score.value);
  if (c.news) check(c.name + ' (message)', c.news.test(fields.news.value), fields.news.value);
  if (c.round) check(c.name + ' (round)', c.round.test(fields.round.value), fields.round.value);
}

// Once over, a play changes nothing and draws no pick; New game starts again.
{
  const { game, fields } = load([1, 0, 1, 0, 1, 0].map(at));
  game.newGame();
  for (let i = 0; i < 6; i++) game.play(0);
  game.play(0);
  check('a play after the end changes nothing', game.state().us === 3 && /over/.test(fields.news.value),
      fields.news.value);
  game.newGame();
  const s = game.state();
  check('New game starts from nothing', s.us === 0 && s.them === 0 && !s.over && s.turn === 'shoot');
}

// Math.random() may come within rounding of 1: the pick stays a real spot.
{
  const { game, fields } = load([0.9999999999999999]);
  game.newGame();
  game.play(3);
  check('a pick at the top of the range is the last spot', /Saved/.test(fields.news.value), fields.news.value);
}

console.log(passed + ' passed, ' + failed + ' failed');
process.exit(failed ? 1 : 0);
