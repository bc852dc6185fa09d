// The map editor's page in a headless Chromium, as a map maker uses it: a
// small map drawn by clicks, the map checker's problem (no System Core)
// shown and gone once the map is playable, a node at fault marked, a grade
// arriving from the worker, undo and redo, the map kept over a reload, Play
// opening the game page on the map's code; every shipped map opened from a
// link or the catalogue and exported as its DATA record byte for byte, and
// a map opened while another is graded shown with its own grade alone; the
// page fitted to the game page's viewports, drawn on by touch on a phone,
// and opened again with the network gone.
//
//   node tests/web/edit-in-browser.mjs
//
// Needs build/ (vexarift-maps) and build-web/. Pictures of the page are
// left in build-web/editor-test/.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { ROOT as root, launchChromium, startServer } from './chromium.mjs';
import { check, ok, runChecks, waitFor } from './checks.mjs';

const shots = path.join(root, 'build-web/editor-test');
const mapsTool = path.join(root, 'build/game/vexarift-maps');
const DESKTOP = { width: 1376, height: 720, deviceScaleFactor: 1 };
const VIEWPORTS = [
  { width: 1366, height: 657, deviceScaleFactor: 1 },
  { width: 1920, height: 1080, deviceScaleFactor: 1 },
  { width: 1024, height: 768, deviceScaleFactor: 1 },
  { width: 844, height: 390, deviceScaleFactor: 1, hasTouch: true, isMobile: true },
  { width: 390, height: 844, deviceScaleFactor: 1, hasTouch: true, isMobile: true },
];
// NodeType values, as the palette's buttons carry them.
const HACKED = 1;
const SYSTEM_CORE = 6;
const ERASE = 0;
const FAULT_RING = [0xff, 0x5a, 0x4a];

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'vexarift-editor-'));
const lines = [];
let server;
let address;
let browser;

// The shipped records as DATA holds them, one blank line apart, and the
// catalogue's codes in the same order.
function shippedMaps() {
  const data = fs.readFileSync(path.join(root, 'assets/DATA'), 'utf8');
  const records = data.split('\n\n').map((record, i, all) => (i < all.length - 1 ? `${record}\n` : record));
  const catalogue = fs.readFileSync(path.join(root, 'assets/maps/catalogue.txt'), 'utf8').split('\n')
    .filter((line) => line && !line.startsWith('#')).map((line) => line.split('\t'))
    .map(([name, , grade, sighted, , code]) => ({ name, grade, sighted, code }));
  check(records.length === catalogue.length, `${records.length} records in DATA, ${catalogue.length} in the catalogue`);
  return catalogue.map((entry, i) => ({ ...entry, record: records[i] }));
}

const problems = (page) => page.$$eval('#problems li', (items) => items.map((item) => item.textContent));
const record = (page) => page.$eval('#record', (area) => area.value);
const gradeState = (page) => page.$eval('#grade-text', (text) => ({ ...text.dataset, text: text.textContent }));

async function openEditor(page, hash = '') {
  lines.length = 0;
  await page.goto(`${address}editor.html${hash}`);
  await waitFor(async () => (await record(page)).startsWith('MAP\n'), 'the editor to show its map');
}

// Where a grid position's centre is on the page, however large the grid is shown.
async function onPage(page, column, row) {
  const box = await (await page.$('#grid')).boundingBox();
  const scale = box.width / 1280;
  const x = 128 * column + (row % 2 ? 64 : 0) + 32;
  const y = 64 * row + 32;
  return { x: box.x + x * scale, y: box.y + y * scale };
}

async function place(page, tool, positions, touch = false) {
  await (touch ? page.tap(`#palette button[data-tool="${tool}"]`) : page.click(`#palette button[data-tool="${tool}"]`));
  for (const [column, row] of positions) {
    const at = await onPage(page, column, row);
    await (touch ? page.touchscreen.tap(at.x, at.y) : page.mouse.click(at.x, at.y));
  }
}

// The grid's own pixels near a position's centre, as the page drew them.
const ringPixels = (page, column, row, colour) => page.evaluate((c, r, [red, green, blue]) => {
  const x = 128 * c + (r % 2 ? 64 : 0) + 32;
  const y = 64 * r + 32;
  const data = document.getElementById('grid').getContext('2d').getImageData(x - 40, y - 40, 80, 80).data;
  let count = 0;
  for (let i = 0; i < data.length; i += 4)
    count += Math.abs(data[i] - red) < 8 && Math.abs(data[i + 1] - green) < 8 && Math.abs(data[i + 2] - blue) < 8;
  return count;
}, column, row, colour);

async function drawAMap(page) {
  await openEditor(page);
  check((await problems(page)).some((words) => /no SYSTEM_CORE/.test(words)),
    `an empty map shows ${JSON.stringify(await problems(page))}`);
  await place(page, HACKED, [[0, 0], [1, 0], [1, 1]]);
  await place(page, 'start', [[0, 0]]);
  const noCore = (await problems(page)).find((words) => /no SYSTEM_CORE/.test(words));
  check(noCore, `three nodes show ${JSON.stringify(await problems(page))}`);
  check((await gradeState(page)).state === 'none', 'a map without a System Core is graded');
  ok(`a map drawn by clicks without a System Core shows the checker's "${noCore}"`);

  await place(page, SYSTEM_CORE, [[2, 0]]);
  await waitFor(async () => (await problems(page)).length === 0
    && await page.$eval('#playable', (p) => !p.hidden), 'the problem to go once the System Core is placed');
  ok('placing a System Core takes the problem away: "The map checker finds no problem."');

  // A lone node with nothing to find is marked where it stands.
  check(await ringPixels(page, 5, 5, FAULT_RING) === 0, 'position (5, 5) is marked before any fault');
  await place(page, HACKED, [[5, 5]]);
  const lone = await problems(page);
  check(lone.length === 1 && /\(5, 5\)/.test(lone[0]), `a lone node shows ${JSON.stringify(lone)}`);
  check(await ringPixels(page, 5, 5, FAULT_RING) > 50, 'the lone node at (5, 5) is not marked');
  await page.screenshot({ path: path.join(shots, 'fault-marked.png') });
  await place(page, ERASE, [[5, 5]]);
  await waitFor(async () => (await problems(page)).length === 0, 'the lone node\'s problem to go when it is erased');
  check(await ringPixels(page, 5, 5, FAULT_RING) === 0, 'the erased node is still marked');
  ok(`a lone node is listed ("${lone[0]}") and marked on the grid; erased, both go`);

  await waitFor(async () => (await gradeState(page)).state === 'done', 'a grade');
  const grade = await gradeState(page);
  const shares = await page.$eval('#shares', (p) => p.textContent);
  check(grade.grade === 'easy' && /sighted player wins 100% of 100 games, the full-knowledge player 100% of 10/.test(shares),
    `the map next to its System Core grades "${grade.text}", "${shares}"`);
  await page.screenshot({ path: path.join(shots, 'graded.png') });
  ok(`a grade arrives from the worker ${grade.ms} ms after the last edit: ${grade.text}; ${shares}`);

  const drawn = await record(page);
  await page.click('#undo');
  check(await record(page) !== drawn, 'undo leaves the map as it was');
  await page.click('#redo');
  check(await record(page) === drawn, 'redo does not bring the map back');
  await page.reload();
  await waitFor(async () => await record(page) === drawn, 'the drawn map after a reload');
  ok('undo and redo step back and forth; a reload keeps the map being drawn');
  return drawn;
}

// Play opens the game page on the map's code, that code is the map drawn,
// as the desktop's vexarift-maps reads it, and the game plays that map.
async function play(page, drawn) {
  await waitFor(async () => (await page.$eval('#code', (input) => input.value)).length === 59, 'the map\'s code');
  const code = await page.$eval('#code', (input) => input.value);
  check(execFileSync(mapsTool, ['--decode', code], { encoding: 'utf8' }) === drawn,
    `vexarift-maps --decode ${code} does not give the map drawn`);
  await Promise.all([page.waitForNavigation(), page.click('#play')]);
  check(page.url() === `${address}index.html#map=${code}`, `Play opened ${page.url()}`);
  await waitFor(async () => (await page.title()).startsWith('Vexa Rift -'), 'the game page to run');
  await page.evaluate(() => {
    window.testMaps = [];
    const { onMap } = Module;
    Module.onMap = (map) => {
      window.testMaps.push(map);
      onMap(map);
    };
  });
  await page.keyboard.press('Enter');
  await waitFor(async () => (await page.evaluate(() => window.testMaps.length)) > 0, 'the game to set up a level');
  const told = await page.evaluate(() => window.testMaps[0]);
  check(told.code === code && told.count === 1, `the game set up ${JSON.stringify(told)}`);
  ok(`Play opens the game page on index.html#map=${code}, the map vexarift-maps decodes to the map drawn, and the game sets up that map`);
}

// Every shipped map, opened from the catalogue, is exported as its record;
// the first, from a link, too, and Share gives that link back.
async function shipped(page) {
  const maps = shippedMaps();
  const mistyped = `${maps[0].code.slice(0, 20)}${maps[0].code[20] === 'A' ? 'B' : 'A'}${maps[0].code.slice(21)}`;
  await openEditor(page, `#map=${mistyped}`);
  const refusal = await page.$eval('#open-problem', (p) => p.textContent);
  check(/^That code does not open: ./.test(refusal), `a mistyped code's link shows "${refusal}"`);
  await openEditor(page, `#map=${maps[0].code}`);
  await waitFor(async () => await record(page) === maps[0].record, 'the first shipped map from its link');
  check(!page.url().includes('#'), `the link stays in the address: ${page.url()}`);
  await page.click('#share');
  const link = await page.$eval('#share-link', (input) => input.value);
  check(link === `${address}editor.html#map=${maps[0].code}`, `Share gives ${link}`);
  for (const { code, record: expected } of maps) {
    await page.select('#shipped', code);
    const exported = await record(page);
    check(exported === expected, `the map of ${code} is exported as\n${exported}\nnot as DATA holds it:\n${expected}`);
    check(await page.$eval('#code', (input) => input.value) === code, `the map of ${code} gets another code`);
  }
  ok(`a mistyped code's link is turned away ("${refusal}"); a shipped map opens from its link and Share gives `
    + `the link back; all ${maps.length} shipped maps, `
    + 'opened from the catalogue, export their DATA record byte for byte and their code');
}

// A map opened while the one before is still being graded: only the last
// map's grade is shown, and it is the catalogue's.
async function regrade(page) {
  const maps = shippedMaps();
  const hard = maps.find((entry) => entry.grade === 'hard');
  const normal = maps.find((entry) => entry.grade === 'normal');
  await page.select('#shipped', hard.code);
  await page.select('#shipped', normal.code);
  await waitFor(async () => (await gradeState(page)).state === 'done', `the grade of ${normal.name}`);
  const shown = await gradeState(page);
  const shares = await page.$eval('#shares', (p) => p.textContent);
  check(shown.grade === normal.grade && shares.includes(`wins ${normal.sighted}% of 100`),
    `${normal.name} opened while ${hard.name} was graded shows "${shown.text}", "${shares}"`);
  ok(`${normal.name} opened while ${hard.name} is graded grades as the catalogue says: ${shown.text}, ${shares}`);
}

// The page neither scrolls nor hides the grid, at every size the game page fits.
async function fits(page, name) {
  const fit = await page.evaluate(() => {
    const root = document.documentElement;
    const grid = document.getElementById('grid').getBoundingClientRect();
    const panel = document.getElementById('panel').getBoundingClientRect();
    return {
      grid: [grid.left, grid.top, grid.right, grid.bottom],
      panel: [panel.left, panel.top, panel.right, panel.bottom],
      view: [root.clientWidth, root.clientHeight],
      scroll: [root.scrollWidth, root.scrollHeight],
    };
  });
  const [width, height] = fit.view;
  const inside = ([left, top, right, bottom]) => left >= 0 && top >= 0 && right <= width + 0.5 && bottom <= height + 0.5;
  check(fit.scroll[0] <= width && fit.scroll[1] <= height, `${name}: the page scrolls`);
  check(inside(fit.grid) && inside(fit.panel), `${name}: the grid ${fit.grid} or panel ${fit.panel} leaves ${width}x${height}`);
  const overlap = fit.grid[0] < fit.panel[2] && fit.panel[0] < fit.grid[2] && fit.grid[1] < fit.panel[3] && fit.panel[1] < fit.grid[3];
  check(!overlap, `${name}: the grid and the panel overlap`);
  return fit.grid;
}

async function atSizes() {
  const sizes = [];
  for (const viewport of VIEWPORTS) {
    const name = `${viewport.width}x${viewport.height}`;
    const page = await browser.newPage();
    await page.setViewport(viewport);
    await openEditor(page);
    const [left, top, right, bottom] = await fits(page, name);
    sizes.push(`${name}: ${Math.round(right - left)}x${Math.round(bottom - top)}`);
    if (viewport.hasTouch && viewport.width > viewport.height) {
      await place(page, HACKED, [[9, 8]], true);
      check((await record(page)).split('\n')[9].endsWith(' HACKED'), `${name}: a tap does not place a node at (9, 8)`);
      await place(page, ERASE, [[9, 8]], true);
    }
    await page.screenshot({ path: path.join(shots, `${name}.png`) });
    await page.close();
  }
  ok(`the grid and panel fit without scrolling at ${sizes.join(', ')}; a tap places and erases a node on a phone`);
}

// With the server gone and the network off, the kept editor opens again.
async function offline(page) {
  await openEditor(page);
  await waitFor(() => page.evaluate(() => Boolean(navigator.serviceWorker.controller)), 'the service worker');
  const kept = await record(page);
  server.kill();
  await page.setOfflineMode(true);
  await page.reload();
  await waitFor(async () => (await page.$$('#palette button')).length > 0 && await record(page) === kept,
    'the editor without a network');
  ok('with the server gone and the network off, the editor opens again with its map');
}

async function main() {
  fs.mkdirSync(shots, { recursive: true });
  ({ url: address, server } = await startServer());
  browser = await launchChromium(path.join(work, 'profile'), DESKTOP);
  const page = await browser.newPage();
  page.on('console', (message) => lines.push(message.text()));
  page.on('pageerror', (error) => lines.push(`page error: ${error.message}`));
  const drawn = await drawAMap(page);
  await play(page, drawn);
  await shipped(page);
  await regrade(page);
  await atSizes();
  await offline(page);
}

await runChecks('editor test', main, lines, async () => {
  if (browser)
    await browser.close();
  if (server)
    server.kill();
  fs.rmSync(work, { recursive: true, force: true });
});
