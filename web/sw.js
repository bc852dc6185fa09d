'use strict';
// Keeps one build of the game for offline play. The cache is named after
// the build, and the page asks for the build's files by that name too, so
// a page never mixes files of two builds. A new build installs its own
// cache beside the old, takes over at once and deletes the old.
const CACHE = 'vexarift-@BUILD_ID@';
const FILES = [@CACHED_FILES@];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE)
    .then((cache) => cache.addAll(FILES))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names
      .filter((name) => name.startsWith('vexarift-') && name !== CACHE)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// A page comes from the network whenever it can, so a new build is seen
// on the next visit; without a network, the kept page of that name (the
// game's or the map editor's). Everything else comes from the cache when
// it is there.
self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin)
    return;
  if (request.mode === 'navigate') {
    event.respondWith(fetch(request).catch(() => caches.match(request, { cacheName: CACHE, ignoreSearch: true })
      .then((kept) => kept || caches.match('./', { cacheName: CACHE }))));
    return;
  }
  event.respondWith(caches.match(request).then((kept) => kept || fetch(request)));
});
