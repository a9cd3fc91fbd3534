// SPDX-License-Identifier: MIT
// Keeps the game for play without the network: the first visit stores the
// site's files in a cache named by the build; every later visit is served
// from it. A new build's worker stores its own files and drops the caches
// of older builds.
'use strict';
const CACHE = 'ringtafel-@BUILD@';
const FILES = ['./', 'index.html', 'manifest.webmanifest', 'icons/icon-192.png', 'icons/icon-512.png'];

self.addEventListener('install', event => {
  // From the host, not from the browser's own cache of an older build.
  const fresh = FILES.map(file => new Request(file, {cache: 'reload'}));
  event.waitUntil(caches.open(CACHE).then(cache => cache.addAll(fresh)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', event => {
  event.waitUntil(caches.keys()
    .then(names => Promise.all(names.filter(name => name.startsWith('ringtafel-') && name !== CACHE)
                                    .map(name => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// The page under any query (?trace) is the one stored page.
self.addEventListener('fetch', event => {
  if (event.request.method !== 'GET' || new URL(event.request.url).origin !== location.origin)
    return;
  const stored = event.request.mode === 'navigate'
    ? caches.match('index.html', {cacheName: CACHE})
    : caches.match(event.request, {cacheName: CACHE, ignoreSearch: true});
  event.respondWith(stored.then(response => response || fetch(event.request)));
});
