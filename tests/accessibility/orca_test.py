#!/usr/bin/python3
# One quiz played by keyboard under Orca, checked by what Orca says
# (orca_session.py); what the tree holds is tree_test.py's.
# Usage (under tools/with-atspi.sh): orca_test.py VORLEN

import sys

from orca_session import active_window, count, run_quiz, wait_for


def main():
    program = sys.argv[1]

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
