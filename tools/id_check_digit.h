// The check digit of an Israeli identity number: the ninth digit, computed
// from the first eight. Standard C++ only, so that it can be tested and used
// without the dialog.
#pragma once

#include <array>
#include <cstdint>

namespace quorvandel {

// The first eight digits of an identity number, read from the left; each
// value is 0..9.
using Id_digits = std::array<std::uint8_t, 8>;

// Read from the left the digits weigh 1, 2, 1, 2, 1, 2, 1, 2; a weighted
// digit of two decimal digits counts as their sum. The check digit brings
// the total up to the next multiple of ten: 1 2 3 4 5 6 7 8 gives 2.
int Id_check_digit(const Id_digits& digits);

}  // namespace quorvandel
