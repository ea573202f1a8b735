"""What a screen reader finds on the page, from Chromium's own accessibility
tree (DevTools' Accessibility.getFullAXTree): the names, roles and states of
every part through a quiz, nothing that changes while the samples run (but
the locked answers' names, which are their numbers) or the panel blinks,
each announcement said once, and the focus where it moves."""

import re
import time
import unittest

from browser import PageTest
from engines import chromium_only

# What the tree's outline leaves out: wrappers without a role of their own,
# the text runs inside text, and the lists' entries.
SKIPPED = {"generic", "InlineTextBox", "MenuListPopup", "option", "none"}

IDLE = [
    "main Vorlen [Keldar Yazılım ve Bilgisayar Hizmetleri - www.keldar.example - (0312) 555 01 23]",
    "  heading Vorlen",
    "    StaticText Vorlen",
    "  group",
    "    StaticText Sorma Şekli :",
    "    button Başla (focused)",
    "    combobox Sorma Şekli : [Çarpım tablosu seçimi] = Tümü",
    "    combobox Sorma Şekli : [Soru sırası seçimi] = Sıralı",
    "  group Örnek sorular",
    "    button <sample> (disabled)",
    "    button <sample> (disabled)",
    "    button <sample> (disabled)",
    "    button <sample> (disabled)",
    "  group",
    "    StaticText Çarpım tablosunu öğrenen bütün çocuklara, sevgiyle armağan edilmiştir.",
    "    StaticText Toplam soru sayısı : 0",
    "    StaticText Doğru sayısı : 0",
    "    StaticText Yanlış sayısı : 0",
    "  status (polite)",
    "  alert (assertive)",
]

# Records every text said through the page's live regions.
LISTEN = (
    "window.__heard=[];for (const id of ['status','alert']){new MutationObserver(function(){"
    "window.__heard.push(id+': '+document.getElementById(id).textContent)})"
    ".observe(document.getElementById(id),{childList:true,characterData:true,subtree:true})}"
)


@chromium_only("the accessibility tree (Accessibility.getFullAXTree)")
class ScreenReader(PageTest):
    def outline(self):
        """The tree below the page, one line per node a screen reader meets:
        role, name, [description], = value, (states)."""
        nodes = self.browser.cdp("Accessibility.getFullAXTree")["nodes"]
        by_id = {node["nodeId"]: node for node in nodes}
        lines = []

        def walk(node, depth):
            role = node.get("role", {}).get("value", "")
            shown = not node.get("ignored") and role not in SKIPPED and role != "RootWebArea"
            if shown:
                properties = {p["name"]: p["value"].get("value") for p in node.get("properties", [])}
                line = " ".join(filter(None, [role, node.get("name", {}).get("value", "")]))
                if node.get("description", {}).get("value"):
                    line += " [%s]" % node["description"]["value"]
                if role == "combobox":
                    line += " = %s" % node.get("value", {}).get("value", "")
                states = [state for state in ("focused", "disabled") if properties.get(state)]
                states += [properties["live"]] if "live" in properties else []
                if states:
                    line += " (%s)" % ", ".join(states)
                lines.append("  " * depth + line)
            for child in node.get("childIds", []):
                if child in by_id:
                    walk(by_id[child], depth + (1 if shown else 0))

        walk(nodes[0], 0)
        return lines

    def heard(self):
        return self.browser.js("return window.__heard")

    def steady(self, seconds):
        """The outline, after checking that it stays the same for a while but
        for the samples' numbers, which name the locked answers they show."""
        sample = lambda lines: [re.sub(r"^(    button )\d+( \(disabled\))$", r"\1<sample>\2", line) for line in lines]
        before = sample(self.outline())
        time.sleep(seconds)
        self.assertEqual(sample(self.outline()), before, "the tree changed while nothing happened")
        return before

    def test_names_roles_and_announcements_through_a_quiz(self):
        self.open()
        self.browser.cdp("Accessibility.enable")
        self.browser.js(LISTEN)
        self.assertEqual(self.steady(1.0), IDLE, "the samples run unseen by a screen reader")

        self.click("command9")
        running = self.outline()
        self.assertIn("  group 1 çarpı 1", running)
        self.assertIn("    button Dur (focused)", running)
        self.assertIn("    combobox Sorma Şekli : [Çarpım tablosu seçimi] = Tümü (disabled)", running)
        # The question, said politely where the focus stays, as a table of one
        # row and one cell: what Orca 43 hears of Chromium's live regions.
        status = running.index("  status (polite)")
        self.assertEqual(running[status + 1 : status + 5],
                         ["    table", "      row", "        cell 1 çarpı 1", "          StaticText 1 çarpı 1"])
        answers = [line.strip().split(" ")[1] for line in running if line.startswith("    button") and "Dur" not in line]
        self.assertEqual(sorted(answers), sorted(self.window.caption("cev%d" % i) for i in range(1, 5)))
        self.assertIn("1", answers)

        self.click(self.window.answer(True))
        self.assertIn("    StaticText Doğru sayısı : 1", self.outline())
        wrong = self.window.answer(False)
        self.click(wrong)
        self.assertEqual(self.window.focused(), "chameleonButton2")
        panel = self.steady(1.0)  # the panel blinks meanwhile
        start = panel.index("  alert !!! YANLIŞ !!! DOĞRU CEVAP : 2 (assertive)")
        self.assertEqual(panel[start + 1], "    button Tamam (focused)")
        self.assertIn("    StaticText Yanlış sayısı : 1", panel)

        self.click("chameleonButton2")
        self.assertEqual(self.window.focused(), wrong, "back to the answer that opened the panel")
        self.assertIn("  group 1 çarpı 3", self.outline())
        self.click("command9")
        self.assertEqual(self.steady(0.5)[:4], IDLE[:4])
        # Each said once: the questions where the focus stays, the stop.
        self.assertEqual(self.heard(), ["status: 1 çarpı 1", "status: 1 çarpı 2", "status: Başla"])


if __name__ == "__main__":
    unittest.main()
