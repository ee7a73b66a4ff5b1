// Plays the generated vorlaks.swf in Ruffle, in headless Chromium, and reads
// the screenshots: the board must show the variables file's texts where the
// movie puts them, and nothing there before the file has been read. What the
// player sends to the sound output is recorded too: the team's sound with
// "sound=1" in sound.pvz, silence with "sound=0" or without the file.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, mkdirSync, writeFileSync, readFileSync, copyFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { join, dirname, extname } from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';
import pngjs from 'pngjs';

const here = dirname(fileURLToPath(import.meta.url));
const root = join(here, '..', '..');
const ruffleDir = join(here, 'node_modules', '@ruffle-rs', 'ruffle');
const work = mkdtempSync(join(process.env.MOVIE_TEST_DIR || tmpdir(), 'vorlaks-movie-'));
const swfPath = join(work, 'vorlaks.swf');

const GAME_DAY =
  'currentdate=December 8, 2026&team=Tarrowick Vorlaks&gameinfo=7:30 PM vs. Harbor Kings%0D' +
  'Tarrowick Civic Arena%0DRadio: 101.4 FM&small1=9%0DFRO%0D6:05&small2=10&small3=11%0DMBS%0D8:00&numvars=6';
const NO_GAME =
  'currentdate=December 9, 2026&team=&gameinfo=No Game&small1=10&small2=11%0DMBS%0D8:00&small3=12&numvars=6';

// Where the movie puts its fields, in the page's pixels (the stage is shown
// at its own 641 x 481), and which pixels there are text: the date is deep
// navy on the gold tab, the team gold, the rest white on navy.
const isDark = ([r, g, b]) => r < 90 && g < 90 && b < 110;
const isWhite = ([r, g, b]) => r > 190 && g > 190 && b > 190;
const isGold = ([r, g, b]) => r > 170 && g > 110 && g < 200 && b < 90;
const AREAS = {
  date: { x0: 122, y0: 90, x1: 336, y1: 113, isText: isDark },
  team: { x0: 142, y0: 138, x1: 590, y1: 158, isText: isGold },
  game: { x0: 56, y0: 170, x1: 590, y1: 324, isText: isWhite },
  tile1: { x0: 30, y0: 378, x1: 206, y1: 455, isText: isWhite },
  tile2: { x0: 232, y0: 378, x1: 408, y1: 455, isText: isWhite },
  tile3: { x0: 434, y0: 378, x1: 610, y1: 455, isText: isWhite },
};
const TEXT_AREAS = Object.keys(AREAS);
// Not text: the gold of the date tab, there from the first frame on.
AREAS.tab = { ...AREAS.date, isText: isGold };

// A browser's screenshot, decoded, with its pixels as [r, g, b].
function decodePng(buffer) {
  const { width, data } = pngjs.PNG.sync.read(buffer);
  return { pixel: (x, y) => data.subarray((y * width + x) * 4, (y * width + x) * 4 + 3) };
}

// How many text pixels an area holds, and over how many rows they spread
// (one line of text against three).
function measure(png, area) {
  let pixels = 0;
  let rows = 0;
  for (let y = area.y0; y < area.y1; y++) {
    let inRow = 0;
    for (let x = area.x0; x < area.x1; x++) if (area.isText(png.pixel(x, y))) inRow++;
    pixels += inRow;
    if (inRow) rows++;
  }
  return { pixels, rows };
}

function measureAll(png) {
  return Object.fromEntries(Object.entries(AREAS).map(([name, area]) => [name, measure(png, area)]));
}

// A page per case folder, each with its own tarvordat.pvz beside the movie.
// The file's answer can be held back, to see the board before it is read.
const gates = new Map();
const reads = new Map();
const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.swf': 'application/x-shockwave-flash', '.pvz': 'text/plain' };

const server = createServer(async (req, res) => {
  const path = decodeURIComponent(new URL(req.url, 'http://x').pathname);
  const file = path.startsWith('/ruffle/') ? join(ruffleDir, path.slice(8)) : join(work, path);
  if (!file.startsWith(work) && !file.startsWith(ruffleDir)) return res.writeHead(403).end();
  if (path.endsWith('.pvz')) reads.set(path, (reads.get(path) || 0) + 1);
  if (path.endsWith('/tarvordat.pvz')) await gates.get(path);
  try {
    const body = readFileSync(file);
    res.writeHead(200, { 'Content-Type': types[extname(file)] || 'application/octet-stream' }).end(body);
  } catch {
    res.writeHead(404).end();
  }
});

const PAGE = `<!doctype html>
<html><head><style>html, body { margin: 0; background: #000; overflow: hidden; }</style>
<script>window.RufflePlayer = { config: { publicPath: '/ruffle/', polyfills: false } };
  // Whatever the player plays passes through this tap on its way to the
  // output, which keeps it (mono), as a recorder at the loudspeaker would.
  // It runs on the sound thread, so a busy page loses nothing of it.
  window.heard = { rate: 0, chunks: [] };
  const tapSource = \`registerProcessor('tap', class extends AudioWorkletProcessor {
    process([input], [output]) {
      const samples = input.length ? input[0] : new Float32Array(128);
      this.port.postMessage(samples.slice());
      for (const channel of output) channel.set(samples);
      return true;
    }
  });\`;
  window.AudioContext = class extends window.AudioContext {
    constructor(options) {
      super(options);
      const inlet = this.createGain();
      const speakers = super.destination;
      window.heard.rate = this.sampleRate;
      const url = URL.createObjectURL(new Blob([tapSource], { type: 'text/javascript' }));
      this.audioWorklet.addModule(url).then(() => {
        const tap = new AudioWorkletNode(this, 'tap', { channelCount: 1, channelCountMode: 'explicit',
          outputChannelCount: [1] });
        tap.port.onmessage = (e) => window.heard.chunks.push(e.data);
        inlet.connect(tap);
        tap.connect(speakers);
      });
      Object.defineProperty(this, 'destination', { value: inlet });
    }
  };
</script>
<script src="/ruffle/ruffle.js"></script></head>
<body><script>
  const player = window.RufflePlayer.newest().createPlayer();
  player.style.cssText = 'width: 641px; height: 481px; display: block';
  document.body.appendChild(player);
  player.load({ url: 'vorlaks.swf', autoplay: 'on', unmuteOverlay: 'hidden', splashScreen: false,
    letterbox: 'off', contextMenu: 'off' });
</script></body></html>`;

let browser;
let base;

before(async () => {
  execFileSync('python3', [join(root, 'tools', 'make_movie.py'), swfPath]);
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  base = `http://127.0.0.1:${server.address().port}`;
  // A fresh profile for each run, in the run's own folder.
  browser = await chromium.launchPersistentContext(join(work, 'profile'), {
    viewport: { width: 641, height: 481 },
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      // A screen saver plays without a click first.
      '--autoplay-policy=no-user-gesture-required'],
  });
});

after(async () => {
  await browser?.close();
  server.close();
  console.log(`screenshots: ${work}`);
});

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

async function waitFor(what, check, deadline) {
  while (!(await check())) {
    if (Date.now() > deadline) throw new Error(`timed out waiting for ${what}`);
    await sleep(100);
  }
}

// Shows the movie with `variables` as its file. Returns the board measured
// before the file was answered (`unread`) and once it has been drawn
// (`read`): `drawn` says when that is, and `settle` milliseconds more.
async function showBoard(name, variables, drawn, settle = 300) {
  const folder = join(work, name);
  mkdirSync(folder, { recursive: true });
  copyFileSync(swfPath, join(folder, 'vorlaks.swf'));
  writeFileSync(join(folder, 'tarvordat.pvz'), variables);
  writeFileSync(join(folder, 'index.html'), PAGE);
  const pvz = `/${name}/tarvordat.pvz`;
  let release;
  gates.set(pvz, new Promise((resolve) => { release = resolve; }));

  const page = await browser.newPage();
  const deadline = Date.now() + 30000;
  try {
    await page.goto(`${base}/${name}/index.html`);
    await waitFor(`${pvz} to be asked for`, () => reads.get(pvz) > 0, deadline);
    await sleep(500); // the shapes are up by the frame that asks for the file
    const shot = async () => decodePng(await page.screenshot());
    const unread = measureAll(await shot());
    release();
    await waitFor('the board to show the file', async () => drawn(measureAll(await shot())), deadline);
    await sleep(settle);
    const png = await page.screenshot({ path: join(work, `${name}.png`) });
    return { unread, read: measureAll(decodePng(png)), file: join(work, `${name}.png`) };
  } finally {
    release();
    await page.close();
  }
}

const hasText = (m) => m.pixels >= 20;
// A board without text must still be a board: a blank page proves nothing.
function assertBoardDrawn(m) {
  const tab = AREAS.tab;
  assert.ok(m.tab.pixels > 0.9 * (tab.x1 - tab.x0) * (tab.y1 - tab.y0), `the board is drawn: ${m.tab.pixels}`);
}

test('the movie is an uncompressed SWF 4 of the board\'s size, five seconds of frames', () => {
  const swf = readFileSync(swfPath);
  assert.equal(swf.toString('latin1', 0, 3), 'FWS');
  assert.equal(swf[3], 4);
  assert.equal(swf.readUInt32LE(4), swf.length);
  // Stage rectangle: 5 bits of field size, then xmin, xmax, ymin, ymax.
  const bits = swf[8] >> 3;
  let bit = 8 * 8 + 5;
  const field = () => {
    let v = 0;
    for (let i = 0; i < bits; i++, bit++) v = v * 2 + ((swf[bit >> 3] >> (7 - (bit & 7))) & 1);
    return v;
  };
  assert.deepEqual([field(), field(), field(), field()], [0, 641 * 20, 0, 481 * 20]);
  const after = Math.ceil(bit / 8);
  assert.equal(swf.readUInt16LE(after), 12 << 8, 'frame rate');
  assert.equal(swf.readUInt16LE(after + 2), 60, 'frame count: the file is read again every five seconds');
  // Tags must run exactly to the end tag at the end of the file.
  let at = after + 4;
  let code;
  do {
    const head = swf.readUInt16LE(at);
    code = head >> 6;
    let length = head & 0x3f;
    at += 2;
    if (length === 0x3f) { length = swf.readUInt32LE(at); at += 4; }
    at += length;
  } while (code !== 0 && at < swf.length);
  assert.equal(code, 0);
  assert.equal(at, swf.length);
});

test('before its file is read the board shows no text in its fields', async () => {
  const { unread } = await showBoard('before', GAME_DAY, (m) => hasText(m.date));
  assertBoardDrawn(unread);
  for (const name of TEXT_AREAS) assert.ok(!hasText(unread[name]), `${name}: ${JSON.stringify(unread[name])}`);
});

test('an empty variables file leaves the fields empty', async () => {
  const { read } = await showBoard('empty', '', () => true, 1500);
  assertBoardDrawn(read);
  for (const name of TEXT_AREAS) assert.ok(!hasText(read[name]), `${name}: ${JSON.stringify(read[name])}`);
});

let gameDay;

test('a game day shows the date, team, three lines of game and the next days', async () => {
  gameDay = await showBoard('game-day', GAME_DAY, (m) => TEXT_AREAS.every((n) => hasText(m[n])));
  const m = gameDay.read;
  for (const name of TEXT_AREAS) assert.ok(hasText(m[name]), `${name}: ${JSON.stringify(m[name])}`);
  // Carriage returns break lines: three lines of game against one of "10".
  assert.ok(m.game.rows > 60, `game rows ${m.game.rows}`);
  assert.ok(m.tile1.rows > 2 * m.tile2.rows, `tile rows ${m.tile1.rows} / ${m.tile2.rows}`);
  if (process.env.MOVIE_SCREENSHOT) copyFileSync(gameDay.file, process.env.MOVIE_SCREENSHOT);
});

test('a day without a game shows "No Game" on one line and no team', async () => {
  const { read: m } = await showBoard('no-game', NO_GAME, (m) => hasText(m.date) && hasText(m.game));
  assert.ok(hasText(m.game) && m.game.rows < 40, `game ${JSON.stringify(m.game)}`);
  assert.ok(!hasText(m.team), `team ${JSON.stringify(m.team)}`);
  assert.ok(m.tile2.rows > 2 * m.tile1.rows, `tile rows ${m.tile1.rows} / ${m.tile2.rows}`);
  assert.ok(gameDay, 'the game day ran first');
  assert.ok(m.game.pixels < gameDay.read.game.pixels / 2, 'less game text than on a game day');
});

// A saver runs all night and writes the new day's file at midnight: the
// player, playing on, must show it without being started again.
test('playing on, the movie reads its file again and shows the new day', async () => {
  const name = 'next-day';
  const folder = join(work, name);
  mkdirSync(folder, { recursive: true });
  copyFileSync(swfPath, join(folder, 'vorlaks.swf'));
  writeFileSync(join(folder, 'tarvordat.pvz'), GAME_DAY);
  writeFileSync(join(folder, 'index.html'), PAGE);
  const pvz = `/${name}/tarvordat.pvz`;
  const page = await browser.newPage();
  try {
    await page.goto(`${base}/${name}/index.html`);
    const measured = async () => measureAll(decodePng(await page.screenshot()));
    await waitFor('the game day', async () => {
      const m = await measured();
      return TEXT_AREAS.every((n) => hasText(m[n]));
    }, Date.now() + 30000);
    const readsBefore = reads.get(pvz);
    writeFileSync(join(folder, 'tarvordat.pvz'), NO_GAME);
    const written = Date.now();
    let m;
    await waitFor('the new day', async () => {
      m = await measured();
      return !hasText(m.team) && hasText(m.date) && hasText(m.game) && m.game.rows < 40;
    }, written + 15000);
    const took = Date.now() - written;
    assert.ok(reads.get(pvz) > readsBefore, 'the file was read again');
    assert.ok(took < 8000, `shown ${took} ms after the file changed: one loop is five seconds`);
    assert.ok(hasText(m.tile2) && m.tile2.rows > 2 * m.tile1.rows, `tiles ${m.tile1.rows} / ${m.tile2.rows}`);
    await page.screenshot({ path: join(work, `${name}.png`) });
  } finally {
    await page.close();
  }
});

// What the player played while it showed the movie with `setting` as
// sound.pvz (null: no such file): from its start until it has asked for
// the file a second time, a whole loop later, and `more` seconds after
// that (two take it past where that loop's sound would come if it came
// every loop). Written as 32-bit float samples for tools/check_sound.py.
async function recordMovie(name, setting, more) {
  const folder = join(work, name);
  mkdirSync(folder, { recursive: true });
  copyFileSync(swfPath, join(folder, 'vorlaks.swf'));
  writeFileSync(join(folder, 'tarvordat.pvz'), GAME_DAY);
  if (setting !== null) writeFileSync(join(folder, 'sound.pvz'), setting);
  writeFileSync(join(folder, 'index.html'), PAGE);
  const asked = `/${name}/sound.pvz`;
  const page = await browser.newPage();
  try {
    await page.goto(`${base}/${name}/index.html`);
    const deadline = Date.now() + 45000;
    await waitFor(`${asked} to be asked for twice`, () => reads.get(asked) > 1, deadline);
    const heardSeconds = () => page.evaluate(() =>
      window.heard.chunks.reduce((n, c) => n + c.length, 0) / (window.heard.rate || 1));
    const from = await heardSeconds();
    await sleep(more * 1000);
    await waitFor(`${more} s more of sound output`, async () => (await heardSeconds()) >= from + more, deadline);
    const { rate, data } = await page.evaluate(() => {
      const all = new Float32Array(window.heard.chunks.reduce((n, c) => n + c.length, 0));
      let at = 0;
      for (const c of window.heard.chunks) { all.set(c, at); at += c.length; }
      let text = '';
      const bytes = new Uint8Array(all.buffer);
      for (let i = 0; i < bytes.length; i += 8192) text += String.fromCharCode(...bytes.subarray(i, i + 8192));
      return { rate: window.heard.rate, data: btoa(text) };
    });
    const raw = join(work, `${name}.f32`);
    writeFileSync(raw, Buffer.from(data, 'base64'));
    return { raw, rate };
  } finally {
    await page.close();
  }
}

// A whole loop of the movie at least, so that a recorder that took nothing
// cannot pass for silence. Ruffle on a busy machine leaves short gaps in
// what it plays, which delay the rest of a sound (--gaps).
function checkRecording({ raw, rate }, ...expect) {
  const args = [join(root, 'tools', 'check_sound.py'), 'recording', raw, '--rate', String(rate), '--float',
    '--min-seconds', '5', '--gaps', ...expect];
  try {
    return execFileSync('python3', args, { encoding: 'utf8' }).trim();
  } catch (e) {
    assert.fail(`${e.stdout}${e.stderr}`);
  }
}

test('with "sound=1" the movie plays the team\'s sound once a loop in two, as loud as it is made', async () => {
  console.log(checkRecording(await recordMovie('sound-on', 'sound=1', 2), '--sound', '--level', '0.8', '1.1'));
});

test('with "sound=0", or without sound.pvz, the movie plays nothing', async () => {
  const cases = [['sound-off', 'sound=0'], ['sound-missing', null]];
  const recorded = await Promise.all(cases.map(([name, setting]) => recordMovie(name, setting, 0.3)));
  cases.forEach(([name], i) => console.log(`${name}: ${checkRecording(recorded[i], '--silence')}`));
});
