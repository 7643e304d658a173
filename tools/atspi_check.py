#!/usr/bin/python3
"""What a screen reader is told of Corvane, read from outside over AT-SPI.

Run by tools/check-accessibility inside a D-Bus session with the accessibility bus, while the
program runs. Prints the accessible tree (role, name, description), checks it against what the
window must say, presses "Start Reaction Time" twice through its action and checks the charts'
descriptions and the memo's text-changed events, then enters a bad value and checks that the
notice is an alert that belongs to the window. Exits 1 on the first fault.
"""
import re
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

TIMEOUT = 20.0

# (role, name, description pattern or None for any) of the window's controls, in tree order.
EXPECTED = [
    ("label", "A", None),
    ("label", "a1", None),
    ("label", "a0", None),
    ("label", "c1", None),
    ("label", "c0", None),
    ("label", "y0", None),
    ("label", "Click again for new reaction time.", None),
    ("label", "Yellow triangle indicates the reaction time.", None),
    ("label", "the reaction time.", None),
    ("label", "new reaction time.", None),
    ("label", re.compile(r"^Charts can be zoomed"), None),
    ("label", re.compile(r"^Scrolling can be done"), None),
    ("chart", "Reaction Time Plot", re.compile(r"^No reactions yet$")),
    ("push button", "Start Reaction Time", re.compile(r"^Click again for new reaction time\.$")),
    ("chart", "Inhibition Plot", re.compile(r"^No reaction yet$")),
    ("text", "Data memo", None),
    ("text", "A", re.compile(r"^A: the amount of work")),
    ("text", "a1", re.compile(r"^a1: ")),
    ("text", "a0", re.compile(r"^a0: ")),
    ("text", "c1", re.compile(r"^c1: ")),
    ("text", "c0", re.compile(r"^c0: ")),
    ("text", "y0", re.compile(r"^y0: ")),
    ("push button", "Begin new RT series", None),
    ("check box", "Memo On/Off", None),
]

NUMBER = r"-?\d+[.,]\d{3}"
AFTER_TWO = re.compile(rf"^2 reactions; last reaction time {NUMBER}; series mean {NUMBER}; stationary mean {NUMBER}$")
INHIBITION = re.compile(rf"^\d+ periods?; reaction time {NUMBER}$")


def fail(message):
    print(f"atspi-check: {message}")
    sys.exit(1)


def pump(seconds=0.0):
    end = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while True:
        while context.iteration(False):
            pass
        if time.monotonic() >= end:
            return
        time.sleep(0.02)


def wait_for(what, find):
    end = time.monotonic() + TIMEOUT
    while time.monotonic() < end:
        found = find()
        if found:
            return found
        pump(0.1)
    fail(f"{what} did not appear within {TIMEOUT:.0f} s")


def children(node):
    """The children still there: a window that is closing may leave a hole or vanish mid-walk."""
    try:
        found = [node.get_child_at_index(i) for i in range(node.get_child_count())]
    except GLib.Error:
        return []
    return [child for child in found if child is not None]


def role_of(node):
    try:
        return node.get_role_name()
    except GLib.Error:
        return ""


def application(name):
    desktop = Atspi.get_desktop(0)
    return next((a for a in children(desktop) if a and a.get_name() == name), None)


def window_of(app, title):
    return next((w for w in children(app) if w and w.get_name() == title), None)


def walk(node, depth=0):
    for child in children(node):
        if child is None:
            continue
        yield depth, child
        yield from walk(child, depth + 1)


def describe(node):
    return (node.get_role_name(), node.get_name() or "", node.get_description() or "")


def dump(window):
    print(f"{'role':<12} {'name':<46} description")
    for depth, node in walk(window):
        role, name, description = describe(node)
        print(f"{'  ' * depth}{role:<12} {name[:46]:<46} {description}")


def matches(pattern, value):
    if pattern is None:
        return True
    if isinstance(pattern, str):
        return value == pattern
    return pattern.search(value) is not None


def controls(window):
    return [node for _, node in walk(window) if node.get_role_name() in {r for r, _, _ in EXPECTED}]


def check_tree(window):
    found = [describe(n) for n in controls(window)]
    if len(found) != len(EXPECTED):
        fail(f"{len(found)} controls, expected {len(EXPECTED)}: {found}")
    for (role, name, description), (want_role, want_name, want_description) in zip(found, EXPECTED):
        if role != want_role or not matches(want_name, name) or not matches(want_description, description):
            fail(f"found {role!r} {name!r} {description!r}, expected {want_role} {want_name} {want_description}")
    return controls(window)


def named(nodes, role, name):
    return next(n for n in nodes if n.get_role_name() == role and n.get_name() == name)


def press(button):
    if not Atspi.Action.do_action(button, 0):
        fail(f"the action of {button.get_name()!r} failed")


def main():
    app = wait_for("the application", lambda: application("corvane"))
    window = wait_for("the window", lambda: window_of(app, "Form1"))
    pump(0.5)
    dump(window)
    nodes = check_tree(window)

    memo = named(nodes, "text", "Data memo")
    changes = []
    described = []

    def on_event(event):
        if event.source == memo and event.type.startswith("object:text-changed"):
            changes.append((event.type, event.detail1, event.detail2))
        elif event.type == "object:property-change:accessible-description":
            described.append(event.source.get_name())

    listener = Atspi.EventListener.new(on_event)
    listener.register("object:text-changed")
    listener.register("object:property-change:accessible-description")
    pump(0.3)

    start = named(nodes, "push button", "Start Reaction Time")
    reaction = named(nodes, "chart", "Reaction Time Plot")
    inhibition = named(nodes, "chart", "Inhibition Plot")
    for n in (1, 2):
        changes.clear()
        press(start)
        wait_for(f"press {n}", lambda: inhibition.get_description() != "No reaction yet" and changes and
                 sum(c[2] for c in changes if c[0].endswith("insert")) == Atspi.Text.get_character_count(memo))
        pump(0.3)
        inserted = sum(length for kind, _, length in changes if kind.endswith("insert"))
        removed = sum(length for kind, _, length in changes if kind.endswith("delete"))
        count = Atspi.Text.get_character_count(memo)
        print(f"press {n}: memo events {len(changes)}: removed {removed}, inserted {inserted} "
              f"of {count} characters; first {changes[:2]}")
        if removed == 0 or inserted != count:
            fail(f"press {n}: the memo reported removing {removed} and inserting {inserted} of {count} characters")
        if changes[0][0] != "object:text-changed:delete" or changes[0][1] != 0:
            fail(f"press {n}: the first memo change is {changes[0]}, not a removal at 0")
    listener.deregister("object:text-changed")
    listener.deregister("object:property-change:accessible-description")
    print(f"description changes announced: {described}")
    for chart in ("Reaction Time Plot", "Inhibition Plot"):
        if described.count(chart) < 2:
            fail(f"the {chart}'s new descriptions were announced {described.count(chart)} times, not after each press")
    print(f"Reaction Time Plot: {reaction.get_description()}")
    print(f"Inhibition Plot: {inhibition.get_description()}")
    if not AFTER_TWO.search(reaction.get_description()):
        fail(f"reaction-time chart after two presses: {reaction.get_description()!r}")
    if not INHIBITION.search(inhibition.get_description()):
        fail(f"inhibition chart after two presses: {inhibition.get_description()!r}")

    # A bad value: the notice is an alert, owned by the window's application, saying the message.
    field = named(nodes, "text", "y0")
    Atspi.EditableText.set_text_contents(field, "0")
    press(start)
    alert = wait_for("the notice", lambda: next((w for w in children(app) if role_of(w) == "alert"), None))
    role, name, description = describe(alert)
    print(f"notice: {role} {name!r} {description!r}")
    if name != "corvane" or description != "Y0 less then or equal to 0":
        fail(f"the notice says {name!r} {description!r}")
    ok = next((n for _, n in walk(alert) if n.get_role_name() == "push button" and n.get_name() == "OK"), None)
    if ok is None:
        fail("the notice has no OK button")
    press(ok)
    wait_for("the notice to close", lambda: not any(role_of(w) == "alert" for w in children(app)))
    print("atspi-check: the tree, the chart descriptions, the memo events and the alert are as expected")


if __name__ == "__main__":
    main()
