// Shortcuts that start a program, put into one of the user's shell folders.
#pragma once

#include <string>
#include <vector>

#include "mainwindow/win_info.h"

namespace quorvandel {

// Makes the shortcut file `link_name` in the folder numbered `location` of
// `folders` (TWindowsInfo::Folder_at), replacing one of that name. It starts
// `target` with `arguments`, each passed as one argument, in
// `working_folder`, and shows `icon` when one is given. Returns whether the
// file was made; when that folder is unknown or missing, nothing is made.
//
// Here a shortcut is an executable desktop entry, "<name>.desktop", whose
// shown name is `link_name` without that suffix.
bool Create_shortcut(const std::string& target, const std::vector<std::string>& arguments,
                     const std::string& working_folder, const std::string& link_name, int location,
                     const TWindowsInfo& folders, const std::string& icon = {});

}  // namespace quorvandel
