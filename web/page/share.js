// What Share gives: a link to the map being played, and after today's map
// a line of how it went.

export function mapLink(location, code) {
  return `${location.origin}${location.pathname}#map=${code}`;
}

export function dailyText(date, result) {
  const how = result.won
    ? `System Core hacked, ${result.coherence} coherence left, ${result.moves} moves`
    : `the virus was stopped after ${result.moves} moves`;
  return `Vexa Rift daily ${date}: ${how}`;
}

// The system's share sheet where there is one, otherwise the clipboard.
// Resolves to 'shared', 'copied' or 'cancelled'; throws when neither works.
export async function share(text, url) {
  if (navigator.share) {
    try {
      await navigator.share(text ? { title: 'Vexa Rift', text, url } : { title: 'Vexa Rift', url });
      return 'shared';
    } catch (error) {
      if (error.name === 'AbortError')
        return 'cancelled';
      // No share sheet after all: the clipboard will do.
    }
  }
  const copied = text ? `${text}\n${url}` : url;
  try {
    await navigator.clipboard.writeText(copied);
  } catch (error) {
    copyBySelection(copied);
  }
  return 'copied';
}

// For pages the clipboard interface refuses, the old way through a
// selection.
function copyBySelection(text) {
  const field = document.createElement('textarea');
  field.value = text;
  field.style.position = 'fixed';
  field.style.opacity = '0';
  document.body.appendChild(field);
  field.select();
  const done = document.execCommand('copy');
  field.remove();
  if (!done)
    throw new Error('the clipboard cannot be written');
}
