// The bytes that carry one message between copies of the program, the same
// over every system's channel: "QVC1", the length of the rest as four bytes
// (most significant first), then each part followed by a NUL. The running
// copy answers one byte, instance_message_taken, once it holds the whole
// message.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvandel {

using Instance_message = std::vector<std::string>;

// The largest message taken (the parts and their ends): a path and a word or two.
inline constexpr std::uint32_t max_instance_message_size = 64 * 1024;
inline constexpr std::size_t instance_frame_header_size = 8;  // the magic and the length
inline constexpr char instance_message_taken = 0x06;

// The frame of the message; empty when the message is larger than any taken.
std::string Frame_instance_message(const Instance_message& message);

// What the bytes received so far on one connection hold.
struct Received_instance_message {
  enum class State { incomplete, whole, malformed };
  State state = State::incomplete;
  Instance_message message;  // when whole
};
Received_instance_message Unframe_instance_message(std::string_view bytes);

}  // namespace quorvandel
