#include "platform/files/user_folders.h"

#include <cstdlib>

namespace quorvandel {

namespace {

std::string Environment_value(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

}  // namespace

User_folders User_folders_from_environment() {
  return {Environment_value("XDG_CONFIG_HOME"), Environment_value("HOME")};
}

}  // namespace quorvandel
