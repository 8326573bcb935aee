// The engines the page is tested in, each from Debian's packages with nothing downloaded, behind
// one small adapter apiece. engine.start() gives a session; session.open(window) a tab
// whose viewport is window.width × window.height CSS pixels; a tab loads the page, runs a
// function in it, clicks, taps, types, presses keys and takes screenshots. What an engine cannot
// do here is in its `cannot`, with the reason; a check that needs it is skipped there.
"use strict";

const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");

function npm(name) {
  try {
    return require(name);
  } catch (e) {
    if (e.code !== "MODULE_NOT_FOUND") throw e;
    throw new Error(`${name} is missing: run scripts/install-deps.sh (npm ci in tests/app/web)`);
  }
}

const ready = { selector: "html[data-ready]", ms: 15000 };

// Chromium through playwright-core, the one engine here with touch and device-scale emulation.
const chromium = {
  name: "chromium",
  cannot: {},
  async start() {
    const { chromium: playwright } = npm("playwright-core");
    const profiles = [];
    // A profile of its own, gone when the tests end. Without the background-network switches
    // chromium keeps trying to reach its services.
    const launch = (options) => {
      const profile = fs.mkdtempSync(path.join(os.tmpdir(), "kalvet-chromium-"));
      profiles.push(profile);
      return playwright.launchPersistentContext(profile, {
        executablePath: "/usr/bin/chromium",
        headless: true,
        args: ["--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking",
               "--disable-component-update", "--disable-sync"],
        ...options,
      });
    };
    const shared = await launch({});
    return {
      async open({ width, height, touch, scale }) {
        // Touch and the device scale are fixed when a context starts: a phone gets its own.
        const context = touch
          ? await launch({ viewport: { width, height }, isMobile: true, hasTouch: true, deviceScaleFactor: scale })
          : shared;
        const page = await context.newPage();
        if (!touch) await page.setViewportSize({ width, height });
        const errors = [];
        page.on("pageerror", (e) => errors.push(e.message));
        return {
          errors,
          async load(url) {
            await page.goto(url);
            await page.waitForSelector(ready.selector, { state: "attached", timeout: ready.ms });
          },
          eval: (fn, arg) => page.evaluate(fn, arg),
          click: (id, button = "left") => page.click("#" + id, { button }),
          tap: (id) => page.tap("#" + id),
          type: (text) => page.keyboard.type(text),
          press: (key) => page.keyboard.press(key),
          shot: (file) => page.screenshot({ path: file }),
          async blockNetwork() {
            const asked = [];
            await page.route("**/*", (route) => {
              const url = route.request().url();
              if (/^(file|data):/.test(url)) return route.continue();
              asked.push(url);
              return route.abort();
            });
            return asked;
          },
          offline: () => context.setOffline(true),
          async close() {
            if (touch) return context.close();
            await context.setOffline(false);
            await page.close();
          },
        };
      },
      async close() {
        await shared.close();
        for (const p of profiles) fs.rmSync(p, { recursive: true, force: true });
      },
    };
  },
};

module.exports = [chromium];
