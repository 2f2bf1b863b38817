// What the desktop portal's clients share: the portal's name and object on
// the session bus, how long a call may take, its answer for a dialog the
// user cancelled, and the reading of a number property of one of its
// interfaces.
#pragma once

#include <QDBusConnection>
#include <QString>

#include <optional>

namespace quorvandel {

inline const QString portal_service = QStringLiteral("org.freedesktop.portal.Desktop");
inline const QString portal_path = QStringLiteral("/org/freedesktop/portal/desktop");
inline constexpr int portal_call_timeout_ms = 5000;
// A request's Response when the user cancelled its dialog.
inline constexpr uint portal_response_cancelled = 1;

// The property ("version", say) of the portal's interface; nothing when
// the portal or the interface is missing.
std::optional<uint> Portal_property(const QDBusConnection& bus, const QString& interface, const QString& name);

}  // namespace quorvandel
