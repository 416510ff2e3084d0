#!/usr/bin/python3
"""Reads the running editor through the accessibility bus, as a screen reader does, and checks
what a keyboard and screen-reader user depends on. Run by scripts/a11y-check, which starts the
display, the buses and the editor; each case prints its name and what went wrong."""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

TITLE = sys.argv[1]  # the main window's title, to give it the keyboard
failures = []
events = []


def check(case, ok, detail=''):
    print(('ok     ' if ok else 'FAILED ') + case + ('' if ok else ': ' + detail))
    if not ok:
        failures.append(case)


def pump(seconds):
    end = time.time() + seconds
    context = GLib.MainContext.default()
    while time.time() < end:
        while context.iteration(False):
            pass
        time.sleep(0.01)


def until(condition, seconds=5.0):
    """Whether `condition` holds within `seconds`: the editor answers late on a busy machine."""
    end = time.time() + seconds
    while True:
        try:
            if condition():
                return True
        except Exception:  # an object that went away while it was read
            pass
        if time.time() > end:
            return False
        pump(0.05)


def keys(*names):
    for name in names:
        subprocess.run(['xdotool', 'key', '--clearmodifiers', name], check=True)
        pump(0.25)


def give_keyboard(title):
    """No window manager runs on the virtual display: the window is given the keyboard."""
    subprocess.run(['xdotool', 'search', '--sync', '--name', title, 'windowfocus', '--sync'],
                   check=True, stdout=subprocess.DEVNULL)
    pump(0.2)


def app():
    for _ in range(200):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            a = desktop.getChildAtIndex(i)
            if a is not None and a.name.lower() == 'cleatwork':
                return a
        time.sleep(0.05)
    sys.exit('the editor did not appear on the accessibility bus')


def walk(o, shown_only=True):
    for i in range(o.childCount):
        c = o.getChildAtIndex(i)
        if c is None:
            continue
        if shown_only and not c.getState().contains(pyatspi.STATE_SHOWING):
            continue
        yield c
        yield from walk(c, shown_only)


def find(root, role, name=None):
    for o in walk(root):
        if o.getRoleName() == role and (name is None or o.name == name):
            return o
    return None


def role_of(o):
    return o.getRoleName() if o is not None else 'nothing'


def focused():
    """The last object that said it took the focus."""
    for kind, o in reversed(events):
        if kind == 'focus':
            return o
    return None


def on_event(e):
    if e.type.startswith('object:state-changed:focused') and e.detail1 == 1:
        events.append(('focus', e.source))
    elif e.type.startswith('object:state-changed:selected') and e.detail1 == 1:
        events.append(('selected', e.source))
    elif e.type.startswith('object:text-changed:insert'):
        events.append(('inserted', e.source))


for kind in ('object:state-changed:focused', 'object:state-changed:selected',
             'object:text-changed:insert'):
    pyatspi.Registry.registerEventListener(on_event, kind)

editor = app()
give_keyboard(TITLE)
pump(0.3)
until(lambda: editor.childCount > 0 and editor.getChildAtIndex(0).getState().contains(
    pyatspi.STATE_SHOWING), 20)
window = editor.getChildAtIndex(0)

# --- Names: by what a control is, never by its value or by the box around it.
combos = sorted(o.name for o in walk(window) if o.getRoleName() == 'combo box')
check('combo boxes are named by their captions', combos == ['Language', 'Producent'], str(combos))
check('the code beside the manufacturer is named as a code',
      find(window, 'text', 'Manufacturer code') is not None)
repeats = []
for o in walk(window):
    parent = o.parent
    if o.getRoleName() == 'panel' and parent.getRoleName() == 'panel' and o.name == parent.name:
        repeats.append(o.name)
check('no group box repeats the title of the box around it', not repeats, str(repeats))
check('a backslash between words is read as a word', find(window, 'push button',
                                                           'Create or Edit') is not None)
preview = find(window, 'panel', 'Preview')
hidden = [c.name for c in walk(preview, shown_only=False)
          if not c.getState().contains(pyatspi.STATE_SHOWING) and c.getRoleName() != 'push button']
check('the preview lists no hidden controls', not hidden, str(hidden[:5]))
check('the hidden boots table is not in the tree',
      all(o.getRoleName() != 'table' for o in walk(window, shown_only=False)))

# --- One Down in the boots list is heard as the next boot, and as nothing else.
boots = find(window, 'list', 'List Boots')
in_list = lambda: focused() is not None and boots in (focused(), focused().parent)
keys('Tab')
check('Tab reaches the boots list', until(in_list), role_of(focused()))
events.clear()
keys('Down')
until(lambda: focused() is not None and focused().parent == boots)
pump(0.3)
heard = [role_of(o) + " '" + o.name + "'" for kind, o in events
         if kind in ('focus', 'selected') and o.parent != boots and o != boots]
check('one Down in the boots list is heard from the list alone', not heard, str(heard))
record = find(window, 'panel', 'Parameters')
check('the record editor tells the ID and the index',
      until(lambda: 'ID' in record.description and 'Index' in record.description),
      record and record.description)

# --- A combo box says its value, and says it again as an arrow key changes it: as a selected
# text put in, which a screen reader speaks for the control with the focus.
combo = find(window, 'combo box', 'Producent')
combo.queryComponent().grabFocus()
check('the manufacturer box takes the focus', until(lambda: focused() == combo),
      role_of(focused()))
before = combo.queryText().getText(0, -1)
events.clear()
keys('Down')
said = lambda: any(kind == 'inserted' and o == combo for kind, o in events)
check('an arrow key on the manufacturer box is heard as its new value',
      until(said) and combo.queryText().getText(0, -1) != before
      and combo.queryText().getSelection(0)[1] == combo.queryText().characterCount,
      before + ' -> ' + combo.queryText().getText(0, -1))
keys('Up')
boots.queryComponent().grabFocus()
until(in_list)

# --- The boots table: Ctrl+T takes the keyboard in and out; Tab leaves it.
in_table = lambda: role_of(focused()) in ('table', 'table cell')
keys('ctrl+t')
check('Ctrl+T puts the keyboard in the boots table', until(in_table), role_of(focused()))
check('the boots table shown is in the tree', until(lambda: find(window, 'table') is not None))
keys('ctrl+End')
until(lambda: role_of(focused()) == 'table cell')
keys('Tab')
check('Tab leaves the boots table from its last cell', until(lambda: not in_table()),
      role_of(focused()))
keys('shift+Tab')
until(in_table)
keys('ctrl+t')
check('Ctrl+T hiding the table gives the keyboard back to the boots list', until(in_list),
      role_of(focused()))


# --- About and the manual: dialogs that Escape and Ctrl+W close.
def showing(name):
    for i in range(editor.childCount):
        w = editor.getChildAtIndex(i)
        if w is not None and w.name == name and w.getState().contains(pyatspi.STATE_SHOWING):
            return w
    return None


def dialog(name):
    until(lambda: showing(name) is not None)
    return showing(name)


def gone(name):
    return until(lambda: showing(name) is None)


def opened(case, name, open_it):
    """The dialog `name` that `open_it` opens, with the keyboard, or None."""
    open_it()
    shown = dialog(name)
    check(case, shown is not None and shown.getRoleName() == 'dialog',
          shown and shown.getRoleName())
    if shown is not None:
        give_keyboard('^%s$' % name)
    return shown


if opened('About opens as a dialog', 'About',
          lambda: find(window, 'menu item', 'About').queryAction().doAction(0)):
    keys('Escape')
    check('Escape closes the About window', gone('About'))

give_keyboard(TITLE)
manual = opened('F1 opens the manual as a dialog', 'Manual', lambda: keys('F1'))
if manual is not None:
    # Qt calls a text browser's text a label: what counts is a focused text read-only.
    text = next((o for o in walk(manual) if o.getState().contains(pyatspi.STATE_FOCUSED)
                 and o.getRoleName() in ('text', 'label')), None)
    check('the manual is a read-only text with the focus',
          text is not None and text.getState().contains(pyatspi.STATE_READ_ONLY)
          and text.getState().contains(pyatspi.STATE_MULTI_LINE))
    if text is not None:
        before = text.queryText().caretOffset
        keys('Down', 'Down')
        check('the arrow keys move through the manual',
              until(lambda: text.queryText().caretOffset > before))
    keys('ctrl+w')
    check('Ctrl+W closes the manual', gone('Manual'))

print('%d of the accessibility checks failed' % len(failures) if failures
      else 'every accessibility check passed')
sys.exit(1 if failures else 0)
