#!/usr/bin/env python3
"""Prints the accessibility tree of one application on the AT-SPI bus, one object a line:
depth|role|name|value|x,y,w,h|labelled by|label for, the last two as role:name of each object
the relation names, separated by commas."""
import sys
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

warnings.simplefilter("ignore", DeprecationWarning)


def value_of(node):
    try:
        text = node.get_text_iface()
        if text is not None:
            return text.get_text(0, text.get_character_count())
    except Exception:
        pass
    return ""


def related(node, kind):
    targets = []
    try:
        for relation in node.get_relation_set():
            if relation.get_relation_type() == kind:
                for i in range(relation.get_n_targets()):
                    target = relation.get_target(i)
                    targets.append(f"{target.get_role_name()}:{target.get_name()}")
    except Exception:
        pass
    return ",".join(targets)


def walk(node, depth):
    try:
        extents = node.get_extents(Atspi.CoordType.SCREEN)
        box = f"{extents.x},{extents.y},{extents.width},{extents.height}"
    except Exception:
        box = ""
    print(f"{depth}|{node.get_role_name()}|{node.get_name()}|{value_of(node)}|{box}|"
          f"{related(node, Atspi.RelationType.LABELLED_BY)}|"
          f"{related(node, Atspi.RelationType.LABEL_FOR)}")
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            walk(child, depth + 1)


def main():
    wanted = sys.argv[1]
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name() == wanted:
            walk(app, 0)
            return 0
    return 1


if __name__ == "__main__":
    sys.exit(main())
