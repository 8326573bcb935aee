// The page's loader, run in its head before the browser reads the window (page.h). It decodes the
// embedded WebAssembly and starts compiling it in the background; the program's script, after
// the window, hands it the program (emscripten's runtime as a function of its Module), which it
// starts once the module is compiled. Nothing compiles or instantiates WebAssembly at once on
// the main thread, which Chromium before 115 refuses for more than 4 KB. Where the program cannot
// start (no WebAssembly, or its compiling refused or failing), the page must not look ready:
// until the program announces itself ready, any error that reaches the window marks the page
// failed, which shows the notice, and takes the compute buttons out of use.
//
// The WebAssembly is carried as plain base64, not compressed: inflated with the browser's
// DecompressionStream, whose promises resolve only after the window's first paint, it would
// leave the program waiting past that paint.
//
// assemble_page.js calls it with the WebAssembly as base64, the links of a served page, and the
// document element's attributes; what it returns is the program's Module, whose start() the
// program's script calls. Comments stand on lines of their own: assemble_page.js drops them and
// the indentation.
(function (wasmBase64, links, attributes) {
  var root = document.documentElement;
  function failed() {
    if (root.hasAttribute(attributes.ready) || root.hasAttribute(attributes.failed)) return;
    root.setAttribute(attributes.failed, "");
    var off = function () {
      var buttons = document.querySelectorAll("#Form1 button");
      for (var i = 0; i < buttons.length; i++) buttons[i].disabled = true;
    };
    document.readyState == "loading" ? document.addEventListener("DOMContentLoaded", off) : off();
  }
  addEventListener("error", failed);
  addEventListener("unhandledrejection", failed);
  // Served, the page links its manifest and icons from the head, before a browser looks for an
  // icon of its own accord; from disk the files beside the page may be missing, and a browser
  // reports each one it looks for in vain.
  if (location.protocol.indexOf("http") == 0) {
    links.forEach(function (link) {
      var e = document.createElement("link");
      e.rel = link[0];
      e.href = link[1];
      document.head.appendChild(e);
    });
  }
  // The program's Module.
  var program = {start: function () {}};
  if (typeof WebAssembly != "object") {
    failed();
    return program;
  }
  var bytes;
  if (Uint8Array.fromBase64) {
    bytes = Uint8Array.fromBase64(wasmBase64);
  } else {
    // A plain loop: Uint8Array.from with a function called per byte takes several times as long.
    var text = atob(wasmBase64);
    bytes = new Uint8Array(text.length);
    for (var i = 0; i < text.length; i++) bytes[i] = text.charCodeAt(i);
  }
  // A refused or failing compile rejects unhandled, which marks the page failed.
  var compiling = WebAssembly.compile(bytes);
  program.start = function (runtime) {
    compiling.then(function (compiled) {
      program.wasm = compiled;
      runtime(program);
    });
  };
  return program;
})
