// The spelling dictionaries as the detector asks for them: whether a word is
// a word of Hebrew or of English, with its prefixes and inflections. The
// engine holds no word list; the program gives it an implementation
// (hunspell, see spelling/), and the detector judges words typed on the
// wrong keyboard layout with it. Without one, the letter statistics alone
// judge them.
#pragma once

#include <string_view>

namespace quorvandel {

enum class Language { hebrew, english };

class Dictionary {
 public:
  virtual ~Dictionary() = default;

  // Whether the dictionary of the language was found.
  virtual bool Has(Language language) const = 0;

  // Whether `word`, in UTF-8, is a word of the language: false when the
  // language has no dictionary. Safe to call from several threads.
  virtual bool Knows(Language language, std::string_view word) const = 0;
};

// The dictionary that words are judged with. Each program sets it once as
// it starts, before any conversion; without one (nullptr), the letter
// statistics alone judge the words.
void Set_dictionary(const Dictionary* dictionary);
const Dictionary* Installed_dictionary();

}  // namespace quorvandel
