// What a modal dialog ends with: the number that QDialog::exec() returns
// for each way of closing it. The values are the ones Windows uses, so the
// dialogs report the same numbers on every platform.
#pragma once

namespace quorvandel {

enum Modal_result : int { mr_none = 0, mr_ok = 1, mr_cancel = 2, mr_yes = 6, mr_no = 7 };

}  // namespace quorvandel
