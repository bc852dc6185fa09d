'use strict';
// The map editor's page: the grid in the level's own layout, drawn with the
// game's node pictures, and around it what the C++ says of the map (the map
// checker's problems, the code, the DATA record) and what the grading worker
// makes of it. The page holds the map and the tools; every judgement on it
// comes from vexarift-editor.wasm.
const versioned = (file) => `${file}?v=${BUILD}`;

// The level's layout: 64-pixel tiles, a node on every other one, odd rows
// one tile further right; the grid covers the level's 1280 x 576 top.
const COLUMNS = 10;
const ROWS = 9;
const TILE = 64;
const GRID_WIDTH = 1280;
const GRID_HEIGHT = 576;
const BACKGROUND = '#0c110c';
const LATTICE = '#1a211c';
const EMPTY_MARK = '#3a483d';
const LINK = '#2f5a44';
const START_RING = '#e8a040';
const FAULT_RING = '#ff5a4a';
const STORAGE_KEY = 'vexarift-editor-map';

// The node types of DATA, in NodeType's numbering, with the pictures the
// game shows each one revealed and the size of the disc behind them.
const EMPTY = 0;
const TYPES = [
  { keyword: 'EMPTY', name: 'Erase' },
  { keyword: 'HACKED', name: 'Empty node', picture: 'HackedNode', disc: 35 },
  { keyword: 'FIREWALL', name: 'Firewall', picture: 'Firewall', disc: 52 },
  { keyword: 'ANTIVIRUS', name: 'Anti-virus', picture: 'Antivirus', disc: 52 },
  { keyword: 'RESTORATION_NODE', name: 'Restoration Node', picture: 'RestorationNode', disc: 52 },
  { keyword: 'VIRUS_SUPPRESSOR', name: 'Virus Suppressor', picture: 'VirusSuppressor', disc: 52 },
  { keyword: 'SYSTEM_CORE', name: 'System Core', picture: 'SystemCore', disc: 52 },
  { keyword: 'ITEM_SELF_REPAIR', name: 'Self Repair', picture: 'HackedNode', overlay: 'ItemSelfRepair', disc: 35 },
  { keyword: 'ITEM_KERNEL_ROT', name: 'Kernel Rot', picture: 'HackedNode', overlay: 'ItemKernelRot', disc: 35 },
  { keyword: 'ITEM_POLYMORPHIC_SHIELD', name: 'Polymorphic Shield', picture: 'HackedNode', overlay: 'ItemPolymorphicShield', disc: 35 },
  { keyword: 'ITEM_SECONDARY_VECTOR', name: 'Secondary Vector', picture: 'HackedNode', overlay: 'ItemSecondaryVector', disc: 35 },
  { keyword: 'DATA_CACHE', name: 'Data Cache', picture: 'HackedNode', overlay: 'DataCache', disc: 35 },
];
// The start tool shows the picture the start node has when a level begins.
const START_TOOL = 'start';
const START_PICTURE = 'EncryptedNode';

const $ = (id) => document.getElementById(id);
const editor = $('editor');
const panel = $('panel');
const grid = $('grid');
const context = grid.getContext('2d');

// --- The map -----------------------------------------------------------------------
// As the C++ takes it (web/editor/EditorMap.h): 90 types column by column,
// each 'A' + its value, then the start column and row as digits.
function emptyMap() {
  return { types: new Array(COLUMNS * ROWS).fill(EMPTY), start: { column: 0, row: 0 } };
}

function mapText(map) {
  return map.types.map((type) => String.fromCharCode(65 + type)).join('') + map.start.column + map.start.row;
}

function mapFromText(text) {
  return {
    types: Array.from(text.slice(0, COLUMNS * ROWS), (letter) => letter.charCodeAt(0) - 65),
    start: { column: Number(text[COLUMNS * ROWS]), row: Number(text[COLUMNS * ROWS + 1]) },
  };
}

const at = (column, row) => column * ROWS + row;
let map = emptyMap();
let undone = [];
let redone = [];
let tool = 2;
let findings = [];
let playable = false;
let code = '';

// --- The C++ -----------------------------------------------------------------------
let cpp = null;
let grader = null;

async function loadProgram() {
  const wasm = await WebAssembly.compileStreaming(fetch(versioned('vexarift-editor.wasm')));
  const program = await VexaRiftEditor({
    instantiateWasm: (imports, done) => {
      WebAssembly.instantiate(wasm, imports).then((instance) => done(instance, wasm));
      return {};
    },
  });
  cpp = {
    check: program.cwrap('CheckMap', 'string', ['string']),
    encode: program.cwrap('EncodeMap', 'string', ['string']),
    decode: program.cwrap('DecodeCode', 'string', ['string']),
    format: program.cwrap('FormatMap', 'string', ['string']),
    shipped: program.cwrap('ShippedMaps', 'string', []),
  };
  // The worker grades with an instance of its own of the same compiled
  // program, so the page downloads and compiles it once.
  grader = new Worker(versioned('editor-grader.js'));
  grader.postMessage({ program: wasm });
  grader.onmessage = (event) => showGrading(event.data);
}

// --- Geometry --------------------------------------------------------------------
function centreOf(column, row) {
  return { x: 2 * column * TILE + (row % 2 ? TILE : 0) + TILE / 2, y: row * TILE + TILE / 2 };
}

// The node whose tile row and pair of tiles hold the point, in grid pixels.
function positionAt(x, y) {
  const row = Math.min(ROWS - 1, Math.max(0, Math.floor(y / TILE)));
  const shifted = x - (row % 2 ? TILE : 0);
  const column = Math.min(COLUMNS - 1, Math.max(0, Math.floor(shifted / (2 * TILE))));
  return { column, row };
}

// Beside it to the right, and the two below: with the ones to the left and
// above, which the positions there list, every link of the hexagonal grid.
function linksOnward(column, row) {
  const below = row % 2 ? [column, column + 1] : [column - 1, column];
  return [[column + 1, row], ...below.map((c) => [c, row + 1])]
    .filter(([c, r]) => c >= 0 && c < COLUMNS && r < ROWS);
}

// --- Pictures ------------------------------------------------------------------------
// The game draws a picture's pixels of its bottom-right pixel's colour as
// transparent; the same mask is applied here once per picture.
const pictures = {};

function maskedPicture(image) {
  const canvas = document.createElement('canvas');
  canvas.width = image.width;
  canvas.height = image.height;
  const draw = canvas.getContext('2d');
  draw.drawImage(image, 0, 0);
  const pixels = draw.getImageData(0, 0, image.width, image.height);
  const data = pixels.data;
  const key = data.length - 4;
  for (let i = 0; i < data.length; i += 4)
    if (data[i] === data[key] && data[i + 1] === data[key + 1] && data[i + 2] === data[key + 2])
      data[i + 3] = 0;
  draw.putImageData(pixels, 0, 0);
  return canvas;
}

function loadPictures() {
  const names = new Set([START_PICTURE]);
  for (const type of TYPES) {
    if (type.picture)
      names.add(type.picture);
    if (type.overlay)
      names.add(type.overlay);
  }
  return Promise.all([...names].map((name) => new Promise((resolve, reject) => {
    const image = new Image();
    image.onload = () => {
      pictures[name] = maskedPicture(image);
      resolve();
    };
    image.onerror = () => reject(new Error(`${name}.png is missing`));
    image.src = versioned(`${name}.png`);
  })));
}

// As the game draws a revealed node: a dark disc, the picture with its
// top-left corner 30 pixels up and left of the centre, the icon 10 in.
function drawNode(draw, type, x, y) {
  const look = TYPES[type];
  const picture = pictures[look.picture];
  draw.fillStyle = BACKGROUND;
  draw.beginPath();
  draw.arc(x - 0.5, y - 0.5, look.disc / 2, 0, 2 * Math.PI);
  draw.fill();
  draw.drawImage(picture, x - 30, y - 30);
  if (look.overlay)
    draw.drawImage(pictures[look.overlay], x - 20, y - 20);
}

// --- Drawing the grid --------------------------------------------------------------------
let hovered = null;

function ring(position, colour, radius, dashed) {
  const { x, y } = centreOf(position.column, position.row);
  context.strokeStyle = colour;
  context.lineWidth = 3;
  context.setLineDash(dashed ? [6, 4] : []);
  context.beginPath();
  context.arc(x, y, radius, 0, 2 * Math.PI);
  context.stroke();
  context.setLineDash([]);
}

function drawLinks() {
  for (let column = 0; column < COLUMNS; ++column)
    for (let row = 0; row < ROWS; ++row)
      for (const [c, r] of linksOnward(column, row)) {
        const joined = map.types[at(column, row)] !== EMPTY && map.types[at(c, r)] !== EMPTY;
        const from = centreOf(column, row);
        const to = centreOf(c, r);
        context.strokeStyle = joined ? LINK : LATTICE;
        context.lineWidth = joined ? 4 : 2;
        context.beginPath();
        context.moveTo(from.x, from.y);
        context.lineTo(to.x, to.y);
        context.stroke();
      }
}

function drawGrid() {
  context.fillStyle = BACKGROUND;
  context.fillRect(0, 0, GRID_WIDTH, GRID_HEIGHT);
  drawLinks();
  for (let column = 0; column < COLUMNS; ++column)
    for (let row = 0; row < ROWS; ++row) {
      const type = map.types[at(column, row)];
      const { x, y } = centreOf(column, row);
      if (type !== EMPTY) {
        drawNode(context, type, x, y);
        continue;
      }
      // An empty position shows the lattice's two small marks, as in the level.
      context.strokeStyle = EMPTY_MARK;
      context.lineWidth = 1;
      context.strokeRect(x - 10 + 0.5, y - 5 + 0.5, 6, 10);
      context.strokeRect(x + 2 + 0.5, y - 5 + 0.5, 6, 10);
    }
  ring(map.start, START_RING, 33, false);
  for (const finding of findings)
    for (const position of finding.positions)
      ring(position, FAULT_RING, 37, true);
  if (hovered)
    ring(hovered, 'rgba(216, 228, 236, 0.45)', 30, false);
}

// --- Fitting the window ---------------------------------------------------------------------
// The grid keeps its aspect and takes what the panel leaves: beside it on
// a wide window, below it where that makes the grid larger.
const PANEL_BESIDE = 300;
const PANEL_BESIDE_NARROW = 270;
const PANEL_BELOW = 230;
const BELOW_GAIN = 1.15;

function fit() {
  const width = document.documentElement.clientWidth;
  const height = document.documentElement.clientHeight;
  const panelWidth = width >= 1100 ? PANEL_BESIDE : PANEL_BESIDE_NARROW;
  const besideScale = Math.min((width - panelWidth) / GRID_WIDTH, height / GRID_HEIGHT);
  const belowScale = Math.min(width / GRID_WIDTH, (height - PANEL_BELOW) / GRID_HEIGHT);
  // Beside keeps every control in sight on a wide window; below only where
  // it makes the grid clearly larger.
  const beside = besideScale * BELOW_GAIN >= belowScale;
  const scale = Math.max(0.1, beside ? besideScale : belowScale);
  editor.className = beside ? 'beside' : 'below';
  panel.style.width = beside ? `${panelWidth}px` : '';
  panel.style.height = beside ? '' : `${height - Math.floor(GRID_HEIGHT * scale)}px`;
  grid.style.width = `${Math.floor(GRID_WIDTH * scale)}px`;
  grid.style.height = `${Math.floor(GRID_HEIGHT * scale)}px`;
}

// --- Drawing by pointer: mouse, pen and touch alike -------------------------------------------
let stroke = null;

function pointerPosition(event) {
  const box = grid.getBoundingClientRect();
  return positionAt((event.clientX - box.left) * GRID_WIDTH / box.width,
    (event.clientY - box.top) * GRID_HEIGHT / box.height);
}

const samePosition = (a, b) => a && b && a.column === b.column && a.row === b.row;

// One press and what it drags over is one step to undo.
function apply(position) {
  if (tool === START_TOOL) {
    if (samePosition(map.start, position))
      return false;
    map.start = position;
    return true;
  }
  const index = at(position.column, position.row);
  if (map.types[index] === tool)
    return false;
  map.types[index] = tool;
  return true;
}

function startStroke(event) {
  if (!cpp || event.button > 0)
    return;
  event.preventDefault();
  grid.setPointerCapture(event.pointerId);
  stroke = { before: mapText(map), last: null };
  continueStroke(event);
}

function continueStroke(event) {
  const position = pointerPosition(event);
  if (!stroke) {
    if (!samePosition(hovered, position) && event.pointerType === 'mouse') {
      hovered = position;
      drawGrid();
    }
    return;
  }
  if (samePosition(stroke.last, position))
    return;
  stroke.last = position;
  if (apply(position))
    drawGrid();
}

function endStroke() {
  if (!stroke)
    return;
  const before = stroke.before;
  stroke = null;
  if (before === mapText(map))
    return;
  undone.push(before);
  redone = [];
  changed();
}

// --- Undo, redo, clear, open -----------------------------------------------------------------
function replaceMap(text) {
  const now = mapText(map);
  if (now === text)
    return;
  undone.push(now);
  redone = [];
  map = mapFromText(text);
  changed();
}

function undo() {
  if (!undone.length)
    return;
  redone.push(mapText(map));
  map = mapFromText(undone.pop());
  changed();
}

function redo() {
  if (!redone.length)
    return;
  undone.push(mapText(map));
  map = mapFromText(redone.pop());
  changed();
}

function clearMap() {
  const cleared = emptyMap();
  cleared.start = map.start;
  replaceMap(mapText(cleared));
}

// Opens the map of a code; false, with the reason shown, for a code that
// does not open.
function openCode(text) {
  const answer = cpp.decode(text.trim());
  if (answer.startsWith('!')) {
    $('open-problem').textContent = `That code does not open: ${answer.slice(1)}`;
    return false;
  }
  $('open-problem').textContent = '';
  replaceMap(answer);
  return true;
}

// editor.html#map=CODE opens that map. The link is taken off the address
// once read, so a reload keeps what was drawn since rather than the link's map.
function openLink() {
  const match = location.hash.match(/^#map=([A-Za-z0-9_-]*)$/);
  if (!match)
    return false;
  history.replaceState(null, '', location.pathname + location.search);
  return openCode(match[1]);
}

// --- What the C++ says, shown --------------------------------------------------------------------
let gradingId = 0;
let editTime = 0;

function parseFindings(lines) {
  return lines.split('\n').filter(Boolean).map((line) => {
    const [words, positions] = line.split('\t');
    return {
      words,
      positions: positions.trim().split(' ').filter(Boolean).map((pair) => {
        const [column, row] = pair.split(',').map(Number);
        return { column, row };
      }),
    };
  });
}

function showChecks() {
  const list = $('problems');
  list.replaceChildren(...findings.map((finding) => {
    const item = document.createElement('li');
    item.textContent = finding.words;
    return item;
  }));
  $('playable').hidden = !playable;
}

function showExports() {
  $('code').value = code;
  $('code').placeholder = playable ? '' : 'A code once the map is playable';
  $('copy-code').disabled = !playable;
  $('share').disabled = !playable;
  const play = $('play');
  play.classList.toggle('disabled', !playable);
  play.setAttribute('aria-disabled', String(!playable));
  play.href = playable ? `index.html#map=${code}` : 'index.html';
  $('share-link').hidden = true;
  $('share-note').textContent = '';
  $('record').value = cpp.format(mapText(map));
  $('undo').disabled = !undone.length;
  $('redo').disabled = !redone.length;
}

function requestGrade() {
  gradingId += 1;
  editTime = performance.now();
  const text = $('grade-text');
  $('shares').textContent = '';
  $('grade-detail').textContent = '';
  if (!playable) {
    text.textContent = 'Not graded until the map is playable.';
    text.dataset.state = 'none';
    grader.postMessage({ id: gradingId, map: null });
    return;
  }
  text.textContent = 'Grading…';
  text.dataset.state = 'grading';
  grader.postMessage({ id: gradingId, map: mapText(map) });
}

const percent = (wins, games) => `${Math.round(wins * 100 / games)}%`;

// Reports of a grading an edit has since replaced are dropped.
function showGrading(report) {
  if (report.id !== gradingId)
    return;
  const text = $('grade-text');
  if (!report.done) {
    text.textContent = `Grading… ${report.played} of ${report.games} games`;
    return;
  }
  const [grade, sightedWins, fullWins, sightedGames, fullGames] = report.result.split('\t');
  const elapsed = performance.now() - editTime;
  text.textContent = grade.charAt(0).toUpperCase() + grade.slice(1);
  text.dataset.state = 'done';
  text.dataset.grade = grade;
  text.dataset.ms = String(Math.round(elapsed));
  text.dataset.gamesPerSecond = String(Math.round(report.games * 1000 / report.playMs));
  $('shares').textContent = `The sighted player wins ${percent(sightedWins, sightedGames)} of ${sightedGames} games, `
    + `the full-knowledge player ${percent(fullWins, fullGames)} of ${fullGames}.`;
  $('grade-detail').textContent = `Graded in ${(elapsed / 1000).toFixed(2)} s: ${report.games} games, `
    + `${text.dataset.gamesPerSecond} a second.`;
}

function changed() {
  try {
    localStorage.setItem(STORAGE_KEY, mapText(map));
  } catch (e) {
    // A browser without storage still edits; the map just is not kept.
  }
  findings = parseFindings(cpp.check(mapText(map)));
  playable = findings.length === 0;
  code = playable ? cpp.encode(mapText(map)) : '';
  drawGrid();
  showChecks();
  showExports();
  requestGrade();
}

// --- Export and share ---------------------------------------------------------------------
async function copy(text, what) {
  try {
    await navigator.clipboard.writeText(text);
    $('share-note').textContent = `${what} copied.`;
  } catch (e) {
    $('share-note').textContent = `${what} could not be copied; select it and copy it by hand.`;
  }
}

function download() {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([$('record').value], { type: 'text/plain' }));
  link.download = 'DATA';
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 1000);
}

function share() {
  const link = `${location.origin}${location.pathname}#map=${code}`;
  const field = $('share-link');
  field.value = link;
  field.hidden = false;
  field.select();
  copy(link, 'The link');
}

// --- The palette ---------------------------------------------------------------------------
function toolIcon(draw, value) {
  draw.clearRect(0, 0, 60, 60);
  if (value === START_TOOL) {
    draw.drawImage(pictures[START_PICTURE], 0, 0);
    return;
  }
  if (value !== EMPTY) {
    drawNode(draw, value, 30, 30);
    return;
  }
  draw.strokeStyle = '#ff8a7a';
  draw.lineWidth = 5;
  draw.beginPath();
  draw.moveTo(16, 16);
  draw.lineTo(44, 44);
  draw.moveTo(44, 16);
  draw.lineTo(16, 44);
  draw.stroke();
}

function toolName(value) {
  if (value === START_TOOL)
    return 'Start node: where the virus begins';
  return value === EMPTY ? 'Erase: no node (EMPTY)' : `${TYPES[value].name} (${TYPES[value].keyword})`;
}

function chooseTool(value) {
  tool = value;
  for (const button of $('palette').children)
    button.setAttribute('aria-pressed', String(button.dataset.tool === String(value)));
  $('tool-name').textContent = toolName(value);
}

function buildPalette() {
  const values = [...TYPES.keys()].slice(1).concat([START_TOOL, EMPTY]);
  $('palette').replaceChildren(...values.map((value) => {
    const button = document.createElement('button');
    button.type = 'button';
    button.dataset.tool = String(value);
    button.title = toolName(value);
    button.setAttribute('aria-label', toolName(value));
    const icon = document.createElement('canvas');
    icon.width = 60;
    icon.height = 60;
    toolIcon(icon.getContext('2d'), value);
    button.appendChild(icon);
    button.addEventListener('click', () => chooseTool(value));
    return button;
  }));
  chooseTool(tool);
}

function listShipped() {
  const select = $('shipped');
  for (const line of cpp.shipped().split('\n').filter(Boolean)) {
    const [name, grade, sighted, , shippedCode] = line.split('\t');
    const option = document.createElement('option');
    option.value = shippedCode;
    option.textContent = `${name}: ${grade}, ${sighted}%`;
    select.appendChild(option);
  }
}

// --- Offline ---------------------------------------------------------------------------------
function keepForOffline() {
  if ('serviceWorker' in navigator)
    navigator.serviceWorker.register('sw.js').catch((error) => console.warn('No offline editing:', error));
}

// --- Start -----------------------------------------------------------------------------------------
function restore() {
  if (openLink())
    return;
  let kept = null;
  try {
    kept = localStorage.getItem(STORAGE_KEY);
  } catch (e) {
    // No storage: a fresh map.
  }
  if (kept && cpp.check(kept) !== '!')
    map = mapFromText(kept);
  undone = [];
  changed();
}

function listen() {
  grid.addEventListener('pointerdown', startStroke);
  grid.addEventListener('pointermove', continueStroke);
  grid.addEventListener('pointerup', endStroke);
  grid.addEventListener('pointercancel', endStroke);
  grid.addEventListener('pointerleave', () => {
    hovered = null;
    drawGrid();
  });
  $('undo').addEventListener('click', undo);
  $('redo').addEventListener('click', redo);
  $('clear').addEventListener('click', clearMap);
  $('shipped').addEventListener('change', (event) => {
    if (event.target.value)
      openCode(event.target.value);
    event.target.value = '';
  });
  $('open-code').addEventListener('click', () => openCode($('code-input').value));
  $('code-input').addEventListener('keydown', (event) => {
    if (event.key === 'Enter')
      openCode($('code-input').value);
  });
  $('copy-code').addEventListener('click', () => copy(code, 'The code'));
  $('copy-record').addEventListener('click', () => copy($('record').value, 'The record'));
  $('download').addEventListener('click', download);
  $('share').addEventListener('click', share);
  addEventListener('hashchange', openLink);
  addEventListener('resize', fit);
  addEventListener('keydown', (event) => {
    if (event.target instanceof HTMLInputElement || !(event.ctrlKey || event.metaKey))
      return;
    const key = event.key.toLowerCase();
    if (key === 'z' || key === 'y') {
      event.preventDefault();
      (key === 'y' || event.shiftKey ? redo : undo)();
    }
  });
}

async function start() {
  fit();
  try {
    await Promise.all([loadProgram(), loadPictures()]);
  } catch (error) {
    $('grade-text').textContent = `The editor could not be loaded: ${error.message || error}`;
    return;
  }
  buildPalette();
  listShipped();
  listen();
  restore();
  keepForOffline();
}

start();
