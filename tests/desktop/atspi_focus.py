#!/usr/bin/env python3
"""Prints, one a line, each object of one application that gains the focus on the AT-SPI bus
for a given number of seconds: role|name|parent role|parent name. Prints "ready" first, once
it listens."""
import sys
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

warnings.simplefilter("ignore", DeprecationWarning)


def main():
    wanted = sys.argv[1]
    seconds = float(sys.argv[2])

    def on_focus(event):
        try:
            if event.detail1 != 1:
                return
            source = event.source
            app = source.get_application()
            if app is None or app.get_name() != wanted:
                return
            parent = source.get_parent()
            parent_role = parent.get_role_name() if parent is not None else ""
            parent_name = parent.get_name() if parent is not None else ""
            print(f"{source.get_role_name()}|{source.get_name()}|{parent_role}|{parent_name}",
                  flush=True)
        except Exception:
            pass

    listener = Atspi.EventListener.new(on_focus)
    listener.register("object:state-changed:focused")
    print("ready", flush=True)

    def stop():
        Atspi.event_quit()
        return False

    GLib.timeout_add(int(seconds * 1000), stop)
    Atspi.event_main()
    return 0


if __name__ == "__main__":
    sys.exit(main())
