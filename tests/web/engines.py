"""The browsers the page's tests play in, by VORLEN_ENGINE (default chromium):
headless Chromium through selenium, with DevTools, touch, keys and the console;
WebKitGTK's MiniBrowser through WebKitWebDriver on a private Xvfb; headless
Firefox ESR through its own WebDriver BiDi (Debian ships no geckodriver)."""

import json
import os
import shutil
import subprocess
import tempfile
import threading
import time
import unittest

CHROMIUM = "/usr/bin/chromium"
# Without these Chromium reaches for the outside, and as root it needs --no-sandbox.
CHROMIUM_FLAGS = ("--headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking "
                  "--disable-component-update --disable-sync").split()
KEYS = {"Tab": (9, "\t"), "Enter": (13, "\r"), " ": (32, " ")}


class Engine:
    def open(self, url):
        self.navigate(url)
        self.wait_ready()

    def wait_ready(self):
        self.wait_for("the page to be ready", lambda: self.js(
            "return document.documentElement.getAttribute('data-vorlen') === 'ready'"), 15)

    def wait_for(self, what, probe, timeout=5):
        deadline = time.monotonic() + timeout
        while not (value := probe()):
            if time.monotonic() > deadline:
                raise AssertionError("timed out waiting for " + what)
            time.sleep(0.02)
        return value

    def click(self, x, y):
        moves = [{"type": "pointerMove", "x": round(x), "y": round(y), "origin": "viewport"},
                 {"type": "pointerDown", "button": 0}, {"type": "pointerUp", "button": 0}]
        self.perform([{"type": "pointer", "id": "mouse", "actions": moves}])

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.quit()


class Selenium(Engine):
    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def navigate(self, url):
        self.driver.get(url)

    def perform(self, sources):
        self.driver.execute("actions", {"actions": sources})


class Chromium(Selenium):
    name = "chromium"

    def __init__(self, extra_flags=()):
        from selenium import webdriver
        from selenium.webdriver.chrome.service import Service

        self.profile = tempfile.mkdtemp(prefix="vorlen-chromium-")
        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
        for flag in CHROMIUM_FLAGS + ["--user-data-dir=" + self.profile, *extra_flags]:
            options.add_argument(flag)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.driver.set_script_timeout(30)

    def cdp(self, command, **params):
        return self.driver.execute_cdp_cmd(command, params)

    def viewport(self, width, height, mobile=False):
        self.cdp("Emulation.setDeviceMetricsOverride", width=width, height=height,
                 deviceScaleFactor=2 if mobile else 1, mobile=mobile)
        self.cdp("Emulation.setTouchEmulationEnabled", enabled=mobile, maxTouchPoints=5 if mobile else 1)

    def tap(self, x, y):
        self.cdp("Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": x, "y": y}])
        self.cdp("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])

    def key(self, name, shift=False, repeat=False, up=True):
        code, text = KEYS[name]
        event = dict(windowsVirtualKeyCode=code, key=name, modifiers=8 if shift else 0, autoRepeat=repeat)
        self.cdp("Input.dispatchKeyEvent", type="keyDown", text=text, **event)
        if up:
            self.cdp("Input.dispatchKeyEvent", type="keyUp", **event)

    def quit(self):
        self.driver.quit()
        shutil.rmtree(self.profile, ignore_errors=True)


class WebKit(Selenium):
    name = "webkit"

    def __init__(self, extra_flags=()):
        from selenium import webdriver

        read, write = os.pipe()
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten",
                                      "tcp"], pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as numbers:
            display = ":" + numbers.readline().strip()
        options = webdriver.WebKitGTKOptions()
        options.binary_location = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
        options.add_argument("--automation")
        before = os.environ.get("DISPLAY")
        os.environ["DISPLAY"] = display
        try:
            self.driver = webdriver.WebKitGTK(executable_path="/usr/bin/WebKitWebDriver", options=options)
        except Exception:
            self.quit()
            raise
        finally:
            os.environ.pop("DISPLAY") if before is None else os.environ.update(DISPLAY=before)

    def viewport(self, width, height):
        # The window's size is its outside, and it takes a new one a little later.
        for _ in range(50):
            inner = self.js("return [innerWidth, innerHeight, outerWidth, outerHeight]")
            if inner[:2] == [width, height]:
                return
            self.driver.set_window_rect(width=width + inner[2] - inner[0], height=height + inner[3] - inner[1])
            time.sleep(0.1)
        raise AssertionError("WebKit's viewport stays %s" % inner[:2])

    def quit(self):
        try:
            if hasattr(self, "driver"):
                self.driver.quit()
        finally:
            self.xvfb.terminate()
            self.xvfb.wait()


class Firefox(Engine):
    name = "firefox"

    def __init__(self, extra_flags=()):
        import websocket

        self.profile = tempfile.mkdtemp(prefix="vorlen-firefox-")
        self.process = subprocess.Popen(
            ["/usr/bin/firefox-esr", "--headless", "--no-remote", "--profile", self.profile,
             "--remote-debugging-port=0", "about:blank"], stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        address = next((line.split("listening on ", 1)[1].strip() for line in self.process.stderr
                        if "WebDriver BiDi listening on " in line), None)
        threading.Thread(target=self.process.stderr.read, daemon=True).start()  # never blocks it
        # Firefox refuses a websocket whose request names an origin.
        self.socket = websocket.create_connection(address.rstrip("/") + "/session", suppress_origin=True)
        self.last_id = 0
        self.command("session.new", capabilities={})
        # The tab Firefox starts with never has the focus; one opened in front has.
        first = self.command("browsingContext.getTree")["contexts"][0]["context"]
        self.context = self.command("browsingContext.create", type="tab", background=False)["context"]
        self.command("browsingContext.close", context=first)

    def command(self, method, **params):
        self.last_id += 1
        self.socket.send(json.dumps({"id": self.last_id, "method": method, "params": params}))
        while (message := json.loads(self.socket.recv())).get("id") != self.last_id:
            pass
        if message.get("type") == "error":
            raise RuntimeError("%s: %s: %s" % (method, message.get("error"), message.get("message")))
        return message["result"]

    def navigate(self, url):
        self.command("browsingContext.navigate", context=self.context, url=url, wait="complete")

    def viewport(self, width, height):
        self.command("browsingContext.setViewport", context=self.context, viewport={"width": width, "height": height})

    def js(self, script, *args):
        # Arguments and result cross as JSON, as plain values.
        result = self.command(
            "script.callFunction", awaitPromise=True, target={"context": self.context},
            functionDeclaration="async function(a){return JSON.stringify(await (function(){%s\n})"
                                ".apply(this,JSON.parse(a)))}" % script,
            arguments=[{"type": "string", "value": json.dumps(args)}])
        if result["type"] == "exception":
            raise RuntimeError(result["exceptionDetails"]["text"])
        return json.loads(result["result"].get("value") or "null")

    def perform(self, sources):
        self.command("input.performActions", context=self.context, actions=sources)

    def quit(self):
        try:
            self.command("browser.close")
            self.process.wait(10)
        except Exception:
            self.process.kill()
            self.process.wait()
        self.socket.close()
        shutil.rmtree(self.profile, ignore_errors=True)


ENGINES = {engine.name: engine for engine in (Chromium, WebKit, Firefox)}
ENGINE = os.environ.get("VORLEN_ENGINE", "chromium")
if ENGINE not in ENGINES:
    raise SystemExit("VORLEN_ENGINE must be one of %s, not %r" % ("|".join(ENGINES), ENGINE))


def chromium_only(reason):
    return unittest.skipUnless(ENGINE == "chromium", "Chromium only: " + reason)
