"""The browsers the page's tests play in; VORLEN_ENGINE=chromium|webkit|firefox
picks one (default chromium). Each offers open(url), js(script, *args) (a
function body reading arguments[i]; a promise it returns is awaited),
viewport(width, height), click(x, y), wait_for(what, probe, timeout) and
quit(). Chromium, headless through selenium, adds DevTools (cdp), touch,
device emulation, keys and the console; WebKitGTK's MiniBrowser runs through
WebKitWebDriver on a private Xvfb (it has no headless mode); Firefox ESR,
headless, through the WebDriver BiDi it speaks itself (Debian ships no
geckodriver)."""

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
# Keeps the console's errors in the page, from its first script on.
CONSOLE_HOOK = ("if(!window.__console){window.__console=[];var o=console.error;"
                "console.error=function(){__console.push('error: '+[].join.call(arguments,' '));"
                "return o.apply(console,arguments)}}")
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
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.driver.set_script_timeout(30)
        self.cdp("Page.addScriptToEvaluateOnNewDocument", source=CONSOLE_HOOK)

    def cdp(self, command, **params):
        return self.driver.execute_cdp_cmd(command, params)

    def viewport(self, width, height, mobile=False):
        self.cdp("Emulation.setDeviceMetricsOverride", width=width, height=height,
                 deviceScaleFactor=2 if mobile else 1, mobile=mobile)
        self.cdp("Emulation.setTouchEmulationEnabled", enabled=mobile, maxTouchPoints=5 if mobile else 1)

    def click(self, x, y):
        for kind in ("mouseMoved", "mousePressed", "mouseReleased"):
            self.cdp("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left", clickCount=1)

    def tap(self, x, y):
        self.cdp("Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": x, "y": y}])
        self.cdp("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])

    def key(self, name, shift=False, repeat=False, up=True):
        code, text = KEYS[name]
        event = dict(windowsVirtualKeyCode=code, key=name, modifiers=8 if shift else 0, autoRepeat=repeat)
        self.cdp("Input.dispatchKeyEvent", type="keyDown", text=text, **event)
        if up:
            self.cdp("Input.dispatchKeyEvent", type="keyUp", **event)

    def console(self):
        return self.js("return window.__console || []")

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
            self.stop_xvfb()
            raise
        finally:
            os.environ.pop("DISPLAY") if before is None else os.environ.update(DISPLAY=before)

    def viewport(self, width, height):
        # The window's size is its outside, and it takes a new one a little
        # after it is asked to.
        for _ in range(50):
            inner = self.js("return [innerWidth, innerHeight, outerWidth, outerHeight]")
            if inner[:2] == [width, height]:
                return
            self.driver.set_window_rect(width=width + inner[2] - inner[0], height=height + inner[3] - inner[1])
            time.sleep(0.1)
        raise AssertionError("WebKit's viewport stays %s" % inner[:2])

    def perform(self, sources):
        self.driver.execute("actions", {"actions": sources})

    def stop_xvfb(self):
        self.xvfb.terminate()
        self.xvfb.wait()

    def quit(self):
        try:
            self.driver.quit()
        finally:
            self.stop_xvfb()


class Firefox(Engine):
    name = "firefox"

    def __init__(self, extra_flags=()):
        import websocket

        self.profile = tempfile.mkdtemp(prefix="vorlen-firefox-")
        self.process = subprocess.Popen(
            ["/usr/bin/firefox-esr", "--headless", "--no-remote", "--profile", self.profile,
             "--remote-debugging-port=0", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        address = next((line.split("listening on ", 1)[1].strip() for line in self.process.stderr
                        if "WebDriver BiDi listening on " in line), None)
        if not address:
            self.process.kill()
            raise RuntimeError("Firefox did not offer WebDriver BiDi")
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
        result = self.command(
            "script.callFunction", functionDeclaration="function(){%s\n}" % script, awaitPromise=True,
            target={"context": self.context}, serializationOptions={"maxObjectDepth": None},
            arguments=[local(arg) for arg in args])
        if result["type"] == "exception":
            raise RuntimeError(result["exceptionDetails"]["text"])
        return plain(result["result"])

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


def local(value):
    """A string, a number or a list of them as BiDi's script value."""
    if isinstance(value, (list, tuple)):
        return {"type": "array", "value": [local(item) for item in value]}
    return {"type": "string" if isinstance(value, str) else "number", "value": value}


def plain(remote):
    """A script value BiDi sent back, as the Python value selenium would give."""
    kind, value = remote["type"], remote.get("value")
    if kind in ("array", "nodelist", "htmlcollection"):
        return [plain(item) for item in value]
    if kind == "object":
        return {key: plain(item) for key, item in value}
    if kind == "number" and isinstance(value, str):
        return float(value)  # NaN, -0, Infinity
    return None if kind in ("undefined", "null") else value


ENGINES = {engine.name: engine for engine in (Chromium, WebKit, Firefox)}
ENGINE = os.environ.get("VORLEN_ENGINE", "chromium")
if ENGINE not in ENGINES:
    raise SystemExit("VORLEN_ENGINE must be one of %s, not %r" % ("|".join(ENGINES), ENGINE))


def chromium_only(reason):
    """Skips a check in the other engines: it needs what only Chromium's DevTools give."""
    return unittest.skipUnless(ENGINE == "chromium", "Chromium only: " + reason)
