// The page as a person uses it, in the three engines its users have: Chromium, Firefox and
// WebKit (every browser on an iPhone or iPad), each driven through its adapter in engines.js.
// One table of checks runs in each: what the page shows against the layout tables, focus and
// Tab, clicks and taps, every group's worked example typed on the keyboard, a narrow window and
// a phone's viewport, the page from disk with the network blocked, and the page served over http
// that keeps working offline. A check that needs what an engine cannot do here is skipped
// there, with the reason.
"use strict";

const { describe, test, before, after } = require("node:test");
const assert = require("node:assert/strict");
const { execFileSync } = require("node:child_process");
const fs = require("node:fs");
const http = require("node:http");
const os = require("node:os");
const path = require("node:path");
const engines = require("./engines");

const pageDir = process.env.KALVET_PAGE_DIR;
const shots = process.env.KALVET_SHOTS;
const pageFile = path.join(pageDir, "kalvet.html");
const pageUrl = "file://" + pageFile;
const layout = JSON.parse(execFileSync("node", ["--no-experimental-fetch", process.env.KALVET_LAYOUT_DUMP]));
const byName = Object.fromEntries(layout.controls.map((c) => [c.name, c]));
const boxes = layout.controls.filter((c) => c.kind === "box");

// The windows a check asks for, in CSS pixels. Only an engine that emulates touch opens a phone.
const desktop = { width: 800, height: 600 };
const narrow = { width: 360, height: 640 };
const phone = { ...narrow, touch: true, scale: 3 };

const shot = (name, engine) => path.join(shots, `kalvet-web-${name}-${engine}.png`);
const value = (tab, id) => tab.eval((id) => document.getElementById(id).value, id);
const focused = (tab) => tab.eval(() => document.activeElement.id);
// Puts a text in a box as a script would, leaving the focus in it.
const fill = (tab, id, text) => tab.eval(([id, text]) => {
  const e = document.getElementById(id);
  e.focus();
  e.value = text;
}, [id, text]);

// Every box's text, by control name.
const texts = (tab) => tab.eval(() => Object.fromEntries([...document.querySelectorAll("input")].map((e) => [e.id, e.value])));

async function until(tab, fn, what) {
  for (const end = Date.now() + 10000; !(await tab.eval(fn));) {
    if (Date.now() > end) throw new Error(`waited 10 s for ${what}`);
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
}

// Clicks into each box (emptying it, as a user does) and types its text on the keyboard.
async function clickAndType(tab, typed) {
  for (const [box, text] of typed) {
    await tab.click(box);
    await tab.type(text);
  }
}

const kPlate = [["Text17", "2000"], ["Text18", "1000"], ["Text20", "10"]];

// Picks a list entry with the arrow keys, as a keyboard user does.
async function choose(tab, list, entry) {
  const index = byName[list].entries.indexOf(entry);
  assert.ok(index > 0, `${entry} is an entry of ${list}`);
  await tab.eval((id) => document.getElementById(id).focus(), list);
  for (let i = 0; i < index; ++i) await tab.press("ArrowDown");
  assert.equal(await tab.eval((id) => document.getElementById(id).selectedIndex, list), index, `${list} shows ${entry}`);
}

// The whole window inside a viewport `width` wide, with nothing to scroll sideways or into the
// blank that scaling leaves, and no scrollbar over it.
async function fitsTheWidth(tab, { width, height }) {
  const fit = await tab.eval(() => {
    const r = document.getElementById("Form1").getBoundingClientRect();
    // What a person can scroll inside the page, beyond the page itself.
    const scrolls = [...document.querySelectorAll("body, body *")].flatMap((e) => {
      const s = getComputedStyle(e);
      const by = [[s.overflowX, e.scrollWidth - e.clientWidth, "sideways"], [s.overflowY, e.scrollHeight - e.clientHeight, "down"]];
      return by.filter(([overflow, px]) => /auto|scroll/.test(overflow) && px > 1)
               .map(([, px, way]) => `${e.id || e.tagName} scrolls ${px} px ${way}`);
    });
    return { right: r.right, bottom: r.bottom, left: r.left, top: r.top, scrolls,
             bodyWidth: document.body.clientWidth, scrollWidth: document.documentElement.scrollWidth, innerWidth: innerWidth };
  });
  assert.equal(fit.innerWidth, width, "the viewport meta tag keeps the screen's width");
  assert.ok(fit.left >= 0 && fit.top >= 0 && fit.right <= width + 0.5 && fit.bottom <= height,
            `window within the screen: ${JSON.stringify(fit)}`);
  assert.ok(fit.right >= width - 1, "the window uses the whole width");
  assert.ok(fit.scrollWidth <= width, `no sideways scrolling: ${fit.scrollWidth}`);
  assert.deepEqual(fit.scrolls, [], "nothing within the page scrolls into the blank the scale leaves");
  assert.equal(fit.bodyWidth, width, "no scrollbar covers the window's right edge");
}

// The page with every canvas measurement 1.6 times as wide, as in a face wider than the Song
// face the window is drawn for: a copy whose first script wraps measureText before the page's
// own runs, which every engine loads alike.
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), "kalvet-page-"));
const wideFaceUrl = (() => {
  const wrap = () => {
    const measure = CanvasRenderingContext2D.prototype.measureText;
    window.realMeasure = (context, text) => measure.call(context, text).width;
    CanvasRenderingContext2D.prototype.measureText = function (text) {
      return { width: measure.call(this, text).width * 1.6 };
    };
  };
  const html = fs.readFileSync(pageFile, "utf8");
  assert.ok(html.includes("<head>"), "the page has a head to put the wrapper in");
  const file = path.join(scratch, "kalvet-wide-face.html");
  fs.writeFileSync(file, html.replace("<head>", `<head><script>(${wrap})();</script>`));
  return "file://" + file;
})();
after(() => fs.rmSync(scratch, { recursive: true, force: true }));

// One road per compute button, typed on the keyboard; each press writes its own box only.
const roads = [
  { probe: "channel", list: ["Combo1", "5  50×37×4.5"], typed: [["Text1", "1500"]], button: "Command1", result: "Text2", shown: "8.157" },
  { probe: "channel, length in full-width digits", list: ["Combo1", "5  50×37×4.5"], typed: [["Text1", "１５００"]], button: "Command1", result: "Text2", shown: "8.157" },
  { probe: "channel on the prompt", typed: [["Text1", "1500"]], button: "Command1", result: "Text2", shown: "数据或格式错误" },
  { probe: "equal-leg angle", list: ["Combo2", "14  140×140×16"], typed: [["Text3", "6000"]], button: "Command2", result: "Text4", shown: "200.358" },
  { probe: "unequal-leg angle", list: ["Combo3", "20/12.5  200×125×18"], typed: [["Text5", "2500"]], button: "Command3", result: "Text6", shown: "108.97" },
  { probe: "I-beam", list: ["Combo4", "20a  200×100×7"], typed: [["Text7", "6000"]], button: "Command4", result: "Text8", shown: "167.574" },
  { probe: "I-beam, letters in the length", list: ["Combo4", "20a  200×100×7"], typed: [["Text7", "12abc"]], button: "Command4", result: "Text8", shown: "数据或格式错误" },
  { probe: "round bar", typed: [["Text9", "10"], ["Text10", "1000"]], button: "Command5", result: "Text11", shown: "0.616539" },
  { probe: "round bar, full-width digits and 。", typed: [["Text9", "１０"], ["Text10", "１０００。０"]], button: "Command5", result: "Text11", shown: "0.616539" },
  { probe: "pipe", typed: [["Text13", "60"], ["Text14", "3.5"], ["Text15", "6000"]], button: "Command6", result: "Text16", shown: "29.26094094" },
  { probe: "plate", typed: kPlate, button: "Command7", result: "Text21", shown: "157" },
  { probe: "plate, width left empty", typed: [["Text17", "2000"], ["Text20", "10"]], button: "Command7", result: "Text21", shown: "数据错误" },
];

// The checks, each run in every engine. `window` is the window it needs (desktop unless said);
// `needs` names what not every engine can do (see each engine's `cannot`); a phone window needs
// touch. run(tab, engine) gets a tab of its own, closed after it.
const checks = [
  {
    name: "every control sits where the layout puts it, with its caption, text and name",
    async run(tab) {
      await tab.load(pageUrl);
      assert.equal(await tab.eval(() => document.title), layout.caption);
      assert.equal(await tab.eval(() => document.documentElement.lang), "zh-CN");
      const area = await tab.eval(() => {
        const r = document.getElementById("Form1").getBoundingClientRect();
        return { left: r.left, top: r.top, width: r.width, height: r.height };
      });
      assert.deepEqual([area.width, area.height], [layout.width, layout.height], "client area size");

      const shown = await tab.eval(() => [...document.querySelectorAll("#Form1 [id]")].map((e) => {
        const r = e.getBoundingClientRect();
        const s = getComputedStyle(e);
        const caption = e.tagName === "FIELDSET" ? e.querySelector("legend") : e;
        return {
          name: e.id, tag: e.tagName, left: r.left, top: r.top, width: r.width, height: r.height,
          text: e.tagName === "INPUT" ? e.value : e.tagName === "SELECT" ? null : caption.textContent,
          label: e.getAttribute("aria-label"), tabIndex: e.tabIndex, inputMode: e.inputMode,
          fontSize: getComputedStyle(caption).fontSize, fontWeight: getComputedStyle(caption).fontWeight,
          fontFamily: s.fontFamily,
        };
      }));
      assert.deepEqual(shown.map((e) => e.name), layout.controls.map((c) => c.name), "one element per control");
      const tags = { frame: "FIELDSET", label: "SPAN", box: "INPUT", list: "SELECT", button: "BUTTON" };
      for (const e of shown) {
        const c = byName[e.name];
        assert.equal(e.tag, tags[c.kind], `${c.name} is a ${c.kind}`);
        for (const side of ["left", "top", "width", "height"]) {
          const at = side === "left" ? area.left : side === "top" ? area.top : 0;
          assert.ok(Math.abs(e[side] - at - c[side]) <= 1,
                    `${c.name} ${side}: page ${e[side] - at}, layout ${c[side]}`);
        }
        if (c.kind !== "list") assert.equal(e.text, c.text, `${c.name} caption or initial text`);
        if (c.accessibleName) assert.equal(e.label, c.accessibleName, `${c.name} accessible name`);
        if (c.kind === "box") assert.equal(e.inputMode, "decimal", `${c.name} brings up a number pad`);
        assert.match(e.fontFamily, /^SimSun, "Songti SC", STSong, "AR PL UMing CN", serif$/, `${c.name} font`);
        // With the Song face every caption fits at the window's size; none is shrunk.
        assert.equal(e.fontSize, layout.fontPixels + "px", `${c.name} caption size`);
        assert.equal(e.fontWeight, c.kind === "frame" ? "700" : "400", `${c.name} weight`);
      }
    },
  },
  {
    name: "captions fit their controls and labels never cover a box, list or button",
    async run(tab) {
      await tab.load(pageUrl);
      const problems = await tab.eval(() => {
        const out = [];
        for (const e of document.querySelectorAll(".label, legend, button")) {
          if (e.scrollWidth > e.clientWidth + 1) out.push(`${e.id || e.textContent} is cut`);
        }
        for (const e of document.querySelectorAll("input, select, button")) {
          const r = e.getBoundingClientRect();
          for (const [x, y] of [[r.left + 2, r.top + 2], [r.left + r.width / 2, r.top + r.height / 2],
                                [r.right - 2, r.bottom - 2]]) {
            const hit = document.elementFromPoint(x, y);
            if (hit !== e) out.push(`${e.id} at (${x},${y}) reaches ${hit && (hit.id || hit.tagName)}`);
          }
        }
        return out;
      });
      assert.deepEqual(problems, []);
    },
  },
  {
    name: "in a wider face a caption that does not fit shrinks until it fits, never below 9 px",
    async run(tab) {
      await tab.load(wideFaceUrl);
      const captions = layout.controls.filter((c) => ["label", "button", "frame"].includes(c.kind));
      const found = await tab.eval((controls) => {
        const canvas = document.createElement("canvas").getContext("2d");
        return controls.map((c) => {
          const e = document.getElementById(c.name);
          const caption = c.kind === "frame" ? e.querySelector("legend") : e;
          const style = getComputedStyle(caption);
          // Room: a label's width, a button's inside its border, a group box's beside its
          // caption's indent and gaps.
          const room = c.width - (c.kind === "button" ? 2 : c.kind === "frame" ? 16 : 0);
          let expected = 14;
          const advance = (px) => {
            canvas.font = `${c.kind === "frame" ? "bold " : ""}${px}px ${style.fontFamily}`;
            return Math.ceil(window.realMeasure(canvas, c.text) * 1.6);
          };
          while (expected > 9 && advance(expected) > room) --expected;
          return { name: c.name, size: parseFloat(style.fontSize), expected };
        });
      }, captions);
      for (const f of found) assert.equal(f.size, f.expected, `${f.name} caption size`);
      const shrunk = found.filter((f) => f.size < 14).map((f) => f.name);
      assert.ok(shrunk.includes("Label4") && shrunk.includes("Frame6"), `shrunk: ${shrunk}`);
      assert.ok(found.some((f) => f.size === 14), "captions that still fit keep their size");
    },
  },
  {
    name: "the lists hold their entries in order, blanks as they stand, with the prompt shown",
    async run(tab) {
      await tab.load(pageUrl);
      for (const list of layout.controls.filter((c) => c.kind === "list")) {
        const shown = await tab.eval((id) => {
          const e = document.getElementById(id);
          return { entries: [...e.options].map((o) => o.text), selected: e.selectedIndex };
        }, list.name);
        // A browser collapses repeated blanks unless they are no-break spaces.
        assert.deepEqual(shown.entries, list.entries.map((t) => t.replace(/ /g, "\u00a0")), `${list.name} entries`);
        assert.equal(shown.selected, 0, `${list.name} shows the prompt`);
      }
      assert.deepEqual(layout.controls.filter((c) => c.kind === "list").map((c) => c.entries.length),
                       [42, 83, 66, 46], "entry counts");
    },
  },
  {
    name: "Combo1 has the focus at load and Tab visits the Tab order, emptying nothing",
    async run(tab) {
      await tab.load(pageUrl);
      const before = await texts(tab);
      const visited = [await focused(tab)];
      for (let i = 1; i < layout.tabOrder.length; ++i) {
        await tab.press("Tab");
        visited.push(await focused(tab));
      }
      assert.deepEqual(visited, layout.tabOrder);
      assert.deepEqual(await texts(tab), before, "entering a box with Tab empties nothing");
    },
  },
  {
    name: "a mouse click empties the twelve input boxes and no other",
    async run(tab) {
      await tab.load(pageUrl);
      for (const box of boxes) {
        await fill(tab, box.name, "1500");
        await tab.click(box.name);
        assert.equal(await value(tab, box.name), box.clickEmpties ? "" : "1500", `click in ${box.name}`);
      }
      assert.equal(boxes.filter((b) => b.clickEmpties).length, 12);
      // Only the primary button empties a box: a right click opens the browser's menu on it.
      await fill(tab, "Text1", "1500");
      await tab.click("Text1", "right");
      assert.equal(await value(tab, "Text1"), "1500", "a right click empties nothing");
      await tab.press("Escape");
      // What is typed after the click goes into the emptied box.
      await tab.click("Text1");
      await tab.type("2500");
      assert.equal(await value(tab, "Text1"), "2500");
    },
  },
  {
    name: "the worked examples of all seven groups, typed on the keyboard",
    async run(tab) {
      for (const r of roads) {
        await tab.load(pageUrl);
        for (const [box, text] of r.typed) {
          await tab.click(box);
          await tab.type(text);
          assert.equal(await value(tab, box), text, `${r.probe}: ${box} typed`);
        }
        if (r.list) await choose(tab, ...r.list);
        const before = await texts(tab);
        await tab.click(r.button);
        const after = await texts(tab);
        assert.equal(after[r.result], r.shown, r.probe);
        delete before[r.result];
        delete after[r.result];
        assert.deepEqual(after, before, `${r.probe}: the press changed only ${r.result}`);
      }
    },
  },
  {
    name: "a press by keyboard computes as a click does",
    async run(tab) {
      await tab.load(pageUrl);
      await clickAndType(tab, kPlate);
      await tab.eval(() => document.getElementById("Command7").focus());
      await tab.press("Enter");
      assert.equal(await value(tab, "Text21"), "157");
    },
  },
  {
    name: "a changed density changes the dimension groups' next results and no section result",
    async run(tab) {
      await tab.load(pageUrl);
      await choose(tab, "Combo1", "5  50×37×4.5");
      await clickAndType(tab, [["Text1", "1500"], ["Text9", "10"], ["Text10", "1000"], ...kPlate]);
      // A click in the density box keeps its text; the new density is typed after it.
      await tab.click("Text12");
      assert.equal(await value(tab, "Text12"), "7.85");
      await fill(tab, "Text12", "");
      await tab.type("８");
      for (const b of ["Command1", "Command5", "Command7"]) await tab.click(b);
      const t = await texts(tab);
      assert.equal(t.Text2, "8.157", "the channel result ignores the density");
      assert.equal(t.Text11, "0.62832", "round bar at 8 g/cm3");
      assert.equal(t.Text21, "160", "plate at 8 g/cm3");
    },
  },
  {
    name: "a result wider than its box shows its first digits",
    async run(tab, engine) {
      await tab.load(pageUrl);
      await clickAndType(tab, [["Text13", "60"], ["Text14", "3.5"], ["Text15", "6000"]]);
      await tab.click("Command6");
      const r = await tab.eval(() => {
        const e = document.getElementById("Text16");
        return { value: e.value, scrollLeft: e.scrollLeft, overflows: e.scrollWidth > e.clientWidth };
      });
      assert.equal(r.value, "29.26094094");
      assert.ok(r.overflows, "the result is wider than its box");
      assert.equal(r.scrollLeft, 0, "the box shows the result from its first digit");
      assert.equal(await focused(tab), "Command6", "writing the result leaves the focus on the button");
      await tab.shot(shot("desktop", engine));
    },
  },
  {
    name: "in a window 360 px wide the whole window fits the width and clicks compute",
    window: narrow,
    async run(tab, engine) {
      await tab.load(pageUrl);
      await fitsTheWidth(tab, narrow);
      await clickAndType(tab, [["Text9", "10"], ["Text10", "1000"]]);
      await tab.click("Command5");
      assert.equal(await value(tab, "Text11"), "0.616539");
      await tab.shot(shot("narrow", engine));
    },
  },
  {
    name: "on a phone (touch, device scale 3) the whole window fits the width and taps compute",
    window: phone,
    async run(tab, engine) {
      await tab.load(pageUrl);
      await fitsTheWidth(tab, phone);
      for (const [box, text] of [["Text9", "10"], ["Text10", "1000"]]) {
        await fill(tab, box, "999");
        await tab.tap(box);
        assert.equal(await value(tab, box), "", `a tap empties ${box}`);
        await tab.type(text);
      }
      await tab.tap("Command5");
      assert.equal(await value(tab, "Text11"), "0.616539");
      await tab.shot(shot("phone", engine));
    },
  },
  // ---------------------------------------------------------------------------------------------
  // The touch layout's checks go here: `window: narrow` for those every engine runs in a window
  // 360 px wide, `window: phone` for those that need a real touch screen (Chromium only, skipped
  // elsewhere with the engine's reason).
  // ---------------------------------------------------------------------------------------------
  {
    name: "from disk the page asks for nothing over the network",
    needs: ["network"],
    async run(tab) {
      const asked = await tab.blockNetwork();
      await tab.load(pageUrl);
      await clickAndType(tab, kPlate);
      await tab.click("Command7");
      assert.equal(await value(tab, "Text21"), "157");
      assert.deepEqual(asked, [], "requests beyond the file");
      assert.deepEqual(tab.errors, []);
      assert.equal(await tab.eval(() => navigator.serviceWorker?.controller ?? null), null,
                   "no service worker from disk");
    },
  },
  {
    name: "served over http, the service worker keeps the page working offline",
    async run(tab) {
      const types = { ".html": "text/html", ".js": "text/javascript", ".webmanifest": "application/manifest+json", ".png": "image/png" };
      const server = http.createServer((req, res) => {
        const name = path.basename(new URL(req.url, "http://127.0.0.1").pathname);
        const file = path.join(pageDir, name);
        if (!name || !fs.existsSync(file)) {
          res.writeHead(404);
          return res.end();
        }
        res.writeHead(200, { "Content-Type": types[path.extname(name)] || "application/octet-stream" });
        fs.createReadStream(file).pipe(res);
      });
      await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
      const url = `http://127.0.0.1:${server.address().port}/kalvet.html`;
      try {
        await tab.load(url);
        assert.equal(await tab.eval(() => document.querySelector('link[rel="manifest"]').getAttribute("href")), "kalvet.webmanifest");
        await tab.eval(() => navigator.serviceWorker.ready.then(() => true));
        await until(tab, () => navigator.serviceWorker.controller !== null, "the service worker to take the page");
        const cached = await tab.eval(async () => (await (await caches.keys()).reduce(async (all, k) =>
          (await all).concat((await (await caches.open(k)).keys()).map((r) => new URL(r.url).pathname)), [])));
        assert.deepEqual(cached.sort(), ["/kalvet-192.png", "/kalvet-512.png", "/kalvet.html", "/kalvet.png", "/kalvet.webmanifest"]);

        server.closeAllConnections();
        await new Promise((resolve) => server.close(resolve));
        // Where WebDriver has no offline switch (WebKit), the closed server is all that is gone.
        await tab.offline?.();
        await tab.load(url);
        await clickAndType(tab, [["Text9", "10"], ["Text10", "1000"]]);
        await tab.click("Command5");
        assert.equal(await value(tab, "Text11"), "0.616539", "the page works offline");
      } finally {
        if (server.listening) server.close();
      }
    },
  },
];

for (const engine of engines) {
  describe(engine.name, () => {
    let session;
    before(async () => {
      session = await engine.start();
    });
    after(() => session?.close());
    for (const check of checks) {
      const needs = [...(check.needs ?? []), ...(check.window?.touch ? ["touch"] : [])];
      const lacking = needs.find((n) => engine.cannot[n]);
      test(check.name, { skip: lacking && `${engine.name}: ${engine.cannot[lacking]}` }, async () => {
        const tab = await session.open(check.window ?? desktop);
        try {
          await check.run(tab, engine.name);
        } finally {
          await tab.close();
        }
      });
    }
  });
}
