// The licence both programs state in their --version.
#pragma once

namespace quorvandel {

// The lines that follow the version in --version, after the GNU coding
// standards' own form.
inline constexpr const char* licence_notice =
    "Copyright (C) 2026 The Quorvandel developers\n"
    "License GPL-3.0-or-later: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

}  // namespace quorvandel
