// The clipboard on Wayland compositors with a data-control protocol
// (sway, Hyprland, KDE Plasma): every format read and given back,
// whoever has the focus, the owner's changes watched and the fetches of
// this program's data counted.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/clipboard_service.h"
#include "platform/wayland/data_control_protocol.h"
#include "platform/wayland/wayland_connection.h"

struct wl_proxy;

namespace quorvandel {

class Data_control_clipboard : public Clipboard_service {
 public:
  // Nothing where the compositor offers none of the protocols or no seat;
  // the first of them that it offers is used. Takes the manager's global
  // before the connection's reader starts.
  static std::unique_ptr<Data_control_clipboard> Create(
      Wayland_connection& connection,
      const std::vector<const Data_control_protocol*>& protocols = {data_control_protocols.begin(),
                                                                      data_control_protocols.end()});
  ~Data_control_clipboard() override;

  std::optional<Clipboard_contents> Read_all(std::size_t max_bytes) override;
  bool Write_all(const Clipboard_contents& contents) override;
  std::optional<std::string> Read_text() override;
  bool Write_text(const std::string& text, bool transient) override;
  std::optional<std::string> Read_primary_text() override { return std::nullopt; }
  std::uint64_t Change_count() override { return change_count_; }
  std::uint64_t Fetch_count() override { return fetch_count_; }
  void Set_changed_handler(std::function<void()> handler) override;

  // The compositor's events, on the connection's reader with its lock held.
  void Offer_introduced(wl_proxy* offer);
  void Type_offered(wl_proxy* offer, const char* mime_type);
  void Selection_changed(wl_proxy* offer);
  void Primary_selection_changed(wl_proxy* offer);
  void Device_finished();
  void Data_requested(wl_proxy* source, const char* mime_type, int fd);
  void Source_cancelled(wl_proxy* source);

 private:
  Data_control_clipboard(Wayland_connection& connection, const Data_control_protocol& protocol, wl_proxy* manager);
  // What the clipboard holds now, as far as the compositor told: our own
  // contents while we own it, else the offer's types.
  struct Snapshot {
    bool owned = false;
    Clipboard_contents contents;            // when owned
    wl_proxy* offer = nullptr;  // when another program owns it
    std::vector<std::string> types;
  };
  std::optional<Snapshot> Look();
  // The offer's data in that type; nothing when the owner does not answer
  // or sends more than `max_bytes`.
  std::optional<std::string> Receive(wl_proxy* offer, const std::string& type,
                                     std::size_t max_bytes);
  void Tell_changed();

  Wayland_connection& connection_;
  const Data_control_protocol& protocol_;
  wl_proxy* manager_ = nullptr;
  wl_proxy* device_ = nullptr;
  // Guarded by the connection's lock:
  std::map<wl_proxy*, std::vector<std::string>> introduced_;
  wl_proxy* selection_ = nullptr;
  std::vector<std::string> selection_types_;
  std::map<wl_proxy*, Clipboard_contents> sources_;  // ours, until cancelled
  wl_proxy* owned_ = nullptr;  // the one the clipboard holds
  int echoes_expected_ = 0;  // selection events of our own writes, not counted as changes

  std::atomic<std::uint64_t> change_count_{0};
  std::atomic<std::uint64_t> fetch_count_{0};
  std::function<void()> changed_handler_;  // user-interface thread only
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace quorvandel
