// Keeps the page, its manifest and its icons on the phone, so that it opens offline: answers
// from the cache first and refreshes the cache whenever the network answers.
const CACHE = "kalvet-3";
const FILES = ["kalvet.html", "kalvet.webmanifest", "kalvet.png", "kalvet-192.png", "kalvet-512.png",
               "kalvet-maskable-192.png", "kalvet-maskable-512.png", "kalvet-apple-touch.png"];

self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((keys) => Promise.all(keys.filter((k) => k !== CACHE).map((k) => caches.delete(k))))
    .then(() => self.clients.claim()));
});

self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET") return;
  event.respondWith(caches.open(CACHE).then((cache) =>
    cache.match(event.request, {ignoreSearch: true}).then((cached) => {
      const fresh = fetch(event.request).then((response) => {
        if (response.ok) cache.put(event.request, response.clone());
        return response;
      });
      if (!cached) return fresh;
      fresh.catch(() => {});  // offline: the cached copy is the answer
      return cached;
    })));
});
