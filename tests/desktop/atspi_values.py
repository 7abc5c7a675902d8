#!/usr/bin/env python3
"""Prints the objects of one application that hold a value (scroll bars, sliders), one a line:
role|name|current value|x,y,w,h."""
import sys
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

warnings.simplefilter("ignore", DeprecationWarning)


def walk(node):
    try:
        value = node.get_value_iface()
    except Exception:
        value = None
    if value is not None:
        try:
            extents = node.get_extents(Atspi.CoordType.SCREEN)
            box = f"{extents.x},{extents.y},{extents.width},{extents.height}"
        except Exception:
            box = ""
        print(f"{node.get_role_name()}|{node.get_name()}|{value.get_current_value():g}|{box}")
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            walk(child)


def main():
    wanted = sys.argv[1]
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name() == wanted:
            walk(app)
            return 0
    return 1


if __name__ == "__main__":
    sys.exit(main())
