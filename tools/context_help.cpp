#include "tools/context_help.h"

#include <QApplication>
#include <QShortcut>
#include <QVariant>
#include <QWidget>

namespace quorvandel {
namespace {

constexpr const char* help_keyword_property = "help_keyword";

}  // namespace

void Set_help_keyword(QWidget* widget, const char* keyword) { widget->setProperty(help_keyword_property, keyword); }

std::string Help_keyword_of(const QWidget* widget) {
  for (; widget; widget = widget->parentWidget()) {
    const QVariant keyword = widget->property(help_keyword_property);
    if (keyword.isValid()) return keyword.toString().toStdString();
  }
  return "Contents";
}

void Install_context_help(QWidget& window, Help_service& help) {
  auto* context_help = new QShortcut(QKeySequence::HelpContents, &window);
  QObject::connect(context_help, &QShortcut::activated, &window, [&window, &help] {
    const QWidget* focused = QApplication::focusWidget();
    help.Show_topic(Help_keyword_of(focused && window.isAncestorOf(focused) ? focused : &window));
  });
}

}  // namespace quorvandel
