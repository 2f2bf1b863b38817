// The single-instance locks: named locks that only one process holds at a
// time, given back when it ends in any way.
#pragma once

#include <string_view>

namespace quorvandel {

class Instance_locks {
 public:
  virtual ~Instance_locks() = default;

  // Takes the named lock for this process until Release or the end of the
  // process. True only when another process holds it already; then nothing
  // is taken. When the system refuses to make the lock the result is false
  // too, so that the program runs as the only copy.
  virtual bool Held_elsewhere(std::string_view name) = 0;

  // Gives back the named lock; does nothing when this process holds none.
  virtual void Release(std::string_view name) = 0;
};

}  // namespace quorvandel
