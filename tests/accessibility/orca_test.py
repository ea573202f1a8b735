#!/usr/bin/python3
# The window as a screen reader finds it: first through the AT-SPI bus, as a
# client (no panel taken for a window, and the counts as a quiz goes on, each
# read once with its caption), then one quiz played by keyboard under Orca,
# checked by what Orca says (orca_session.py).
# Usage (under tools/with-atspi.sh): orca_test.py VORLEN

import subprocess
import sys

import pyatspi
from orca_session import Failure, active_window, count, run_quiz, wait_for


def walk(node):
    yield node
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            yield from walk(child)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    apps = [desktop.getChildAtIndex(i) for i in range(desktop.childCount)]
    return next((app for app in apps if app is not None and app.name == "Vorlen"), None)


def check_tree(program):
    # Starts, answers 1 çarpı 1 right and 1 çarpı 2 wrong through the action
    # interface; gives back what was wrong.
    proc = subprocess.Popen([program])
    try:
        app = wait_for("Vorlen on the accessibility bus", application, 15)

        def labels():
            return [node.name for node in walk(app) if node.getRole() == pyatspi.ROLE_LABEL]

        def press(what, wanted):
            button = wait_for(what, lambda: next((
                node for node in walk(app) if node.getRole() == pyatspi.ROLE_PUSH_BUTTON and wanted(node.name)
                and node.getState().contains(pyatspi.STATE_ENABLED)), None))
            button.queryAction().doAction(0)

        wait_for("the counts", lambda: "Doğru sayısı : 0" in labels())
        # A panel taken for a window would hide the focus inside it.
        windows = [node.name for node in list(walk(app))[2:]
                   if node.getRole() in (pyatspi.ROLE_FRAME, pyatspi.ROLE_WINDOW)]
        if windows or "0" in labels():
            return ["panels taken for windows %s, or a count without its caption: %s" % (windows, labels())]
        for what, wanted, counts in (("Başla", "Başla".__eq__, (0, 0, 0)), ("the right answer", "1".__eq__, (1, 1, 0)),
                                     ("a wrong answer", lambda name: name.isdigit() and name != "2", (2, 1, 1))):
            press(what, wanted)
            captions = ["Toplam soru sayısı : %d" % counts[0], "Doğru sayısı : %d" % counts[1],
                        "Yanlış sayısı : %d" % counts[2]]
            wait_for("%s after %s in %s" % (captions, what, labels()),
                     lambda: all(labels().count(caption) == 1 for caption in captions), 5)
        return []
    except Failure as failure:
        return [str(failure)]
    finally:
        proc.terminate()
        proc.wait(timeout=5)


def main():
    program = sys.argv[1]
    problems = check_tree(program)
    if problems:
        print("FAIL: on the accessibility bus:", *problems, file=sys.stderr)
        return 1

    def open_program(session, _before):
        session.start([program], "vorlen")
        wait_for("the window to take the keyboard focus", lambda: "Vorlen" in active_window(session), 15)

    def check_opening(opening, expect):
        expect(opening[:1] == ["Vorlen."], "the window is named Vorlen first: %s" % opening[:1])
        expect(count(opening, "Başla") == 1, "the start button is named once when the window opens")

    return run_quiz("test", "program starts", open_program, check_opening,
                    "ok: Orca said what a child needs, once each, and nothing while idle or blinking")


if __name__ == "__main__":
    sys.exit(main())
