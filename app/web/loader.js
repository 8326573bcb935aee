// The page's loader, run in its head before the browser reads the window (page.h). What it
// returns is the program's Module, whose three calls the page's scripts make in turn:
// - ready(), in a script of its own right after the window: the window takes input from here
//   on. The first control the Tab key reaches takes the focus, presses and the Enter key are
//   heard, and the document element is marked ready, all before the browser first lays the
//   window out.
// - start(runtime, packedBase64, size, inflate), ending the program's script after that:
//   decodes the WebAssembly, inflates it to its `size` bytes with inflate.js's function and
//   compiles it in the background, then starts the program (emscripten's runtime as a function
//   of its Module) with the compiled module. Nothing compiles or instantiates WebAssembly at
//   once on the main thread, which Chromium before 115 refuses for more than 4 KB. So the
//   program runs only some milliseconds after the window is ready.
// - listen(deliver), once the program runs: from then on each press or Enter goes to deliver
//   as it comes. Any that came before wait for it and reach it first, in order. A pointer going
//   down before then reaches nothing: what the program does with it to a box must not undo what
//   was typed into the box since.
// Where the program cannot start (no WebAssembly, or its compiling refused or failing), the page
// must not look ready: until the program listens, any error that reaches the window marks the
// page failed rather than ready, which shows the notice, and takes the compute buttons out of
// use.
//
// The WebAssembly stands at the end of the page, so that no script runs over it before the
// window is ready.
//
// assemble_page.js calls it with the links of a served page and the document element's
// attributes. Comments stand on lines of their own: assemble_page.js drops them and the
// indentation.
(function (links, attributes) {
  var root = document.documentElement;
  var deliver = null;
  var waiting = [];
  function failed() {
    if (deliver || root.hasAttribute(attributes.failed)) return;
    root.removeAttribute(attributes.ready);
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
  var program = {};
  if (typeof WebAssembly != "object") failed();
  program.ready = function () {
    if (root.hasAttribute(attributes.failed)) return;
    var area = document.getElementById("Form1");
    var route = function (kind, event) {
      var id = event.target.id;
      if (!id) return;
      if (!deliver) {
        if (kind != "pointer") waiting.push([kind, id]);
      } else if (deliver(kind, id)) {
        event.preventDefault();
      }
    };
    area.addEventListener("click", function (event) {
      route("press", event);
    });
    area.addEventListener("mousedown", function (event) {
      // The primary button, or a tap; a right click opens the browser's menu.
      if (event.button === 0) route("pointer", event);
    });
    area.addEventListener("keydown", function (event) {
      // Not while an input method is still composing what the key confirms.
      if (event.key === "Enter" && !event.isComposing) route("enter", event);
    });
    // The window's controls stand in the Tab order; the first stands at the top of the page.
    area.querySelector("input, select, button").focus({preventScroll: true});
    root.setAttribute(attributes.ready, "");
    performance.mark("kalvet-ready");
  };
  program.start = function (runtime, packedBase64, size, inflate) {
    if (root.hasAttribute(attributes.failed)) return;
    var packed;
    if (Uint8Array.fromBase64) {
      packed = Uint8Array.fromBase64(packedBase64);
    } else {
      // A plain loop: Uint8Array.from with a function called per byte takes several times as long.
      var text = atob(packedBase64);
      packed = new Uint8Array(text.length);
      for (var i = 0; i < text.length; i++) packed[i] = text.charCodeAt(i);
    }
    // A refused or failing compile rejects unhandled, which marks the page failed.
    WebAssembly.compile(inflate(packed, size)).then(function (compiled) {
      program.wasm = compiled;
      runtime(program);
    });
  };
  program.listen = function (handler) {
    deliver = handler;
    performance.mark("kalvet-started");
    for (var i = 0; i < waiting.length; i++) deliver(waiting[i][0], waiting[i][1]);
    waiting = [];
  };
  return program;
})
