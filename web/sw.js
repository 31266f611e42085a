// The page's service worker: keeps the site's own files (and nothing else) so that an installed
// page opens without a network after its first visit. The build writes the list of files and a
// version made from their contents into VERSION and FILES (web/offline.py): a new build is a new
// worker with a new cache, installed on the next load, and the old cache is deleted then.
'use strict';

const VERSION = "@VERSION@";
const FILES = "@FILES@";
const CACHE = 'cornerflow-' + VERSION;

self.addEventListener('install', (event) => {
  // Fetched past the browser's HTTP cache, so the cache holds this build's files.
  event.waitUntil(caches.open(CACHE)
    .then((cache) => cache.addAll(FILES.map((f) => new Request(f, { cache: 'reload' }))))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((keys) => Promise.all(keys.filter((k) => k.startsWith('cornerflow-') && k !== CACHE)
      .map((k) => caches.delete(k))))
    .then(() => self.clients.claim()));
});

// Only the site's own files are answered from the cache (the address's parameters do not
// matter); everything else goes to the network as if there were no worker.
const OWN = new Set(FILES.map((f) => new URL(f, self.registration.scope).href));

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET') return;
  const url = new URL(request.url);
  url.search = '';
  url.hash = '';
  if (!OWN.has(url.href)) return;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(url.href))
    .then((hit) => hit || fetch(request)));
});
