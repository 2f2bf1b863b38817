// Pipe names are the machine's, not the session's: the user's name and the
// session's number keep each user's running copy apart.
#include <windows.h>

#include <string>

#include "platform/instance_channel_service.h"
#include "platform/windows/wide_text.h"

namespace quorvandel {

std::string Instance_channel_name() {
  wchar_t user[256 + 1] = {};
  DWORD length = static_cast<DWORD>(std::size(user));
  if (!::GetUserNameW(user, &length)) user[0] = L'\0';
  DWORD session = 0;
  ::ProcessIdToSessionId(::GetCurrentProcessId(), &session);
  return "QuorvandelChannel-" + windows::Utf8_from_wide(user) + "-" + std::to_string(session);
}

}  // namespace quorvandel
