// The CD's game page in headless Chromium, in the browser window that a
// screen of 640 x 480, 800 x 600 and 1024 x 768 leaves a page: nothing runs
// off its side, no text is cut or broken onto a second line, and the
// Shootout, played by clicking its buttons, reads whole from its first shot
// to the end of the game, whichever way it ends.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, dirname } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const here = dirname(fileURLToPath(import.meta.url));
const root = join(here, '..', '..');
const work = mkdtempSync(join(process.env.MOVIE_TEST_DIR || tmpdir(), 'vorlaks-page-'));
const pagePath = join(work, 'index.html');

// A maximised browser of the CD's day: the screen less the window's frame
// and scroll bar, its title, menu, tool and status bars and the taskbar.
const SCREENS = [
  { name: '640x480', width: 640 - 32, height: 480 - 150 },
  { name: '800x600', width: 800 - 32, height: 600 - 150 },
  { name: '1024x768', width: 1024 - 32, height: 768 - 150 },
];

// The other side's picks, as Math.random gives them: spot n of four.
const at = (n) => n / 4 + 0.01;
// Ways the game ends, as the goalie's and the shooters' picks. Each shot of
// ours is at the top left, each dive of ours to the top left.
const GAMES = [
  // Three goals, three saves: over early with the longest winning line.
  { name: 'the Vorlaks win early', picks: [1, 0, 1, 0, 1, 0].map(at), ends: /The Vorlaks win the shootout!$/ },
  // Level after five each, then sudden death lost.
  { name: 'sudden death, lost', picks: [...Array(10).fill(1), 0, 1].map(at), ends: /The Otters take it\. Next time!$/ },
  // Whatever the real Math.random does.
  { name: 'a game by chance', picks: null, ends: /(Vorlaks win|Otters take it)/ },
];

let browser;
before(async () => {
  const schedule = join(work, 'schedule.pvz');
  execFileSync('python3', [join(root, 'tools', 'make_schedule.py'), '--season', schedule]);
  execFileSync('python3', [join(root, 'tools', 'make_games_page.py'), pagePath, schedule]);
  browser = await chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync'],
  });
});

after(async () => {
  await browser?.close();
  console.log(`screenshots: ${work}`);
});

// What of the page does not show as written: text running past its box or
// the window, and a schedule cell or heading broken onto two lines.
function layoutFaults() {
  const faults = [];
  const view = document.documentElement.clientWidth;
  if (document.documentElement.scrollWidth > view) {
    faults.push(`the page is ${document.documentElement.scrollWidth} wide in a window of ${view}`);
  }
  for (const el of document.querySelectorAll('font, b, a, td, th, input, textarea')) {
    const box = el.getBoundingClientRect();
    if (box.width > 0 && (box.right > view + 0.5 || box.left < -0.5)) {
      faults.push(`${el.tagName} "${(el.value || el.textContent).trim().slice(0, 30)}" runs past the window`);
    }
  }
  for (const el of document.querySelectorAll('input[type=text], textarea')) {
    if (el.scrollWidth > el.clientWidth || el.scrollHeight > el.clientHeight) {
      faults.push(`field ${el.name} cuts "${el.value}" (${el.scrollWidth}x${el.scrollHeight} in ${el.clientWidth}x${el.clientHeight})`);
    }
  }
  for (const el of document.querySelectorAll('td[nowrap], th')) {
    const range = document.createRange();
    range.selectNodeContents(el);
    const tops = new Set([...range.getClientRects()].map((r) => Math.round(r.top)));
    if (tops.size > 1) faults.push(`cell "${el.textContent}" takes ${tops.size} lines`);
  }
  return faults;
}

function fields(page) {
  return page.evaluate(() => {
    const f = document.forms.shootout.elements;
    return { score: f.score.value, round: f.round.value, turn: f.turn.value, news: f.news.value };
  });
}

for (const screen of SCREENS) {
  test(`the page at ${screen.name}`, async () => {
    const page = await browser.newPage({ viewport: { width: screen.width, height: screen.height } });
    await page.goto(pathToFileURL(pagePath).href);
    assert.deepEqual(await page.evaluate(layoutFaults), [], 'as it opens');
    const rows = await page.$$eval('tr[bgcolor="#FFFFFF"], tr[bgcolor="#A8C8E8"]', (r) => r.length);
    assert.ok(rows >= 40, `${rows} games listed`);
    await page.screenshot({ path: join(work, `page-${screen.name}.png`), fullPage: true });

    for (const game of GAMES) {
      const picks = JSON.stringify(game.picks);
      await page.evaluate(`(() => {
        window.realRandom = window.realRandom || Math.random;
        var q = ${picks};
        Math.random = q ? function () {
          if (!q.length) throw new Error('more picks than scripted'); return q.shift(); } : window.realRandom;
      })()`);
      await page.click('input[value="New game"]');
      let state = await fields(page);
      assert.match(state.news, /Five shots each/);
      for (let turn = 0; state.round !== 'Final'; turn++) {
        assert.ok(turn < 60, `${game.name}: the game never ended`);
        // Real clicks: the button must be in the window to be pressed.
        await page.click('input[value="Top left"]');
        state = await fields(page);
        assert.deepEqual(await page.evaluate(layoutFaults), [], `${game.name}, turn ${turn + 1}: ${state.news}`);
      }
      assert.match(state.news, game.ends, game.name);
      assert.equal(state.turn, 'Game over');
      assert.match(state.score, /^Vorlaks \d+ - \d+ Otters$/);
      await page.screenshot({ path: join(work, `end-${screen.name}-${game.picks ? game.name.split(' ').pop() : 'chance'}.png`) });
    }
    await page.close();
  });
}
