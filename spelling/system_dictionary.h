// The spelling dictionaries this system's build has, for the programs to
// install in the engine as they start; nothing where the build has none.
#pragma once

#include "engine/dictionary.h"

namespace quorvandel {

// Hebrew and English, found at run time in the folders of DICPATH (hunspell's
// own variable, folders separated by ':') or else in the system's
// dictionary folders. The dictionaries are read on the first question, or
// in the background from Start_loading_dictionaries() on, which the
// desktop program calls so that its first hotkey does not wait.
const Dictionary* System_dictionary();
void Start_loading_dictionaries();

}  // namespace quorvandel
