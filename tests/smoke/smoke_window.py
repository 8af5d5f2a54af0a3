#!/usr/bin/python3
"""Starts the real TessmarkDialer under an X server (run it with xvfb-run -a), waits for its main
window, closes it as a window manager would (WM_DELETE_WINDOW) and checks a clean exit: status 0
within 10 s, the database file private to the user (0600), no sanitizer report.

Usage: smoke_window.py <path to TessmarkDialer>
"""
import os
import stat
import subprocess
import sys
import tempfile
import time

from Xlib import X, display
from Xlib.protocol import event

WINDOW_TIMEOUT = 30.0
EXIT_TIMEOUT = 10.0


def find_window(root, wanted):
    """The first window whose WM_CLASS names the program, searching the whole tree."""
    try:
        wm_class = root.get_wm_class()
    except Exception:
        wm_class = None
    if wm_class and any(wanted in part.lower() for part in wm_class):
        attributes = root.get_attributes()
        if attributes.map_state == X.IsViewable:
            return root
    try:
        children = root.query_tree().children
    except Exception:
        return None
    for child in children:
        found = find_window(child, wanted)
        if found is not None:
            return found
    return None


def fail(message, process=None):
    print("smoke: " + message)
    if process is not None:
        process.kill()
        out, err = process.communicate()
        print(out.decode(errors="replace"))
        print(err.decode(errors="replace"))
    sys.exit(1)


def main():
    program = sys.argv[1]
    with tempfile.TemporaryDirectory() as data_home:
        # A fresh X server has no session bus; Qt's attempt to reach one leaks inside libdbus.
        environment = dict(os.environ, XDG_DATA_HOME=data_home, QT_QPA_PLATFORM="xcb",
                           DBUS_SESSION_BUS_ADDRESS="disabled:")
        process = subprocess.Popen([program], env=environment, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        screen = display.Display()
        root = screen.screen().root
        deadline = time.monotonic() + WINDOW_TIMEOUT
        window = None
        while window is None and time.monotonic() < deadline:
            if process.poll() is not None:
                fail("the program ended before its window appeared (status %d)" % process.returncode, process)
            window = find_window(root, "tessmarkdialer")
            if window is None:
                time.sleep(0.2)
        if window is None:
            fail("no main window within %d s" % WINDOW_TIMEOUT, process)
        geometry = window.get_geometry()
        print("smoke: main window %dx%d, WM_CLASS %s" % (geometry.width, geometry.height, window.get_wm_class()))

        protocols = screen.intern_atom("WM_PROTOCOLS")
        delete = screen.intern_atom("WM_DELETE_WINDOW")
        message = event.ClientMessage(window=window, client_type=protocols, data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        window.send_event(message, event_mask=X.NoEventMask)
        screen.flush()
        try:
            out, err = process.communicate(timeout=EXIT_TIMEOUT)
        except subprocess.TimeoutExpired:
            fail("the program did not end within %d s of closing its window" % EXIT_TIMEOUT, process)
        errors = err.decode(errors="replace")
        if process.returncode != 0:
            fail("the program ended with status %d\n%s" % (process.returncode, errors))
        for report in ("AddressSanitizer", "LeakSanitizer", "runtime error:", "ThreadSanitizer"):
            if report in errors:
                fail("sanitizer report on standard error:\n" + errors)

        database = os.path.join(data_home, "TessmarkDialer", "TessmarkDialer.sqlite3")
        if not os.path.exists(database):
            fail("no database at " + database)
        mode = stat.S_IMODE(os.stat(database).st_mode)
        if mode != 0o600:
            fail("the database is mode %o, not 600" % mode)
        print("smoke: window shown, closed, clean exit")


if __name__ == "__main__":
    main()
