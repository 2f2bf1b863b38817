// Words typed on the wrong keyboard layout: how many the automatic
// conversion repairs, and how many right words it leaves alone, measured on
// running text held apart from what the judgement was tuned on; and how
// long a few words take to judge.
//
//   build/bench/layout_bench [--no-dictionary] [--tuning] [--misses] [FILE...]
//   build/bench/layout_bench [--no-dictionary] --convert TEXT
//
// Without files, the held-out text is the sentences of bench/data/, the
// bidirectional test sentences of tests/engine/data/ (Hebrew) and the GNU
// GPL's text (English, /usr/share/common-licenses/GPL-3). --tuning measures
// the test corpus of tests/corpus/ instead, the sentences it was tuned on;
// --no-dictionary judges by the letter statistics alone; --misses prints
// every text it gets wrong, not only the first few of each kind; --convert
// prints what the automatic conversion makes of one text.
// Each text goes through the detector and the automatic conversion as one
// document of one line, as a hotkey converts a selection.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/cp1255.h"
#include "engine/detection/auto_convert.h"
#include "engine/detection/detect.h"
#include "engine/dictionary.h"
#include "spelling/system_dictionary.h"
#include "tests/corpus/hebrew_corpus.h"
#include "tests/engine/test_settings.h"

namespace quorvandel {
namespace {

bool Is_hebrew(Unit u) { return u >= 224 && u <= 250; }
bool Is_latin(Unit u) { return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z'); }

// The words of running text, sentence by sentence: runs of letters of one
// script; a word touching a digit or another script is left out.
struct Words {
  std::vector<std::vector<Text>> hebrew;
  std::vector<std::vector<Text>> english;
};

void Add_sentence(Text_view line, Words& words) {
  std::vector<Text> hebrew;
  std::vector<Text> english;
  std::size_t i = 0;
  while (i < line.size()) {
    if (!Is_hebrew(line[i]) && !Is_latin(line[i])) {
      ++i;
      continue;
    }
    const bool hebrew_word = Is_hebrew(line[i]);
    std::size_t end = i;
    while (end < line.size() && (hebrew_word ? Is_hebrew(line[end]) : Is_latin(line[end]))) ++end;
    const bool clean_before = i == 0 || line[i - 1] == ' ';
    const bool clean =
        clean_before && (end == line.size() || line[end] == ' ' || line[end] == ',' || line[end] == '.' ||
                         line[end] == '?' || line[end] == '!' || line[end] == ';' || line[end] == ':');
    if (clean) (hebrew_word ? hebrew : english).emplace_back(line.substr(i, end - i));
    i = end;
  }
  if (!hebrew.empty() && english.size() * 4 <= hebrew.size()) words.hebrew.push_back(std::move(hebrew));
  if (!english.empty() && hebrew.empty()) words.english.push_back(std::move(english));
}

void Add_file(const std::string& path, Words& words) {
  std::ifstream in(path);
  if (!in) {
    std::fprintf(stderr, "layout_bench: cannot read %s\n", path.c_str());
    return;
  }
  std::string line;
  while (std::getline(in, line)) {
    Text text;
    Append_text_from_utf8(text, line);
    Add_sentence(text, words);
  }
}

// The keys of a word typed on the other layout.
Text On_english_keys(Text_view hebrew, bool capitals) {
  static constexpr char keys[] = "tcdsvuzjyhlfkonibxg;p.mera,";  // alef..tav, code page 1255 order
  Text typed;
  for (const Unit u : hebrew) {
    const char key = keys[u - 224];
    typed.push_back(capitals && key >= 'a' && key <= 'z' ? static_cast<Unit>(key - 32) : static_cast<Unit>(key));
  }
  return typed;
}

Text On_hebrew_keys(Text_view english) {
  Text typed;
  static constexpr char keys[] = "tcdsvuzjyhlfkonibxg;p.mera,";
  for (const Unit u : english) {
    const Unit small = u | 0x20;
    for (Unit h = 224; h <= 250; ++h) {
      if (static_cast<Unit>(keys[h - 224]) == small) typed.push_back(h);
    }
    if (small == 'q') typed.push_back('/');
    if (small == 'w') typed.push_back('\'');
  }
  return typed;
}

Text Small(Text_view word) {
  Text s(word);
  for (Unit& u : s) u = Is_latin(u) ? (u | 0x20) : u;
  return s;
}

Text Joined(const std::vector<Text>& words) {
  Text t;
  for (const Text& w : words) {
    if (!t.empty()) t.push_back(' ');
    t += w;
  }
  return t;
}

// What the automatic conversion makes of a one-line document.
Text Converted(Text_view line) {
  static const auto profile = [] {
    auto p = test::Default_settings();
    p->conversion->reverse_hebrew_phrases = false;
    return p;
  }();
  Document_detector detector;
  detector.Add_line(line);
  detector.Finish();
  Auto_converter converter(detector, *profile);
  Text out(line);
  converter.Convert_raw_line(0, out);
  return out;
}

// With --misses, every miss is printed, not only the first few.
bool all_misses = false;

struct Tally {
  std::size_t right = 0;
  std::size_t total = 0;
  std::vector<std::string> misses;
  void Add(Text_view input, Text_view expected) {
    const Text out = Converted(input);
    ++total;
    if (out == expected) {
      ++right;
    } else if (all_misses || misses.size() < 6) {
      misses.push_back(Utf8_from_text(input) + " -> " + Utf8_from_text(out));
    }
  }
};

void Print(const char* name, const Tally& t) {
  std::printf("%-44s %7zu %7zu %8.2f%%", name, t.total, t.right,
              t.total == 0 ? 0.0 : 100.0 * static_cast<double>(t.right) / static_cast<double>(t.total));
  for (const std::string& m : t.misses) std::printf(all_misses ? "\n    %s" : "  [%s]", m.c_str());
  std::printf("\n");
}

// Phrases of 2 and 3 neighbouring words of each sentence.
template <typename Each>
void Phrases(const std::vector<std::vector<Text>>& sentences, Each&& each) {
  for (const auto& s : sentences) {
    for (std::size_t i = 0; i + 1 < s.size(); i += 2) {
      const std::size_t n = (i / 2) % 2 == 0 ? 2 : 3;
      if (i + n > s.size()) break;
      each(std::vector<Text>(s.begin() + static_cast<std::ptrdiff_t>(i),
                             s.begin() + static_cast<std::ptrdiff_t>(i + n)));
    }
  }
}

void Print_accuracy(const Words& words) {
  Tally hebrew_lower, hebrew_caps, english_typed, hebrew_phrase, english_phrase, hebrew_kept, english_kept,
      hebrew_phrase_kept, english_phrase_kept;
  for (const auto& s : words.hebrew) {
    for (const Text& w : s) {
      hebrew_kept.Add(w, w);
      if (w.size() < 3) continue;
      hebrew_lower.Add(On_english_keys(w, false), w);
      hebrew_caps.Add(On_english_keys(w, true), w);
    }
  }
  for (const auto& s : words.english) {
    for (const Text& w : s) {
      english_kept.Add(w, w);
      if (w.size() >= 3) english_typed.Add(On_hebrew_keys(w), Small(w));
    }
  }
  Phrases(words.hebrew, [&](const std::vector<Text>& p) {
    std::vector<Text> typed;
    for (const Text& w : p) typed.push_back(On_english_keys(w, false));
    hebrew_phrase.Add(Joined(typed), Joined(p));
    hebrew_phrase_kept.Add(Joined(p), Joined(p));
  });
  Phrases(words.english, [&](const std::vector<Text>& p) {
    std::vector<Text> typed;
    std::vector<Text> small;
    for (const Text& w : p) {
      typed.push_back(On_hebrew_keys(w));
      small.push_back(Small(w));
    }
    english_phrase.Add(Joined(typed), Joined(small));
    english_phrase_kept.Add(Joined(p), Joined(p));
  });
  std::printf("%-44s %7s %7s %9s\n", "input", "texts", "right", "right %");
  Print("Hebrew word (3+ letters) on English keys", hebrew_lower);
  Print("Hebrew word (3+ letters) on English CAPS", hebrew_caps);
  Print("English word (3+ letters) on Hebrew keys", english_typed);
  Print("Hebrew phrase (2-3 words) on English keys", hebrew_phrase);
  Print("English phrase (2-3 words) on Hebrew keys", english_phrase);
  Print("real Hebrew word, left unchanged", hebrew_kept);
  Print("real English word, left unchanged", english_kept);
  Print("real Hebrew phrase, left unchanged", hebrew_phrase_kept);
  Print("real English phrase, left unchanged", english_phrase_kept);
}

void Print_speed() {
  using clock = std::chrono::steady_clock;
  Text mixed;
  Append_text_from_utf8(mixed, "please send akuo, ,usv rcv \xd7\x99\xd7\xa7\xd7\x9a\xd7\x9a\xd7\x9d");
  constexpr int runs = 2000;
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto t = clock::now();
    Converted(mixed);
    times.push_back(std::chrono::duration<double, std::milli>(clock::now() - t).count());
  }
  std::sort(times.begin(), times.end());
  std::printf("five words judged and converted: median %.3f ms, 99th percentile %.3f ms, slowest %.3f ms of %d\n",
              times[times.size() / 2], times[times.size() * 99 / 100], times.back(), runs);
}

}  // namespace
}  // namespace quorvandel

int main(int argc, char** argv) {
  using namespace quorvandel;
  const bool no_dictionary = argc > 1 && std::string(argv[1]) == "--no-dictionary";
  if (no_dictionary) {
    --argc;
    ++argv;
  } else {
    Set_dictionary(System_dictionary());
  }
  Words words;
  bool tuning = false;
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--tuning") {
      tuning = true;
    } else if (arg == "--misses") {
      all_misses = true;
    } else if (arg == "--convert" && i + 1 < argc) {
      Text text;
      Append_text_from_utf8(text, argv[++i]);
      std::printf("%s\n", Utf8_from_text(Converted(text)).c_str());
      return 0;
    } else {
      files.push_back(arg);
    }
  }
  if (tuning) {
    for (const Text& p : test::Hebrew_paragraphs(200)) Add_sentence(p, words);
    for (const Text& p : test::English_paragraphs(200)) Add_sentence(p, words);
  } else if (files.empty()) {
    const std::string source = QUORVANDEL_SOURCE_DIR;
    for (const char* f : {"/bench/data/layout_unseen_english.txt", "/bench/data/layout_unseen_hebrew.txt",
                          "/tests/engine/data/bidi_sentences.txt", "/tests/engine/data/bidi_sentences_unseen.txt"}) {
      Add_file(source + f, words);
    }
    Add_file("/usr/share/common-licenses/GPL-3", words);
  }
  for (const std::string& f : files) Add_file(f, words);
  // The first word pays for reading what the dictionaries need of it, as
  // a converter process run on one selection does.
  const auto load_start = std::chrono::steady_clock::now();
  const Dictionary* dictionary = Installed_dictionary();
  const bool found = dictionary != nullptr && dictionary->Has(Language::hebrew) && dictionary->Has(Language::english);
  Text first;
  Append_text_from_utf8(first, "akuo");
  Converted(first);
  std::printf("first word judged in %.0f ms, dictionaries %s\n",
              std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - load_start).count(),
              found ? "included" : "not used");
  Print_accuracy(words);
  Print_speed();
  return 0;
}
