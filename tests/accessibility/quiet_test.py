#!/usr/bin/python3
# What a resting window costs a screen reader: the program under Orca, left
# alone for 20 s once Orca has read its opening, three times, each with a
# fresh program. A benchmark with bounds: the medians of the three runs'
# CPU shares, Orca at most 0.5 % of a core and the program at most 1.5 %;
# a window that renamed its answers at each sample cost each about 7 %.
# Usage (under tools/with-atspi.sh): quiet_test.py VORLEN

import sys

from orca_session import Failure, Session, count, cpu_percent, median, wait_for

RUNS = 3
SECONDS = 20.0
BOUNDS = {"Orca": 0.5, "the program": 1.5}  # percent of one core, at most


def main():
    session = Session()
    runs = []
    try:
        session.start_desktop()
        for run in range(RUNS):
            before = len(session.spoken())
            program = session.start([sys.argv[1]], "vorlen-%d" % run)
            wait_for("Orca to name the start button", lambda: count(session.spoken()[before:], "Başla"), 30)
            session.settle(quiet=1.5, limit=10)
            runs.append(cpu_percent({"Orca": [session.orca.pid], "the program": [program.pid]}, SECONDS))
            program.terminate()
            program.wait(timeout=5)
    except Failure as failure:
        print("FAIL:", failure, file=sys.stderr)
        return 1
    finally:
        session.stop()
    medians = {name: median([shares[name] for shares in runs]) for name in BOUNDS}
    for name, bound in BOUNDS.items():
        print("%s, the window at rest under Orca: median %.2f %% of a core over %.0f s (runs %s), bound %.1f %%" % (
            name, medians[name], SECONDS, ", ".join("%.2f" % shares[name] for shares in runs), bound))
    over = [name for name, bound in BOUNDS.items() if medians[name] > bound]
    if over:
        print("FAIL: a resting window costs too much: %s" % ", ".join(over), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
