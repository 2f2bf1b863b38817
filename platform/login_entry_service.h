// The entry that starts the program when the user logs in.
#pragma once

namespace quorvandel {

class Login_entry_service {
 public:
  virtual ~Login_entry_service() = default;

  // Makes (enabled) or deletes the entry that starts this program at
  // log-in. True when the entry is now as asked (deleting a missing entry
  // succeeds); false when it could not be written or deleted.
  virtual bool Set_launch_at_login(bool enabled) = 0;
};

}  // namespace quorvandel
