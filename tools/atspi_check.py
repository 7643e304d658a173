#!/usr/bin/python3
"""What a screen reader is told of Corvane, read from outside over AT-SPI.

Run by tools/check-accessibility inside a D-Bus session with the accessibility bus, while the
program runs. Prints the accessible tree (role, name, description), checks it against what the
window must say, presses "Start Reaction Time" twice through its action and checks the charts'
descriptions and the memo's text-changed events, then enters a bad value and checks that the
notice is an alert that belongs to the window. Then it opens a small grouped CSV file as a user
would (Ctrl+O, the file dialog, the read dialog with two grouping columns checked), and checks the
read dialog's controls, the analysis window's group chooser and "Fit every group" with its results
table. Exits 1 on the first fault.
"""
import os
import re
import subprocess
import sys
import tempfile
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


def wait_for(what, find, timeout=TIMEOUT):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        found = find()
        if found:
            return found
        pump(0.1)
    fail(f"{what} did not appear within {timeout:.0f} s")


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
    check_grouped_file(app)
    print("atspi-check: the tree, the chart descriptions, the memo events, the alert and the grouped file's "
          "controls are as expected")


# (role, name, description pattern) the read dialog must offer, in any order.
READ_DIALOG = [
    ("combo box", None, re.compile(r"^The column that holds the reaction times$")),
    ("check box", "pno", re.compile(r"one series per group")),
    ("check box", "condition", re.compile(r"one series per group")),
    ("push button", "Add filter", re.compile(r"^Keeps only the rows")),
    ("combo box", None, re.compile(r"^The trial number")),
    ("combo box", None, re.compile(r"^The mark between the whole and the decimal digits")),
    ("text", "Minimum reaction time", re.compile(r"cutoffs")),
    ("text", "Maximum reaction time", re.compile(r"cutoffs")),
    ("table", "Preview", re.compile(r"first rows")),
    ("label", "What the read gives", re.compile(r"^\d+ reaction times; \d+ missing values? skipped")),
    ("push button", "Read", None),
]

# The same for the analysis window once the grouped file is read and every group fitted.
GROUP_CONTROLS = [
    ("combo box", None, re.compile(r"^The group of the loaded file")),
    ("push button", "Fit every group", re.compile(r"^Fits the model to each group")),
    ("push button", "Copy rows", re.compile(r"tab separated")),
    ("push button", "Save results as CSV...", re.compile(r"CSV file")),
    ("table", "Every group's fit", re.compile(r"^One row per group")),
]


def xdotool(*arguments):
    """Real key presses through the X server (XTest), as a user's keyboard sends them."""
    done = subprocess.run(["xdotool", *arguments], capture_output=True, text=True, timeout=10)
    return done.stdout.strip()


def found_in(root, role, name):
    return next((n for _, n in walk(root) if role_of(n) == role and n.get_name() == name), None)


def expect_controls(root, wanted, where):
    """Each (role, name, description) is there; a combo box says its current item as its name, so
    one is found by its description alone (name None)."""
    for role, name, description in wanted:
        node = next((n for _, n in walk(root) if role_of(n) == role and
                     (n.get_name() == name if name is not None else matches(description, n.get_description() or ""))),
                    None)
        if node is None:
            dump(root)
            fail(f"{where}: no {role} named {name!r} described {description}")
        said = node.get_description() or ""
        print(f"{where}: {role} {node.get_name()!r}: {said!r}")
        if not matches(description, said):
            fail(f"{where}: the {role} {name!r} is described {said!r}")


def grouped_csv():
    rows = ['"","pno","condition","trialnum","acc","rt"']
    n = 0
    for p in range(1, 4):
        for condition in ("congruent", "incongruent"):
            for t in range(1, 41):
                n += 1
                rt = "NA" if n % 9 == 0 else f"{0.45 + ((n * 37) % 29) / 100 + (0.2 if (n * 11) % 7 == 0 else 0):.3f}"
                rows.append(f'"{n}","p{p}","{condition}",{t},{0 if n % 13 == 0 else 1},{rt}')
    handle, path = tempfile.mkstemp(prefix="corvane-atspi-", suffix=".csv")
    with os.fdopen(handle, "w") as out:
        out.write("\n".join(rows) + "\n")
    return path


def check_grouped_file(app):
    path = grouped_csv()
    try:
        # Ctrl+O in the main window, given the keyboard (there is no window manager to give it):
        # the analysis window and the file dialog.
        form = xdotool("search", "--onlyvisible", "--name", "^Form1$").split("\n")[0]
        xdotool("windowfocus", "--sync", form)
        pump(0.3)
        xdotool("key", "ctrl+o")
        chooser = wait_for("the file dialog", lambda: window_of(app, "Open reaction times"))
        pump(0.5)
        texts = [n for _, n in walk(chooser) if role_of(n) == "text" and "EditableText" in n.get_interfaces()]
        field = next((n for n in texts if "name" in (n.get_name() or "").lower()), texts[0] if texts else None)
        if field is None:
            dump(chooser)
            fail("the file dialog has no file name field")
        Atspi.EditableText.set_text_contents(field, path)
        pump(0.3)
        opener = found_in(chooser, "push button", "Open")
        if opener is None:
            xdotool("key", "Return")
        else:
            press(opener)
        dialog = wait_for("the read dialog", lambda: window_of(app, "Read reaction times"))
        pump(0.5)
        print(f"read dialog: {dialog.get_role_name()} {dialog.get_name()!r} {dialog.get_description()!r}")
        expect_controls(dialog, READ_DIALOG, "read dialog")
        for column in ("pno", "condition"):
            box = found_in(dialog, "check box", column)
            if box is None:
                fail(f"the read dialog has no check box {column!r} to group by")
            press(box)
            wait_for(f"{column!r} checked", lambda: box.get_state_set().contains(Atspi.StateType.CHECKED))
        count = found_in(dialog, "label", "What the read gives")
        wait_for("the count of 6 groups", lambda: (count.get_description() or "").startswith("6 groups"))
        print(f"read dialog counts: {count.get_description()!r}")
        press(found_in(dialog, "push button", "Read"))
        analysis = wait_for("the analysis window", lambda: window_of(app, "Series analysis"))
        wait_for("the group chooser", lambda: next((n for _, n in walk(analysis) if role_of(n) == "combo box" and
                                                    (n.get_name() or "").startswith("p1, congruent (")), None))
        press(found_in(analysis, "push button", "Fit every group"))
        table = found_in(analysis, "table", "Every group's fit")
        # By maximum likelihood, the window's default, with its bootstrap: the lattice shapes are
        # solved first, so this takes tens of seconds.
        wait_for("every group's fit", lambda: Atspi.Table.get_n_rows(table) == 6, timeout=300)
        pump(0.3)
        expect_controls(analysis, GROUP_CONTROLS, "analysis window")
        header = [Atspi.Table.get_column_header(table, c).get_name() for c in range(3)]
        print(f"every group's fit: {Atspi.Table.get_n_rows(table)} rows, columns {header}...")
        if header != ["pno", "condition", "n"]:
            fail(f"every group's fit begins with the columns {header}")
    finally:
        os.unlink(path)


if __name__ == "__main__":
    main()
