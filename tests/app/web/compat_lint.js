// Nothing in the page needs a browser newer than the oldest it names: the browserslist in the
// project's package.json, which the notice above the window names as well. The page's script is
// what the built kalvet.html runs (its inline scripts: the loader, the call that makes the
// window ready, and the program's script, emscripten's runtime with page.cpp's calls) and the
// service worker it starts when served; its style sheet is the page's <style>s. Both are checked
// against MDN's compatibility data: the script with eslint-plugin-compat, its syntax by parsing
// it as ECMAScript 2021, the style sheet with stylelint-browser-compat.
"use strict";

const { test } = require("node:test");
const assert = require("node:assert/strict");
const fs = require("node:fs");
const path = require("node:path");
const browserslist = require("browserslist");
const { ESLint } = require("eslint");
const compat = require("eslint-plugin-compat");

const root = path.resolve(__dirname, "../../..");
const pageDir = process.env.KALVET_PAGE_DIR;
const html = fs.readFileSync(path.join(pageDir, "kalvet.html"), "utf8");
const query = browserslist.loadConfig({ path: root });
const inline = (tag) => [...html.matchAll(new RegExp(`<${tag}>([\\s\\S]*?)</${tag}>`, "g"))].map((m) => m[1]);

test("the page's script needs nothing newer", async () => {
  const scripts = Object.fromEntries(inline("script").map((text, i) => [`the page's script ${i + 1}`, text]));
  scripts["sw.js"] = fs.readFileSync(path.join(pageDir, "sw.js"), "utf8");
  const eslint = new ESLint({ cwd: root, overrideConfigFile: true, overrideConfig: [{
    // The newest edition whose syntax all of them parse: Safari 16.0 lacks ES2022's static blocks.
    languageOptions: { ecmaVersion: 2021, sourceType: "script" },
    plugins: { compat },
    // Inside an `if` too, which the plugin otherwise takes for a feature test.
    settings: { browsers: query, lintAllEsApis: true, ignoreConditionalChecks: true },
    rules: { "compat/compat": "error" },
  }] });
  const found = [];
  for (const [name, text] of Object.entries(scripts)) {
    const [result] = await eslint.lintText(text, { filePath: path.join(root, "page.js") });
    found.push(...result.messages.map((m) => `${name} ${m.line}:${m.column}: ${m.message}`));
  }
  assert.deepEqual(found, []);
});

test("the page's style sheet needs nothing newer", async () => {
  const { default: stylelint } = await import("stylelint");
  const { results: [sheet] } = await stylelint.lint({
    code: inline("style").join("\n"),
    configBasedir: root,
    config: {
      plugins: ["stylelint-browser-compat"],
      rules: { "plugin/browser-compat": [true, { browserslist: query, allow: { features: [
        // A reader's taller lines spread above a label's text as much as below it; an engine
        // without the unit drops that one declaration, and such a line grows downwards only.
        "types.length.lh",
        // Before Safari 16.4 an outline does not follow rounded corners; the focus mark is there.
        "properties.outline",
      ] } }] },
    },
  });
  assert.deepEqual(sheet.warnings.map((w) => `${w.line}:${w.column}: ${w.text}`), []);
});

test("the notice names the oldest browsers the page is held to", () => {
  const oldest = {};
  for (const [name, version] of browserslist(query).map((b) => b.split(" "))) {
    oldest[name] = Math.min(oldest[name] ?? Infinity, parseFloat(version));
  }
  const notice = /<p id="notice"[^>]*>([^<]*)/.exec(html)[1];
  for (const [name, shown] of [["safari", "Safari"], ["chrome", "Chrome"], ["firefox", "Firefox"]]) {
    assert.match(notice, new RegExp(`${shown} ${oldest[name]}(?![\\d.])`));
  }
});
