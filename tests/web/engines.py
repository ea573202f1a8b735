"""The browsers the page's tests play in, behind one small interface; the
tests pick one with VORLEN_ENGINE=chromium|webkit|firefox (default chromium).

  Chromium  Debian's Chromium, headless, through selenium and the DevTools
            protocol (touch and device-pixel emulation, accessibility tree).
  WebKit    WebKitGTK's MiniBrowser through WebKitWebDriver and selenium, the
            engine of every iPad and iPhone browser; this MiniBrowser has no
            headless mode, so each one gets a private Xvfb.
  Firefox   Firefox ESR, headless, through the WebDriver BiDi it speaks itself.

What every engine offers:
  open(url, timeout)       loads the page and waits until it is ready
  wait_ready(timeout)      waits until the page marks itself ready
  wait_for(what, probe, timeout)
  js(script, *args)        runs script as a function body that reads
                           arguments[i], as selenium's execute_script does; a
                           promise it returns is awaited; the result comes
                           back as plain Python values
  viewport(width, height)  a viewport of that many CSS pixels
  click(x, y)              a mouse's click at a point of the viewport
  tap(x, y)                a finger's tap there, where can_touch
  key(name, auto_repeat=False, down=True, up=True)
                           a key stroke: Tab, shift+Tab, Enter, Space or
                           ArrowDown, or only its going down, held or up
  console()                the console lines, as "error: text"
  quit()
"""

import json
import os
import shutil
import subprocess
import tempfile
import threading
import time
import unittest

READY = "return document.documentElement.getAttribute('data-vorlen') === 'ready'"
# Keeps every console line the page writes in the page, for engines that
# cannot report them otherwise.
CONSOLE_HOOK = (
    "if(!window.__console){window.__console=[];['error','warn','log'].forEach(function(k){var o=console[k];"
    "console[k]=function(){window.__console.push(k+': '+Array.prototype.join.call(arguments,' '));"
    "return o.apply(console,arguments)}})}"
)

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
# Without these Chromium reaches for the outside many times at once, and as
# root it needs --no-sandbox.
CHROMIUM_FLAGS = (
    "--headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking "
    "--disable-component-update --disable-sync"
).split()
MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
WEBKITDRIVER = "/usr/bin/WebKitWebDriver"
FIREFOX = "/usr/bin/firefox-esr"

# WebDriver's key values for the keys the tests press.
# (WebDriver's own "Enter" is the keypad's.)
KEYS = {"Tab": "\ue004", "Enter": "\ue006", "Space": "\ue00d", "ArrowDown": "\ue015", "shift": "\ue008"}


class Engine:
    name = ""
    can_touch = False

    def open(self, url, timeout=15):
        self.navigate(url)
        self.wait_ready(timeout)

    def wait_ready(self, timeout=15):
        self.wait_for("the page to be ready", lambda: self.js(READY), timeout, 0.05)

    def wait_for(self, what, probe, timeout=5, poll=0.02):
        deadline = time.monotonic() + timeout
        while True:
            value = probe()
            if value:
                return value
            if time.monotonic() > deadline:
                raise AssertionError("timed out waiting for " + what)
            time.sleep(poll)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.quit()


class W3CInput:
    """Clicks, taps and keys as WebDriver input actions, which WebKit's
    driver and Firefox's BiDi take alike; perform(sources) sends them."""

    can_touch = True

    def pointer(self, kind, x, y):
        moves = [{"type": "pointerMove", "x": round(x), "y": round(y), "origin": "viewport", "duration": 0},
                 {"type": "pointerDown", "button": 0}, {"type": "pointerUp", "button": 0}]
        self.perform([{"type": "pointer", "id": kind, "parameters": {"pointerType": kind}, "actions": moves}])

    def click(self, x, y):
        self.pointer("mouse", x, y)

    def tap(self, x, y):
        self.pointer("touch", x, y)

    def key(self, name, auto_repeat=False, down=True, up=True):
        # A key that goes down again while held is the driver's repeat.
        *shift, key = name.split("+")
        keys = [KEYS["shift"]] * len(shift) + [KEYS[key]]
        actions = []
        if down:
            actions += [{"type": "keyDown", "value": value} for value in keys]
        if up:
            actions += [{"type": "keyUp", "value": value} for value in reversed(keys)]
        self.perform([{"type": "key", "id": "keyboard", "actions": actions}])


class Chromium(Engine):
    """Debian's Chromium, headless, with a fresh profile of its own."""

    name = "chromium"
    can_touch = True

    def __init__(self, extra_flags=(), profile=None):
        from selenium import webdriver
        from selenium.webdriver.chrome.service import Service

        self.profile = profile or tempfile.mkdtemp(prefix="vorlen-chromium-")
        self.own_profile = profile is None
        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
        for flag in CHROMIUM_FLAGS + ["--user-data-dir=" + self.profile, *extra_flags]:
            options.add_argument(flag)
        self.driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
        self.cdp("Page.addScriptToEvaluateOnNewDocument", source=CONSOLE_HOOK)

    def cdp(self, command, **params):
        return self.driver.execute_cdp_cmd(command, params)

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def viewport(self, width, height, scale=1.0, touch=False):
        self.cdp(
            "Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=scale, mobile=False
        )
        self.cdp("Emulation.setTouchEmulationEnabled", enabled=touch, maxTouchPoints=5 if touch else 1)

    def navigate(self, url):
        self.driver.get(url)

    def click(self, x, y):
        for kind in ("mouseMoved", "mousePressed", "mouseReleased"):
            self.cdp("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left", clickCount=1)

    def tap(self, x, y):
        self.cdp("Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": x, "y": y}])
        self.cdp("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])

    def key(self, name, auto_repeat=False, down=True, up=True):
        shift = name.startswith("shift+")
        key = name.split("+")[-1]
        codes = {"Tab": (9, "Tab", "\t"), "Enter": (13, "Enter", "\r"), "Space": (32, "Space", " "),
                 "ArrowDown": (40, "ArrowDown", "")}
        code, dom_code, text = codes[key]
        event = dict(windowsVirtualKeyCode=code, code=dom_code, key=" " if key == "Space" else key,
                     modifiers=8 if shift else 0, autoRepeat=auto_repeat)
        if down:
            self.cdp("Input.dispatchKeyEvent", type="keyDown", text=text, **event)
        if up:
            self.cdp("Input.dispatchKeyEvent", type="keyUp", **event)

    def console(self):
        return self.js("return window.__console || []")

    def quit(self):
        self.driver.quit()
        if self.own_profile:
            shutil.rmtree(self.profile, ignore_errors=True)


class Xvfb:
    """A private X display, numbered by Xvfb itself."""

    def __init__(self, size="1280x1024x24"):
        read, write = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", size, "-nolisten", "tcp"],
            pass_fds=(write,), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
        )
        os.close(write)
        with os.fdopen(read) as numbers:
            self.display = ":" + numbers.readline().strip()
        if self.display == ":":
            raise RuntimeError("Xvfb did not start")

    def stop(self):
        self.process.terminate()
        self.process.wait()


class WebKit(W3CInput, Engine):
    """WebKitGTK's MiniBrowser on a private Xvfb. Its automation mode takes
    no settings, so console lines come from a hook put into each page once it
    has loaded: what the page wrote before then is not seen."""

    name = "webkit"

    def __init__(self, extra_flags=()):
        from selenium import webdriver

        self.xvfb = Xvfb()
        options = webdriver.WebKitGTKOptions()
        options.binary_location = MINIBROWSER
        for flag in ["--automation", *extra_flags]:
            options.add_argument(flag)
        display = os.environ.get("DISPLAY")
        os.environ["DISPLAY"] = self.xvfb.display
        try:
            self.driver = webdriver.WebKitGTK(executable_path=WEBKITDRIVER, options=options)
        except Exception:
            self.xvfb.stop()
            raise
        finally:
            if display is None:
                os.environ.pop("DISPLAY")
            else:
                os.environ["DISPLAY"] = display

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def navigate(self, url):
        self.driver.get(url)
        self.js(CONSOLE_HOOK)

    def viewport(self, width, height):
        # The window's size is its outside; the toolbar takes the rest. The
        # window takes a new size a little after it is asked to.
        inner = None
        for _ in range(5):
            inner = self.js("return [innerWidth, innerHeight, outerWidth, outerHeight]")
            if inner[:2] == [width, height]:
                return
            self.driver.set_window_rect(width=width + inner[2] - inner[0], height=height + inner[3] - inner[1])
            deadline = time.monotonic() + 2
            while time.monotonic() < deadline and self.js("return [innerWidth, innerHeight]") == inner[:2]:
                time.sleep(0.05)
        raise AssertionError("WebKit's viewport stays %s, not %dx%d" % (inner[:2], width, height))

    def perform(self, sources):
        self.driver.execute("actions", {"actions": sources})

    def console(self):
        return self.js("return window.__console || []")

    def quit(self):
        try:
            self.driver.quit()
        finally:
            self.xvfb.stop()


class BiDiError(Exception):
    pass


class Firefox(W3CInput, Engine):
    """Firefox ESR, headless, with a fresh profile, driven over its own
    WebDriver BiDi websocket. The client is written here because selenium
    reaches Firefox only through geckodriver, which Debian does not ship, and
    so one set of checks in one language plays in all three engines."""

    name = "firefox"

    def __init__(self, extra_flags=()):
        import websocket

        self.profile = tempfile.mkdtemp(prefix="vorlen-firefox-")
        self.process = subprocess.Popen(
            [FIREFOX, "--headless", "--no-remote", "--profile", self.profile, "--remote-debugging-port=0",
             *extra_flags, "about:blank"],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True,
        )
        address = None
        for line in self.process.stderr:
            if "WebDriver BiDi listening on " in line:
                address = line.split("listening on ", 1)[1].strip()
                break
        if not address:
            self.process.kill()
            raise RuntimeError("Firefox did not offer WebDriver BiDi")
        # The rest of its chatter is read away so that it never blocks.
        threading.Thread(target=self.process.stderr.read, daemon=True).start()
        # Firefox refuses a websocket whose request names an origin.
        self.socket = websocket.create_connection(address.rstrip("/") + "/session", suppress_origin=True)
        self.last_id = 0
        self.lines = []
        self.command("session.new", capabilities={})
        self.command("session.subscribe", events=["log.entryAdded"])
        # The tab Firefox starts with never has the focus, and a focused
        # button then takes no key; a tab opened in front has it.
        first = self.command("browsingContext.getTree")["contexts"][0]["context"]
        self.context = self.command("browsingContext.create", type="tab", background=False)["context"]
        self.command("browsingContext.close", context=first)

    def command(self, method, **params):
        self.last_id += 1
        self.socket.send(json.dumps({"id": self.last_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("type") == "event":
                if message["method"] == "log.entryAdded":
                    entry = message["params"]
                    self.lines.append("%s: %s" % (entry.get("method", entry.get("level")), entry.get("text")))
            elif message.get("id") == self.last_id:
                if message.get("type") == "error":
                    raise BiDiError("%s: %s: %s" % (method, message.get("error"), message.get("message")))
                return message["result"]

    def navigate(self, url):
        self.command("browsingContext.navigate", context=self.context, url=url, wait="complete")

    def viewport(self, width, height):
        self.command("browsingContext.setViewport", context=self.context,
                     viewport={"width": width, "height": height})

    def js(self, script, *args):
        result = self.command(
            "script.callFunction", functionDeclaration="function(){%s\n}" % script, awaitPromise=True,
            target={"context": self.context}, arguments=[local(arg) for arg in args],
            serializationOptions={"maxObjectDepth": None},
        )
        if result["type"] == "exception":
            raise BiDiError(result["exceptionDetails"]["text"])
        return plain(result["result"])

    def perform(self, sources):
        if sources[0]["type"] == "key" and not self.js("return document.hasFocus()"):
            self.regain_focus()
        self.command("input.performActions", context=self.context, actions=sources)

    def regain_focus(self):
        """A Tab past the last part takes the focus out of the page into the
        browser's own bar, and no click or script brings it back to the page;
        a tab opened in front and closed again does, to the part that had it."""
        part = self.js("return document.activeElement&&document.activeElement.id")
        spare = self.command("browsingContext.create", type="tab", background=False)["context"]
        self.command("browsingContext.close", context=spare)
        self.command("browsingContext.activate", context=self.context)
        self.js("if(arguments[0])document.getElementById(arguments[0]).focus({preventScroll:true})", part)

    def console(self):
        self.command("script.evaluate", expression="0", target={"context": self.context}, awaitPromise=False)
        return list(self.lines)

    def quit(self):
        try:
            self.command("browser.close")
        except Exception:
            pass
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        self.socket.close()
        shutil.rmtree(self.profile, ignore_errors=True)


def local(value):
    """A Python value as BiDi's description of a script value."""
    if value is None:
        return {"type": "null"}
    if isinstance(value, bool):
        return {"type": "boolean", "value": value}
    if isinstance(value, (int, float)):
        return {"type": "number", "value": value}
    if isinstance(value, str):
        return {"type": "string", "value": value}
    if isinstance(value, (list, tuple)):
        return {"type": "array", "value": [local(item) for item in value]}
    if isinstance(value, dict):
        return {"type": "object", "value": [[str(key), local(item)] for key, item in value.items()]}
    raise TypeError("no script value for %r" % (value,))


def plain(remote):
    """A script value BiDi sent back, as the Python value selenium would give."""
    kind, value = remote["type"], remote.get("value")
    if kind in ("undefined", "null"):
        return None
    if kind == "number":
        return {"NaN": float("nan"), "-0": -0.0, "Infinity": float("inf"), "-Infinity": float("-inf")}.get(
            value, value) if isinstance(value, str) else value
    if kind in ("string", "boolean"):
        return value
    if kind in ("array", "set", "nodelist", "htmlcollection"):
        return [plain(item) for item in value]
    if kind in ("object", "map"):
        return {key if isinstance(key, str) else plain(key): plain(item) for key, item in value}
    raise TypeError("a %s cannot come back from the page" % kind)


ENGINES = {engine.name: engine for engine in (Chromium, WebKit, Firefox)}
ENGINE = os.environ.get("VORLEN_ENGINE", "chromium")
if ENGINE not in ENGINES:
    raise SystemExit("VORLEN_ENGINE must be one of %s, not %r" % ("|".join(ENGINES), ENGINE))
CHROMIUM_ENGINE = ENGINE == "chromium"


def chromium_only(reason):
    """Skips a check in the other engines: it needs what only Chromium's
    DevTools protocol gives, as reason says."""
    return unittest.skipUnless(CHROMIUM_ENGINE, "Chromium only: " + reason)
