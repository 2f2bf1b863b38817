// Run_process on Windows: CreateProcessW with three pipes. The input is
// written and standard error read on threads of their own, so that a child
// that fills one pipe while the test waits on another cannot stall them.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <thread>

#include "cli/run_process.h"
#include "platform/windows/wide_text.h"

namespace quorvandel::testing {
namespace {

// One argument as the C runtime splits a command line.
std::wstring Quoted(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

void Make_pipe(HANDLE& read_end, HANDLE& write_end, bool child_reads) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  if (!::CreatePipe(&read_end, &write_end, &inherit, 0)) std::abort();
  // Only the child's end is inherited.
  ::SetHandleInformation(child_reads ? write_end : read_end, HANDLE_FLAG_INHERIT, 0);
}

std::string Read_all(HANDLE pipe) {
  std::string text;
  char buffer[65536];
  DWORD count = 0;
  while (::ReadFile(pipe, buffer, sizeof buffer, &count, nullptr) && count > 0) text.append(buffer, count);
  return text;
}

}  // namespace

Process_result Run_process(const std::vector<std::string>& arguments, const std::string& input) {
  std::wstring command_line;
  for (const std::string& argument : arguments) {
    if (!command_line.empty()) command_line += L' ';
    command_line += Quoted(windows::Wide_from_utf8(argument));
  }
  HANDLE in_read, in_write, out_read, out_write, err_read, err_write;
  Make_pipe(in_read, in_write, true);
  Make_pipe(out_read, out_write, false);
  Make_pipe(err_read, err_write, false);

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in_read;
  startup.hStdOutput = out_write;
  startup.hStdError = err_write;
  PROCESS_INFORMATION process{};
  const bool started = ::CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                        &startup, &process);
  ::CloseHandle(in_read);
  ::CloseHandle(out_write);
  ::CloseHandle(err_write);
  Process_result result;
  if (!started) {
    ::CloseHandle(in_write);
    ::CloseHandle(out_read);
    ::CloseHandle(err_read);
    result.exit_status = 127;
    return result;
  }
  std::thread writer([&] {
    std::string_view rest = input;
    DWORD count = 0;
    while (!rest.empty() && ::WriteFile(in_write, rest.data(), static_cast<DWORD>(rest.size()), &count, nullptr)) {
      rest.remove_prefix(count);
    }
    ::CloseHandle(in_write);
  });
  std::thread error_reader([&] { result.err = Read_all(err_read); });
  result.out = Read_all(out_read);
  error_reader.join();
  writer.join();
  ::CloseHandle(out_read);
  ::CloseHandle(err_read);
  ::WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 0;
  ::GetExitCodeProcess(process.hProcess, &status);
  result.exit_status = static_cast<int>(status);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return result;
}

}  // namespace quorvandel::testing
