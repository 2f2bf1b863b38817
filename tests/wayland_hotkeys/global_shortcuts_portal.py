'''A desktop portal that has GlobalShortcuts only, for the hotkeys' tests.

Parameters: "version" (1 by default; 0 stands for a portal too old) and
"bind_response" (0 the user accepted, 1 the user cancelled the dialog).
Press(id) on the mock interface presses and releases a bound shortcut.
'''

import os
import sys

import dbus

from dbusmock import MOCK_IFACE

sys.path.insert(0, os.path.dirname(__file__))
# pylint: disable=wrong-import-position
from portal_mock import ANSWER, BUS_NAME, CREATE_SESSION, MAIN_OBJ, SYSTEM_BUS  # noqa: E402,F401

MAIN_IFACE = 'org.freedesktop.portal.GlobalShortcuts'

BIND_SHORTCUTS = ANSWER + '''
session, shortcuts, parent, options = args
response = self.bind_response
bound = dbus.Array([dbus.Struct((shortcut_id, dbus.Dictionary({
    'description': properties['description'],
    'trigger_description': properties.get('preferred_trigger', '')}, signature='sv')))
    for shortcut_id, properties in shortcuts], signature='(sa{sv})')
ret = answer(self, str(options['handle_token']), response, {'shortcuts': bound} if response == 0 else {})
'''


def load(mock, parameters):
    mock.sessions = []
    mock.bind_response = int(parameters.get('bind_response', 0))
    mock.AddProperty(MAIN_IFACE, 'version', dbus.UInt32(parameters.get('version', 1)))
    mock.AddMethods(MAIN_IFACE, [
        ('CreateSession', 'a{sv}', 'o', CREATE_SESSION),
        ('BindShortcuts', 'oa(sa{sv})sa{sv}', 'o', BIND_SHORTCUTS),
    ])


@dbus.service.method(MOCK_IFACE, in_signature='s', out_signature='')
def Press(self, shortcut_id):
    '''Presses and releases the shortcut in the newest session.'''
    session = dbus.ObjectPath(self.sessions[-1])
    for signal in ('Activated', 'Deactivated'):
        self.EmitSignal(MAIN_IFACE, signal, 'osta{sv}',
                        [session, shortcut_id, dbus.UInt64(0), dbus.Dictionary({}, signature='sv')])
