#include "mainwindow/win_info.h"

#include <array>
#include <cstddef>

namespace quorvandel {
namespace {

constexpr std::array<std::string TWindowsInfo::*, 11> by_location = {
    &TWindowsInfo::desktop,    &TWindowsInfo::favorites, &TWindowsInfo::fonts,    &TWindowsInfo::net_hood,
    &TWindowsInfo::personal,   &TWindowsInfo::programs,  &TWindowsInfo::recent,   &TWindowsInfo::send_to,
    &TWindowsInfo::start_menu, &TWindowsInfo::startup,   &TWindowsInfo::templates};

}  // namespace

TWindowsInfo::TWindowsInfo(const Shell_folders_service& shell_folders) {
  for (std::size_t i = 0; i < by_location.size(); ++i) {
    this->*by_location[i] = shell_folders.Folder_at(static_cast<int>(i + 1));
  }
}

std::string TWindowsInfo::Folder_at(int location) const {
  if (location < 1 || location > static_cast<int>(by_location.size())) return {};
  return this->*by_location[static_cast<std::size_t>(location - 1)];
}

}  // namespace quorvandel
