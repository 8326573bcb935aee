// Puts the page together once the program is linked: the page written by write_page (the
// window's markup and style sheet), the description the web app manifest gives, the loader with
// the WebAssembly embedded in it and the program's script where the page marks their places,
// and the security policy's hashes of every inline script. One file, working from disk with no
// server.
//
//   node assemble_page.js <write_page.js> <program.js> <program.wasm> <kalvet.webmanifest> <out.html>
//                         [<comment.html>]
"use strict";

const { execFileSync } = require("node:child_process");
const crypto = require("node:crypto");
const fs = require("node:fs");

const [writer, glueFile, wasmFile, manifestFile, out, commentFile] = process.argv.slice(2);
const page = execFileSync(process.execPath, ["--no-experimental-fetch", writer], { encoding: "utf8" });
const glue = fs.readFileSync(glueFile, "utf8");
const wasm = fs.readFileSync(wasmFile).toString("base64");

// The loader decodes the embedded WebAssembly (natively where the browser can) and starts
// compiling it in the background while the browser reads the window; the program, after the
// window, takes the compiled module if it is ready by then and otherwise compiles it at once.
// Where the program cannot start (no WebAssembly, or its compiling refused or failing), the page
// must not look ready: until the program announces itself ready, any error that reaches the
// window shows the notice and takes the compute buttons out of use.
const loader = `var Module=(function(){var root=document.documentElement;` +
  `function failed(){if(root.hasAttribute("data-ready")||root.hasAttribute("data-failed"))return;` +
  `root.setAttribute("data-failed","");` +
  `var off=function(){var b=document.querySelectorAll("#Form1 button");for(var i=0;i<b.length;i++)b[i].disabled=true};` +
  `document.readyState=="loading"?document.addEventListener("DOMContentLoaded",off):off()}` +
  `addEventListener("error",failed);addEventListener("unhandledrejection",failed);` +
  // Served, the page links its manifest and icons from the head, before a browser looks for an
  // icon of its own accord; from disk the files beside the page may be missing, and a browser
  // reports each one it looks for in vain.
  `if(location.protocol.indexOf("http")==0)[["manifest","kalvet.webmanifest"],["icon","kalvet.png"],` +
  `["apple-touch-icon","kalvet-apple-touch.png"]].forEach(function(l){var e=document.createElement("link");` +
  `e.rel=l[0];e.href=l[1];document.head.appendChild(e)});` +
  `if(typeof WebAssembly!="object"){failed();return{}}` +
  `var text="${wasm}";` +
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
// What search engines show under the page's title: the manifest's own words.
const escaped = JSON.parse(fs.readFileSync(manifestFile, "utf8")).description
  .replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;").replace(/"/g, "&quot;");
const described = page.replace("<title>", () => `<meta name="description" content="${escaped}">\n<title>`);
if (described === page) throw new Error("the page has no <title> to describe");
const html = put(put(described, "<!--kalvet-loader-->", loader), "<!--kalvet-program-->", glue);

const hashes = [...html.matchAll(/<script>([\s\S]*?)<\/script>/g)].map((m) =>
  `'sha256-${crypto.createHash("sha256").update(m[1], "utf8").digest("base64")}'`);
const hashed = html.replace("'kalvet-script-hashes'", () => hashes.join(" "));
if (hashed === html) throw new Error("the page has no security policy to complete");
// The licence comment goes right after the doctype, which must stay first.
const comment = commentFile ? fs.readFileSync(commentFile, "utf8").trimEnd() + "\n" : "";
const doctype = /^<!doctype html>\n/i.exec(hashed);
if (comment && !doctype) throw new Error("the page does not begin with its doctype");
fs.writeFileSync(out, comment ? doctype[0] + comment + hashed.slice(doctype[0].length) : hashed);
