// Lighthouse on the page as a server would give it: the web build's site folder served on
// 127.0.0.1 by a plain static server (no compression: that is the server's setting), audited in
// Debian's chromium with Lighthouse's mobile and desktop presets. Prints each preset's four
// category scores and every audit that falls short. Not part of the tests: how anyone checks
// the page before putting it up.
//
//   node bench/lighthouse.js [site folder]
//
// The folder defaults to the web preset's build/web/app/web. Lighthouse comes from npm at the
// version the project's package-lock.json pins (12.2.3: later versions want a newer node), with
// the page's test tools (scripts/install-deps.sh).
"use strict";

const fs = require("node:fs");
const http = require("node:http");
const path = require("node:path");

const site = path.resolve(process.argv[2] ?? path.join(__dirname, "..", "build", "web", "app", "web"));
const types = { ".html": "text/html; charset=utf-8", ".js": "text/javascript", ".png": "image/png",
                ".webmanifest": "application/manifest+json", ".txt": "text/plain" };

(async () => {
  if (!fs.existsSync(path.join(site, "kalvet.html"))) {
    throw new Error(`${site} holds no kalvet.html: build the page (cmake --workflow --preset web)`);
  }
  const { default: lighthouse } = await import("lighthouse");
  const { default: desktop } = await import("lighthouse/core/config/desktop-config.js");
  const chromeLauncher = await import("chrome-launcher");

  const server = http.createServer((req, res) => {
    const name = decodeURIComponent(new URL(req.url, "http://127.0.0.1").pathname).slice(1) || "index.html";
    const file = path.join(site, path.basename(name));
    if (name.includes("/") || !fs.existsSync(file)) {
      res.writeHead(404);
      return res.end();
    }
    res.writeHead(200, { "Content-Type": types[path.extname(file)] ?? "application/octet-stream" });
    fs.createReadStream(file).pipe(res);
  });
  await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
  const url = `http://127.0.0.1:${server.address().port}/kalvet.html`;
  console.log(`${url} (${site})`);

  try {
    for (const [preset, config] of [["mobile", undefined], ["desktop", desktop]]) {
      // A fresh browser and profile for each preset, with nothing cached.
      const chrome = await chromeLauncher.launch({
        chromePath: "/usr/bin/chromium",
        chromeFlags: ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                      "--disable-component-update", "--disable-sync", "--no-first-run"],
      });
      try {
        const { lhr } = await lighthouse(url, { port: chrome.port, logLevel: "error", output: "json" }, config);
        const scores = Object.values(lhr.categories).map((c) => `${c.title} ${Math.round(c.score * 100)}`);
        console.log(`${preset}: ${scores.join(", ")}`);
        for (const audit of Object.values(lhr.audits)) {
          if (audit.score !== null && audit.score < 1 && audit.scoreDisplayMode !== "informative") {
            console.log(`  short: ${audit.id} (${audit.score}${audit.displayValue ? `, ${audit.displayValue}` : ""}): ${audit.title}`);
          }
        }
      } finally {
        await chrome.kill();
      }
    }
  } finally {
    server.close();
  }
})().catch((e) => {
  console.error(e.message);
  process.exitCode = 1;
});
