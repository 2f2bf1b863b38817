#include "tools/id_check_digit.h"

namespace quorvandel {

int Id_check_digit(const Id_digits& digits) {
  int sum = 0;
  bool doubled = true;  // the eighth digit is doubled, then every second one towards the first
  for (std::size_t p = digits.size(); p-- > 0;) {
    const int v = doubled ? 2 * digits[p] : digits[p];
    sum += v / 10 + v % 10;
    doubled = !doubled;
  }
  return (10 - sum % 10) % 10;
}

}  // namespace quorvandel
