#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Plays Numora end to end as a screen-reader user's tools would.

It starts the real binary on the X display it is given (with a window
manager and the accessibility bus), presses real keys and mouse buttons with
xdotool, and learns everything it knows about the program through AT-SPI:
window titles, texts, states and positions. Run it through run_e2e.sh.
"""

import functools
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from xml.etree import ElementTree

import pyatspi
from gi.repository import Atspi

TIMEOUT = 20.0
WELCOME = ("Welcome...", "Welcome to Numora !")
GOODBYE = ("Bye Bye...", "Bye Bye, and thank you for using Numora !")
INTRO = "Welcome to the numora program!"
CARD = "Numora - Is the number you chose appearing on this card?"
RESULT = "Numora - The number you chose is..."
ABOUT = "Numora - About"
# The six cards' grids as the text box reads them.
CARD_GRIDS = [
    "1   3   5   7   9  11\n13 15 17 19 21 23\n25 27 29 31 33 35\n37 39 41 43 45 47\n"
    "49 51 53 55 57 59\n",
    "4  5  6  7  12  13\n14 15 20 21 22 23\n28 29 30 31 36 37\n38 39 44 45 46 47\n"
    "52 53 54 55 60 13\n",
    "8 9 10 11 12 13\n14 15 24 25 26 27\n28 29 30 31 40 41\n42 43 44 45 46 47\n"
    "56 57 58 59 60\n",
    "2  3  6  7  10  11\n14 15 18 19 22 23\n26 27 30 31 34 35\n38 39 42 43 46 47\n"
    "50 51 54 55 58 59\n",
    "16 17 18 19 20 21\n22 23 24 25 26 27\n28 29 30 31 48 49\n50 51 52 53 54 55\n"
    "56 57 58 59 60 31\n",
    "32 33 34 35 36 37\n38 39 40 41 42 43\n44 45 46 47 48 49\n50 51 52 53 54 55\n"
    "56 57 58 59 60 46\n",
]
CHECK_CAPTION = ("If the number you chose is appering on this card, "
                 "Please mark the check box.")


class Failure(Exception):
    pass


class Texts:
    """The program's texts in one language, looked up by their English (and
    the note that tells two alike apart), from its catalogue in the source
    tree; English as it is."""

    def __init__(self, language):
        self.language = language
        self.table = {}
        if language != "en":
            path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "translations", f"numora_{language}.ts")
            for message in ElementTree.parse(path).iter("message"):
                self.table[(message.findtext("source"), message.findtext("comment"))] = \
                    message.findtext("translation")

    def __call__(self, english, note=None):
        if self.language == "en":
            return english
        translated = self.table.get((english, note))
        if not translated:
            raise Failure(f"no {self.language} translation of '{english}'")
        return translated

    def shown(self, caption, note=None):
        """A caption as it reads, without its access key's mark."""
        return self(caption, note).replace("&", "")

    def key(self, caption, note=None):
        """A caption's access key, as xdotool names it."""
        text = self(caption, note)
        return text[text.index("&") + 1].lower()

    def box(self, title, prompt):
        return (self(title), self(prompt))


def log(message):
    print(message, flush=True)


def wait_for(predicate, what, timeout=TIMEOUT):
    deadline = time.monotonic() + timeout
    while True:
        try:
            result = predicate()
        except Exception:  # the tree changes under us while windows come and go
            result = None
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(0.1)


def xdo(*args):
    subprocess.run(["xdotool", *args], check=True, timeout=TIMEOUT)


def key(*keys):
    for k in keys:
        xdo("key", "--clearmodifiers", k)
        time.sleep(0.15)


def states(node):
    return set(node.getState().getStates())


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


class Program:
    """One run of the real binary, read through AT-SPI."""

    def __init__(self, binary, language="en"):
        # As a user starts it: Numora itself asks to be on the accessibility
        # bus, and chooses its platform. It speaks the language asked for,
        # whatever this machine's locale.
        self.texts = Texts(language)
        env = dict(os.environ, LANGUAGE=language)
        env.pop("QT_QPA_PLATFORM", None)
        env.pop("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", None)
        self.process = subprocess.Popen([binary], env=env)
        self.goodbyes_seen = set()

    def app(self):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == self.process.pid:
                app.set_cache_mask(Atspi.Cache.NONE)
                return app
        return None

    def windows(self, title):
        app = self.app()
        if app is None:
            return []
        return [w for w in app if w is not None and w.name == title
                and pyatspi.STATE_SHOWING in states(w)]

    def window(self, title, check=None):
        def found():
            for w in self.windows(title):
                if check is None or check(w):
                    return w
            return None
        return wait_for(found, f"window '{title}'")

    def gone(self, title):
        wait_for(lambda: not self.windows(title), f"'{title}' to close")

    def message_box(self, title_and_prompt):
        title, prompt = title_and_prompt
        box = self.window(title)
        texts = [n.name for n in walk(box) if n.getRole() == pyatspi.ROLE_LABEL]
        if prompt not in texts:
            raise Failure(f"'{title}' says {texts}, not '{prompt}'")
        # A box is up before it has the keyboard: a key given then would go
        # to no window, as it would for a person who types that fast.
        wait_for(lambda: pyatspi.STATE_ACTIVE in states(box), f"'{title}' to be active")
        return box

    def stop(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGKILL)
            self.process.wait(timeout=TIMEOUT)


def labels(window):
    return [n.name for n in walk(window) if n.getRole() == pyatspi.ROLE_LABEL]


def named(window, role, name):
    for node in walk(window):
        if node.getRole() == role and node.name == name:
            return node
    raise Failure(f"no {role} '{name}' in '{window.name}'")


def grid_of(window):
    for node in walk(window):
        if node.getRole() == pyatspi.ROLE_TEXT and pyatspi.STATE_READ_ONLY in states(node):
            text = node.queryText()
            return text.getText(0, text.characterCount)
    return None


def point_at(x, y):
    """Moves the pointer to x, y and waits until it is there. (xdotool's own
    --sync waits for ever where the pointer cannot get there.)"""
    xdo("mousemove", str(x), str(y))
    def there():
        out = subprocess.run(["xdotool", "getmouselocation", "--shell"], capture_output=True,
                             text=True, timeout=TIMEOUT).stdout
        where = dict(line.split("=", 1) for line in out.split())
        return (int(where["X"]), int(where["Y"])) == (x, y)
    wait_for(there, f"the pointer to reach {x},{y}", timeout=5)


def click(node):
    def on_screen():
        x, y, w, h = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        sw, sh = screen_size()
        return (x, y, w, h) if 0 <= x + w // 2 < sw and 0 <= y + h // 2 < sh else None
    x, y, w, h = wait_for(on_screen, f"'{node.name}' to be on the screen")
    point_at(x + w // 2, y + h // 2)
    xdo("click", "1")


def require(condition, message):
    if not condition:
        raise Failure(message)


def about_round_trip(program, opener, closing):
    log(f"  About from '{opener.name}', closed by {closing}")
    # With a reader listening, a window that has just opened holds the focus
    # itself for a moment before its first control takes it. The grid's
    # viewport is a part of the grid, and says it has the grid's focus.
    def focused_controls():
        return [n for n in walk(opener) if n != opener and pyatspi.STATE_FOCUSED in states(n)
                and pyatspi.STATE_FOCUSED not in states(n.parent)]
    focused = wait_for(focused_controls, f"a control of '{opener.name}' to have the focus")
    require(len(focused) == 1, f"{len(focused)} controls have the focus before About: "
            + ", ".join(f"{n.getRoleName()} '{n.name}'" for n in focused))
    t = program.texts
    key("alt+" + t.key("&Help"), t.key("&About"))
    about = t(ABOUT)
    box = program.window(about)
    require(any(n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name == t("Ok") for n in walk(box)),
            "About has no Ok button")
    wait_for(lambda: pyatspi.STATE_SENSITIVE not in states(opener),
             "the opener to report itself insensitive")
    require(pyatspi.STATE_ENABLED not in states(opener), "the opener still reports enabled")
    if closing == "Enter":
        key("Return")
    else:
        key("alt+F4")
    program.gone(about)
    wait_for(lambda: pyatspi.STATE_SENSITIVE in states(opener), "the opener to be enabled")
    try:
        wait_for(lambda: pyatspi.STATE_FOCUSED in states(focused[0]),
                 f"the focus to return to '{focused[0].name}'")
    except Failure as failure:
        raise Failure(f"{failure}; {focus_report(program, opener)}") from None


def focus_report(program, opener):
    """Where the focus is instead, as the X server and the program say."""
    x_focus = subprocess.run(["xdotool", "getwindowfocus", "getwindowname"],
                             capture_output=True, text=True).stdout.strip()
    focused = [f"{n.getRoleName()} '{n.name}'" for n in walk(program.app())
               if pyatspi.STATE_FOCUSED in states(n)]
    active = pyatspi.STATE_ACTIVE in states(opener)
    return (f"X focus on '{x_focus}', opener {'active' if active else 'not active'}, "
            f"focused: {', '.join(focused) or 'nothing'}")


def finish_with_goodbye(program):
    goodbye = program.texts.box(*GOODBYE)
    program.message_box(goodbye)
    key("Return")
    seen = 1
    deadline = time.monotonic() + TIMEOUT
    while program.process.poll() is None:
        if program.windows(goodbye[0]):
            seen += 1
            break
        if time.monotonic() > deadline:
            raise Failure("the program did not end after its goodbye")
        time.sleep(0.05)
    require(seen == 1, "the goodbye came twice")
    status = program.process.wait(timeout=TIMEOUT)
    require(status == 0, f"the program exited with status {status}")


def play(binary, number, tick_by, about_from, about_closing, way_out, screen_change=None,
         language="en"):
    """One whole trick. way_out is ('Enter'|'close box'|'File > Exit') on the
    result window, or ('Alt+E', card) to leave on a card, Alt with the Exit
    button's access key in the language played. screen_change: the screen
    shrinks under the first card (see change_screen)."""
    log(f"run: number {number}, ticking by {tick_by}, leaving by {way_out}, in {language}")
    program = Program(binary, language)
    t = program.texts
    try:
        program.message_box(t.box(*WELCOME))
        require(not program.windows(t(INTRO)), "the welcome window showed before the box")
        key("Return")
        intro = program.window(t(INTRO))
        texts = labels(intro)
        greeting = t("Welcome !") + " " + t("to Numora!")
        require(texts.count(greeting) == 1, f"the greeting is read {texts.count(greeting)} times")
        named(intro, pyatspi.ROLE_PUSH_BUTTON, t.shown("&Next >"))
        named(intro, pyatspi.ROLE_PUSH_BUTTON, t.shown("&Exit", "button"))
        if about_from == 0:
            about_round_trip(program, intro, about_closing)
        key("Return")

        previous = None
        for card in range(1, 7):
            window = program.window(t(CARD), lambda w: grid_of(w) not in (None, previous))
            grid = grid_of(window)
            previous = grid
            rows = grid.split("\n")
            require(len(rows) == 6 and rows[5] == "", f"card {card} grid is {grid!r}")
            numbers = {int(n) for n in grid.split()}
            if card == 1 and screen_change:
                change_screen(**screen_change)
            check = named(window, pyatspi.ROLE_CHECK_BOX, t(CHECK_CAPTION))
            require(pyatspi.STATE_CHECKED not in states(check), f"card {card} starts ticked")
            if number in numbers:
                if tick_by == "mouse":
                    click(check)
                else:
                    # Focus starts on the grid; the box is third after it.
                    key("Tab", "Tab", "Tab")
                    wait_for(lambda: pyatspi.STATE_FOCUSED in states(check),
                             "the check box to take the focus")
                    key("space")
                wait_for(lambda: pyatspi.STATE_CHECKED in states(check),
                         f"card {card} to be ticked")
            if about_from == card:
                about_round_trip(program, window, about_closing)
                require((pyatspi.STATE_CHECKED in states(check)) == (number in numbers),
                        "About changed the check box")
            if way_out == ("Alt+E", card):
                key("alt+" + t.key("&Exit", "button"))
                finish_with_goodbye(program)
                return
            key("Return")

        result = program.window(t(RESULT))
        texts = labels(result)
        heading = t("The number you chose is")
        require(texts.count(heading) == 1, f"result window reads {texts}")
        require("00" not in texts, "the result still reads 00")
        answer = t("The number you chose is %1").replace("%1", str(number))
        require(answer in texts, f"the answer is read as {texts}, not '{answer}'")
        require(not result.description and not named(result, pyatspi.ROLE_PUSH_BUTTON,
                                                      t.shown("&Exit", "button")).description,
                "the answer is announced twice")
        if about_from == 7:
            about_round_trip(program, result, about_closing)
        if way_out == "Enter":
            key("Return")
        elif way_out == "close box":
            key("alt+F4")
        elif way_out == "File > Exit":
            key("alt+" + t.key("&File"), t.key("&Exit", "menu item"))
        finish_with_goodbye(program)
    finally:
        program.stop()


# Placement, read off the X server: where each window's frame lies.

def x_window(title):
    pattern = "".join("\\" + c if c in ".?*+()[]{}|^$\\" else c for c in title)
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{pattern}$"],
                         capture_output=True, text=True, timeout=TIMEOUT).stdout.split()
    return out[0] if out else None


def frame_rect(window_id, framed):
    """The outer rectangle, frame included, once the window manager has
    framed the window and it has stopped moving."""
    def settled():
        rects = []
        for _ in range(5):
            info = subprocess.run(["xwininfo", "-id", window_id], capture_output=True,
                                  text=True, timeout=TIMEOUT).stdout
            value = {k.strip(): v.strip() for k, _, v in
                     (line.partition(":") for line in info.splitlines()) if v}
            extents = [0, 0, 0, 0]
            if framed:
                prop = subprocess.run(["xprop", "-id", window_id, "_NET_FRAME_EXTENTS"],
                                      capture_output=True, text=True, timeout=TIMEOUT).stdout
                if "=" not in prop:
                    return None
                extents = [int(n) for n in prop.split("=")[1].split(",")]
            left, right, top, bottom = extents
            x = int(value["Absolute upper-left X"]) - left
            y = int(value["Absolute upper-left Y"]) - top
            rects.append((x, y, int(value["Width"]) + left + right,
                          int(value["Height"]) + top + bottom))
            time.sleep(0.15)
        return rects[0] if len(set(rects)) == 1 else None
    return wait_for(settled, f"window {window_id} to settle")


def screen_size():
    """The primary monitor's size: the first Xinerama head where there are
    several monitors, the whole display otherwise."""
    heads = subprocess.run(["xdpyinfo", "-ext", "XINERAMA"], capture_output=True, text=True,
                           timeout=TIMEOUT).stdout
    for line in heads.splitlines():
        if line.strip().startswith("head #0:"):
            width, height = line.split()[2].split("x")
            return int(width), int(height)
    out = subprocess.run(["xdotool", "getdisplaygeometry"], capture_output=True, text=True,
                         timeout=TIMEOUT).stdout.split()
    return int(out[0]), int(out[1])


def shown(window_id):
    """Whether a window is mapped and not minimized."""
    info = subprocess.run(["xwininfo", "-id", window_id], capture_output=True, text=True,
                          timeout=TIMEOUT).stdout
    state = subprocess.run(["xprop", "-id", window_id, "WM_STATE", "_NET_WM_STATE"],
                           capture_output=True, text=True, timeout=TIMEOUT).stdout
    return ("IsViewable" in info and "Iconic" not in state
            and "_NET_WM_STATE_HIDDEN" not in state)


def focused():
    return subprocess.run(["xdotool", "getwindowfocus"], capture_output=True, text=True,
                          timeout=TIMEOUT).stdout.strip()


def require_centred(title, framed, offset=0):
    window_id = wait_for(lambda: x_window(title), f"X window '{title}'")
    x, y, w, h = frame_rect(window_id, framed)
    sw, sh = screen_size()
    want_x = min((sw - w) / 2 + offset, sw - w)
    want_y = min((sh - h) / 2 + offset, sh - h)
    log(f"    '{title}': frame {w}x{h} at {x},{y}; centred is {want_x:g},{want_y:g}")
    require(abs(x - want_x) <= 1 and abs(y - want_y) <= 1,
            f"'{title}' is at {x},{y}, not {want_x:g},{want_y:g}")
    return window_id


def place(binary, framed):
    """Starts Numora, answers the welcome box at once, and checks that every
    kind of window lands where it belongs."""
    log(f"placement run, {'with' if framed else 'without'} a window manager")
    # The pointer on the far right: on the second monitor where there is one.
    width = subprocess.run(["xdotool", "getdisplaygeometry"], capture_output=True, text=True,
                           timeout=TIMEOUT).stdout.split()[0]
    xdo("mousemove", str(int(width) - 10), "500")
    program = Program(binary)
    try:
        box = require_centred(WELCOME[0], framed)
        xdo("windowactivate" if framed else "windowfocus", "--sync", box)
        xdo("key", "Return")
        require_centred(INTRO, framed)
        key("alt+h", "a")
        about_id = require_centred(ABOUT, framed, offset=100)
        state = subprocess.run(["xprop", "-id", about_id, "_NET_WM_STATE"], capture_output=True,
                               text=True, timeout=TIMEOUT).stdout
        require("_NET_WM_STATE_SKIP_TASKBAR" in state, f"About is listed in the task bar: {state}")
        # Minimized, About comes back, having no task-bar entry to come back
        # from; a click on the opener it disables brings it in front again.
        xdo("windowminimize", about_id)
        time.sleep(0.5)  # for the window manager to act on it
        wait_for(lambda: shown(about_id), "About to come back from minimized")
        x, y, w, h = frame_rect(x_window(INTRO), framed)
        point_at(x + 15, y + h - 15)
        xdo("click", "1")
        wait_for(lambda: shown(about_id) and focused() == about_id, "About to take the focus back")
        key("Return")
        wait_for(lambda: not x_window(ABOUT), "About to close")
        key("Return")
        require_centred(CARD, framed)
        key("alt+e")
        require_centred(GOODBYE[0], framed)
        key("Return")
        status = program.process.wait(timeout=TIMEOUT)
        require(status == 0, f"the program exited with status {status}")
    finally:
        program.stop()


def change_screen(framed, moved):
    """The screen goes from 3840x2160 to 1280x1024 under the first card, as
    when a projector or a dock is unplugged. The card is centred again on
    the new screen, or, if the user had moved it, kept wholly on it."""
    card = require_centred(CARD, framed)
    if moved:
        xdo("windowmove", card, "3000", "1600")
        wait_for(lambda: frame_rect(card, framed)[0] > 2500, "the card to move")
    subprocess.run(["xrandr", "-s", "1280x1024"], check=True, timeout=TIMEOUT)
    wait_for(lambda: screen_size() == (1280, 1024), "the screen to change")
    if not moved:
        require_centred(CARD, framed)
        return
    def kept():
        x, y, w, h = frame_rect(card, framed)
        return (x, y) == (1280 - w, 1024 - h)
    wait_for(kept, "the moved card to be kept in the screen's corner")
    # Still the user's place, not the program's, when the screen grows again.
    subprocess.run(["xrandr", "-s", "3840x2160"], check=True, timeout=TIMEOUT)
    wait_for(lambda: screen_size() == (3840, 2160), "the screen to change back")
    time.sleep(0.5)  # for the program to act on it
    require(kept(), f"the moved card went to {frame_rect(card, framed)[:2]}")


def screen_change(binary, framed, number, moved):
    subprocess.run(["xrandr", "-s", "3840x2160"], check=True, timeout=TIMEOUT)
    log(f"screen change under the first card, the card {'moved' if moved else 'where it was put'}")
    play(binary, number, "keyboard", None, "Enter", "Enter",
         screen_change=dict(framed=framed, moved=moved))


def late_screen_reader(binary):
    """A screen reader that starts after Numora finds it."""
    log("screen reader started after the program")
    bus = ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus"]
    status = bus + ["org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status"]
    # The accessibility bus is up, screen reading is off, and nothing on the X
    # root window tells Qt where the bus is.
    subprocess.run(bus + ["org.a11y.Bus.GetAddress"], check=True, capture_output=True,
                   timeout=TIMEOUT)
    for name in ("IsEnabled", "ScreenReaderEnabled"):
        subprocess.run(status + [f"string:{name}", "variant:boolean:false"], check=True,
                       capture_output=True, timeout=TIMEOUT)
    subprocess.run(["xprop", "-root", "-remove", "AT_SPI_BUS"], timeout=TIMEOUT)
    program = Program(binary)
    try:
        wait_for(lambda: x_window(WELCOME[0]), "the welcome box")
        time.sleep(1)
        for name in ("ScreenReaderEnabled", "IsEnabled"):
            subprocess.run(status + [f"string:{name}", "variant:boolean:true"], check=True,
                           capture_output=True, timeout=TIMEOUT)
        program.message_box(WELCOME)
        key("Return")
        program.window(INTRO)
    finally:
        program.stop()


# Input as people give it: quick sequences, held keys, double clicks.

def keys_apart(spacing, *keys):
    """Presses keys one after another, spacing seconds apart (0: at once)."""
    if spacing == 0:
        xdo("key", "--clearmodifiers", "--delay", "0", *keys)
        return
    for k in keys:
        xdo("key", "--clearmodifiers", k)
        time.sleep(spacing)


def card_number(program, window):
    return CARD_GRIDS.index(grid_of(window)) + 1


def sequence_windows(program):
    app = program.app()
    return [w for w in app if w is not None and w.name in (INTRO, CARD, RESULT)
            and pyatspi.STATE_SHOWING in states(w)] if app else []


def goodbye_once_then_end(program):
    """Exactly one goodbye box, then the program ends with status 0 and no
    window left."""
    program.message_box(GOODBYE)
    require(len(program.windows(GOODBYE[0])) == 1, "two goodbye boxes")
    key("Return")
    try:
        status = program.process.wait(timeout=TIMEOUT)
    except subprocess.TimeoutExpired:
        shown = [w.name for w in program.app() or [] if w is not None]
        raise Failure(f"the program said goodbye and runs on, showing {shown}") from None
    require(status == 0, f"the program exited with status {status}")


def to_first_card(program):
    program.message_box(WELCOME)
    key("Return")
    program.window(INTRO)
    key("Return")
    return program.window(CARD, lambda w: grid_of(w) is not None)


def alt_n_then_close(binary, spacing):
    log(f"Alt+N then Alt+F4 on the first card, {spacing * 1000:.0f} ms apart")
    program = Program(binary)
    try:
        to_first_card(program)
        keys_apart(spacing, "alt+n", "alt+F4")
        try:
            wait_for(lambda: program.windows(GOODBYE[0]), "the goodbye box", timeout=5)
        except Failure:
            # A close request that reaches the card Next replaced goes on to
            # the next card (the windows test shows it), but a window manager
            # that has no window focused just then lets Alt+F4 go, and Numora
            # hears of nothing. Then the next card must be there, alone and
            # taking input, and close as any card does.
            shown = sequence_windows(program)
            require(len(shown) == 1 and card_number(program, shown[0]) == 2
                    and pyatspi.STATE_SENSITIVE in states(shown[0]),
                    "Alt+F4 said no goodbye, and card 2 is not the one window taking input")
            log("  no close request reached Numora; closing card 2 again")
            key("alt+F4")
        goodbye_once_then_end(program)
    finally:
        program.stop()


def alt_n_then_about(binary, spacing):
    log(f"Alt+N, Alt+H, Return on the first card, {spacing * 1000:.0f} ms apart")
    program = Program(binary)
    try:
        to_first_card(program)
        keys_apart(spacing, "alt+n", "alt+h", "Return")
        time.sleep(0.5)
        # Card 2 may still be on its way where card 1 has gone.
        shown = wait_for(lambda: sequence_windows(program), "a window of the sequence")
        require(len(shown) == 1, f"{len(shown)} windows of the sequence are shown")
        # The keys either opened About over the card, which is then
        # disabled, or not; on a busy machine About may take a while.
        wait_for(lambda: program.windows(ABOUT) or pyatspi.STATE_SENSITIVE in states(shown[0]),
                 "About, or the card enabled")
        if program.windows(ABOUT):
            require(pyatspi.STATE_SENSITIVE not in states(shown[0]),
                    f"About is open over card {card_number(program, shown[0])}, which is enabled")
            key("Return")
            program.gone(ABOUT)
        wait_for(lambda: pyatspi.STATE_SENSITIVE in states(shown[0]), "the card to be enabled")
        key("alt+e")
        goodbye_once_then_end(program)
    finally:
        program.stop()


def held_enter(binary):
    log("Enter held for a second on the welcome window")
    program = Program(binary)
    try:
        program.message_box(WELCOME)
        key("Return")
        program.window(INTRO)
        xdo("keydown", "Return")
        time.sleep(1.0)
        xdo("keyup", "Return")
        time.sleep(0.5)
        require(not program.windows(GOODBYE[0]), "holding Enter said goodbye")
        card = program.window(CARD, lambda w: grid_of(w) is not None)
        require(card_number(program, card) == 1 and len(sequence_windows(program)) == 1,
                f"holding Enter reached card {card_number(program, card)}")
    finally:
        program.stop()


def double_clicks(binary):
    log("double clicks on Next > and Finish")
    program = Program(binary)
    try:
        to_first_card(program)
        for number in range(1, 7):
            card = program.window(CARD, lambda w: grid_of(w) == CARD_GRIDS[number - 1])
            button = named(card, pyatspi.ROLE_PUSH_BUTTON, "Next >" if number < 6 else "Finish")
            x, y, w, h = button.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            point_at(x + w // 2, y + h // 2)
            xdo("click", "--repeat", "2", "--delay", "80", "1")
            if number < 6:
                after = program.window(CARD, lambda w: grid_of(w) not in (None, CARD_GRIDS[number - 1]))
                time.sleep(0.3)
                require(card_number(program, after) == number + 1,
                        f"a double click on card {number} reached card "
                        f"{card_number(program, after)}")
        program.window(RESULT)
        time.sleep(0.5)
        require(not program.windows(GOODBYE[0]), "a double click on Finish said goodbye")
        key("Return")
        goodbye_once_then_end(program)
    finally:
        program.stop()


def click_enter_click(binary):
    """A whole trick at machine pace by mouse and Enter: the box on each
    card clicked, Enter, and the next card's box, where the last one was,
    clicked 0.2 s after the one before."""
    log("click the box, Enter, click the next card's box: all six ticked")
    program = Program(binary)
    try:
        card = to_first_card(program)
        box = next(n for n in walk(card) if n.getRole() == pyatspi.ROLE_CHECK_BOX)
        x, y, w, h = box.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        point_at(x + w // 2, y + h // 2)
        xdo(*["click", "1", "sleep", "0.05", "key", "Return", "sleep", "0.15"] * 6)
        result = program.window(RESULT)
        require("The number you chose is 63" in labels(result),
                f"the result reads {labels(result)}")
        key("Return")
        goodbye_once_then_end(program)
    finally:
        program.stop()


# Each keymap's keys for N, H, A and E: the letters they write in its first
# layout, the active one. Where it has a Latin layout too, that layout's
# letters count, and a key that is A only in the US layout follows: Alt+H
# then that key must leave About closed.
LAYOUT_KEYS = {
    "ru": ("Cyrillic_te", "Cyrillic_er", "Cyrillic_ef", "Cyrillic_u"),
    "il": ("hebrew_mem", "hebrew_yod", "hebrew_shin", "hebrew_qoph"),
    # AZERTY: A where US has Q, Q where US has A.
    "ru,fr": ("Cyrillic_te", "Cyrillic_er", "Cyrillic_shorti", "Cyrillic_u", "Cyrillic_ef"),
}


def layout_keys(binary, layout):
    """Access keys with a keyboard layout that writes no Latin letters."""
    log(f"keyboard layouts {layout}, the first active: Alt+N, Alt+H then A, Alt+E")
    n, h, a, e, *not_a = LAYOUT_KEYS[layout]
    subprocess.run(["setxkbmap", "-layout", layout], check=True, timeout=TIMEOUT)
    program = Program(binary)
    try:
        program.message_box(WELCOME)
        key("Return")
        program.window(INTRO)
        key("alt+" + n)
        card = program.window(CARD, lambda w: grid_of(w) == CARD_GRIDS[0])
        for other in not_a:
            key("alt+" + h, other)
            time.sleep(1.0)
            require(not program.windows(ABOUT), f"Alt+H then {other} opened About")
            key("Escape")
        key("alt+" + h, a)
        program.window(ABOUT)
        key("Return")
        program.gone(ABOUT)
        wait_for(lambda: pyatspi.STATE_SENSITIVE in states(card), "the card to be enabled")
        key("alt+" + e)
        goodbye_once_then_end(program)
    finally:
        program.stop()
        subprocess.run(["setxkbmap", "us"], check=True, timeout=TIMEOUT)


def input_runs(binary):
    runs = []
    for spacing in (0, 0.02, 0.05):
        runs.append(lambda spacing=spacing: alt_n_then_close(binary, spacing))
        runs.append(lambda spacing=spacing: alt_n_then_about(binary, spacing))
    runs += [lambda: click_enter_click(binary)]
    runs += [lambda layout=layout: layout_keys(binary, layout) for layout in LAYOUT_KEYS]
    return runs + [lambda: held_enter(binary), lambda: double_clicks(binary)]


def resident_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise Failure("no resident size")


def about_soak(binary, openings=300):
    """About opened and closed by keyboard over and over, as fast as its
    window is mapped and unmapped: the program's memory stays put."""
    log(f"About opened and closed {openings} times from the welcome window")
    program = Program(binary)
    try:
        program.message_box(WELCOME)
        key("Return")
        program.window(INTRO)
        def round_trip():
            xdo("key", "alt+h", "a")
            wait_for(lambda: x_window(ABOUT), "About to be mapped")
            xdo("key", "Return")
            wait_for(lambda: not x_window(ABOUT), "About to be unmapped")
        for _ in range(20):  # what the first openings fill stays
            round_trip()
        before = resident_kib(program.process.pid)
        for _ in range(openings):
            round_trip()
        grown = resident_kib(program.process.pid) - before
        log(f"    resident memory {before} KiB, grown by {grown} KiB")
        require(grown <= 1024, f"resident memory grew by {grown} KiB")
        key("alt+e")
        goodbye_once_then_end(program)
    finally:
        program.stop()


# A screen reader listening: Orca speaks through speech-dispatcher, whose
# output module writes each utterance to a file instead of the sound card.

# Orca, with its debug log written line by line rather than in blocks, so
# that what it has said is on disk as soon as it is said.
ORCA_WRITING_LINES = """
import builtins, sys
_open = builtins.open
def _lines(file, mode="r", *args, **kwargs):
    if "w" in mode and str(file).endswith("orca.debug"):
        kwargs["buffering"] = 1
    return _open(file, mode, *args, **kwargs)
builtins.open = _lines
sys.argv[0] = "/usr/bin/orca"
exec(compile(_open(sys.argv[0]).read(), sys.argv[0], "exec"))
"""


class Listener:
    """Orca and the speech server it talks to, started for one run and
    ended by their ids. hear() waits for phrases in the order spoken."""

    def __init__(self):
        self.dir = tempfile.mkdtemp(prefix="listen", dir=os.environ["XDG_RUNTIME_DIR"])
        conf = os.path.join(self.dir, "conf")
        os.makedirs(os.path.join(conf, "modules"), exist_ok=True)
        self.spoken = os.path.join(self.dir, "spoken")
        self.debug = os.path.join(self.dir, "orca.debug")
        self.read, self.said, self.utterance = 0, [], None
        self.pressed_at = 0
        with open(os.path.join(conf, "speechd.conf"), "w") as f:
            f.write('AddModule "file" "sd_generic" "file.conf"\n'
                    'DefaultModule file\nDefaultLanguage "en"\n'
                    # The module opens a sound device even though it never
                    # plays: ALSA's null device needs no sound card.
                    'AudioOutputMethod "alsa"\nAudioALSADevice "null"\n')
        with open(os.path.join(conf, "modules", "file.conf"), "w") as f:
            f.write(f'GenericExecuteSynth "printf \'%s\\\\n\' \\\'$DATA\\\' >> {self.spoken}"\n'
                    'GenericLanguage "en" "en" "utf-8"\nAddVoice "en" "MALE1" "default"\n'
                    # Each message whole: in parts, a key the reader hears
                    # late would cancel the parts not yet written.
                    'GenericDelimiters ""\nGenericMaxChunkLength 100000\n')
        socket = os.path.join(self.dir, "speechd.sock")
        self.server = subprocess.Popen(
            ["speech-dispatcher", "--run-single", "--timeout", "0", "--config-dir", conf,
             "--socket-path", socket, "--log-dir", self.dir],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.reader = None
        try:
            wait_for(lambda: os.path.exists(socket), "speech-dispatcher's socket")
            open(self.debug, "w").close()
            # Orca with its own settings (none yet: the defaults a new user has).
            env = dict(os.environ, SPEECHD_ADDRESS=f"unix_socket:{socket}",
                       XDG_DATA_HOME=os.path.join(self.dir, "data"),
                       XDG_CONFIG_HOME=os.path.join(self.dir, "config"))
            self.reader = subprocess.Popen(
                ["/usr/bin/python3", "-c", ORCA_WRITING_LINES, "--replace",
                 f"--debug-file={self.debug}"], env=env,
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            self.heard = 0
            self.hear("Screen reader on")
        except BaseException:
            self.stop()
            raise

    def text(self):
        """Everything Orca has said so far: each utterance as its debug log
        records it on its way to the speech server. (The speech server's
        own record can lose an utterance queued behind another; the log
        cannot.)"""
        with open(self.debug, "rb") as f:
            f.seek(self.read)
            data = f.read()
        # Only whole lines; an utterance's text may hold line breaks.
        data = data[:data.rfind(b"\n") + 1]
        self.read += len(data)
        for line in data.decode("utf-8", errors="replace").splitlines(keepends=True):
            if self.utterance is not None:
                self.utterance += line
            elif "SPEECH OUTPUT: '" in line:
                self.utterance = line.split("SPEECH OUTPUT: '", 1)[1]
            else:
                continue
            # It ends at a quote, with the voice after it or nothing.
            match = re.match(r"(.*?)' ?(\{[^\n]*\})?\n$", self.utterance, re.DOTALL)
            if match:
                self.said.append(match.group(1))
                self.utterance = None
        return " ".join(" ".join(self.said).split())

    def hear(self, *phrases, timeout=TIMEOUT):
        """Waits until each phrase (text, or a compiled pattern) has been
        spoken, in this order, after what was heard before."""
        for phrase in phrases:
            pattern = phrase if isinstance(phrase, re.Pattern) else re.compile(re.escape(phrase))
            def spoken():
                return pattern.search(self.text(), self.heard)
            try:
                match = wait_for(spoken, f"Orca to say '{pattern.pattern}'", timeout)
            except Failure as failure:
                raise Failure(f"{failure}; Orca said, after "
                              f"'{self.text()[max(0, self.heard - 60):self.heard]}':\n"
                              + self.text()[self.heard:]) from None
            self.heard = match.end()

    def settle(self, quiet=0.8):
        """Waits until nothing more has been said for a while."""
        deadline = time.monotonic() + TIMEOUT
        said = self.text()
        while True:
            time.sleep(quiet)
            now = self.text()
            if now == said:
                return
            if time.monotonic() > deadline:
                raise Failure("Orca never fell silent")
            said = now

    def stop(self):
        # NUMORA_ORCA_LOG: where to keep Orca's own log of the last run, to read
        # why it said what it said.
        if os.environ.get("NUMORA_ORCA_LOG") and os.path.exists(self.debug):
            shutil.copyfile(self.debug, os.environ["NUMORA_ORCA_LOG"])
        for process in (self.reader, self.server):
            if process is not None and process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait(timeout=TIMEOUT)


# Orca 43 says "push button", later ones "button".
def button(name):
    return re.compile(re.escape(name) + r",? (push )?button")


TASK = "If the number you chose is on this card, tick the check box"
CHECKED = re.compile(r"(?<!not )\bchecked\b")
NOT_CHECKED = re.compile(r"\bnot checked\b")


def listen(binary, listener, number, about_from=(), leave_on_card=None):
    """One trick by keyboard alone, asserting on what Orca says. About is
    opened on the pages in about_from (0 the welcome window, 7 the result)."""
    log(f"listening: number {number}, About from {about_from}, "
        f"{'Alt+F4 on card %d' % leave_on_card if leave_on_card else 'Enter on Exit'}")
    hear = listener.hear
    program = Program(binary)

    def key(*keys):
        """Each key once Orca has finished what the last one made it say, as
        a listener presses them."""
        for k in keys:
            listener.settle()
            # Where what this key makes Orca say begins.
            listener.pressed_at = len(listener.text())
            xdo("key", "--clearmodifiers", k)

    def once(what, *texts):
        """Each text (or pattern) said exactly once since the last key, once
        Orca has fallen silent."""
        listener.settle()
        said = listener.text()[listener.pressed_at:]
        for text in texts:
            count = (len(text.findall(said)) if isinstance(text, re.Pattern)
                     else said.count(text))
            require(count == 1, f"{what} was read as: {said}")

    def box(title_and_prompt):
        """A message box: its title as an alert, then its text with its
        button, each once."""
        title, prompt = title_and_prompt
        hear("alert " + title, button("OK"))
        once(f"the box '{title}'", prompt)

    def about(back):
        # Alt+H at a fast typist's pace: H follows Alt before the reader has
        # answered for Alt.
        listener.settle()
        xdo("key", "--clearmodifiers", "--delay", "0", "alt+h")
        key("a")
        window = program.window(ABOUT)
        hear(ABOUT, "dialog", button("Ok"))
        once("About", *labels(window))
        key("Return")
        hear(back)

    try:
        box(WELCOME)
        key("Return")
        greeting = ("Welcome ! to Numora!", "Please choose a number from 1 to 60")
        hear(INTRO, "dialog", *greeting, button("Next >"))
        once("the welcome window", *greeting, button("Next >"))
        # Back from About, a listener hears where the focus is. Orca 43 also
        # presents the whole window again; Orca 48 names only the control.
        if 0 in about_from:
            about(button("Next >"))
        key("Return")
        for card in range(1, 7):
            first_row = " ".join(CARD_GRIDS[card - 1].split("\n")[0].split())
            # Which card, its first row and what to do, once, with the grid
            # as it takes the focus. (Debian 13's Orca at times skips a
            # window that replaces one just like it.)
            hear(f"Numbers on card {card} of 6",
                 re.compile(r"\s+".join(map(re.escape, first_row.split()))), TASK)
            once(f"card {card}", f"Numbers on card {card} of 6", TASK)
            numbers = {int(n) for n in CARD_GRIDS[card - 1].split()}
            if number in numbers or leave_on_card == card:
                key("Tab", "Tab", "Tab")
                hear(CHECK_CAPTION, "check box", NOT_CHECKED)
                key("space")
                hear(CHECKED)
            if leave_on_card == card:
                key("space")
                hear(NOT_CHECKED)
                key("alt+F4")
                break
            if card in about_from:
                about(f"Numbers on card {card} of 6")
            key("Return")
        else:
            # The title's dots are spoken as words.
            title = RESULT.rstrip(".")
            answer = f"The number you chose is {number}"
            hear(title, "dialog")
            # The answer, once, with the button that has the focus.
            hear(answer, button("Exit"))
            once("the result window", answer)
            if 7 in about_from:
                about(button("Exit"))
            key("Return")
        box(GOODBYE)
        key("Return")
        status = program.process.wait(timeout=TIMEOUT)
        require(status == 0, f"the program exited with status {status}")
    finally:
        program.stop()


@functools.cache
def orca_major():
    out = subprocess.run(["orca", "--version"], capture_output=True, text=True,
                         timeout=TIMEOUT).stdout
    match = re.search(r"(\d+)\.", out)
    return int(match.group(1)) if match else 0


def listening(binary):
    # A reader of its own for each run. Orca 48 remembers objects it found
    # gone by their address for up to a minute, and its debug log, which
    # is how the test hears it, looks at the objects of a program that has
    # just ended: objects of the next run that take the same addresses are
    # then skipped, texts and all.
    for run in (dict(number=37, about_from=(3,)), dict(number=0, about_from=(0, 5, 7)),
                dict(number=0, leave_on_card=2)):
        listener = Listener()
        try:
            listen(binary, listener, **run)
        except Failure as failure:
            listener.text()
            said = "\n".join(listener.said)
            raise Failure(f"{failure}\n--- everything Orca said ---\n{said}\n---") from None
        finally:
            listener.stop()


# Wayland: weston nested in the virtual X server, with Xwayland.

BACKGROUND = bytes((255, 192, 192))


def client_area_on_screen():
    """The bounding box of the windows' background colour on the X server
    that weston draws into: the client area of the window shown."""
    raw = subprocess.run(["import", "-window", "root", "-depth", "8", "rgb:-"],
                         capture_output=True, timeout=TIMEOUT, check=True).stdout
    sw, _ = screen_size()
    # Rows with a long run of it: the client area, not a pink pixel elsewhere.
    run = BACKGROUND * 50
    rows = [y for y in range(len(raw) // (3 * sw)) if run in raw[3 * sw * y:3 * sw * (y + 1)]]
    if not rows:
        return None
    edges = [(raw.find(BACKGROUND, 3 * sw * y) - 3 * sw * y) // 3 for y in (rows[0], rows[-1])]
    ends = [(raw.rfind(BACKGROUND, 3 * sw * y, 3 * sw * (y + 1)) - 3 * sw * y) // 3
            for y in (rows[0], rows[-1])]
    return min(edges), rows[0], max(ends) - min(edges) + 1, rows[-1] - rows[0] + 1


def press(program, title, button):
    window = program.window(title)
    node = named(window, pyatspi.ROLE_PUSH_BUTTON, button)
    node.queryAction().doAction(0)


def weston(runtime, socket):
    process = subprocess.Popen(
        ["weston", "--backend=x11-backend.so", f"--socket={socket}", "--width=1024",
         "--height=768", "--idle-time=0", "--xwayland", f"--log={runtime}/weston.log"],
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wait_for(lambda: os.path.exists(f"{runtime}/{socket}"), "weston's socket")
    def xwayland():
        with open(f"{runtime}/weston.log") as log_file:
            for line in log_file:
                if "xserver listening on display" in line:
                    return line.split()[-1]
        return None
    return process, wait_for(xwayland, "weston's Xwayland")


def wayland(binary):
    runtime = os.environ["XDG_RUNTIME_DIR"]
    compositor, xwayland_display = weston(runtime, "numora-wayland")
    outer = os.environ["DISPLAY"]
    try:
        log("both displays, no platform chosen: Numora runs on Xwayland")
        os.environ.update(DISPLAY=xwayland_display, WAYLAND_DISPLAY="numora-wayland")
        program = Program(binary)
        try:
            box = wait_for(lambda: x_window(WELCOME[0]), "the welcome box as an X window")
            hints = subprocess.run(["xprop", "-id", box, "WM_NORMAL_HINTS"], capture_output=True,
                                   text=True, timeout=TIMEOUT).stdout
            log("    " + " ".join(hints.split()))
            require("specified location" in hints, "the welcome box asks for no position")
            press(program, WELCOME[0], "OK")
            # Weston's own X window manager places X windows where it likes;
            # what Numora can do is run on X11 and ask for its place there.
            intro = wait_for(lambda: x_window(INTRO), "the welcome window as an X window")
            hints = subprocess.run(["xprop", "-id", intro, "WM_NORMAL_HINTS"],
                                   capture_output=True, text=True, timeout=TIMEOUT).stdout
            log("    " + " ".join(hints.split()))
            require("specified location" in hints, "the welcome window asks for no position")
        finally:
            program.stop()

        # A fresh compositor, without the windows of the run before.
        os.environ["DISPLAY"] = outer
        compositor.terminate()
        compositor.wait(timeout=TIMEOUT)
        compositor, _ = weston(runtime, "numora-wayland-only")
        log("only Wayland: the trick completes, maximize neither kills nor maximizes, "
            "and the corner cannot be dragged")
        os.environ.pop("DISPLAY")
        os.environ["WAYLAND_DISPLAY"] = "numora-wayland-only"
        program = Program(binary)
        os.environ["DISPLAY"] = outer
        try:
            press(program, WELCOME[0], "OK")
            intro = program.window(INTRO)
            before = wait_for(client_area_on_screen, "the welcome window on screen")
            height = intro.queryComponent().getExtents(pyatspi.WINDOW_COORDS)[3]
            left, top, width, client_height = before
            # Qt's own title bar: 30 pixels above the window, its maximize
            # button 40 pixels from the frame's right edge.
            title_y = top + client_height - height - 15
            maximize_x = left + width - 37
            log(f"    client area {before}; maximize at {maximize_x},{title_y}")
            # Weston follows the pointer only once it has entered its window.
            xdo("mousemove", "--sync", "1270", "1010")
            xdo("mousemove", "--sync", str(maximize_x), str(title_y))
            xdo("click", "1")
            time.sleep(1.5)
            require(program.process.poll() is None,
                    f"maximize ended the program with status {program.process.poll()}")
            after = client_area_on_screen()
            log(f"    after maximize: client area {after}")
            require(after is not None and after[2:] == before[2:],
                    f"the window changed size to {after}")
            # Minimize, left of maximize: weston has no window list to bring
            # the window back from, so it must not go out of reach.
            xdo("mousemove", "--sync", str(maximize_x - 23), str(title_y))
            xdo("click", "1")
            time.sleep(1.5)
            require(program.process.poll() is None, "minimize ended the program")
            after = client_area_on_screen()
            log(f"    after minimize: client area {after}")
            require(after is not None and after[2:] == before[2:],
                    f"the window is out of reach after minimize: {after}")
            # The lower right corner of Qt's frame, 3 pixels wide, dragged
            # out: the compositor offers a larger size, which a fixed window
            # declines.
            left, top, width, client_height = after
            corner_x, corner_y = left + width + 1, top + client_height + 1
            xdo("mousemove", "--sync", str(corner_x), str(corner_y))
            xdo("mousedown", "1")
            for step in range(1, 6):
                xdo("mousemove", "--sync", str(corner_x + 30 * step), str(corner_y + 20 * step))
                time.sleep(0.1)
            xdo("mouseup", "1")
            time.sleep(1.5)
            size = tuple(intro.queryComponent().getExtents(pyatspi.WINDOW_COORDS)[2:])
            log(f"    after dragging the corner: window {size}, was {(width, height)}")
            require(size == (width, height), f"dragging the corner resized the window to {size}")
            for _ in range(6):
                window = program.window(INTRO if _ == 0 else CARD)
                named(window, pyatspi.ROLE_PUSH_BUTTON, "Next >")
                press(program, INTRO if _ == 0 else CARD, "Next >")
                time.sleep(0.5)
            press(program, CARD, "Finish")
            result = program.window(RESULT)
            require("The number you chose is 0" in labels(result),
                    f"the result reads {labels(result)}")
            press(program, RESULT, "Exit")
            press(program, GOODBYE[0], "OK")
            status = program.process.wait(timeout=TIMEOUT)
            require(status == 0, f"the program exited with status {status}")
        finally:
            program.stop()
    finally:
        os.environ["DISPLAY"] = outer
        os.environ.pop("WAYLAND_DISPLAY", None)
        compositor.terminate()
        compositor.wait(timeout=TIMEOUT)


def main():
    binary = sys.argv[1]
    scenario = sys.argv[2] if len(sys.argv) > 2 else "tricks"
    # xserver.sh has started the window manager named, and waited for it.
    framed = (sys.argv[3] if len(sys.argv) > 3 else "openbox") != "none"
    if scenario == "placement":
        runs = [dict(framed=framed)] * 4
        play_one = lambda run: place(binary, **run)  # noqa: E731
    elif scenario == "input":
        runs = input_runs(binary)
        play_one = lambda run: run()  # noqa: E731
    elif scenario == "about-soak":
        runs = [{}]
        play_one = lambda run: about_soak(binary)  # noqa: E731
    elif scenario == "wayland":
        runs = [{}]
        play_one = lambda run: wayland(binary)  # noqa: E731
    elif scenario == "listen":
        runs = [{}]
        play_one = lambda run: listening(binary)  # noqa: E731
    elif scenario == "screen-change":
        runs = [dict(number=19, moved=False), dict(number=44, moved=True)]
        play_one = lambda run: screen_change(binary, framed, **run)  # noqa: E731
    elif scenario == "late-reader":
        runs = [{}]
        play_one = lambda run: late_screen_reader(binary)  # noqa: E731
    else:
        play_one = lambda run: play(binary, **run)  # noqa: E731
        runs = tricks()
    passed = failed = 0
    for run in runs:
        try:
            play_one(run)
            passed += 1
            log("  passed")
        except Failure as failure:
            failed += 1
            log(f"  FAILED: {failure}")
    log(f"{passed} passed, {failed} failed")
    return 0 if failed == 0 else 1


def tricks():
    return [
        dict(number=37, tick_by="mouse", about_from=2, about_closing="Enter", way_out="Enter"),
        dict(number=0, tick_by="keyboard", about_from=7, about_closing="close box",
             way_out="close box"),
        dict(number=60, tick_by="keyboard", about_from=0, about_closing="Enter",
             way_out="File > Exit"),
        dict(number=45, tick_by="mouse", about_from=None, about_closing="Enter",
             way_out=("Alt+E", 3)),
        # In German, and in Hebrew, right to left, with their access keys.
        dict(number=26, tick_by="keyboard", about_from=4, about_closing="Enter",
             way_out="File > Exit", language="de"),
        dict(number=53, tick_by="mouse", about_from=3, about_closing="close box",
             way_out=("Alt+E", 5), language="he"),
    ]


if __name__ == "__main__":
    sys.exit(main())
