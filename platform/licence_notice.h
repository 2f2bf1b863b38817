// The licence both programs state in their --version and the About box.
#pragma once

namespace quorvandel {

inline constexpr const char* copyright_line = "Copyright (C) 2026 The Quorvandel developers";
inline constexpr const char* licence_spdx = "GPL-3.0-or-later";
// The lines that follow the version in --version, after the GNU coding
// standards' own form.
inline constexpr const char* licence_notice =
    "Copyright (C) 2026 The Quorvandel developers\n"
    "License GPL-3.0-or-later: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

}  // namespace quorvandel
