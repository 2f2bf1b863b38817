'''What the mock portals of this folder share: the portal's bus name and
object, the answers through Request objects, and CreateSession.

The templates import it from their own folder, as dbusmock loads them by
path.
'''

SYSTEM_BUS = False
BUS_NAME = 'org.freedesktop.portal.Desktop'
MAIN_OBJ = '/org/freedesktop/portal/desktop'

# Each call answers through a Request object named by its handle_token,
# whose Response signal carries the results.
ANSWER = '''
def answer(self, token, response, results):
    path = '/org/freedesktop/portal/desktop/request/mock/' + token
    if path not in objects:
        self.AddObject(path, 'org.freedesktop.portal.Request', {}, [])
    objects[path].EmitSignal('org.freedesktop.portal.Request', 'Response', 'ua{sv}',
                             [dbus.UInt32(response), dbus.Dictionary(results, signature='sv')])
    return dbus.ObjectPath(path)
'''

# The sessions made are kept, the newest last, in the mock's "sessions".
CREATE_SESSION = ANSWER + '''
options = args[0]
session = '/org/freedesktop/portal/desktop/session/mock/' + str(options['session_handle_token'])
self.AddObject(session, 'org.freedesktop.portal.Session', {}, [])
self.sessions.append(session)
ret = answer(self, str(options['handle_token']), 0, {'session_handle': dbus.String(session)})
'''
