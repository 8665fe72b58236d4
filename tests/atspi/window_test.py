# SPDX-License-Identifier: MIT
"""Walks the real window over the accessibility bus, as a screen reader or
a dictation tool sees it, and checks that every result can be read, that
text set by an assistive tool is what the search uses, and that names and
descriptions follow the interface's language.

Run by run.sh inside Xvfb and a private session bus, once it has seen the
accessibility bus answer:
    window_test.py PATH/TO/vantrelo"""

import os
import subprocess
import sys
import tempfile
import time

import pyatspi

# Windows-1252, CR LF line ends, as the program's own database.
DATABASE = (
    b"1|KJFK|JOHN F KENNEDY INTL|40639751|-73778925|13|New York|--|UNITED STATES|\r\n"
    b"1|04L|040|12079|0|109.50|\r\n"
    b"1|22R|220|12079|0|0|\r\n"
    b"\r\n"
    b"1|EGLL|LONDON HEATHROW|51470600|-0461941|83|London|--|UNITED KINGDOM|\r\n"
    b"1|09L|090|12799|0|110.30|\r\n"
)
PROMPT_ENGLISH = "To insert name airport or code ICAO"


class Failure(Exception):
    pass


def check(condition, what):
    if not condition:
        raise Failure(what)


def wait_for(what, probe, timeout=15.0):
    """Polls probe() until it returns something true, and returns that."""
    deadline = time.monotonic() + timeout
    while True:
        result = probe()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure("timed out waiting for " + what)
        time.sleep(0.1)


def walk(accessible):
    yield accessible
    for child in accessible:
        if child is not None:
            yield from walk(child)


class Window:
    def __init__(self, app):
        self.app = app

    def all(self, role):
        return [a for a in walk(self.app) if a.getRole() == role]

    def one(self, role, what, **match):
        def probe():
            found = [a for a in self.all(role)
                     if all(getattr(a, key) == value for key, value in match.items())]
            return found[0] if len(found) == 1 else None
        return wait_for(what, probe)

    def label(self, description):
        return self.one(pyatspi.ROLE_LABEL, "the label described " + repr(description),
                        description=description)

    def wait_name(self, accessible, name):
        try:
            wait_for("", lambda: accessible.name == name)
        except Failure:
            raise Failure("%r reads %r, not %r" % (accessible.description, accessible.name, name))

    def press(self, role, name):
        target = self.one(role, "%r named %r" % (pyatspi.Role(role), name), name=name)
        target.queryAction().doAction(0)


def find_application(process):
    desktop = pyatspi.Registry.getDesktop(0)

    def probe():
        check(process.poll() is None, "the program ended at start-up")
        for app in desktop:
            if app is not None and app.name == "vantrelo" and app.childCount > 0:
                return app
        return None
    return Window(wait_for("the window on the accessibility bus", probe))


def search_results_are_readable(window):
    window.press(pyatspi.ROLE_PUSH_BUTTON, "SEARCH")
    window.wait_name(window.label("Airport name"), "JOHN F KENNEDY INTL")
    check(window.label("ICAO code").name == "KJFK", "ICAO code")
    check(window.label("Position").name == "40\u00b038'3'' N   73\u00b046'7'' W", "position")
    check(window.label("Elevation").name.strip() == "13 ft./ 3 mt.", "elevation")
    check(window.label("Result line 1").name == "NEW YORK", "result line 1")
    check(window.label("Result line 2").name == "UNITED STATES", "result line 2")
    check(window.label("Number of runways").name.strip() == "2", "number of runways")
    runways = window.one(
        pyatspi.ROLE_TABLE, "the runway list",
        description="Runway list, one per line, columns: RUNWAY, Orientation runway, "
                    "Length runway, Frequency ILS")
    table = runways.queryTable()
    rows = [[table.getAccessibleAt(r, c).name for c in range(table.nColumns)]
            for r in range(table.nRows)]
    check(rows == [["04L", "040\u00b0", "12079 ft./ 3681 mt.", "109.50"],
                   ["22R", "220\u00b0", "12079 ft./ 3681 mt.", ""]],
          "runway rows read %r" % rows)
    # Said without moving the focus: a notification, shown anew.
    notification = window.one(pyatspi.ROLE_NOTIFICATION, "the announcement")
    check(notification.name == "Airport shown: JOHN F KENNEDY INTL, KJFK",
          "announced %r" % notification.name)
    check(notification.getState().contains(pyatspi.STATE_SHOWING), "announcement showing")


def search_box_is_labelled_by_its_prompt(window):
    box = window.one(pyatspi.ROLE_TEXT, "the search box")
    check(box.name == PROMPT_ENGLISH, "search box named %r" % box.name)
    # One run of attributes over the whole text, up to its last letter:
    # a screen reader that joins the runs reads the text whole.
    text = box.queryText()
    check(text.getText(0, -1) == "KJFK", "search box reads %r" % text.getText(0, -1))
    attributes, start, end = text.getAttributeRun(3, False)
    check((start, end) == (0, 4), "attribute run (%d, %d)" % (start, end))
    labels = [relation.getTarget(i) for relation in box.getRelationSet()
              if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
              for i in range(relation.getNTargets())]
    check([label.name for label in labels] == [PROMPT_ENGLISH],
          "search box labelled by %r" % [label.name for label in labels])
    return box


def text_set_by_a_tool_is_searched(window, box, folder):
    mark = window.one(pyatspi.ROLE_PUSH_BUTTON, "the mark button", name="SET P")
    mark.queryAction().doAction(0)
    box.queryEditableText().setTextContents("egll")
    window.press(pyatspi.ROLE_PUSH_BUTTON, "SEARCH")
    window.wait_name(window.label("Airport name"), "LONDON HEATHROW")
    check(box.queryText().getText(0, -1) == "EGLL", "search box after the search")
    with open(os.path.join(folder, "Vantrelo.ini"), "rb") as settings:
        check(b'"EGLL"' in settings.read(), "the settings keep EGLL")
    window.press(pyatspi.ROLE_PUSH_BUTTON, "SET D")
    window.press(pyatspi.ROLE_PUSH_BUTTON, "CALC")
    window.wait_name(window.label("Distance"), "KJFK==>EGLL 5539.649 Km. /  2991.18909761719 Mn")


def names_follow_the_language(window):
    window.press(pyatspi.ROLE_MENU_ITEM, "Italiano")
    wait_for("the search button named CERCA",
             lambda: [b for b in window.all(pyatspi.ROLE_PUSH_BUTTON) if b.name == "CERCA"])
    window.one(pyatspi.ROLE_CHECK_BOX, "the data-sheet option", name="CREA FILE DATI")
    check(window.label("Nome aeroporto").name == "LONDON HEATHROW", "Italian description")
    window.one(pyatspi.ROLE_TABLE, "the Italian runway list",
               description="Elenco piste, una per riga, colonne: PISTA, Orientamento pista, "
                           "Lunghezza pista, Frequenza ILS")
    box = window.one(pyatspi.ROLE_TEXT, "the search box")
    check(box.name == "Immettere nome aeroporto o codice ICAO", "Italian prompt")


def run(program, folder):
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    process = subprocess.Popen([program], cwd=folder, env=env)
    try:
        window = find_application(process)
        box = search_box_is_labelled_by_its_prompt(window)
        search_results_are_readable(window)
        text_set_by_a_tool_is_searched(window, box, folder)
        names_follow_the_language(window)
        # Ended from its menu, so that a sanitizer's report fails the test.
        window.press(pyatspi.ROLE_MENU_ITEM, "Exit")
        check(process.wait(timeout=30) == 0, "exit status %r" % process.returncode)
    finally:
        if process.poll() is None:
            process.terminate()
            process.wait(timeout=10)


def main():
    program = os.path.abspath(sys.argv[1])
    with tempfile.TemporaryDirectory() as folder:
        with open(os.path.join(folder, "airports.txt"), "wb") as database:
            database.write(DATABASE)
        try:
            run(program, folder)
        except Failure as failure:
            print("FAILED:", failure)
            return 1
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
