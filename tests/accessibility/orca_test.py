#!/usr/bin/python3
"""Plays one quiz of Vorlen by keyboard under the Orca screen reader and checks
what Orca says, as a blind child would hear it. The desktop, Orca and the quiz
itself are tests/accessibility/orca_session.py's.

Usage (under tools/with-atspi.sh): orca_test.py VORLEN
"""

import signal
import subprocess
import sys

from orca_session import Failure, Player, Session, count, missing_prerequisites, play_quiz, report, wait_for


def main():
    program = sys.argv[1]
    missing = missing_prerequisites()
    if missing:
        print("FAIL: missing %s; run sh tools/deps.sh test" % ", ".join(missing), file=sys.stderr)
        return 1
    session = Session()
    problems = []
    # Stopped from outside (a test timeout): still stop what was started.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("stopped from outside"))

    def expect(condition, message):
        if not condition:
            problems.append(message)

    try:
        session.start_desktop()
        session.mark("program starts")
        before = len(session.spoken())
        session.start([program], "vorlen")
        wait_for(
            "the window to take the keyboard focus",
            lambda: "Vorlen"
            in subprocess.run(
                ["xdotool", "getactivewindow", "getwindowname"], env=session.env, capture_output=True, text=True
            ).stdout,
            15,
        )
        session.settle(quiet=1.5, limit=6)
        opening = session.spoken()[before:]
        play = Player(session)

        expect(opening[:1] == ["Vorlen."], "the window is named Vorlen first: %s" % opening[:1])
        expect(count(opening, "Başla") == 1, "the start button is named once when the window opens")

        play_quiz(play, expect)
    except Failure as failure:
        problems.append(str(failure))
    finally:
        session.stop()

    return report(session, problems, "ok: Orca said what a child needs, once each, and nothing while idle or blinking")


if __name__ == "__main__":
    sys.exit(main())
