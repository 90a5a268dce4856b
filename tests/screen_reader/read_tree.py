"""What a screen reader finds in the game through AT-SPI.

  read_tree.py tree            one line per object under the game's application:
                               "role<TAB>focused-or-dash<TAB>name"
  read_tree.py listen SECONDS  for SECONDS, one line per object that gains the focus:
                               "focus<TAB>role<TAB>name" (what Orca reads as it comes)
"""
import sys

import pyatspi
from gi.repository import GLib


def line(node):
    return (node.name or "").replace("\n", " / ")


def walk(node, depth=0):
    if node is None or depth > 12:
        return
    focused = node.getState().contains(pyatspi.STATE_FOCUSED)
    print(f"{node.getRoleName()}\t{'focused' if focused else '-'}\t{line(node)}")
    for child in node:
        walk(child, depth + 1)


def tree():
    desktop = pyatspi.Registry.getDesktop(0)
    apps = [app for app in desktop if app is not None and "Velmora" in (app.name or "")]
    if not apps:
        print("no Velmora application on the accessibility bus", file=sys.stderr)
        return 1
    walk(apps[0])
    return 0


def listen(seconds):
    def told(event):
        if event.detail1 == 1 and event.source is not None:
            print(f"focus\t{event.source.getRoleName()}\t{line(event.source)}", flush=True)

    pyatspi.Registry.registerEventListener(told, "object:state-changed:focused")
    GLib.timeout_add(int(seconds * 1000), lambda: pyatspi.Registry.stop() or False)
    print("listening", flush=True)
    pyatspi.Registry.start()
    return 0


if __name__ == "__main__":
    if len(sys.argv) >= 3 and sys.argv[1] == "listen":
        sys.exit(listen(float(sys.argv[2])))
    sys.exit(tree())
