#!/usr/bin/python3
"""What a screen reader finds in the picker's panel, through the AT-SPI bus:
    accessibility-probe.py PID COMMAND...
COMMAND opens the panel of the application running as PID; the pointer lies on #3A7BD5 at
200,500 and #D5803A at 800,500. The panel is a popup, which Qt leaves out of the
application's list of windows, so the probe meets it as a screen reader does: by the focus
it takes on opening, and from the focused control up to the panel. It walks the panel's tree, checks the controls' names and roles, presses
them through their AT-SPI actions, and listens for the announcements of each pick and copy.
Prints one line per fault; exits 1 when there is any."""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

pid = int(sys.argv[1])
faults = []
announced = []
focused = []


def fault(text):
    print(f'FAIL: {text}', flush=True)
    faults.append(text)


def on_showing(event):
    if event.detail1 == 1 and event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
        announced.append(event.source.name)


def on_focus(event):
    if event.detail1 == 1:
        focused.append(event.source)


def pump(seconds, until=lambda: False):
    deadline = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while time.monotonic() < deadline and not until():
        while context.iteration(False):
            pass
        time.sleep(0.05)
    return until()


def panel():
    """The top of the tree the first focused control of the application lies in."""
    for node in focused:
        try:
            if node.get_process_id() != pid:
                continue
            while node.parent is not None and node.parent.getRole() != pyatspi.ROLE_APPLICATION:
                node = node.parent
            return node
        except Exception:  # an object gone meanwhile
            continue
    return None


def controls():
    """(role name, name, accessible) of every object below the application."""
    found = []

    def walk(node, depth):
        for index in range(node.childCount):
            child = node.getChildAtIndex(index)
            if child is None:
                continue
            found.append((child.getRoleName(), child.name, child))
            if depth < 30:
                walk(child, depth + 1)

    root = panel()
    if root:
        # Read afresh: the rows and chips come and go, and no cache follows them here.
        root.clear_cache()
        found.append((root.getRoleName(), root.name, root))
        walk(root, 0)
    return found


def named(name):
    for role, each, accessible in controls():
        if each == name:
            return accessible
    return None


def press(name):
    accessible = named(name)
    if accessible is None:
        fault(f'no control named "{name}"; there are {[c[1] for c in controls() if c[1]]}')
        return False
    action = accessible.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if 'Press' not in names:
        fault(f'"{name}" has no Press action (it has {names})')
        return False
    action.doAction(names.index('Press'))
    return True


def clipboard():
    return subprocess.run(['xclip', '-o', '-selection', 'clipboard'], capture_output=True,
                          text=True).stdout


def expect_announcement(message):
    if not pump(10, lambda: message in announced):
        fault(f'"{message}" was not announced (announced: {announced})')
    announced.clear()


def pick_at(x, y, hex_code):
    subprocess.run(['xdotool', 'mousemove', str(x), str(y)], check=True)
    if not press('Pick a color'):
        return
    time.sleep(1.5)  # the overlay drawn and grabbing
    subprocess.run(['xdotool', 'key', 'Return'], check=True)
    if not pump(10, lambda: clipboard() == hex_code):
        fault(f'the pick started through AT-SPI copied {clipboard()!r}, not {hex_code}')
    expect_announcement('Hex copied')
    pump(10, lambda: named('Pick a color') is not None)


pyatspi.Registry.registerEventListener(on_showing, 'object:state-changed:showing')
pyatspi.Registry.registerEventListener(on_focus, 'object:state-changed:focused')
pump(2)  # the listeners registered with the bus
subprocess.run(sys.argv[2:], check=True)
if not pump(30, lambda: named('Pick a color') is not None):
    apps = [(a.name, a.get_process_id()) for a in pyatspi.Registry.getDesktop(0) if a]
    fault(f'no focus reached "Pick a color" in the opened panel (applications: {apps}, '
          f'focused: {[(f.getRoleName(), f.name) for f in focused]})')
    sys.exit(1)
if focused[0].name != 'Pick a color':
    fault(f'the panel opened with the focus on "{focused[0].name}"')


def expect_controls(checks):
    present = {(role, name) for role, name, _ in controls()}
    for role, name in checks:
        if (role, name) not in present:
            fault(f'no {role} "{name}"')
    for role, name, _ in controls():
        if role in ('push button', 'check box', 'combo box') and not name:
            fault(f'a {role} without a name')


expect_controls([('push button', 'Pick a color'), ('image', 'No color picked yet'),
                 ('push button', 'Copy HEX value'), ('push button', 'Settings'),
                 ('push button', 'Quit Morvane Color Picker'),
                 ('push button', 'Open the web color picker in your browser')])
pick_at(200, 500, '#3A7BD5')
pick_at(800, 500, '#D5803A')
expect_controls([('image', 'Current color #D5803A'), ('push button', 'Copy HEX #D5803A'),
                 ('push button', 'Copy RGB 213, 128, 58'),
                 ('push button', 'Copy HSL 27°, 65%, 53%'),
                 ('push button', 'Recent color #D5803A, 1 of 2'),
                 ('push button', 'Recent color #3A7BD5, 2 of 2')])

if press('Copy RGB 213, 128, 58'):
    if not pump(10, lambda: clipboard() == '213, 128, 58'):
        fault(f'"Copy RGB" through AT-SPI copied {clipboard()!r}')
    expect_announcement('RGB copied')
if press('Recent color #3A7BD5, 2 of 2'):
    if not pump(10, lambda: named('Current color #3A7BD5') is not None):
        fault('the recent colour pressed through AT-SPI did not become current')

sys.exit(1 if faults else 0)
