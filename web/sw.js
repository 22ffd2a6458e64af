// The service worker: after the first visit the page opens without a network. The build writes
// in the files to keep and a version made of their contents.
const FILES = /*FILES*/[];
const CACHE = 'mabatakiban-/*VERSION*/';

// Every file from the network itself: the browser's own cache may still hold an older build's,
// and a version kept with another's files would be kept so for good.
self.addEventListener('install', (event) => {
    event.waitUntil(caches.open(CACHE)
        .then((cache) => cache.addAll(FILES.map((file) => new Request(file, { cache: 'reload' })))));
});

// A new version waits until the page, once no game is on, asks for it (or until no page of the
// old one is open); then the caches of older versions go.
self.addEventListener('message', (event) => {
    if (event.data === 'take over') {
        self.skipWaiting();
    }
});

self.addEventListener('activate', (event) => {
    event.waitUntil(
        caches.keys()
            .then((names) => Promise.all(names.filter((n) => n !== CACHE).map((n) => caches.delete(n))))
            .then(() => self.clients.claim()),
    );
});

// This version's own copy first, never another's; the page itself at whatever address in its
// folder it is opened (index.html, or with a query). Whatever else the page loads is kept as it
// arrives.
self.addEventListener('fetch', (event) => {
    const request = event.request;
    if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) {
        return;
    }
    const page = request.mode === 'navigate';
    event.respondWith(caches.open(CACHE).then(async (cache) => {
        const kept = await cache.match(request, { ignoreSearch: page }) ?? (page ? await cache.match('./') : undefined);
        if (kept) {
            return kept;
        }
        const response = await fetch(request);
        if (response.ok) {
            event.waitUntil(cache.put(request, response.clone()));
        }
        return response;
    }));
});
