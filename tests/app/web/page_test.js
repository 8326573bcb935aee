// The page as a person uses it, in the three engines its users have: Chromium, Firefox and
// WebKit (every browser on an iPhone or iPad), each driven through its adapter in engines.js.
// One table of checks runs in each: what the page shows against the layout tables, focus and
// Tab, clicks and taps, every group's worked example typed on the keyboard, the window arranged
// for the hand in a narrow window and on touch screens, the keyboard's action key, turning the
// screen, the page from disk with the network blocked, the page served over http that keeps
// working offline, the page where its program cannot start, and one table of a person's settings
// (text spacing, zoom, the focus mark, forced colours, a dark scheme, axe-core's audit under
// them); in every page, nothing refused by its security policy. A check that needs what an
// engine cannot do here is skipped there, with the reason. In two old Chromiums (103, and 109,
// the last Chrome for Windows 7) only the checks that the page starts and works run: the page
// ready with its lists filled and the first focused, every worked example, a 360-px phone.
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
// The document element's marks, as the build wrote the page with them.
const { attributes } = JSON.parse(fs.readFileSync(path.join(pageDir, "kalvet-page.json"), "utf8"));
// Every file of the site; the service worker keeps all of them but itself and the crawlers'.
const siteFiles = process.env.KALVET_SITE_FILES.split(",");
const byName = Object.fromEntries(layout.controls.map((c) => [c.name, c]));
// What every test program of the window expects alike: lists, the boxes a click empties, the Tab
// order and the worked examples.
const expected = layout.expected;
const boxes = layout.controls.filter((c) => c.kind === "box");

// The windows a check asks for, in CSS pixels. Only an engine that emulates touch opens a
// touch screen: phones upright and on their side, and a tablet, at device scale 2 to 3.
const desktop = { width: 800, height: 700 };
const narrow = { width: 360, height: 640 };
const touchScreens = [
  { width: 320, height: 568, scale: 2 },
  { width: 360, height: 640, scale: 3, shot: "phone", starts: true },
  { width: 390, height: 844, scale: 3 },
  { width: 640, height: 360, scale: 3 },
  { width: 768, height: 1024, scale: 2, shot: "tablet" },
].map((s) => ({ ...s, touch: true }));

const shot = (name, engine) => path.join(shots, `kalvet-web-${name}-${engine}.png`);
const value = (tab, id) => tab.eval((id) => document.getElementById(id).value, id);
const focused = (tab) => tab.eval(() => document.activeElement.id);
// Puts a text in a box as a script would, leaving the focus in it.
const fill = (tab, id, text) => tab.eval(([id, text]) => {
  const e = document.getElementById(id);
  e.focus();
  e.value = text;
}, [id, text]);

// Loads a page until its window is ready (or `selector` is there), and holds it to its security
// policy: nothing refused.
async function load(tab, url, selector) {
  await tab.load(url, selector);
  if (tab.refused) assert.deepEqual(await tab.refused(), [], `the security policy refused nothing on ${url}`);
}

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

// The group boxes in the order the Tab key reaches them.
const groups = [...new Set(expected.tabOrder.map((name) => byName[name].frame))];
const kPipe = [["Text13", "60"], ["Text14", "3.5"], ["Text15", "6000"]];

const inView = (tab, id) => tab.eval((id) => {
  const r = document.getElementById(id).getBoundingClientRect();
  return r.top >= 0 && r.left >= 0 && r.bottom <= innerHeight && r.right <= innerWidth;
}, id);

// The window arranged for the hand on a screen `width` wide: boxes, lists and buttons a
// fingertip can meet and texts a phone does not zoom into, nothing to scroll sideways or inside
// the page, nothing overlapping, every control inside its group box with each row label beside
// its box, the window's order inside each group, and the groups in the Tab order down the page
// (narrower than the window one under another across the width, else in columns each reading
// down). A click or tap at the centre of each control reaches it.
async function arrangedForTheHand(tab, { width }) {
  const oneColumn = width < layout.width;
  const found = await tab.eval(() => {
    const rects = {};
    for (const e of document.querySelectorAll("#Form1 [id]")) {
      const r = e.getBoundingClientRect();
      const caption = getComputedStyle(e.tagName === "FIELDSET" ? e.querySelector("legend") : e);
      rects[e.id] = { left: r.left + scrollX, top: r.top + scrollY, right: r.right + scrollX,
                      bottom: r.bottom + scrollY, width: r.width, height: r.height,
                      size: parseFloat(caption.fontSize), weight: Number(caption.fontWeight) };
    }
    const missed = [];
    for (const e of document.querySelectorAll("#Form1 input, #Form1 select, #Form1 button")) {
      e.scrollIntoView({ block: "center" });
      const r = e.getBoundingClientRect();
      const hit = document.elementFromPoint(r.left + r.width / 2, r.top + r.height / 2);
      if (hit !== e) missed.push(`${e.id} reaches ${hit && (hit.id || hit.tagName)}`);
    }
    scrollTo(0, 0);
    // What a person can scroll inside the page, beyond the page itself.
    const scrolls = [...document.querySelectorAll("body, body *")].flatMap((e) => {
      const s = getComputedStyle(e);
      const by = [[s.overflowX, e.scrollWidth - e.clientWidth], [s.overflowY, e.scrollHeight - e.clientHeight]];
      return by.filter(([overflow, px]) => /auto|scroll/.test(overflow) && px > 1).map(() => e.id || e.tagName);
    });
    const rightmost = Math.max(...Object.values(rects).map((r) => r.right));
    return { rects, missed, scrolls, rightmost, visibleWidth: document.documentElement.clientWidth,
             scrollWidth: document.documentElement.scrollWidth };
  });
  const { rects } = found;
  assert.ok(found.scrollWidth <= width, `no sideways scrolling: ${found.scrollWidth}`);
  assert.deepEqual(found.scrolls, [], "nothing within the page scrolls");
  assert.ok(found.rightmost <= found.visibleWidth, `nothing under a scrollbar: ${found.rightmost} > ${found.visibleWidth}`);
  assert.deepEqual(found.missed, [], "a tap at the centre of each control reaches it");
  const overlap = (a, b) => Math.min(a.right, b.right) - Math.max(a.left, b.left) > 0.5 &&
                            Math.min(a.bottom, b.bottom) - Math.max(a.top, b.top) > 0.5;
  for (const c of layout.controls) {
    const r = rects[c.name];
    if (c.kind === "frame") {
      assert.ok(r.size >= 16 && r.weight >= 700, `${c.name} caption ${r.size}px, weight ${r.weight}`);
      continue;
    }
    const f = rects[c.frame];
    assert.ok(r.left >= f.left && r.right <= f.right && r.top >= f.top && r.bottom <= f.bottom,
              `${c.name} inside ${c.frame}`);
    if (c.kind === "label") {
      assert.ok(r.size >= 14, `${c.name} text ${r.size}px`);
    } else {
      assert.ok(r.width >= 44 && r.height >= 44 && r.size >= 16,
                `${c.name} is ${r.width}×${r.height} with ${r.size}px text`);
    }
    if (c.rowLabel) {
      const l = rects[c.rowLabel];
      assert.ok(l.right <= r.left && l.bottom > r.top && l.top < r.bottom, `${c.rowLabel} stands beside ${c.name}`);
    }
    for (const d of layout.controls) {
      if (d === c || d.kind === "frame") continue;
      assert.ok(!overlap(r, rects[d.name]), `${c.name} and ${d.name} overlap`);
      // Whatever stands above another control of its group in the window stays above it.
      if (d.frame === c.frame && d.kind !== "label" && c.kind !== "label" && c.top < d.top) {
        assert.ok(r.bottom <= rects[d.name].top, `${c.name} stays above ${d.name}`);
      }
    }
  }
  for (let i = 1; i < groups.length; ++i) {
    const [a, b] = [rects[groups[i - 1]], rects[groups[i]]];
    assert.ok(!overlap(a, b), `${groups[i - 1]} and ${groups[i]} overlap`);
    assert.ok(b.top >= a.bottom || (!oneColumn && b.left >= a.right), `${groups[i]} comes after ${groups[i - 1]}`);
    if (oneColumn) assert.ok(b.width >= width - 32, `${groups[i]} spans the width`);
  }
}

// A copy of the page whose first script, fn, runs before the page's own and before its security
// policy is read, which every engine loads alike.
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), "kalvet-page-"));
function pageWith(name, fn) {
  const html = fs.readFileSync(pageFile, "utf8");
  assert.ok(html.includes("<head>"), "the page has a head to put the script in");
  fs.writeFileSync(path.join(scratch, name), html.replace("<head>", `<head><script>(${fn})();</script>`));
  return "file://" + path.join(scratch, name);
}
// The page with every canvas measurement 1.6 times as wide, as in a face wider than the Song
// face the window is drawn for.
const wideFaceUrl = pageWith("kalvet-wide-face.html", () => {
    const measure = CanvasRenderingContext2D.prototype.measureText;
    window.realMeasure = (context, text) => measure.call(context, text).width;
    CanvasRenderingContext2D.prototype.measureText = function (text) {
      return { width: measure.call(this, text).width * 1.6 };
    };
});
// Where the program cannot start: WebAssembly gone, as in an iPhone's Lockdown Mode, or its
// compiling refused, as a browser refuses it whose policy lacks 'wasm-unsafe-eval' (Safari 15).
const cannotStart = [
  ["no WebAssembly", pageWith("kalvet-no-wasm.html", () => { delete window.WebAssembly; })],
  ["WebAssembly refused", pageWith("kalvet-wasm-refused.html", () => {
    const refuse = () => { throw new WebAssembly.CompileError("refused by the security policy"); };
    WebAssembly.compile = async () => refuse();
    WebAssembly.Module = refuse;
  })],
];
// The page whose program runs only once the test calls startProgram(): its compile held back.
const heldUrl = pageWith("kalvet-held.html", () => {
  const compile = WebAssembly.compile;
  WebAssembly.compile = (bytes) => new Promise((resolve) => { window.startProgram = () => resolve(compile(bytes)); });
});
// Seen as a person sees it: the notice above the window, and no compute button a press reaches.
async function saysItCannotStart(tab, probe) {
  const found = await tab.eval(() => {
    const [notice, area] = ["notice", "Form1"].map((id) => document.getElementById(id));
    const reached = (b, r = b.getBoundingClientRect()) => document.elementFromPoint(r.left + r.width / 2, r.top + r.height / 2) === b;
    return { notice: getComputedStyle(notice).display === "none" ? "" : notice.textContent,
             above: notice.getBoundingClientRect().bottom <= area.getBoundingClientRect().top,
             pressed: [...area.querySelectorAll("button")].filter((b) => !b.disabled && reached(b)).map((b) => b.id) };
  });
  assert.match(found.notice, /JavaScript 和 WebAssembly.*Safari 16、Chrome 103、Firefox 102/, `${probe}: the notice`);
  assert.ok(found.above, `${probe}: the notice stands above the window`);
  assert.deepEqual(found.pressed, [], `${probe}: compute buttons a press reaches`);
}
// What axe-core, injected past the page's policy, audits: WCAG 2.0 to 2.2 A and AA, and its
// best practices.
const axeSource = fs.readFileSync(require.resolve("axe-core/axe.min.js"), "utf8");
const axeTags = ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa", "wcag22aa", "best-practice"];
after(() => fs.rmSync(scratch, { recursive: true, force: true }));


// What a person's own settings do to the page, a row each: the reader's text spacing (WCAG
// 1.4.12), put on as a bookmarklet puts it, important rules after the page's own; 200 % and
// 400 % zoom on a 1280-px screen, as the viewport they leave (1.4.4, 1.4.10); the focus mark
// (2.4.7); forced colours; a dark scheme (1.4.3, 1.4.11).
const readerSpacing = "*{line-height:1.5!important;letter-spacing:0.12em!important;" +
                      "word-spacing:0.16em!important}p{margin-bottom:2em!important}";
const luminance = (c) => c.match(/[\d.]+/g).slice(0, 3).reduce((sum, v, i) => sum + [0.2126, 0.7152, 0.0722][i] *
  ((v /= 255) <= 0.04045 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4), 0);
const contrast = (a, b) => (Math.max(luminance(a), luminance(b)) + 0.05) / (Math.min(luminance(a), luminance(b)) + 0.05);
// In the page: the elements the reader's spacing missed; a label's or caption's text over a box,
// list or button, a button's caption out of it; [what, colour, its ground, least contrast] of
// each text and each edge (a missing edge has its ground's colour); the ground and theme colour.
function inspect() {
  const all = (s) => [...document.querySelectorAll(s)];
  const controls = all("#Form1 input, #Form1 select, #Form1 button");
  const text = (e, r = document.createRange()) => (r.selectNodeContents(e), [...r.getClientRects()]);
  const meet = (a, b) => Math.min(a.right, b.right) > Math.max(a.left, b.left) && Math.min(a.bottom, b.bottom) > Math.max(a.top, b.top);
  const ground = (e) => (e.parentElement && /, 0\)$|^transparent$/.test(getComputedStyle(e).backgroundColor)
    ? ground(e.parentElement) : getComputedStyle(e).backgroundColor);
  const edge = (e, side, pseudo, s = getComputedStyle(e, pseudo)) =>
    [`${e.id}'s ${side} edge`, parseFloat(s[`border${side}Width`]) ? s[`border${side}Color`] : ground(e), ground(e.parentElement), 3];
  // Every browser keeps a list's line height its own, by an important rule of its own sheet.
  const spaced = (e, s = getComputedStyle(e)) => [[s.letterSpacing, 0.12], [s.wordSpacing, 0.16],
    [e.tagName === "SELECT" ? "" : s.lineHeight, 1.5]].every(([v, k]) => !v || Math.abs(parseFloat(v) - k * parseFloat(s.fontSize)) < 0.01);
  return {
    unspaced: all("#Form1 *").filter((e) => !spaced(e)).map((e) => e.id || e.tagName),
    overlaps: all("#Form1 .label, #Form1 legend").flatMap((e) => text(e).flatMap((t) => controls
      .filter((c) => meet(t, c.getBoundingClientRect())).map((c) => `${e.id || e.textContent} runs into ${c.id}`)))
      .concat(all("#Form1 button").filter((b, i, _, r = b.getBoundingClientRect(), x = r.left + b.clientLeft, y = r.top + b.clientTop) =>
        text(b).some((t) => t.left < x || t.top < y || t.right > x + b.clientWidth || t.bottom > y + b.clientHeight))
        .map((b) => `${b.id}'s caption leaves it`)),
    colours: all("#notice, #Form1 .label, #Form1 legend").concat(controls)
      .map((e) => [e.id || e.textContent, getComputedStyle(e).color, ground(e), 4.5]).concat(controls.map((e) => edge(e, "Top")),
        all("fieldset").flatMap((e) => ["Top", "Right", "Bottom", "Left"].map((side) => edge(e, side, "::before")))),
    ground: ground(document.body),
    theme: all("meta[name=theme-color]").find((m) => matchMedia(m.media).matches)?.content,
  };
}
const faint = (seen, least) => seen.colours.filter(([, c, g, l]) => l <= least && contrast(c, g) < l)
  .map(([what, c, g]) => `${what}: ${c} on ${g}, ${contrast(c, g).toFixed(2)}:1`);
// What holds under a setting, by name: [what it says, check(tab, what the page showed, window)].
const holds = {
  clear: ["no text runs into a control and every caption stays inside its button", (tab, seen) => {
    assert.deepEqual(seen.unspaced, [], "elements the reader's spacing does not reach");
    assert.deepEqual(seen.overlaps, []);
  }],
  hand: ["arranged for the hand", (tab, seen, window) => arrangedForTheHand(tab, window)],
  // Scrolled to by a person, who scrolls up and down only.
  reach: ["nothing to scroll sideways and every control in reach", async (tab, seen, { width }) => {
    const found = await tab.eval(() => ({ wide: document.documentElement.scrollWidth,
      missed: [...document.querySelectorAll("#Form1 input, #Form1 select, #Form1 button")].filter((e, i, _, r = (scrollTo(0,
        scrollY + e.getBoundingClientRect().top - innerHeight / 2), e.getBoundingClientRect())) => r.right > innerWidth ||
        document.elementFromPoint(r.left + r.width / 2, r.top + r.height / 2) !== e).map((e) => e.id) }));
    assert.ok(found.wide <= width, `${found.wide} px to scroll across`);
    assert.deepEqual(found.missed, [], "controls out of reach");
  }],
  // Given the focus by Tab, in the Tab order from the control focused at load, each control looks
  // otherwise than unfocused, an outline, where that is its mark, stands out 3:1 from the
  // window's ground, and no box is emptied.
  focus: ["Tab marks every control in turn and empties nothing", async (tab) => {
    const look = (ids) => (ids ?? [document.activeElement.id]).map((id, _, __, s = getComputedStyle(document.getElementById(id))) => ({ id,
      look: [s.outlineStyle, s.outlineWidth, s.boxShadow, s.borderTopColor, s.backgroundColor].join(),
      outline: s.outlineStyle === "none" ? null : s.outlineColor, ground: getComputedStyle(document.getElementById("Form1")).backgroundColor }));
    assert.equal(await focused(tab), expected.tabOrder[0], "the first control has the focus at load");
    const before = await texts(tab);
    await tab.eval(() => document.activeElement.blur());
    const unfocused = await tab.eval(look, expected.tabOrder);
    await tab.eval((id) => document.getElementById(id).focus(), expected.tabOrder[0]);
    for (const before of unfocused) {
      const [now] = await tab.eval(look);
      assert.equal(now.id, before.id, "Tab follows the Tab order");
      assert.notEqual(now.look, before.look, `${now.id} looks the same focused`);
      if (now.outline) assert.ok(contrast(now.outline, now.ground) >= 3, `${now.id}'s outline ${now.outline} on ${now.ground}`);
      await tab.press("Tab");
    }
    assert.deepEqual(await texts(tab), before, "entering a box with Tab empties nothing");
  }],
  edges: ["every edge 3:1 against its ground", (tab, seen) => assert.deepEqual(faint(seen, 3), [])],
  press: ["a press computes", async (tab) => {
    await clickAndType(tab, kPlate);
    await tab.click("Command7");
    assert.equal(await value(tab, "Text21"), "157");
  }],
  dark: ["a dark ground in the colour of the bar and of a home-screen launch, text 4.5:1", (tab, seen) => {
    const rgb = (hex) => `rgb(${hex.match(/\w\w/g).map((h) => parseInt(h, 16)).join(", ")})`;
    const launch = JSON.parse(fs.readFileSync(path.join(pageDir, "kalvet.webmanifest"), "utf8")).color_scheme_dark;
    assert.deepEqual(faint(seen, 4.5), []);
    assert.ok(luminance(seen.ground) < 0.05, `a dark ground: ${seen.ground}`);
    assert.deepEqual([seen.theme, launch.theme_color, launch.background_color].map(rgb), Array(3).fill(seen.ground));
  }],
  axe: ["axe-core finds nothing", async (tab) => {
    await tab.inject(axeSource);
    assert.deepEqual(await tab.eval((tags) => axe.run(document, { runOnly: { type: "tag", values: tags } })
      .then((r) => r.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(" ")).join(", ")}`)), axeTags), []);
  }],
};
const zoomed = (times) => ({ width: 1280 / times, height: 960 / times, scale: times });
const settings = [
  // The setting, its window, what holds, and whether the reader's spacing is on.
  ["the reader's text spacing", desktop, ["clear"], true],
  ["the reader's text spacing at 1.5 device pixels to the CSS pixel", { ...desktop, scale: 1.5 }, ["clear"], true],
  ["the reader's text spacing in a window 360 px wide", narrow, ["clear", "hand"], true],
  ["200 % zoom", zoomed(2), ["reach"]],
  ["400 % zoom", zoomed(4), ["hand"]],
  ["the page as it comes", desktop, ["focus", "axe"]],
  ["the page as it comes in a window 360 px wide", narrow, ["axe"]],
  ["forced colours", { ...desktop, forcedColors: true }, ["edges", "focus", "press"]],
  ["a dark scheme", { ...desktop, scheme: "dark" }, ["dark", "edges", "focus", "axe"]],
  ["a dark scheme in a window 360 px wide", { ...narrow, scheme: "dark" }, ["dark", "edges", "axe"]],
].map(([setting, window, hold, spaced]) => ({
  name: `under ${setting}: ${hold.map((h) => holds[h][0]).join("; ")}`,
  window,
  // WebKit lays out a zoomed viewport as the others do, though it draws it at one device pixel.
  needs: [window.scale && spaced && "scale", window.forcedColors && "forcedColors"].filter(Boolean),
  async run(tab, engine) {
    await load(tab, pageUrl);
    if (spaced) {
      await tab.eval((css) => document.head.append(Object.assign(document.createElement("style"), { textContent: css })), readerSpacing);
    }
    const seen = await tab.eval(inspect);
    for (const h of hold) await holds[h][1](tab, seen, window);
    await tab.shot(shot(setting.replace(/[^\w%]+/g, "-"), engine));
  },
}));

// The checks, each run in every engine; those marked `starts`, that the page starts and works,
// also in the engines that run only those. `window` is the window it needs (desktop unless said);
// `needs` names what not every engine can do (see each engine's `cannot`); a phone window needs
// touch. run(tab, engine) gets a tab of its own, closed after it.
const checks = [
  {
    name: "every control sits where the layout puts it, with its caption, text and name",
    async run(tab) {
      await load(tab, pageUrl);
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
          fontFamily: s.fontFamily, captionGround: [caption, document.getElementById("Form1")].map((g) => getComputedStyle(g).backgroundColor),
        };
      }));
      assert.deepEqual(shown.map((e) => e.name).sort(), layout.controls.map((c) => c.name).sort(), "one element per control");
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
        // The group box's line stops at its caption, which stands on the window's ground.
        if (c.kind === "frame") assert.equal(e.captionGround[0], e.captionGround[1], `${c.name}'s caption on the window's ground`);
      }
    },
  },
  {
    name: "captions fit their controls and labels never cover a box, list or button",
    async run(tab) {
      await load(tab, pageUrl);
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
      await load(tab, wideFaceUrl);
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
    name: "the lists hold their entries in order, blanks as they stand, with the prompt shown; the first has the focus",
    starts: true,
    async run(tab) {
      await load(tab, pageUrl);
      assert.equal(await focused(tab), expected.tabOrder[0], "the first list has the focus");
      for (const list of layout.controls.filter((c) => c.kind === "list")) {
        const shown = await tab.eval((id) => {
          const e = document.getElementById(id);
          return { entries: [...e.options].map((o) => o.text), selected: e.selectedIndex };
        }, list.name);
        // A browser collapses repeated blanks unless they are no-break spaces.
        assert.deepEqual(shown.entries, list.entries.map((t) => t.replace(/ /g, "\u00a0")), `${list.name} entries`);
        assert.equal(shown.selected, 0, `${list.name} shows the prompt`);
      }
    },
  },
  {
    name: "a mouse click empties the twelve input boxes and no other",
    async run(tab) {
      await load(tab, pageUrl);
      for (const box of boxes) {
        await fill(tab, box.name, "1500");
        await tab.click(box.name);
        assert.equal(await value(tab, box.name), expected.clickEmpties.includes(box.name) ? "" : "1500", `click in ${box.name}`);
      }
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
    starts: true,
    async run(tab) {
      for (const r of expected.roads) {
        await load(tab, pageUrl);
        for (const [box, text] of r.typed) {
          await tab.click(box);
          // What a click leaves in a box is typed over, as a person selects it first.
          if (!expected.clickEmpties.includes(box)) await fill(tab, box, "");
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
    name: "before the program runs, the window is ready with the first list focused, and a press waits for it",
    starts: true,
    async run(tab) {
      await load(tab, heldUrl, `html[${attributes.ready}]`);
      assert.equal(await focused(tab), expected.tabOrder[0], "the first list has the focus");
      await clickAndType(tab, kPlate);
      await tab.click("Command7");
      assert.equal(await value(tab, "Text21"), "", "nothing computes before the program runs");
      await tab.eval(() => startProgram());
      await until(tab, () => document.getElementById("Text21").value === "157", "the press answered");
    },
  },
  {
    name: "a press by keyboard computes as a click does; Enter in a box does nothing",
    async run(tab) {
      await load(tab, pageUrl);
      await clickAndType(tab, kPlate);
      await tab.press("Enter");
      assert.equal(await value(tab, "Text21"), "", "Enter in the group's last box computes nothing");
      assert.equal(await focused(tab), "Text20", "Enter in a box moves nothing");
      await tab.eval(() => document.getElementById("Command7").focus());
      await tab.press("Enter");
      assert.equal(await value(tab, "Text21"), "157");
    },
  },
  {
    name: "a result wider than its box shows its first digits",
    async run(tab, engine) {
      await load(tab, pageUrl);
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
    name: "in a window 360 px wide the controls stand in rows for the hand, and the action key computes",
    window: narrow,
    async run(tab, engine) {
      await load(tab, pageUrl);
      await arrangedForTheHand(tab, narrow);
      const hints = await tab.eval(() => Object.fromEntries([...document.querySelectorAll("input")].map((e) => [e.id, e.getAttribute("enterkeyhint") ?? ""])));
      for (const box of boxes) {
        const hint = !box.actionKey ? "" : byName[box.actionKey].kind === "button" ? "go" : "next";
        assert.equal(hints[box.name], hint, `${box.name}'s action key`);
      }
      // The plate example through the action key alone, once in the group's first box.
      await tab.click("Text17");
      for (const [box, text] of kPlate) {
        assert.equal(await focused(tab), box, `the action key led to ${box}`);
        await tab.type(text);
        await tab.press("Enter");
      }
      assert.equal(await value(tab, "Text21"), "157");
      assert.equal(await focused(tab), "Text20", "the last box keeps the focus");
      assert.ok(await inView(tab, "Text21"), "the result is in view");
      await tab.shot(shot("narrow", engine));
      // In a result box and in the density box the action key does nothing.
      for (const box of ["Text21", "Text12"]) {
        const before = await texts(tab);
        await tab.eval((id) => document.getElementById(id).focus(), box);
        await tab.press("Enter");
        assert.deepEqual(await texts(tab), before, `Enter in ${box} changes nothing`);
        assert.equal(await focused(tab), box, `Enter in ${box} moves nothing`);
      }
    },
  },
  ...[narrow, { ...narrow, touch: true, scale: 3 }].map((window) => ({
    name: `turning ${window.touch ? "a phone" : "a window 360 px wide"} to 640 × 360 and back keeps texts, selection and focus`,
    window,
    async run(tab) {
      await load(tab, pageUrl);
      await choose(tab, "Combo2", byName.Combo2.entries[5]);
      await tab.click("Text18");
      await tab.type("1250");
      const groupsAt = () => tab.eval(() => [...document.querySelectorAll("fieldset")].map((e) => e.getBoundingClientRect().left));
      const before = { texts: await texts(tab), list: await tab.eval(() => document.getElementById("Combo2").selectedIndex) };
      for (const [width, height] of [[640, 360], [360, 640]]) {
        await tab.resize(width, height);
        await tab.eval(() => new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve))));
        assert.deepEqual(await texts(tab), before.texts, `${width}×${height}: the texts stay`);
        assert.equal(await tab.eval(() => document.getElementById("Combo2").selectedIndex), before.list,
                     `${width}×${height}: the selection stays`);
        assert.equal(await focused(tab), "Text18", `${width}×${height}: the focus stays`);
        assert.ok(await inView(tab, "Text18"), `${width}×${height}: the focused box is in view`);
        // Upright the groups stand one under another; on its side the screen has room for more.
        assert.equal(new Set(await groupsAt()).size > 1, width > height, `${width}×${height}: the arrangement`);
      }
    },
  })),
  ...touchScreens.map((screen) => ({
    name: `on a ${screen.width} × ${screen.height} touch screen the controls stand in rows for the hand, and taps compute`,
    window: screen,
    starts: screen.starts,
    async run(tab, engine) {
      await load(tab, pageUrl);
      await arrangedForTheHand(tab, screen);
      for (const [typed, button, result, shown] of [[[["Text9", "10"], ["Text10", "1000"]], "Command5", "Text11", "0.616539"],
                                                   [kPipe, "Command6", "Text16", "29.26094094"]]) {
        for (const [box, text] of typed) {
          await fill(tab, box, "999");
          await tab.tap(box);
          assert.equal(await value(tab, box), "", `a tap empties ${box}`);
          await tab.type(text);
        }
        await tab.tap(button);
        assert.equal(await value(tab, result), shown, button);
        assert.ok(await inView(tab, result), `${result} is in view after the tap`);
      }
      if (screen.shot) {
        await tab.eval(() => scrollTo(0, 0));
        // The whole page where the window is narrower than the screen; else what the screen
        // shows (a whole-page shot loses the emulated touch screen, and with it the arrangement).
        await tab.shot(shot(screen.shot, engine), screen.width < layout.width);
      }
    },
  })),
  {
    name: "from disk the page asks for nothing over the network",
    needs: ["network"],
    async run(tab) {
      const asked = await tab.blockNetwork();
      await load(tab, pageUrl);
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
      const missing = [];
      // The site folder, and the test's copies of the page.
      const server = http.createServer((req, res) => {
        const name = path.basename(new URL(req.url, "http://127.0.0.1").pathname);
        const file = [pageDir, scratch].map((dir) => path.join(dir, name)).find((f) => name && fs.existsSync(f));
        if (!file) {
          missing.push(req.url);
          res.writeHead(404);
          return res.end();
        }
        res.writeHead(200, { "Content-Type": types[path.extname(name)] || "application/octet-stream" });
        fs.createReadStream(file).pipe(res);
      });
      await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
      const url = `http://127.0.0.1:${server.address().port}/kalvet.html`;
      // A private window, or storage the user blocked, refuses the worker: the page works on.
      const refusing = path.basename(pageWith("kalvet-refusing-worker.html", () => {
        navigator.serviceWorker.register = () => Promise.reject(new DOMException("refused", "SecurityError"));
      }));
      try {
        await load(tab, url.replace("kalvet.html", refusing));
        await clickAndType(tab, kPlate);
        await tab.click("Command7");
        assert.equal(await value(tab, "Text21"), "157", "the page works without its worker");
        assert.deepEqual(tab.errors ?? [], [], "a refused worker leaves no uncaught error");
        await load(tab, url);
        assert.deepEqual(await tab.eval(() => [...document.querySelectorAll("link")].map((l) => `${l.rel} ${l.getAttribute("href")}`)),
                         ["manifest kalvet.webmanifest", "icon kalvet.png", "apple-touch-icon kalvet-apple-touch.png"]);
        await tab.eval(() => navigator.serviceWorker.ready.then(() => true));
        await until(tab, () => navigator.serviceWorker.controller !== null, "the service worker to take the page");
        const cached = await tab.eval(async () => (await (await caches.keys()).reduce(async (all, k) =>
          (await all).concat((await (await caches.open(k)).keys()).map((r) => new URL(r.url).pathname)), [])));
        assert.deepEqual(cached.sort(), siteFiles.filter((f) => !["sw.js", "robots.txt"].includes(f)).map((f) => "/" + f).sort(),
                         "the service worker keeps every file of the site");
        assert.deepEqual(missing, [], "the served page asks for nothing that is not there");
        // A home screen that cuts the icon to its own shape keeps the middle circle of 80 %:
        // outside it a maskable icon shows only its opaque ground.
        const manifest = JSON.parse(fs.readFileSync(path.join(pageDir, "kalvet.webmanifest"), "utf8"));
        assert.equal(manifest.id, "kalvet.html");
        assert.equal(manifest.description, "钢材质量计算器: 槽钢、角钢、工字钢按型号，圆钢、钢管、板材按尺寸");
        const maskable = manifest.icons.filter((i) => i.purpose === "maskable");
        assert.deepEqual(maskable.map((i) => i.sizes), ["192x192", "512x512"]);
        for (const icon of maskable) {
          const found = await tab.eval(async (src) => {
            const image = new Image();
            image.src = src;
            await image.decode();
            const n = image.naturalWidth;
            const context = Object.assign(document.createElement("canvas"), { width: n, height: n }).getContext("2d");
            context.drawImage(image, 0, 0);
            const px = context.getImageData(0, 0, n, n).data;
            let outside = 0;
            let drawn = 0;
            for (let y = 0; y < n; ++y) {
              for (let x = 0; x < n; ++x) {
                const i = 4 * (y * n + x);
                const ground = px[i] === px[0] && px[i + 1] === px[1] && px[i + 2] === px[2] && px[i + 3] === 255;
                if (Math.hypot(x + 0.5 - n / 2, y + 0.5 - n / 2) > 0.4 * n) outside += ground ? 0 : 1;
                else drawn += ground ? 0 : 1;
              }
            }
            return { size: `${n}x${n}`, alpha: px[3], outside, drawn: drawn / (n * n) };
          }, icon.src);
          assert.equal(found.size, icon.sizes, `${icon.src} size`);
          assert.equal(found.alpha, 255, `${icon.src} has an opaque ground`);
          assert.equal(found.outside, 0, `${icon.src}: pixels of the drawing outside the safe circle`);
          assert.ok(found.drawn > 0.15, `${icon.src}: the drawing is not lost (${found.drawn} of the square)`);
        }

        server.closeAllConnections();
        await new Promise((resolve) => server.close(resolve));
        // Where WebDriver has no offline switch (WebKit), the closed server is all that is gone.
        await tab.offline?.();
        await load(tab, url);
        await clickAndType(tab, [["Text9", "10"], ["Text10", "1000"]]);
        await tab.click("Command5");
        assert.equal(await value(tab, "Text11"), "0.616539", "the page works offline");
      } finally {
        if (server.listening) server.close();
      }
    },
  },
  {
    name: "with scripts off, a notice says the page cannot compute and no compute button takes a press",
    window: { ...desktop, scripts: false },
    async run(tab) {
      await load(tab, pageUrl, "#Form1");
      await saysItCannotStart(tab, "scripts off");
    },
  },
  {
    name: "without WebAssembly, or with it refused, a notice says so and no compute button takes a press",
    async run(tab) {
      for (const [probe, url] of cannotStart) {
        await load(tab, url, `html[${attributes.failed}]`);
        await saysItCannotStart(tab, probe);
      }
    },
  },
  ...settings,
];

for (const engine of engines) {
  describe(engine.name, () => {
    let session;
    before(async () => {
      session = await engine.start();
    });
    after(() => session?.close());
    for (const check of checks.filter((c) => c.starts || !engine.startsOnly)) {
      const needs = [...(check.needs ?? []), ...(check.window?.touch ? ["touch"] : []),
                     ...(check.window?.scripts === false ? ["scriptsOff"] : [])];
      const lacking = needs.find((n) => engine.cannot[n]);
      test(check.name, { skip: lacking && `${engine.name}: ${engine.cannot[lacking]}` }, async () => {
        const tab = await session.open(check.window ?? desktop);
        try {
          await check.run(tab, engine.name);
          if (tab.refused) assert.deepEqual(await tab.refused(), [], "the security policy refused nothing");
        } finally {
          await tab.close();
        }
      });
    }
  });
}
