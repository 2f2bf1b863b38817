// make-sample SIZE OUTPUT [SEED]: writes a sample document of SIZE bytes
// (a number, optionally followed by K, M or G for 1024, 1024^2, 1024^3) with
// CR LF line ends to the file OUTPUT, "-" for standard output.
#include <charconv>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <limits>
#include <optional>
#include <string_view>

#include "bench/sample_text.h"

namespace {

std::optional<std::uint64_t> Parse_size(std::string_view text) {
  std::uint64_t multiplier = 1;
  if (!text.empty()) {
    switch (text.back()) {
      case 'k': case 'K': multiplier = 1ULL << 10; break;
      case 'm': case 'M': multiplier = 1ULL << 20; break;
      case 'g': case 'G': multiplier = 1ULL << 30; break;
      default: break;
    }
    if (multiplier != 1) text.remove_suffix(1);
  }
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value > std::numeric_limits<std::uint64_t>::max() / multiplier) return std::nullopt;
  return value * multiplier;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<std::uint64_t> size = argc >= 3 ? Parse_size(argv[1]) : std::nullopt;
  const std::optional<std::uint64_t> seed = argc == 4 ? Parse_size(argv[3]) : std::optional<std::uint64_t>(1);
  if (argc < 3 || argc > 4 || !size || !seed) {
    std::cerr << "usage: make-sample SIZE[K|M|G] OUTPUT [SEED]\n";
    return 2;
  }
  const std::string_view path = argv[2];
  if (path == "-") {
    quorvandel::bench::Write_sample_text(std::cout, static_cast<std::size_t>(*size), *seed);
    std::cout.flush();
    return std::cout ? 0 : 1;
  }
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  if (!out) {
    std::cerr << "make-sample: cannot write " << path << '\n';
    return 1;
  }
  quorvandel::bench::Write_sample_text(out, static_cast<std::size_t>(*size), *seed);
  out.close();
  if (!out) {
    std::cerr << "make-sample: writing " << path << " failed\n";
    return 1;
  }
  return 0;
}
