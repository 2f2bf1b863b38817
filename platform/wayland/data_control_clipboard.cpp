#include "platform/wayland/data_control_clipboard.h"

#include <fcntl.h>
#include <unistd.h>
#include <wayland-client.h>

#include <algorithm>
#include <memory>
#include <mutex>

#include "platform/wayland/clipboard_transfer.h"

namespace quorvandel {

std::unique_ptr<Data_control_clipboard> Data_control_clipboard::Create(
    Wayland_connection& connection, const std::vector<const Data_control_protocol*>& protocols) {
  if (!connection.seat()) return nullptr;
  for (const Data_control_protocol* protocol : protocols) {
    // Version 1 of either: the primary selection is not this clipboard's.
    if (auto* manager = static_cast<wl_proxy*>(connection.Bind(protocol->manager_interface, 1)))
      return std::unique_ptr<Data_control_clipboard>(new Data_control_clipboard(connection, *protocol, manager));
  }
  return nullptr;
}

Data_control_clipboard::Data_control_clipboard(Wayland_connection& connection, const Data_control_protocol& protocol,
                                               wl_proxy* manager)
    : connection_(connection), protocol_(protocol), manager_(manager) {
  device_ = protocol_.get_data_device(manager_, connection_.seat());
  protocol_.listen_to_device(device_, this);
}

Data_control_clipboard::~Data_control_clipboard() {
  std::lock_guard<std::mutex> hold(connection_.lock());
  *alive_ = false;
  for (auto& [offer, types] : introduced_) protocol_.destroy_offer(offer);
  if (selection_) protocol_.destroy_offer(selection_);
  for (auto& [source, contents] : sources_) protocol_.destroy_source(source);
  if (device_) protocol_.destroy_device(device_);
  protocol_.destroy_manager(manager_);
  connection_.Flush();
}

void Data_control_clipboard::Set_changed_handler(std::function<void()> handler) {
  changed_handler_ = std::move(handler);
}

void Data_control_clipboard::Tell_changed() {
  Wayland_connection::Post([this, alive = alive_] {
    if (*alive && changed_handler_) changed_handler_();
  });
}

void Data_control_clipboard::Offer_introduced(wl_proxy* offer) {
  introduced_[offer];
  protocol_.listen_to_offer(offer, this);
}

void Data_control_clipboard::Type_offered(wl_proxy* offer, const char* mime_type) {
  const auto found = introduced_.find(offer);
  if (found != introduced_.end()) found->second.emplace_back(mime_type);
}

void Data_control_clipboard::Selection_changed(wl_proxy* offer) {
  if (selection_ && selection_ != offer) protocol_.destroy_offer(selection_);
  selection_ = offer;
  selection_types_.clear();
  if (const auto found = introduced_.find(offer); found != introduced_.end()) {
    selection_types_ = std::move(found->second);
    introduced_.erase(found);
  }
  if (echoes_expected_ > 0) {
    --echoes_expected_;
    return;
  }
  ++change_count_;
  Tell_changed();
}

void Data_control_clipboard::Primary_selection_changed(wl_proxy* offer) {
  if (!offer) return;
  introduced_.erase(offer);
  protocol_.destroy_offer(offer);
}

void Data_control_clipboard::Device_finished() {
  protocol_.destroy_device(device_);
  device_ = nullptr;
}

void Data_control_clipboard::Data_requested(wl_proxy* source, const char* mime_type, int fd) {
  const auto found = sources_.find(source);
  if (found != sources_.end()) {
    for (const Clipboard_format& format : found->second) {
      if (format.mime_type == mime_type) {
        Write_to_reader(fd, format.data);
        break;
      }
    }
    ++fetch_count_;
    Tell_changed();
  }
  close(fd);
}

void Data_control_clipboard::Source_cancelled(wl_proxy* source) {
  sources_.erase(source);
  protocol_.destroy_source(source);
  if (owned_ == source) owned_ = nullptr;
}

std::optional<Data_control_clipboard::Snapshot> Data_control_clipboard::Look() {
  if (!connection_.Sync()) return std::nullopt;
  std::lock_guard<std::mutex> hold(connection_.lock());
  if (!device_) return std::nullopt;
  Snapshot snapshot;
  if (owned_) {
    snapshot.owned = true;
    snapshot.contents = sources_[owned_];
  } else {
    snapshot.offer = selection_;
    snapshot.types = selection_types_;
  }
  return snapshot;
}

std::optional<std::string> Data_control_clipboard::Receive(wl_proxy* offer, const std::string& type,
                                                           std::size_t max_bytes) {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) return std::nullopt;
  {
    std::lock_guard<std::mutex> hold(connection_.lock());
    if (offer != selection_) {  // replaced meanwhile: its owner no longer answers
      close(ends[0]);
      close(ends[1]);
      return std::nullopt;
    }
    protocol_.receive(offer, type.c_str(), ends[1]);
    connection_.Flush();
  }
  close(ends[1]);
  return Read_from_writer(ends[0], max_bytes);
}

std::optional<Clipboard_contents> Data_control_clipboard::Read_all(std::size_t max_bytes) {
  std::optional<Snapshot> now = Look();
  if (!now) return std::nullopt;
  if (now->owned) return now->contents;
  Clipboard_contents contents;
  std::size_t total = 0;
  for (const std::string& type : now->types) {
    std::optional<std::string> data = Receive(now->offer, type, max_bytes - total);
    if (!data) return std::nullopt;
    total += data->size();
    contents.push_back({type, std::move(*data)});
  }
  return contents;
}

std::optional<std::string> Data_control_clipboard::Read_text() {
  std::optional<Snapshot> now = Look();
  if (!now) return std::nullopt;
  if (now->owned) {
    const std::string* text = Text_in(now->contents);
    return text ? std::optional<std::string>(*text) : std::nullopt;
  }
  for (const std::string& type : clipboard_text_types) {
    if (std::find(now->types.begin(), now->types.end(), type) != now->types.end())
      return Receive(now->offer, type, clipboard_text_limit);
  }
  return std::nullopt;
}

bool Data_control_clipboard::Write_all(const Clipboard_contents& contents) {
  // Changes of other programs that are on their way are counted first, so
  // that the echo of this write is told from them.
  if (!connection_.Sync()) return false;
  {
    std::lock_guard<std::mutex> hold(connection_.lock());
    if (!device_) return false;
    wl_proxy* source = protocol_.create_data_source(manager_);
    protocol_.listen_to_source(source, this);
    for (const Clipboard_format& format : contents) protocol_.offer_type(source, format.mime_type.c_str());
    sources_[source] = contents;
    owned_ = source;
    echoes_expected_ = 1;
    protocol_.set_selection(device_, source);
    ++change_count_;
    connection_.Flush();
  }
  connection_.Sync();
  {
    std::lock_guard<std::mutex> hold(connection_.lock());
    echoes_expected_ = 0;  // the echo has come by now, or never comes
  }
  if (changed_handler_) changed_handler_();
  return true;
}

bool Data_control_clipboard::Write_text(const std::string& text, bool transient) {
  return Write_all(Offered_text(text, transient));
}

}  // namespace quorvandel
