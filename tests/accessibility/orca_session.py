"""What the screen-reader tests share: a private desktop with Orca whose
speech is caught in a transcript (Session), keys pressed as a child would
(Player), and one quiz played by keyboard with what Orca must say at each
step (play_quiz). tests/accessibility/orca_test.py plays it in the Qt window,
tests/web/orca_web_test.py in the web page in Chromium.

Everything runs privately, inside the display and buses of tools/with-atspi.sh:
openbox (so the window gets the keyboard focus), a speech-dispatcher whose only
voice appends each utterance to a transcript file, and Orca with its own home
and settings. Keys go in through xdotool, as from a keyboard. Every process is
started here and stopped by its pid.
"""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

ORCA = "/usr/bin/orca"
SPEECH_MODULES = "/usr/lib/speech-dispatcher-modules"
QUESTION = re.compile(r"(\d+) çarpı (\d+)")
BUTTON_NUMBER = re.compile(r"^(\d+) düğme")  # Orca names a button, then says its role

# Orca refuses to start while any other process of this user is called "orca"
# (a developer's own screen reader, or a second test run). This one has its own
# display, buses and settings, so it is started without that check.
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


class Session:
    """The private screen-reader desktop: openbox, speech-dispatcher, Orca."""

    def __init__(self):
        self.root = tempfile.mkdtemp(prefix="vorlen-orca-")
        self.transcript = os.path.join(self.root, "spoken.txt")
        self.orca_log = os.path.join(self.root, "orca-debug.txt")
        self.processes = []
        self.env = dict(os.environ)
        for name in ("HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"):
            path = os.path.join(self.root, name.lower())
            os.makedirs(path, mode=0o700)
            self.env[name] = path
        self.env.update(LANG="tr_TR.UTF-8", LANGUAGE="tr", LC_ALL="tr_TR.UTF-8")
        socket = os.path.join(self.env["XDG_RUNTIME_DIR"], "speechd.sock")
        self.env["SPEECHD_ADDRESS"] = "unix_socket:" + socket
        self._write_speech_config(socket)
        open(self.transcript, "w").close()

    def _write_speech_config(self, socket):
        config = os.path.join(self.root, "speechd")
        os.makedirs(os.path.join(config, "modules"))
        record = os.path.join(self.root, "record-speech")
        with open(record, "w") as script:
            script.write('#!/bin/sh\nprintf "%%s\\n" "$1" >> "%s"\n' % self.transcript)
        os.chmod(record, 0o755)
        with open(os.path.join(config, "speechd.conf"), "w") as conf:
            conf.write(
                'LogLevel 3\nLogDir "%s"\nAudioOutputMethod "libao"\n'
                'AddModule "transcript" "sd_generic" "transcript.conf"\n'
                'DefaultModule transcript\nDefaultLanguage "tr"\n' % self.root
            )
        with open(os.path.join(config, "modules", "transcript.conf"), "w") as conf:
            conf.write(
                "GenericExecuteSynth \"%s \\'$DATA\\'\"\n"
                'AddVoice "tr" "MALE1" "tr"\nAddVoice "en" "MALE1" "en"\n'
                'GenericLanguage "tr" "tr" "utf-8"\nGenericLanguage "en" "en" "utf-8"\n' % record
            )
        self.speech_args = ["speech-dispatcher", "-s", "-t", "0", "-C", config, "-m", SPEECH_MODULES, "-S", socket]

    def start(self, args, name):
        log = open(os.path.join(self.root, name + ".log"), "w")
        proc = subprocess.Popen(args, env=self.env, stdout=log, stderr=subprocess.STDOUT)
        self.processes.append((name, proc))
        return proc

    def start_desktop(self):
        self.start(["openbox", "--sm-disable"], "openbox")
        speech = self.start(self.speech_args, "speech-dispatcher")
        socket = self.env["SPEECHD_ADDRESS"].split(":", 1)[1]
        wait_for("speech-dispatcher's socket", lambda: os.path.exists(socket) or speech.poll() is not None)
        prefs = os.path.join(self.root, "orca-prefs")
        os.makedirs(prefs)
        orca = self.start(
            ["/usr/bin/python3", "-c", ORCA_LAUNCHER, ORCA, "-u", prefs, "--debug-file", self.orca_log], "orca"
        )
        # Orca greets once it listens to the desktop.
        wait_for("Orca's greeting", lambda: os.path.getsize(self.transcript) > 0 or orca.poll() is not None, 30)
        if orca.poll() is not None:
            raise Failure("Orca ended at start (exit %s)" % orca.returncode)
        self.settle()

    def stop(self):
        # The last started first; Orca may ignore SIGTERM, hence the fallback.
        for name, proc in reversed(self.processes):
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
        """Waits until Orca has said nothing for `quiet` seconds."""
        deadline = time.monotonic() + limit
        size, since = os.path.getsize(self.transcript), time.monotonic()
        while time.monotonic() < deadline:
            time.sleep(0.1)
            now = os.path.getsize(self.transcript)
            if now != size:
                size, since = now, time.monotonic()
            elif time.monotonic() - since >= quiet:
                return

    def orca_log_excerpt(self, lines=60):
        """What Orca did with the program's events, for a failure message."""
        try:
            with open(self.orca_log, encoding="utf-8", errors="replace") as log:
                text = log.read().splitlines()
        except OSError:
            return []
        wanted = re.compile(r"vorlen|Vorlen|lacks state|not active|Ignoring|SPEECH OUTPUT|focus", re.I)
        return [line for line in text if wanted.search(line)][-lines:]


def wait_for(what, probe, timeout=10.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = probe()
        if found:
            return found
        time.sleep(0.1)
    raise Failure("timed out waiting for " + what)


class Player:
    """Presses keys as a child would and gives back what each step made Orca say."""

    def __init__(self, session):
        self.session = session

    def _listen(self, step, act):
        self.session.mark(step)
        before = len(self.session.spoken())
        act()
        return [line for line in self.session.spoken()[before:] if not line.startswith("» ")]

    def key(self, step, keys, *, settle=1.0):
        def press():
            subprocess.run(["xdotool", "key", "--clearmodifiers", keys], env=self.session.env, check=True)
            self.session.settle(quiet=settle)

        return self._listen(step, press)

    def wait(self, step, seconds):
        return self._listen(step, lambda: time.sleep(seconds))


def count(lines, phrase):
    return sum(line.count(phrase) for line in lines)


def missing_prerequisites():
    tools = [tool for tool in ("openbox", "speech-dispatcher", "xdotool") if shutil.which(tool) is None]
    if not os.path.exists(ORCA) or not os.path.exists(os.path.join(SPEECH_MODULES, "sd_generic")):
        tools.append("orca with speech-dispatcher's generic module")
    locales = subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout.lower().split()
    if "tr_tr.utf8" not in locales and "tr_tr.utf-8" not in locales:
        tools.append("the tr_TR.UTF-8 locale")
    return tools


def play_quiz(play, expect):
    """From the idle window with the focus on "Başla": one quiz by keyboard,
    each step checked against what Orca said."""
    idle = play.wait("idle", 3.0)
    expect(idle == [], "nothing is said while the samples run")

    # Over the controls and back.
    for step, choice, purpose in (
        ("Tab to the table list", "Tümü", "Çarpım tablosu seçimi"),
        ("Tab to the order list", "Sıralı", "Soru sırası seçimi"),
    ):
        said = play.key(step, "Tab")
        expect(
            [count(said, text) for text in ("Sorma Şekli :", choice, purpose)] == [1, 1, 1],
            "a list is read once with its label, its choice and its purpose: %s" % said,
        )
    play.key("Shift+Tab back to the table list", "shift+Tab")
    expect(count(play.key("Shift+Tab back to Başla", "shift+Tab"), "Başla") == 1, "Başla is named on Shift+Tab")

    started = play.key("Space on Başla", "space", settle=1.5)
    questions = [QUESTION.search(line) for line in started]
    questions = [match.groups() for match in questions if match]
    expect(
        questions == [("1", "1")],
        "the first question is said once when a quiz starts: %s" % questions,
    )

    # The four answers, each said as its number.
    answers = []
    for index in range(1, 5):
        said = play.key("Tab to answer %d" % index, "Tab")
        numbers = [match.group(1) for match in map(BUTTON_NUMBER.match, said) if match]
        answers.append(numbers[0] if len(numbers) == 1 else None)
        expect(len(numbers) == 1, "answer %d is said as one number: %s" % (index, said))
    if "1" not in answers:
        raise Failure("the right answer 1 was never said among the answers %s" % answers)
    expect(
        count(play.key("Tab round to Dur", "Tab"), "Dur") == 1, "the stop button is named Dur during a quiz"
    )
    right = answers.index("1")
    for index in range(right + 1):
        play.key("Tab to the right answer %d/%d" % (index + 1, right + 1), "Tab")
    after_right = play.key("Space on the right answer", "space", settle=1.5)
    questions = [match.groups() for match in map(QUESTION.search, after_right) if match]
    expect(
        questions == [("1", "2")],
        "the next question is said once after a right answer: %s" % questions,
    )

    # A wrong answer: whichever neighbour does not hold 2.
    for _ in range(4):
        said = play.key("Tab to a wrong answer", "Tab")
        numbers = [match.group(1) for match in map(BUTTON_NUMBER.match, said) if match]
        if numbers and numbers[0] != "2":
            break
    after_wrong = play.key("Space on a wrong answer", "space", settle=1.5)
    expect(count(after_wrong, "YANLIŞ") == 1, "a wrong answer is said to be wrong, once: %s" % after_wrong)
    expect(count(after_wrong, "DOĞRU CEVAP : 2") == 1, "the correct answer is said once: %s" % after_wrong)
    expect(count(after_wrong, "Tamam") == 1, "the OK button is named once: %s" % after_wrong)
    order = [line for line in after_wrong if "DOĞRU CEVAP" in line or "Tamam" in line]
    expect(order and "Tamam" in order[-1], "the correct answer comes before Tamam: %s" % after_wrong)

    blink = play.wait("the panel blinks", 3.0)
    expect(blink == [], "nothing is said while the panel blinks")

    after_ok = play.key("Space on Tamam", "space", settle=1.5)
    questions = [match.groups() for match in map(QUESTION.search, after_ok) if match]
    expect(questions == [("1", "3")], "the next question is said once after Tamam: %s" % questions)

    for _ in range(4):
        if "Dur" in " ".join(play.key("Shift+Tab towards Dur", "shift+Tab")):
            break
    stopped = play.key("Space on Dur", "space", settle=1.5)
    expect(count(stopped, "Başla") == 1, "Başla is named once when the quiz stops: %s" % stopped)
    idle = play.wait("idle again", 2.0)
    expect(idle == [], "nothing is said while idle after a quiz")


def report(session, problems, success):
    """Prints the verdict; on a failure also the transcript and Orca's log,
    and keeps the session's files. Returns the exit code."""
    if problems:
        print("FAIL: what Orca said did not match:", file=sys.stderr)
        for problem in problems:
            print("  - " + problem, file=sys.stderr)
        print("\nTranscript (» marks the test's own steps):", file=sys.stderr)
        for line in session.spoken():
            print("  " + line, file=sys.stderr)
        print("\nOrca's log, about the program and dropped events:", file=sys.stderr)
        for line in session.orca_log_excerpt():
            print("  " + line[:300], file=sys.stderr)
        print("\n(files kept in %s)" % session.root, file=sys.stderr)
        return 1
    print(success)
    shutil.rmtree(session.root, ignore_errors=True)
    return 0


def run_quiz(purpose, step, open_program, check_opening, success):
    """The whole test: the desktop and Orca, the program opened by
    open_program(session) and its opening speech checked by
    check_opening(opening, expect), then the quiz. purpose names the
    tools/deps.sh set that installs what is missing. Returns the exit code."""
    missing = missing_prerequisites()
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
        session.settle(quiet=1.5, limit=6)
        check_opening(session.spoken()[before:], expect)
        play_quiz(Player(session), expect)
    except Failure as failure:
        problems.append(str(failure))
    finally:
        session.stop()
    return report(session, problems, success)


def active_window(session):
    """The name of the window that has the keyboard focus."""
    return subprocess.run(
        ["xdotool", "getactivewindow", "getwindowname"], env=session.env, capture_output=True, text=True
    ).stdout

