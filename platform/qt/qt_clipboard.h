// The clipboard through Qt's QClipboard: every format as MIME data, the
// primary selection where the system has one, and the counts of changes
// and of fetches by other programs.
#pragma once

#include <QObject>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/clipboard_service.h"

class QMimeData;

namespace quorvandel {

class Qt_clipboard : public QObject, public Clipboard_service {
  Q_OBJECT

 public:
  // Needs the QApplication (or QGuiApplication) to exist already.
  Qt_clipboard();
  ~Qt_clipboard() override;

  std::optional<Clipboard_contents> Read_all(std::size_t max_bytes) override;
  bool Write_all(const Clipboard_contents& contents) override;
  std::optional<std::string> Read_text() override;
  bool Write_text(const std::string& text, bool transient) override;
  std::optional<std::string> Read_primary_text() override;
  std::uint64_t Change_count() override { return change_count_; }
  std::uint64_t Fetch_count() override { return fetch_count_; }
  void Set_changed_handler(std::function<void()> handler) override { changed_handler_ = std::move(handler); }

  // Called by the data this program put on the clipboard each time it is
  // asked for one of its formats.
  void Data_fetched();

 private:
  void Changed();
  void Put(QMimeData* data);

  std::uint64_t change_count_ = 0;
  std::uint64_t fetch_count_ = 0;
  int own_reads_ = 0;  // > 0 while this program reads its own data
  std::function<void()> changed_handler_;
};

}  // namespace quorvandel
