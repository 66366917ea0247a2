// SPDX-License-Identifier: GPL-3.0-or-later
// The page's service worker: it keeps every file of the site in a cache at
// the first visit and serves them from there ever after, so that the game
// starts without the network. The cache's name carries the build's version
// (a digest of the site's files, written in at the build), so a new build is
// a new service worker that fetches the new files and drops the old ones.
const cache = 'quibbly-@QUIBBLY_SITE_VERSION@';
const files = [
  './',
@QUIBBLY_SITE_FILES@];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(cache)
    .then((kept) => kept.addAll(files.map((file) => new Request(file, { cache: 'reload' }))))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name.startsWith('quibbly-') && name !== cache)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// An address with a query (the tests' ?draws=N) is the same file.
self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET' || new URL(event.request.url).origin !== self.location.origin) return;
  event.respondWith(caches.open(cache)
    .then((kept) => kept.match(event.request, { ignoreSearch: true }))
    .then((found) => found || fetch(event.request)));
});
