#!/usr/bin/python3
"""Starts the installed program and watches it through the X server alone: its window must
show, 463 by 504 pixels, with the window drawn in it (more than a few colours: the ground, the
text, the edges of boxes and buttons), and it must end with status 0 when asked to close, as a
window manager asks. Needs a display (debian/tests/opens-window starts one)."""
import os
import subprocess
import sys
import time

from Xlib import X, display, error, protocol

CAPTION = "Kalvet"
SIZE = (463, 504)
GIVE_UP_SECONDS = 60


def windows(d):
    """Every window on the screen, top-level ones and their descendants."""
    todo = [d.screen().root]
    while todo:
        w = todo.pop()
        try:
            todo.extend(w.query_tree().children)
        except error.XError:
            continue
        yield w


def named(d, w):
    try:
        prop = w.get_full_property(d.intern_atom("_NET_WM_NAME"), d.intern_atom("UTF8_STRING"))
        if prop is not None:
            return prop.value.decode("utf-8", "replace")
        return w.get_wm_name()
    except error.XError:
        return None


def painted(d):
    """The program's window once it is viewable and drawn in, else None."""
    for w in windows(d):
        if named(d, w) != CAPTION:
            continue
        try:
            if w.get_attributes().map_state != X.IsViewable:
                continue
            geometry = w.get_geometry()
            if (geometry.width, geometry.height) != SIZE:
                continue
            image = w.get_image(0, 0, geometry.width, geometry.height, X.ZPixmap, 0xFFFFFFFF)
        except error.XError:
            continue
        depth_bytes = 4 if image.depth > 16 else 2
        data = image.data
        colours = {bytes(data[i:i + depth_bytes]) for i in range(0, len(data), depth_bytes)}
        if len(colours) > 4:
            return w, len(colours)
    return None


def main():
    d = display.Display()
    started = time.monotonic()
    program = subprocess.Popen(["kalvet"], env={k: v for k, v in os.environ.items()
                                                if k != "QT_QPA_PLATFORM"})
    try:
        found = None
        while found is None and time.monotonic() - started < GIVE_UP_SECONDS:
            if program.poll() is not None:
                sys.exit(f"opens-window: kalvet ended (status {program.returncode}) before it painted")
            found = painted(d)
            if found is None:
                time.sleep(0.1)
        if found is None:
            sys.exit(f"opens-window: no painted {SIZE[0]} x {SIZE[1]} window named {CAPTION!r} "
                     f"after {GIVE_UP_SECONDS} s")
        window, colours = found
        shown = time.monotonic() - started
        # What a window manager sends when the user closes the window.
        protocols = d.intern_atom("WM_PROTOCOLS")
        delete = d.intern_atom("WM_DELETE_WINDOW")
        window.send_event(protocol.event.ClientMessage(window=window, client_type=protocols,
                                                       data=(32, [delete, X.CurrentTime, 0, 0, 0])))
        d.flush()
        status = program.wait(timeout=GIVE_UP_SECONDS)
    finally:
        if program.poll() is None:
            program.kill()
    if status != 0:
        sys.exit(f"opens-window: kalvet ended with status {status} when asked to close")
    print(f"kalvet showed its window painted in {colours} colours {shown:.1f} s after it was "
          "started, and closed when asked")
    return 0


if __name__ == "__main__":
    sys.exit(main())
