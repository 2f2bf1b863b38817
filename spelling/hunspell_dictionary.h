// The hunspell dictionaries behind System_dictionary(), built apart for the
// tests and measurements that compare the two ways of reading them.
#pragma once

#include <memory>

#include "engine/dictionary.h"

namespace quorvandel {

enum class Dictionary_reading {
  // The lines of the word list that can make each word asked, read as it
  // is asked; after many words, the whole list (the programs' way).
  word_by_word,
  // Only ever the lines for the words asked.
  word_by_word_only,
  // The whole word list at once, on the first word.
  whole,
};

// Hebrew and English from DICPATH or the system's dictionary folders.
std::unique_ptr<Dictionary> Make_hunspell_dictionary(Dictionary_reading reading);

}  // namespace quorvandel
