"""A private X server, optionally with a window manager (openbox), and the few
X tools the walkthrough needs."""
import os
import subprocess
import tempfile
import time


class XSession:
    def __init__(self, width=1280, height=1024, window_manager=None):
        self.size = (width, height)
        self.display = self._free_display()
        self.server = subprocess.Popen(
            ["Xvfb", self.display, "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.env = dict(os.environ, DISPLAY=self.display)
        self.env.pop("QT_QPA_PLATFORM", None)
        self.wm = None
        self._wm_config = None
        try:
            self._wait("Xvfb", lambda: self._succeeds("xdpyinfo"))
            if window_manager:
                self._start_window_manager(window_manager)
        except Exception:
            self.close()
            raise

    @staticmethod
    def _free_display():
        for n in range(90, 200):
            if not os.path.exists(f"/tmp/.X11-unix/X{n}") and not os.path.exists(f"/tmp/.X{n}-lock"):
                return f":{n}"
        raise RuntimeError("no free X display")

    def _succeeds(self, *args):
        return subprocess.run(list(args), env=self.env, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL).returncode == 0

    def _wait(self, what, ready, timeout=10):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if ready():
                return
            time.sleep(0.05)
        raise RuntimeError(f"{what} did not start")

    def _start_window_manager(self, name):
        # Its stock settings, whatever the user running the tests has configured.
        self._wm_config = tempfile.TemporaryDirectory(prefix="e2e-wm-")
        self.wm = subprocess.Popen([name], env=dict(self.env, XDG_CONFIG_HOME=self._wm_config.name),
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self._wait(name, lambda: self._succeeds("wmctrl", "-m"))

    def close(self):
        for process in (self.wm, self.server):
            if process is None:
                continue
            process.terminate()
            try:
                process.wait(5)
            except subprocess.TimeoutExpired:
                process.kill()
        if self._wm_config:
            self._wm_config.cleanup()

    def run(self, *args):
        return subprocess.run(list(args), env=self.env, capture_output=True, text=True)

    # ---- windows ------------------------------------------------------------
    def visible_windows(self, pid):
        """Ids of the mapped top-level windows of the process."""
        if self.wm:
            # The windows the window manager manages, each inside a frame of its own.
            listed = [line.split() for line in self.run("wmctrl", "-lp").stdout.splitlines()]
            out = [str(int(f[0], 16)) for f in listed if len(f) > 2 and f[2] == str(pid)]
            return [w for w in out if self.geometry(w) is not None]
        out = self.run("xdotool", "search", "--onlyvisible", "--pid", str(pid), "--name", ".*").stdout.split()
        return [w for w in out if self.geometry(w) is not None and self.is_toplevel(w)]

    def is_toplevel(self, window):
        tree = self.run("xwininfo", "-id", window, "-children").stdout
        return "Parent window id: " in tree and "(the root window)" in tree.split("Parent window id:")[1].split("\n")[0]

    def geometry(self, window):
        """(x, y, width, height) of a mapped window's inside, or None."""
        info = self.run("xwininfo", "-id", window).stdout
        if "Map State: IsViewable" not in info:
            return None
        fields = {}
        for line in info.splitlines():
            if ":" in line:
                key, _, value = line.strip().partition(":")
                fields[key] = value.strip()
        return (int(fields["Absolute upper-left X"]), int(fields["Absolute upper-left Y"]),
                int(fields["Width"]), int(fields["Height"]))

    def frame_extents(self, window):
        """(left, right, top, bottom): what the window manager draws around the window."""
        out = self.run("xprop", "-id", window, "_NET_FRAME_EXTENTS").stdout
        if "=" not in out:
            return (0, 0, 0, 0)
        return tuple(int(v) for v in out.split("=")[1].split(","))

    def frame(self, window):
        """(x, y, width, height) of the window with its frame."""
        x, y, w, h = self.geometry(window)
        left, right, top, bottom = self.frame_extents(window)
        return (x - left, y - top, w + left + right, h + top + bottom)

    def close_window(self, window):
        """The window manager's close action, as its close button or Alt+F4 asks it."""
        self.run("wmctrl", "-ic", hex(int(window)))

    def focus(self, window):
        if self.wm:
            self.run("xdotool", "windowactivate", "--sync", window)
        else:
            self.run("xdotool", "windowfocus", "--sync", window)

    # ---- input and pixels ------------------------------------------------------
    def click(self, x, y):
        # One connection keeps the move before the press. (A synced move to where
        # the pointer already is waits for motion that never comes.)
        self.run("xdotool", "mousemove", str(x), str(y), "click", "1")

    def drag(self, start, end):
        self.run("xdotool", "mousemove", str(start[0]), str(start[1]), "mousedown", "1")
        # In steps, as a hand moves: the window manager follows motion, not jumps.
        for i in range(1, 6):
            x = start[0] + (end[0] - start[0]) * i // 5
            y = start[1] + (end[1] - start[1]) * i // 5
            self.run("xdotool", "mousemove", str(x), str(y))
            time.sleep(0.05)
        self.run("xdotool", "mouseup", "1")

    def key(self, *keys):
        self.run("xdotool", "key", *keys)

    def type(self, text):
        self.run("xdotool", "type", "--delay", "20", text)

    def screenshot(self, geometry, path):
        x, y, w, h = geometry
        self.run("import", "-window", "root", "-crop", f"{w}x{h}+{x}+{y}", "+repage", path)
