#!/usr/bin/python3
"""Plays the screen-reader test's quiz in the web page: Chromium shows the
built site as an app window with its accessibility on, under the same Orca
set-up as the Qt window's test (tests/accessibility/orca_session.py), and
Orca must say the same things.

Usage (under tools/with-atspi.sh): orca_web_test.py [DIST]
"""

import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "accessibility"))

from browser import DIST, Site  # noqa: E402
from engines import CHROMIUM  # noqa: E402
from orca_session import active_window, count, run_quiz, wait_for  # noqa: E402

# Chromium as an app window, with its accessibility on from the start and
# nothing that reaches outside or asks questions (--test-type: no bar that
# warns of --no-sandbox, which the Tab key would reach).
APP_FLAGS = (
    "--no-sandbox --force-renderer-accessibility --ozone-platform=x11 --disable-gpu --disable-quic --no-first-run "
    "--no-default-browser-check --disable-background-networking --disable-component-update --disable-sync "
    "--disable-features=Translate --password-store=basic --lang=tr --test-type"
).split()


def main():
    site = Site(sys.argv[1] if len(sys.argv) > 1 else DIST)

    def open_page(session, before):
        profile = tempfile.mkdtemp(prefix="profile-", dir=session.root)
        session.start([CHROMIUM, *APP_FLAGS, "--user-data-dir=" + profile, "--app=" + site.url], "chromium")
        wait_for("the page's window to take the keyboard focus", lambda: "Vorlen" in active_window(session), 30)

    def check_opening(opening, expect):
        # The window takes the page's title as it loads: Orca may name it
        # "Chromium" before, but names it Vorlen before anything of the page.
        named = [line for line in opening if "Vorlen" in line or "Başla" in line]
        expect(named[:1] and named[0].startswith("Vorlen"), "the window is named Vorlen first: %s" % opening)
        expect(count(opening, "Başla") == 1, "the start button is named once when the page opens: %s" % opening)

    try:
        return run_quiz("web", "page opens", open_page, check_opening,
                        "ok: Orca said in the web page what it says in the window")
    finally:
        site.stop()


if __name__ == "__main__":
    sys.exit(main())
