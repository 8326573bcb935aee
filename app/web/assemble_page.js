// Puts the page together once the program is linked: the page written by write_page (the
// window's markup and style sheet), the loader with the WebAssembly embedded in it and the
// program's script where the page marks their places, and the security policy's hashes of every
// inline script. One file, working from disk with no server.
//
//   node assemble_page.js <write_page.js> <program.js> <program.wasm> <out.html> [<comment.html>]
"use strict";

const { execFileSync } = require("node:child_process");
const crypto = require("node:crypto");
const fs = require("node:fs");

const [writer, glueFile, wasmFile, out, commentFile] = process.argv.slice(2);
const page = execFileSync(process.execPath, ["--no-experimental-fetch", writer], { encoding: "utf8" });
const glue = fs.readFileSync(glueFile, "utf8");
const wasm = fs.readFileSync(wasmFile).toString("base64");

// The loader decodes the embedded WebAssembly (natively where the browser can) and starts
// compiling it in the background while the browser reads the window; the program, after the
// window, takes the compiled module if it is ready by then and otherwise compiles it at once.
const loader = `var Module=(function(){var text="${wasm}";` +
  `var bytes=Uint8Array.fromBase64?Uint8Array.fromBase64(text):Uint8Array.from(atob(text),function(c){return c.charCodeAt(0)});` +
  `var compiled=null;WebAssembly.compile(bytes).then(function(module){compiled=module},function(){});` +
  `return Object.defineProperty({},"wasm",{get:function(){return compiled||new WebAssembly.Module(bytes)}})})();`;

for (const [name, script] of [["loader", loader], ["program", glue]]) {
  if (/<\/script/i.test(script)) throw new Error(`the ${name} script holds "</script"`);
}
const put = (text, mark, script) => {
  const done = text.replace(mark, () => `<script>${script}</script>`);
  if (done === text) throw new Error(`the page has no ${mark}`);
  return done;
};
const html = put(put(page, "<!--kalvet-loader-->", loader), "<!--kalvet-program-->", glue);

const hashes = [...html.matchAll(/<script>([\s\S]*?)<\/script>/g)].map((m) =>
  `'sha256-${crypto.createHash("sha256").update(m[1], "utf8").digest("base64")}'`);
const hashed = html.replace("'kalvet-script-hashes'", () => hashes.join(" "));
if (hashed === html) throw new Error("the page has no security policy to complete");
// The licence comment goes right after the doctype, which must stay first.
const comment = commentFile ? fs.readFileSync(commentFile, "utf8").trimEnd() + "\n" : "";
const doctype = /^<!doctype html>\n/i.exec(hashed);
if (comment && !doctype) throw new Error("the page does not begin with its doctype");
fs.writeFileSync(out, comment ? doctype[0] + comment + hashed.slice(doctype[0].length) : hashed);
