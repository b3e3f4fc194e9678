// The page's service worker: it keeps the page's own files, so the game
// opens and plays with no network. The build writes in the list of files and
// the cache's name, a hash of their contents: a new build is a new worker,
// which takes over at the next visit and removes the old files. Nothing of
// the person's passes through here: names and scores never leave the page.
const CACHE = 'minukape-@BUILD@';
const FILES = @FILES@;
// The page falls back on its default sound for a cue it cannot fetch.
const OPTIONAL = FILES.filter(file => file.startsWith('Sound/'));
// From the server, never from the browser's cache, which may still hold the
// build before.
const fresh = file => new Request(file, {cache: 'reload'});

self.addEventListener('install', event => {
  event.waitUntil(caches.open(CACHE).then(cache => Promise.all([
    cache.addAll(FILES.filter(file => !OPTIONAL.includes(file)).map(fresh)),
    ...OPTIONAL.map(file => fetch(fresh(file)).then(response => response.ok && cache.put(file, response), () => {})),
  ])).then(() => self.skipWaiting()));
});

self.addEventListener('activate', event => {
  event.waitUntil(caches.keys()
    .then(names => Promise.all(names.filter(name => name.startsWith('minukape-') && name !== CACHE)
      .map(name => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// The page's own files from the cache, anything else from the network as
// if the worker were not there.
self.addEventListener('fetch', event => {
  const url = new URL(event.request.url);
  if (event.request.method !== 'GET' || url.origin !== self.location.origin)
    return;
  event.respondWith(caches.open(CACHE)
    .then(cache => cache.match(event.request, {ignoreSearch: true}))
    .then(kept => kept || fetch(event.request)));
});
