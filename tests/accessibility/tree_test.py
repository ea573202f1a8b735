#!/usr/bin/python3
# The window as an AT-SPI client finds it, with no screen reader's timing in
# it: the parts in the tree with their roles and names (the parts that
# another part speaks for are absent), the order in which Tab moves the
# focus, the counts read once each with their captions, and how many events
# the window sends while it rests and while the wrong-answer panel blinks:
# at most 5 in 3 s each, where a sample that renamed the answers sent about
# 140. Presses go through the action interface, keys through xdotool.
# Usage (under tools/with-atspi.sh): tree_test.py VORLEN

import subprocess
import sys

import pyatspi
from orca_session import Events, Failure, wait_for

DEDICATION = "Çarpım tablosunu öğrenen bütün çocuklara, sevgiyle armağan edilmiştir."
# What the idle window holds, in tree order: (depth, role, name, showing).
IDLE = [
    (0, "filler", "Vorlen", True),
    (1, "panel", "", True),
    (2, "label", "Sorma Şekli :", True),
    (2, "push button", "Başla", True),
    (2, "combo box", "Tümü", True),
    (2, "combo box", "Sıralı", True),
    (1, "panel", "Örnek sorular", True),  # its locked samples out of the tree
    (1, "panel", "", True),
    (2, "label", DEDICATION, True),
    (2, "label", "Toplam soru sayısı : 0", True),
    (2, "label", "Doğru sayısı : 0", True),
    (2, "label", "Yanlış sayısı : 0", True),
    (1, "alert", "!!! YANLIŞ !!! !!! YANLIŞ !!!", False),
    (2, "push button", "Tamam", False),
    (1, "panel", "", False),
    (2, "image", "İthaf", False),
    (2, "push button", "Tamam", False),
    (1, "notification", "", False),
]


def walk(node, depth=-1):
    yield depth, node
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            yield from walk(child, depth + 1)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    apps = [desktop.getChildAtIndex(i) for i in range(desktop.childCount)]
    return next((app for app in apps if app is not None and app.name == "Vorlen"), None)


def tree(app):
    return [(depth, node.getRoleName(), node.name, node.getState().contains(pyatspi.STATE_SHOWING))
            for depth, node in walk(app) if depth >= 0]


def enabled(node):
    return node.getState().contains(pyatspi.STATE_ENABLED)


def focus_order(app, steps):
    # The focused part's (role, name) now and after each Tab; where Tab has
    # nowhere else to go, the focus stays (seen after 2 s).
    def focused():
        return next(((node.getRoleName(), node.name) for _, node in walk(app)
                     if node.getState().contains(pyatspi.STATE_FOCUSED)), None)

    order = [wait_for("a focused part", focused)]
    for _ in range(steps):
        subprocess.run(["xdotool", "key", "Tab"], check=True)
        try:
            order.append(wait_for("the focus to move", lambda: focused() != order[-1] and focused(), 2))
        except Failure:
            order.append(focused())
    return order


def main():
    problems = []

    def expect(condition, message):
        if not condition:
            problems.append(message)

    proc = subprocess.Popen([sys.argv[1]])
    try:
        app = wait_for("Vorlen on the accessibility bus", application, 15)
        events = Events("Vorlen")
        wait_for("the counts", lambda: ("label", "Doğru sayısı : 0") in [row[1:3] for row in tree(app)])
        expect(tree(app) == IDLE, "the idle window's tree:\n  %s" % "\n  ".join(map(str, tree(app))))
        events.quiet("resting", expect)

        window = subprocess.run(["xdotool", "search", "--sync", "--name", "^Vorlen"], capture_output=True,
                                text=True, check=True).stdout.split()[0]
        subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
        order = focus_order(app, 3)
        expect(order == [("push button", "Başla"), ("combo box", "Tümü"), ("combo box", "Sıralı"),
                         ("push button", "Başla")], "Tab while idle: %s" % order)

        def press(what, wanted):
            button = wait_for(what, lambda: next((
                node for _, node in walk(app) if node.getRole() == pyatspi.ROLE_PUSH_BUTTON and wanted(node.name)
                and enabled(node) and node.getState().contains(pyatspi.STATE_SHOWING)), None))
            button.queryAction().doAction(0)

        def counts(total, right, wrong):
            captions = ["Toplam soru sayısı : %d" % total, "Doğru sayısı : %d" % right,
                        "Yanlış sayısı : %d" % wrong]
            wait_for("%s in %s" % (captions, tree(app)),
                     lambda: all([row[2] for row in tree(app)].count(caption) == 1 for caption in captions), 5)

        press("Başla", lambda name: name == "Başla")
        counts(0, 0, 0)
        question = wait_for("the first question", lambda: next((
            name for _, role, name, _ in tree(app) if role == "panel" and name == "1 çarpı 1"), None))
        question_panel = next(index for index, row in enumerate(tree(app)) if row[2] == "1 çarpı 1")
        answers = [name for _, role, name, _ in tree(app)[question_panel + 1:question_panel + 5] if role == "push button"]
        expect(sorted(answers, key=int) == sorted(set(answers), key=int) and "1" in answers,
               "in a quiz each answer is called what it shows, one of them 1: %s under %s" % (answers, question))
        order = focus_order(app, 5)
        expect(order == [("push button", "Dur")] + [("push button", name) for name in answers]
               + [("push button", "Dur")], "Tab in a quiz: %s" % order)

        press("the right answer", lambda name: name == "1")
        counts(1, 1, 0)
        press("a wrong answer", lambda name: name.isdigit() and name != "2")
        counts(2, 1, 1)
        alert = [row for row in tree(app) if row[1] == "alert"]
        expect(alert == [(1, "alert", "!!! YANLIŞ !!! DOĞRU CEVAP : 2", True)], "the open panel: %s" % alert)
        events.quiet("blinking", expect)
        order = focus_order(app, 1)
        expect(order == [("push button", "Tamam")] * 2, "Tab with the panel open: %s" % order)
    except Failure as failure:
        problems.append(str(failure))
    finally:
        proc.terminate()
        proc.wait(timeout=5)
    if problems:
        print("FAIL: on the accessibility bus:", *("  - " + problem for problem in problems), sep="\n",
              file=sys.stderr)
        return 1
    print("ok: the tree, the focus order and the counts as drawn, and quiet at rest and while blinking")
    return 0


if __name__ == "__main__":
    sys.exit(main())
