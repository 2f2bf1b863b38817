// Context help: each control names the help topic that describes it, or
// takes its nearest parent's; F1 in a window opens the topic of the control
// that has the keyboard focus.
#pragma once

#include <string>

#include "platform/help_service.h"

class QWidget;

namespace quorvandel {

void Set_help_keyword(QWidget* widget, const char* keyword);

// The keyword of the widget or of its nearest parent that has one;
// "Contents" when none has.
std::string Help_keyword_of(const QWidget* widget);

// F1 in `window`, or in a control of it, shows the focused control's topic
// through `help`, which outlives the window.
void Install_context_help(QWidget& window, Help_service& help);

}  // namespace quorvandel
