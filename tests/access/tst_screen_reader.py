#!/usr/bin/python3
"""What a screen reader gets from both programs through AT-SPI, on a private desktop.

Usage: tst_screen_reader.py BIN_DIR. Each check is one row of CHECKS: the program it starts and what it
reads or does there. Needs /usr/bin/python3 with pyatspi (the only Python with it), Xvfb, openbox,
xdotool, dbus-daemon and at-spi2-core (scripts/install-deps.sh installs them).
"""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from atspi_desktop import Desktop, wait_for  # noqa: E402

# pyatspi connects to the buses of the environment it is imported in: it is imported once the private
# desktop's environment is in place.
pyatspi = None
GLib = None


def descendants(accessible):
    """The accessible and everything below it, depth first; a window closing meanwhile is skipped."""
    yield accessible
    try:
        children = [accessible.getChildAtIndex(i) for i in range(accessible.childCount)]
    except GLib.GError:
        return
    for child in children:
        if child is not None:
            yield from descendants(child)


def states(accessible):
    return accessible.getState()


def showing(accessible):
    """False also for an accessible that is gone."""
    try:
        return states(accessible).contains(pyatspi.STATE_SHOWING)
    except GLib.GError:
        return False


def find(root, role, name=None, timeout=10):
    """The first showing accessible of that role (and name) below root, waiting for it to appear."""
    def look():
        for accessible in descendants(root):
            try:
                if accessible.getRole() == role and showing(accessible) and name in (None, accessible.name):
                    return accessible
            except GLib.GError:
                continue
        return None
    return wait_for(look, timeout, f"{pyatspi.Atspi.Role(role).value_nick} {name!r}")


def application_of(pid):
    def look():
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.get_process_id() == pid:
                return app
        return None
    return wait_for(look, 20, f"the application of process {pid} on the accessibility bus")


def press(accessible):
    """Runs the accessible's first action; returns how long the call took to come back."""
    action = accessible.queryAction()
    started = time.monotonic()
    action.doAction(0)
    return time.monotonic() - started


def unnamed_focusable(window):
    unnamed = []
    for accessible in descendants(window):
        state = states(accessible)
        if state.contains(pyatspi.STATE_FOCUSABLE) and state.contains(pyatspi.STATE_SHOWING) \
                and not accessible.name.strip():
            unnamed.append(f"{accessible.getRoleName()} in {accessible.parent.name!r}")
    return unnamed


def focus(accessible):
    accessible.queryComponent().grabFocus()
    wait_for(lambda: states(accessible).contains(pyatspi.STATE_FOCUSED), 5, f"focus on {accessible.name!r}")


def key(desktop, name):
    desktop.run(["xdotool", "key", "--clearmodifiers", name])


class Failure(Exception):
    pass


def expect(condition, message):
    if not condition:
        raise Failure(message)


# ---- the checks: each gets the desktop and the program's accessible application


def calc_controls_are_named(desktop, app):
    window = find(app, pyatspi.ROLE_FRAME, " Varnok Handvise")
    unnamed = unnamed_focusable(window)
    expect(not unnamed, f"focusable controls without a name: {unnamed}")


def labels_of(accessible):
    """The accessibles that label this one (its "labelled by" relation)."""
    for relation in accessible.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            return [relation.getTarget(i) for i in range(relation.getNTargets())]
    return []


def calc_track_bar_announces_tensions(desktop, app):
    window = find(app, pyatspi.ROLE_FRAME)
    bar = find(window, pyatspi.ROLE_SLIDER, "Setting")
    shown = labels_of(bar)
    expect(len(shown) == 1, f"the bar is labelled by {[label.name for label in shown]}")
    focus(bar)
    # Key, position, and what is heard there; the middle two are read off the tension shown.
    for name, position, heard in (("Home", 1, "45 pounds, springs 1, 3"), ("Right", 2, None),
                                  ("Next", 4, None), ("End", 55, "345.12 pounds, springs 10, 12")):
        key(desktop, name)
        value = bar.queryValue()
        wait_for(lambda: int(value.currentValue) == position, 5, f"position {position} after {name}")
        expected = heard or shown[0].name + " pounds, springs "
        wait_for(lambda: bar.description.startswith(expected), 5,
                 f"{expected!r} after {name}, not {bar.description!r}")
        expect(bar.name == "Setting", f"the bar is called {bar.name!r}")


def calc_side_tools_return_at_once(desktop, app):
    window = find(app, pyatspi.ROLE_FRAME)
    for tool, title in (("Percentages", "Percentages"), ("Conversion", "Conversion"),
                        ("Date and Time", None)):
        button = find(window, pyatspi.ROLE_PUSH_BUTTON, tool)
        took = press(button)
        expect(took < 1.0, f"{tool}: the action came back after {took:.1f} s")
        dialog = find(app, pyatspi.ROLE_DIALOG, title) if title else find(app, pyatspi.ROLE_ALERT)
        ok = find(dialog, pyatspi.ROLE_PUSH_BUTTON, "OK")
        press(ok)
        wait_for(lambda: not showing(dialog), 5, f"{tool} closed")


def designer_controls_are_named(desktop, app):
    window = find(app, pyatspi.ROLE_FRAME, "KTX Routine Designer")
    unnamed = unnamed_focusable(window)
    expect(not unnamed, f"focusable controls without a name: {unnamed}")


def designer_intensity_is_heard_as_a_word(desktop, app):
    bar = find(find(app, pyatspi.ROLE_FRAME, "KTX Routine Designer"), pyatspi.ROLE_SLIDER, "Intensity")
    expect(bar.description == "Heavy", f"the intensity says {bar.description!r}")
    focus(bar)
    for name, word in (("Home", "Light"), ("Right", "Medium")):
        key(desktop, name)
        wait_for(lambda: bar.description == word, 5, f"{word!r} after {name}, not {bar.description!r}")


def open_sheet(app):
    window = find(app, pyatspi.ROLE_FRAME, "KTX Routine Designer")
    took = press(find(window, pyatspi.ROLE_PUSH_BUTTON, "Training Cycle"))
    expect(took < 1.0, f"Training Cycle: the action came back after {took:.1f} s")
    preview = find(app, pyatspi.ROLE_DIALOG)
    page = find(preview, pyatspi.ROLE_DOCUMENT_FRAME, "Page 1 of 1")
    return preview, page


def designer_sheet_is_read_in_order(desktop, app):
    preview, page = open_sheet(app)
    text = page.queryText()
    wait_for(lambda: text.characterCount > 0, 10, "the sheet's text")
    content = text.getText(0, -1)
    lines = content.split("\n")
    weeks = [lines.index(f"Week : {week}") for week in range(1, 9) if f"Week : {week}" in lines]
    expect(len(weeks) == 8 and weeks == sorted(weeks), f"the weeks in order: {content!r}")
    first_set = lines[weeks[0] + 1]
    expect(first_set.startswith("2, 8") and "(127.5) x 8" in first_set and "_ _ _" in first_set,
           f"the first set of week 1: {first_set!r}")
    line, start, end = text.getTextAtOffset(0, pyatspi.TEXT_BOUNDARY_LINE_START)
    expect(line == "Week : 1\n" and start == 0, f"the first line: {line!r}")
    close_preview(preview)


def close_preview(preview):
    press(find(preview, pyatspi.ROLE_PUSH_BUTTON, "Cancel"))
    wait_for(lambda: not showing(preview), 5, "the preview closed")


def designer_gray_and_zoom_follow_assistive_technology(desktop, app):
    preview, page = open_sheet(app)
    bright = find(preview, pyatspi.ROLE_SLIDER, "Brightness")
    expect(not states(bright).contains(pyatspi.STATE_ENABLED), "Brightness is enabled before Grayscale")
    press(find(preview, pyatspi.ROLE_CHECK_BOX, "Grayscale"))
    wait_for(lambda: states(bright).contains(pyatspi.STATE_ENABLED), 5, "Brightness enabled by Grayscale")
    expect(bright.description == "0", f"Brightness says {bright.description!r}")

    # An item chosen in the zoom box's list, then a zoom typed into its edit line.
    zoom_box = find(preview, pyatspi.ROLE_COMBO_BOX)
    sheet = page.queryComponent()
    width_at_100 = sheet.getExtents(pyatspi.DESKTOP_COORDS).width
    press(find(zoom_box, pyatspi.ROLE_LIST_ITEM, "150"))
    wait_for(lambda: abs(sheet.getExtents(pyatspi.DESKTOP_COORDS).width - 1.5 * width_at_100) < 4, 5,
             "the sheet at 150 %")
    entry = find(zoom_box, pyatspi.ROLE_TEXT)
    entry.queryEditableText().setTextContents("75")
    focus(entry)
    key(desktop, "Return")
    wait_for(lambda: abs(sheet.getExtents(pyatspi.DESKTOP_COORDS).width - 0.75 * width_at_100) < 4, 5,
             "the sheet at 75 %")
    close_preview(preview)


CHECKS = [
    ("handvise2", calc_controls_are_named),
    ("handvise2", calc_track_bar_announces_tensions),
    ("handvise2", calc_side_tools_return_at_once),
    ("cadencer", designer_controls_are_named),
    ("cadencer", designer_intensity_is_heard_as_a_word),
    ("cadencer", designer_sheet_is_read_in_order),
    ("cadencer", designer_gray_and_zoom_follow_assistive_technology),
]


def main():
    global pyatspi, GLib
    bin_dir = sys.argv[1]
    failures = []
    passed = 0
    with Desktop() as desktop:
        os.environ.update(desktop.env)
        import pyatspi as imported
        from gi.repository import GLib as imported_glib
        pyatspi, GLib = imported, imported_glib
        for program in dict.fromkeys(program for program, _ in CHECKS):
            process = desktop.start_program(os.path.join(bin_dir, program))
            try:
                app = application_of(process.pid)
                for _, check in (row for row in CHECKS if row[0] == program):
                    try:
                        check(desktop, app)
                        passed += 1
                        print(f"PASS {program}: {check.__name__}")
                    except (Failure, TimeoutError, GLib.GError) as failure:
                        failures.append(check.__name__)
                        print(f"FAIL {program}: {check.__name__}: {failure}")
            finally:
                desktop.stop_program(process)
    print(f"{passed} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
