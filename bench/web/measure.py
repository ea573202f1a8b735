#!/usr/bin/python3
"""The web page's figures, each beside a baseline run alongside it, as
medians of several runs (tools/web.sh measure):
  - what the first visit transfers, gzipped as a static host would send it;
  - first contentful paint, cold (a new profile) and warm (a visit before),
    against a static page with the same DOM and no script, built here;
  - the idle page's CPU (the samples running) against that static page, and
    against the floor: the static page with one character changed every
    85 ms, which costs Chromium a frame each time as the samples do.
It prints a Markdown table; nothing here passes or fails.
Usage: measure.py [size] [paint] [idle]   (all three unless named)"""

import gzip
import os
import re
import shutil
import statistics
import sys
import tempfile
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tests" / "web"))
from browser import DIST, Browser, Site  # noqa: E402  (the web tests' browser and server)

RUNS = int(os.environ.get("VORLEN_MEASURE_RUNS", "7"))
IDLE_SECONDS = float(os.environ.get("VORLEN_IDLE_SECONDS", "20"))
FCP = (
    "var done=arguments[arguments.length-1];(function wait(){var p=performance.getEntriesByName("
    "'first-contentful-paint')[0];p?done(p.startTime):setTimeout(wait,20)})()"
)


def static_copy():
    """The page as the browser first paints it, without any script; and
    floor.html, the same with one character changed every 85 ms."""
    folder = Path(tempfile.mkdtemp(prefix="vorlen-static-"))
    shutil.copytree(DIST, folder, dirs_exist_ok=True)
    page = folder / "index.html"
    static = re.sub(r"<script[^>]*>.*?</script>", "", page.read_text(encoding="utf-8"), flags=re.S)
    page.write_text(static, encoding="utf-8")
    tick = ("<script>var n=0,t=document.getElementById('Label1').firstChild;"
            "setInterval(function(){t.data=String(++n%10)},85)</script></body>")
    (folder / "floor.html").write_text(static.replace("</body>", tick), encoding="utf-8")
    return folder


def first_paint(browser, url):
    browser.driver.get(url)
    return browser.driver.execute_async_script(FCP)


def cpu_seconds(root):
    """CPU time of a process and all its descendants."""
    children = {}
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            parent = int(Path("/proc/%s/stat" % pid).read_text().rsplit(")", 1)[1].split()[1])
        except (OSError, IndexError):
            continue
        children.setdefault(parent, []).append(int(pid))
    total, todo = 0, [root]
    while todo:
        pid = todo.pop()
        todo += children.get(pid, [])
        try:
            fields = Path("/proc/%d/stat" % pid).read_text().rsplit(")", 1)[1].split()
            total += int(fields[11]) + int(fields[12])
        except (OSError, IndexError):
            pass
    return total / os.sysconf("SC_CLK_TCK")


def transfer(site):
    """The first visit: every file it fetched, gzipped, until the offline copy is kept."""
    with Browser() as browser:
        browser.viewport(731, 496)
        browser.open(site.url)
        browser.driver.set_script_timeout(15)
        browser.driver.execute_async_script(
            "var done=arguments[0];navigator.serviceWorker.ready.then(function(){"
            "(function wait(){navigator.serviceWorker.controller?done():setTimeout(wait,50)})()})"
        )
        time.sleep(3)  # the counter request and anything late
    files = {}
    for path, code in site.requests:
        name = path.split("?")[0].lstrip("/") or "index.html"
        size = len(gzip.compress((DIST / name).read_bytes(), 9)) if code == 200 else 0
        files[name] = files.get(name, 0) + size
    return files


def main():
    wanted = set(sys.argv[1:]) or {"size", "paint", "idle"}
    static = static_copy()
    program_site, static_site = Site(DIST), Site(static)
    rows = []
    try:
        if "size" in wanted:
            rows.extend(size_rows(program_site))
        if "paint" in wanted:
            rows.extend(paint_rows(program_site, static_site))
        if "idle" in wanted:
            rows.extend(idle_rows(program_site, static_site))
    finally:
        program_site.stop()
        static_site.stop()
        shutil.rmtree(static, ignore_errors=True)
    print("| figure | page | static page | notes |")
    print("|---|---|---|---|")
    for row in rows:
        print("| %s |" % " | ".join(row))
    return 0


def size_rows(program_site):
    files = transfer(program_site)
    detail = ", ".join("%s %.1f" % (name, size / 1024) for name, size in sorted(files.items()))
    return [("first visit, gzipped", "%.1f KB" % (sum(files.values()) / 1024), "", detail)]


def paint_rows(program_site, static_site):
    rows = []
    cold = {"page": [], "static": []}
    for _ in range(RUNS):
        for kind, site in (("page", program_site), ("static", static_site)):
            with Browser() as browser:
                browser.viewport(731, 496)
                cold[kind].append(first_paint(browser, site.url))
    warm = {"page": [], "static": []}
    with Browser() as page_browser, Browser() as static_browser:
        for browser in (page_browser, static_browser):
            browser.viewport(731, 496)
        first_paint(page_browser, program_site.url)
        first_paint(static_browser, static_site.url)
        time.sleep(2)  # the offline copy is kept
        for _ in range(RUNS):
            warm["page"].append(first_paint(page_browser, program_site.url))
            warm["static"].append(first_paint(static_browser, static_site.url))
    for name, runs in (("cold", cold), ("warm", warm)):
        page, base = statistics.median(runs["page"]), statistics.median(runs["static"])
        rows.append(("first contentful paint, %s" % name, "%.0f ms" % page, "%.0f ms" % base,
                     "%.2fx; runs %s against %s" % (page / base, [round(x) for x in runs["page"]],
                                                     [round(x) for x in runs["static"]])))
    return rows


def idle_rows(program_site, static_site):
    idle = {"page": [], "static": [], "floor": []}
    for _ in range(3):
        for kind, url in (("page", program_site.url), ("static", static_site.url),
                          ("floor", static_site.url + "floor.html")):
            with Browser() as browser:
                browser.viewport(731, 496)
                browser.driver.get(url)
                time.sleep(3)
                root = browser.driver.service.process.pid
                before, start = cpu_seconds(root), time.monotonic()
                time.sleep(IDLE_SECONDS)
                idle[kind].append(100 * (cpu_seconds(root) - before) / (time.monotonic() - start))
    return [("idle CPU (Chromium, all processes)", "%.1f %%" % statistics.median(idle["page"]),
             "%.1f %%" % statistics.median(idle["static"]),
             "of one core; runs %s; floor (one character every 85 ms) %.1f %%"
             % ([round(x, 1) for x in idle["page"]], statistics.median(idle["floor"])))]


if __name__ == "__main__":
    sys.exit(main())
