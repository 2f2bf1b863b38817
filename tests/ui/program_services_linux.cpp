#include "platform/linux/autostart_login_entry.h"
#include "platform/linux/desktop_file_launcher.h"
#include "platform/linux/xdg_shell_folders.h"
#include "tests/ui/program_fixture.h"

namespace quorvandel::testing {

void Add_system_services(Services& services, const User_folders& user) {
  services.login_entry = std::make_shared<Autostart_login_entry>(services.executable_path, user);
  services.shell_folders = std::make_shared<Xdg_shell_folders>(user);
  services.launcher = std::make_shared<Desktop_file_launcher>();
}

}  // namespace quorvandel::testing
