// The service worker: after the first visit the page opens without a network. The build writes
// in the files to keep and a version made of their contents.
const FILES = /*FILES*/[];
const CACHE = 'mabatakiban-/*VERSION*/';

self.addEventListener('install', (event) => {
    event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)));
});

// A new version takes over once no page of the old one is open; the caches of older versions go.
self.addEventListener('activate', (event) => {
    event.waitUntil(
        caches.keys()
            .then((names) => Promise.all(names.filter((n) => n !== CACHE).map((n) => caches.delete(n))))
            .then(() => self.clients.claim()),
    );
});

// The kept copy first; whatever else the page loads (the pictures for its screen) is kept as it
// arrives.
self.addEventListener('fetch', (event) => {
    const request = event.request;
    if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) {
        return;
    }
    event.respondWith(caches.match(request).then((kept) => kept ?? fetch(request).then((response) => {
        if (response.ok) {
            const copy = response.clone();
            event.waitUntil(caches.open(CACHE).then((cache) => cache.put(request, copy)));
        }
        return response;
    })));
});
