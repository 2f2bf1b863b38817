// Shortcuts as shell links (".lnk" files), made through the shell link
// object's IShellLinkA and saved through its IPersistFile.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <filesystem>

#include "platform/files/file_names.h"
#include "platform/shell_link.h"
#include "platform/windows/wide_text.h"

namespace quorvandel {

namespace {

// Releases a COM interface when it goes away.
template <typename Interface>
class Com_ptr {
 public:
  Com_ptr() = default;
  ~Com_ptr() {
    if (pointer_) pointer_->Release();
  }
  Com_ptr(const Com_ptr&) = delete;
  Com_ptr& operator=(const Com_ptr&) = delete;
  Interface* operator->() const { return pointer_; }
  void** out() { return reinterpret_cast<void**>(&pointer_); }

 private:
  Interface* pointer_ = nullptr;
};

// COM for this thread while a shortcut is made; a thread where the program
// has initialized it already keeps its own apartment.
class Com_scope {
 public:
  Com_scope() : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
  ~Com_scope() {
    if (SUCCEEDED(result_)) ::CoUninitialize();
  }
  Com_scope(const Com_scope&) = delete;
  Com_scope& operator=(const Com_scope&) = delete;
  bool usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

 private:
  HRESULT result_;
};

// One command-line argument as Windows programs split them: in double
// quotes when it is empty or holds blanks or quotes, with the backslashes
// before a quote doubled and the quote escaped.
std::string Quoted_argument(const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (const char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, '\\');
  return quoted + "\"";
}

}  // namespace

bool Create_shortcut(const std::string& target, const std::vector<std::string>& arguments,
                     const std::string& working_folder, const std::string& link_name, const std::string& folder,
                     const std::string& icon) {
  if (folder.empty() || !Is_plain_file_name(link_name)) return false;
  std::string command_line;
  for (const std::string& argument : arguments) {
    if (!command_line.empty()) command_line += ' ';
    command_line += Quoted_argument(argument);
  }

  Com_scope com;
  if (!com.usable()) return false;
  Com_ptr<IShellLinkA> link;
  Com_ptr<IPersistFile> file;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.out())) ||
      FAILED(link->QueryInterface(IID_IPersistFile, file.out()))) {
    return false;
  }
  link->SetPath(windows::Ansi_from_utf8(target).c_str());
  link->SetArguments(windows::Ansi_from_utf8(command_line).c_str());
  link->SetWorkingDirectory(windows::Ansi_from_utf8(working_folder).c_str());
  if (!icon.empty()) link->SetIconLocation(windows::Ansi_from_utf8(icon).c_str(), 0);
  const std::wstring path = windows::Wide_from_utf8(folder + "\\" + link_name);
  return SUCCEEDED(file->Save(path.c_str(), FALSE));
}

}  // namespace quorvandel
