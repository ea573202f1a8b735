#!/usr/bin/python3
"""What the resting page costs a screen reader in Chromium, as the Qt
window's quiet_test.py measures it: the events Chromium sends while the page
rests and while the wrong-answer panel blinks (at most 5 in 3 s each, counted
by an AT-SPI client), and Orca's share of a core over 20 s of rest, three
runs, the median at most 0.5 %. Chromium's own share is reported with and
without assistive technology (no bound: it is too noisy here).

Usage (under tools/with-atspi.sh): quiet_web_test.py [DIST]
"""

import sys
import tempfile
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "accessibility"))

import pyatspi  # noqa: E402
from browser import DIST, Site  # noqa: E402
from engines import CHROMIUM  # noqa: E402
from orca_session import (Events, Failure, Session, active_window, count, cpu_percent, descendants,  # noqa: E402
                          median, wait_for)
from orca_web_test import APP_FLAGS  # noqa: E402

RUNS = 3
SECONDS = 20.0
ORCA_BOUND = 0.5  # percent of one core, at most
# Chromium without its accessibility: the same flags less the one that turns it on.
PLAIN_FLAGS = [flag for flag in APP_FLAGS if flag != "--force-renderer-accessibility"]


def buttons(name):
    desktop = pyatspi.Registry.getDesktop(0)
    found = []

    def walk(node):
        if node.getRole() == pyatspi.ROLE_PUSH_BUTTON and name(node.name) and node.getState().contains(
                pyatspi.STATE_ENABLED):
            found.append(node)
        for index in range(node.childCount):
            child = node.getChildAtIndex(index)
            if child is not None:
                walk(child)

    for index in range(desktop.childCount):
        app = desktop.getChildAtIndex(index)
        if app is not None and app.name == "Chromium":
            walk(app)
    return found


def main():
    site = Site(sys.argv[1] if len(sys.argv) > 1 else DIST)
    session = Session()
    problems = []

    def expect(condition, message):
        if not condition:
            problems.append(message)

    def page(flags, run, ready):
        profile = tempfile.mkdtemp(prefix="profile-", dir=session.root)
        browser = session.start([CHROMIUM, *flags, "--user-data-dir=" + profile, "--app=" + site.url],
                                "chromium-%s" % run)
        ready()
        return browser

    def close(browser):
        browser.terminate()
        browser.wait(timeout=10)

    def rest(browser):
        # Chromium's processes once the page is up, then 20 s of rest.
        return cpu_percent({"chromium": descendants(browser.pid), "orca": [session.orca.pid]}, SECONDS)

    try:
        session.start_desktop(screen_reader=False)
        plain = []
        for run in range(RUNS):
            browser = page(PLAIN_FLAGS, "plain-%d" % run, lambda: wait_for(
                "the page's window", lambda: "Vorlen" in active_window(session), 30))
            time.sleep(5)  # the program loads and starts: as long as Orca's opening takes below
            plain.append(cpu_percent({"chromium": descendants(browser.pid)}, SECONDS)["chromium"])
            close(browser)

        session.start_screen_reader()
        heard = []
        for run in range(RUNS):
            before = len(session.spoken())
            browser = page(APP_FLAGS, "orca-%d" % run, lambda: wait_for(
                "Orca to name the start button", lambda: count(session.spoken()[before:], "Başla"), 30))
            session.settle(quiet=1.5, limit=10)
            heard.append(rest(browser))
            close(browser)

        browser = page(APP_FLAGS, "counted", lambda: wait_for("the start button", lambda: buttons("Başla".__eq__), 30))
        events = Events("Chromium")
        events.quiet("the page resting", expect)
        wait_for("the start button", lambda: buttons("Başla".__eq__))[0].queryAction().doAction(0)
        wrong = wait_for("a wrong answer", lambda: buttons(lambda name: name.isdigit() and name != "1"))
        wrong[0].queryAction().doAction(0)
        wait_for("the panel's Tamam", lambda: buttons("Tamam".__eq__))
        events.quiet("the page's panel blinking", expect)
        close(browser)
    except Failure as failure:
        problems.append(str(failure))
    finally:
        session.stop()
        site.stop()

    orca = median([shares["orca"] for shares in heard]) if heard else None
    if orca is not None:
        print("Orca, the page at rest in Chromium: median %.2f %% of a core over %.0f s (runs %s), bound %.1f %%" % (
            orca, SECONDS, ", ".join("%.2f" % shares["orca"] for shares in heard), ORCA_BOUND))
        print("Chromium at rest: median %.2f %% with Orca and its accessibility on (runs %s), "
              "%.2f %% without (runs %s)" % (
                  median([shares["chromium"] for shares in heard]),
                  ", ".join("%.2f" % shares["chromium"] for shares in heard), median(plain),
                  ", ".join("%.2f" % share for share in plain)))
        expect(orca <= ORCA_BOUND, "Orca takes %.2f %% of a core while the page rests" % orca)
    if problems:
        print("FAIL:", *("  - " + problem for problem in problems), sep="\n", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
