// The page around the game's canvas: it fits the frame to the window,
// loads the program with a progress bar, keeps LastRun and the player's
// record between visits, lets the player choose the maps and share them,
// and keeps the build for offline play.
import { DEFAULT_CHOICE, ask, choiceOfHash, hashOf } from './choice.js?v=@BUILD_ID@';
import { POOLS, POOL_NAMES, countGame, dailyStreak, emptyRecord, parseRecord, winShare } from './record.js?v=@BUILD_ID@';
import { dailyText, mapLink, share } from './share.js?v=@BUILD_ID@';

// Everything the page loads is named after the build, so a page and its
// program always come from the same build, also while a new one is being
// cached beside the old.
const BUILD = '@BUILD_ID@';
const versioned = (file) => `${file}?v=${BUILD}`;
const FRAME_WIDTH = 1280;
const FRAME_HEIGHT = 720;
// The controls' strip beside the frame, or below it where that leaves the
// frame larger.
const STRIP_BESIDE = 96;
const STRIP_BELOW = 64;
const ENTER_LABELS = { start: 'Start', level: 'Restart', end: 'Play again' };

const stage = document.getElementById('stage');
const screenBox = document.getElementById('screen');
const canvas = document.getElementById('canvas');
const controls = document.getElementById('controls');
const enterButton = document.getElementById('enter');
const fullScreenButton = document.getElementById('fullscreen');
const loading = document.getElementById('loading');
const progress = document.getElementById('progress');
const progressDone = document.getElementById('progress-done');
const loadingText = document.getElementById('loading-text');
const poolChoice = document.getElementById('pool');
const shareButton = document.getElementById('share');
const recordButton = document.getElementById('record-button');
const recordPanel = document.getElementById('record');
const note = document.getElementById('note');

let touchScreen = matchMedia('(pointer: coarse)').matches || navigator.maxTouchPoints > 0;
let gameScreen = '';
let running = false;
let ended = false;

// --- Fitting the frame to the window -----------------------------------------
// The canvas keeps its 1280 x 720 pixels and the browser scales it: SDL
// maps pointer positions from the canvas's size on the page back to frame
// pixels. The size is a whole number of 16:9 steps, so it is a whole
// number of pixels each way.
function frameWidthWithin(width, height) {
  return Math.max(1, Math.floor(Math.min(width / 16, height / 9))) * 16;
}

function fit() {
  const width = document.documentElement.clientWidth;
  const height = document.documentElement.clientHeight;
  const strip = !controls.hidden;
  const besideWidth = frameWidthWithin(width - (strip ? STRIP_BESIDE : 0), height);
  const belowWidth = frameWidthWithin(width, height - (strip ? STRIP_BELOW : 0));
  const beside = besideWidth >= belowWidth;
  const frameWidth = beside ? besideWidth : belowWidth;
  stage.className = beside ? 'beside' : 'below';
  screenBox.style.width = `${frameWidth}px`;
  screenBox.style.height = `${frameWidth / 16 * 9}px`;
  // At a whole multiple of the frame on the screen's own pixels, every frame
  // pixel stays a sharp square; between multiples the browser smooths.
  const scale = frameWidth * devicePixelRatio / FRAME_WIDTH;
  canvas.classList.toggle('sharp', scale >= 1 && Math.abs(scale - Math.round(scale)) < 1e-6);
  document.documentElement.classList.toggle('portrait', height > width);
}

function showControls() {
  enterButton.hidden = !(touchScreen && running && !ended && gameScreen in ENTER_LABELS);
  if (!enterButton.hidden)
    enterButton.textContent = ENTER_LABELS[gameScreen];
  fullScreenButton.hidden = !(document.fullscreenEnabled || document.webkitFullscreenEnabled);
  // The record never covers a level being played.
  recordButton.disabled = !running || ended || gameScreen === 'level';
  if (recordButton.disabled)
    recordPanel.hidden = true;
  poolChoice.disabled = shareButton.disabled = !running || ended;
}

function setTouchScreen() {
  if (touchScreen)
    return;
  touchScreen = true;
  document.documentElement.classList.add('touch');
  showControls();
}

function toggleFullScreen() {
  if (document.fullscreenElement || document.webkitFullscreenElement) {
    (document.exitFullscreen || document.webkitExitFullscreen).call(document);
    return;
  }
  const root = document.documentElement;
  const request = root.requestFullscreen || root.webkitRequestFullscreen;
  Promise.resolve(request.call(root, { navigationUI: 'hide' }))
    .then(() => screen.orientation && screen.orientation.lock && screen.orientation.lock('landscape'))
    .catch(() => {
      // A phone that cannot hold landscape still shows the frame, smaller.
    });
}

// --- Last run, the record and the choice, kept between visits ----------------------
// LastRun lives in the browser's IndexedDB between visits: restored into the
// working directory before the game starts, stored again whenever the game
// has rewritten it, which it does while setting up a level. The player's
// record and choice of maps are kept beside it.
const SAVED_DIR = '/saved';
const LAST_RUN = 'LastRun';
const RECORD_FILE = `${SAVED_DIR}/Record`;
const CHOICE_FILE = `${SAVED_DIR}/Choice`;
let lastRunTime = 0;
let savedRecordText = null;
let savedChoice = '';
// Whether what was kept could be read on this visit. When it could not, the
// page stores nothing: a store would put this visit's files over the kept
// ones and delete the rest.
let keptReadable = true;
let saving = Promise.resolve();
let lastErrorLine = '';
let printedSincePass = false;
const fs = () => Module.FS;

function modifiedTime(path) {
  try {
    return fs().stat(path).mtime.getTime();
  } catch (e) {
    return 0;
  }
}

function copyFile(from, to) {
  try {
    fs().writeFile(to, fs().readFile(from));
  } catch (e) {
    // Nothing to copy: the game simply has no earlier run to show.
  }
}

function restoreLastRun() {
  fs().mkdir(SAVED_DIR);
  fs().mount(fs().filesystems.IDBFS, {}, SAVED_DIR);
  Module.addRunDependency('saved-files');
  fs().syncfs(true, (error) => {
    if (error) {
      console.warn('The saved files could not be read:', error);
      keptReadable = false;
      recordNote = 'Your record could not be read in this browser. It is kept as it was; this visit is not saved.';
    } else {
      copyFile(`${SAVED_DIR}/${LAST_RUN}`, LAST_RUN);
      savedRecordText = readText(RECORD_FILE);
      savedChoice = readText(CHOICE_FILE) || '';
    }
    lastRunTime = modifiedTime(LAST_RUN);
    Module.removeRunDependency('saved-files');
  });
}

function readText(path) {
  try {
    return fs().readFile(path, { encoding: 'utf8' });
  } catch (e) {
    return null;
  }
}

// Writes what is kept into the browser's storage, one store at a time, in
// order; a store that fails (storage full or gone) is told with a note and
// the game goes on. A store is one transaction: it keeps every file whole or
// changes none, and the next store tries again whatever is not yet kept.
function storeSaved() {
  if (!keptReadable)
    return;
  saving = saving.then(syncOut).then((error) => {
    if (!error)
      return;
    console.warn('The saved files could not be stored:', error);
    showNote('Your record could not be saved in this browser.');
  });
}

// Emscripten's store never answers for a transaction the browser aborts,
// as it does over its quota, and every later store would wait behind it. An
// aborted transaction tells its database, which ends the wait instead.
// A single write the storage refuses, Emscripten passes over and commits the
// rest as a success; its error reaches the database too, and the store is
// undone there, so that it keeps all of its files or none.
function syncOut() {
  return new Promise((resolve) => {
    const db = fs().filesystems.IDBFS.dbs[SAVED_DIR];
    let answered = false;
    const answer = (error) => {
      if (answered)
        return;
      answered = true;
      if (db) {
        db.removeEventListener('abort', aborted);
        db.removeEventListener('error', refused);
      }
      resolve(error);
    };
    const aborted = (event) => answer(event.target.error || new Error('the store was aborted'));
    const refused = (event) => {
      const { error, transaction } = event.target;
      try {
        transaction.abort();
      } catch (finished) {
        // Already ended: there is nothing left to undo.
      }
      answer(error || new Error('a write of the store was refused'));
    };
    if (db) {
      db.addEventListener('abort', aborted);
      db.addEventListener('error', refused);
    }
    try {
      fs().syncfs(false, answer);
    } catch (error) {
      // A database the browser closed throws at once.
      answer(error);
    }
  });
}

function saveFile(path, text) {
  try {
    fs().writeFile(path, text);
  } catch (error) {
    showNote('Your record could not be saved in this browser.');
    return;
  }
  storeSaved();
}

function storeLastRunIfChanged() {
  const time = modifiedTime(LAST_RUN);
  if (time === lastRunTime)
    return;
  lastRunTime = time;
  copyFile(LAST_RUN, `${SAVED_DIR}/${LAST_RUN}`);
  storeSaved();
}

// --- Notes beside the frame -----------------------------------------------------------
function showNote(text) {
  note.textContent = text;
  note.title = text;
  note.hidden = !text;
}

// --- Choosing the maps --------------------------------------------------------------
// The choice in force: what the program answered for it.
let choice = { name: DEFAULT_CHOICE, pool: DEFAULT_CHOICE };

// A note already beside the frame stays when keepNote is set.
function choose(name, keepNote) {
  const answer = ask(Module, name);
  if (answer.problem) {
    showNote(name.startsWith('map=')
      ? `Bad map link: ${answer.problem}. Playing all maps.`
      : `No maps called "${name}". Playing all maps.`);
    if (name !== DEFAULT_CHOICE)
      choose(DEFAULT_CHOICE, true);
    return;
  }
  if (!keepNote)
    showNote('');
  fs().writeFile('DATA', answer.data);
  choice = { ...answer, name };
  showChoice();
  if (savedChoice !== name) {
    savedChoice = name;
    saveFile(CHOICE_FILE, name);
  }
}

function showChoice() {
  let linked = poolChoice.querySelector('option[value="map"]');
  if (choice.pool === 'map' && !linked) {
    linked = new Option('Link', 'map');
    poolChoice.add(linked);
  }
  if (choice.pool !== 'map' && linked)
    linked.remove();
  poolChoice.value = choice.pool;
  const hash = hashOf(choice.name);
  if (location.hash !== hash)
    history.replaceState(null, '', hash || location.pathname + location.search);
}

// A link names the choice; without one the page opens on the last choice.
function startChoice() {
  const linked = choiceOfHash(location.hash);
  if (location.hash && !linked)
    showNote('The link names no maps. Playing all maps.');
  choose(linked || choiceOfHash(`#${savedChoice}`) || DEFAULT_CHOICE, Boolean(recordNote || location.hash));
}

// --- The record -------------------------------------------------------------------------
let record = emptyRecord();
// The level being played: its choice and map, once the game reports it;
// its end, once it has ended.
let playing = null;
let recordNote = '';

function loadRecord() {
  if (!keptReadable)
    showNote(recordNote);
  if (savedRecordText === null)
    return;
  const read = parseRecord(savedRecordText);
  if (read) {
    record = read;
    return;
  }
  recordNote = 'Your record could not be read, so it starts again from nothing.';
  showNote(recordNote);
  saveFile(RECORD_FILE, JSON.stringify(record));
}

function showRecord() {
  const rows = document.getElementById('record-rows');
  rows.replaceChildren();
  for (const pool of [...POOLS, 'total']) {
    const t = record.pools[pool];
    const row = rows.insertRow();
    for (const text of [POOL_NAMES[pool], t.games, t.wins, winShare(t), t.streak, t.best])
      row.insertCell().textContent = String(text);
  }
  const today = ask(Module, 'daily').day;
  document.getElementById('record-daily').textContent =
    `Today's map won ${dailyStreak(record, today)} days in a row; best ${record.daily.best}.`;
  const noteLine = document.getElementById('record-note');
  noteLine.textContent = recordNote;
  noteLine.hidden = !recordNote;
}

function toggleRecord() {
  if (recordButton.disabled)
    return;
  recordPanel.hidden = !recordPanel.hidden;
  if (!recordPanel.hidden)
    showRecord();
}

function onMap(map) {
  playing = { choice, map, result: null };
}

function onLevelEnd(result) {
  if (!playing || playing.result)
    return;
  playing.result = result;
  countGame(record, playing.choice.pool, result.won, playing.choice.day);
  saveFile(RECORD_FILE, JSON.stringify(record));
}

// --- Sharing ----------------------------------------------------------------------------
function shareContent() {
  if (!playing)
    return { text: '', url: location.href };
  const url = mapLink(location, playing.map.code);
  const daily = playing.choice.pool === 'daily' && playing.result;
  return { text: daily ? dailyText(playing.choice.date, playing.result) : '', url };
}

async function shareMap() {
  const { text, url } = shareContent();
  try {
    if (await share(text, url) === 'copied') {
      shareButton.textContent = 'Copied';
      setTimeout(() => { shareButton.textContent = 'Share'; }, 2000);
    }
  } catch (error) {
    showNote(`Nothing could be shared: ${error.message || error}`);
  }
}

// --- Messages in place of the canvas ------------------------------------------------
function showMessage(title, detail) {
  document.getElementById('message-title').textContent = title;
  document.getElementById('message-detail').textContent = detail;
  document.getElementById('message').hidden = false;
  loading.hidden = true;
  canvas.hidden = true;
}

// The program has ended: after Esc (status 0), or when the game could not go
// on. The canvas would only freeze, so a message takes its place once
// LastRun is safely stored.
function showEnd(status) {
  if (ended)
    return;
  ended = true;
  showControls();
  if (Module.pauseMainLoop)
    Module.pauseMainLoop();
  storeLastRunIfChanged();
  saving.then(() => showMessage(status === 0 ? 'Vexa Rift has ended.' : 'Vexa Rift had to stop.',
    status === 0 ? 'Thanks for playing.' : `${lastErrorLine || 'An error occurred'} (status ${status})`));
}

const Module = {
  canvas,
  print: (line) => {
    printedSincePass = true;
    console.log(line);
  },
  printErr: (line) => {
    printedSincePass = true;
    lastErrorLine = line;
    console.error(line);
  },
  locateFile: versioned,
  preRun: [
    () => {
      // Keys reach the game only through its canvas, which keeps the focus.
      Module.ENV.SDL_EMSCRIPTEN_KEYBOARD_ELEMENT = '#canvas';
      restoreLastRun();
    },
  ],
  postRun: [() => {
    loadRecord();
    startChoice();
    running = true;
    loading.hidden = true;
    showControls();
    canvas.focus();
    keepForOffline();
  }],
  // The game rewrites LastRun only while setting up a level, which it
  // reports on the console; other passes need no look at the file.
  postMainLoop: () => {
    if (!printedSincePass)
      return;
    printedSincePass = false;
    storeLastRunIfChanged();
  },
  onScreen: (name) => {
    gameScreen = name;
    showControls();
  },
  onMap,
  onLevelEnd,
  quit: (status, toThrow) => {
    showEnd(status);
    throw toThrow;
  },
  onAbort: () => showEnd(1),
};

// --- Loading, with progress -------------------------------------------------------
// The program and its data are fetched here rather than by the program, so
// one bar can show both; the program then takes them from memory.
function showProgress(received, total) {
  progress.classList.toggle('unknown', !total);
  if (!total) {
    loadingText.textContent = `Loading… ${(received / 1e6).toFixed(1)} MB`;
    return;
  }
  const percent = Math.min(100, Math.floor(received * 100 / total));
  progressDone.style.width = `${percent}%`;
  progress.setAttribute('aria-valuenow', String(percent));
  loadingText.textContent = `Loading… ${percent}%`;
}

async function download(files) {
  const responses = await Promise.all(files.map(async (file) => {
    const response = await fetch(versioned(file));
    if (!response.ok)
      throw new Error(`${file}: ${response.status} ${response.statusText}`);
    return response;
  }));
  // A compressed answer's length is not what its body gives.
  const sizes = responses.map((response) => (response.headers.get('Content-Encoding')
    ? 0 : Number(response.headers.get('Content-Length')) || 0));
  const total = sizes.every((size) => size > 0) ? sizes.reduce((a, b) => a + b, 0) : 0;
  let received = 0;
  return Promise.all(responses.map(async (response) => {
    const reader = response.body.getReader();
    const chunks = [];
    let length = 0;
    for (;;) {
      const { done, value } = await reader.read();
      if (done)
        break;
      chunks.push(value);
      length += value.length;
      received += value.length;
      showProgress(received, total);
    }
    const whole = new Uint8Array(length);
    let at = 0;
    for (const chunk of chunks) {
      whole.set(chunk, at);
      at += chunk.length;
    }
    return whole.buffer;
  }));
}

async function load() {
  showProgress(0, 0);
  try {
    const [program, data] = await download(['vexarift.wasm', 'vexarift.data']);
    Module.wasmBinary = program;
    Module.getPreloadedPackage = () => data;
    const script = document.createElement('script');
    script.src = versioned('vexarift.js');
    script.onerror = () => showMessage('Vexa Rift could not be loaded.', 'vexarift.js is missing.');
    document.body.appendChild(script);
  } catch (error) {
    showMessage('Vexa Rift could not be loaded.',
      navigator.onLine ? String(error.message || error) : 'The network is off and the game was not kept for offline play.');
  }
}

// --- Offline -------------------------------------------------------------------------
// Once the game runs, a service worker keeps this build for offline play
// and installing to a home screen; a visit after a new build takes the new
// one (sw.js).
function keepForOffline() {
  if ('serviceWorker' in navigator)
    navigator.serviceWorker.register('sw.js').catch((error) => console.warn('No offline play:', error));
}

// --- Input beside the canvas --------------------------------------------------------
canvas.addEventListener('contextmenu', (event) => event.preventDefault());
// The page has nothing else to type into but the choice of maps, which
// hands the keys back once chosen: a click beside the canvas must not take
// the keys away from the game.
document.addEventListener('mousedown', (event) => {
  if (event.target !== canvas && event.target !== poolChoice)
    event.preventDefault();
});
canvas.addEventListener('blur', () => setTimeout(() => {
  if (document.activeElement !== poolChoice)
    canvas.focus();
}));
poolChoice.addEventListener('blur', () => setTimeout(() => canvas.focus()));
addEventListener('touchstart', setTouchScreen, { capture: true, passive: true });
enterButton.addEventListener('click', () => {
  Module._PressEnter();
  canvas.focus();
});
fullScreenButton.addEventListener('click', toggleFullScreen);
poolChoice.addEventListener('change', () => {
  choose(poolChoice.value === 'map' ? choice.name : poolChoice.value, false);
  canvas.focus();
});
shareButton.addEventListener('click', () => {
  shareMap();
  canvas.focus();
});
recordButton.addEventListener('click', () => {
  toggleRecord();
  canvas.focus();
});
document.getElementById('record-close').addEventListener('click', () => {
  recordPanel.hidden = true;
  canvas.focus();
});
addEventListener('hashchange', () => {
  const linked = choiceOfHash(location.hash);
  if (running && !ended && linked && linked !== choice.name)
    choose(linked, false);
});
addEventListener('resize', fit);
addEventListener('orientationchange', fit);
document.addEventListener('fullscreenchange', fit);
document.addEventListener('webkitfullscreenchange', fit);

// The program reads its hooks from the page's global Module.
window.Module = Module;
if (touchScreen)
  document.documentElement.classList.add('touch');
showControls();
fit();
load();
