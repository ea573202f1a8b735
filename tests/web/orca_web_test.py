#!/usr/bin/python3
"""Plays the screen-reader test's quiz in the web page: Chromium shows the
built site as an app window with its accessibility on, under the same Orca
set-up as the Qt window's test (tests/accessibility/orca_session.py), and
Orca must say the same things.

Usage (under tools/with-atspi.sh): orca_web_test.py [DIST]
"""

import os
import signal
import subprocess
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "accessibility"))

from browser import CHROMIUM, DIST, Site  # noqa: E402
from orca_session import Failure, Player, Session, count, missing_prerequisites, play_quiz, report, wait_for  # noqa: E402

# Chromium as an app window, with its accessibility on from the start and
# nothing that reaches outside or asks questions (--test-type: no bar that
# warns of --no-sandbox, which the Tab key would reach).
APP_FLAGS = (
    "--no-sandbox --force-renderer-accessibility --ozone-platform=x11 --disable-gpu --disable-quic --no-first-run "
    "--no-default-browser-check --disable-background-networking --disable-component-update --disable-sync "
    "--disable-features=Translate --password-store=basic --lang=tr --test-type"
).split()


def active_window(session):
    return subprocess.run(
        ["xdotool", "getactivewindow", "getwindowname"], env=session.env, capture_output=True, text=True
    ).stdout


def main():
    missing = missing_prerequisites()
    if missing:
        print("FAIL: missing %s; run sh tools/deps.sh web" % ", ".join(missing), file=sys.stderr)
        return 1
    site = Site(sys.argv[1] if len(sys.argv) > 1 else DIST).start()
    session = Session()
    problems = []
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("stopped from outside"))

    def expect(condition, message):
        if not condition:
            problems.append(message)

    try:
        session.start_desktop()
        session.mark("page opens")
        before = len(session.spoken())
        profile = tempfile.mkdtemp(prefix="profile-", dir=session.root)
        session.start([CHROMIUM, *APP_FLAGS, "--user-data-dir=" + profile, "--app=" + site.url], "chromium")
        wait_for("the page's window to take the keyboard focus", lambda: "Vorlen" in active_window(session), 30)
        wait_for("Orca to name the start button", lambda: count(session.spoken()[before:], "Başla"), 15)
        session.settle(quiet=1.5, limit=6)
        opening = session.spoken()[before:]

        # The window takes the page's title as it loads: Orca may name it
        # "Chromium" before, but names it Vorlen before anything of the page.
        named = [line for line in opening if "Vorlen" in line or "Başla" in line]
        expect(named[:1] and named[0].startswith("Vorlen"), "the window is named Vorlen first: %s" % opening)
        expect(count(opening, "Başla") == 1, "the start button is named once when the page opens: %s" % opening)
        play_quiz(Player(session), expect)
    except Failure as failure:
        problems.append(str(failure))
    finally:
        session.stop()
        site.stop()

    return report(session, problems, "ok: Orca said in the web page what it says in the window")


if __name__ == "__main__":
    sys.exit(main())
