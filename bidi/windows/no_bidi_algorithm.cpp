// Debian's archive has no GNU FriBidi built for MinGW-w64, so the Windows
// build of the converter has no bidirectional algorithm: a profile that asks
// for the bidirectional method stops its conversion with the engine's
// message, and the classic reversals work as everywhere.
#include "bidi/system_bidi.h"

namespace quorvandel {

const Bidi_algorithm* System_bidi_algorithm() { return nullptr; }

}  // namespace quorvandel
