#!/usr/bin/python3
# A GTK 3 text entry in a process of its own, a target of the hotkeys in the
# Wayland desktop tests. It starts holding TEXT all selected, and writes its
# text to OUTPUT-FILE once the keyboard's focus has reached it (so that the
# file's appearance tells the test it takes keys) and at every change.
#
# Usage: gtk_field.py OUTPUT-FILE TEXT
import os
import sys

import gi

gi.require_version("Gtk", "3.0")
from gi.repository import Gtk  # noqa: E402


def write(entry, output):
    temporary = output + ".new"
    with open(temporary, "w", encoding="utf-8") as file:
        file.write(entry.get_text())
    os.replace(temporary, output)


def main():
    if len(sys.argv) != 3:
        return 2
    output, text = sys.argv[1], sys.argv[2]
    window = Gtk.Window(title="Quorvandel GTK field")
    window.set_default_size(400, 80)
    entry = Gtk.Entry()
    entry.set_text(text)
    window.add(entry)
    window.connect("destroy", Gtk.main_quit)
    window.show_all()
    entry.grab_focus()
    entry.select_region(0, -1)
    entry.connect("changed", write, output)
    window.connect("focus-in-event", lambda *_: write(entry, output))
    Gtk.main()
    return 0


if __name__ == "__main__":
    sys.exit(main())
