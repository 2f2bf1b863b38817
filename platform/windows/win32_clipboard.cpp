#include "platform/windows/win32_clipboard.h"

#include <windows.h>

#include <cstring>

#include "platform/windows/wide_text.h"

namespace quorvandel {

namespace {

constexpr std::string_view text_mime = "text/plain;charset=utf-8";
constexpr std::string_view id_prefix = "application/x-windows-clipboard;id=";
constexpr std::string_view name_prefix = "application/x-windows-clipboard;name=";

// Opens the clipboard for the window; another program may hold it for a
// moment, so try a few times.
class Open_clipboard {
 public:
  explicit Open_clipboard(void* window) {
    for (int attempt = 0; attempt < 20 && !open_; ++attempt) {
      open_ = ::OpenClipboard(static_cast<HWND>(window)) != 0;
      if (!open_) ::Sleep(10);
    }
  }
  ~Open_clipboard() {
    if (open_) ::CloseClipboard();
  }
  Open_clipboard(const Open_clipboard&) = delete;
  Open_clipboard& operator=(const Open_clipboard&) = delete;
  bool open() const { return open_; }

 private:
  bool open_ = false;
};

// Formats whose data is a GDI or other handle, not a memory block. The
// bitmap and text formats the system makes from others (CF_BITMAP from
// CF_DIB, CF_TEXT from CF_UNICODETEXT) come back with those; the enhanced
// metafile is kept as its bits.
bool Is_handle_format(UINT format) {
  switch (format) {
    case CF_BITMAP:
    case CF_METAFILEPICT:
    case CF_PALETTE:
    case CF_OWNERDISPLAY:
    case CF_DSPBITMAP:
    case CF_DSPMETAFILEPICT:
    case CF_DSPENHMETAFILE:
      return true;
    default:
      return false;
  }
}

std::string Mime_of(UINT format) {
  if (format == CF_UNICODETEXT) return std::string(text_mime);
  wchar_t name[256] = {};
  if (format >= 0xC000 && ::GetClipboardFormatNameW(format, name, 256) > 0) {
    return std::string(name_prefix) + windows::Utf8_from_wide(name);
  }
  return std::string(id_prefix) + std::to_string(format);
}

UINT Format_of(const std::string& mime) {
  if (mime == text_mime) return CF_UNICODETEXT;
  if (mime.starts_with(name_prefix)) {
    return ::RegisterClipboardFormatW(windows::Wide_from_utf8(mime.substr(name_prefix.size())).c_str());
  }
  if (mime.starts_with(id_prefix)) {
    try {
      return static_cast<UINT>(std::stoul(mime.substr(id_prefix.size())));
    } catch (...) {
      return 0;
    }
  }
  return 0;
}

HGLOBAL Global_copy(const void* data, std::size_t size) {
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size == 0 ? 1 : size);
  if (!memory) return nullptr;
  void* target = ::GlobalLock(memory);
  if (!target) {
    ::GlobalFree(memory);
    return nullptr;
  }
  if (size > 0) std::memcpy(target, data, size);
  ::GlobalUnlock(memory);
  return memory;
}

// Hands a memory block to the clipboard, which owns it from then on.
bool Set_data(UINT format, const void* data, std::size_t size) {
  if (format == CF_ENHMETAFILE) {
    HENHMETAFILE metafile = ::SetEnhMetaFileBits(static_cast<UINT>(size), static_cast<const BYTE*>(data));
    if (!metafile) return false;
    if (::SetClipboardData(format, metafile)) return true;
    ::DeleteEnhMetaFile(metafile);
    return false;
  }
  HGLOBAL memory = Global_copy(data, size);
  if (!memory) return false;
  if (::SetClipboardData(format, memory)) return true;
  ::GlobalFree(memory);
  return false;
}

std::optional<std::string> Data_of(UINT format) {
  HANDLE handle = ::GetClipboardData(format);
  if (!handle) return std::nullopt;
  if (format == CF_ENHMETAFILE) {
    const auto metafile = static_cast<HENHMETAFILE>(handle);
    const UINT size = ::GetEnhMetaFileBits(metafile, 0, nullptr);
    std::string bits(size, '\0');
    ::GetEnhMetaFileBits(metafile, size, reinterpret_cast<BYTE*>(bits.data()));
    return bits;
  }
  const void* data = ::GlobalLock(handle);
  if (!data) return std::nullopt;
  std::string bytes(static_cast<const char*>(data), ::GlobalSize(handle));
  ::GlobalUnlock(handle);
  return bytes;
}

// Text up to its terminating NUL.
std::wstring Wide_text_of(const std::string& bytes) {
  std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
  std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
  const std::size_t end = text.find(L'\0');
  if (end != std::wstring::npos) text.resize(end);
  return text;
}

}  // namespace

Win32_clipboard::Win32_clipboard()
    : window_([this](unsigned message, std::uintptr_t wparam, std::intptr_t, std::intptr_t& result) {
        return Handle(message, wparam, result);
      }) {
  if (window_.handle()) ::AddClipboardFormatListener(static_cast<HWND>(window_.handle()));
}

Win32_clipboard::~Win32_clipboard() {
  if (!window_.handle()) return;
  ::RemoveClipboardFormatListener(static_cast<HWND>(window_.handle()));
  // Text still offered stays on the clipboard after the program has gone.
  if (text_pending_ && ::GetClipboardOwner() == static_cast<HWND>(window_.handle())) {
    Open_clipboard clipboard(window_.handle());
    if (clipboard.open()) Render_text();
  }
}

bool Win32_clipboard::Handle(unsigned message, std::uintptr_t wparam, std::intptr_t& result) {
  result = 0;
  switch (message) {
    case WM_RENDERFORMAT:  // another program (or this one) asks for the offered text
      if (wparam == CF_UNICODETEXT && text_pending_) {
        Render_text();
        if (!reading_) {
          ++fetch_count_;
          if (changed_) changed_();
        }
      }
      return true;
    case WM_RENDERALLFORMATS: {  // the window goes away while it owns the clipboard
      if (::GetClipboardOwner() != static_cast<HWND>(window_.handle())) return true;
      Open_clipboard clipboard(window_.handle());
      if (clipboard.open() && text_pending_) Render_text();
      return true;
    }
    case WM_DESTROYCLIPBOARD:  // someone else emptied the clipboard: the offer is over
      text_pending_ = false;
      pending_text_.clear();
      return true;
    case WM_CLIPBOARDUPDATE:
      if (changed_) changed_();
      return true;
    default:
      return false;
  }
}

// With the clipboard open: puts the offered text there for good.
bool Win32_clipboard::Render_text() {
  text_pending_ = false;
  const bool set = Set_data(CF_UNICODETEXT, pending_text_.c_str(), (pending_text_.size() + 1) * sizeof(wchar_t));
  pending_text_.clear();
  return set;
}

// Marks the reads of this program for the rendering of its own text.
class Reading {
 public:
  explicit Reading(bool& flag) : flag_(flag) { flag_ = true; }
  ~Reading() { flag_ = false; }
  Reading(const Reading&) = delete;
  Reading& operator=(const Reading&) = delete;

 private:
  bool& flag_;
};

std::optional<Clipboard_contents> Win32_clipboard::Read_all(std::size_t max_bytes) {
  const Reading reading(reading_);
  Open_clipboard clipboard(window_.handle());
  if (!clipboard.open()) return std::nullopt;
  Clipboard_contents contents;
  std::size_t total = 0;
  for (UINT format = ::EnumClipboardFormats(0); format != 0; format = ::EnumClipboardFormats(format)) {
    if (Is_handle_format(format)) continue;
    std::optional<std::string> data = Data_of(format);
    if (!data) continue;
    total += data->size();
    if (total > max_bytes) return std::nullopt;
    contents.push_back({Mime_of(format), std::move(*data)});
  }
  return contents;
}

bool Win32_clipboard::Write_all(const Clipboard_contents& contents) {
  Open_clipboard clipboard(window_.handle());
  if (!clipboard.open() || !::EmptyClipboard()) return false;
  text_pending_ = false;
  bool all_set = true;
  for (const Clipboard_format& format : contents) {
    const UINT id = Format_of(format.mime_type);
    if (id == 0 || Is_handle_format(id)) {
      all_set = false;
      continue;
    }
    all_set = Set_data(id, format.data.data(), format.data.size()) && all_set;
  }
  return all_set;
}

std::optional<std::string> Win32_clipboard::Read_text() {
  const Reading reading(reading_);
  Open_clipboard clipboard(window_.handle());
  if (!clipboard.open() || !::IsClipboardFormatAvailable(CF_UNICODETEXT)) return std::nullopt;
  const std::optional<std::string> data = Data_of(CF_UNICODETEXT);
  if (!data) return std::nullopt;
  return windows::Utf8_from_wide(Wide_text_of(*data));
}

bool Win32_clipboard::Write_text(const std::string& text, bool transient) {
  Open_clipboard clipboard(window_.handle());
  if (!clipboard.open() || !::EmptyClipboard()) return false;
  pending_text_ = windows::Wide_from_utf8(text);
  text_pending_ = true;
  ::SetClipboardData(CF_UNICODETEXT, nullptr);  // rendered when someone asks
  if (transient) {
    // Clipboard history and monitors leave such text out.
    const DWORD no = 0;
    Set_data(::RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing"), &no, sizeof no);
    Set_data(::RegisterClipboardFormatW(L"CanIncludeInClipboardHistory"), &no, sizeof no);
    Set_data(::RegisterClipboardFormatW(L"CanUploadToCloudClipboard"), &no, sizeof no);
  }
  return true;
}

std::uint64_t Win32_clipboard::Change_count() { return ::GetClipboardSequenceNumber(); }

}  // namespace quorvandel
