// The page as a person uses it, in Debian's chromium (headless): what it shows against the
// layout tables, focus and Tab, clicks and taps, every group's worked example typed on the
// keyboard, a phone's viewport, the page from disk with the network blocked, and the page
// served over http that keeps working offline.
"use strict";

const { test, before, after } = require("node:test");
const assert = require("node:assert/strict");
const { execFileSync } = require("node:child_process");
const fs = require("node:fs");
const http = require("node:http");
const os = require("node:os");
const path = require("node:path");

let chromium;
try {
  ({ chromium } = require("playwright-core"));
} catch {
  throw new Error("playwright-core is missing: run scripts/install-deps.sh (npm ci in tests/app/web)");
}

const pageDir = process.env.KALVET_PAGE_DIR;
const shots = process.env.KALVET_SHOTS;
const pageFile = path.join(pageDir, "kalvet.html");
const pageUrl = "file://" + pageFile;
const layout = JSON.parse(execFileSync("node", ["--no-experimental-fetch", process.env.KALVET_LAYOUT_DUMP]));
const byName = Object.fromEntries(layout.controls.map((c) => [c.name, c]));
const boxes = layout.controls.filter((c) => c.kind === "box");

const profiles = [];
// A browser with a profile of its own, gone when the tests end. Without the background-network
// switches chromium keeps trying to reach its services. Every page in it notes what its security
// policy refuses.
async function open(options = {}) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "kalvet-chromium-"));
  profiles.push(profile);
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: "/usr/bin/chromium",
    headless: true,
    args: ["--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking",
           "--disable-component-update", "--disable-sync"],
    viewport: { width: 800, height: 700 },
    ...options,
  });
  await context.addInitScript(() => {
    window.refused = [];
    document.addEventListener("securitypolicyviolation",
                              (e) => window.refused.push(`${e.violatedDirective} ${e.blockedURI}`));
  });
  return context;
}

function refused(page) { return page.evaluate(() => window.refused); }

// Loads the page until its window is ready and its captions are fitted to the face in use.
async function load(page, url = pageUrl) {
  await page.goto(url);
  await page.waitForSelector("html[data-ready][data-captions]", { state: "attached", timeout: 15000 });
  assert.deepEqual(await refused(page), [], "the page's security policy refused nothing");
}

// Every box's text, by control name.
function texts(page) {
  return page.evaluate(() =>
    Object.fromEntries([...document.querySelectorAll("input")].map((e) => [e.id, e.value])));
}

// Picks a list entry with the arrow keys, as a keyboard user does.
// Clicks into each box (emptying it, as a user does) and types its text on the keyboard.
async function clickAndType(page, typed) {
  for (const [box, text] of typed) {
    await page.click("#" + box);
    await page.keyboard.type(text);
  }
}

const kPlate = [["Text17", "2000"], ["Text18", "1000"], ["Text20", "10"]];

async function choose(page, list, entry) {
  const index = byName[list].entries.indexOf(entry);
  assert.ok(index > 0, `${entry} is an entry of ${list}`);
  await page.focus("#" + list);
  for (let i = 0; i < index; ++i) await page.keyboard.press("ArrowDown");
  assert.equal(await page.$eval("#" + list, (e) => e.selectedIndex), index, `${list} shows ${entry}`);
}

let context;
let page;
before(async () => {
  context = await open();
  page = await context.newPage();
});
after(async () => {
  await context?.close();
  for (const p of profiles) fs.rmSync(p, { recursive: true, force: true });
});

test("every control sits where the layout puts it, with its caption, text and name", async () => {
  await load(page);
  assert.equal(await page.title(), layout.caption);
  assert.equal(await page.$eval("html", (e) => e.lang), "zh-CN");
  const area = await page.$eval("#Form1", (e) => {
    const r = e.getBoundingClientRect();
    return { left: r.left, top: r.top, width: r.width, height: r.height };
  });
  assert.deepEqual([area.width, area.height], [layout.width, layout.height], "client area size");

  const shown = await page.evaluate(() => [...document.querySelectorAll("#Form1 [id]")].map((e) => {
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
});

test("captions fit their controls and labels never cover a box, list or button", async () => {
  await load(page);
  const problems = await page.evaluate(() => {
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
});

test("in a wider face a caption that does not fit shrinks until it fits, never below 9 px", async () => {
  // The page measures captions with a canvas; here every measurement comes out 1.6 times as
  // wide, as in a face wider than the Song face the window is drawn for.
  const wide = await context.newPage();
  try {
    await wide.addInitScript(() => {
      const measure = CanvasRenderingContext2D.prototype.measureText;
      window.realMeasure = (context, text) => measure.call(context, text).width;
      CanvasRenderingContext2D.prototype.measureText = function (text) {
        return { width: measure.call(this, text).width * 1.6 };
      };
    });
    await load(wide);
    const captions = layout.controls.filter((c) => ["label", "button", "frame"].includes(c.kind));
    const found = await wide.evaluate((controls) => {
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
  } finally {
    await wide.close();
  }
});

test("the lists hold their entries in order, blanks as they stand, with the prompt shown", async () => {
  await load(page);
  for (const list of layout.controls.filter((c) => c.kind === "list")) {
    const shown = await page.$eval("#" + list.name, (e) => ({
      entries: [...e.options].map((o) => o.text), selected: e.selectedIndex,
    }));
    // A browser collapses repeated blanks unless they are no-break spaces.
    assert.deepEqual(shown.entries, list.entries.map((t) => t.replace(/ /g, "\u00a0")), `${list.name} entries`);
    assert.equal(shown.selected, 0, `${list.name} shows the prompt`);
  }
  assert.deepEqual(layout.controls.filter((c) => c.kind === "list").map((c) => c.entries.length),
                   [42, 83, 66, 46], "entry counts");
});

test("Combo1 has the focus at load and Tab visits the Tab order, emptying nothing", async () => {
  await load(page);
  const before = await texts(page);
  const visited = [await page.evaluate(() => document.activeElement.id)];
  for (let i = 1; i < layout.tabOrder.length; ++i) {
    await page.keyboard.press("Tab");
    visited.push(await page.evaluate(() => document.activeElement.id));
  }
  assert.deepEqual(visited, layout.tabOrder);
  assert.deepEqual(await texts(page), before, "entering a box with Tab empties nothing");
});

test("a mouse click empties the twelve input boxes and no other", async () => {
  await load(page);
  for (const box of boxes) {
    await page.fill("#" + box.name, "1500");
    await page.click("#" + box.name);
    const after = await page.$eval("#" + box.name, (e) => e.value);
    assert.equal(after, box.clickEmpties ? "" : "1500", `click in ${box.name}`);
  }
  assert.equal(boxes.filter((b) => b.clickEmpties).length, 12);
  // Only the primary button empties a box: a right click opens the browser's menu on it.
  await page.fill("#Text1", "1500");
  await page.click("#Text1", { button: "right" });
  assert.equal(await page.$eval("#Text1", (e) => e.value), "1500", "a right click empties nothing");
  await page.keyboard.press("Escape");
  // What is typed after the click goes into the emptied box.
  await page.click("#Text1");
  await page.keyboard.type("2500");
  assert.equal(await page.$eval("#Text1", (e) => e.value), "2500");
});

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
  { probe: "plate", typed: [["Text17", "2000"], ["Text18", "1000"], ["Text20", "10"]], button: "Command7", result: "Text21", shown: "157" },
  { probe: "plate, width left empty", typed: [["Text17", "2000"], ["Text20", "10"]], button: "Command7", result: "Text21", shown: "数据错误" },
];

test("the worked examples of all seven groups, typed on the keyboard", async () => {
  for (const r of roads) {
    await load(page);
    for (const [box, text] of r.typed) {
      await page.click("#" + box);
      await page.keyboard.type(text);
      assert.equal(await page.$eval("#" + box, (e) => e.value), text, `${r.probe}: ${box} typed`);
    }
    if (r.list) await choose(page, ...r.list);
    const before = await texts(page);
    await page.click("#" + r.button);
    const after = await texts(page);
    assert.equal(after[r.result], r.shown, r.probe);
    delete before[r.result];
    delete after[r.result];
    assert.deepEqual(after, before, `${r.probe}: the press changed only ${r.result}`);
  }
});

test("a press by keyboard computes as a click does; Enter in a box does nothing", async () => {
  await load(page);
  await clickAndType(page, kPlate);
  await page.keyboard.press("Enter");
  assert.equal(await page.$eval("#Text21", (e) => e.value), "", "Enter in the last box computes nothing");
  assert.equal(await page.evaluate(() => document.activeElement.id), "Text20", "Enter in a box moves nothing");
  await page.focus("#Command7");
  await page.keyboard.press("Enter");
  assert.equal(await page.$eval("#Text21", (e) => e.value), "157");
});

test("a changed density changes the dimension groups' next results and no section result", async () => {
  await load(page);
  await choose(page, "Combo1", "5  50×37×4.5");
  await page.click("#Text1");
  await page.keyboard.type("1500");
  for (const [box, text] of [["Text9", "10"], ["Text10", "1000"], ["Text17", "2000"], ["Text18", "1000"], ["Text20", "10"]]) {
    await page.click("#" + box);
    await page.keyboard.type(text);
  }
  // A click in the density box keeps its text; the new density is typed after it.
  await page.click("#Text12");
  assert.equal(await page.$eval("#Text12", (e) => e.value), "7.85");
  await page.fill("#Text12", "");
  await page.keyboard.type("８");
  for (const b of ["Command1", "Command5", "Command7"]) await page.click("#" + b);
  const t = await texts(page);
  assert.equal(t.Text2, "8.157", "the channel result ignores the density");
  assert.equal(t.Text11, "0.62832", "round bar at 8 g/cm3");
  assert.equal(t.Text21, "160", "plate at 8 g/cm3");
});

test("a result wider than its box shows its first digits", async () => {
  await load(page);
  await clickAndType(page, [["Text13", "60"], ["Text14", "3.5"], ["Text15", "6000"]]);
  await page.click("#Command6");
  const r = await page.$eval("#Text16", (e) => ({ value: e.value, scrollLeft: e.scrollLeft,
                                                  overflows: e.scrollWidth > e.clientWidth }));
  assert.equal(r.value, "29.26094094");
  assert.ok(r.overflows, "the result is wider than its box");
  assert.equal(r.scrollLeft, 0, "the box shows the result from its first digit");
  assert.equal(await page.evaluate(() => document.activeElement.id), "Command6",
               "writing the result leaves the focus on the button");
  await page.locator("#Form1").screenshot({ path: path.join(shots, "kalvet-web-desktop.png") });
});

// Phones upright and on their side, and a tablet; touch screens at device scale 2 to 3.
const touchScreens = [
  { width: 320, height: 568, scale: 2, upright: true },
  { width: 360, height: 640, scale: 3, upright: true, shot: "kalvet-web-phone.png" },
  { width: 390, height: 844, scale: 3, upright: true },
  { width: 640, height: 360, scale: 3 },
  { width: 768, height: 1024, scale: 2, shot: "kalvet-web-tablet.png" },
];
const touch = (screen) => ({ viewport: { width: screen.width, height: screen.height },
                              deviceScaleFactor: screen.scale, isMobile: true, hasTouch: true });
// The group boxes in the order the Tab key reaches them.
const groups = [...new Set(layout.tabOrder.map((name) => byName[name].frame))];
const kPipe = [["Text13", "60"], ["Text14", "3.5"], ["Text15", "6000"]];

// Every control's rectangle in the page (scrolled or not), its caption's size and weight, what a
// tap at its centre reaches once it is scrolled into view, and whether the page scrolls sideways.
function measure(page) {
  return page.evaluate(() => {
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
    return { rects, missed, scrollWidth: document.documentElement.scrollWidth };
  });
}

function inView(page, name) {
  return page.$eval("#" + name, (e) => {
    const r = e.getBoundingClientRect();
    return r.top >= 0 && r.left >= 0 && r.bottom <= innerHeight && r.right <= innerWidth;
  });
}

test("on touch screens the same controls stand in rows a fingertip can use, and taps compute", async () => {
  for (const screen of touchScreens) {
    const where = `${screen.width}×${screen.height}`;
    const phone = await open(touch(screen));
    try {
      const p = await phone.newPage();
      await load(p);
      const { rects, missed, scrollWidth } = await measure(p);
      assert.ok(scrollWidth <= screen.width, `${where}: no sideways scrolling (${scrollWidth})`);
      assert.deepEqual(missed, [], `${where}: a tap at the centre of each control reaches it`);
      const overlap = (a, b) => Math.min(a.right, b.right) - Math.max(a.left, b.left) > 0.5 &&
                                Math.min(a.bottom, b.bottom) - Math.max(a.top, b.top) > 0.5;
      for (const c of layout.controls) {
        const r = rects[c.name];
        if (c.kind === "frame") {
          assert.ok(r.size >= 16 && r.weight >= 700, `${where}: ${c.name} caption ${r.size}px, ${r.weight}`);
          continue;
        }
        const f = rects[c.frame];
        assert.ok(r.left >= f.left && r.right <= f.right && r.top >= f.top && r.bottom <= f.bottom,
                  `${where}: ${c.name} inside ${c.frame}`);
        if (c.kind === "label") {
          assert.ok(r.size >= 14, `${where}: ${c.name} text ${r.size}px`);
        } else {
          assert.ok(r.width >= 44 && r.height >= 44 && r.size >= 16,
                    `${where}: ${c.name} is ${r.width}×${r.height} with ${r.size}px text`);
        }
        if (c.rowLabel) {
          const l = rects[c.rowLabel];
          assert.ok(l.right <= r.left && l.bottom > r.top && l.top < r.bottom,
                    `${where}: ${c.rowLabel} stands beside ${c.name}`);
        }
        for (const d of layout.controls) {
          if (d === c || d.kind === "frame") continue;
          assert.ok(!overlap(r, rects[d.name]), `${where}: ${c.name} and ${d.name} overlap`);
          // Whatever stands above another control of its group in the window stays above it.
          if (d.frame === c.frame && d.kind !== "label" && c.kind !== "label" && c.top < d.top) {
            assert.ok(r.bottom <= rects[d.name].top, `${where}: ${c.name} stays above ${d.name}`);
          }
        }
      }
      // Forward (Tab, a screen reader's next) goes down the page: one column upright, or as
      // many as fit, each reading down.
      for (let i = 1; i < groups.length; ++i) {
        const [a, b] = [rects[groups[i - 1]], rects[groups[i]]];
        assert.ok(!overlap(a, b), `${where}: ${groups[i - 1]} and ${groups[i]} overlap`);
        assert.ok(b.top >= a.bottom || (!screen.upright && b.left >= a.right),
                  `${where}: ${groups[i]} comes after ${groups[i - 1]}`);
        if (screen.upright) assert.ok(b.width >= screen.width - 32, `${where}: ${groups[i]} spans the width`);
      }

      for (const [typed, button, result, shown] of [[[["Text9", "10"], ["Text10", "1000"]], "Command5", "Text11", "0.616539"],
                                                   [kPipe, "Command6", "Text16", "29.26094094"]]) {
        for (const [box, text] of typed) {
          await p.fill("#" + box, "999");
          await p.tap("#" + box);
          assert.equal(await p.$eval("#" + box, (e) => e.value), "", `${where}: a tap empties ${box}`);
          await p.keyboard.type(text);
        }
        await p.tap("#" + button);
        assert.equal(await p.$eval("#" + result, (e) => e.value), shown, `${where}: ${button}`);
        assert.ok(await inView(p, result), `${where}: ${result} is in view after the tap`);
      }
      if (screen.shot) {
        await p.evaluate(() => scrollTo(0, 0));
        await p.screenshot({ path: path.join(shots, screen.shot), fullPage: screen.upright });
      }
    } finally {
      await phone.close();
    }
  }
});

test("the keyboard's action key walks a group's boxes and computes; turning the phone keeps everything", async () => {
  const phone = await open(touch(touchScreens[1]));
  try {
    const p = await phone.newPage();
    await load(p);
    const hints = await p.$$eval("#Form1 input", (all) => Object.fromEntries(all.map((e) => [e.id, e.enterKeyHint])));
    for (const box of boxes) {
      const hint = !box.actionKey ? "" : byName[box.actionKey].kind === "button" ? "go" : "next";
      assert.equal(hints[box.name], hint, `${box.name}'s action key`);
    }
    // The plate example through the action key alone.
    await p.tap("#Text17");
    for (const [box, text] of kPlate) {
      assert.equal(await p.evaluate(() => document.activeElement.id), box, `the action key led to ${box}`);
      await p.keyboard.type(text);
      await p.keyboard.press("Enter");
    }
    assert.equal(await p.$eval("#Text21", (e) => e.value), "157");
    assert.equal(await p.evaluate(() => document.activeElement.id), "Text20", "the last box keeps the focus");
    assert.ok(await inView(p, "Text21"), "the result is in view");
    // In a result box and in the density box the action key does nothing.
    for (const box of ["Text21", "Text12"]) {
      const before = await texts(p);
      await p.focus("#" + box);
      await p.keyboard.press("Enter");
      assert.deepEqual(await texts(p), before, `Enter in ${box} changes nothing`);
      assert.equal(await p.evaluate(() => document.activeElement.id), box, `Enter in ${box} moves nothing`);
    }

    await p.selectOption("#Combo2", { index: 5 });
    await p.tap("#Text18");
    await p.keyboard.type("1250");
    const before = { texts: await texts(p), list: await p.$eval("#Combo2", (e) => e.selectedIndex) };
    for (const [width, height] of [[640, 360], [360, 640]]) {
      await p.setViewportSize({ width, height });
      await p.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve))));
      assert.deepEqual(await texts(p), before.texts, `${width}×${height}: the texts stay`);
      assert.equal(await p.$eval("#Combo2", (e) => e.selectedIndex), before.list, `${width}×${height}: the selection stays`);
      assert.equal(await p.evaluate(() => document.activeElement.id), "Text18", `${width}×${height}: the focus stays`);
      assert.ok(await inView(p, "Text18"), `${width}×${height}: the focused box is in view`);
      const columns = await p.$$eval("fieldset", (all) => new Set(all.map((e) => e.getBoundingClientRect().left)).size);
      assert.equal(columns, width > height ? 2 : 1, `${width}×${height}: columns of group boxes`);
    }
    assert.deepEqual(await refused(p), []);
  } finally {
    await phone.close();
  }
});

test("from disk the page asks for nothing over the network", async () => {
  const offline = await open();
  try {
    const asked = [];
    await offline.route("**/*", (route) => {
      const url = route.request().url();
      if (url.startsWith("file:") || url.startsWith("data:")) return route.continue();
      asked.push(url);
      return route.abort();
    });
    const p = await offline.newPage();
    const errors = [];
    p.on("pageerror", (e) => errors.push(e.message));
    await load(p);
    await clickAndType(p, kPlate);
    await p.click("#Command7");
    assert.equal(await p.$eval("#Text21", (e) => e.value), "157");
    assert.deepEqual(asked, [], "requests beyond the file");
    assert.deepEqual(errors, []);
    assert.equal(await p.evaluate(() => navigator.serviceWorker?.controller ?? null), null,
                 "no service worker from disk");
  } finally {
    await offline.close();
  }
});

test("served over http, the service worker keeps the page working offline", async () => {
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
  const web = await open();
  try {
    const p = await web.newPage();
    await load(p, url);
    assert.equal(await p.$eval('link[rel="manifest"]', (e) => e.getAttribute("href")), "kalvet.webmanifest");
    await p.evaluate(() => navigator.serviceWorker.ready);
    await p.waitForFunction(() => navigator.serviceWorker.controller !== null);
    const cached = await p.evaluate(async () => (await (await caches.keys()).reduce(async (all, k) =>
      (await all).concat((await (await caches.open(k)).keys()).map((r) => new URL(r.url).pathname)), [])));
    assert.deepEqual(cached.sort(), ["/kalvet-192.png", "/kalvet-512.png", "/kalvet-maskable-192.png",
                                     "/kalvet-maskable-512.png", "/kalvet.html", "/kalvet.png", "/kalvet.webmanifest"]);
    // A home screen that cuts the icon to its own shape keeps the middle circle of 80 %: outside
    // it a maskable icon shows only its opaque ground.
    const manifest = JSON.parse(fs.readFileSync(path.join(pageDir, "kalvet.webmanifest"), "utf8"));
    assert.equal(manifest.id, "kalvet.html");
    assert.equal(manifest.description, "钢材质量计算器: 槽钢、角钢、工字钢按型号，圆钢、钢管、板材按尺寸");
    const maskable = manifest.icons.filter((i) => i.purpose === "maskable");
    assert.deepEqual(maskable.map((i) => i.sizes), ["192x192", "512x512"]);
    for (const icon of maskable) {
      const found = await p.evaluate(async (src) => {
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
    await web.setOffline(true);
    await load(p, url);
    await p.click("#Text9");
    await p.keyboard.type("10");
    await p.click("#Text10");
    await p.keyboard.type("1000");
    await p.click("#Command5");
    assert.equal(await p.$eval("#Text11", (e) => e.value), "0.616539", "the page works offline");
    assert.deepEqual(await refused(p), [], "the security policy refused nothing the page asked for");
  } finally {
    await web.close();
    if (server.listening) server.close();
  }
});
