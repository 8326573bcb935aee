// Puts the page together once the program is linked: the page written by write_page (the
// window's markup and style sheet), then the program's scripts where the page marks their place,
// the WebAssembly embedded in them, and the security policy's hashes of every inline script.
// One file, working from disk with no server.
//
//   node assemble_page.js <write_page.js> <program.js> <program.wasm> <out.html>
"use strict";

const { execFileSync } = require("node:child_process");
const crypto = require("node:crypto");
const fs = require("node:fs");

const [writer, glueFile, wasmFile, out] = process.argv.slice(2);
const page = execFileSync(process.execPath, ["--no-experimental-fetch", writer], { encoding: "utf8" });
const glue = fs.readFileSync(glueFile, "utf8");
const wasm = fs.readFileSync(wasmFile).toString("base64");

// The program's own loader compiles the embedded WebAssembly at once, decoding it natively where
// the browser can.
const loader = `var Module={instantiateWasm:function(imports,receive){` +
  `var text="${wasm}";` +
  `var bytes=Uint8Array.fromBase64?Uint8Array.fromBase64(text):Uint8Array.from(atob(text),function(c){return c.charCodeAt(0)});` +
  `var instance=new WebAssembly.Instance(new WebAssembly.Module(bytes),imports);receive(instance);return instance.exports}};`;

for (const [name, script] of [["loader", loader], ["program", glue]]) {
  if (/<\/script/i.test(script)) throw new Error(`the ${name} script holds "</script"`);
}
let html = page.replace("<!--kalvet-scripts-->", () => `<script>${loader}</script>\n<script>${glue}</script>`);
if (html === page) throw new Error("the page has no place for its scripts");

const hashes = [...html.matchAll(/<script>([\s\S]*?)<\/script>/g)].map((m) =>
  `'sha256-${crypto.createHash("sha256").update(m[1], "utf8").digest("base64")}'`);
const hashed = html.replace("'kalvet-script-hashes'", () => hashes.join(" "));
if (hashed === html) throw new Error("the page has no security policy to complete");
fs.writeFileSync(out, hashed);
