'use strict';
// The map editor's grading, off the page's thread: the grader of
// vexarift-editor.wasm plays the map's games a few milliseconds at a time
// and looks at its messages in between, so a newer map stops the grading
// of the one before it after the game under way.
const BUILD = new URL(self.location.href).searchParams.get('v');
importScripts(`vexarift-editor.js?v=${BUILD}`);

// Long enough that the pauses cost little, short enough that an edit is
// heard within a frame or two.
const TURN_MS = 25;

let grader = null;
let ready = null;
let latest = 0;

function load(program) {
  ready = VexaRiftEditor({
    instantiateWasm: (imports, done) => {
      WebAssembly.instantiate(program, imports).then((instance) => done(instance, program));
      return {};
    },
  }).then((editor) => {
    grader = {
      start: editor.cwrap('StartGrading', 'number', ['string']),
      play: editor.cwrap('PlayGradingGames', 'number', ['number']),
      games: editor.cwrap('GradingGameCount', 'number', []),
      result: editor.cwrap('GradingResult', 'string', []),
    };
  });
}

// A pause that lets waiting messages in, without a timer's clamping.
const pauseChannel = new MessageChannel();
let resume = null;
pauseChannel.port1.onmessage = () => resume();
const pause = () => new Promise((resolve) => {
  resume = resolve;
  pauseChannel.port2.postMessage(null);
});

async function grade(id, map) {
  await ready;
  if (id !== latest)
    return;
  if (!map || !grader.start(map))
    return;
  const games = grader.games();
  let played = 0;
  let playMs = 0;
  while (played < games) {
    const turnStart = performance.now();
    while (played < games && performance.now() - turnStart < TURN_MS)
      played = grader.play(1);
    playMs += performance.now() - turnStart;
    if (played < games) {
      postMessage({ id, done: false, played, games });
      await pause();
      if (id !== latest)
        return;
    }
  }
  postMessage({ id, done: true, played, games, playMs, result: grader.result() });
}

onmessage = ({ data }) => {
  if (data.program) {
    load(data.program);
    return;
  }
  latest = data.id;
  grade(data.id, data.map);
};
