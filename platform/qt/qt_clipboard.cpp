#include "platform/qt/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPointer>

namespace quorvandel {
namespace {

// The format that asks clipboard managers not to keep an entry.
constexpr const char* password_manager_hint = "x-kde-passwordManagerHint";

// Data this program offers: every request for a format, whether from this
// program or, through the window system, from another, passes through
// retrieveData, which tells the clipboard.
class Counting_mime_data : public QMimeData {
 public:
  explicit Counting_mime_data(Qt_clipboard& owner) : owner_(&owner) {}

 protected:
  QVariant retrieveData(const QString& mime_type, QMetaType type) const override {
    if (owner_) owner_->Data_fetched();
    return QMimeData::retrieveData(mime_type, type);
  }

 private:
  QPointer<Qt_clipboard> owner_;  // the clipboard object may end before the data
};

// Marks this program's own reads so that they are not counted as fetches.
class Own_read {
 public:
  explicit Own_read(int& depth) : depth_(depth) { ++depth_; }
  ~Own_read() { --depth_; }
  Own_read(const Own_read&) = delete;
  Own_read& operator=(const Own_read&) = delete;

 private:
  int& depth_;
};

std::string To_utf8(const QString& text) { return text.toUtf8().toStdString(); }

}  // namespace

Qt_clipboard::Qt_clipboard() {
  connect(QGuiApplication::clipboard(), &QClipboard::changed, this, [this](QClipboard::Mode mode) {
    if (mode == QClipboard::Clipboard) {
      ++change_count_;
      Changed();
    }
  });
}

Qt_clipboard::~Qt_clipboard() = default;

void Qt_clipboard::Changed() {
  if (changed_handler_) changed_handler_();
}

void Qt_clipboard::Data_fetched() {
  if (own_reads_ > 0) return;
  ++fetch_count_;
  Changed();
}

std::optional<Clipboard_contents> Qt_clipboard::Read_all(std::size_t max_bytes) {
  Own_read reading(own_reads_);
  const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
  if (!data) return std::nullopt;
  Clipboard_contents contents;
  std::size_t total = 0;
  for (const QString& format : data->formats()) {
    const QByteArray bytes = data->data(format);
    total += static_cast<std::size_t>(bytes.size());
    if (total > max_bytes) return std::nullopt;
    contents.push_back({format.toStdString(), bytes.toStdString()});
  }
  return contents;
}

void Qt_clipboard::Put(QMimeData* data) {
  QGuiApplication::clipboard()->setMimeData(data, QClipboard::Clipboard);  // the clipboard owns it now
}

bool Qt_clipboard::Write_all(const Clipboard_contents& contents) {
  if (contents.empty()) {
    QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
    return true;
  }
  auto* data = new Counting_mime_data(*this);
  for (const Clipboard_format& format : contents) {
    data->setData(QString::fromStdString(format.mime_type),
                  QByteArray(format.data.data(), static_cast<qsizetype>(format.data.size())));
  }
  Put(data);
  return true;
}

std::optional<std::string> Qt_clipboard::Read_text() {
  Own_read reading(own_reads_);
  const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
  if (!data || !data->hasText()) return std::nullopt;
  return To_utf8(data->text());
}

bool Qt_clipboard::Write_text(const std::string& text, bool transient) {
  auto* data = new Counting_mime_data(*this);
  data->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  if (transient) data->setData(password_manager_hint, "secret");
  Put(data);
  return true;
}

std::optional<std::string> Qt_clipboard::Read_primary_text() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard->supportsSelection()) return std::nullopt;
  Own_read reading(own_reads_);
  const QMimeData* data = clipboard->mimeData(QClipboard::Selection);
  if (!data || !data->hasText()) return std::nullopt;
  return To_utf8(data->text());
}

}  // namespace quorvandel
