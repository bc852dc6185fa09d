// Plays the browser build in a headless Chromium, as a player would: the
// start screen and a level held against the desktop's, Enter, the end
// message after Esc, "Last run" from the previous visit after a reload, a
// click, a crafted map won with the keypad, and the message when a network
// has no way out; a won and a lost level in the record, which outlives a
// reload, the Hard maps chosen, Share, links to a map, to today's map (won,
// and shared with its result) and with a bad code; then the page fitted to a laptop's window and played with
// the mouse there, to a phone held sideways and played by touch, turned
// upright, at other sizes, and reloaded and played with the network gone,
// the record still there, and a broken record started again.
//
//   node tests/web/play-in-browser.mjs
//
// Needs build/ (the desktop game and vexarift-start-frame) and build-web/.
// Pictures of what the page showed are left in build-web/browser-test/.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { PNG } from 'pngjs';
import { ROOT as root, launchChromium, startServer as startPageServer } from './chromium.mjs';
import { check, ok, runChecks, waitFor } from './checks.mjs';

const desktopGame = path.join(root, 'build/game');
const frameTool = path.join(root, 'build/tests/vexarift-start-frame');
const shots = path.join(root, 'build-web/browser-test');
const TITLE = 'Vexa Rift - Ardo Venkell, 1280x720';
// A pixel matches when no channel differs by more than this: JPEG decoders
// and text rasterisers may round a step apart.
const TOLERANCE = 8;
const REQUIRED_MATCH = 0.99;

const EMPTY_ROW = 'EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY';
// A map as DATA holds it: the first row, eight empty ones, the start (0, 0).
const dataWithFirstRow = (row) => ['MAP', row, ...Array(8).fill(EMPTY_ROW), '0', '0', ''].join('\n');
// The start node with the System Core beside it.
const SHORT_MAP = dataWithFirstRow('HACKED SYSTEM_CORE EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY');
// Two Anti-viruses in a row: the second's first counter-attack loses.
const LOSING_MAP = dataWithFirstRow('HACKED ANTIVIRUS ANTIVIRUS SYSTEM_CORE EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY');
// The start node cut off from everything worth reaching.
const DEAD_END_MAP = dataWithFirstRow('HACKED EMPTY SYSTEM_CORE EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY');
// Centres of the nodes in columns 0, 1 and 2 of the first row.
const START_NODE = { x: 32, y: 32 };
const SECOND_NODE = { x: 160, y: 32 };
const THIRD_NODE = { x: 288, y: 32 };
// The frame at its own size beside the page's strip of buttons, so the
// canvas can be held pixel for pixel against the desktop's frame.
const DESKTOP = { width: 1376, height: 720, deviceScaleFactor: 1 };
const LAPTOP = { width: 1366, height: 657, deviceScaleFactor: 1 };
const PHONE_SIDEWAYS = { width: 844, height: 390, deviceScaleFactor: 1, hasTouch: true, isMobile: true };
const PHONE_UPRIGHT = { width: 390, height: 844, deviceScaleFactor: 1, hasTouch: true, isMobile: true };
const OTHER_SIZES = [
  { width: 1920, height: 1080, deviceScaleFactor: 1 },
  { width: 1024, height: 768, deviceScaleFactor: 1 },
];
// Beside the buttons the frame may give up a little of the viewport's
// largest 16:9 area, no more.
const LEAST_SHARE_OF_LARGEST = 0.9;

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'vexarift-browser-'));
const lines = [];
let server;
let address;
let browser;

const hasLine = (pattern) => lines.find((line) => pattern.test(line));
const waitForLine = (pattern) => waitFor(() => hasLine(pattern), `a console line matching ${pattern}`);

async function startServer() {
  ({ url: address, server } = await startPageServer());
  return address;
}

// The gliding title keeps the place of its last step before the end of its
// glide, a few pixels short of its target depending on when the last frame
// came; a busy machine draws fewer frames. Its resting band is held apart.
const TITLE_BAND = { x: 90, y: 40, width: 680, height: 190 };
const inTitleBand = (x, y) => x >= TITLE_BAND.x && x < TITLE_BAND.x + TITLE_BAND.width
  && y >= TITLE_BAND.y && y < TITLE_BAND.y + TITLE_BAND.height;

// Share of the pixels of two equal-sized pictures, outside the title band,
// that are within the tolerance of each other (or exactly equal).
function matchingShare(a, b, skip = inTitleBand, tolerance = TOLERANCE) {
  check(a.width === b.width && a.height === b.height,
    `pictures of ${a.width}x${a.height} and ${b.width}x${b.height} cannot be compared`);
  let matching = 0;
  let compared = 0;
  for (let y = 0; y < a.height; ++y)
    for (let x = 0; x < a.width; ++x) {
      if (skip(x, y))
        continue;
      const i = (y * a.width + x) * 4;
      const near = Math.abs(a.data[i] - b.data[i]) <= tolerance
        && Math.abs(a.data[i + 1] - b.data[i + 1]) <= tolerance
        && Math.abs(a.data[i + 2] - b.data[i + 2]) <= tolerance;
      matching += near ? 1 : 0;
      compared += 1;
    }
  return matching / compared;
}

// Share of white pixels in a rectangle of a picture: the end screens' titles.
function whiteShare(picture, x, y, width, height) {
  let white = 0;
  for (let row = y; row < y + height; ++row)
    for (let column = x; column < x + width; ++column) {
      const i = (row * picture.width + column) * 4;
      white += picture.data[i] === 255 && picture.data[i + 1] === 255 && picture.data[i + 2] === 255 ? 1 : 0;
    }
  return white / (width * height);
}

async function canvasPicture(page, name) {
  const file = path.join(shots, `${name}.png`);
  await (await page.$('#canvas')).screenshot({ path: file });
  return PNG.sync.read(fs.readFileSync(file));
}

// What the game tells the page of its levels, kept for the test beside what
// the page does with it.
const listenToLevels = (page) => page.evaluate(() => {
  window.testMaps = [];
  window.testEnds = [];
  const { onMap, onLevelEnd } = Module;
  Module.onMap = (map) => {
    window.testMaps.push(map);
    onMap(map);
  };
  Module.onLevelEnd = (result) => {
    window.testEnds.push(result);
    onLevelEnd(result);
  };
});

async function openGame(page, reload) {
  lines.length = 0;
  if (reload)
    await page.reload();
  else
    await page.goto(await startServer());
  await waitFor(async () => (await page.title()) === TITLE, 'the window title as the page title');
  await listenToLevels(page);
}

const pressKey = (page, key) => page.keyboard.press(key);
// Where a frame pixel is on the page, however large the canvas is shown.
const onPage = async (page, point) => {
  const box = await (await page.$('#canvas')).boundingBox();
  const scale = box.width / 1280;
  return { x: box.x + (point.x + 0.5) * scale, y: box.y + (point.y + 0.5) * scale };
};
const clickCanvas = async (page, point) => {
  const at = await onPage(page, point);
  await page.mouse.click(at.x, at.y);
};
const tapCanvas = async (page, point) => {
  const at = await onPage(page, point);
  await page.touchscreen.tap(at.x, at.y);
};
const writeData = (page, text) => page.evaluate((data) => Module.FS.writeFile('DATA', data), text);
const messageShown = (page) => page.evaluate(() => {
  const message = document.getElementById('message');
  return !message.hidden && document.getElementById('canvas').hidden ? message.innerText : '';
});

// The page neither scrolls nor hides any of the canvas, which keeps its 1280
// x 720 pixels, is 16:9 and takes nearly the viewport's largest 16:9 area.
async function checkFits(page, what) {
  const fit = await page.evaluate(() => {
    const root = document.documentElement;
    const box = canvas.getBoundingClientRect();
    const inset = 2;
    const corners = [[box.left + inset, box.top + inset], [box.right - inset, box.top + inset],
      [box.left + inset, box.bottom - inset], [box.right - inset, box.bottom - inset],
      [(box.left + box.right) / 2, (box.top + box.bottom) / 2]];
    return {
      pixels: [canvas.width, canvas.height],
      box: [box.left, box.top, box.width, box.height],
      view: [root.clientWidth, root.clientHeight],
      scroll: [root.scrollWidth, root.scrollHeight, scrollX, scrollY],
      covered: corners.filter(([x, y]) => document.elementFromPoint(x, y) !== canvas).length,
    };
  });
  const [left, top, width, height] = fit.box;
  const [viewWidth, viewHeight] = fit.view;
  check(fit.pixels[0] === 1280 && fit.pixels[1] === 720, `${what}: the canvas has ${fit.pixels.join('x')} pixels`);
  check(fit.scroll[0] <= viewWidth && fit.scroll[1] <= viewHeight && !fit.scroll[2] && !fit.scroll[3],
    `${what}: the page scrolls (${fit.scroll.join(', ')} in ${viewWidth}x${viewHeight})`);
  check(left >= 0 && top >= 0 && left + width <= viewWidth && top + height <= viewHeight && !fit.covered,
    `${what}: the canvas at ${fit.box.join(', ')} is not all in sight in ${viewWidth}x${viewHeight}`);
  check(Math.abs(width * 9 - height * 16) < 1, `${what}: the canvas is ${width}x${height}`);
  const largest = Math.min(viewWidth, viewHeight * 16 / 9);
  check(width >= LEAST_SHARE_OF_LARGEST * largest, `${what}: the canvas is ${width} wide where ${largest} would fit`);
  return fit;
}

async function openAt(viewport, name, hash = '') {
  const page = await browser.newPage();
  page.on('console', (message) => lines.push(message.text()));
  page.on('pageerror', (error) => lines.push(`page error: ${error.message}`));
  await page.setViewport(viewport);
  lines.length = 0;
  await page.goto(address + hash);
  await waitFor(async () => (await page.title()) === TITLE, 'the window title as the page title');
  const fit = await checkFits(page, name);
  await page.screenshot({ path: path.join(shots, `${name}.png`) });
  return { page, fit };
}

async function firstVisit(page, reference) {
  await openGame(page, false);
  await checkFits(page, 'desktop');
  ok('the page shows the game in a 1280x720 canvas under the window title, all in sight, no scrolling');

  // The title glides for two seconds; then it must be as white as the
  // desktop's, wherever it rests.
  const titleWhite = whiteShare(reference, TITLE_BAND.x, TITLE_BAND.y, TITLE_BAND.width, TITLE_BAND.height);
  let share = 0;
  let exact = 0;
  let white = 0;
  await waitFor(async () => {
    const picture = await canvasPicture(page, 'start-screen');
    share = matchingShare(picture, reference);
    exact = matchingShare(picture, reference, inTitleBand, 0);
    white = whiteShare(picture, TITLE_BAND.x, TITLE_BAND.y, TITLE_BAND.width, TITLE_BAND.height);
    return share >= REQUIRED_MATCH && Math.abs(white - titleWhite) < 0.1 * titleWhite;
  }, `the start screen to match the desktop's (last ${(share * 100).toFixed(2)}% of pixels, `
    + `title ${(white * 100).toFixed(1)}% white against ${(titleWhite * 100).toFixed(1)}%)`);
  ok(`the start screen matches the desktop's: ${(share * 100).toFixed(2)}% of pixels outside the title `
    + `(${(exact * 100).toFixed(2)}% exactly), `
    + `the title ${(white * 100).toFixed(1)}% white against ${(titleWhite * 100).toFixed(1)}%`);

  // Keys still reach the game after a click beside the canvas.
  await page.mouse.click(DESKTOP.width - 5, 5);
  await pressKey(page, 'Enter');
  const maps = fs.readFileSync(path.join(root, 'build-web/game/DATA'), 'utf8').split(/\r?\n/)
    .filter((line) => line === 'MAP').length;
  await waitForLine(new RegExp(`^Loaded ${maps} maps$`));
  check(!hasLine(/^Last run:/), 'a first visit shows a "Last run"');
  ok(`Enter starts a level on the shipped maps (${maps}), with no earlier run on a first visit`);
  const stamp = await page.evaluate(() => Module.FS.readFile('LastRun', { encoding: 'utf8' }).split('\n')[0]);

  await pressKey(page, 'Escape');
  await waitFor(async () => /has ended/.test(await messageShown(page)), 'the end message after Esc');
  await page.screenshot({ path: path.join(shots, 'after-esc.png') });
  ok('Esc ends the game with a message in place of the canvas');
  return stamp;
}

async function secondVisit(page, stamp, levelReference) {
  await openGame(page, true);
  await writeData(page, SHORT_MAP);
  await pressKey(page, 'Enter');
  await waitForLine(/^Loaded 1 maps$/);
  // The line follows the maps' and may reach the page's console a moment later.
  await waitForLine(/^Last run: /);
  check(hasLine(/^Last run: /) === `Last run: ${stamp}`,
    `"${hasLine(/^Last run: /)}" after a reload, not the first visit's "${stamp}"`);
  ok(`a reload shows the first visit's level start: "Last run: ${stamp}"`);

  // The pointer on the start node shows its description in both fonts.
  const at = await onPage(page, START_NODE);
  await page.mouse.move(at.x, at.y);
  let share = 0;
  let exact = 0;
  await waitFor(async () => {
    const picture = await canvasPicture(page, 'level');
    share = matchingShare(picture, levelReference, () => false);
    exact = matchingShare(picture, levelReference, () => false, 0);
    return share >= REQUIRED_MATCH;
  }, `the level to match the desktop's (last ${(share * 100).toFixed(2)}% of pixels)`);
  ok(`the level with the start node's description matches the desktop's: ${(share * 100).toFixed(2)}% of pixels, `
    + `${(exact * 100).toFixed(2)}% exactly`);

  await clickCanvas(page, START_NODE);
  await waitForLine(/^Found path, length: 1$/);
  ok('a click on the start node decrypts it: "Found path, length: 1"');

  // The keypad steps to the System Core; Space decrypts it, three attacks hack it.
  await pressKey(page, 'Numpad6');
  for (let i = 0; i < 4; ++i)
    await pressKey(page, 'Space');
  await waitFor(async () => whiteShare(await canvasPicture(page, 'success'), 100, 50, 600, 140) > 0.05,
    'the "Success" title');
  ok('the crafted map is played to "Success" with the keypad and Space');
  const told = await page.evaluate(() => window.testEnds.at(-1));
  check(told && told.won && told.coherence === 50 && told.strength === 25 && told.moves === 5,
    `the game told the page of the win as ${JSON.stringify(told)}`);
  ok('the game tells the page the win: 50 coherence and 25 strength left, 5 moves');

  await writeData(page, DEAD_END_MAP);
  await pressKey(page, 'Enter');
  await waitFor(() => lines.filter((line) => line === 'Loaded 1 maps').length === 2, 'a new level from the end screen');
  await clickCanvas(page, START_NODE);
  await waitForLine(/^No path$/);
  await waitFor(async () => /No path \(status -1\)/.test(await messageShown(page)), 'the message after "No path"');
  await page.screenshot({ path: path.join(shots, 'after-no-path.png') });
  ok('a network without a way out ends the game after "No path" with a message');
}

// The shipped maps as the catalogue lists them, and today's map.
function catalogue() {
  return fs.readFileSync(path.join(root, 'assets/maps/catalogue.txt'), 'utf8').split('\n')
    .filter((line) => line && !line.startsWith('#'))
    .map((line) => {
      const [name, , grade, , , code] = line.split('\t');
      return { name, grade, code };
    });
}

function todaysCode() {
  const codes = fs.readFileSync(path.join(root, 'assets/maps/daily.txt'), 'utf8').split('\n')
    .filter((line) => line && !line.startsWith('#'));
  const now = new Date();
  const days = Math.round((Date.UTC(now.getUTCFullYear(), now.getUTCMonth(), now.getUTCDate())
    - Date.UTC(2026, 11, 11)) / 86400000);
  return codes[((days % codes.length) + codes.length) % codes.length];
}

// The record panel's rows by their first cell: games, won, share, streak, best.
async function recordRows(page) {
  await page.click('#record-button');
  await waitFor(() => page.$eval('#record', (panel) => !panel.hidden), 'the record panel');
  const rows = await page.$$eval('#record-rows tr', (trs) => trs.map((tr) => [...tr.cells].map((c) => c.textContent)));
  const daily = await page.$eval('#record-daily', (p) => p.textContent);
  const note = await page.$eval('#record-note', (p) => (p.hidden ? '' : p.textContent));
  await page.screenshot({ path: path.join(shots, 'record-panel.png') });
  await page.click('#record-close');
  return { rows: Object.fromEntries(rows.map(([name, ...cells]) => [name, cells.join(' ')])), daily, note };
}

const playedMap = (page, count) => waitFor(() => page.evaluate((n) => window.testMaps.length >= n, count),
  'the game to tell the page its map').then(() => page.evaluate(() => window.testMaps.at(-1)));
const lastEnd = (page) => page.evaluate(() => window.testEnds.at(-1));
const noteShown = (page) => page.$eval('#note', (n) => (n.hidden ? '' : n.textContent));

// A won level from the visit before, a lost one now, both in the record
// after a reload; the Hard maps chosen; Share; the choice after a reload.
async function recordAndChoice(page) {
  await openGame(page, true);
  let record = await recordRows(page);
  check(record.rows['All maps'] === '1 1 100% 1 1' && record.rows['In all'] === '1 1 100% 1 1',
    `the record after a reload is ${JSON.stringify(record.rows)}`);
  ok('the won level is in the record after a reload: 1 game, 1 won, in All maps and in all');

  await writeData(page, LOSING_MAP);
  await pressKey(page, 'Enter');
  await waitForLine(/^Loaded 1 maps$/);
  for (const node of [START_NODE, SECOND_NODE, SECOND_NODE, SECOND_NODE, THIRD_NODE, THIRD_NODE])
    await clickCanvas(page, node);
  await waitFor(async () => Boolean(await lastEnd(page)), 'the end of the lost level');
  const told = await lastEnd(page);
  check(!told.won && told.coherence === -10 && told.moves === 6, `the loss was told as ${JSON.stringify(told)}`);
  await waitFor(async () => (await page.$eval('#record-button', (b) => b.disabled)) === false, 'the end screen');
  record = await recordRows(page);
  check(record.rows['All maps'] === '2 1 50% 0 1' && record.rows['In all'] === '2 1 50% 0 1',
    `the record after the loss is ${JSON.stringify(record.rows)}`);
  ok('a lost level, forced by clicks, is told (-10 coherence, 6 moves) and counted: 2 games, 1 won, 50%, '
    + 'streak 0, best 1');

  const hard = catalogue().filter((map) => map.grade === 'hard');
  await page.select('#pool', 'hard');
  check(await page.evaluate(() => location.hash) === '#hard', 'the address does not follow the choice of Hard');
  await pressKey(page, 'Enter');
  await waitForLine(new RegExp(`^Loaded ${hard.length} maps$`));
  // The lost level's map was the first told since the reload.
  const map = await playedMap(page, 2);
  const named = hard.find((entry) => entry.code === map.code);
  check(named && map.count === hard.length, `the level's map ${JSON.stringify(map)} is not a hard one`);
  ok(`Hard chosen: the level is set up from the ${hard.length} hard maps, and the game reports ${named.name}`);

  await page.click('#share');
  await waitFor(async () => (await page.$eval('#share', (b) => b.textContent)) === 'Copied', '"Copied" on Share');
  const copied = await page.evaluate(() => navigator.clipboard.readText());
  check(copied === `${address}#map=${map.code}`, `Share copied "${copied}"`);
  ok(`Share puts the link to the map played on the clipboard and says "Copied": ${copied}`);

  await openGame(page, true);
  check(await page.$eval('#pool', (select) => select.value) === 'hard'
    && await page.evaluate(() => location.hash) === '#hard', 'the choice of Hard is gone after a reload');
  ok('the choice of Hard is kept across a reload, and the address shows it');
}

// Links open the page on their choice: a shipped map's code, today's map,
// and a code that holds no map.
async function links() {
  const map = catalogue()[7];
  let { page } = await openAt(DESKTOP, 'link-map', `#map=${map.code}`);
  await listenToLevels(page);
  await pressKey(page, 'Enter');
  await waitForLine(/^Loaded 1 maps$/);
  const told = await playedMap(page, 1);
  check(told.code === map.code && told.place === 0, `#map=CODE of ${map.name} set up ${JSON.stringify(told)}`);
  ok(`#map=CODE plays exactly that map: ${map.name}`);
  await page.close();

  ({ page } = await openAt(DESKTOP, 'link-daily', '#daily'));
  await listenToLevels(page);
  await pressKey(page, 'Enter');
  await waitForLine(/^Loaded 1 maps$/);
  check((await playedMap(page, 1)).code === todaysCode(), '#daily does not play today\'s map');
  ok('#daily plays today\'s map');

  // Today's map stood in for by the short one, won: Share adds the result.
  await writeData(page, SHORT_MAP);
  await pressKey(page, 'Enter');
  await playedMap(page, 2);
  await clickCanvas(page, START_NODE);
  await pressKey(page, 'Numpad6');
  for (let i = 0; i < 4; ++i)
    await pressKey(page, 'Space');
  await waitFor(async () => Boolean(await lastEnd(page)), 'the end of today\'s level');
  await page.click('#share');
  await waitFor(async () => (await page.$eval('#share', (b) => b.textContent)) === 'Copied', '"Copied" on Share');
  const copied = await page.evaluate(() => navigator.clipboard.readText());
  const today = new Date().toISOString().slice(0, 10);
  const code = (await page.evaluate(() => window.testMaps.at(-1))).code;
  check(copied === `Vexa Rift daily ${today}: System Core hacked, 50 coherence left, 5 moves\n${address}#map=${code}`,
    `Share after today's map copied "${copied}"`);
  await waitFor(async () => (await page.$eval('#record-button', (b) => b.disabled)) === false, 'the end screen');
  const record = await recordRows(page);
  check(record.rows["Today's map"] === '1 1 100% 1 1' && /won 1 days in a row; best 1/.test(record.daily),
    `the record after today's map is ${JSON.stringify(record)}`);
  ok(`after today's map Share gives the result and the link: "${copied.split('\n')[0]}"; the daily streak is 1`);
  await page.close();

  const bad = `${map.code.slice(0, 20)}${map.code[20] === 'A' ? 'B' : 'A'}${map.code.slice(21)}`;
  ({ page } = await openAt(DESKTOP, 'link-bad-code', `#map=${bad}`));
  const text = await noteShown(page);
  check(/^Bad map link: .*Playing all maps\.$/.test(text), `a bad code shows "${text}"`);
  check(await page.$eval('#pool', (select) => select.value) === 'all' && await page.evaluate(() => location.hash) === '',
    'a bad code does not fall back to All');
  await pressKey(page, 'Enter');
  await waitForLine(new RegExp(`^Loaded ${catalogue().length} maps$`));
  await page.screenshot({ path: path.join(shots, 'link-bad-code-level.png') });
  ok(`a bad code says "${text}" beside the frame and plays All`);
  await page.close();
}

// The mouse on a laptop's window: the frame is scaled down, and a click on
// the start node's scaled place decrypts it.
async function onLaptop() {
  const { page, fit } = await openAt(LAPTOP, 'laptop-1366x657');
  await writeData(page, SHORT_MAP);
  await pressKey(page, 'Enter');
  await waitForLine(/^Loaded 1 maps$/);
  await clickCanvas(page, START_NODE);
  await waitForLine(/^Found path, length: 1$/);
  await page.screenshot({ path: path.join(shots, 'laptop-1366x657-level.png') });
  ok(`1366x657: the frame fits at ${fit.box[2]}x${fit.box[3]}, a click on the start node's place decrypts it`);
  await page.close();
}

// A phone held sideways: no key to press, so the page's button starts the
// level, and a tap plays the start node.
async function onPhone() {
  const { page, fit } = await openAt(PHONE_SIDEWAYS, 'phone-844x390');
  const button = async () => page.$eval('#enter', (b) => (b.hidden ? '' : b.textContent));
  await waitFor(async () => await button() === 'Start', 'the touch button to read "Start" on the start screen');
  await writeData(page, SHORT_MAP);
  await page.tap('#enter');
  await waitForLine(/^Loaded 1 maps$/);
  await waitFor(async () => await button() === 'Restart', 'the touch button to read "Restart" on the level');
  await tapCanvas(page, START_NODE);
  await waitForLine(/^Found path, length: 1$/);
  await page.screenshot({ path: path.join(shots, 'phone-844x390-level.png') });
  ok(`844x390 touch: the frame fits at ${fit.box[2]}x${fit.box[3]}, a tap on "Start" starts a level, `
    + 'a tap on the start node decrypts it');
  await page.close();

  const upright = await browser.newPage();
  await upright.setViewport(PHONE_UPRIGHT);
  await upright.goto(address);
  await waitFor(async () => upright.$eval('#turn', (notice) => getComputedStyle(notice).display !== 'none'),
    'the notice to turn the phone');
  await upright.screenshot({ path: path.join(shots, 'phone-390x844-upright.png') });
  ok('390x844 touch: an upright phone is told to turn sideways');
  await upright.close();
}

async function atOtherSizes() {
  for (const viewport of OTHER_SIZES) {
    const name = `${viewport.width}x${viewport.height}`;
    const { page, fit } = await openAt(viewport, name);
    ok(`${name}: the frame fits at ${fit.box[2]}x${fit.box[3]}, all in sight, no scrolling`);
    await page.close();
  }
}

// After a visit the page plays with the network gone: its service worker
// kept this build, and the page is installable.
async function offline(page) {
  await page.bringToFront();
  await waitFor(() => page.evaluate(() => Boolean(navigator.serviceWorker.controller)), 'the service worker to take the page');
  const cdp = await page.createCDPSession();
  const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
  check(installabilityErrors.length === 0,
    `the page cannot be installed: ${installabilityErrors.map((e) => e.errorId).join(', ')}`);
  server.kill();
  await page.setOfflineMode(true);
  await openGame(page, true);
  const record = await recordRows(page);
  // The two levels of All and today's map.
  check(record.rows['In all'] === '3 2 67% 1 1' && record.rows['All maps'] === '2 1 50% 0 1',
    `the record offline is ${JSON.stringify(record.rows)}`);
  await pressKey(page, 'Enter');
  await waitForLine(/^Loaded \d+ maps$/);
  ok('with the server gone and the network off, a reload plays from the kept build with the record kept; '
    + 'the page is installable');
}

// A record the page cannot read starts again, with a note, and the game
// plays on.
async function brokenRecord(page) {
  await page.evaluate(() => new Promise((resolve) => {
    Module.FS.writeFile('/saved/Record', '{"version": 1, "pools": {');
    Module.FS.syncfs(false, resolve);
  }));
  await openGame(page, true);
  const text = await noteShown(page);
  check(/could not be read/.test(text), `a broken record shows "${text}"`);
  const record = await recordRows(page);
  check(record.rows['In all'] === '0 0 – 0 0' && /could not be read/.test(record.note),
    `the broken record shows as ${JSON.stringify(record)}`);
  await pressKey(page, 'Enter');
  await waitForLine(/^Loaded \d+ maps$/);
  ok(`a broken record starts again from nothing with "${text}", and the game plays`);
}

async function main() {
  fs.mkdirSync(shots, { recursive: true });
  const referenceFile = path.join(shots, 'desktop-start-screen.png');
  execFileSync(frameTool, [referenceFile], { cwd: desktopGame, stdio: ['ignore', 'ignore', 'inherit'] });
  const reference = PNG.sync.read(fs.readFileSync(referenceFile));
  // The desktop's level of the short map, from a folder with its DATA.
  const folder = path.join(work, 'game');
  fs.mkdirSync(folder);
  for (const file of fs.readdirSync(desktopGame))
    if (file !== 'DATA' && file !== 'LastRun')
      fs.symlinkSync(path.join(desktopGame, file), path.join(folder, file));
  fs.writeFileSync(path.join(folder, 'DATA'), SHORT_MAP);
  const levelFile = path.join(shots, 'desktop-level.png');
  execFileSync(frameTool, [path.join(shots, 'desktop-start-screen-again.png'), levelFile,
    String(START_NODE.x), String(START_NODE.y)], { cwd: folder, stdio: ['ignore', 'ignore', 'inherit'] });
  const levelReference = PNG.sync.read(fs.readFileSync(levelFile));

  browser = await launchChromium(path.join(work, 'profile'), DESKTOP);
  const page = await browser.newPage();
  page.on('console', (message) => lines.push(message.text()));
  page.on('pageerror', (error) => lines.push(`page error: ${error.message}`));

  const stamp = await firstVisit(page, reference);
  await browser.defaultBrowserContext().overridePermissions(address, ['clipboard-read', 'clipboard-sanitized-write']);
  await secondVisit(page, stamp, levelReference);
  await recordAndChoice(page);
  await links();
  await onLaptop();
  await onPhone();
  await atOtherSizes();
  await offline(page);
  await brokenRecord(page);
}

await runChecks('browser test', main, lines, async () => {
  if (browser)
    await browser.close();
  if (server)
    server.kill();
  fs.rmSync(work, { recursive: true, force: true });
});
