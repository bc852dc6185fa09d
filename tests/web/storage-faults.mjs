// The browser's storage failing under the game, in a headless Chromium: over
// its quota in the middle of a visit, refusing one write of a store, closed
// by the browser, and unreadable from the start of one. In each the game plays on, the page says the record
// is not saved, and what the storage kept before (LastRun, the record) is
// still there, whole, once the storage works again.
//
//   node tests/web/storage-faults.mjs
//
// Needs build-web/.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { launchChromium, startServer } from './chromium.mjs';
import { check, ok, runChecks, waitFor } from './checks.mjs';

const TITLE = 'Vexa Rift - Ardo Venkell, 1280x720';
const EMPTY_ROW = 'EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY';
// The start node with the System Core beside it: one click decrypts the
// start, four more decrypt and hack the core.
const SHORT_MAP = ['MAP', 'HACKED SYSTEM_CORE EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY',
  ...Array(8).fill(EMPTY_ROW), '0', '0', ''].join('\n');
const START_NODE = { x: 32, y: 32 };
const CORE_NODE = { x: 160, y: 32 };
const NOT_SAVED = /could not be saved/;

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'vexarift-storage-'));
const lines = [];
let server;
let address;
let browser;

const hasLine = (pattern) => lines.find((line) => pattern.test(line));
const countLines = (text) => lines.filter((line) => line === text).length;
const noteShown = (page) => page.$eval('#note', (n) => (n.hidden ? '' : n.textContent));

async function open(page, reload) {
  lines.length = 0;
  if (reload)
    await page.reload();
  else
    await page.goto(address);
  await waitFor(async () => (await page.title()) === TITLE, 'the window title as the page title');
  await page.evaluate(() => {
    window.testEnds = [];
    const { onLevelEnd } = Module;
    Module.onLevelEnd = (result) => {
      window.testEnds.push(result);
      onLevelEnd(result);
    };
  });
}

async function openPage(reload, broken) {
  const page = await browser.newPage();
  page.on('console', (message) => lines.push(message.text()));
  page.on('pageerror', (error) => lines.push(`page error: ${error.message}`));
  if (broken)
    await page.evaluateOnNewDocument(broken);
  await open(page, reload);
  return page;
}

// A level of the short map, started from the start screen or an end screen,
// and won.
async function winLevel(page) {
  const levels = countLines('Loaded 1 maps');
  await page.evaluate((data) => Module.FS.writeFile('DATA', data), SHORT_MAP);
  await page.keyboard.press('Enter');
  await waitFor(() => countLines('Loaded 1 maps') > levels, 'a level of the short map');
  const won = await page.evaluate(() => window.testEnds.length);
  const box = await (await page.$('#canvas')).boundingBox();
  const scale = box.width / 1280;
  for (const node of [START_NODE, CORE_NODE, CORE_NODE, CORE_NODE, CORE_NODE])
    await page.mouse.click(box.x + (node.x + 0.5) * scale, box.y + (node.y + 0.5) * scale);
  await waitFor(async () => (await page.evaluate(() => window.testEnds.length)) > won, 'the won level');
  await waitFor(async () => (await page.$eval('#record-button', (b) => b.disabled)) === false, 'the end screen');
}

// What the browser's storage holds for the page, read past the game.
const kept = (page) => page.evaluate(() => new Promise((resolve, reject) => {
  const request = indexedDB.open('/saved');
  request.onerror = () => reject(request.error);
  request.onsuccess = () => {
    const db = request.result;
    const files = {};
    const store = db.transaction('FILE_DATA').objectStore('FILE_DATA');
    store.openCursor().onsuccess = (event) => {
      const cursor = event.target.result;
      if (!cursor) {
        db.close();
        resolve(files);
        return;
      }
      if (cursor.value.contents)
        files[cursor.key] = new TextDecoder().decode(cursor.value.contents);
      cursor.continue();
    };
  };
}));

const gamesIn = (text) => JSON.parse(text).pools.total.games;

// The LastRun and the record kept before a fault must be there after it,
// byte for byte; the next level shows that LastRun's stamp.
async function checkKept(before, what) {
  const page = await openPage(false);
  const after = await kept(page);
  check(after['/saved/LastRun'] === before['/saved/LastRun'] && after['/saved/Record'] === before['/saved/Record'],
    `${what}: the storage holds ${JSON.stringify(after)}, not ${JSON.stringify(before)}`);
  await winLevel(page);
  const stamp = before['/saved/LastRun'].split('\n')[0];
  check(hasLine(/^Last run: /) === `Last run: ${stamp}`, `${what}: "${hasLine(/^Last run: /)}", not "${stamp}"`);
  return page;
}

// The page's writes into its storage, broken one of two ways until the
// fault is set to null:
// - 'quota': over its quota the browser aborts the transaction that would
//   write past it, with a QuotaExceededError, every write of it undone.
//   Chromium's quota cannot be lowered from outside, so the page's writes are
//   aborted so.
// - 'refused': the record's write alone fails while the others go through,
//   as a write into a broken database file would. Adding a key the store
//   holds already fails in the request, not at once.
const breakWrites = (page, fault) => page.evaluate((kind) => {
  window.writeFault = kind;
  if (window.writesWatched)
    return;
  window.writesWatched = true;
  const put = IDBObjectStore.prototype.put;
  IDBObjectStore.prototype.put = function (...args) {
    if (window.writeFault === 'refused' && args[1] === '/saved/Record')
      return this.add(...args);
    const request = put.apply(this, args);
    const transaction = this.transaction;
    if (window.writeFault === 'quota' && !transaction.overQuota) {
      transaction.overQuota = true;
      request.addEventListener('success', () => {
        Object.defineProperty(transaction, 'error', { value: new DOMException('Over the quota', 'QuotaExceededError') });
        transaction.abort();
      });
    }
    return request;
  };
}, fault);

async function overQuota(page) {
  const before = await kept(page);
  await breakWrites(page, 'quota');
  await winLevel(page);
  await waitFor(async () => NOT_SAVED.test(await noteShown(page)), 'the note that the record could not be saved');
  check(gamesIn(await page.evaluate(() => Module.FS.readFile('/saved/Record', { encoding: 'utf8' }))) === 2,
    'over the quota, the won level is not counted on the page');
  // A store that waited for ever would hold back the end message too.
  await page.keyboard.press('Escape');
  await waitFor(() => page.evaluate(() => !document.getElementById('message').hidden), 'the end message after Esc');
  await breakWrites(page, null);
  await page.close();
  ok('over the quota the game plays a level to its end, says the record could not be saved, and ends on Esc');
  (await checkKept(before, 'over the quota')).close();
  ok('after the quota, the storage holds the LastRun and the record from before it, whole');
}

// The store with one write refused is said to have failed, and the next
// store keeps what this one could not.
async function refusedWrite(page) {
  const before = await kept(page);
  await breakWrites(page, 'refused');
  await winLevel(page);
  await waitFor(async () => NOT_SAVED.test(await noteShown(page)), 'the note that the record could not be saved');
  const after = await kept(page);
  check(after['/saved/Record'] === before['/saved/Record'],
    `a refused write left the record ${after['/saved/Record']} in the storage, not ${before['/saved/Record']}`);
  ok('a store with one refused write says the record could not be saved, and the record from before stays');
  await breakWrites(page, null);
  await winLevel(page);
  const games = gamesIn(before['/saved/Record']) + 2;
  await waitFor(async () => gamesIn((await kept(page))['/saved/Record']) === games, `the record of ${games} games kept`);
  ok('the next store keeps the record the refused one could not');
}

// The browser closes the page's database, as it does when the site's data
// is cleared: the next store fails at once.
async function closedStorage(page) {
  await page.evaluate(() => Module.FS.filesystems.IDBFS.dbs['/saved'].close());
  await winLevel(page);
  await waitFor(async () => NOT_SAVED.test(await noteShown(page)), 'the note that the record could not be saved');
  await winLevel(page);
  ok('with its storage closed the game plays on, level after level, and says the record could not be saved');
}

// The storage cannot be read when the page starts, and works again later
// in the visit: the game plays, and the visit leaves what was kept untouched
// instead of storing its own fresh record over it.
async function unreadable(before) {
  const page = await openPage(false, () => {
    const open = IDBFactory.prototype.open;
    IDBFactory.prototype.open = function (...args) {
      IDBFactory.prototype.open = open;
      throw new DOMException('The storage is unavailable', 'UnknownError');
    };
  });
  const text = await noteShown(page);
  check(/could not be read/.test(text) && /not saved/.test(text), `unreadable storage shows "${text}"`);
  await winLevel(page);
  check(!hasLine(/^Last run: /), 'unreadable storage shows a "Last run"');
  await page.close();
  ok(`unreadable storage: the game plays a level with "${text}"`);
  (await checkKept(before, 'unreadable storage')).close();
  ok('after unreadable storage, the storage holds the LastRun and the record from before, untouched');
}

async function main() {
  ({ url: address, server } = await startServer());
  browser = await launchChromium(path.join(work, 'profile'), { width: 1376, height: 720, deviceScaleFactor: 1 });
  const page = await openPage(false);
  await winLevel(page);
  await waitFor(async () => {
    const files = await kept(page);
    return files['/saved/LastRun'] && files['/saved/Record'] && gamesIn(files['/saved/Record']) === 1;
  }, 'the LastRun and the record of a won level in the storage');
  ok('a won level leaves its LastRun and its record in the storage');
  await overQuota(page);
  const refusing = await openPage(false);
  await refusedWrite(refusing);
  await refusing.close();
  const again = await openPage(false);
  await closedStorage(again);
  await again.close();
  const last = await openPage(false);
  const before = await kept(last);
  await last.close();
  await unreadable(before);
}

await runChecks('storage fault test', main, lines, async () => {
  if (browser)
    await browser.close();
  if (server)
    server.kill();
  fs.rmSync(work, { recursive: true, force: true });
});
