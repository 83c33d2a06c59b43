#!/usr/bin/env python3
"""Walks the real program on a private X server: splash, hand-over, the four
pages with the real file dialog, the "MAX" buttons, the four hot spots and
their windows, every hiding button; compares each screen with its picture."""
import argparse
import os
import subprocess
import sys
import time

from PIL import Image, ImageChops

from screens import (CHECK, FIELDS, HOT_SPOTS, MAX_BUTTONS, OK_MAIN, BACK_MAIN, SCREENS, SECTION_OK,
                     SECTION_SPOTS, centre)
from xsession import XSession

HANDOVER_MS = 3700
HANDOVER_TOLERANCE_MS = 300
MARGIN = 3  # focus frames may reach a little beyond a control


class Failure(Exception):
    pass


class Walk:
    def __init__(self, x, bundle, shots):
        self.x, self.bundle, self.shots = x, bundle, shots
        self.resources = os.path.join(bundle, "Resources")
        self.app = None

    # ---- windows ------------------------------------------------------------
    def windows(self):
        return {w: self.x.geometry(w) for w in self.x.visible_windows(self.app.pid)}

    def wait_for(self, predicate, what, timeout=10.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.app.poll() is not None:
                raise Failure(f"the program ended (status {self.app.returncode}) while waiting for {what}")
            found = predicate(self.windows())
            if found:
                return found
            time.sleep(0.02)
        raise Failure(f"timed out waiting for {what}; windows: {self.windows()}")

    def window_of_size(self, size, exclude=()):
        def find(ws):
            for w, g in ws.items():
                if g and (g[2], g[3]) == size and w not in exclude:
                    return w
            return None
        return find

    def gone(self, window):
        return lambda ws: window not in ws

    # ---- pixels --------------------------------------------------------------
    def check_screen(self, window, screen):
        (w, h), picture, controls = SCREENS[screen]
        g = self.x.geometry(window)
        if (g[2], g[3]) != (w, h):
            raise Failure(f"{screen}: window is {g[2]}x{g[3]}, expected {w}x{h}")
        time.sleep(0.15)  # let the last repaint reach the server
        shot_path = os.path.join(self.shots, f"{screen}.png")
        self.x.screenshot(self.x.geometry(window), shot_path)
        shot = Image.open(shot_path).convert("RGB")
        expected = Image.open(os.path.join(self.resources, picture)).convert("RGB")
        diff = ImageChops.difference(shot, expected).convert("L").load()
        covered = [(x - MARGIN, y - MARGIN, x + cw + MARGIN, y + ch + MARGIN) for x, y, cw, ch in controls]
        compared = bad = total = 0
        for py in range(h):
            for px in range(w):
                if any(l <= px < r and t <= py < b for l, t, r, b in covered):
                    continue
                d = diff[px, py]
                compared += 1
                total += d
                bad += d > 24
        mean = total / compared
        if mean > 2.0 or bad > compared * 0.005:
            raise Failure(f"{screen}: screen differs from {picture} (mean {mean:.2f}, {bad} of {compared} pixels off)")
        print(f"  {screen}: {w}x{h} matches {picture} (mean difference {mean:.2f})")

    def expect_text_in_fields(self, window):
        """Every field shows text after its "MAX": dark pixels inside its box."""
        shot = Image.open(os.path.join(self.shots, "page3.png")).convert("L")
        for n, (x, y) in enumerate(FIELDS, 1):
            box = shot.crop((x + 3, y + 3, x + 60, y + 17))
            dark = sum(1 for v in box.getdata() if v < 100)
            if dark < 15:
                raise Failure(f"TextField{n} shows no text after its MAX button ({dark} dark pixels)")
        print("  every field shows its MAX value")

    def click(self, window, rect):
        gx, gy, _, _ = self.x.geometry(window)
        cx, cy = centre(rect)
        self.x.click(gx + cx, gy + cy)
        time.sleep(0.1)

    # ---- the road -------------------------------------------------------------
    def run(self):
        self.app = subprocess.Popen([os.path.join(self.bundle, "bin", "picture-wizard")], env=self.x.env)
        started = time.monotonic()

        splash = self.wait_for(self.window_of_size((440, 147)), "the splash")
        splash_at = time.monotonic()
        print(f"splash shown {1000 * (splash_at - started):.0f} ms after start")
        self.check_screen(splash, "splash")

        def main_window(ws):
            found = self.window_of_size((619, 461))(ws)
            if found and splash in ws:
                raise Failure("the splash and the main window were visible at the same time")
            return found
        main = self.wait_for(main_window, "the main window", timeout=HANDOVER_MS / 1000 + 5)
        gap_ms = 1000 * (time.monotonic() - splash_at)
        print(f"main window shown {gap_ms:.0f} ms after the splash")
        if abs(gap_ms - HANDOVER_MS) > HANDOVER_TOLERANCE_MS:
            raise Failure(f"hand-over after {gap_ms:.0f} ms, expected about {HANDOVER_MS}")
        if splash in self.windows():
            raise Failure("the splash is still visible")
        self.check_screen(main, "page1")

        # Page1 "OK": the file dialog, cancelled with the keyboard.
        self.click(main, OK_MAIN)
        dialog = self.wait_for(self.other_window(main), "the open-file dialog")
        self.x.run("xdotool", "windowfocus", "--sync", dialog)
        self.x.key("Escape")
        self.wait_for(self.gone(dialog), "the dialog to close")
        self.check_screen(main, "page2")

        # "BACK", then "OK" again, this time answering the dialog with a file.
        self.click(main, BACK_MAIN)
        self.check_screen(main, "page1")
        self.click(main, OK_MAIN)
        dialog = self.wait_for(self.other_window(main), "the open-file dialog again")
        self.x.run("xdotool", "windowfocus", "--sync", dialog)
        self.x.type(os.path.join(self.resources, "p.jpg"))
        self.x.key("Return")
        self.wait_for(self.gone(dialog), "the dialog to close after choosing a file")
        self.check_screen(main, "page2")

        # Page3: type into a field, then every "MAX".
        self.click(main, OK_MAIN)
        self.check_screen(main, "page3")
        self.click(main, (*FIELDS[0], 63, 20))
        self.x.run("xdotool", "windowfocus", "--sync", main)
        self.x.type("123")
        for button in MAX_BUTTONS:
            self.click(main, button)
        self.check_screen(main, "page3")
        self.expect_text_in_fields(main)

        self.hot_spots(main)

        # Page4, then its "OK" hides the main window and the program ends by itself.
        self.click(main, OK_MAIN)
        self.check_screen(main, "page4")
        self.click(main, OK_MAIN)
        try:
            status = self.app.wait(10)
        except subprocess.TimeoutExpired:
            raise Failure("the program did not end once no window was left")
        if status != 0:
            raise Failure(f"the program ended with status {status}")
        print("the program ended with status 0 once no window was left")

    def other_window(self, *known):
        return lambda ws: next((w for w in ws if w not in known), None)

    def hot_spots(self, main):
        # Label1: the section window, its three sections, then its "OK".
        self.click(main, HOT_SPOTS["Label1"])
        sections = self.wait_for(self.other_window(main), "the section window")
        self.check_screen(sections, "section1")
        for spot, screen in (("Label2", "section2"), ("Label3", "section3"), ("Label1", "section1"),
                             ("Label2", "section2")):
            self.click(sections, SECTION_SPOTS[spot])
            self.check_screen(sections, screen)
        self.click(sections, CHECK[3])  # the user unchecks a box
        self.click(sections, SECTION_OK)
        self.wait_for(self.gone(sections), "the section window to hide")
        self.click(main, HOT_SPOTS["Label1"])
        again = self.wait_for(self.other_window(main), "the section window again")
        if again != sections:
            raise Failure("a second section window was made")
        self.check_screen(again, "section2")  # as it was left
        self.click(again, SECTION_SPOTS["Label1"])
        self.check_screen(again, "section1")
        self.click(again, SECTION_OK)
        self.wait_for(self.gone(again), "the section window to hide again")

        for spot, screen, buttons in (("Label2", "updates", [(352, 229, 71, 21)]),
                                      ("Label3", "about", [(352, 243, 71, 22)]),
                                      ("Label4", "notice", [(319, 141, 70, 21)]),
                                      ("Label4", "notice", [(237, 141, 70, 21)])):
            self.click(main, HOT_SPOTS[spot])
            dialog = self.wait_for(self.other_window(main), f"the {screen} window")
            self.check_screen(dialog, screen)
            if screen == "updates":
                self.click(dialog, (269, 229, 71, 21))  # "UPDATE" is disabled: nothing happens
                if dialog not in self.windows():
                    raise Failure("UPDATE hid its window")
            for b in buttons:
                self.click(dialog, b)
            self.wait_for(self.gone(dialog), f"the {screen} window to hide")
        self.check_screen(main, "page3")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bundle", required=True)
    parser.add_argument("--shots", required=True)
    args = parser.parse_args()
    os.makedirs(args.shots, exist_ok=True)
    x = XSession()
    walk = Walk(x, args.bundle, args.shots)
    try:
        walk.run()
        print("walkthrough complete")
        return 0
    except Failure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        if walk.app and walk.app.poll() is None:
            x.screenshot((0, 0, 1280, 1024), os.path.join(args.shots, "failure.png"))
        return 1
    finally:
        if walk.app and walk.app.poll() is None:
            walk.app.kill()
        x.close()


if __name__ == "__main__":
    sys.exit(main())
