// Shortcuts that start a program, put into one of the user's shell folders.
#pragma once

#include <string>
#include <vector>

namespace quorvandel {

// Makes the shortcut file `link_name` in `folder` (one of the shell folders,
// Shell_folders_service), replacing one of that name. It starts `target`
// with `arguments`, each passed as one argument, in `working_folder`, and
// shows `icon` when one is given. Returns whether the file was made; when
// `folder` is empty or missing, nothing is made.
//
// Here a shortcut is an executable desktop entry, "<name>.desktop", whose
// shown name is `link_name` without that suffix.
bool Create_shortcut(const std::string& target, const std::vector<std::string>& arguments,
                     const std::string& working_folder, const std::string& link_name, const std::string& folder,
                     const std::string& icon = {});

}  // namespace quorvandel
