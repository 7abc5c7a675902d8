#!/usr/bin/python3
"""Checks the options dialog of the running program through the accessibility tree.

Run by run_options_desktop.sh inside a virtual display with a window manager and a session bus.
Opens the dialog from the menu with the keyboard, reads its AT-SPI tree (names, roles, tabs),
presses Enter and Esc (the dialog must stay), and closes it with the キャンセル button through
its accessible action. Every wait polls up to a deadline.
"""
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

DEADLINE = 20.0


def poll(what, probe, deadline=DEADLINE):
    end = time.monotonic() + deadline
    while time.monotonic() < end:
        found = probe()
        if found:
            return found
        time.sleep(0.1)
    sys.exit(f"timed out: {what}")


def walk(node, depth=0):
    if node is None or depth > 40:
        return
    yield node
    for i in range(node.get_child_count()):
        yield from walk(node.get_child_at_index(i), depth + 1)


def application():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name() == "zorvane":
            return app
    return None


def window_named(name):
    app = application()
    if app is None:
        return None
    for i in range(app.get_child_count()):
        window = app.get_child_at_index(i)
        if window is not None and window.get_name() == name and \
                window.get_state_set().contains(Atspi.StateType.SHOWING):
            return window
    return None


def by_name(root, name, role=None):
    for node in walk(root):
        if node.get_name() == name and (role is None or node.get_role() == role):
            return node
    return None


def key(*names):
    subprocess.run(["xdotool", "key", *names], check=True)


def main():
    main_window = poll("main window in the tree", lambda: window_named("　Zorvane"))
    subprocess.run(["xdotool", "search", "--sync", "--name", "Zorvane", "windowactivate", "--sync"],
                   check=True, stdout=subprocess.DEVNULL)
    key("alt+t")
    time.sleep(0.3)
    key("o")
    dialog = poll("options dialog", lambda: window_named("オプション"))
    if dialog.get_role() != Atspi.Role.DIALOG:
        sys.exit(f"the options window is a {dialog.get_role_name()}, not a dialog")

    tabs = [node.get_name() for node in walk(dialog) if node.get_role() == Atspi.Role.PAGE_TAB]
    if tabs[:4] != ["外部", "ビュアー", "ファイラー", "ディレクトリ"]:
        sys.exit(f"tabs: {tabs}")
    for name, role in [("ＯＫ", Atspi.Role.PUSH_BUTTON), ("キャンセル", Atspi.Role.PUSH_BUTTON),
                       ("ヘルプ", Atspi.Role.PUSH_BUTTON), ("エディタのタイトル", Atspi.Role.TEXT),
                       ("エディタのプログラム", Atspi.Role.TEXT),
                       ("ex2 のプログラムを参照", Atspi.Role.PUSH_BUTTON),
                       ("いつものディレクトリ 10", Atspi.Role.TEXT)]:
        if by_name(dialog, name, role) is None:
            sys.exit(f"no {role.value_nick} named {name}")
    editor = by_name(dialog, "エディタのタイトル", Atspi.Role.TEXT)
    if Atspi.Text.get_text(editor, 0, -1) != "Editor":
        sys.exit("the editor title does not show the stored name")

    # Enter and Esc leave the dialog open.
    key("Return")
    key("Escape")
    time.sleep(0.5)
    if window_named("オプション") is None:
        sys.exit("Enter or Esc closed the options dialog")

    cancel = by_name(dialog, "キャンセル", Atspi.Role.PUSH_BUTTON)
    Atspi.Action.do_action(cancel, 0)
    poll("the dialog to close", lambda: window_named("オプション") is None)
    if main_window.get_state_set().contains(Atspi.StateType.DEFUNCT):
        sys.exit("the main window went away")
    print("options dialog: tree, keys and キャンセル as expected")


if __name__ == "__main__":
    main()
