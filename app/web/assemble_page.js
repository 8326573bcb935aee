// Puts the page together once the program is linked: the page write_page wrote (the window's
// markup and style sheet), the description the web app manifest gives, the page's three scripts
// where the page marks their places (the loader in the head; after the window, the call that
// makes the window ready, then the program's script with the WebAssembly embedded in it), and
// the security policy's hashes of every inline script. One file, working from disk with no
// server.
//
//   node assemble_page.js <page.json> <loader.js> <program.js> <factory> <program.wasm>
//                         <kalvet.webmanifest> <links> <out.html> [<comment.html>]
//
// page.json is write_page's: the page, its marks and the document element's attributes.
// program.js is emscripten's runtime, which defines the function `factory` that starts the
// program with a Module; the program's script hands it and the WebAssembly to the loader, which
// compiles the one and then calls the other. The WebAssembly goes in compressed, with
// inflate.js, which lies beside this script, to give it back. links is JSON, the [rel, file]
// pairs a served page links from its head.
"use strict";

const crypto = require("node:crypto");
const fs = require("node:fs");
const path = require("node:path");
const vm = require("node:vm");
const zlib = require("node:zlib");

const [pageFile, loaderFile, glueFile, factory, wasmFile, manifestFile, links, out, commentFile] = process.argv.slice(2);
const { page, marks, attributes } = JSON.parse(fs.readFileSync(pageFile, "utf8"));
// Every function of the runtime runs as the program starts: the comment asks V8 (Chrome 136 and
// later) to compile them at once rather than parse them twice, first lazily and then in full.
// The page's own scripts as they are read: comments and indentation are for their readers, not
// the browser's.
const scriptText = (file) => fs.readFileSync(file, "utf8").split("\n").map((line) => line.trim())
  .filter((line) => line && !line.startsWith("//")).join("\n");
const wasm = fs.readFileSync(wasmFile);
const packed = zlib.deflateRawSync(wasm, { level: 9, memLevel: 9 });
const inflateText = scriptText(path.join(__dirname, "inflate.js"));
const inflate = vm.runInNewContext(`${inflateText}\ninflate`);
if (!Buffer.from(inflate(new Uint8Array(packed), wasm.length)).equals(wasm)) {
  throw new Error("inflate.js does not give back the WebAssembly");
}
const glue = `//# allFunctionsCalledOnLoad\n${fs.readFileSync(glueFile, "utf8").trim()}\n${inflateText}\n` +
             `Module.start(${factory},${JSON.stringify(packed.toString("base64"))},${wasm.length},inflate);`;

const loader = `var Module=${scriptText(loaderFile)}(${links},${JSON.stringify(attributes)});`;

for (const [name, script] of [["loader", loader], ["program", glue]]) {
  if (/<\/script/i.test(script)) throw new Error(`the ${name} script holds "</script"`);
}
const put = (text, mark, ...scripts) => {
  const done = text.replace(mark, () => scripts.map((script) => `<script>${script}</script>`).join(""));
  if (done === text) throw new Error(`the page has no ${mark}`);
  return done;
};
// What search engines show under the page's title: the manifest's own words.
const escaped = JSON.parse(fs.readFileSync(manifestFile, "utf8")).description
  .replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;").replace(/"/g, "&quot;");
const described = page.replace("<title>", () => `<meta name="description" content="${escaped}">\n<title>`);
if (described === page) throw new Error("the page has no <title> to describe");
// The window is ready in a script of its own: the browser runs it as soon as it has read it,
// before it reads past the WebAssembly.
const html = put(put(described, marks.loader, loader), marks.program, "Module.ready();", glue);

const hashes = [...html.matchAll(/<script>([\s\S]*?)<\/script>/g)].map((m) =>
  `'sha256-${crypto.createHash("sha256").update(m[1], "utf8").digest("base64")}'`);
const hashed = html.replace(marks.scriptHashes, () => hashes.join(" "));
if (hashed === html) throw new Error("the page has no security policy to complete");
// The licence comment goes right after the doctype, which must stay first.
const comment = commentFile ? fs.readFileSync(commentFile, "utf8").trimEnd() + "\n" : "";
const doctype = /^<!doctype html>\n/i.exec(hashed);
if (comment && !doctype) throw new Error("the page does not begin with its doctype");
fs.writeFileSync(out, comment ? doctype[0] + comment + hashed.slice(doctype[0].length) : hashed);
