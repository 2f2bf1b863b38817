#include "engine/text.h"

#include <algorithm>

namespace quorvandel {

Text Text_from_bytes(std::string_view bytes) {
  Text text;
  Append_bytes(text, bytes);
  return text;
}

void Append_bytes(Text& text, std::string_view bytes) {
  const std::size_t start = text.size();
  text.resize(start + bytes.size());
  std::transform(bytes.begin(), bytes.end(), text.begin() + static_cast<std::ptrdiff_t>(start),
                 [](char c) { return static_cast<Unit>(static_cast<unsigned char>(c)); });
}

std::optional<std::size_t> First_non_byte(Text_view text) {
  const auto it = std::find_if(text.begin(), text.end(), [](Unit u) { return !Is_byte(u); });
  if (it == text.end()) return std::nullopt;
  return static_cast<std::size_t>(it - text.begin());
}

std::string Bytes_from_text(Text_view text) {
  std::string bytes;
  Append_as_bytes(bytes, text);
  return bytes;
}

void Append_as_bytes(std::string& bytes, Text_view text) {
  const std::size_t start = bytes.size();
  bytes.resize(start + text.size());
  std::transform(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(start),
                 [](Unit u) { return Is_byte(u) ? static_cast<char>(static_cast<unsigned char>(u)) : '?'; });
}

std::optional<std::size_t> Append_as_bytes_checked(std::string& bytes, Text_view text) {
  const std::size_t start = bytes.size();
  bytes.resize(start + text.size());
  char* out = bytes.data() + start;
  Unit all_bits = 0;  // a unit above 255 leaves a bit above the low eight here
  for (const Unit u : text) {
    all_bits |= u;
    *out++ = static_cast<char>(static_cast<unsigned char>(u & 0xFF));
  }
  if (Is_byte(all_bits)) return std::nullopt;
  return First_non_byte(text);
}

}  // namespace quorvandel
