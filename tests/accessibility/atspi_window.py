#!/usr/bin/python3
# SPDX-License-Identifier: Apache-2.0
"""Reads the running tarnqt the way a screen reader does, over AT-SPI: finds its window, reads
the start page's printer state by accessible name, presses the status monitor button by its
action and reads the status title and every gauge's description. Every wait is bounded."""
import re
import sys
import time

import pyatspi

WAIT_S = 30


def wait_for(what, find):
    deadline = time.monotonic() + WAIT_S
    while time.monotonic() < deadline:
        found = find()
        if found is not None:
            return found
        time.sleep(0.2)
    sys.exit("not found within %d s: %s" % (WAIT_S, what))


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == "tarnqt":
            return app
    return None


def showing(node, predicate):
    """The first node below node, in reading order, that is showing and satisfies predicate."""
    try:
        if node.getState().contains(pyatspi.STATE_SHOWING) and predicate(node):
            return node
        for i in range(node.childCount):
            found = showing(node.getChildAtIndex(i), predicate)
            if found is not None:
                return found
    except Exception:  # the tree changes while the window switches pages
        return None
    return None


def every_showing(node, predicate, into):
    if node.getState().contains(pyatspi.STATE_SHOWING):
        if predicate(node):
            into.append(node)
        for i in range(node.childCount):
            every_showing(node.getChildAtIndex(i), predicate, into)
    return into


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def main():
    app = wait_for("the application tarnqt", application)
    # The application's children are its top-level windows; the main one carries the title.
    window = wait_for("its window", lambda: next(
        (app.getChildAtIndex(i) for i in range(app.childCount)
         if app.getChildAtIndex(i).name == "Tarn Utility"), None))
    print("window:", window.name)

    state = wait_for("the printer state after the first read", lambda: showing(
        window, lambda n: n.name == "Printer status" and text_of(n) not in ("", "Searching...")))
    print("start page printer status:", text_of(state))

    button = wait_for("the status monitor button", lambda: showing(
        window, lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name == "VARDA Status Monitor"))
    action = button.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        sys.exit("the button offers no Press action: %s" % names)
    action.doAction(names.index("Press"))

    # The start page gives way to the status page: only then is its title the one showing.
    wait_for("the start page to give way", lambda: True if not button.getState().contains(
        pyatspi.STATE_SHOWING) else None)
    advice = wait_for("the status page's advice", lambda: showing(
        window, lambda n: n.name == "Advice"))
    title = wait_for("the status page's title", lambda: showing(
        window, lambda n: n.name == "Printer status" and n.getRole() != pyatspi.ROLE_PUSH_BUTTON))
    print("status title:", text_of(title))
    print("advice:", text_of(advice))
    if text_of(title) != text_of(state):
        sys.exit("the status page's title %r is not the start page's %r"
                 % (text_of(title), text_of(state)))

    gauges = every_showing(window, lambda n: n.getRole() == pyatspi.ROLE_PROGRESS_BAR, [])
    descriptions = [g.description for g in gauges]
    for d in descriptions:
        print("gauge:", d)
    # Each gauge tells its cartridge and what is known of its level.
    described = re.compile(r"^\S.*: (\d+%|low, \d+%|level unknown|not available|to be replaced)$")
    if not descriptions or not all(described.match(d) for d in descriptions):
        sys.exit("expected described gauges, got %s" % descriptions)


if __name__ == "__main__":
    main()
