#include "engine/detection/wrong_layout.h"

#include <algorithm>
#include <array>
#include <string>

#include "engine/char_sets.h"
#include "engine/cp1255.h"
#include "engine/detection/letter_tables.h"
#include "engine/dictionary.h"

namespace quorvandel::detection {
namespace {

// ---- Tuning -------------------------------------------------------------------
// A word that neither dictionary knows (or any word, without dictionaries)
// is retyped when its other reading beats the typed one by this many bits of
// the letter statistics, and kept surely when it loses by as many.
constexpr double sure_bits = 6.0;
constexpr double sure_bits_per_letter = 1.0;
// A word the other language's dictionary knows, and its own does not, is
// retyped unless the letter statistics are against it by more than this;
// and a word its own dictionary knows, and the other's does not, follows
// the line when the statistics favour the other reading by more than this
// (the Hebrew dictionary takes many strings for a prefix and a word).
constexpr double known_against_bits = 12.0;
// A word that both dictionaries know is retyped on its own when the
// statistics favour the other reading by this much more than `sure`.
constexpr double both_known_bits = 4.0;
// What a word that cannot be one of its language as typed (a punctuation
// key inside it that types a letter on the other layout, a final letter
// inside a Hebrew word) adds to the other reading.
constexpr double malformed_bits = 10.0;
// Shorter words are retyped only beside surely wrong words of their line:
// on their own, too many of them read as words both ways.
constexpr std::size_t sure_letters = 3;
// A Hebrew word as typed that is one only with a prefix letter gives way
// to its English reading when the statistics favour that by this much.
constexpr double prefixed_bits = 0.0;
// Words of capitals up to this long may be abbreviations.
constexpr std::size_t abbreviation_letters = 4;

// ---- The two layouts' keys --------------------------------------------------------

constexpr Unit first_hebrew_letter = 224;
constexpr Unit last_hebrew_letter = 250;

bool Is_hebrew_letter(Unit u) { return u >= first_hebrew_letter && u <= last_hebrew_letter; }
bool Is_final_letter(Unit u) { return u == 234 || u == 237 || u == 239 || u == 243 || u == 245; }
// The letters that stand before a Hebrew word as a prefix: ו ה ש ב כ ל מ.
bool Is_prefix_letter(Unit u) {
  return u == 229 || u == 228 || u == 249 || u == 225 || u == 235 || u == 236 || u == 238;
}
bool Is_small(Unit u) { return u >= 'a' && u <= 'z'; }
bool Is_capital(Unit u) { return u >= 'A' && u <= 'Z'; }
bool Is_latin_letter(Unit u) { return Is_small(u) || Is_capital(u); }
// The keys that type punctuation on one layout and a letter or other
// punctuation on the other.
bool Is_key_punctuation(Unit u) { return u == ',' || u == '.' || u == ';' || u == '/' || u == '\'' || u == '`'; }
bool Is_word_unit(Unit u) { return Is_latin_letter(u) || Is_hebrew_letter(u) || Is_key_punctuation(u); }

// What the other layout types with the key that typed each byte: the
// Hebrew layout's for a character of the English layout, and the English
// layout's (small letters) for a character of the Hebrew layout, as the
// Qwerty sets map every key.
struct Keyboard {
  std::array<Unit, 256> hebrew_of{};
  std::array<Unit, 256> english_of{};
};

const Keyboard& Keys() {
  static const Keyboard keyboard = [] {
    TOptQwerty every_key;
    every_key.map_grave_to_semicolon = every_key.map_q_to_slash = every_key.map_w_to_apostrophe = true;
    every_key.map_semicolon_to_final_peh = every_key.map_apostrophe_to_comma = every_key.map_comma_to_tav = true;
    every_key.map_period_to_final_tsadi = every_key.map_slash_to_period = true;
    every_key.map_back_semicolon_to_grave = every_key.map_back_slash_to_q = every_key.map_back_apostrophe_to_w = true;
    every_key.map_back_final_peh = every_key.map_back_comma_to_apostrophe = every_key.map_back_tav_to_comma = true;
    every_key.map_back_final_tsadi_to_period = every_key.map_back_period_to_slash = true;
    Keyboard k;
    for (Unit u = 0; u <= last_byte_unit; ++u) {
      k.hebrew_of[u] = Convert_letter(u, Is_capital(u) ? cs_qwerty_upper : cs_qwerty_lower, cs_windows, every_key);
      k.english_of[u] = Convert_letter(u, cs_windows, cs_qwerty_lower, every_key);
    }
    return k;
  }();
  return keyboard;
}

// ---- Reading a word --------------------------------------------------------------

// How surprising the letters of a word are in one language, by its letter
// statistics, against a typical word of as many letters: a Hebrew letter
// (or the end of a word) costs typical_hebrew_bits on average, an English
// one typical_english_bits, so that readings of unlike lengths and
// languages compare fairly.
constexpr double typical_hebrew_bits = 4.2;
constexpr double typical_english_bits = 3.5;

// The bits of a word's letters in one language's trigram table; `letter`
// gives a unit's index in the table, or -1 for a unit inside a word that is
// no letter (a geresh, an apostrophe).
template <int boundary, typename Trigrams, typename Letter_index>
double Reading_bits(Text_view word, const Trigrams& trigrams, Letter_index letter, double typical_bits) {
  int before = boundary;
  int previous = boundary;
  int sum = 0;
  std::size_t letters = 0;
  for (const Unit u : word) {
    const int index = letter(u);
    if (index < 0) continue;
    ++letters;
    sum += trigrams[before][previous][index];
    before = previous;
    previous = index;
  }
  sum += trigrams[before][previous][boundary];
  return static_cast<double>(sum) / letter_table_scale + typical_bits * static_cast<double>(letters + 1);
}

double Hebrew_bits(Text_view word) {
  const auto letter = [](Unit u) { return Is_hebrew_letter(u) ? static_cast<int>(u - first_hebrew_letter) : -1; };
  return Reading_bits<hebrew_boundary>(word, hebrew_trigrams, letter, typical_hebrew_bits);
}

double English_bits(Text_view word) {
  const auto letter = [](Unit u) { return Is_latin_letter(u) ? static_cast<int>((u | 0x20) - 'a') : -1; };
  return Reading_bits<english_boundary>(word, english_trigrams, letter, typical_english_bits);
}

// Whether the installed dictionary knows a word: 1 yes, 0 no, -1 when it
// has no dictionary of the language.
int Known(const Dictionary* dictionary, Language language, Text_view word) {
  if (dictionary == nullptr || !dictionary->Has(language)) return -1;
  thread_local std::string utf8;
  utf8.clear();
  Append_utf8(utf8, word);
  return dictionary->Knows(language, utf8) ? 1 : 0;
}

// The same for an English word read from the Hebrew layout's keys, which
// type no capitals: a name ("june") is known when its capitalized form is.
// Not an abbreviation: too many short strings of letters are one.
int Known_any_case(const Dictionary* dictionary, Text_view small_word) {
  const int known = Known(dictionary, Language::english, small_word);
  if (known != 0 || small_word.empty() || small_word[0] < 'a' || small_word[0] > 'z') return known;
  Text word(small_word);
  word[0] = static_cast<Unit>(word[0] - 32);
  return Known(dictionary, Language::english, word);
}

// The part of a word from its first to its last unit that `keep` holds.
Text_view Trimmed(Text_view word, bool (*keep)(Unit)) {
  std::size_t first = 0;
  std::size_t last = word.size();
  while (first < last && !keep(word[first])) ++first;
  while (last > first && !keep(word[last - 1])) --last;
  return word.substr(first, last - first);
}

enum class Verdict { keep_sure, keep_weak, repair_weak, repair_sure };

struct Judged_word {
  Verdict verdict = Verdict::keep_sure;
  bool typed_hebrew = false;  // typed on the Hebrew layout
  bool other_known = false;
  bool ends_with_key = false;  // see Judge()
  bool neither_known = false;  // by dictionaries of both languages
  double lead = 0;  // bits by which the other reading wins
  std::size_t letters = 0;
  Text retyped;  // the word as the other layout types it
};

// A word typed on one layout, its core (its letters of that layout) and
// the same keys read on the other layout, judged together.
// `starts_with_key`: the other reading's first letter is typed by a key of
// punctuation before the typed word (a word does not start with a comma,
// an apostrophe or a slash); `ends_with_key`: its last letter is typed by
// a comma or semicolon that ends the line, where English seldom puts one
// and Hebrew words often end in the letters those keys type.
Verdict Judge(Text_view typed_core, Language typed_language, Text_view other_core, Language other_language,
              bool starts_with_key, bool ends_with_key, Judged_word& judged) {
  const Dictionary* dictionary = Installed_dictionary();
  const bool typed_hebrew = typed_language == Language::hebrew;
  const double typed_bits = typed_hebrew ? Hebrew_bits(typed_core) : English_bits(typed_core);
  const double other_bits = typed_hebrew ? English_bits(other_core) : Hebrew_bits(other_core);
  // A comma inside a word says it was typed on the wrong layout: the key
  // types Tav on the Hebrew one ("t,v"), and the apostrophe of English
  // words types a comma there ("גםמ,א" for "don't").
  const bool typed_letter = std::find(typed_core.begin(), typed_core.end(), U',') != typed_core.end();
  // So does a final letter that does not end a Hebrew word ("םמ" for "on").
  const bool misplaced_final = typed_hebrew && std::any_of(typed_core.begin(), typed_core.end() - 1, Is_final_letter);
  const bool malformed = typed_letter || misplaced_final || starts_with_key || ends_with_key;
  judged.lead = other_bits - typed_bits + (malformed ? malformed_bits : 0.0);
  judged.letters = std::max(typed_core.size(), other_core.size());
  const bool short_word = judged.letters < sure_letters && !malformed;
  const double sure = sure_bits + sure_bits_per_letter * static_cast<double>(judged.letters);
  const int typed_known = Known(dictionary, typed_language, typed_core);
  const int other_known = typed_hebrew ? Known_any_case(dictionary, other_core)
                                       : Known(dictionary, other_language, other_core);
  judged.other_known = other_known == 1;
  judged.ends_with_key = ends_with_key;
  judged.neither_known = typed_known == 0 && other_known == 0;
  if (typed_known == 1 && other_known != 1) {
    return judged.lead >= known_against_bits ? Verdict::repair_weak : Verdict::keep_sure;
  }
  if (typed_known == 1) {
    // A word either way: the letter statistics decide when they are sure,
    // else the line. A Hebrew word as typed that is one only with a prefix
    // letter ("שרק", that only, for "are") weighs less than a whole word.
    const bool prefixed = typed_hebrew && typed_core.size() >= 3 && Is_prefix_letter(typed_core[0]) &&
                          Known(dictionary, Language::hebrew, typed_core.substr(1)) == 1;
    if (prefixed && judged.lead >= prefixed_bits && other_core.size() >= sure_letters) return Verdict::repair_sure;
    if (judged.lead >= sure + both_known_bits && !short_word) return Verdict::repair_sure;
    if (judged.lead <= -sure) return Verdict::keep_sure;
    return judged.lead > 0 ? Verdict::repair_weak : Verdict::keep_weak;
  }
  if (other_known == 1 && judged.lead > -known_against_bits) {
    return short_word ? Verdict::repair_weak : Verdict::repair_sure;
  }
  // Neither reading is a word the dictionaries know (a name, slang, a
  // typo), or there are no dictionaries: the letter statistics judge.
  if (judged.lead >= sure) return short_word ? Verdict::repair_weak : Verdict::repair_sure;
  if (judged.lead <= -sure) return Verdict::keep_sure;
  return judged.lead > 0 ? Verdict::repair_weak : Verdict::keep_weak;
}

bool Is_hebrew_reading_letter(Unit u) { return Is_hebrew_letter(u); }
bool Is_english_reading_letter(Unit u) { return Is_latin_letter(u); }

// A word in English letters: Hebrew typed on the English layout?
bool Judge_latin(Text_view word, bool ends_line, Judged_word& judged) {
  const Text_view core = Trimmed(word, Is_english_reading_letter);
  // Paths, addresses and names like "iPhone" are left alone: only the
  // apostrophe and the comma (Tav) stand inside a word.
  const bool capitalized =
      Is_capital(core[0]) && std::all_of(core.begin() + 1, core.end(), [](Unit u) { return !Is_capital(u); });
  const bool one_case = std::all_of(core.begin(), core.end(), [](Unit u) { return !Is_small(u); }) ||
                        std::all_of(core.begin(), core.end(), [](Unit u) { return !Is_capital(u); });
  if (!one_case && !capitalized) return false;
  for (const Unit u : core) {
    if (!Is_latin_letter(u) && u != ',' && u != '\'') return false;
  }
  const Keyboard& keys = Keys();
  judged.retyped.clear();
  for (const Unit u : word) judged.retyped.push_back(keys.hebrew_of[u]);
  Text_view other_core = Trimmed(judged.retyped, Is_hebrew_reading_letter);
  if (!std::all_of(other_core.begin(), other_core.end(), Is_hebrew_letter)) return false;
  judged.typed_hebrew = false;
  const auto starts_before = [&](Text_view other) {
    return other.data() - judged.retyped.data() < core.data() - word.data();
  };
  const Unit last = word.back();
  const bool ends_with_key = ends_line && (last == ',' || last == ';') && !other_core.empty() &&
                             Is_hebrew_letter(other_core.back()) &&
                             other_core.data() + other_core.size() == judged.retyped.data() + judged.retyped.size();
  judged.verdict =
      Judge(core, Language::english, other_core, Language::hebrew, starts_before(other_core), ends_with_key, judged);
  // A few capitals alone are mostly an abbreviation ("GPL"): retyped only
  // when the Hebrew reading is a word the dictionary knows.
  const bool capitals =
      core.size() > 1 && core.size() <= abbreviation_letters && std::none_of(core.begin(), core.end(), Is_small);
  const Dictionary* dictionary = Installed_dictionary();
  if (capitals && judged.verdict >= Verdict::repair_weak && !judged.other_known && dictionary != nullptr &&
      dictionary->Has(Language::hebrew)) {
    judged.verdict = Verdict::keep_weak;
  }
  // A comma, period or semicolon after the word is read as the letter its
  // key types (Tav, final Tsadi, final Peh) unless the word is one only
  // without it: then the punctuation stays as typed.
  const std::size_t core_end = static_cast<std::size_t>(core.data() + core.size() - word.data());
  if (judged.verdict != Verdict::repair_sure && core_end < word.size() && word[core_end] != '/' &&
      word[core_end] != '\'' && word[core_end] != '`') {
    Judged_word shorter;
    Text shorter_retyped;
    for (const Unit u : core) shorter_retyped.push_back(keys.hebrew_of[u]);
    if (std::all_of(shorter_retyped.begin(), shorter_retyped.end(), Is_hebrew_letter)) {
      const Verdict v = Judge(core, Language::english, shorter_retyped, Language::hebrew, false, false, shorter);
      if (v > judged.verdict) {
        const std::size_t core_start = static_cast<std::size_t>(core.data() - word.data());
        shorter.retyped = judged.retyped;
        shorter.retyped.replace(core_start, core.size(), shorter_retyped);
        for (std::size_t i = core_end; i < word.size(); ++i) shorter.retyped[i] = word[i];
        shorter.verdict = v;
        judged = std::move(shorter);
      }
    }
  }
  return true;
}

// A word in Hebrew letters: English typed on the Hebrew layout?
bool Judge_hebrew(Text_view word, Judged_word& judged) {
  const Text_view core = Trimmed(word, Is_hebrew_reading_letter);
  const Keyboard& keys = Keys();
  judged.retyped.clear();
  for (const Unit u : word) judged.retyped.push_back(keys.english_of[u]);
  const Text_view other_core = Trimmed(judged.retyped, Is_english_reading_letter);
  // Inside an English word stands an apostrophe at most.
  for (const Unit u : other_core) {
    if (!Is_latin_letter(u) && u != '\'') return false;
  }
  if (other_core.empty()) return false;
  judged.typed_hebrew = true;
  const bool starts_before = other_core.data() - judged.retyped.data() < core.data() - word.data();
  judged.verdict = Judge(core, Language::hebrew, other_core, Language::english, starts_before, false, judged);
  return true;
}

struct Word_span {
  std::size_t start = 0;
  std::size_t size = 0;
  Judged_word judged;
};

}  // namespace

Wrong_layout_words Judge_line_layout(Text_view line, Text* repaired) {
  Wrong_layout_words found;
  thread_local std::vector<Word_span> words;
  words.clear();
  // The words: runs of letters of one layout and the punctuation keys
  // beside them, not touching digits or other characters of a word.
  std::size_t i = 0;
  while (i < line.size()) {
    if (!Is_word_unit(line[i])) {
      ++i;
      continue;
    }
    std::size_t end = i;
    std::size_t latin = 0;
    std::size_t hebrew = 0;
    for (; end < line.size() && Is_word_unit(line[end]); ++end) {
      latin += Is_latin_letter(line[end]);
      hebrew += Is_hebrew_letter(line[end]);
    }
    const auto joined = [&](std::size_t at) {
      const Unit u = line[at];
      return (u >= '0' && u <= '9') || u == '_' || u == '@' || u == '\\' || u >= 128;
    };
    const bool alone = (i == 0 || !joined(i - 1)) && (end == line.size() || !joined(end));
    if (alone && (latin > 0) != (hebrew > 0)) {
      Word_span span{i, end - i, {}};
      const Text_view word = line.substr(i, end - i);
      const bool ends_line = std::all_of(line.begin() + static_cast<std::ptrdiff_t>(end), line.end(),
                                         [](Unit u) { return u == ' ' || u == '\t' || u == '\r'; });
      if (latin > 0 ? Judge_latin(word, ends_line, span.judged) : Judge_hebrew(word, span.judged)) {
        words.push_back(std::move(span));
      }
    }
    i = end;
  }

  // A word selected alone that ends in a comma or semicolon is a Hebrew
  // word ending in the letter of that key when it reads as one.
  if (words.size() == 1 && words[0].judged.ends_with_key && words[0].judged.other_known) {
    words[0].judged.verdict = Verdict::repair_sure;
  }

  // Words that read as words either way follow the sure words typed on
  // the same layout in their line, or without any, the most of the others.
  struct Count {
    int sure_repairs = 0, sure_keeps = 0, weak_repairs = 0, weak_keeps = 0;
    bool Wrong() const {
      if (sure_repairs != sure_keeps) return sure_repairs > sure_keeps;
      return sure_keeps == 0 && weak_repairs >= 2 && weak_repairs > weak_keeps;
    }
  };
  std::array<Count, 2> counts{};  // per typed layout: English, Hebrew
  for (const Word_span& w : words) {
    Count& c = counts[w.judged.typed_hebrew ? 1 : 0];
    // A word neither dictionary knows is judged by its letters alone: a
    // weak voice in the line's judgement, however sure the letters are.
    Verdict vote = w.judged.verdict;
    if (w.judged.neither_known && vote == Verdict::keep_sure) vote = Verdict::keep_weak;
    if (w.judged.neither_known && vote == Verdict::repair_sure) vote = Verdict::repair_weak;
    switch (vote) {
      case Verdict::repair_sure:
        ++c.sure_repairs;
        break;
      case Verdict::keep_sure:
        ++c.sure_keeps;
        break;
      case Verdict::repair_weak:
        ++c.weak_repairs;
        break;
      case Verdict::keep_weak:
        ++c.weak_keeps;
        break;
    }
  }
  if (repaired != nullptr) *repaired = Text(line);
  found.words = words.size();
  for (const Word_span& w : words) {
    const Judged_word& j = w.judged;
    const bool line_wrong = counts[j.typed_hebrew ? 1 : 0].Wrong();
    // A word neither dictionary knows (a name, an abbreviation) in a line
    // typed on the wrong layout was typed on it too.
    const bool repair = j.verdict == Verdict::repair_sure ||
                        (line_wrong && (j.verdict == Verdict::repair_weak || j.neither_known ||
                                        (j.verdict == Verdict::keep_weak && j.other_known)));
    if (!repair) continue;
    (j.typed_hebrew ? found.english_on_hebrew : found.hebrew_on_english) += 1;
    found.letters += j.letters;
    found.lead_bits += std::max(j.lead, 0.0);
    if (repaired != nullptr)
      std::copy(j.retyped.begin(), j.retyped.end(), repaired->begin() + static_cast<std::ptrdiff_t>(w.start));
  }
  return found;
}

Known_hebrew_words Count_known_hebrew_words(Text_view text) {
  Known_hebrew_words known;
  const Dictionary* dictionary = Installed_dictionary();
  if (dictionary == nullptr || !dictionary->Has(Language::hebrew)) return known;
  std::size_t i = 0;
  while (i < text.size()) {
    if (!Is_hebrew_letter(text[i])) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && Is_hebrew_letter(text[end])) ++end;
    if (end - i >= 2) {
      Text word(text.substr(i, end - i));
      known.forwards += Known(dictionary, Language::hebrew, word) == 1;
      std::reverse(word.begin(), word.end());
      known.backwards += Known(dictionary, Language::hebrew, word) == 1;
    }
    i = end;
  }
  return known;
}

Wrong_layout_words Judge_text_layout(Text_view text) {
  Wrong_layout_words total;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find(U'\n', start), text.size());
    const Wrong_layout_words line = Judge_line_layout(text.substr(start, end - start));
    total.hebrew_on_english += line.hebrew_on_english;
    total.english_on_hebrew += line.english_on_hebrew;
    total.words += line.words;
    total.letters += line.letters;
    total.lead_bits += line.lead_bits;
    start = end + 1;
  }
  return total;
}

void Repair_wrong_layout(Text& line) {
  Text repaired;
  if (Judge_line_layout(line, &repaired).Any()) line = std::move(repaired);
}

}  // namespace quorvandel::detection
