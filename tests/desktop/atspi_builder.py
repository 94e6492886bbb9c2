#!/usr/bin/python3
"""Drives the builder window as a keyboard user with a screen reader does:
it finds controls over the AT-SPI accessibility bus, gives them the focus
through the bus and presses keys with xdotool, and reads what the window
then shows through the bus.

Usage: atspi_builder.py PID STEP [ARGUMENTS...]; the steps:
  check                      the frame, its controls' names and roles (Kazakh)
  expect-kind TEXT           the "Түрі" field reads TEXT (waits)
  field NAME                 prints the text of the field captioned NAME
  choose-file PATH [PNG]     presses "Файлды таңдау...", types PATH into the
                             file dialog (whose texts must be Kazakh),
                             screenshot in PNG when given
  column SIDE KEY            focuses the column list SIDE and presses KEY
  press NAME                 focuses the push button NAME and presses Space
  wait-summary PREFIX SECS   waits until the summary starts with PREFIX
  wait-rows SECS             waits until the rows-read count is not 0
  answer NAME                presses the button NAME of the question box
Each wait is bounded; a failure prints why and exits 1."""

import os
import re
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

TITLE = "Lexaran сөздігін жасау"
LATIN = re.compile("[A-Za-z]")


def fail(message):
    print(f"atspi_builder: {message}", file=sys.stderr)
    sys.exit(1)


def children(node):
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield child


def walk(node, depth=0):
    yield node
    if depth < 12:
        for child in children(node):
            yield from walk(child, depth + 1)


def until(seconds, what, probe):
    deadline = time.monotonic() + seconds
    while True:
        try:
            found = probe()
        except gi.repository.GLib.Error:
            found = None
        if found:
            return found
        if time.monotonic() >= deadline:
            fail(f"{what} (waited {seconds} s)")
        time.sleep(0.2)


def application(pid):
    def probe():
        for app in children(Atspi.get_desktop(0)):
            try:
                if app.get_process_id() == pid:
                    return app
            except gi.repository.GLib.Error:
                continue
        return None
    return until(20, f"no application with process {pid} on the accessibility bus", probe)


def frame(pid):
    def probe():
        for window in children(application(pid)):
            if window.get_role() == Atspi.Role.FRAME and window.get_name() == TITLE:
                return window
        return None
    return until(20, f"no frame named {TITLE!r}", probe)


def named(root, role, name):
    for node in walk(root):
        try:
            if node.get_role() == role and node.get_name() == name:
                return node
        except gi.repository.GLib.Error:
            continue
    return None


def field(root, caption):
    """The node the label `caption` labels (the label-for relation), which
    is how a screen reader finds a field's caption."""
    for node in walk(root):
        try:
            if node.get_role() != Atspi.Role.LABEL or node.get_name() != caption:
                continue
            for relation in node.get_relation_set():
                if relation.get_relation_type() == Atspi.RelationType.LABEL_FOR:
                    return relation.get_target(0)
        except gi.repository.GLib.Error:
            continue
    return None


def text_of(node):
    if node.get_role() in (Atspi.Role.LABEL, Atspi.Role.COMBO_BOX, Atspi.Role.PUSH_BUTTON):
        return node.get_name()
    return Atspi.Text.get_text(node, 0, Atspi.Text.get_character_count(node))


def focus_and_key(node, key):
    if not Atspi.Component.grab_focus(node):
        fail(f"{node.get_name()!r} did not take the focus")
    until(5, f"{node.get_name()!r} did not get the focus",
          lambda: node.get_state_set().contains(Atspi.StateType.FOCUSED))
    subprocess.run(["xdotool", "key", "--clearmodifiers", key], check=True, timeout=10)


def check_kazakh(root, allowed=()):
    """Every role name, label and button in `root` without a Latin letter
    (apart from the texts in `allowed`, which name products and formats)."""
    for node in walk(root):
        try:
            role = node.get_localized_role_name()
            name = node.get_name() or ""
            kind = node.get_role()
        except gi.repository.GLib.Error:
            continue
        if LATIN.search(role):
            fail(f"the screen reader would read the role {role!r} (of {name!r})")
        if kind in (Atspi.Role.LABEL, Atspi.Role.PUSH_BUTTON, Atspi.Role.CHECK_BOX, Atspi.Role.FRAME,
                    Atspi.Role.DIALOG, Atspi.Role.TOGGLE_BUTTON):
            # File names stand in «», as the window quotes them.
            rest = re.sub("«[^»]*»", "", name)
            for word in allowed:
                rest = rest.replace(word, "")
            if LATIN.search(rest):
                fail(f"the {role} {name!r} is not Kazakh")


ALLOWED = ("Lexaran", "Excel", "XLSX", "OpenDocument", "ODS", "CSV", "TSV", "TBX", "UTF-8", "UTF-16", "LE", "BE",
           "BOM", "Windows-1251", "pkexec")


def step_check(pid):
    window = frame(pid)
    for name in ("Файлды таңдау...", "Сөздікті жасау", "Тоқтату", "Файл ретінде сақтау...",
                 "Lexaran сөздігінің орнына қою...", "Lexaran-ды ашу", "Жабу"):
        if named(window, Atspi.Role.PUSH_BUTTON, name) is None:
            fail(f"no push button named {name!r}")
    for caption, role in (("Файл", Atspi.Role.TEXT), ("Парақ", Atspi.Role.COMBO_BOX), ("Орысша", Atspi.Role.COMBO_BOX),
                          ("Қазақша", Atspi.Role.COMBO_BOX), ("Саласы", Atspi.Role.COMBO_BOX),
                          ("Алғашқы жолдар", Atspi.Role.TABLE), ("Барысы", Atspi.Role.PROGRESS_BAR),
                          ("Қорытынды", Atspi.Role.TEXT)):
        node = field(window, caption)
        if node is None or node.get_role() != role:
            fail(f"the label {caption!r} labels {node.get_role_name() if node else 'nothing'}, not a {role.value_nick}")
        if role != Atspi.Role.COMBO_BOX and node.get_name() != caption:
            fail(f"the field captioned {caption!r} is read out as {node.get_name()!r}")
    check_kazakh(window, ALLOWED)
    table = field(window, "Алғашқы жолдар")
    headers = [c.get_name() for c in children(table) if c.get_role() == Atspi.Role.TABLE_COLUMN_HEADER]
    print("HEADERS=" + "|".join(h.replace("\n", " / ") for h in headers))


def step_expect_kind(pid, want):
    window = frame(pid)

    def reads():
        node = field(window, "Түрі")
        return node is not None and text_of(node) == want
    deadline = time.monotonic() + 15
    while not reads():
        if time.monotonic() >= deadline:
            node = field(window, "Түрі")
            labels = [n.get_name() for n in walk(window) if n.get_role() == Atspi.Role.LABEL]
            fail(f"the kind field reads {text_of(node) if node else None!r}, not {want!r}; the labels: {labels}")
        time.sleep(0.2)


def step_field(pid, caption):
    node = field(frame(pid), caption)
    if node is None:
        fail(f"no field captioned {caption!r}")
    print(text_of(node))


def step_choose_file(pid, path, shot=None):
    window = frame(pid)
    focus_and_key(named(window, Atspi.Role.PUSH_BUTTON, "Файлды таңдау..."), "space")

    def dialog():
        for node in children(application(pid)):
            if node.get_role() == Atspi.Role.DIALOG and node.get_name() == "Терминдер тізімін таңдау":
                return node
        return None
    box = until(15, "no file dialog named 'Терминдер тізімін таңдау'", dialog)
    check_kazakh(box, ALLOWED + ("Alt", "Left", "Right", "Up"))
    name_field = until(10, "the file dialog has no focused text field",
                       lambda: next((n for n in walk(box) if n.get_role() == Atspi.Role.TEXT
                                     and n.get_state_set().contains(Atspi.StateType.FOCUSED)), None))
    del name_field
    subprocess.run(["xdotool", "type", "--delay", "5", path], check=True, timeout=60)
    if shot:
        time.sleep(0.5)
        # The dialog captured by itself (a capture of the root shows it
        # black under Xvfb) and laid over the screen where it stands.
        subprocess.run(
            "set -e; id=$(xdotool search --onlyvisible --name 'Терминдер тізімін таңдау' | head -n1); "
            "eval $(xdotool getwindowgeometry --shell $id); "
            "xwd -root -silent | xwdtopnm 2>/dev/null >\"$SHOT.root.ppm\"; "
            "xwd -id $id -silent | xwdtopnm 2>/dev/null >\"$SHOT.box.ppm\"; "
            "pnmpaste \"$SHOT.box.ppm\" $X $Y \"$SHOT.root.ppm\" | pnmtopng >\"$SHOT\"; "
            "rm -f \"$SHOT.root.ppm\" \"$SHOT.box.ppm\"",
            shell=True, check=True, timeout=30, env={**os.environ, "SHOT": shot})
    subprocess.run(["xdotool", "key", "Return"], check=True, timeout=10)
    until(15, "the file dialog did not close", lambda: dialog() is None)


def step_column(pid, side, key):
    """Qt's combo boxes take no focus through the bus: the keyboard reaches
    the list as a user's does, by Tab from the choose button."""
    window = frame(pid)
    box = field(window, side)
    if box is None:
        fail(f"no column list captioned {side!r}")
    focus_and_key(named(window, Atspi.Role.PUSH_BUTTON, "Файлды таңдау..."), "Tab")
    for _ in range(8):
        if box.get_state_set().contains(Atspi.StateType.FOCUSED):
            subprocess.run(["xdotool", "key", "--clearmodifiers", key], check=True, timeout=10)
            return
        time.sleep(0.2)
        if not box.get_state_set().contains(Atspi.StateType.FOCUSED):
            subprocess.run(["xdotool", "key", "--clearmodifiers", "Tab"], check=True, timeout=10)
    fail(f"Tab from the choose button did not reach the column list {side!r}")


def step_press(pid, name):
    button = named(frame(pid), Atspi.Role.PUSH_BUTTON, name)
    if button is None:
        fail(f"no push button named {name!r}")
    until(30, f"the button {name!r} is not enabled",
          lambda: button.get_state_set().contains(Atspi.StateType.ENABLED))
    focus_and_key(button, "space")


def step_wait_summary(pid, prefix, seconds):
    summary = field(frame(pid), "Қорытынды")
    text = until(float(seconds), f"the summary does not start with {prefix!r}",
                 lambda: (t := text_of(summary)).startswith(prefix) and t)
    print(text)


def step_wait_rows(pid, seconds):
    window = frame(pid)

    def rows():
        for node in walk(window):
            if node.get_role() == Atspi.Role.LABEL and (node.get_name() or "").startswith("Оқылған жол: "):
                count = node.get_name()[len("Оқылған жол: "):].replace(" ", "")
                return count if count.isdigit() and int(count) > 0 else None
        return None
    print(until(float(seconds), "the rows-read count stays 0 while building", rows))


def step_answer(pid, name):
    def button():
        for window in children(application(pid)):
            if window.get_name() == TITLE and window.get_role() in (Atspi.Role.DIALOG, Atspi.Role.ALERT):
                found = named(window, Atspi.Role.PUSH_BUTTON, name)
                if found is not None:
                    return window, found
        return None
    box, found = until(15, f"no question box with a button {name!r}", button)
    question = " ".join(n.get_name() for n in walk(box) if n.get_role() == Atspi.Role.LABEL and n.get_name())
    check_kazakh(box, ALLOWED)
    print(question.replace("\n", " "))
    focus_and_key(found, "space")


STEPS = {"check": step_check, "expect-kind": step_expect_kind, "field": step_field,
         "choose-file": step_choose_file, "column": step_column, "press": step_press,
         "wait-summary": step_wait_summary, "wait-rows": step_wait_rows, "answer": step_answer}

if len(sys.argv) < 3 or sys.argv[2] not in STEPS:
    fail(__doc__)
STEPS[sys.argv[2]](int(sys.argv[1]), *sys.argv[3:])
