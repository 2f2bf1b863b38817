// The Windows implementations of the platform services, against the real
// Win32 functions (under Wine in CI).
#include <windows.h>
#include <objbase.h>
#include <sddl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/files/config_folder.h"
#include "platform/files/executable_path.h"
#include "platform/files/file_access.h"
#include "platform/files/file_replace.h"
#include "platform/files/path_text.h"
#include "platform/named_semaphore.h"
#include "platform/named_semaphore_locks.h"
#include "platform/run_entry.h"
#include "platform/windows/posted_input_language.h"
#include "platform/windows/registry_login_entry.h"
#include "platform/windows/registry_run_entry.h"
#include "platform/windows/registry_shell_folders.h"
#include "platform/windows/shell_link_launcher.h"
#include "platform/windows/wide_text.h"
#include "platform_test_support.h"

namespace quorvandel {
namespace {

using testing::Scratch_folder;
using testing::Text_of;
namespace fs = std::filesystem;

constexpr const wchar_t* run_key = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const wchar_t* shell_folders_key = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// A registry key of the tests, removed with everything below it.
class Scratch_key {
 public:
  explicit Scratch_key(const std::wstring& name) : path_(L"Software\\QuorvandelTests\\" + name) {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    EXPECT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr),
              ERROR_SUCCESS);
  }
  ~Scratch_key() {
    ::RegCloseKey(key_);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
  }
  Scratch_key(const Scratch_key&) = delete;
  Scratch_key& operator=(const Scratch_key&) = delete;
  HKEY get() const { return key_; }

 private:
  std::wstring path_;
  HKEY key_ = nullptr;
};

// The string value, or "<none>" when it is missing.
std::wstring Value_of(HKEY root, const wchar_t* key, const wchar_t* name) {
  wchar_t buffer[2048];
  DWORD size = sizeof buffer;
  if (::RegGetValueW(root, key, name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS) return L"<none>";
  return buffer;
}

// ---- Single-instance semaphores ---------------------------------------------

TEST(WindowsSemaphore, ExistsOnlyWhileAHandleIsOpen) {
  Semaphore_handle first;
  EXPECT_FALSE(Semaphore_exists("QuorvandelTestSemaphore", first));
  EXPECT_TRUE(first.Holds());
  Semaphore_handle second;
  EXPECT_TRUE(Semaphore_exists("QuorvandelTestSemaphore", second));
  EXPECT_FALSE(second.Holds());  // the refused copy keeps nothing open
  Close_semaphore(first);
  Semaphore_handle third;
  EXPECT_FALSE(Semaphore_exists("QuorvandelTestSemaphore", third));
  EXPECT_TRUE(third.Holds());
}

TEST(WindowsSemaphore, TheProgramsSemaphoresHaveTheirNamesAndACountOfNoneOutOfOne) {
  for (const std::string_view name : {exe_semaphore_name, msg_semaphore_name}) {
    Semaphore_handle held;
    ASSERT_FALSE(Semaphore_exists(name, held));
    HANDLE opened = ::OpenSemaphoreA(SEMAPHORE_MODIFY_STATE, FALSE, std::string(name).c_str());
    ASSERT_NE(opened, nullptr) << name;
    EXPECT_TRUE(::ReleaseSemaphore(opened, 1, nullptr)) << "initial count 0";
    EXPECT_FALSE(::ReleaseSemaphore(opened, 1, nullptr)) << "maximum count 1";
    ::CloseHandle(opened);
  }
  EXPECT_EQ(exe_semaphore_name, "QuorvandelExeSemaphore");
  EXPECT_EQ(msg_semaphore_name, "QuorvandelMsgSemaphore");
}

TEST(WindowsSemaphore, TheInstanceLocksHoldUntilReleased) {
  Named_semaphore_locks running;
  Named_semaphore_locks second;
  EXPECT_FALSE(running.Held_elsewhere(exe_semaphore_name));
  EXPECT_TRUE(second.Held_elsewhere(exe_semaphore_name));
  running.Release(exe_semaphore_name);
  EXPECT_FALSE(second.Held_elsewhere(exe_semaphore_name));
}

// ---- Run entry ----------------------------------------------------------------

TEST(WindowsRunEntry, WritesAndDeletesTheValueUnderTheMachineRoot) {
  Scratch_key machine(L"machine");
  Scratch_key user(L"user");
  ASSERT_TRUE(windows::Set_run_entry_in(machine.get(), user.get(), L"Quorvandel", L"C:\\Apps\\q.exe", false, true));
  EXPECT_EQ(Value_of(machine.get(), run_key, L"Quorvandel"), L"C:\\Apps\\q.exe");
  EXPECT_EQ(Value_of(user.get(), run_key, L"Quorvandel"), L"<none>");
  // Written again, the value is replaced.
  ASSERT_TRUE(windows::Set_run_entry_in(machine.get(), user.get(), L"Quorvandel", L"D:\\q.exe", false, true));
  EXPECT_EQ(Value_of(machine.get(), run_key, L"Quorvandel"), L"D:\\q.exe");
  ASSERT_TRUE(windows::Set_run_entry_in(machine.get(), user.get(), L"Quorvandel", L"", false, false));
  EXPECT_EQ(Value_of(machine.get(), run_key, L"Quorvandel"), L"<none>");
  // Deleting what is not there succeeds.
  EXPECT_TRUE(windows::Set_run_entry_in(machine.get(), user.get(), L"Quorvandel", L"", false, false));
}

TEST(WindowsRunEntry, RunOnceGoesToItsOwnKey) {
  Scratch_key machine(L"machine");
  Scratch_key user(L"user");
  ASSERT_TRUE(windows::Set_run_entry_in(machine.get(), user.get(), L"Quorvandel", L"C:\\q.exe", true, true));
  EXPECT_EQ(Value_of(machine.get(), L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", L"Quorvandel"),
            L"C:\\q.exe");
  EXPECT_EQ(Value_of(machine.get(), run_key, L"Quorvandel"), L"<none>");
}

// Sets a key's access list from its SDDL text.
bool Set_key_access(HKEY root, const std::wstring& path, const wchar_t* sddl) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(root, path.c_str(), 0, WRITE_DAC, &key) != ERROR_SUCCESS) return false;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  bool set = ::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor, nullptr) &&
             ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
  if (descriptor) ::LocalFree(descriptor);
  ::RegCloseKey(key);
  return set;
}

TEST(WindowsRunEntry, ARefusedMachineKeyFallsBackToTheUsersKey) {
  Scratch_key machine(L"machine");
  Scratch_key user(L"user");
  // A Run key that everyone may only read stands for the machine-wide key
  // as a user without administrator rights sees it.
  const std::wstring machine_run = std::wstring(L"Software\\QuorvandelTests\\machine\\") + run_key;
  HKEY created = nullptr;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, machine_run.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created,
                              nullptr),
            ERROR_SUCCESS);
  ::RegCloseKey(created);
  ASSERT_TRUE(Set_key_access(HKEY_CURRENT_USER, machine_run, L"D:P(A;;KR;;;WD)"));
  HKEY probe = nullptr;
  const LSTATUS refused = ::RegOpenKeyExW(machine.get(), run_key, 0, KEY_SET_VALUE, &probe);
  if (refused == ERROR_SUCCESS) {
    ::RegCloseKey(probe);
    Set_key_access(HKEY_CURRENT_USER, machine_run, L"D:(A;;KA;;;WD)");
    GTEST_SKIP() << "this system does not enforce registry access lists";
  }
  EXPECT_TRUE(windows::Set_run_entry_in(machine.get(), user.get(), L"Quorvandel", L"C:\\q.exe", false, true));
  EXPECT_EQ(Value_of(user.get(), run_key, L"Quorvandel"), L"C:\\q.exe");
  EXPECT_EQ(Value_of(machine.get(), run_key, L"Quorvandel"), L"<none>");
  EXPECT_TRUE(windows::Set_run_entry_in(machine.get(), user.get(), L"Quorvandel", L"", false, false));
  EXPECT_EQ(Value_of(user.get(), run_key, L"Quorvandel"), L"<none>");
  ASSERT_TRUE(Set_key_access(HKEY_CURRENT_USER, machine_run, L"D:(A;;KA;;;WD)"));
}

TEST(WindowsRunEntry, LaunchOnStartupWritesThisExecutableUnderTheMachineWideKey) {
  ASSERT_TRUE(Launch_on_windows_startup(true));
  EXPECT_EQ(windows::Utf8_from_wide(Value_of(HKEY_LOCAL_MACHINE, run_key, L"Quorvandel")), Executable_path());
  ASSERT_TRUE(Launch_on_windows_startup(false));
  EXPECT_EQ(Value_of(HKEY_LOCAL_MACHINE, run_key, L"Quorvandel"), L"<none>");
  EXPECT_EQ(Value_of(HKEY_CURRENT_USER, run_key, L"Quorvandel"), L"<none>");
}

TEST(WindowsRunEntry, TheLoginEntryServiceWritesTheGivenExecutable) {
  Registry_login_entry entry("C:\\Program Files\\Quorvandel\\quorvandel.exe");
  ASSERT_TRUE(entry.Set_launch_at_login(true));
  EXPECT_EQ(Value_of(HKEY_LOCAL_MACHINE, run_key, L"Quorvandel"), L"C:\\Program Files\\Quorvandel\\quorvandel.exe");
  ASSERT_TRUE(entry.Set_launch_at_login(false));
  EXPECT_EQ(Value_of(HKEY_LOCAL_MACHINE, run_key, L"Quorvandel"), L"<none>");
}

// ---- Shell folders and the shortcut ---------------------------------------------

TEST(WindowsShellFolders, ComeFromTheUsersShellFoldersKey) {
  Scratch_folder scratch;
  const std::wstring saved_desktop = Value_of(HKEY_CURRENT_USER, shell_folders_key, L"Desktop");
  const std::wstring saved_templates = Value_of(HKEY_CURRENT_USER, shell_folders_key, L"Templates");
  HKEY key = nullptr;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, shell_folders_key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const std::wstring desktop = scratch.path().wstring() + L"\\\x05e9\x05d5\x05dc\x05d7\x05df";  // a Hebrew name
  ::RegSetValueExW(key, L"Desktop", 0, REG_SZ, reinterpret_cast<const BYTE*>(desktop.c_str()),
                   static_cast<DWORD>((desktop.size() + 1) * sizeof(wchar_t)));
  ::RegDeleteValueW(key, L"Templates");

  const Registry_shell_folders folders;
  EXPECT_EQ(folders.Folder_at(desktop_location), windows::Utf8_from_wide(desktop));
  EXPECT_EQ(folders.Folder_at(templates_location), "");  // a missing value is an empty folder
  EXPECT_EQ(folders.Folder_at(0), "");
  EXPECT_EQ(folders.Folder_at(12), "");

  auto restore = [key](const wchar_t* name, const std::wstring& value) {
    if (value == L"<none>") {
      ::RegDeleteValueW(key, name);
    } else {
      ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
  };
  restore(L"Desktop", saved_desktop);
  restore(L"Templates", saved_templates);
  ::RegCloseKey(key);
}

struct Link_contents {
  std::string path, arguments, working_folder;
};

Link_contents Read_link(const fs::path& file) {
  Link_contents contents;
  IShellLinkA* link = nullptr;
  IPersistFile* persist = nullptr;
  EXPECT_TRUE(SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                           reinterpret_cast<void**>(&link))));
  if (!link) return contents;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) &&
      SUCCEEDED(persist->Load(file.wstring().c_str(), STGM_READ))) {
    char buffer[MAX_PATH * 4] = {};
    link->GetPath(buffer, sizeof buffer, nullptr, SLGP_RAWPATH);
    contents.path = buffer;
    link->GetArguments(buffer, sizeof buffer);
    contents.arguments = buffer;
    link->GetWorkingDirectory(buffer, sizeof buffer);
    contents.working_folder = buffer;
  }
  if (persist) persist->Release();
  link->Release();
  return contents;
}

TEST(WindowsShortcut, IsAShellLinkInTheChosenFolder) {
  ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  Scratch_folder scratch;
  const std::string target = "C:\\windows\\notepad.exe";
  Shell_link_launcher launcher;
  ASSERT_TRUE(launcher.Create({target, {"a b.txt", "plain"}, "C:\\windows\\", "Quorvandel 1.0.0.lnk", {}},
                              scratch.path().string()));
  const fs::path link = scratch.path() / "Quorvandel 1.0.0.lnk";
  ASSERT_TRUE(fs::exists(link));
  const Link_contents contents = Read_link(link);
  EXPECT_EQ(contents.path, target);
  EXPECT_EQ(contents.arguments, "\"a b.txt\" plain");
  EXPECT_EQ(contents.working_folder, "C:\\windows\\");
  ::CoUninitialize();
}

TEST(WindowsShortcut, NothingIsMadeWithoutAKnownFolder) {
  Scratch_folder scratch;
  Shell_link_launcher launcher;
  EXPECT_FALSE(launcher.Create({"C:\\q.exe", {}, "C:\\", "Quorvandel 1.0.0.lnk", {}}, ""));
  EXPECT_FALSE(launcher.Create({"C:\\q.exe", {}, "C:\\", "..\\escape.lnk", {}}, scratch.path().string()));
  EXPECT_TRUE(testing::Names_in(scratch.path()).empty());
}

// ---- Files, the executable, the input language ----------------------------------

TEST(WindowsFileReplace, ReplacesWholeAndLeavesNoTemporaryFile) {
  Scratch_folder scratch;
  const fs::path file = scratch.path() / Path_from_utf8("\xd7\x94\xd7\x92\xd7\x93\xd7\xa8\xd7\x95\xd7\xaa.ini");
  ASSERT_TRUE(Replace_file_contents(file, "first"));  // a new file
  ASSERT_TRUE(Replace_file_contents(file, "second, longer"));
  EXPECT_EQ(Text_of(file), "second, longer");
  EXPECT_EQ(scratch.Names().size(), 1u);
}

TEST(WindowsFileReplace, ARefusedReplacementLeavesTheOldFile) {
  Scratch_folder scratch;
  const fs::path file = scratch.path() / "settings.ini";
  testing::Write_text(file, "old");
  ::SetFileAttributesW(file.wstring().c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(Replace_file_contents(file, "new"));
  EXPECT_EQ(Text_of(file), "old");
  ::SetFileAttributesW(file.wstring().c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_FALSE(Replace_file_contents(scratch.path() / "missing" / "x.ini", "new"));
  EXPECT_EQ(scratch.Names(), std::vector<std::string>{"settings.ini"});
}

TEST(WindowsFileAccess, ReadOnlyFilesAreNotWritableAndMissingOnesAre) {
  Scratch_folder scratch;
  const fs::path file = scratch.path() / "settings.ini";
  EXPECT_TRUE(Existing_file_writable(file.string()));
  EXPECT_EQ(Read_whole_file(file.string()), "");  // a missing file reads as empty
  testing::Write_text(file, "a\r\nb\n");
  EXPECT_EQ(Read_whole_file(file.string()), "a\r\nb\n");  // bytes as they are
  ::SetFileAttributesW(file.wstring().c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(Existing_file_writable(file.string()));
  ::SetFileAttributesW(file.wstring().c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_TRUE(Folder_writable(scratch.path().string()));
  EXPECT_FALSE(Folder_writable((scratch.path() / "missing").string()));
  EXPECT_EQ(scratch.Names(), std::vector<std::string>{"settings.ini"});  // the probe is gone
}

TEST(WindowsExecutablePath, IsThisTestProgram) {
  const fs::path path = Path_from_utf8(Executable_path());
  EXPECT_TRUE(path.is_absolute());
  EXPECT_EQ(path.filename(), "platform_tests.exe");
  EXPECT_TRUE(fs::exists(path));
}

TEST(WindowsInputLanguage, PostsTheRequestWithTheLayout) {
  HWND window = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  for (const std::uint32_t layout : {hebrew_layout, us_english_layout}) {
    ASSERT_TRUE(windows::Post_input_language_request(window, layout));
    MSG message{};
    ASSERT_TRUE(::PeekMessageW(&message, window, WM_INPUTLANGCHANGEREQUEST, WM_INPUTLANGCHANGEREQUEST, PM_REMOVE));
    EXPECT_EQ(message.wParam, 5u);
    EXPECT_EQ(static_cast<std::uint32_t>(message.lParam), layout);
  }
  EXPECT_FALSE(windows::Post_input_language_request(nullptr, hebrew_layout));
  ::DestroyWindow(window);
}

TEST(WindowsInputLanguage, TheServiceAsksForTheFocusedWindow) {
  HWND window = ::CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                                  nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  ::SetFocus(window);
  if (::GetFocus() != window) {
    ::DestroyWindow(window);
    GTEST_SKIP() << "no window of this thread can have the focus here";
  }
  Posted_input_language language;
  language.Request(us_english_layout);
  MSG message{};
  ASSERT_TRUE(::PeekMessageW(&message, window, WM_INPUTLANGCHANGEREQUEST, WM_INPUTLANGCHANGEREQUEST, PM_REMOVE));
  EXPECT_EQ(message.wParam, 5u);
  EXPECT_EQ(static_cast<std::uint32_t>(message.lParam), us_english_layout);
  ::DestroyWindow(window);
}

TEST(WindowsConfigFolder, IsTheRoamingApplicationDataFolder) {
  const wchar_t* app_data = ::_wgetenv(L"APPDATA");
  ASSERT_NE(app_data, nullptr);
  EXPECT_EQ(Config_folder(User_folders{"/home/u/.config", "/home/u"}), fs::path(app_data));
}

}  // namespace
}  // namespace quorvandel
