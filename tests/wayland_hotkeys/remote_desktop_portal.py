'''A desktop portal that has RemoteDesktop only, for the keys' tests.

Parameters: "version" (2 by default: consent kept with restore tokens; 1
has none), "start_response" (0 the user allowed it, 1 the user cancelled
the dialog). Start gives the restore token "token-from-portal" when asked
to keep the consent. The calls are read back with GetMethodCalls.
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
if self.persisting:
    results['restore_token'] = dbus.String('token-from-portal')
ret = answer(self, str(options['handle_token']), self.start_response,
             results if self.start_response == 0 else {})
'''


def load(mock, parameters):
    mock.sessions = []
    mock.persisting = False
    mock.start_response = int(parameters.get('start_response', 0))
    mock.AddProperty(MAIN_IFACE, 'version', dbus.UInt32(parameters.get('version', 2)))
    mock.AddProperty(MAIN_IFACE, 'AvailableDeviceTypes', dbus.UInt32(7))
    mock.AddMethods(MAIN_IFACE, [
        ('CreateSession', 'a{sv}', 'o', CREATE_SESSION),
        ('SelectDevices', 'oa{sv}', 'o', SELECT_DEVICES),
        ('Start', 'osa{sv}', 'o', START),
        ('NotifyKeyboardKeycode', 'oa{sv}iu', '', ''),
    ])
