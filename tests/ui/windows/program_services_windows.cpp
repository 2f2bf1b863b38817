#include "platform/windows/registry_login_entry.h"
#include "platform/windows/registry_shell_folders.h"
#include "platform/windows/shell_link_launcher.h"
#include "tests/ui/program_fixture.h"

namespace quorvandel::testing {

// The registry and the shell folders are the test prefix's own.
void Add_system_services(Services& services, const User_folders& /*user*/) {
  services.login_entry = std::make_shared<Registry_login_entry>(services.executable_path);
  services.shell_folders = std::make_shared<Registry_shell_folders>();
  services.launcher = std::make_shared<Shell_link_launcher>();
}

}  // namespace quorvandel::testing
