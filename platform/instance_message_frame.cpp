#include "platform/instance_message_frame.h"

namespace quorvandel {
namespace {

constexpr std::string_view magic = "QVC1";

}  // namespace

std::string Frame_instance_message(const Instance_message& message) {
  std::string body;
  for (const std::string& part : message) {
    body += part;
    body += '\0';
  }
  if (body.size() > max_instance_message_size) return {};
  std::string frame(magic);
  const auto length = static_cast<std::uint32_t>(body.size());
  for (int shift = 24; shift >= 0; shift -= 8) frame += static_cast<char>((length >> shift) & 0xff);
  return frame + body;
}

Received_instance_message Unframe_instance_message(std::string_view bytes) {
  using State = Received_instance_message::State;
  if (!magic.starts_with(bytes.substr(0, magic.size()))) return {State::malformed, {}};
  if (bytes.size() < instance_frame_header_size) return {};
  std::uint32_t length = 0;
  for (std::size_t i = magic.size(); i < instance_frame_header_size; ++i) {
    length = (length << 8) | static_cast<unsigned char>(bytes[i]);
  }
  if (length > max_instance_message_size || bytes.size() > instance_frame_header_size + length) {
    return {State::malformed, {}};
  }
  if (bytes.size() < instance_frame_header_size + length) return {};
  const std::string_view body = bytes.substr(instance_frame_header_size);
  if (!body.empty() && body.back() != '\0') return {State::malformed, {}};
  Received_instance_message received{State::whole, {}};
  std::size_t start = 0;
  while (start < body.size()) {
    const std::size_t end = body.find('\0', start);
    received.message.emplace_back(body.substr(start, end - start));
    start = end + 1;
  }
  return received;
}

}  // namespace quorvandel
