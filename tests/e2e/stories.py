#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
# SPDX-License-Identifier: MIT
"""Uses vosk-host as a person with a screen reader would, on a virtual X
server and a D-Bus session of its own, and checks what the window says and
the files it leaves behind. Controls are found by their role
and accessible name, and moved with keys to the focused window or with the
actions a screen reader offers.

    stories.py keyboard|pages|dump <vosk-host> <sample folder> <scratch folder> [<vosk-setup>|<a11y-dump.py>]

keyboard: Car > Car setup from the keyboard, "new" on the "setup i/o" page,
    a typed name and "ok", the fuel slider moved with Home and arrows, the
    window's "ok"; then the new setup file's bytes and conf.ini.
pages: every page in turn with Ctrl+PageDown from the focused control,
    reading each slider's name and value text; they must say what
    `vosk-setup show` says of the setup the window opened with.
dump: tools/a11y-dump.py --pages --check over an open window.

The scratch folder keeps the working folder, host.log, session.log (the X
server's and D-Bus's), and screen.png: the last screen of the story
(failure.png when a step fails).
"""

import fcntl
import importlib.util
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from pathlib import Path

# The source tree stays as git has it: no bytecode cache beside the tool.
sys.dont_write_bytecode = True
DUMP_TOOL = Path(__file__).resolve().parents[2] / "tools" / "a11y-dump.py"
_spec = importlib.util.spec_from_file_location("a11y_dump", DUMP_TOOL)
ax = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(ax)

WINDOW = "Marzan Setup"
# The asan build is several times slower to open a window and load a setup.
TIMEOUT = 60

# The slider that shows each value of `vosk-setup show`, by accessible name:
# its group box's caption and, where the group holds several sliders, the
# label beside it. Values no slider shows a person are absent: the disc
# sizes sit in a group that is never shown, the reserved words in none.
WHEELS = ("LF", "RF", "LR", "RR")
SLIDER_OF_KEY = {
    "rearWing": "wings, rear",
    "brakeBias": "front bias (%)",
    **{f"brakePad.{w}": f"pads (u), {w}" for w in WHEELS},
    "rollBarFront": "anti-roll bars (N/mm), front",
    "rollBarRear": "anti-roll bars (N/mm), rear",
    **{f"spring.{w}": f"springs (N/mm), {w}" for w in WHEELS},
    **{f"dampComp.{w}": f"dampers compression, {w}" for w in WHEELS},
    **{f"dampReb.{w}": f"dampers rebound, {w}" for w in WHEELS},
    **{f"gear.{n}": f"gear ratios, {g}" for n, g in enumerate(("1st", "2nd", "3rd", "4th", "5th", "6th"), 1)},
    "gearFinal": "differential, final ratio",
    "steerRatio": "ratio (degrees)",
    **{f"camber.{w}": f"static camber, {w}" for w in WHEELS},
    "fuel": "fuel (lt)",
}
PAGES = ["cover", "setup i/o", "aero", "brakes", "suspensions I", "suspensions II", "transmission", "steering",
         "fuel", "skin", "Tyres"]


class Failure(Exception):
    pass


class Host:
    """vosk-host in a fresh copy of the sample folder, with its accessibility
    bridge on whatever the session's accessibility settings say."""

    def __init__(self, host, sample, out):
        self.out = out
        self.workdir = out / "workdir"
        self.setups = self.workdir / "cars" / "vosk" / "setup"
        shutil.rmtree(out, ignore_errors=True)
        out.mkdir(parents=True)
        shutil.copytree(sample, self.workdir)
        self.host = host
        self.process = None
        self.log = None

    def start(self):
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
                   LC_ALL="C.UTF-8")
        for name in ("QT_STYLE_OVERRIDE", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI",
                     "QT_QPA_PLATFORMTHEME"):
            env.pop(name, None)
        self.log = open(self.out / "host.log", "wb")
        self.process = subprocess.Popen([str(self.host), "--workdir", str(self.workdir)], stdout=self.log,
                                        stderr=subprocess.STDOUT, env=env)

    def stop(self):
        if self.process is None:
            return
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.log.close()

    def frame(self):
        return ax.window("vosk-host", "Simulator", TIMEOUT)


class Session:
    """A virtual X server and a D-Bus session of the story's own, in a
    private runtime folder: the accessibility bus that the session brings up
    names its socket after the display in that folder, so stories of several
    builds run side by side. Xvfb picks a free display itself (-displayfd)."""

    def __init__(self, logs):
        self.logs = logs

    @staticmethod
    def start(command, log):
        """Starts a server that writes one line to the descriptor given as
        the last argument once it serves, and returns it and that line."""
        read, write = os.pipe()
        process = subprocess.Popen([*command, str(write)], pass_fds=(write,), stdout=log, stderr=log)
        os.close(write)
        with os.fdopen(read) as answer:
            line = answer.readline().strip()
        if not line:
            raise Failure(f"{command[0]} did not start (status {process.wait()})")
        return process, line

    def __enter__(self):
        self.runtime = tempfile.mkdtemp(prefix="vosk-e2e-")
        os.environ["XDG_RUNTIME_DIR"] = self.runtime
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)
        self.log = open(self.logs / "session.log", "wb")
        self.servers = []
        try:
            # Two X servers that look for a free display at the same moment
            # can both take the same one: start one at a time.
            with open(Path(tempfile.gettempdir()) / "vosk-e2e-xvfb.lock", "w") as lock:
                fcntl.flock(lock, fcntl.LOCK_EX)
                # -noreset: a server that resets as its last client leaves
                # turns away the next one meanwhile.
                x, display = self.start(["Xvfb", "-screen", "0", "1280x1024x24", "-dpi", "96", "-nolisten", "tcp",
                                         "-noreset", "-displayfd"], self.log)
            self.servers.append(x)
            os.environ["DISPLAY"] = f":{display}"
            bus, address = self.start(["dbus-daemon", "--session", "--nofork", "--print-address"], self.log)
            self.servers.append(bus)
            os.environ["DBUS_SESSION_BUS_ADDRESS"] = address
        except BaseException:
            self.__exit__()
            raise
        return self

    def __exit__(self, *_):
        for server in reversed(self.servers):
            server.terminate()
            server.wait()
        self.log.close()
        shutil.rmtree(self.runtime, ignore_errors=True)


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True, stdout=subprocess.DEVNULL)


def x_window(title):
    """The X window of a top-level window: this server has no window manager
    to give it the keyboard when it appears, so the story does."""
    found = ax.wait_for(f'the X window "{title}"', lambda: subprocess.run(
        ["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"], capture_output=True, text=True).stdout.split(),
        TIMEOUT)
    return found[0]


def keys(title, *names):
    """Presses keys in the top-level window of that title."""
    xdotool("windowfocus", "--sync", x_window(title))
    xdotool("key", "--delay", "50", *names)


def screen_picture(path):
    xwd = subprocess.run(["xwd", "-root", "-silent"], capture_output=True, check=True).stdout
    pnm = subprocess.run(["xwdtopnm"], input=xwd, capture_output=True, check=True).stdout
    path.write_bytes(subprocess.run(["pnmtopng"], input=pnm, capture_output=True, check=True).stdout)


def named(win, role, name):
    return ax.wait_for(f'{role} "{name}"', lambda: ax.find(win, lambda n: ax.role(n) == role and n.get_name() == name),
                       TIMEOUT)


def focus(node):
    """Gives a control the keyboard, as tabbing to it would."""
    ax.Atspi.Component.grab_focus(node)
    ax.wait_for(f'{ax.role(node)} "{node.get_name()}" to take the focus',
                lambda: node.get_state_set().contains(ax.Atspi.StateType.FOCUSED), TIMEOUT)


def open_setup_window(host):
    """Starts the host; Car > Car setup from the keyboard: Alt+C opens the
    menu, S picks the item."""
    host.start()
    frame = host.frame()
    keys("Simulator", "alt+c")
    named(frame, "menu item", "Car setup")
    keys("Simulator", "s")
    return ax.window("vosk-host", WINDOW, TIMEOUT)


def keyboard(host, _):
    name = "e2e run"
    win = open_setup_window(host)
    ax.press(named(win, "page tab", "setup i/o"))
    ax.press(named(win, "push button", "new"))

    dialog = ax.window("vosk-host", "setup name", TIMEOUT)
    box = ax.wait_for("the name box", lambda: ax.find(dialog, lambda n: ax.role(n) == "text"), TIMEOUT)
    # The box opens with "newSetup" selected: typing replaces it.
    xdotool("windowfocus", "--sync", x_window("setup name"))
    xdotool("type", "--delay", "30", name)
    ax.wait_for(f'the name box to read "{name}"', lambda: ax.value_text(box) == name, TIMEOUT)
    ax.press(named(dialog, "push button", "ok"))
    new_file = host.setups / f"{name}.rvs"
    ax.wait_for(f"{new_file.name} to be written", new_file.exists, TIMEOUT)

    # "new" put the defaults on the sliders (30 litres). Home takes the fuel
    # slider to its minimum, 1; four steps right make 5 litres.
    ax.press(named(win, "page tab", "fuel"))
    fuel = named(win, "slider", "fuel (lt)")
    xdotool("windowfocus", "--sync", x_window("Simulator"))
    focus(fuel)
    keys("Simulator", "Home", "Right", "Right", "Right", "Right")
    ax.wait_for('the fuel slider to read "5"', lambda: ax.value_text(fuel) == "5", TIMEOUT)
    screen_picture(host.out / "screen.png")
    ax.press(named(win, "push button", "ok"))

    # "ok" saves the setup and closes the window, which remembers the setup.
    conf = host.setups / "conf.ini"
    expected_conf = f"[ACTIVESETUP]\r\nNAME={name}.rvs\r\n\r\n\r\n".encode()
    ax.wait_for("conf.ini to name the new setup", lambda: conf.exists() and conf.read_bytes() == expected_conf,
                TIMEOUT)
    data = new_file.read_bytes()
    if len(data) != 196:
        raise Failure(f"{new_file.name} has {len(data)} bytes, not 196")
    if data[180:184] != bytes.fromhex("0000a040"):  # 5.0f, little-endian
        raise Failure(f"the stored fuel is {data[180:184].hex()}, not the moved value 0000a040")

    keys("Simulator", "ctrl+q")
    status = host.process.wait(TIMEOUT)
    if status != 0:
        raise Failure(f"the host quit with status {status}")


# Values that tell the front sliders from the rear ones and that the window
# changes as it loads them: a spring beyond the range, left and right wheels
# that the symmetric boxes pull together, a camber that is not a number.
PAGES_SETUP = {
    "brakePad": [0.25, 0.25, 0.4, 0.4],
    "spring": [200, 90, 150, 100],
    "dampComp": [4, 4, 2, 2],
    "dampReb": [1, 1, 5, 5],
    "camber": ["0x7fc00001", -2.5, 0.5, 0.5],
    "steerRatio": 14,
}


def pages(host, cli):
    # The sample's active setup with the values above, made the active one.
    conf = host.setups / "conf.ini"
    active = conf.read_text().split("NAME=")[1].split("\r")[0].strip()
    fields = json.loads(subprocess.run([cli, "export", str(host.setups / active)], capture_output=True, check=True,
                                       text=True).stdout)
    fields.update(PAGES_SETUP)
    subprocess.run([cli, "import", "-", str(host.setups / "pages.rvs")], input=json.dumps(fields), text=True,
                   check=True)
    conf.write_bytes(b"[ACTIVESETUP]\r\nNAME=pages.rvs\r\n")
    shown = subprocess.run([cli, "show", str(host.setups / "pages.rvs")], capture_output=True, text=True,
                           check=True).stdout
    expected = {}
    for line in shown.splitlines():
        key, text = line.split(" ", 2)[:2]  # "spring.LF 160 (stored 200)": the window shows 160
        if key in SLIDER_OF_KEY:
            expected[SLIDER_OF_KEY[key]] = text

    win = open_setup_window(host)
    tab_list = ax.wait_for("the page tabs", lambda: ax.find(win, lambda n: ax.role(n) == "page tab list"), TIMEOUT)
    ax.wait_for(f'the page "{PAGES[0]}"', lambda: (ax.open_tab(tab_list) or tab_list).get_name() == PAGES[0], TIMEOUT)

    def turn(key, page):
        # From a slider where the page has one: arrows and page keys there
        # move the slider, Ctrl+PageDown still turns the page.
        focus(ax.find(win, lambda n: ax.role(n) == "slider") or tab_list)
        keys("Simulator", key)
        ax.wait_for(f'{key} to open the page "{page}"',
                    lambda: (ax.open_tab(tab_list) or tab_list).get_name() == page, TIMEOUT)

    read = {}
    for page in PAGES:
        if page != PAGES[0]:
            turn("ctrl+Next", page)
        for name, text, _ in ax.sliders_of(win):
            if name in read:
                raise Failure(f'two sliders are named "{name}"')
            read[name] = text
    turn("ctrl+Prior", PAGES[-2])
    screen_picture(host.out / "screen.png")

    wrong = [f'"{n}" reads "{read.get(n, "(no such slider)")}", the file says "{t}"' for n, t in expected.items()
             if read.get(n) != t]
    wrong += [f'"{n}" = "{t}" is no slider of the setup' for n, t in read.items() if n not in expected]
    if wrong:
        raise Failure("; ".join(wrong))


def dump(host, tool):
    open_setup_window(host)
    result = subprocess.run([tool, "--pages", "--check", "--timeout", str(TIMEOUT)], capture_output=True, text=True)
    (host.out / "a11y-dump.txt").write_text(result.stdout)
    screen_picture(host.out / "screen.png")
    if result.returncode != 0:
        raise Failure(f"{Path(tool).name} says:\n{result.stderr}(its dump is {host.out / 'a11y-dump.txt'})")


def main():
    if len(sys.argv) not in (5, 6) or sys.argv[1] not in ("keyboard", "pages", "dump"):
        print(__doc__.split("\n\n")[1], file=sys.stderr)
        return 2
    story = {"keyboard": keyboard, "pages": pages, "dump": dump}[sys.argv[1]]
    out = Path(sys.argv[4]).resolve()
    host = Host(Path(sys.argv[2]).resolve(), Path(sys.argv[3]).resolve(), out)
    try:
        with Session(out):
            try:
                story(host, sys.argv[5] if len(sys.argv) == 6 else None)
            except (Failure, TimeoutError, subprocess.CalledProcessError, ax.GLib.Error):
                try:
                    screen_picture(out / "failure.png")
                except (subprocess.CalledProcessError, OSError):
                    pass
                raise
            finally:
                host.stop()
    except (Failure, TimeoutError, subprocess.CalledProcessError, ax.GLib.Error) as e:
        print(f"{sys.argv[1]}: {e}", file=sys.stderr)
        if (out / "failure.png").exists():
            print(f"{sys.argv[1]}: the screen at that moment is {out / 'failure.png'}", file=sys.stderr)
        if (out / "host.log").exists():
            print(f"{sys.argv[1]}: the host said:\n{(out / 'host.log').read_text(errors='replace')}", file=sys.stderr)
        return 1
    print(f"{sys.argv[1]}: passed; the last screen is {out / 'screen.png'}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
