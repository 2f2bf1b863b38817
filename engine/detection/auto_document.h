// The conversion of the whole source pane with what the detector finds in
// it, paragraph by paragraph, into logical-order code page 1255.
#pragma once

#include "engine/convert_document.h"
#include "engine/detection/detect.h"

namespace quorvandel {

// Judges every source line, then converts them as Convert_document does,
// each paragraph with its own detected settings; a document that cannot be
// judged is converted with the active settings. `found` receives the
// document's verdict. Returns false when the conversion stopped on an
// error (reported through Show_message).
bool Convert_document_automatically(TConversion_document& document, Detection& found);

}  // namespace quorvandel
