// Puts the page together once the program is linked: the page write_page wrote (the window's
// markup and style sheet), the description the web app manifest gives, the loader with the
// WebAssembly embedded in it and the program's script where the page marks their places, and
// the security policy's hashes of every inline script. One file, working from disk with no
// server.
//
//   node assemble_page.js <page.json> <loader.js> <program.js> <factory> <program.wasm>
//                         <kalvet.webmanifest> <links> <out.html> [<comment.html>]
//
// page.json is write_page's: the page, its marks and the document element's attributes.
// program.js is emscripten's runtime, which defines the function `factory` that starts the
// program with a Module; the program's script hands it to the loader, which calls it once the
// WebAssembly is compiled. links is JSON, the [rel, file] pairs a served page links from its
// head.
"use strict";

const crypto = require("node:crypto");
const fs = require("node:fs");

const [pageFile, loaderFile, glueFile, factory, wasmFile, manifestFile, links, out, commentFile] = process.argv.slice(2);
const { page, marks, attributes } = JSON.parse(fs.readFileSync(pageFile, "utf8"));
// Every function of the runtime runs as the program starts: the comment asks V8 (Chrome 136 and
// later) to compile them at once rather than parse them twice, first lazily and then in full.
const glue = `//# allFunctionsCalledOnLoad\n${fs.readFileSync(glueFile, "utf8").trim()}\nModule.start(${factory});`;
const wasm = fs.readFileSync(wasmFile).toString("base64");

// The loader as it is read: comments and indentation are for its readers, not the browser's.
const loaderText = fs.readFileSync(loaderFile, "utf8").split("\n").map((line) => line.trim())
  .filter((line) => line && !line.startsWith("//")).join("\n");
const loader = `var Module=${loaderText}(${JSON.stringify(wasm)},${links},${JSON.stringify(attributes)});`;

for (const [name, script] of [["loader", loader], ["program", glue]]) {
  if (/<\/script/i.test(script)) throw new Error(`the ${name} script holds "</script"`);
}
const put = (text, mark, script) => {
  const done = text.replace(mark, () => `<script>${script}</script>`);
  if (done === text) throw new Error(`the page has no ${mark}`);
  return done;
};
// What search engines show under the page's title: the manifest's own words.
const escaped = JSON.parse(fs.readFileSync(manifestFile, "utf8")).description
  .replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;").replace(/"/g, "&quot;");
const described = page.replace("<title>", () => `<meta name="description" content="${escaped}">\n<title>`);
if (described === page) throw new Error("the page has no <title> to describe");
const html = put(put(described, marks.loader, loader), marks.program, glue);

const hashes = [...html.matchAll(/<script>([\s\S]*?)<\/script>/g)].map((m) =>
  `'sha256-${crypto.createHash("sha256").update(m[1], "utf8").digest("base64")}'`);
const hashed = html.replace(marks.scriptHashes, () => hashes.join(" "));
if (hashed === html) throw new Error("the page has no security policy to complete");
// The licence comment goes right after the doctype, which must stay first.
const comment = commentFile ? fs.readFileSync(commentFile, "utf8").trimEnd() + "\n" : "";
const doctype = /^<!doctype html>\n/i.exec(hashed);
if (comment && !doctype) throw new Error("the page does not begin with its doctype");
fs.writeFileSync(out, comment ? doctype[0] + comment + hashed.slice(doctype[0].length) : hashed);
