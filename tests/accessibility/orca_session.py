# What the screen-reader tests share (tests/accessibility/orca_test.py for the
# Qt window, tests/web/orca_web_test.py for the page): inside the display and
# buses of tools/with-atspi.sh, openbox (so the window gets the keyboard focus),
# a speech-dispatcher whose only voice appends each utterance to a transcript,
# and Orca with its own home and settings (Session); keys go in through
# xdotool; one quiz played by keyboard with what Orca must say at each step
# (run_quiz). Every process is started here and stopped by its pid.

import collections
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

ORCA = "/usr/bin/orca"
SPEECH_MODULES = "/usr/lib/speech-dispatcher-modules"
QUESTION = re.compile(r"(\d+) çarpı (\d+)")
BUTTON_NUMBER = re.compile(r"^(\d+) düğme")  # Orca names a button, then says its role
# How long Orca may take to answer a key on a loaded machine.
SPEECH_TIMEOUT = 20.0
# A resting window or page sends at most this many events in this time.
QUIET_EVENTS = 5
QUIET_SECONDS = 3.0

# Orca refuses to start while another process of this user is called "orca";
# this one has its own display, buses and settings, so it skips that check.
ORCA_LAUNCHER = """
import importlib.machinery, importlib.util, sys
loader = importlib.machinery.SourceFileLoader("orca_launcher", sys.argv[1])
launcher = importlib.util.module_from_spec(importlib.util.spec_from_loader("orca_launcher", loader))
loader.exec_module(launcher)
launcher.otherOrcas = lambda: []
sys.argv = sys.argv[1:]
sys.exit(launcher.main())
"""


class Failure(Exception):
    pass


def cpu_seconds(pid):
    # The process's CPU time (user and system) so far; None once it is gone.
    try:
        with open("/proc/%d/stat" % pid) as stat:
            fields = stat.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")
    except (OSError, IndexError, ValueError):
        return None


def descendants(pid):
    # The process and every process below it (a browser's renderers and helpers).
    children = collections.defaultdict(list)
    for entry in os.listdir("/proc"):
        try:
            with open("/proc/%s/stat" % entry) as stat:
                children[int(stat.read().rsplit(")", 1)[1].split()[1])].append(int(entry))
        except (OSError, ValueError, IndexError):
            pass
    found, todo = [], [pid]
    while todo:
        found.append(todo.pop())
        todo.extend(children[found[-1]])
    return found


def cpu_percent(groups, seconds):
    # Each group's share of one core over the next `seconds`, as {name:
    # percent}: a group is a list of pids, each counted while it ran throughout.
    start = {pid: cpu_seconds(pid) for pids in groups.values() for pid in pids}
    began = time.monotonic()
    time.sleep(seconds)
    elapsed = time.monotonic() - began
    shares = {}
    for name, pids in groups.items():
        spent = [(cpu_seconds(pid), start[pid]) for pid in pids]
        shares[name] = 100.0 * sum(end - begin for end, begin in spent if None not in (end, begin)) / elapsed
    return shares


def median(values):
    ordered = sorted(values)
    return ordered[len(ordered) // 2]


def wait_for(what, probe, timeout=10.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = probe()
        if found:
            return found
        time.sleep(0.1)
    raise Failure("timed out waiting for " + what)


def count(lines, phrase):
    return sum(line.count(phrase) for line in lines)


class Session:
    def __init__(self):
        self.root = tempfile.mkdtemp(prefix="vorlen-orca-")
        self.transcript = os.path.join(self.root, "spoken.txt")
        self.processes = []
        self.env = dict(os.environ, LANG="tr_TR.UTF-8", LANGUAGE="tr", LC_ALL="tr_TR.UTF-8")
        for name in ("HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"):
            self.env[name] = os.path.join(self.root, name.lower())
            os.makedirs(self.env[name], mode=0o700)
        self.socket = os.path.join(self.env["XDG_RUNTIME_DIR"], "speechd.sock")
        self.env["SPEECHD_ADDRESS"] = "unix_socket:" + self.socket
        config = os.path.join(self.root, "speechd")
        os.makedirs(os.path.join(config, "modules"))
        record = os.path.join(self.root, "record-speech")
        self._write(record, '#!/bin/sh\nprintf "%%s\\n" "$1" >> "%s"\n' % self.transcript)
        os.chmod(record, 0o755)
        self._write(os.path.join(config, "speechd.conf"),
                    'LogLevel 3\nLogDir "%s"\nAudioOutputMethod "libao"\n'
                    'AddModule "transcript" "sd_generic" "transcript.conf"\n'
                    'DefaultModule transcript\nDefaultLanguage "tr"\n' % self.root)
        self._write(os.path.join(config, "modules", "transcript.conf"),
                    "GenericExecuteSynth \"%s \\'$DATA\\'\"\n"
                    'AddVoice "tr" "MALE1" "tr"\nAddVoice "en" "MALE1" "en"\n'
                    'GenericLanguage "tr" "tr" "utf-8"\nGenericLanguage "en" "en" "utf-8"\n' % record)
        self._write(self.transcript, "")
        self.speech_args = ["speech-dispatcher", "-s", "-t", "0", "-C", config, "-m", SPEECH_MODULES,
                            "-S", self.socket]

    @staticmethod
    def _write(path, text):
        with open(path, "w", encoding="utf-8") as out:
            out.write(text)

    def start(self, args, name):
        log = open(os.path.join(self.root, name + ".log"), "w")
        proc = subprocess.Popen(args, env=self.env, stdout=log, stderr=subprocess.STDOUT)
        self.processes.append(proc)
        return proc

    def start_desktop(self, screen_reader=True):
        self.start(["openbox", "--sm-disable"], "openbox")
        if screen_reader:
            self.start_screen_reader()

    def start_screen_reader(self):
        speech = self.start(self.speech_args, "speech-dispatcher")
        wait_for("speech-dispatcher's socket", lambda: os.path.exists(self.socket) or speech.poll() is not None)
        prefs = os.path.join(self.root, "orca-prefs")
        os.makedirs(prefs)
        # Orca's debug log costs it much of its time: only when asked for.
        debug = ["--debug-file", os.path.join(self.root, "orca-debug.txt")] if os.environ.get("VORLEN_ORCA_DEBUG") else []
        self.orca = self.start(["/usr/bin/python3", "-c", ORCA_LAUNCHER, ORCA, "-u", prefs, *debug], "orca")
        orca = self.orca
        # Orca greets once it listens to the desktop.
        wait_for("Orca's greeting", lambda: os.path.getsize(self.transcript) > 0 or orca.poll() is not None, 60)
        if orca.poll() is not None:
            raise Failure("Orca ended at start (exit %s)" % orca.returncode)
        self.settle()

    def stop(self):
        # The last started first; Orca may ignore SIGTERM, hence the fallback.
        for proc in reversed(self.processes):
            if proc.poll() is None:
                proc.send_signal(signal.SIGTERM)
                try:
                    proc.wait(timeout=3)
                except subprocess.TimeoutExpired:
                    proc.kill()
                    proc.wait()

    def spoken(self):
        with open(self.transcript, encoding="utf-8", errors="replace") as text:
            return text.read().splitlines()

    def mark(self, step):
        with open(self.transcript, "a", encoding="utf-8") as text:
            text.write("» %s\n" % step)

    def settle(self, quiet=1.0, limit=4.0):
        # Until Orca has said nothing for `quiet` seconds.
        deadline = time.monotonic() + limit
        size, since = os.path.getsize(self.transcript), time.monotonic()
        while time.monotonic() < deadline:
            time.sleep(0.1)
            if os.path.getsize(self.transcript) != size:
                size, since = os.path.getsize(self.transcript), time.monotonic()
            elif time.monotonic() - since >= quiet:
                return

    def said(self, step, keys=None, until=None, wait=0.0):
        # Presses keys, then waits until Orca has said what until(lines)
        # looks for (however long a loaded machine takes to say it) and then
        # nothing for a second, so that a repeat would be heard too; or, with
        # no keys, listens for `wait` seconds. Gives back what Orca said.
        self.mark(step)
        before = len(self.spoken())

        def lines():
            return [line for line in self.spoken()[before:] if not line.startswith("» ")]

        if keys:
            subprocess.run(["xdotool", "key", "--clearmodifiers", keys], env=self.env, check=True)
            try:
                wait_for("Orca to answer %s" % step, lambda: until(lines()), SPEECH_TIMEOUT)
            except Failure:
                return lines()  # the caller's check says what is missing
            self.settle(quiet=1.0)
        time.sleep(wait)
        return lines()


class Events:
    """Counts an application's AT-SPI object and window events while the main
    loop runs; quiet() expects at most QUIET_EVENTS in QUIET_SECONDS."""

    def __init__(self, application):
        self.registry, self.application = pyatspi.Registry, application
        self.heard = collections.Counter()
        self.registry.registerEventListener(self._hear, "object", "window")

    def _hear(self, event):
        try:
            host = event.host_application
            if host is None or host.name != self.application:
                return
            self.heard["%s from %s %r" % (event.type, event.source.getRoleName(), event.source.name)] += 1
        except Exception:  # an object gone meanwhile is still an event
            self.heard[event.type] += 1

    def over(self, seconds):
        GLib.timeout_add(int(seconds * 1000), lambda: self.registry.stop() and False)
        self.registry.start()

    def quiet(self, what, expect):
        # The bridge learns of the listener over the bus: a second first.
        self.over(1.0)
        self.heard.clear()
        self.over(QUIET_SECONDS)
        total = sum(self.heard.values())
        print("%s: %d events in %.0f s %s" % (what, total, QUIET_SECONDS, dict(self.heard.most_common(4))))
        expect(total <= QUIET_EVENTS, "%s: %d events in %.0f s, at most %d: %s" % (
            what, total, QUIET_SECONDS, QUIET_EVENTS, self.heard.most_common(4)))


def active_window(session):
    # The name of the window that has the keyboard focus.
    return subprocess.run(["xdotool", "getactivewindow", "getwindowname"], env=session.env,
                          capture_output=True, text=True).stdout


def questions(said):
    return [match.groups() for match in map(QUESTION.search, said) if match]


def button_numbers(said):
    return [match.group(1) for match in map(BUTTON_NUMBER.match, said) if match]


def play_quiz(session, expect):
    # From the idle window with the focus on "Başla": one quiz by keyboard.
    def heard(*phrases):
        return lambda said: all(count(said, phrase) for phrase in phrases)

    def a_number(said):
        return button_numbers(said)

    expect(session.said("idle", wait=3.0) == [], "nothing is said while the samples run")
    for choice, purpose in (("Tümü", "Çarpım tablosu seçimi"), ("Sıralı", "Soru sırası seçimi")):
        said = session.said("Tab to a list", "Tab", heard("Sorma Şekli :", choice, purpose))
        expect([count(said, text) for text in ("Sorma Şekli :", choice, purpose)] == [1, 1, 1],
               "a list is read once with its label, its choice and its purpose: %s" % said)
    session.said("Shift+Tab back to the table list", "shift+Tab", heard("Tümü"))
    session.said("Shift+Tab back to Başla", "shift+Tab", heard("Başla"))
    started = session.said("Space on Başla", "space", questions)
    expect(questions(started) == [("1", "1")], "the first question is said once: %s" % started)

    answers = []
    for index in range(1, 5):
        numbers = button_numbers(session.said("Tab to answer %d" % index, "Tab", a_number))
        expect(len(numbers) == 1, "answer %d is said as one number: %s" % (index, numbers))
        answers.append(numbers[0] if numbers else None)
    if "1" not in answers:
        raise Failure("the right answer 1 was never said among the answers %s" % answers)
    expect(count(session.said("Tab round to Dur", "Tab", heard("Dur")), "Dur") == 1, "the stop button is named Dur")
    for index in range(answers.index("1") + 1):
        session.said("Tab to the right answer", "Tab", a_number)
    after_right = session.said("Space on the right answer", "space", questions)
    expect(questions(after_right) == [("1", "2")], "the next question is said once: %s" % after_right)

    for _ in range(4):  # to whichever neighbour does not hold 2
        if button_numbers(session.said("Tab to a wrong answer", "Tab", a_number))[:1] not in ([], ["2"]):
            break
    after_wrong = session.said("Space on a wrong answer", "space", heard("YANLIŞ", "DOĞRU CEVAP : 2", "Tamam"))
    for phrase in ("YANLIŞ", "DOĞRU CEVAP : 2", "Tamam"):
        expect(count(after_wrong, phrase) == 1, "%s is said once after a wrong answer: %s" % (phrase, after_wrong))
    order = [line for line in after_wrong if "DOĞRU CEVAP" in line or "Tamam" in line]
    expect(order and "Tamam" in order[-1], "the correct answer comes before Tamam: %s" % after_wrong)
    expect(session.said("the panel blinks", wait=3.0) == [], "nothing is said while the panel blinks")

    after_ok = session.said("Space on Tamam", "space", questions)
    expect(questions(after_ok) == [("1", "3")], "the next question is said once after Tamam: %s" % after_ok)
    for _ in range(4):
        if "Dur" in " ".join(session.said("Shift+Tab towards Dur", "shift+Tab", bool)):
            break
    stopped = session.said("Space on Dur", "space", heard("Başla"))
    expect(count(stopped, "Başla") == 1, "Başla is named once when the quiz stops: %s" % stopped)
    expect(session.said("idle again", wait=2.0) == [], "nothing is said while idle after a quiz")


def run_quiz(purpose, step, open_program, check_opening, success):
    # The desktop and Orca, the program opened by open_program(session, before)
    # and its opening speech checked by check_opening(opening, expect), then the
    # quiz; purpose names the tools/deps.sh set that installs what is missing.
    missing = [tool for tool in ("openbox", "speech-dispatcher", "xdotool", ORCA) if shutil.which(tool) is None]
    if not os.path.exists(os.path.join(SPEECH_MODULES, "sd_generic")):
        missing.append("speech-dispatcher's generic module")
    if "tr_TR.utf8" not in subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout:
        missing.append("the tr_TR.UTF-8 locale")
    if missing:
        print("FAIL: missing %s; run sh tools/deps.sh %s" % (", ".join(missing), purpose), file=sys.stderr)
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
        session.mark(step)
        before = len(session.spoken())
        open_program(session, before)
        wait_for("Orca to name the start button", lambda: count(session.spoken()[before:], "Başla"), SPEECH_TIMEOUT)
        session.settle(quiet=1.5, limit=6)
        check_opening(session.spoken()[before:], expect)
        play_quiz(session, expect)
    except Failure as failure:
        problems.append(str(failure))
    finally:
        session.stop()
    if not problems:
        print(success)
        shutil.rmtree(session.root, ignore_errors=True)
        return 0
    print("FAIL: what Orca said did not match:", *("  - " + problem for problem in problems), sep="\n",
          file=sys.stderr)
    print("Transcript (» marks the test's own steps):", *session.spoken(), sep="\n  ", file=sys.stderr)
    print("(the rest is kept in %s; VORLEN_ORCA_DEBUG=1 keeps Orca's debug log there too)" % session.root,
          file=sys.stderr)
    return 1
