#!/usr/bin/python3
"""Works the installed program's window as a screen reader's user would, over the
accessibility bus: types each example's dimensions into the boxes named for them, presses
the group's compute button and reads the mass it shows. Needs a display and a session bus
(debian/tests/worked-examples starts both)."""
import os
import subprocess
import sys
import time

from gi.repository import Gio, GLib
import pyatspi

# Group, the boxes filled (by row label), the button (its caption), the mass shown; the
# density box keeps its 7.85.
EXAMPLES = [
    ("圆钢", {"直径": "10", "长度": "1000"}, "计   算", "0.616539"),
    ("板材", {"长度": "2000", "宽度": "1000", "厚度": "10"}, "计  算", "157"),
]
RESULT_ROW = "质量"
GIVE_UP_SECONDS = 60


def poll(probe):
    """probe()'s first true answer, or None after GIVE_UP_SECONDS."""
    deadline = time.monotonic() + GIVE_UP_SECONDS
    while time.monotonic() < deadline:
        found = probe()
        if found:
            return found
        time.sleep(0.2)
    return None


def need(what, probe):
    found = poll(probe)
    if found is None:
        sys.exit(f"worked-examples: no {what} after {GIVE_UP_SECONDS} s")
    return found


def turn_on_accessibility():
    """What a screen reader does when it starts: the toolkits then offer their widgets."""
    bus = Gio.bus_get_sync(Gio.BusType.SESSION)
    bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                  GLib.Variant("(ssv)", ("org.a11y.Status", "IsEnabled", GLib.Variant("b", True))),
                  None, Gio.DBusCallFlags.NONE, -1, None)


def find_program(program):
    if program.poll() is not None:
        sys.exit(f"worked-examples: kalvet ended (status {program.returncode}) before it was seen")
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == program.pid:
            return app
    return None


def named(app, name):
    return pyatspi.findDescendant(app, lambda a: a is not None and a.name == name)


def main():
    turn_on_accessibility()
    program = subprocess.Popen(["kalvet"], env={k: v for k, v in os.environ.items()
                                                if k != "QT_QPA_PLATFORM"})
    failures = 0
    try:
        app = need("program on the accessibility bus", lambda: find_program(program))
        for group, boxes, button, expected in EXAMPLES:
            for row, value in boxes.items():
                box = need(f"box {group} {row}", lambda: named(app, f"{group} {row}"))
                box.queryEditableText().setTextContents(value)
            need(f"button {group} {button}", lambda: named(app, f"{group} {button}")) \
                .queryAction().doAction(0)
            # The result box is empty until the button has done its work.
            result = need(f"box {group} {RESULT_ROW}", lambda: named(app, f"{group} {RESULT_ROW}"))
            shown = poll(lambda: result.queryText().getText(0, -1))
            ok = shown == expected
            failures += not ok
            print(f"{'ok' if ok else 'FAIL'}: {group} {boxes} gives {shown!r}, want {expected!r}")
    finally:
        program.terminate()
        program.wait(timeout=30)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
