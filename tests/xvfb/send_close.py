#!/usr/bin/env python3
"""Asks an X11 top-level window to close, as a window manager does for its close box.

usage: send_close.py <window id>      (the server is the one DISPLAY names)

Sends the ICCCM client message WM_PROTOCOLS / WM_DELETE_WINDOW to the window itself, which is
how a close box reaches a client; nothing is destroyed. Exit code 0 once the message has reached
the server, 1 when the window does not take part in the WM_DELETE_WINDOW protocol, 2 on bad usage.
"""
import sys

from Xlib import X, display
from Xlib.protocol import event


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    server = display.Display()
    window = server.create_resource_object("window", int(argv[1], 0))
    wm_protocols = server.intern_atom("WM_PROTOCOLS")
    wm_delete_window = server.intern_atom("WM_DELETE_WINDOW")
    if wm_delete_window not in (window.get_wm_protocols() or []):
        print("window %s does not offer WM_DELETE_WINDOW" % argv[1], file=sys.stderr)
        return 1
    message = event.ClientMessage(
        window=window,
        client_type=wm_protocols,
        data=(32, [wm_delete_window, X.CurrentTime, 0, 0, 0]))
    window.send_event(message, event_mask=X.NoEventMask)
    server.sync()
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
