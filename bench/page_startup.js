// Time from navigation to the window ready (lists filled, Combo1 focused) in headless chromium,
// against a plain page with a client area of the same size holding one Chinese caption in the
// same fonts (the yardstick the target is set against), and, as information, against the same
// window with no program: the page's own finished markup saved after one load, scripts taken
// out, which the browser only parses, lays out and focuses. That second figure separates what
// the program costs from what 82 controls cost any page. All pages load from disk; runs
// alternate, each in a new tab of one browser, and the medians and ratios are printed.
//
//   node bench/page_startup.js [runs] [page]
//
// runs defaults to 21; page to the web preset's build/web/app/web/kalvet.html (another build of
// the page, to compare one change against the other).
"use strict";

const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");

const root = path.resolve(__dirname, "..");
const { chromium } = require(path.join(root, "tests/app/web/node_modules/playwright-core"));
const runs = Number(process.argv[2] || 21);
const page = process.argv[3] || path.join(root, "build/web/app/web/kalvet.html");

// Ready when its caption has been laid out, as the window is once the focus is set.
const baseline = `<!doctype html>
<html lang="zh-CN"><head><meta charset="utf-8"><title>Kalvet</title></head>
<body style="margin:0;background:#f0f0f0">
<div id="Form1" style="position:relative;width:463px;height:504px;font:14px SimSun,&quot;Songti SC&quot;,STSong,&quot;AR PL UMing CN&quot;,serif"><span>钢材密度取值</span></div>
<script>document.getElementById("Form1").offsetWidth;document.documentElement.setAttribute("data-ready","");performance.mark("kalvet-ready");</script>
</body></html>
`;

function median(values) {
  const s = [...values].sort((a, b) => a - b);
  return s[(s.length - 1) >> 1];
}

(async () => {
  if (!fs.existsSync(page)) throw new Error(`${page} is missing: cmake --workflow --preset web`);
  const work = fs.mkdtempSync(path.join(os.tmpdir(), "kalvet-bench-"));
  const baselineFile = path.join(work, "baseline.html");
  fs.writeFileSync(baselineFile, baseline);
  const context = await chromium.launchPersistentContext(path.join(work, "profile"), {
    executablePath: "/usr/bin/chromium",
    headless: true,
    args: ["--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking",
           "--disable-component-update", "--disable-sync"],
    viewport: { width: 800, height: 600 },
  });
  const times = { kalvet: [], baseline: [], sameControls: [] };
  const one = async (name, file) => {
    const tab = await context.newPage();
    await tab.goto("file://" + file);
    await tab.waitForSelector("html[data-ready]", { state: "attached" });
    times[name].push(await tab.evaluate(() => performance.getEntriesByName("kalvet-ready")[0].startTime));
    await tab.close();
  };
  const sameControlsFile = path.join(work, "same-controls.html");
  try {
    {  // The finished window, saved as markup that readies itself the way the page does.
      const tab = await context.newPage();
      await tab.goto("file://" + page);
      await tab.waitForSelector("html[data-ready]", { state: "attached" });
      const html = await tab.evaluate(() => {
        const copy = document.documentElement.cloneNode(true);
        copy.removeAttribute("data-ready");
        for (const script of copy.querySelectorAll("script")) script.remove();
        return "<!doctype html>\n" + copy.outerHTML;
      });
      await tab.close();
      fs.writeFileSync(sameControlsFile, html.replace("</body>",
        '<script>document.getElementById("Combo1").focus();document.getElementById("Form1").offsetWidth;' +
        'document.documentElement.setAttribute("data-ready","");performance.mark("kalvet-ready");</script></body>'));
    }
    await one("kalvet", page);  // a first load of each, not counted, warms the browser's caches
    await one("baseline", baselineFile);
    await one("sameControls", sameControlsFile);
    times.kalvet.length = times.baseline.length = times.sameControls.length = 0;
    for (let i = 0; i < runs; ++i) {
      await one("kalvet", page);
      await one("baseline", baselineFile);
      await one("sameControls", sameControlsFile);
    }
  } finally {
    await context.close();
    fs.rmSync(work, { recursive: true, force: true });
  }
  const k = median(times.kalvet);
  const b = median(times.baseline);
  const c = median(times.sameControls);
  console.log(`navigation to ready, median of ${runs} alternating runs: Kalvet ${k.toFixed(1)} ms, ` +
              `baseline ${b.toFixed(1)} ms, ratio ${(k / b).toFixed(2)} (target)`);
  console.log(`the same window without the program ${c.toFixed(1)} ms: Kalvet ${(k / c).toFixed(2)} times it, ` +
              `it ${(c / b).toFixed(2)} times the baseline (information)`);
})();
