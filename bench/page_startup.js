// Time from navigation to the window ready (lists filled, Combo1 focused, presses heard) in
// headless chromium, against the same window without the program: the page's own finished
// markup, saved after one load with its scripts and security policy taken out, which the
// browser only parses, lays out and focuses. That ratio is the program's own cost, and the
// target: at most 1.10, at full speed and with the processor slowed 4 times as on a mid-range
// phone. As information, both against a plain page of the same size holding one Chinese
// caption in the same fonts. All pages load from disk; runs alternate, each in a new tab of one
// browser; the medians of the times and of each round's ratio are printed. Two more figures, as
// information, tell what no change to the program's start can win back: the same window holding
// the page's scripts (the WebAssembly among them) as inert text, which the browser only reads
// past; and what any asynchronous compile costs in this browser, from WebAssembly.compile of an
// empty module to its result on a page doing nothing else. A last figure, as information, is
// when the program runs, taking the presses heard since the window was ready.
//
//   node bench/page_startup.js [runs] [page]
//
// runs defaults to 31; page to the web preset's build/web/app/web/kalvet.html (another build of
// the page, to compare one change against the other).
"use strict";

const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");

const root = path.resolve(__dirname, "..");
const { chromium } = require("playwright-core");
const runs = Number(process.argv[2] || 31);
const page = path.resolve(process.argv[3] || path.join(root, "build/web/app/web/kalvet.html"));

// The document element's marks, as the build that wrote the page names them.
const marks = JSON.parse(fs.readFileSync(path.join(path.dirname(page), "kalvet-page.json"), "utf8")).attributes;
const ready = `document.documentElement.setAttribute("${marks.ready}","");performance.mark("kalvet-ready");`;
// Ready when its caption has been laid out, as the window is once the focus is set.
const baseline = `<!doctype html>
<html lang="zh-CN"><head><meta charset="utf-8"><title>Kalvet</title></head>
<body style="margin:0;background:#f0f0f0">
<div id="Form1" style="position:relative;width:463px;height:504px;font:14px SimSun,&quot;Songti SC&quot;,STSong,&quot;AR PL UMing CN&quot;,serif"><span>钢材密度取值</span></div>
<script>document.getElementById("Form1").offsetWidth;${ready}</script>
</body></html>
`;

// Ready when the compile's result has come; the mark's time is how long that took.
const compileFloor = `<!doctype html>
<html lang="zh-CN"><head><meta charset="utf-8"><title>Kalvet</title></head><body><script>
const start = performance.now();
WebAssembly.compile(new Uint8Array([0, 97, 115, 109, 1, 0, 0, 0])).then(() => {
  performance.mark("kalvet-ready", {startTime: performance.now() - start});
  document.documentElement.setAttribute("${marks.ready}", "");
});
</script></body></html>
`;

function median(values) {
  const s = [...values].sort((a, b) => a - b);
  return s[(s.length - 1) >> 1];
}

// The ratio of each round's two loads, which ran one after the other: what the machine was
// doing meanwhile weighs on both alike.
const ratios = (a, b) => a.map((x, i) => x / b[i]);

(async () => {
  if (!fs.existsSync(page)) throw new Error(`${page} is missing: cmake --workflow --preset web`);
  const work = fs.mkdtempSync(path.join(os.tmpdir(), "kalvet-bench-"));
  const files = {
    kalvet: page,
    sameWindow: path.join(work, "same-window.html"),
    inertScripts: path.join(work, "inert-scripts.html"),
    baseline: path.join(work, "baseline.html"),
  };
  fs.writeFileSync(files.baseline, baseline);
  const floorFile = path.join(work, "compile-floor.html");
  fs.writeFileSync(floorFile, compileFloor);
  const floor = {};
  const context = await chromium.launchPersistentContext(path.join(work, "profile"), {
    executablePath: "/usr/bin/chromium",
    headless: true,
    args: ["--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking",
           "--disable-component-update", "--disable-sync"],
    viewport: { width: 800, height: 700 },
  });
  const times = {};
  const started = {};
  const one = async (rate, file) => {
    const tab = await context.newPage();
    if (rate !== 1) {
      await (await context.newCDPSession(tab)).send("Emulation.setCPUThrottlingRate", { rate });
    }
    await tab.goto("file://" + file);
    await tab.waitForSelector(`html[${marks.ready}]`, { state: "attached" });
    if (file === page) await tab.waitForFunction(() => performance.getEntriesByName("kalvet-started").length);
    const t = await tab.evaluate(() => ["kalvet-ready", "kalvet-started"].map((name) =>
      (performance.getEntriesByName(name)[0] || {}).startTime));
    await tab.close();
    if (file === page) (started[rate] ||= []).push(t[1]);
    return t[0];
  };
  try {
    {  // The finished window, saved as markup that readies itself the way the page does.
      const tab = await context.newPage();
      await tab.goto("file://" + page);
      await tab.waitForSelector(`html[${marks.ready}]`, { state: "attached" });
      const html = await tab.evaluate((marks) => {
        const copy = document.documentElement.cloneNode(true);
        copy.removeAttribute(marks.ready);
        copy.removeAttribute(marks.captionsFitted);
        for (const e of copy.querySelectorAll("script, meta[http-equiv]")) e.remove();
        return "<!doctype html>\n" + copy.outerHTML;
      }, marks);
      await tab.close();
      const readies = `<script>document.getElementById("Combo1").focus({preventScroll:true});${ready}</script>`;
      fs.writeFileSync(files.sameWindow, html.replace("</body>", `${readies}</body>`));
      // The page's scripts where the page has them: the loader ending its head, the others
      // after the window, where the same window readies itself.
      const [loader, ...program] = [...fs.readFileSync(page, "utf8").matchAll(/<script>([\s\S]*?)<\/script>/g)]
        .map((m) => `<script type="text/plain">${m[1]}</script>`);
      fs.writeFileSync(files.inertScripts, html.replace("</head>", () => `${loader}</head>`)
        .replace("</body>", () => `${readies}${program.join("")}</body>`));
    }
    for (const rate of [1, 4]) {
      const names = Object.keys(files);
      for (const name of names) await one(rate, files[name]);  // a first load of each, not counted
      started[rate] = [];
      times[rate] = Object.fromEntries(names.map((name) => [name, []]));
      for (let i = 0; i < runs; ++i) {
        // Forwards and backwards in turn, so that no page always follows the same one.
        for (const name of i % 2 ? [...names].reverse() : names) times[rate][name].push(await one(rate, files[name]));
      }
      floor[rate] = [];
      for (let i = 0; i < runs; ++i) floor[rate].push(await one(rate, floorFile));
    }
  } finally {
    await context.close();
    fs.rmSync(work, { recursive: true, force: true });
  }
  console.log(`navigation to ready, medians of ${runs} alternating runs:`);
  for (const rate of [1, 4]) {
    const k = median(times[rate].kalvet);
    const w = median(times[rate].sameWindow);
    const b = median(times[rate].baseline);
    const r = median(ratios(times[rate].kalvet, times[rate].sameWindow));
    console.log(`  processor ${rate === 1 ? "at full speed" : `slowed ${rate}×`}: Kalvet ${k.toFixed(1)} ms, ` +
                `the same window without the program ${w.toFixed(1)} ms, ratio ${r.toFixed(2)} (target 1.10); ` +
                `one caption ${b.toFixed(1)} ms, Kalvet ${median(ratios(times[rate].kalvet, times[rate].baseline)).toFixed(2)} ` +
                `times it (information)`);
  }
  for (const rate of [1, 4]) {
    const w = median(times[rate].sameWindow);
    console.log(`  ${rate === 1 ? "at full speed" : `slowed ${rate}×`} (information): the program running ` +
                `${median(started[rate]).toFixed(1)} ms, ` +
                `${median(ratios(started[rate], times[rate].sameWindow)).toFixed(2)} times the same window; ` +
                `the same window holding the ` +
                `page's scripts, not run, ${median(times[rate].inertScripts).toFixed(1)} ms, ` +
                `${median(ratios(times[rate].inertScripts, times[rate].sameWindow)).toFixed(2)} times it without them; ` +
                `an empty module's asynchronous compile ${median(floor[rate]).toFixed(1)} ms from the call to its ` +
                `result, ${(median(floor[rate]) / w).toFixed(2)} of the same window's time`);
  }
})();
