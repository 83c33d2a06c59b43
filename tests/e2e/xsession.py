"""A private X server and the few X tools the walkthrough needs."""
import os
import subprocess
import time


class XSession:
    def __init__(self, width=1280, height=1024):
        self.display = self._free_display()
        self.server = subprocess.Popen(
            ["Xvfb", self.display, "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.env = dict(os.environ, DISPLAY=self.display)
        self.env.pop("QT_QPA_PLATFORM", None)
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline:
            if subprocess.run(["xdpyinfo"], env=self.env, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL).returncode == 0:
                return
            time.sleep(0.05)
        self.close()
        raise RuntimeError("Xvfb did not start")

    @staticmethod
    def _free_display():
        for n in range(90, 200):
            if not os.path.exists(f"/tmp/.X11-unix/X{n}") and not os.path.exists(f"/tmp/.X{n}-lock"):
                return f":{n}"
        raise RuntimeError("no free X display")

    def close(self):
        self.server.terminate()
        try:
            self.server.wait(5)
        except subprocess.TimeoutExpired:
            self.server.kill()

    def run(self, *args):
        return subprocess.run(list(args), env=self.env, capture_output=True, text=True)

    def visible_windows(self, pid=None):
        """Ids of the mapped top-level windows of the process (or of anyone)."""
        args = ["xdotool", "search", "--onlyvisible"]
        args += ["--pid", str(pid)] if pid else []
        args += ["--name", ".*"]
        out = self.run(*args).stdout.split()
        return [w for w in out if self.geometry(w) is not None and self.is_toplevel(w)]

    def is_toplevel(self, window):
        tree = self.run("xwininfo", "-id", window, "-children").stdout
        return "Parent window id: " in tree and "(the root window)" in tree.split("Parent window id:")[1].split("\n")[0]

    def geometry(self, window):
        """(x, y, width, height) of a mapped window, or None."""
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

    def click(self, x, y):
        self.run("xdotool", "mousemove", "--sync", str(x), str(y))
        self.run("xdotool", "click", "1")

    def key(self, *keys):
        self.run("xdotool", "key", *keys)

    def type(self, text):
        self.run("xdotool", "type", "--delay", "20", text)

    def screenshot(self, geometry, path):
        x, y, w, h = geometry
        self.run("import", "-window", "root", "-crop", f"{w}x{h}+{x}+{y}", "+repage", path)
