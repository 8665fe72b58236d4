# SPDX-License-Identifier: MIT
"""Starts Orca with its debug log, then the window; types a search with
xdotool as a keyboard user would and checks what Orca says: the airport a
search finds, the search box's whole text, and the runway list row by row
(with flat review, as the list never takes the focus). Orca logs every
utterance as a SPEECH OUTPUT line whether or not a speech synthesiser is
there.

Run by run.sh inside Xvfb and a private session bus:
    speech_test.py PATH/TO/vantrelo
Exits 0 when Orca said what it should, 1 when not, 77 when Orca or the
accessibility bus does not start."""

import os
import re
import subprocess
import sys
import tempfile
import time

# Windows-1252, CR LF line ends, as the program's own database.
DATABASE = (
    b"1|LIRF|ROMA FIUMICINO|41800278|12238889|15|Roma|--|ITALIA|\r\n"
    b"1|16R|160|12795|0|109.30|\r\n"
    b"\r\n"
    b"1|KJFK|JOHN F KENNEDY INTL|40639751|-73778925|13|New York|--|UNITED STATES|\r\n"
    b"1|04L|040|12079|0|109.50|\r\n"
    b"1|22R|220|12079|0|0|\r\n"
    b"1|13R|130|14511|0|0.00|\r\n"
)
RUNWAY_ROWS = [
    "04L 040\u00b0 12079 ft./ 3681 mt. 109.50",
    "22R 220\u00b0 12079 ft./ 3681 mt.",
    "13R 130\u00b0 14511 ft./ 4422 mt.",
]
DOUBLE_CLICK_PAUSE = 0.7  # seconds; Orca's double-click time is 0.5
SPEECH = re.compile(r"SPEECH OUTPUT: '(.*)'[\[{]")


class Failure(Exception):
    pass


class Skip(Exception):
    pass


class OrcaLog:
    """The utterances of Orca's debug log, read as they are written."""

    def __init__(self, path):
        self.path = path
        self.seen = 0  # utterances already handed out by next_after

    def utterances(self):
        try:
            with open(self.path, encoding="utf-8", errors="replace") as log:
                return [m.group(1) for m in map(SPEECH.search, log) if m]
        except FileNotFoundError:
            return []

    def wait_for(self, what, accept, timeout=15.0):
        """Waits for a new utterance that accept() takes; returns it and
        every utterance before it since the last wait."""
        deadline = time.monotonic() + timeout
        while True:
            said = self.utterances()
            for i in range(self.seen, len(said)):
                if accept(said[i]):
                    heard = said[self.seen:i + 1]
                    self.seen = i + 1
                    return heard
            if time.monotonic() > deadline:
                raise Failure("Orca did not say %s; it said %r" % (what, said[self.seen:]))
            time.sleep(0.1)


def spoken(text):
    """An utterance as heard: runs of blanks and a closing full stop do not count."""
    return " ".join(text.split()).rstrip(".")


def key(*names):
    subprocess.run(["xdotool", "key", "--clearmodifiers"] + list(names), check=True)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "50", text], check=True)


def start_orca(folder):
    log = OrcaLog(os.path.join(folder, "orca.log"))
    # No synthesiser: starting one can take Orca's start-up past any wait.
    env = dict(os.environ, SPEECHD_CMD=os.path.join(folder, "no-speech-dispatcher"))
    here = os.path.dirname(os.path.abspath(__file__))
    orca = subprocess.Popen(
        ["/usr/bin/python3", os.path.join(here, "line_buffered_orca.py"), log.path,
         "--replace", "-u", os.path.join(folder, "prefs")],
        env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        log.wait_for("that it is on", lambda said: said.startswith("Screen reader on"), 30)
    except Failure:
        orca.terminate()
        raise Skip("Orca does not start here")
    return orca, log


def window_id(process):
    deadline = time.monotonic() + 30
    while time.monotonic() < deadline:
        if process.poll() is not None:
            raise Failure("the program ended at start-up")
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Vantrelo "],
                               capture_output=True, text=True)
        if found.stdout.split():
            return found.stdout.split()[0]
        time.sleep(0.2)
    raise Failure("the window did not open")


def check_speech(log):
    # Start-up leaves the focus in the search box.
    log.wait_for("the search box", lambda said: said.startswith("To insert name airport"))
    key("ctrl+a")
    type_text("kjfk")
    key("Tab")
    log.wait_for("the search button", lambda said: spoken(said) == "SEARCH push button")
    key("Return")
    log.wait_for("the airport found", lambda said: "JOHN F KENNEDY INTL" in said)

    # Back in the box, after the search upper-cased it.
    key("shift+Tab")
    heard = log.wait_for("the search box again", lambda said: said.startswith("To insert name"))
    heard += log.wait_for("the search box's text", lambda said: spoken(said).startswith("KJF"))
    if spoken(heard[-1]) != "KJFK":
        raise Failure("the search box was read as %r" % heard[-1])

    # Flat review, line by line from the top of the window, down to the rows.
    # A key pressed again within Orca's double-click time is another command.
    time.sleep(DOUBLE_CLICK_PAUSE)
    key("KP_Home")
    log.wait_for("a line of the window", lambda said: True)
    rows = []
    for _ in range(30):
        time.sleep(DOUBLE_CLICK_PAUSE)
        key("KP_Page_Up")
        line = spoken(log.wait_for("the next line", lambda said: True)[-1])
        if rows or line == spoken(RUNWAY_ROWS[0]):
            rows.append(line)
        if len(rows) == len(RUNWAY_ROWS):
            break
    if rows != [spoken(row) for row in RUNWAY_ROWS]:
        raise Failure("the runway list was read as %r, not %r" % (rows, RUNWAY_ROWS))


def run(program, folder):
    orca, log = start_orca(folder)
    work = os.path.join(folder, "work")
    os.mkdir(work)
    with open(os.path.join(work, "airports.txt"), "wb") as database:
        database.write(DATABASE)
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    process = subprocess.Popen([program], cwd=work, env=env)
    try:
        window = window_id(process)
        subprocess.run(["xdotool", "windowactivate", "--sync", window], check=False)
        subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
        check_speech(log)
    finally:
        for child in (process, orca):
            if child.poll() is None:
                child.terminate()
                try:
                    child.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    child.kill()


def main():
    program = sys.argv[1]
    with tempfile.TemporaryDirectory() as folder:
        os.environ["HOME"] = folder  # Orca's settings and caches stay in here
        try:
            run(program, folder)
        except Skip as skip:
            print("SKIPPED:", skip)
            return 77
        except Failure as failure:
            print("FAILED:", failure)
            return 1
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
