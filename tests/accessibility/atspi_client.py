#!/usr/bin/python3
"""Plays one question of Vorlen the way a screen reader user's tools would:
through the AT-SPI accessibility bus, from outside the program. Reads the
window's accessible tree (names, roles, enabled and showing states), presses
"Başla" and an answer button through the action interface, and checks what
the window then says. Run under tools/with-atspi.sh; usage: atspi_client.py VORLEN
"""

import os
import re
import subprocess
import sys

import pyatspi
from orca_session import Failure, wait_for

QUESTION = re.compile(r"^(\d+) çarpı (\d+)$")


def fail(message):
    print("FAIL:", message, file=sys.stderr)
    sys.exit(1)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        app = desktop.getChildAtIndex(index)
        if app is not None and app.name == "Vorlen":
            return app
    return None


def walk(node):
    yield node
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            yield from walk(child)


def find_all(app, role=None, name=None):
    return [
        node
        for node in walk(app)
        if (role is None or node.getRole() == role) and (name is None or node.name == name)
    ]


def find_one(app, role, name):
    nodes = find_all(app, role, name)
    return nodes[0] if len(nodes) == 1 else None


def states(node):
    return node.getState()


def is_on(node, state):
    return states(node).contains(state)


def press(node):
    action = node.queryAction()
    for index in range(action.nActions):
        if action.getName(index) in ("Press", "press", "click"):
            action.doAction(index)
            return
    action.doAction(0)


def question(app):
    for node in walk(app):
        match = QUESTION.match(node.name or "")
        if match:
            return int(match.group(1)), int(match.group(2))
    return None


def main():
    program = sys.argv[1]
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    proc = subprocess.Popen([program], env=env)
    try:
        app = wait_for("the Vorlen application on the accessibility bus", application)
        start = wait_for("the start button", lambda: find_one(app, pyatspi.ROLE_PUSH_BUTTON, "Başla"))

        # The idle window: what a child meets first.
        if not (is_on(start, pyatspi.STATE_ENABLED) and is_on(start, pyatspi.STATE_SHOWING)):
            fail("Başla is not enabled and showing")
        window = app.getChildAtIndex(0)
        if window.name != "Vorlen" or not window.description.startswith("Keldar Yazılım"):
            fail("the window should be named Vorlen with the maker's line as description, not %r" % window.name)
        # Only the window itself may look like a window: a panel taken for one
        # would hide the focus inside it from a screen reader.
        frames = [node for node in walk(app) if node.getRole() == pyatspi.ROLE_FRAME and node != window]
        if frames:
            fail("panels exposed as windows: %s" % [node.name for node in frames])
        if any("\r" in (node.name or "") for node in walk(app)):
            fail("a name holds a raw carriage return")
        # A list is read out by its choice, and by its purpose as description.
        for name, purpose in (("Tümü", "Çarpım tablosu seçimi"), ("Sıralı", "Soru sırası seçimi")):
            node = find_one(app, pyatspi.ROLE_COMBO_BOX, name)
            if node is None or not is_on(node, pyatspi.STATE_ENABLED) or node.description != purpose:
                fail("no enabled list showing %s for %s" % (name, purpose))
            labels = [
                target.name
                for relation in node.getRelationSet()
                if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
                for target in (relation.getTarget(i) for i in range(relation.getNTargets()))
            ]
            if labels != ["Sorma Şekli :"]:
                fail("the list showing %s should be labelled by Sorma Şekli :, not %s" % (name, labels))
        # Each answer is called what it shows: while idle, a sample's number.
        answers = [node for node in find_all(app, pyatspi.ROLE_PUSH_BUTTON) if node.name.isdigit()]
        if len(answers) != 4 or any(is_on(node, pyatspi.STATE_ENABLED) for node in answers):
            fail("expected four disabled answer buttons while idle, found %d" % len(answers))
        # Each count is read once, with its caption.
        for caption in ("Toplam soru sayısı : 0", "Doğru sayısı : 0", "Yanlış sayısı : 0"):
            if len(find_all(app, pyatspi.ROLE_LABEL, caption)) != 1:
                fail("expected one label named " + caption)
        if find_all(app, pyatspi.ROLE_LABEL, "0"):
            fail("a count is read a second time without its caption")

        press(start)
        wait_for("the stop button", lambda: find_one(app, pyatspi.ROLE_PUSH_BUTTON, "Dur"))
        first, second = wait_for("the question in words", lambda: question(app))
        if (first, second) != (1, 1):
            fail("the first question of Tümü/Sıralı should be 1 çarpı 1, not %d çarpı %d" % (first, second))

        right = wait_for("the right answer's button", lambda: find_one(app, pyatspi.ROLE_PUSH_BUTTON, "1"))
        if not is_on(right, pyatspi.STATE_ENABLED):
            fail("the answer buttons are not enabled while asking")
        press(right)
        wait_for("the right answer to be counted", lambda: find_all(app, pyatspi.ROLE_LABEL, "Doğru sayısı : 1"))
        wait_for("the next question", lambda: question(app) == (1, 2))

        # A wrong answer: the panel's name carries the correct answer.
        wrong = next(
            node
            for node in find_all(app, pyatspi.ROLE_PUSH_BUTTON)
            if node.name.isdigit() and node.name != "2" and is_on(node, pyatspi.STATE_SHOWING)
        )
        press(wrong)
        wait_for(
            "the wrong-answer panel",
            lambda: [node for node in walk(app) if "DOĞRU CEVAP : 2" in (node.name or "")],
        )
        ok = wait_for(
            "the showing OK button",
            lambda: next(
                (
                    node
                    for node in find_all(app, pyatspi.ROLE_PUSH_BUTTON, "Tamam")
                    if is_on(node, pyatspi.STATE_SHOWING)
                ),
                None,
            ),
        )
        press(ok)
        wait_for("the question after OK", lambda: question(app) == (1, 3))
        print("ok: the tree reads right and a question was played through AT-SPI")
    except Failure as failure:
        fail(str(failure))
    finally:
        proc.terminate()
        try:
            proc.wait(timeout=5)
        except subprocess.TimeoutExpired:
            proc.kill()


if __name__ == "__main__":
    main()
