// Measures, in one headless Chromium, the main thread's time per animation
// frame and the frames per second of the game's level screen beside a bare
// page that only uploads a 1280 x 720 frame the way the game's page does
// (bare-frame.html). Run through tools/bench-web.
//
// Each round opens one page alone (the other is closed, so it cannot take
// frames), lets it settle, and traces the renderer's main thread for a
// while; rounds alternate between the two pages and the median is printed.
// Main-thread time is the tasks' wall time, as the browser's own
// performance panel counts it, and their CPU time, which a shared machine
// disturbs less.
//
// Before that it measures a first visit: the bytes of the page, the
// program and its data after gzip -9, and the time from navigation to the
// first frame the program draws, the start screen, in a fresh browser
// profile under Chromium's emulation of a slow mobile link, served
// compressed as a web server would (the level too, without the emulation).
// WEB_DIR measures another build's page folder; FIRST_VISIT_ONLY=1 stops
// after the first visits.
import fs from 'node:fs';
import http from 'node:http';
import zlib from 'node:zlib';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { PredefinedNetworkConditions, ROOT, launchChromium } from '../../tests/web/chromium.mjs';
import { waitFor as waitUntil } from '../../tests/web/checks.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const BARE_PAGE = 'bench-bare-frame.html';
const TITLE_PREFIX = 'Vexa Rift -';
// The frame at its own size beside the page's buttons, as the bare page
// shows it: the same pixels on both.
const VIEWPORT = { width: 1376, height: 720, deviceScaleFactor: 1 };
const SETTLE_MS = 1500;
const WAIT_MS = 20000;

const rounds = Number(process.env.ROUNDS || 3);
const webDir = path.resolve(process.env.WEB_DIR || path.join(ROOT, 'build-web/web'));
const firstVisits = Number(process.env.FIRST_VISITS || 3);
const LINK = 'Slow 4G';
const TYPES = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.data': 'application/octet-stream', '.webmanifest': 'application/manifest+json', '.png': 'image/png' };
const traceMs = Number(process.env.TRACE_MS || 5000);

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const waitFor = (condition, what) => waitUntil(condition, what, WAIT_MS);

// The first shipped map, always the same level.
function firstMap() {
  const lines = fs.readFileSync(path.join(ROOT, 'build-web/game/DATA'), 'utf8').split(/\r?\n/);
  const at = lines.indexOf('MAP');
  const record = lines.slice(at, at + 12);
  return { data: `${record.join('\n')}\n`, column: Number(record[10]), row: Number(record[11]) };
}

// Centre of a node in frame pixels: 64-pixel tiles, odd rows a tile right.
const nodeCentre = (column, row) => ({ x: (2 * column + (row % 2)) * 64 + 32, y: row * 64 + 32 });

// The level as a player leaves it between moves: the start node decrypted,
// the pointer on it so its description shows.
async function openLevel(page, url) {
  const lines = [];
  page.on('console', (message) => lines.push(message.text()));
  await page.goto(url);
  await waitFor(async () => (await page.title()).startsWith(TITLE_PREFIX), 'the game to start');
  const map = firstMap();
  await page.evaluate((data) => Module.FS.writeFile('DATA', data), map.data);
  await page.keyboard.press('Enter');
  await waitFor(() => lines.includes('Loaded 1 maps'), 'a level');
  const box = await (await page.$('#canvas')).boundingBox();
  const scale = box.width / 1280;
  const start = nodeCentre(map.column, map.row);
  await page.mouse.click(box.x + start.x * scale, box.y + start.y * scale);
  await waitFor(() => lines.some((line) => /^Found path/.test(line)), 'the start node to be decrypted');
  await page.mouse.move(box.x + (start.x + 2) * scale, box.y + (start.y - 2) * scale);
}

async function openBare(page, url) {
  const html = fs.readFileSync(path.join(here, 'bare-frame.html'), 'utf8');
  // The game's service worker would answer for the page's origin first.
  await page.setBypassServiceWorker(true);
  await page.setRequestInterception(true);
  page.on('request', (request) => (request.url().endsWith(BARE_PAGE)
    ? request.respond({ contentType: 'text/html', body: html })
    : request.continue()));
  await page.goto(url + BARE_PAGE);
}

// Main-thread tasks and animation frames of the page's renderer over the
// traced time; each page runs one animation frame callback a frame.
function mainThreadCost(events) {
  const names = new Map();
  for (const e of events)
    if (e.name === 'thread_name')
      names.set(`${e.pid}:${e.tid}`, e.args.name);
  const byThread = new Map();
  for (const e of events) {
    const key = `${e.pid}:${e.tid}`;
    if (names.get(key) !== 'CrRendererMain')
      continue;
    if (!byThread.has(key))
      byThread.set(key, { wall: 0, cpu: 0, frames: 0, first: Infinity, last: 0 });
    const t = byThread.get(key);
    if (e.name === 'RunTask' && e.ph === 'X') {
      t.wall += e.dur;
      t.cpu += e.tdur || 0;
    }
    if (e.name === 'FireAnimationFrame') {
      t.frames += 1;
      t.first = Math.min(t.first, e.ts);
      t.last = Math.max(t.last, e.ts);
    }
  }
  // The page's own renderer is the one that drew frames.
  const t = [...byThread.values()].sort((a, b) => b.frames - a.frames)[0];
  if (!t || t.frames < 2)
    throw new Error('no frames were traced');
  return {
    fps: (t.frames - 1) / ((t.last - t.first) / 1e6),
    wallMs: t.wall / 1000 / t.frames,
    cpuMs: t.cpu / 1000 / t.frames,
  };
}

// The page folder served as a web server would: each file compressed with
// gzip -9 once, sent compressed to a browser that takes it.
function startCompressingServer(dir) {
  const packed = new Map();
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://x').pathname).replace(/^\/$/, '/index.html');
    const file = path.join(dir, path.normalize(name));
    if (!file.startsWith(dir) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      response.writeHead(404).end();
      return;
    }
    if (!packed.has(file))
      packed.set(file, zlib.gzipSync(fs.readFileSync(file), { level: 9 }));
    response.writeHead(200, { 'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream',
      'Content-Encoding': 'gzip', 'Cache-Control': 'no-cache' });
    response.end(packed.get(file));
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1',
    () => resolve({ url: `http://127.0.0.1:${server.address().port}/`, server })));
}

// What a first visit downloads before the start screen: the page, its
// scripts, the program and its data.
function firstVisitBytes(dir) {
  const files = fs.readdirSync(dir).filter((file) => /^(index\.html|.*\.js|vexarift\.(wasm|data))$/.test(file)
    && file !== 'sw.js');
  const sizes = files.map((file) => {
    const raw = fs.readFileSync(path.join(dir, file));
    return { file, raw: raw.length, gzip: zlib.gzipSync(raw, { level: 9 }).length };
  });
  return { sizes, raw: sizes.reduce((a, s) => a + s.raw, 0), gzip: sizes.reduce((a, s) => a + s.gzip, 0) };
}

// Navigation to the program's first draw on its canvas, in a fresh profile.
async function firstVisit(browser, url) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  try {
    await page.setCacheEnabled(false);
    await page.emulateNetworkConditions(PredefinedNetworkConditions[LINK]);
    await page.evaluateOnNewDocument(() => {
      for (const name of ['drawArrays', 'drawElements']) {
        const draw = WebGLRenderingContext.prototype[name];
        WebGLRenderingContext.prototype[name] = function firstDraw(...args) {
          if (window.firstDrawAt === undefined)
            window.firstDrawAt = performance.now();
          return draw.apply(this, args);
        };
      }
    });
    await page.goto(url);
    const deadline = Date.now() + 120000;
    while ((await page.evaluate(() => window.firstDrawAt)) === undefined) {
      if (Date.now() > deadline)
        throw new Error('the first visit drew nothing in two minutes');
      await sleep(50);
    }
    return page.evaluate(() => window.firstDrawAt);
  } finally {
    await context.close();
  }
}

async function measure(browser, url, open) {
  const page = await browser.newPage();
  try {
    await open(page, url);
    await sleep(SETTLE_MS);
    await page.tracing.start({ categories: ['toplevel', 'devtools.timeline', 'disabled-by-default-devtools.timeline'] });
    await sleep(traceMs);
    const trace = JSON.parse(Buffer.from(await page.tracing.stop()).toString('utf8'));
    return mainThreadCost(trace.traceEvents);
  } finally {
    await page.close();
  }
}

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = Math.floor(sorted.length / 2);
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'vexarift-bench-web-'));
const browser = await launchChromium(path.join(work, 'profile'), VIEWPORT);
const version = await browser.version();

const bytes = firstVisitBytes(webDir);
const packed = await startCompressingServer(webDir);
const visits = [];
try {
  for (let visit = 0; visit < firstVisits; ++visit)
    visits.push(await firstVisit(browser, packed.url));
} finally {
  packed.server.close();
}
console.log(`first visit of ${webDir}, ${version}, ${LINK} emulated, served with gzip -9:`);
for (const { file, raw, gzip } of bytes.sizes)
  console.log(`  ${file.padEnd(16)} ${String(raw).padStart(9)} bytes ${String(gzip).padStart(9)} after gzip -9`);
console.log(`  ${'in all'.padEnd(16)} ${String(bytes.raw).padStart(9)} bytes ${String(bytes.gzip).padStart(9)} after gzip -9`);
console.log(`  first frame ${(median(visits) / 1000).toFixed(2)} s after navigation, median of ${firstVisits} `
  + `(${visits.map((ms) => (ms / 1000).toFixed(2)).join(', ')})`);
if (process.env.FIRST_VISIT_ONLY) {
  await browser.close();
  fs.rmSync(work, { recursive: true, force: true });
  process.exit(0);
}
console.log();

const { url, server } = await startCompressingServer(webDir);
const results = { bare: [], level: [] };
try {
  for (let round = 1; round <= rounds; ++round) {
    results.bare.push(await measure(browser, url, openBare));
    results.level.push(await measure(browser, url, openLevel));
    const [b, l] = [results.bare.at(-1), results.level.at(-1)];
    console.log(`round ${round}: bare ${b.fps.toFixed(1)} fps ${b.wallMs.toFixed(2)} ms (cpu ${b.cpuMs.toFixed(2)}), `
      + `level ${l.fps.toFixed(1)} fps ${l.wallMs.toFixed(2)} ms (cpu ${l.cpuMs.toFixed(2)})`);
  }
} finally {
  await browser.close();
  server.close();
  fs.rmSync(work, { recursive: true, force: true });
}

const summary = (list) => ({
  fps: median(list.map((r) => r.fps)),
  wallMs: median(list.map((r) => r.wallMs)),
  cpuMs: median(list.map((r) => r.cpuMs)),
});
const bare = summary(results.bare);
const level = summary(results.level);
console.log();
console.log(`${version}, median of ${rounds} rounds of ${traceMs / 1000} s, viewport ${VIEWPORT.width}x${VIEWPORT.height}`);
console.log(`${'page'.padEnd(12)} ${'frames/s'.padStart(9)} ${'main ms/frame'.padStart(14)} ${'x bare'.padStart(7)} `
  + `${'cpu ms/frame'.padStart(13)} ${'x bare'.padStart(7)}`);
for (const [name, r] of [['bare frame', bare], ['level', level]])
  console.log(`${name.padEnd(12)} ${r.fps.toFixed(1).padStart(9)} ${r.wallMs.toFixed(2).padStart(14)} `
    + `${(r.wallMs / bare.wallMs).toFixed(2).padStart(7)} ${r.cpuMs.toFixed(2).padStart(13)} `
    + `${(r.cpuMs / bare.cpuMs).toFixed(2).padStart(7)}`);
