// The player's record: games and wins, the current and best streak of
// wins, for each pool and for all games together, and the days in a row
// today's map was won. Kept as JSON in the browser's storage beside
// LastRun; one that cannot be read starts again from nothing.

export const POOLS = ['daily', 'easy', 'normal', 'hard', 'all', 'map'];
export const POOL_NAMES = {
  daily: "Today's map", easy: 'Easy', normal: 'Normal', hard: 'Hard', all: 'All maps', map: 'Linked maps',
  total: 'In all',
};

const VERSION = 1;
const emptyTally = () => ({ games: 0, wins: 0, streak: 0, best: 0 });

export function emptyRecord() {
  const pools = {};
  for (const pool of [...POOLS, 'total'])
    pools[pool] = emptyTally();
  return { version: VERSION, pools, daily: { lastWonDay: null, lastDay: null, streak: 0, best: 0 } };
}

const count = (n) => Number.isInteger(n) && n >= 0;
const isTally = (t) => t && count(t.games) && count(t.wins) && count(t.streak) && count(t.best)
  && t.wins <= t.games && t.streak <= t.best;
const isDay = (d) => d === null || Number.isInteger(d);

// The record in a stored text, or null when it is not one this page wrote.
export function parseRecord(text) {
  let record;
  try {
    record = JSON.parse(text);
  } catch (e) {
    return null;
  }
  if (!record || record.version !== VERSION || !record.pools || !record.daily)
    return null;
  if (![...POOLS, 'total'].every((pool) => isTally(record.pools[pool])))
    return null;
  const d = record.daily;
  if (!isDay(d.lastWonDay) || !isDay(d.lastDay) || !count(d.streak) || !count(d.best) || d.streak > d.best)
    return null;
  return record;
}

function tally(t, won) {
  t.games += 1;
  if (won) {
    t.wins += 1;
    t.streak += 1;
    t.best = Math.max(t.best, t.streak);
  } else {
    t.streak = 0;
  }
}

// A level of the pool has ended; day is the daily map's day number.
export function countGame(record, pool, won, day) {
  tally(record.pools[pool], won);
  tally(record.pools.total, won);
  if (pool !== 'daily')
    return;
  const d = record.daily;
  if (won && d.lastWonDay !== day) {
    d.streak = d.lastWonDay === day - 1 ? d.streak + 1 : 1;
    d.best = Math.max(d.best, d.streak);
    d.lastWonDay = day;
  } else if (!won && d.lastWonDay !== day) {
    d.streak = 0;
  }
  d.lastDay = day;
}

// The days in a row today's map was won, as of today: a day missed since
// the last win ends the run.
export function dailyStreak(record, today) {
  const d = record.daily;
  return d.lastWonDay !== null && today - d.lastWonDay <= 1 ? d.streak : 0;
}

export const winShare = (t) => (t.games ? `${Math.round(t.wins * 100 / t.games)}%` : '–');
