'''A desktop portal that has RemoteDesktop only, for the keys' tests.

Parameters: "version" (2 by default: consent kept with restore tokens; 1
has none), "start_response" (0 the user allowed it, 1 the user cancelled
the dialog), "clipboard" (true: the portal has a Clipboard interface and
grants it to a session that asked before its start). Start gives the
restore token "token-from-portal" when asked to keep the consent. The
calls are read back with GetMethodCalls.

With the clipboard, the mock plays the other program too: Ctrl+C copies
its selection (SetSelected), Ctrl+V fetches the clipboard's text and keeps
it as pasted (Pasted); CopyFromOtherProgram puts formats on the clipboard
and FetchFromSession asks the session for one of its formats, whose bytes
Fetched gives once written.
'''

import os
import sys

import dbus

sys.path.insert(0, os.path.dirname(__file__))
# pylint: disable=wrong-import-position
from portal_mock import ANSWER, BUS_NAME, CREATE_SESSION, MAIN_OBJ, SYSTEM_BUS  # noqa: E402,F401

MAIN_IFACE = 'org.freedesktop.portal.RemoteDesktop'

SELECT_DEVICES = ANSWER + '''
session, options = args
self.persisting = 'persist_mode' in options
ret = answer(self, str(options['handle_token']), 0, {})
'''

START = ANSWER + '''
session, parent, options = args
results = {'devices': dbus.UInt32(1)}
if session in self.clipboard_sessions:
    results['clipboard_enabled'] = dbus.Boolean(True)
if self.persisting:
    results['restore_token'] = dbus.String('token-from-portal')
ret = answer(self, str(options['handle_token']), self.start_response,
             results if self.start_response == 0 else {})
'''


CLIPBOARD_IFACE = 'org.freedesktop.portal.Clipboard'

# What the clipboard holds, as {type: bytes}, and who owns it; a change is
# told to the newest session.
OWNER_CHANGED = '''
def owner_changed(self, formats, session_is_owner):
    self.clipboard = formats
    self.session_owns = session_is_owner
    self.EmitSignal('org.freedesktop.portal.Clipboard', 'SelectionOwnerChanged', 'oa{sv}', [
        dbus.ObjectPath(self.sessions[-1]),
        {'mime_types': dbus.Array(list(formats), signature='s'),
         'session_is_owner': dbus.Boolean(session_is_owner)}])
'''

# Asks the session for a format: the bytes it writes are kept by serial.
FETCH = '''
def fetch(self, mime_type):
    import fcntl, os  # pylint: disable=import-outside-toplevel
    self.serial += 1
    read_end, write_end = os.pipe()
    fcntl.fcntl(read_end, fcntl.F_SETFL, os.O_NONBLOCK)
    self.transfers[self.serial] = (read_end, write_end)
    self.EmitSignal('org.freedesktop.portal.Clipboard', 'SelectionTransfer', 'osu', [
        dbus.ObjectPath(self.sessions[-1]), mime_type, dbus.UInt32(self.serial)])
    return self.serial
'''

# The other program's reading of a transfer once the session says done.
WRITE_DONE = '''
import os
session, serial, success = args
read_end, write_end = self.transfers.pop(int(serial))
os.close(write_end)
data = b''
try:
    while True:
        chunk = os.read(read_end, 65536)
        if not chunk:
            break
        data += chunk
except BlockingIOError:
    pass
os.close(read_end)
self.fetched[int(serial)] = data if success else None
if int(serial) == self.paste_serial and success:
    self.pasted = data
'''

SELECTION_READ = '''
import os
session, mime_type = args
read_end, write_end = os.pipe()
os.write(write_end, self.clipboard.get(str(mime_type), b''))
os.close(write_end)
ret = dbus.types.UnixFd(read_end)
os.close(read_end)
'''

SELECTION_WRITE = '''
session, serial = args
ret = dbus.types.UnixFd(self.transfers[int(serial)][1])
'''

# The other program's keys: Ctrl+C copies its selection, Ctrl+V pastes.
KEYS = OWNER_CHANGED + FETCH + '''
session, options, code, state = args
if code == 29:
    self.control_down = state == 1
elif state == 1 and self.control_down and code == 46 and self.selected is not None:
    owner_changed(self, {'text/plain;charset=utf-8': self.selected}, False)
elif state == 1 and self.control_down and code == 47:
    self.paste_serial = fetch(self, 'text/plain;charset=utf-8')
'''


def add_clipboard(mock):
    mock.clipboard_sessions = []
    mock.clipboard = {}
    mock.session_owns = False
    mock.selected = None
    mock.pasted = None
    mock.control_down = False
    mock.serial = 0
    mock.paste_serial = -1
    mock.transfers = {}
    mock.fetched = {}
    mock.AddProperty(CLIPBOARD_IFACE, 'version', dbus.UInt32(1))
    mock.AddMethods(CLIPBOARD_IFACE, [
        ('RequestClipboard', 'oa{sv}', '', 'self.clipboard_sessions.append(str(args[0]))'),
        ('SetSelection', 'oa{sv}', '', OWNER_CHANGED +
         "owner_changed(self, {str(t): b'' for t in args[1].get('mime_types', [])}, True)"),
        ('SelectionWrite', 'ou', 'h', SELECTION_WRITE),
        ('SelectionWriteDone', 'oub', '', WRITE_DONE),
        ('SelectionRead', 'os', 'h', SELECTION_READ),
    ])
    mock.AddMethods(MAIN_IFACE, [
        ('SetSelected', 's', '', 'self.selected = args[0].encode()'),
        ('Pasted', '', 'ay', 'ret = dbus.ByteArray(self.pasted or b"")'),
        ('CopyFromOtherProgram', 'a{say}', '', OWNER_CHANGED +
         'owner_changed(self, {str(t): bytes(d) for t, d in args[0].items()}, False)'),
        ('FetchFromSession', 's', 'u', FETCH + 'ret = dbus.UInt32(fetch(self, str(args[0])))'),
        ('Fetched', 'u', 'ay', 'ret = dbus.ByteArray(self.fetched.get(int(args[0])) or b"")'),
    ])


def load(mock, parameters):
    mock.sessions = []
    mock.persisting = False
    mock.start_response = int(parameters.get('start_response', 0))
    mock.clipboard_sessions = []
    mock.AddProperty(MAIN_IFACE, 'version', dbus.UInt32(parameters.get('version', 2)))
    mock.AddProperty(MAIN_IFACE, 'AvailableDeviceTypes', dbus.UInt32(7))
    mock.AddMethods(MAIN_IFACE, [
        ('CreateSession', 'a{sv}', 'o', CREATE_SESSION),
        ('SelectDevices', 'oa{sv}', 'o', SELECT_DEVICES),
        ('Start', 'osa{sv}', 'o', START),
        ('NotifyKeyboardKeycode', 'oa{sv}iu', '', KEYS if parameters.get('clipboard') else ''),
    ])
    if parameters.get('clipboard'):
        add_clipboard(mock)
