#include "engine/dictionary.h"

#include <atomic>

namespace quorvandel {
namespace {

std::atomic<const Dictionary*> installed_dictionary{nullptr};

}  // namespace

void Set_dictionary(const Dictionary* dictionary) { installed_dictionary.store(dictionary); }
const Dictionary* Installed_dictionary() { return installed_dictionary.load(); }

}  // namespace quorvandel
