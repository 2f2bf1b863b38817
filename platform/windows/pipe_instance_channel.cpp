#include "platform/windows/pipe_instance_channel.h"

#include <windows.h>

#include <atomic>
#include <deque>
#include <list>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/instance_message_frame.h"
#include "platform/windows/message_window.h"
#include "platform/windows/wide_text.h"

namespace quorvandel {
namespace {

using Message = Pipe_instance_channel::Message;

constexpr UINT message_arrived = WM_APP + 1;
constexpr DWORD pipe_buffer_size = 4096;
constexpr ULONGLONG no_deadline = ~0ULL;

// A handle closed when it goes.
class Handle {
 public:
  explicit Handle(HANDLE handle = nullptr) : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
  ~Handle() {
    if (handle_) ::CloseHandle(handle_);
  }
  Handle(Handle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  Handle& operator=(Handle&& other) noexcept {
    std::swap(handle_, other.handle_);
    return *this;
  }
  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  HANDLE handle_;
};

Handle New_event() { return Handle(::CreateEventW(nullptr, TRUE, FALSE, nullptr)); }

// Milliseconds left until the deadline (of GetTickCount64), zero once past.
DWORD Remaining_ms(ULONGLONG deadline) {
  if (deadline == no_deadline) return INFINITE;
  const ULONGLONG now = ::GetTickCount64();
  return now < deadline ? static_cast<DWORD>(deadline - now) : 0;
}

// Waits for the overlapped operation just begun on `file` (`begun`: what the
// call that began it returned) until it ends, the deadline passes or `stop`
// (when there is one) is set; cancels it in the last two cases. True when it
// ended well, with the bytes it moved.
bool Finish(HANDLE file, OVERLAPPED& operation, BOOL begun, HANDLE stop, ULONGLONG deadline, DWORD& moved) {
  moved = 0;
  if (!begun && ::GetLastError() != ERROR_IO_PENDING) return false;
  const HANDLE events[] = {operation.hEvent, stop};
  const DWORD waited = ::WaitForMultipleObjects(stop ? 2 : 1, events, FALSE, Remaining_ms(deadline));
  if (waited != WAIT_OBJECT_0) ::CancelIoEx(file, &operation);
  // After a cancel this waits for the operation's end, so that it no longer
  // writes into `operation`.
  const BOOL ended_well = ::GetOverlappedResult(file, &operation, &moved, TRUE);
  return ended_well && waited == WAIT_OBJECT_0;
}

bool Read(HANDLE file, HANDLE event, void* buffer, DWORD size, HANDLE stop, ULONGLONG deadline, DWORD& moved) {
  OVERLAPPED operation{};
  operation.hEvent = event;
  return Finish(file, operation, ::ReadFile(file, buffer, size, nullptr, &operation), stop, deadline, moved);
}

bool Write(HANDLE file, HANDLE event, const void* bytes, DWORD size, HANDLE stop, ULONGLONG deadline, DWORD& moved) {
  OVERLAPPED operation{};
  operation.hEvent = event;
  return Finish(file, operation, ::WriteFile(file, bytes, size, nullptr, &operation), stop, deadline, moved);
}

// The security of a pipe that only this process's user may open: without
// it, every user could open the pipe for reading.
class User_only_security {
 public:
  User_only_security() {
    HANDLE token_handle = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token_handle)) return;
    const Handle token(token_handle);
    DWORD size = 0;
    ::GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    user_ = std::make_unique<unsigned char[]>(size);
    if (!::GetTokenInformation(token.get(), TokenUser, user_.get(), size, &size)) return;
    const PSID user = reinterpret_cast<TOKEN_USER*>(user_.get())->User.Sid;
    const DWORD acl_size = sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + ::GetLengthSid(user);
    acl_ = std::make_unique<unsigned char[]>(acl_size);
    auto* acl = reinterpret_cast<ACL*>(acl_.get());
    if (!::InitializeAcl(acl, acl_size, ACL_REVISION) || !::AddAccessAllowedAce(acl, ACL_REVISION, GENERIC_ALL, user) ||
        !::InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) ||
        !::SetSecurityDescriptorDacl(&descriptor_, TRUE, acl, FALSE)) {
      return;
    }
    attributes_ = {sizeof attributes_, &descriptor_, FALSE};
    made_ = true;
  }
  User_only_security(const User_only_security&) = delete;
  User_only_security& operator=(const User_only_security&) = delete;

  SECURITY_ATTRIBUTES* attributes() { return made_ ? &attributes_ : nullptr; }

 private:
  std::unique_ptr<unsigned char[]> user_;
  std::unique_ptr<unsigned char[]> acl_;
  SECURITY_DESCRIPTOR descriptor_{};
  SECURITY_ATTRIBUTES attributes_{};
  bool made_ = false;
};

// One more instance of the pipe, to wait for a sender on. The first one
// fails while the name is taken, by this user or another.
Handle New_instance(const std::wstring& path, SECURITY_ATTRIBUTES* security, bool first) {
  const DWORD open_mode = PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | (first ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0);
  const DWORD pipe_mode = PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS;
  return Handle(::CreateNamedPipeW(path.c_str(), open_mode, pipe_mode, PIPE_UNLIMITED_INSTANCES, pipe_buffer_size,
                                   pipe_buffer_size, 0, security));
}

// Whether a pipe of that name exists, this user's or another's. Wine makes
// a first instance even when one exists, so the name is tried first.
bool Taken(const std::wstring& path) {
  const Handle probe(::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  return probe || ::GetLastError() != ERROR_FILE_NOT_FOUND;
}

}  // namespace

class Pipe_instance_channel::Listener {
 public:
  Listener(std::wstring path, int send_timeout_ms, std::function<void(const Message&)> on_message)
      : path_(std::move(path)),
        send_timeout_ms_(send_timeout_ms),
        on_message_(std::move(on_message)),
        stop_(New_event()),
        window_([this](unsigned message, std::uintptr_t, std::intptr_t, std::intptr_t& result) {
          if (message != message_arrived) return false;
          Hand_on_received();
          result = 0;
          return true;
        }) {}

  ~Listener() {
    ::SetEvent(stop_.get());
    if (accepting_.joinable()) accepting_.join();
    for (Connection& connection : connections_) connection.thread.join();
  }

  Listener(const Listener&) = delete;
  Listener& operator=(const Listener&) = delete;

  // False when the name is taken or the means to listen are missing.
  bool Start() {
    if (!stop_ || !window_.handle() || !security_.attributes() || Taken(path_)) return false;
    Handle first = New_instance(path_, security_.attributes(), true);
    if (!first) return false;
    accepting_ = std::thread([this, first = std::move(first)]() mutable { Accept(std::move(first)); });
    return true;
  }

  void Set_handler(std::function<void(const Message&)> on_message) { on_message_ = std::move(on_message); }

 private:
  struct Connection {
    std::thread thread;
    std::atomic<bool> done = false;
  };

  bool Stopping() const { return ::WaitForSingleObject(stop_.get(), 0) == WAIT_OBJECT_0; }

  // The accepting thread: waits on one instance of the pipe at a time, and
  // has another made before it hands a connected one over, so the name
  // stays this copy's.
  void Accept(Handle waiting) {
    const Handle event = New_event();
    while (!Stopping()) {
      OVERLAPPED operation{};
      operation.hEvent = event.get();
      const BOOL begun = ::ConnectNamedPipe(waiting.get(), &operation);
      DWORD unused = 0;
      const bool connected = (!begun && ::GetLastError() == ERROR_PIPE_CONNECTED) ||
                             Finish(waiting.get(), operation, begun, stop_.get(), no_deadline, unused);
      if (Stopping()) return;
      Handle next = New_instance(path_, security_.attributes(), false);
      if (connected) Serve_elsewhere(std::move(waiting));
      // Out of handles or memory for the moment: try again soon.
      while (!next) {
        if (::WaitForSingleObject(stop_.get(), 100) == WAIT_OBJECT_0) return;
        next = New_instance(path_, security_.attributes(), false);
      }
      waiting = std::move(next);
    }
  }

  void Serve_elsewhere(Handle connected) {
    std::lock_guard lock(mutex_);
    connections_.remove_if([](Connection& connection) {
      if (!connection.done) return false;
      connection.thread.join();
      return true;
    });
    Connection& connection = connections_.emplace_back();
    connection.thread = std::thread([this, &connection, pipe = std::move(connected)] {
      Serve(pipe.get());
      connection.done = true;
    });
  }

  // A connection's thread: reads one message, answers that it was taken
  // and posts it to the listening thread. A sender that sends something
  // else, or not all of it in time, is dropped unanswered.
  void Serve(HANDLE pipe) {
    const ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(send_timeout_ms_);
    const Handle event = New_event();
    std::string received;
    Received_instance_message unframed;
    while (unframed.state == Received_instance_message::State::incomplete) {
      char buffer[pipe_buffer_size];
      DWORD count = 0;
      if (!Read(pipe, event.get(), buffer, sizeof buffer, stop_.get(), deadline, count)) return;
      received.append(buffer, count);
      unframed = Unframe_instance_message(received);
    }
    if (unframed.state == Received_instance_message::State::malformed) return;
    DWORD count = 0;
    // Only a sender told that its message was taken stops sending it.
    if (!Write(pipe, event.get(), &instance_message_taken, 1, stop_.get(), deadline, count) || count != 1) return;
    {
      std::lock_guard lock(mutex_);
      received_.push_back(std::move(unframed.message));
    }
    ::PostMessageW(static_cast<HWND>(window_.handle()), message_arrived, 0, 0);
    // The sender closes its end once it has read the answer; closing this
    // end first could take the answer away unread.
    char rest = 0;
    while (Read(pipe, event.get(), &rest, 1, stop_.get(), deadline, count)) {
    }
  }

  // The listening thread, from its message loop.
  void Hand_on_received() {
    std::deque<Message> messages;
    {
      std::lock_guard lock(mutex_);
      messages.swap(received_);
    }
    for (const Message& message : messages) {
      if (on_message_) on_message_(message);
    }
  }

  const std::wstring path_;
  const int send_timeout_ms_;
  std::function<void(const Message&)> on_message_;  // used on the listening thread only
  const Handle stop_;                               // set when the listener goes
  User_only_security security_;
  windows::Message_window window_;
  std::mutex mutex_;  // guards what follows
  std::deque<Message> received_;
  std::list<Connection> connections_;
  std::thread accepting_;
};

Pipe_instance_channel::Pipe_instance_channel(std::string pipe_name, int send_timeout_ms)
    : pipe_path_(L"\\\\.\\pipe\\" + windows::Wide_from_utf8(pipe_name)), send_timeout_ms_(send_timeout_ms) {}

Pipe_instance_channel::~Pipe_instance_channel() = default;

bool Pipe_instance_channel::Listen(std::function<void(const Message& message)> on_message) {
  if (listener_) {
    listener_->Set_handler(std::move(on_message));
    return true;
  }
  auto listener = std::make_unique<Listener>(pipe_path_, send_timeout_ms_, std::move(on_message));
  if (!listener->Start()) return false;
  listener_ = std::move(listener);
  return true;
}

bool Pipe_instance_channel::Send(const Message& message) {
  const std::string frame = Frame_instance_message(message);
  if (frame.empty()) return false;
  const ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(send_timeout_ms_);
  Handle pipe;
  for (;;) {
    // Identification only: the running copy may not act as this user.
    pipe = Handle(::CreateFileW(pipe_path_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_FLAG_OVERLAPPED | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr));
    if (pipe) break;
    // No copy listens (the pipe is not found) unless every instance is
    // busy with other senders: then one is waited for.
    if (::GetLastError() != ERROR_PIPE_BUSY) return false;
    const DWORD left = Remaining_ms(deadline);
    if (left == 0) return false;
    ::WaitNamedPipeW(pipe_path_.c_str(), left);
  }
  const Handle event = New_event();
  if (!event) return false;
  for (std::size_t sent = 0; sent < frame.size();) {
    DWORD count = 0;
    if (!Write(pipe.get(), event.get(), frame.data() + sent, static_cast<DWORD>(frame.size() - sent), nullptr,
               deadline, count)) {
      return false;
    }
    sent += count;
  }
  char answer = 0;
  DWORD count = 0;
  return Read(pipe.get(), event.get(), &answer, 1, nullptr, deadline, count) && count == 1 &&
         answer == instance_message_taken;
}

}  // namespace quorvandel
