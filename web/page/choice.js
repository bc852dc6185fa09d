// Which maps the game plays: a pool of the shipped maps, today's map, or
// the one map of a link. The program decides what each holds (the maps'
// catalogue, their codes and the daily list are its own); the page writes
// the DATA it is given, which the game reads afresh at its next level
// set-up, and shows the choice in the address so a copied address opens
// the same.

export const DEFAULT_CHOICE = 'all';
const NAMED = ['daily', 'easy', 'normal', 'hard', 'all'];

// The choice an address names, or '' for none.
export function choiceOfHash(hash) {
  const name = decodeURIComponent(hash.replace(/^#/, ''));
  if (NAMED.includes(name) || name.startsWith('map='))
    return name;
  return '';
}

export function hashOf(choice) {
  return choice === DEFAULT_CHOICE ? '' : `#${choice}`;
}

// What the program answers for a choice: { pool, data, ... } or
// { problem }.
export function ask(module, choice) {
  try {
    return JSON.parse(module.ccall('ChooseMaps', 'string', ['string'], [choice]));
  } catch (error) {
    return { problem: String(error.message || error) };
  }
}
