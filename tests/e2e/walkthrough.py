#!/usr/bin/env python3
"""Walks the real program on a private X server: splash, hand-over, the four
pages with the real file dialog, the "MAX" buttons, the four hot spots and
their windows, every hiding button; compares each screen with its picture and
checks where each window opens. With --window-manager the same walk runs under
that window manager, and the user also moves windows by their title bars and
closes one with the window manager's close action."""
import argparse
import os
import subprocess
import sys
import time

from PIL import Image, ImageChops, ImageDraw

from screens import (ABOUT_OK, CHECK, FIELDS, HOT_SPOTS, MAX_BUTTONS, NOTICE_CANCEL, NOTICE_OK, OK_MAIN,
                     BACK_MAIN, SCREENS, SECTION_OK, SECTION_SPOTS, UPDATES_OK, UPDATES_UPDATE, centre)
from xsession import XSession

HANDOVER_MS = 3700
MARGIN = 3  # focus frames may reach a little beyond a control


class Failure(Exception):
    pass


class Walk:
    def __init__(self, x, bundle, shots, handover_tolerance_ms):
        self.x, self.bundle, self.shots = x, bundle, shots
        self.handover_tolerance_ms = handover_tolerance_ms
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
    def check_screen(self, window, screen, name=None):
        (w, h), picture, controls = SCREENS[screen]
        g = self.x.geometry(window)
        if (g[2], g[3]) != (w, h):
            raise Failure(f"{screen}: window is {g[2]}x{g[3]}, expected {w}x{h}")
        time.sleep(0.15)  # let the last repaint reach the server
        shot_path = os.path.join(self.shots, f"{name or screen}.png")
        self.x.screenshot(self.x.geometry(window), shot_path)
        shot = Image.open(shot_path).convert("RGB")
        expected = Image.open(os.path.join(self.resources, picture)).convert("RGB")
        diff = ImageChops.difference(shot, expected).convert("L")
        # Compared: every pixel but those of the controls and a margin around them.
        compared_area = Image.new("L", (w, h), 255)
        draw = ImageDraw.Draw(compared_area)
        for x, y, cw, ch in controls:
            draw.rectangle((x - MARGIN, y - MARGIN, x + cw + MARGIN - 1, y + ch + MARGIN - 1), fill=0)
        compared = compared_area.histogram()[255]
        counts = ImageChops.darker(diff, compared_area).histogram()
        total = sum(d * n for d, n in enumerate(counts))
        bad = sum(counts[25:])
        mean = total / compared
        if mean > 2.0 or bad > compared * 0.005:
            raise Failure(f"{screen}: screen differs from {picture} (mean {mean:.2f}, {bad} of {compared} pixels off)")
        print(f"  {screen}: {w}x{h} matches {picture} (mean difference {mean:.2f})")

    def shoot_desktop(self, name):
        """The whole screen, as the user sees it, for a person to look at."""
        self.x.screenshot((0, 0, *self.x.size), os.path.join(self.shots, f"desktop-{name}.png"))

    def expect_text_in_fields(self, window):
        """Every field shows text after its "MAX": dark pixels inside its box."""
        shot = Image.open(os.path.join(self.shots, "page3.png")).convert("L")
        for n, (x, y) in enumerate(FIELDS, 1):
            box = shot.crop((x + 3, y + 3, x + 60, y + 17))
            dark = sum(1 for v in box.getdata() if v < 100)
            if dark < 15:
                raise Failure(f"TextField{n} shows no text after its MAX button ({dark} dark pixels)")
        print("  every field shows its MAX value")

    # ---- where windows open ------------------------------------------------------
    def expect_centred_on_screen(self, window, what):
        x, y, w, h = self.x.geometry(window)
        left, right, top, bottom = self.x.frame_extents(window)
        inner = (x + w / 2, y + h / 2)
        outer = (inner[0] + (right - left) / 2, inner[1] + (bottom - top) / 2)
        screen = (self.x.size[0] / 2, self.x.size[1] / 2)
        # Centred by its inside or by its frame, to the pixel.
        for axis in (0, 1):
            if not min(inner[axis], outer[axis]) - 1 <= screen[axis] <= max(inner[axis], outer[axis]) + 1:
                raise Failure(f"{what} is not centred on the screen: its inside is {w}x{h} at ({x}, {y})")
        print(f"  {what}: centred on the screen at ({x}, {y})")

    def expect_over(self, window, main, what):
        x, y, w, h = self.x.geometry(window)
        mx, my, mw, mh = self.x.geometry(main)
        cx, cy = x + w / 2, y + h / 2
        if not (mx <= cx < mx + mw and my <= cy < my + mh):
            raise Failure(f"{what} opened at ({x}, {y}), {w}x{h}: its centre lies outside the main window "
                          f"({mx}, {my}, {mw}x{mh})")
        print(f"  {what}: centre {cx - (mx + mw / 2):+.1f}, {cy - (my + mh / 2):+.1f} from the main window's")

    def move(self, window, to):
        """The user moves the window: by its title bar under a window manager;
        on a bare server, where there is none, the way another program would."""
        x, y, w, _ = self.x.geometry(window)
        if self.x.wm:
            top = self.x.frame_extents(window)[2]
            if top == 0:
                raise Failure("the window has no title bar to drag")
            grip = (x + w // 3, y - top // 2)
            self.x.drag(grip, (grip[0] + to[0] - x, grip[1] + to[1] - y))
        else:
            self.x.run("xdotool", "windowmove", window, str(to[0]), str(to[1]))
        # A window manager may snap it a few pixels to an edge.
        deadline = time.monotonic() + 2
        while True:
            time.sleep(0.1)
            moved = self.x.geometry(window)
            if abs(moved[0] - to[0]) <= 24 and abs(moved[1] - to[1]) <= 24:
                break
            if time.monotonic() > deadline:
                raise Failure(f"the window did not move from ({x}, {y}) to {to}: it is at ({moved[0]}, {moved[1]})")
        time.sleep(0.1)  # the program hears of the move after the server
        print(f"  moved from ({x}, {y}) to ({moved[0]}, {moved[1]})")
        return self.x.geometry(window)

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
        self.expect_centred_on_screen(splash, "the splash")
        self.check_screen(splash, "splash")

        def main_window(ws):
            found = self.window_of_size((619, 461))(ws)
            if found and splash in ws:
                raise Failure("the splash and the main window were visible at the same time")
            return found
        main = self.wait_for(main_window, "the main window", timeout=HANDOVER_MS / 1000 + 5)
        gap_ms = 1000 * (time.monotonic() - splash_at)
        print(f"main window shown {gap_ms:.0f} ms after the splash")
        if abs(gap_ms - HANDOVER_MS) > self.handover_tolerance_ms:
            raise Failure(f"hand-over after {gap_ms:.0f} ms, expected about {HANDOVER_MS}")
        if splash in self.windows():
            raise Failure("the splash is still visible")
        self.expect_centred_on_screen(main, "the main window")  # where the splash was
        self.check_screen(main, "page1")
        self.shoot_desktop("main")

        # Page1 "OK": the file dialog, cancelled with the keyboard.
        self.click(main, OK_MAIN)
        dialog = self.wait_for(self.other_window(main), "the open-file dialog")
        self.x.focus(dialog)
        self.x.key("Escape")
        self.wait_for(self.gone(dialog), "the dialog to close")
        self.check_screen(main, "page2")

        # "BACK", then "OK" again, this time answering the dialog with a file.
        self.click(main, BACK_MAIN)
        self.check_screen(main, "page1")
        self.click(main, OK_MAIN)
        dialog = self.wait_for(self.other_window(main), "the open-file dialog again")
        self.x.focus(dialog)
        self.x.type(os.path.join(self.resources, "p.jpg"))
        self.x.key("Return")
        self.wait_for(self.gone(dialog), "the dialog to close after choosing a file")
        self.check_screen(main, "page2")

        # Page3: type into a field, then every "MAX".
        self.click(main, OK_MAIN)
        self.check_screen(main, "page3")
        self.click(main, (*FIELDS[0], 63, 20))
        self.x.focus(main)
        self.x.type("123")
        for button in MAX_BUTTONS:
            self.click(main, button)
        self.check_screen(main, "page3")
        self.expect_text_in_fields(main)

        # Away from the screen's centre, so that where a window opens tells what it opened over.
        self.move(main, (60, 30))
        self.hot_spots(main)
        if self.x.wm:
            self.window_manager_steps(main)

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
        self.expect_over(sections, main, "the section window")
        self.check_screen(sections, "section1")
        sections_at = self.x.geometry(sections)
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
        if self.x.geometry(again) != sections_at:
            raise Failure(f"the section window came back at {self.x.geometry(again)}, not where it was")
        self.check_screen(again, "section2")  # as it was left
        self.click(again, SECTION_SPOTS["Label1"])
        self.check_screen(again, "section1")
        self.click(again, SECTION_OK)
        self.wait_for(self.gone(again), "the section window to hide again")

        for spot, screen, buttons in (("Label2", "updates", [UPDATES_OK]),
                                      ("Label3", "about", [ABOUT_OK]),
                                      ("Label4", "notice", [NOTICE_OK]),
                                      ("Label4", "notice", [NOTICE_CANCEL])):
            self.click(main, HOT_SPOTS[spot])
            dialog = self.wait_for(self.other_window(main), f"the {screen} window")
            self.expect_over(dialog, main, f"the {screen} window")
            self.check_screen(dialog, screen)
            if spot == "Label3":
                self.shoot_desktop("about")
            if screen == "updates":
                self.click(dialog, UPDATES_UPDATE)  # "UPDATE" is disabled: nothing happens
                if dialog not in self.windows():
                    raise Failure("UPDATE hid its window")
            for b in buttons:
                self.click(dialog, b)
            self.wait_for(self.gone(dialog), f"the {screen} window to hide")
        self.check_screen(main, "page3")

    def window_manager_steps(self, main):
        """Windows moved by their title bars and one closed with the window
        manager's close action: each window keeps to itself, a window opens
        over the main window wherever that is, and comes back where the user
        put it."""
        print("under the window manager:")
        self.click(main, HOT_SPOTS["Label2"])
        updates = self.wait_for(self.other_window(main), "the updates window")
        self.expect_over(updates, main, "the updates window")
        updates_at = self.x.geometry(updates)

        # The main window dragged elsewhere; the updates window stays.
        self.move(main, (400, 501))
        if self.x.geometry(updates) != updates_at:
            raise Failure("moving the main window moved the updates window")

        # Opened now, a window opens over the main window where it is now.
        self.click(main, HOT_SPOTS["Label3"])
        about = self.wait_for(self.other_window(main, updates), "the about window")
        self.expect_over(about, main, "the about window")
        self.check_screen(about, "about", name="about-over-moved-main")
        self.shoot_desktop("main-moved")

        # Dragged aside, hidden and shown again: it comes back where the user put it.
        put = self.move(about, (700, 150))
        self.click(about, ABOUT_OK)
        self.wait_for(self.gone(about), "the about window to hide")
        self.click(main, HOT_SPOTS["Label3"])
        about = self.wait_for(self.other_window(main, updates), "the about window again")
        if self.x.geometry(about) != put:
            raise Failure(f"the about window came back at {self.x.geometry(about)}, not where the user put it {put}")
        self.check_screen(about, "about", name="about-where-put")
        self.click(about, ABOUT_OK)
        self.wait_for(self.gone(about), "the about window to hide again")

        # The section window, left in its second section, closed by the window
        # manager: it goes, and no other window with it.
        self.click(main, HOT_SPOTS["Label1"])
        sections = self.wait_for(self.other_window(main, updates), "the section window")
        self.expect_over(sections, main, "the section window")
        self.click(sections, SECTION_SPOTS["Label2"])
        self.check_screen(sections, "section2", name="section2-before-closing")
        self.x.close_window(sections)
        self.wait_for(self.gone(sections), "the section window to close")
        time.sleep(0.3)
        left = self.windows()
        if main not in left or updates not in left:
            raise Failure(f"closing the section window closed another window; left: {left}")
        if self.x.geometry(updates) != updates_at:
            raise Failure("closing the section window moved the updates window")

        # Its hot spot builds a fresh one, in its first section, over the main window.
        self.click(main, HOT_SPOTS["Label1"])
        fresh = self.wait_for(self.other_window(main, updates), "a fresh section window")
        if fresh == sections:
            raise Failure("the closed section window came back instead of a fresh one")
        self.expect_over(fresh, main, "the fresh section window")
        self.check_screen(fresh, "section1", name="section1-fresh")
        self.shoot_desktop("fresh-section-window")
        self.click(fresh, SECTION_OK)
        self.wait_for(self.gone(fresh), "the fresh section window to hide")
        self.click(updates, UPDATES_OK)
        self.wait_for(self.gone(updates), "the updates window to hide")
        self.check_screen(main, "page3", name="page3-moved")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bundle", required=True)
    parser.add_argument("--shots", required=True)
    parser.add_argument("--window-manager", help="run under this window manager (openbox)")
    # The gap seen between the splash and the main window includes building the
    # main window, which a sanitized build takes several times longer to do.
    parser.add_argument("--handover-tolerance-ms", type=int, default=300)
    args = parser.parse_args()
    os.makedirs(args.shots, exist_ok=True)
    x = XSession(window_manager=args.window_manager)
    walk = Walk(x, args.bundle, args.shots, args.handover_tolerance_ms)
    try:
        walk.run()
        print("walkthrough complete")
        return 0
    except Failure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        if walk.app and walk.app.poll() is None:
            x.screenshot((0, 0, *x.size), os.path.join(args.shots, "failure.png"))
        return 1
    finally:
        if walk.app and walk.app.poll() is None:
            walk.app.kill()
        x.close()


if __name__ == "__main__":
    sys.exit(main())
