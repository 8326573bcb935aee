// The engines the page is tested in, behind one small adapter apiece: the three its users have,
// from Debian's packages, and two old generations of Chromium from npm, installed with the page's
// tools, in which only the checks that the page starts and works run (`startsOnly`). engine.start()
// gives a session; session.open(window) a tab whose viewport is window.width × window.height CSS
// pixels (with scripts off where window.scripts is false, at window.scale device pixels to the CSS
// pixel, in the colour scheme window.scheme and with forced colours where window.forcedColors
// asks); a tab loads the page, runs a function in it, runs a script's source in it past the page's
// security policy, clicks, taps, types, presses keys, resizes its viewport, takes screenshots and
// tells what the page's security policy refused. What an engine cannot do here is in its `cannot`,
// with the reason; a check that needs it is skipped there.
"use strict";

const { spawn } = require("node:child_process");
const fs = require("node:fs");
const net = require("node:net");
const os = require("node:os");
const path = require("node:path");
const zlib = require("node:zlib");

function npm(name) {
  try {
    return require(name);
  } catch (e) {
    if (e.code !== "MODULE_NOT_FOUND") throw e;
    throw new Error(`${name} is missing: run scripts/install-deps.sh (npm ci at the project's top)`);
  }
}

// Ready: the window listening, and its captions fitted to the face in use, by the marks the
// build wrote the page with.
const { attributes } = JSON.parse(fs.readFileSync(path.join(process.env.KALVET_PAGE_DIR, "kalvet-page.json"), "utf8"));
const ready = { selector: `html[${attributes.ready}][${attributes.captionsFitted}]`, ms: 15000 };

// Run before a page's own scripts where the engine can: notes whatever the page's security
// policy refuses, for refused() to tell.
function watchPolicy() {
  window.refused = [];
  document.addEventListener("securitypolicyviolation", (e) => window.refused.push(`${e.violatedDirective} ${e.blockedURI}`));
}

// A tab over a playwright or puppeteer page, whose calls are alike; `intercept(allow)` makes the
// page ask allow(url) of each request and abort those it refuses.
function pageTab(page, { intercept, offline, resize, close }) {
  const errors = [];
  page.on("pageerror", (e) => errors.push(e.message));
  return {
    errors,
    async load(url, selector = ready.selector) {
      await page.goto(url);
      await page.waitForSelector(selector, { state: "attached", timeout: ready.ms }).catch((e) => {
        throw errors.length ? new Error(`${e.message}; the page's errors: ${errors.join("; ")}`) : e;
      });
    },
    eval: (fn, arg) => page.evaluate(fn, arg),
    inject: (source) => page.evaluate(source),
    click: (id, button = "left") => page.click("#" + id, { button }),
    type: (text) => page.keyboard.type(text),
    press: (key) => page.keyboard.press(key),
    shot: (file, whole = false) => page.screenshot({ path: file, fullPage: whole }),
    refused: () => page.evaluate(() => window.refused),
    resize,
    async blockNetwork() {
      const asked = [];
      await intercept((url) => /^(file|data):/.test(url) || (asked.push(url), false));
      return asked;
    },
    offline,
    close,
  };
}

// A tab over a puppeteer page whose viewport is `viewport`, resized keeping its other settings.
function puppeteerTab(page, viewport, close) {
  return pageTab(page, {
    async intercept(allow) {
      await page.setRequestInterception(true);
      page.on("request", (r) => (allow(r.url()) ? r.continue() : r.abort()));
    },
    offline: () => page.setOfflineMode(true),
    resize: (width, height) => page.setViewport({ ...viewport, width, height }),
    close,
  });
}

// Chromium through playwright-core, the one engine here with touch emulation.
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
    await shared.addInitScript(watchPolicy);
    return {
      async open({ width, height, touch, scale, scripts = true, scheme, forcedColors }) {
        // Touch, the device scale and scripts are fixed when a context starts: a phone, a
        // scaled screen and a browser with scripts off get their own.
        const own = touch || !scripts || scale;
        const context = own
          ? await launch({ viewport: { width, height }, isMobile: !!touch, hasTouch: !!touch,
                           deviceScaleFactor: scale ?? 1, javaScriptEnabled: scripts })
          : shared;
        if (own) await context.addInitScript(watchPolicy);
        const page = await context.newPage();
        if (!own) await page.setViewportSize({ width, height });
        await page.emulateMedia({ colorScheme: scheme ?? null, forcedColors: forcedColors ? "active" : null });
        const tab = pageTab(page, {
          intercept: (allow) => page.route("**/*", (r) => (allow(r.request().url()) ? r.continue() : r.abort())),
          offline: () => context.setOffline(true),
          resize: (w, h) => page.setViewportSize({ width: w, height: h }),
          async close() {
            if (own) return context.close();
            await context.setOffline(false);
            await page.close();
          },
        });
        // With scripts off nothing listens for what the policy refuses; nothing ran to be refused.
        return { ...tab, tap: (id) => page.tap("#" + id), ...(scripts ? {} : { refused: undefined }) };
      },
      async close() {
        await shared.close();
        for (const p of profiles) fs.rmSync(p, { recursive: true, force: true });
      },
    };
  },
};

// Firefox ESR through puppeteer-core over WebDriver BiDi, which Firefox has built in. Headless,
// on a fresh profile that puppeteer makes and removes; as root it needs nothing more.
const firefox = {
  name: "firefox",
  cannot: {
    touch: "Firefox emulates no touch screen here: asked for one, the page still sees no touch " +
           "points and a fine pointer",
    scriptsOff: "Firefox ESR's WebDriver BiDi cannot turn a page's scripts off (it knows no " +
                "emulation.setScriptingEnabled)",
  },
  async start() {
    const puppeteer = npm("puppeteer-core");
    const launch = (prefs) => puppeteer.launch({ browser: "firefox", executablePath: "/usr/bin/firefox-esr", headless: true, extraPrefsFirefox: prefs });
    const browser = await launch({});
    return {
      async open({ width, height, scale, scheme, forcedColors }) {
        // The colour scheme and forced colours are Firefox's own settings, as a person sets them
        // (its websites' appearance, its colours overriding the page's), read when it starts: a
        // tab that asks for either gets a browser of its own.
        const prefs = {
          ...(scheme && { "layout.css.prefers-color-scheme.content-override": scheme === "dark" ? 0 : 1 }),
          ...(forcedColors && { "browser.display.document_color_use": 2 }),
        };
        const own = Object.keys(prefs).length ? await launch(prefs) : null;
        const page = await (own ?? browser).newPage();
        const viewport = { width, height, deviceScaleFactor: scale ?? 1 };
        await page.setViewport(viewport);
        await page.evaluateOnNewDocument(watchPolicy);
        return puppeteerTab(page, viewport, () => (own ? own.close() : page.close()));
      },
      close: () => browser.close(),
    };
  },
};

function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer().on("error", reject).listen(0, "127.0.0.1", () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

// WebKitGTK through selenium-webdriver and WebKitWebDriver, which starts WebKitGTK's MiniBrowser
// with --automation: a real window, so without a display it gets one of its own from xvfb-run.
// Root needs no sandbox switch: MiniBrowser leaves the web process sandbox off unless asked.
const webkit = {
  name: "webkit",
  cannot: {
    touch: "WebKitWebDriver emulates no touch screen: MiniBrowser is a desktop window, with no " +
           "touch points and a fine pointer",
    network: "WebKitWebDriver 2.50 speaks classic WebDriver only (it refuses a BiDi session), " +
             "which can neither watch nor block a page's requests nor hear its errors",
    policy: "classic WebDriver runs no script before the page's own, so nothing can listen for " +
            "what the page's security policy refuses from the start",
    scriptsOff: "WebKitWebDriver opens MiniBrowser with scripts on and cannot turn them off",
    scale: "neither WebDriver nor MiniBrowser sets a device scale of 1.5: GTK scales windows by " +
           "whole numbers only",
    forcedColors: "WebKit has no forced colours to turn on: (forced-colors: active) never matches",
  },
  async start() {
    const { Builder, By, Key } = npm("selenium-webdriver");
    // GTK's minimum width of MiniBrowser's toolbar buttons and address box keeps its window
    // 447 px wide at least; without it the window can be as narrow as a phone. WebKit draws
    // the page's own controls itself, not with GTK, so the page looks the same.
    const config = fs.mkdtempSync(path.join(os.tmpdir(), "kalvet-webkit-"));
    fs.mkdirSync(path.join(config, "gtk-3.0"));
    fs.writeFileSync(path.join(config, "gtk-3.0", "gtk.css"),
                     "button, entry { min-width: 0; padding-left: 0; padding-right: 0; }\n");
    const port = await freePort();
    const driverCommand = ["/usr/bin/WebKitWebDriver", `--port=${port}`];
    const command = process.env.DISPLAY
      ? driverCommand : ["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24", ...driverCommand];
    // Its own process group, so that the driver, MiniBrowser and the X server all end with it.
    const driverProcess = spawn(command[0], command.slice(1), {
      detached: true, stdio: ["ignore", "ignore", "inherit"], env: { ...process.env, XDG_CONFIG_HOME: config },
    });
    let exited = null;
    driverProcess.on("exit", (code) => { exited = `ended with ${code}`; });
    driverProcess.on("error", (e) => { exited = `could not start: ${e.message}`; });
    const stop = () => {
      try {
        process.kill(-driverProcess.pid, "SIGTERM");
      } catch {}
      fs.rmSync(config, { recursive: true, force: true });
    };
    const server = `http://127.0.0.1:${port}`;
    let driver = null;
    let frame;  // what MiniBrowser's toolbar takes from its window
    let stale = false;
    let dark = false;  // MiniBrowser in its own dark mode, which gives pages the dark scheme
    const run = (fn, arg) => driver.executeScript(`return (${fn})(arguments[0]);`, arg);
    const browser = async (darkMode = false) => {
      await driver?.quit();
      // Speaking to a driver that is already running, selenium-webdriver looks for none itself.
      const options = darkMode ? { "webkitgtk:browserOptions": { args: ["--automation", "--dark-mode"] } } : {};
      driver = await new Builder().usingServer(server).withCapabilities({ browserName: "MiniBrowser", ...options }).build();
      dark = darkMode;
      await driver.manage().window().setRect({ width: 800, height: 600 });
      frame = await run(() => ({ width: outerWidth - innerWidth, height: outerHeight - innerHeight }));
      stale = false;
    };
    try {
      for (const end = Date.now() + 15000; ;) {
        if (exited !== null) throw new Error(`${command.join(" ")} ${exited}`);
        if (await fetch(server + "/status").then(() => true, () => false)) break;
        if (Date.now() > end) throw new Error(`WebKitWebDriver did not answer on ${server}`);
        await new Promise((resolve) => setTimeout(resolve, 50));
      }
      await browser();
    } catch (e) {
      stop();
      throw e;
    }
    return {
      // One window, resized for each tab: more MiniBrowser windows buy nothing here. After a
      // right click, though, WebKitGTK's WebDriver types every character that no key of the
      // keyboard gives (１, 。) as a key with no text, until MiniBrowser is started again.
      async open({ width, height, scheme }) {
        if (stale || dark !== (scheme === "dark")) await browser(scheme === "dark");
        const resize = async (w, h) => {
          await driver.manage().window().setRect({ width: w + frame.width, height: h + frame.height });
          // The window may take a moment to reach its new size.
          let inner;
          for (const end = Date.now() + 3000; ;) {
            inner = await run(() => [innerWidth, innerHeight]);
            if ((inner[0] === w && inner[1] === h) || Date.now() > end) break;
            await new Promise((resolve) => setTimeout(resolve, 50));
          }
          if (inner[0] !== w || inner[1] !== h) {
            throw new Error(`MiniBrowser's page is ${inner.join(" × ")} px, not ${w} × ${h}`);
          }
        };
        await resize(width, height);
        const element = (id) => driver.findElement(By.id(id));
        return {
          async load(url, selector = ready.selector) {
            await driver.get(url);
            await driver.wait(() => run((s) => document.querySelector(s) !== null, selector), ready.ms,
                              `the page did not show ${selector}`);
          },
          eval: run,
          inject: (source) => driver.executeScript(source),
          async click(id, button = "left") {
            if (button === "left") return (await element(id)).click();
            stale = true;
            return driver.actions().contextClick(await element(id)).perform();
          },
          type: (text) => driver.actions().sendKeys(text).perform(),
          press(key) {
            const code = Key[key.replace(/(.)([A-Z])/g, "$1_$2").toUpperCase()];  // ArrowDown: ARROW_DOWN
            if (code === undefined) throw new Error(`no WebDriver key for ${key}`);
            return driver.actions().sendKeys(code).perform();
          },
          resize,
          async shot(file) {
            // A screenshot taken before the next frame is painted can come out blank. (Of an
            // element, WebKitGTK 2.50 paints the top 95 px black: hence the whole page, in
            // every engine.)
            await run(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
            fs.writeFileSync(file, await driver.takeScreenshot(), "base64");
          },
          close: async () => {},
        };
      },
      async close() {
        try {
          await driver.quit();
        } finally {
          stop();
        }
      },
    };
  },
};

// An old Chromium: the serverless build npm publishes for each major version (package
// chromium-MAJOR in package.json), driven by puppeteer-core of that era. Unpacked for the run into
// a folder of its own; of Debian's packages it needs only NSS (libnss3). Its touch screens are
// puppeteer's emulation. Only the checks marked `starts` run in it: that the page starts and works
// where Chromium refuses to compile WebAssembly at once on the main thread.
function oldChromium(major) {
  return {
    name: `chromium-${major}`,
    cannot: {},
    startsOnly: true,
    async start() {
      const puppeteer = npm("puppeteer-core-19");
      const packed = path.join(path.dirname(require.resolve(`chromium-${major}/package.json`)), "bin", "chromium.br");
      const dir = fs.mkdtempSync(path.join(os.tmpdir(), `kalvet-chromium-${major}-`));
      const executablePath = path.join(dir, "chromium");
      fs.writeFileSync(executablePath, zlib.brotliDecompressSync(fs.readFileSync(packed)), { mode: 0o755 });
      let browser;
      try {
        browser = await puppeteer.launch({
          executablePath, headless: true, userDataDir: path.join(dir, "profile"),
          args: ["--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking",
                 "--disable-component-update", "--disable-sync"],
        });
        const version = await browser.version();
        if (!version.includes(`/${major}.`)) throw new Error(`chromium-${major} is ${version}`);
      } catch (e) {
        await browser?.close();
        fs.rmSync(dir, { recursive: true, force: true });
        throw e;
      }
      return {
        async open({ width, height, touch, scale }) {
          const page = await browser.newPage();
          const viewport = { width, height, deviceScaleFactor: scale ?? 1, isMobile: !!touch, hasTouch: !!touch };
          await page.setViewport(viewport);
          await page.evaluateOnNewDocument(watchPolicy);
          return { ...puppeteerTab(page, viewport, () => page.close()), tap: (id) => page.tap("#" + id) };
        },
        async close() {
          await browser.close();
          fs.rmSync(dir, { recursive: true, force: true });
        },
      };
    },
  };
}

module.exports = [chromium, firefox, webkit, oldChromium(109), oldChromium(103)];
