#!/usr/bin/python3
"""Reads the dictionary's window as a screen reader does, over the AT-SPI
accessibility bus, and prints what it found as shell assignments.

Usage: atspi_window.py PID [--expect-count N]
       atspi_window.py PID --menu

With --menu, reads the context menu that is open in the program instead and
prints its entries (MENU_ITEMS, one per line as MENU_ITEM='...'); it fails
when an entry holds a Latin letter, apart from the shortcut keys Qt appends
after a tab, named as their caps print them (Ctrl+Z).

Checks on the way, failing with a message and exit code 1:
  - the program's window is a frame named by its title;
  - it holds a status bar whose children include the count panel text
    "Базада барлығы N термин бар" (N grouped by threes);
  - push buttons named "Іздеу" and "Барлығы", and the search box, the grid and
    the category list by their names;
  - every role name the screen reader may read out, in the window and in an
    open menu, is Kazakh.
Every wait is bounded (20 s in all)."""

import re
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

DEADLINE = time.monotonic() + 20


def fail(message):
    print(f"atspi_window: {message}", file=sys.stderr)
    sys.exit(1)


def children(node):
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield child


def find_application(pid):
    while time.monotonic() < DEADLINE:
        desktop = Atspi.get_desktop(0)
        for app in children(desktop):
            try:
                if app.get_process_id() == pid:
                    return app
            except gi.repository.GLib.Error:
                continue
        time.sleep(0.2)
    fail(f"no application with process {pid} on the accessibility bus within 20 s "
         "(is QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 set and the AT-SPI bus running?)")


def find_frame(app):
    while time.monotonic() < DEADLINE:
        for window in children(app):
            if window.get_role() == Atspi.Role.FRAME:
                return window
        time.sleep(0.2)
    roles = [w.get_role_name() for w in children(app)]
    fail(f"the application shows no window in the frame role; its windows: {roles}")


LATIN = re.compile("[A-Za-z]")
KEY_CAPS = re.compile(r"((Ctrl|Shift|Alt|Meta)\+)*([A-Z0-9]|F[0-9]+)")


def check_role_names(node, depth=0):
    """Fails on a localised role name with a Latin letter, in `node` and the
    nodes under it (a grid's rows of cells are many: only the first few of
    each node's children are visited)."""
    role = node.get_localized_role_name()
    if LATIN.search(role):
        fail(f"the screen reader would read the role {role!r} (of {node.get_name()!r})")
    if depth < 4:
        for i, child in enumerate(children(node)):
            if i >= 8:
                break
            check_role_names(child, depth + 1)


def read_menu(pid):
    """The entries of the open context menu. Qt lists no popup among the
    application's windows; a screen reader meets the menu through the focus
    of its entries, so this presses Down (xdotool) and takes the menu of the
    entry that gets the focus. Down passes over disabled entries: the menu
    needs one that is enabled."""
    menus = []

    def on_focus(event):
        try:
            item = event.source
            if item.get_process_id() == pid and item.get_role() == Atspi.Role.MENU_ITEM and not menus:
                menus.append(item.get_parent())
        except gi.repository.GLib.Error:
            pass

    context = GLib.MainContext.default()

    def pump(seconds):
        until = min(DEADLINE, time.monotonic() + seconds)
        while not menus and time.monotonic() < until:
            while context.iteration(False):
                pass
            time.sleep(0.05)

    listener = Atspi.EventListener.new(on_focus)
    listener.register("object:state-changed:focused")
    # The program learns of a new listener through the registry and sends
    # focus events only from then on.
    pump(1)
    subprocess.run(["xdotool", "key", "Down"], check=True, timeout=10)
    pump(20)
    if not menus:
        fail("no entry of an open context menu took the focus after Down within 20 s")
    menu = menus[0]
    check_role_names(menu)
    return [c.get_name() for c in children(menu) if c.get_role() != Atspi.Role.SEPARATOR]


def check_menu(pid):
    items = read_menu(pid)
    for item in items:
        label, _, keys = item.partition("\t")
        if LATIN.search(label):
            fail(f"the menu entry {label!r} is not Kazakh; the menu reads {items}")
        if keys and not KEY_CAPS.fullmatch(keys):
            fail(f"the menu entry {label!r} names its keys {keys!r}; the menu reads {items}")
    for item in items:
        print("MENU_ITEM=" + shell_quote(item.partition("\t")[0]))


def shell_quote(text):
    return "'" + text.replace("'", "'\\''") + "'"


def extents(node):
    box = node.get_extents(Atspi.CoordType.SCREEN)
    return box.x, box.y, box.width, box.height


def main():
    if len(sys.argv) < 2:
        fail("usage: atspi_window.py PID [--expect-count N | --menu]")
    pid = int(sys.argv[1])
    if sys.argv[2:] == ["--menu"]:
        find_application(pid)
        check_menu(pid)
        return
    expected_count = None
    if len(sys.argv) >= 4 and sys.argv[2] == "--expect-count":
        expected_count = int(sys.argv[3])

    app = find_application(pid)
    frame = find_frame(app)
    title = frame.get_name()
    if title != "Lexaran - терминдер қоры ":
        fail(f"the frame is named {title!r}")

    found = {}
    for control in children(frame):
        found.setdefault(control.get_role(), []).append(control)

    bars = found.get(Atspi.Role.STATUS_BAR, [])
    if len(bars) != 1:
        fail(f"expected one status bar in the frame, found {len(bars)}; "
             f"roles present: {sorted(r.value_nick for r in found)}")
    bar = bars[0]
    panel_texts = []
    while time.monotonic() < DEADLINE:
        panel_texts = [c.get_name() for c in children(bar) if c.get_role() == Atspi.Role.NOTIFICATION]
        if panel_texts and panel_texts[0]:
            break
        time.sleep(0.2)
    if len(panel_texts) != 2:
        fail(f"the status bar reads {len(panel_texts)} panels, not 2: {panel_texts}")
    if expected_count is not None:
        grouped = f"{expected_count:,}".replace(",", " ")
        want = f"Базада барлығы {grouped} термин бар"
        if panel_texts[0] != want:
            fail(f"status panel 0 reads {panel_texts[0]!r}, not {want!r}")

    buttons = {b.get_name(): b for b in found.get(Atspi.Role.PUSH_BUTTON, [])}
    for name in ("Іздеу", "Барлығы"):
        if name not in buttons:
            fail(f"no push button named {name!r}; push buttons: {sorted(buttons)}")
    if buttons["Барлығы"].get_description() != "Барлық терминдерді көрсету":
        fail(f"the Show-all button's description is {buttons['Барлығы'].get_description()!r}")

    tables = found.get(Atspi.Role.TABLE, [])
    if len(tables) != 1 or tables[0].get_name() != "Табылған терминдер":
        fail(f"expected the grid as one table named 'Табылған терминдер', found {[t.get_name() for t in tables]}")
    table = tables[0]
    edits = [e for e in found.get(Atspi.Role.TEXT, []) if e.get_name() == "Іздейтін сөз"]
    if len(edits) != 1:
        fail("no text box named 'Іздейтін сөз'")
    combos = found.get(Atspi.Role.COMBO_BOX, [])
    if len(combos) != 1:
        fail(f"expected one combo box, found {len(combos)}")

    headers = [c for c in children(table) if c.get_role() == Atspi.Role.TABLE_COLUMN_HEADER]
    if [h.get_name() for h in headers[:3]] != ["Орысша", "Қазақша", "Саласы"]:
        fail(f"the grid's titles read {[h.get_name() for h in headers]}")

    check_role_names(frame)

    typed = Atspi.Text.get_text(edits[0], 0, Atspi.Text.get_character_count(edits[0]))

    def put(name, box):
        x, y, w, h = box
        print(f"{name}_X={x} {name}_Y={y} {name}_W={w} {name}_H={h}")

    put("CLIENT", extents(frame))
    put("GRID", extents(table))
    put("TITLE1", extents(headers[1]))
    put("COMBO", extents(combos[0]))
    put("EDIT", extents(edits[0]))
    print(f"EDIT_TEXT_LENGTH={len(typed)}")
    print(f"PANEL0='{panel_texts[0]}'")


main()
