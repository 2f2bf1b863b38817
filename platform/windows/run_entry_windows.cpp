// The log-in entry as a string value under the machine-wide Run key. Only an
// administrator may write there; for any other user the entry goes under
// the user's own Run key, which Windows runs at that user's log-in just the
// same.
#include <windows.h>

#include "platform/files/executable_path.h"
#include "platform/run_entry.h"
#include "platform/windows/registry_run_entry.h"
#include "platform/windows/wide_text.h"

namespace quorvandel {

namespace windows {

namespace {

const wchar_t* Key_path(bool run_once) {
  return run_once ? L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce"
                  : L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
}

class Key {
 public:
  Key() = default;
  ~Key() {
    if (key_) ::RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY* out() { return &key_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

LSTATUS Write_value(HKEY root, bool run_once, const std::wstring& name, const std::wstring& data) {
  Key key;
  LSTATUS status = ::RegCreateKeyExW(root, Key_path(run_once), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                     nullptr, key.out(), nullptr);
  if (status != ERROR_SUCCESS) return status;
  const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
  return ::RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()), bytes);
}

// Whether the value is gone from under the root (or never was there).
bool Delete_value(HKEY root, bool run_once, const std::wstring& name) {
  Key key;
  LSTATUS status = ::RegOpenKeyExW(root, Key_path(run_once), 0, KEY_SET_VALUE | KEY_QUERY_VALUE, key.out());
  if (status == ERROR_FILE_NOT_FOUND) return true;
  if (status == ERROR_SUCCESS) {
    status = ::RegDeleteValueW(key.get(), name.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
  }
  // Not allowed to change the key: fine as long as the value is not there.
  Key readable;
  if (::RegOpenKeyExW(root, Key_path(run_once), 0, KEY_QUERY_VALUE, readable.out()) != ERROR_SUCCESS) return false;
  return ::RegQueryValueExW(readable.get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_FILE_NOT_FOUND;
}

}  // namespace

bool Set_run_entry_in(void* machine, void* user, const std::wstring& value_name, const std::wstring& data,
                      bool run_once, bool present) {
  const auto machine_root = static_cast<HKEY>(machine);
  const auto user_root = static_cast<HKEY>(user);
  if (!present) {
    const bool machine_clear = Delete_value(machine_root, run_once, value_name);
    const bool user_clear = Delete_value(user_root, run_once, value_name);
    return machine_clear && user_clear;
  }
  if (data.empty()) return false;
  const LSTATUS status = Write_value(machine_root, run_once, value_name, data);
  if (status == ERROR_SUCCESS) return true;
  if (status != ERROR_ACCESS_DENIED) return false;
  return Write_value(user_root, run_once, value_name, data) == ERROR_SUCCESS;
}

}  // namespace windows

bool Set_run_entry(const std::string& value_name, const std::string& data, bool run_once, bool present) {
  return windows::Set_run_entry_in(HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, windows::Wide_from_utf8(value_name),
                                   windows::Wide_from_utf8(data), run_once, present);
}

bool Launch_on_windows_startup(bool enabled) {
  return Set_run_entry(std::string(run_entry_name), Executable_path(), false, enabled);
}

const char* Launch_on_startup_caption() { return "Launch on Windows startup"; }

}  // namespace quorvandel
