// The page's inflate against node's zlib, which compresses its WebAssembly at build time: each
// kind of block zlib writes (stored, fixed and dynamic codes), matches as long and as far back
// as DEFLATE allows, and no bytes at all. The build checks only the blocks its WebAssembly gets.
"use strict";

const { test } = require("node:test");
const assert = require("node:assert/strict");
const fs = require("node:fs");
const path = require("node:path");
const vm = require("node:vm");
const zlib = require("node:zlib");

const inflate = vm.runInNewContext(`${fs.readFileSync(path.join(__dirname, "../../../app/web/inflate.js"), "utf8")}\ninflate`);

// Words, runs, and far repeats of a random stretch, as a module has them.
const random = (n, seed) => Buffer.from(Array.from({ length: n }, () => (seed = (seed * 1103515245 + 12345) >>> 0) >>> 24));
const stretch = random(300, 7);
const mixed = Buffer.concat([Buffer.from("memory table export ".repeat(40)), Buffer.alloc(1000, 0x41), stretch,
                             random(32000, 3), stretch, random(200, 5)]);

test("inflate gives back what zlib's deflate wrote", () => {
  for (const [what, input, options] of [
    ["nothing", Buffer.alloc(0), {}],
    ["stored blocks", random(70000, 1), { level: 0 }],
    ["fixed codes", mixed, { strategy: zlib.constants.Z_FIXED }],
    ["dynamic codes", mixed, { level: 9, memLevel: 9 }],
    ["runs only", mixed, { strategy: zlib.constants.Z_RLE }],
  ]) {
    const packed = zlib.deflateRawSync(input, options);
    assert.ok(Buffer.from(inflate(new Uint8Array(packed), input.length)).equals(input), what);
  }
});
