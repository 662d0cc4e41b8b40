#!/usr/bin/env python3
# What a program shows, as an assistive technology reads it over AT-SPI: the GNOME end-to-end tests read
# Corvane's windows through it and give a button the keyboard focus, as a screen reader's user would.
# The accessibility bus is one the test starts (Corvane finds it in AT_SPI_BUS_ADDRESS, as Qt allows);
# the program is found on it by its process id. Every call is bounded.
#   a11y.py ADDRESS PID WINDOW texts        "ROLE<TAB>NAME" of every object shown in the window of that
#                                           title, depth first
#   a11y.py ADDRESS PID WINDOW focus ROLE NAME   gives the keyboard focus to the control of that role
#                                           ("push button", "check box") and name shown there, and ends
#                                           well once it has it
import sys

from gi.repository import Gio, GLib

TIMEOUT_MS = 2000
ROOT = "/org/a11y/atspi/accessible/root"
ACCESSIBLE = "org.a11y.atspi.Accessible"
STATE_FOCUSED, STATE_SHOWING = 12, 25
# Enough for a settings window; a tree deeper or wider than this is not a window of ours.
MAX_DEPTH, MAX_OBJECTS = 40, 5000


def call(bus, name, path, interface, method, args=None, reply=None):
    return bus.call_sync(name, path, interface, method, args, GLib.VariantType(reply) if reply else None,
                         Gio.DBusCallFlags.NONE, TIMEOUT_MS, None).unpack()


def program(bus, pid):
    names = call(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "ListNames",
                 reply="(as)")[0]
    for name in names:
        if not name.startswith(":"):
            continue
        try:
            owner = call(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                         "GetConnectionUnixProcessID", GLib.Variant("(s)", (name,)), "(u)")[0]
        except GLib.Error:
            continue
        if owner == pid:
            return name
    sys.exit(f"a11y: process {pid} is not on the accessibility bus")


def shown(bus, name, path):
    states = call(bus, name, path, ACCESSIBLE, "GetState", reply="(au)")[0]
    return bool(states and states[0] & (1 << STATE_SHOWING))


def name_of(bus, name, path):
    return call(bus, name, path, "org.freedesktop.DBus.Properties", "Get",
                GLib.Variant("(ss)", (ACCESSIBLE, "Name")), "(v)")[0]


def children_of(bus, name, path):
    return [child for _, child in call(bus, name, path, ACCESSIBLE, "GetChildren", reply="(a(so))")[0]]


def window(bus, name, title):
    for path in children_of(bus, name, ROOT):
        if name_of(bus, name, path) == title and shown(bus, name, path):
            return path
    sys.exit(f"a11y: no window {title!r} is shown")


# (path, role, name) of every object shown, depth first; hidden ones are left out with all they hold.
def walk(bus, name, top):
    found, stack = [], [(top, 0)]
    while stack and len(found) < MAX_OBJECTS:
        path, depth = stack.pop()
        if not shown(bus, name, path):
            continue
        role = call(bus, name, path, ACCESSIBLE, "GetRoleName", reply="(s)")[0]
        found.append((path, role, name_of(bus, name, path)))
        if depth < MAX_DEPTH:
            stack.extend((child, depth + 1) for child in reversed(children_of(bus, name, path)))
    return found


def main():
    address, pid, title, command = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4]
    bus = Gio.DBusConnection.new_for_address_sync(
        address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION,
        None, None)
    name = program(bus, pid)
    objects = walk(bus, name, window(bus, name, title))
    if command == "texts":
        for _, role, label in objects:
            print(f"{role}\t{label}")
    elif command == "focus":
        wanted_role, wanted = sys.argv[5], sys.argv[6]
        buttons = [path for path, role, label in objects if role == wanted_role and label == wanted]
        if not buttons:
            sys.exit(f"a11y: no {wanted_role} {wanted!r} is shown")
        call(bus, name, buttons[0], "org.a11y.atspi.Component", "GrabFocus", reply="(b)")
        states = call(bus, name, buttons[0], ACCESSIBLE, "GetState", reply="(au)")[0]
        if not states[0] & (1 << STATE_FOCUSED):
            sys.exit(f"a11y: {wanted!r} did not take the focus")
    else:
        sys.exit(f"a11y: no command {command}")


main()
