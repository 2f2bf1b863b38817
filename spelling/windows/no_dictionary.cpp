// Debian's archive has no hunspell built for MinGW-w64, so the Windows build
// of the converter judges words typed on the wrong keyboard layout by the
// letter statistics alone.
#include "spelling/hunspell_dictionary.h"
#include "spelling/system_dictionary.h"

namespace quorvandel {

const Dictionary* System_dictionary() { return nullptr; }
void Start_loading_dictionaries() {}
std::unique_ptr<Dictionary> Make_hunspell_dictionary(Dictionary_reading) { return nullptr; }

}  // namespace quorvandel
