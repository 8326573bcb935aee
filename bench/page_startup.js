// Time from navigation to the window ready (lists filled, Combo1 focused, the program listening)
// in headless chromium, against the same window without the program: the page's own finished
// markup, saved after one load with its scripts and security policy taken out, which the
// browser only parses, lays out and focuses. That ratio is the program's own cost, and the
// target: at most 1.10, at full speed and with the processor slowed 4 times as on a mid-range
// phone. As information, both against a plain page of the same size holding one Chinese
// caption in the same fonts. All pages load from disk; runs alternate, each in a new tab of one
// browser; the medians of the times and of each round's ratio are printed.
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
    baseline: path.join(work, "baseline.html"),
  };
  fs.writeFileSync(files.baseline, baseline);
  const context = await chromium.launchPersistentContext(path.join(work, "profile"), {
    executablePath: "/usr/bin/chromium",
    headless: true,
    args: ["--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking",
           "--disable-component-update", "--disable-sync"],
    viewport: { width: 800, height: 700 },
  });
  const times = {};
  const one = async (rate, name) => {
    const tab = await context.newPage();
    if (rate !== 1) {
      await (await context.newCDPSession(tab)).send("Emulation.setCPUThrottlingRate", { rate });
    }
    await tab.goto("file://" + files[name]);
    await tab.waitForSelector(`html[${marks.ready}]`, { state: "attached" });
    const t = await tab.evaluate(() => performance.getEntriesByName("kalvet-ready")[0].startTime);
    await tab.close();
    return t;
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
      fs.writeFileSync(files.sameWindow, html.replace("</body>",
        `<script>document.getElementById("Combo1").focus({preventScroll:true});${ready}</script></body>`));
    }
    for (const rate of [1, 4]) {
      const names = Object.keys(files);
      for (const name of names) await one(rate, name);  // a first load of each, not counted
      times[rate] = Object.fromEntries(names.map((name) => [name, []]));
      for (let i = 0; i < runs; ++i) {
        // Forwards and backwards in turn, so that no page always follows the same one.
        for (const name of i % 2 ? [...names].reverse() : names) times[rate][name].push(await one(rate, name));
      }
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
})();
