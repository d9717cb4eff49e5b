// The service worker: it keeps the whole page (the page, its script and style, the module,
// the fonts, the manual, the icons) at its first visit, and serves it from there, so that the
// next visits work without a network. A new build has a new version: its files replace the
// old ones, which are then deleted.
'use strict';
const VERSION = 'tarvex-@VERSION@';
const FICHIERS = @FICHIERS@;

self.addEventListener('install', (e) => {
  e.waitUntil(caches.open(VERSION).then((c) => c.addAll(FICHIERS)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (e) => {
  e.waitUntil(caches.keys()
    .then((noms) => Promise.all(noms.filter((n) => n.startsWith('tarvex-') && n !== VERSION)
      .map((n) => caches.delete(n))))
    .then(() => self.clients.claim()));
});

// What the cache has, from the cache; anything else from the network.
self.addEventListener('fetch', (e) => {
  if (e.request.method !== 'GET') return;
  e.respondWith(caches.open(VERSION)
    .then((c) => c.match(e.request, { ignoreSearch: true }))
    .then((r) => r || fetch(e.request)));
});
