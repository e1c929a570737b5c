#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
# SPDX-License-Identifier: MIT
"""Prints what a screen reader finds in an open setup window, one line per
control: its role, its name and the value text it reads out (a slider's value,
a box's text), indented by depth.

    a11y-dump.py [--app vosk-host] [--window "Marzan Setup"] [--pages] [--check]

It talks to the accessibility bus of the current desktop session, so run it
beside a host started with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 (or with a screen
reader on). --pages presses each page's tab in turn, prints what that page
shows, and goes back to the page that was open. --check does the same and
exits with 1 when a slider a person can reach has no name, shares its name
with another slider, sits in a group with other sliders without naming its
wheel, axle or gear ("springs (N/mm), LF"), or reads out no value; 2 means
the window was not found.
"""

import argparse
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

# What a slider that shares its group with others ends its name with.
WHEELS_AND_GEARS = {"LF", "RF", "LR", "RR", "front", "rear", "1st", "2nd", "3rd", "4th", "5th", "6th"}


def children(node):
    try:
        count = node.get_child_count()
    except GLib.Error:
        return []
    # A child can vanish between the count and the look-up.
    return [c for c in (node.get_child_at_index(i) for i in range(count)) if c is not None]


def role(node):
    return node.get_role_name()


def showing(node):
    return node.get_state_set().contains(Atspi.StateType.SHOWING)


def selected(node):
    return node.get_state_set().contains(Atspi.StateType.SELECTED)


def value_text(node):
    """The text a screen reader speaks for the control's value: a slider's
    value text (or, where the toolkit cannot carry one, its description),
    a box's contents, else nothing."""
    interfaces = node.get_interfaces()
    if "Value" in interfaces:
        try:
            text = Atspi.Value.get_text(node)
        except GLib.Error:
            text = ""
        return text or node.get_description() or ""
    if "Text" in interfaces:
        return Atspi.Text.get_text(node, 0, -1)
    return node.get_description() or ""


def find(node, wanted, only_showing=True):
    """The first node at or below `node`, depth first, that `wanted` accepts;
    with only_showing, hidden branches are not searched."""
    stack = [node]
    while stack:
        n = stack.pop()
        try:
            if only_showing and n is not node and not showing(n):
                continue
            if wanted(n):
                return n
        except GLib.Error:
            continue  # gone while we looked
        stack.extend(reversed(children(n)))
    return None


def find_all(node, wanted, only_showing=True):
    found = []

    def visit(n):
        if only_showing and not showing(n):
            return
        if wanted(n):
            found.append(n)
        for c in children(n):
            visit(c)

    visit(node)
    return found


def wait_for(what, probe, timeout):
    """Calls probe until it returns something true and returns that; raises
    TimeoutError naming `what` after `timeout` seconds."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            result = probe()
        except GLib.Error:
            result = None
        if result:
            return result
        if time.monotonic() >= deadline:
            raise TimeoutError(f"waited {timeout:g}s for {what}")
        time.sleep(0.1)


def application(name):
    desktop = Atspi.get_desktop(0)
    return next((a for a in children(desktop) if a.get_name() == name), None)


def window(app_name, title, timeout):
    """The showing window of that title in the application of that name."""

    def probe():
        app = application(app_name)
        return app and find(app, lambda n: role(n) in ("frame", "dialog", "internal frame") and n.get_name() == title)

    return wait_for(f'the window "{title}" of {app_name}', probe, timeout)


def lines(node, only_showing, depth=0):
    """One line per control at or below node: indent, role, "name", = "value"."""
    if only_showing and not showing(node):
        return []
    line = "  " * depth + f'{role(node)} "{node.get_name()}"'
    text = value_text(node)
    if text:
        line += f' = "{text}"'
    elif "Value" in node.get_interfaces():
        # What a screen reader falls back on: the bare position.
        line += f" = {Atspi.Value.get_current_value(node):g}"
    if not only_showing and not showing(node):
        line += " (hidden)"
    out = [line]
    for c in children(node):
        out += lines(c, only_showing, depth + 1)
    return out


def press(node):
    if "Action" not in node.get_interfaces() or Atspi.Action.get_n_actions(node) == 0:
        raise RuntimeError(f'{role(node)} "{node.get_name()}" has no action')
    Atspi.Action.do_action(node, 0)


def open_tab(tab_list):
    """The page tab of the open page: the one selected or, where the tab bar
    does not say, the one the tab bar is named after."""
    tabs = [t for t in children(tab_list) if role(t) == "page tab"]
    return next((t for t in tabs if selected(t)), None) or next(
        (t for t in tabs if t.get_name() == tab_list.get_name()), None
    )


def pages(win, timeout):
    """Opens each page of the window by its tab; yields (tab name, window)
    while that page shows, then opens the page that was open before."""
    tab_list = wait_for("the window's page tabs", lambda: find(win, lambda n: role(n) == "page tab list"), timeout)
    tabs = [t for t in children(tab_list) if role(t) == "page tab"]
    was_open = open_tab(tab_list)
    for tab in tabs:
        press(tab)
        wait_for(f'the page "{tab.get_name()}" to open', lambda: open_tab(tab_list) == tab, timeout)
        yield tab.get_name(), win
    if was_open is not None:
        press(was_open)


def slider_problems(sliders):
    """sliders: (name, value text, the names of the other sliders in its
    group) for every slider a person can reach, each once."""
    problems = []
    names = [name for name, _, _ in sliders]
    for name, text, group_mates in sliders:
        if not name:
            problems.append("a slider has no name")
            continue
        if names.count(name) > 1:
            problems.append(f'{names.count(name)} sliders are named "{name}"')
        if group_mates and name.rpartition(", ")[2] not in WHEELS_AND_GEARS:
            problems.append(f'"{name}" does not say which wheel, axle or gear it sets')
        if not text:
            problems.append(f'"{name}" reads out no value')
    return sorted(set(problems))


def sliders_of(node):
    """(name, value text, names of the other showing sliders beside it) of
    each showing slider at or below node."""
    found = []
    for slider in find_all(node, lambda n: role(n) == "slider"):
        parent = slider.get_parent()
        mates = [s.get_name() for s in children(parent) if role(s) == "slider" and showing(s) and s != slider]
        found.append((slider.get_name(), value_text(slider), tuple(mates)))
    return found


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--app", default="vosk-host", help="the application's accessible name")
    parser.add_argument("--window", default="Marzan Setup", help="the window's title")
    parser.add_argument("--pages", action="store_true", help="open every page in turn and print what it shows")
    parser.add_argument("--check", action="store_true",
                        help="--pages, and exit with 1 when a slider's name or value is missing or unclear")
    parser.add_argument("--timeout", type=float, default=30, help="seconds to wait for the window and each page")
    args = parser.parse_args()
    # A person reaches every page, so a check looks at every page.
    args.pages = args.pages or args.check

    try:
        win = window(args.app, args.window, args.timeout)
        # Each slider stands on one page, so each is met once.
        sliders = []
        if args.pages:
            for tab, shown in pages(win, args.timeout):
                print(f"== {tab}")
                print("\n".join(lines(shown, only_showing=True)))
                sliders += sliders_of(shown)
        else:
            print("\n".join(lines(win, only_showing=False)))
            sliders = sliders_of(win)
    except (TimeoutError, RuntimeError, GLib.Error) as e:
        print(f"a11y-dump: {e}", file=sys.stderr)
        return 2

    if args.check:
        problems = slider_problems(sliders)
        for p in problems:
            print(f"a11y-dump: {p}", file=sys.stderr)
        if problems:
            return 1
        print(f"a11y-dump: {len(sliders)} sliders, each named distinctly with its value", file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main())
