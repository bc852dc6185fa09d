// The map editor's goals, measured in one headless Chromium: how long after
// an edit the grade of each shipped map is on screen, the grading worker's
// games per second beside the native vexarift-player's in the same run, and
// the bytes of the editor's first visit beside the game page's. Run through
// tools/bench-editor.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { ROOT, launchChromium, startServer } from '../../tests/web/chromium.mjs';
import { waitFor as waitUntil } from '../../tests/web/checks.mjs';

const VIEWPORT = { width: 1376, height: 720, deviceScaleFactor: 1 };
const WAIT_MS = 20000;
const DATA = path.join(ROOT, 'assets/DATA');
const PLAYER = path.join(ROOT, 'build/game/vexarift-player');

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
// Asked every 5 ms: the grade's time on screen is measured by it.
const waitFor = (condition, what) => waitUntil(condition, what, WAIT_MS, 5);

const codes = fs.readFileSync(path.join(ROOT, 'assets/maps/catalogue.txt'), 'utf8').split('\n')
  .filter((line) => line && !line.startsWith('#')).map((line) => line.split('\t'));

// Bytes over the network for everything the page itself asks for until it
// is ready, in a fresh profile; the service worker's own caching after
// that is left out, since it is the same files for both pages.
async function firstVisitBytes(browser, url, ready) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  const cdp = await page.createCDPSession();
  await cdp.send('Network.enable');
  await cdp.send('Network.setCacheDisabled', { cacheDisabled: true });
  let bytes = 0;
  cdp.on('Network.loadingFinished', (event) => { bytes += event.encodedDataLength; });
  await page.goto(url);
  await waitFor(() => ready(page), `${url} to be ready`);
  await sleep(500);
  await context.close();
  return bytes;
}

async function gradeEveryMap(page, url) {
  await page.goto(`${url}editor.html`);
  await waitFor(async () => (await page.$$('#shipped option')).length > codes.length, 'the catalogue');
  const times = [];
  let games = 0;
  let playMs = 0;
  for (const [name, , , , , code] of codes) {
    await page.select('#shipped', code);
    await waitFor(() => page.$eval('#grade-text', (text) => text.dataset.state === 'done'), `the grade of ${name}`);
    const grade = await page.$eval('#grade-text', (text) => ({ ...text.dataset }));
    times.push(Number(grade.ms));
    games += 110;
    playMs += 110 * 1000 / Number(grade.gamesPerSecond);
  }
  times.sort((a, b) => a - b);
  return { times, games, playMs };
}

// The same shipped maps played by the native player: 100 sighted and 100
// full-knowledge seeds each.
function nativeGames() {
  const started = process.hrtime.bigint();
  execFileSync(PLAYER, [DATA, '--sighted', '--seeds', '100'], { stdio: 'ignore' });
  const seconds = Number(process.hrtime.bigint() - started) / 1e9;
  return { games: codes.length * 200, seconds };
}

const { url, server } = await startServer();
const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'vexarift-editor-bench-'));
const browser = await launchChromium(profile, VIEWPORT);
try {
  const page = await browser.newPage();
  const worker = await gradeEveryMap(page, url);
  const native = nativeGames();
  const median = worker.times[Math.floor(worker.times.length / 2)];
  console.log(`grade on screen after the last edit, ${codes.length} shipped maps: median ${median} ms, `
    + `slowest ${worker.times[worker.times.length - 1]} ms`);
  const workerRate = worker.games * 1000 / worker.playMs;
  const nativeRate = native.games / native.seconds;
  console.log(`worker: ${worker.games} games (100 sighted and 10 full-knowledge a map) in ${(worker.playMs / 1000).toFixed(2)} s `
    + `of play, ${workerRate.toFixed(0)} games/s`);
  console.log(`native vexarift-player --sighted --seeds 100: ${native.games} games in ${native.seconds.toFixed(2)} s, `
    + `${nativeRate.toFixed(0)} games/s; worker / native ${(workerRate / nativeRate).toFixed(2)}`);
  const game = await firstVisitBytes(browser, url, async (p) => (await p.title()).startsWith('Vexa Rift -'));
  const editor = await firstVisitBytes(browser, `${url}editor.html`,
    (p) => p.$eval('#record', (area) => area.value.startsWith('MAP')));
  console.log(`first visit: game page ${game} bytes, editor ${editor} bytes, editor / game ${(editor / game).toFixed(3)}`);
} finally {
  await browser.close();
  server.kill();
  fs.rmSync(profile, { recursive: true, force: true });
}
