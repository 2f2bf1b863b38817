// Builds the letter statistics the detector judges text by: how often each
// letter follows two others (and the start and end of a word) in Hebrew and in
// English words, read from the word lists of two Debian packages,
// hunspell-he's he_IL.dic and wamerican's words. It runs at build time and
// writes a C++ source file of two tables of scaled log-probabilities.
//
// Why tables and not the dictionaries themselves: the engine is standard C++
// only and must judge 25 MB in a fraction of a second, which a bigram table
// of 28 x 28 entries does and a dictionary look-up per word does not. A
// bigram model of whole words knows where the final letters stand and which
// letter pairs are Hebrew, which is what telling the garblings apart needs.
//
// Usage: make_letter_tables HE_IL_DIC ENGLISH_WORDS OUTPUT_CPP
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr std::size_t hebrew_symbols = 28;   // 27 letters, then the word boundary
constexpr std::size_t english_symbols = 27;  // 26 letters, then the word boundary
constexpr double scale = 16.0;       // table units per bit

template <std::size_t N>
using Counts = std::array<std::array<double, N>, N>;
template <std::size_t N>
using Counts3 = std::array<Counts<N>, N>;

// Trigram counts over the words, each between two boundaries at its start
// and one at its end, and the bigram counts they are smoothed with.
template <std::size_t N>
struct Model {
  Counts<N> pairs{};
  Counts3<N> triples{};
};

// The letters of one UTF-8 Hebrew word as 0..26, or nothing when it holds
// anything else (a geresh, quotes, a letter of another script).
bool Hebrew_letters(const std::string& word, std::vector<std::size_t>& letters) {
  letters.clear();
  for (std::size_t i = 0; i < word.size(); i += 2) {
    if (i + 1 >= word.size()) return false;
    const auto lead = static_cast<unsigned char>(word[i]);
    const auto next = static_cast<unsigned char>(word[i + 1]);
    if (lead != 0xD7 || next < 0x90 || next > 0xAA) return false;
    letters.push_back(static_cast<std::size_t>(next - 0x90));
  }
  return !letters.empty();
}

bool English_letters(const std::string& word, std::vector<std::size_t>& letters) {
  letters.clear();
  for (const char c : word) {
    if (c >= 'a' && c <= 'z') {
      letters.push_back(static_cast<std::size_t>(c - 'a'));
    } else if (c >= 'A' && c <= 'Z') {
      letters.push_back(static_cast<std::size_t>(c - 'A'));
    } else {
      return false;
    }
  }
  return !letters.empty();
}

template <std::size_t N>
void Count_word(Model<N>& model, const std::vector<std::size_t>& letters) {
  std::size_t before = N - 1;
  std::size_t previous = N - 1;
  for (const std::size_t letter : letters) {
    model.pairs[previous][letter] += 1;
    model.triples[before][previous][letter] += 1;
    before = previous;
    previous = letter;
  }
  model.pairs[previous][N - 1] += 1;
  model.triples[before][previous][N - 1] += 1;
}

// Reads the words of a file, one a line, up to a '/' (the affix flags of a
// hunspell dictionary); the first line of a dictionary is its word count.
template <std::size_t N>
bool Read_words(const char* path, bool dictionary, bool (*letters_of)(const std::string&, std::vector<std::size_t>&),
                Model<N>& counts) {
  std::ifstream in(path);
  if (!in) return false;
  std::string line;
  std::vector<std::size_t> letters;
  bool first = true;
  while (std::getline(in, line)) {
    if (dictionary && first) {
      first = false;
      continue;
    }
    const std::size_t slash = line.find('/');
    if (slash != std::string::npos) line.resize(slash);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    if (letters_of(line, letters)) Count_word(counts, letters);
  }
  return true;
}

// Conditional log2-probabilities of each symbol after each two symbols:
// the trigram counts smoothed towards the bigram probabilities (themselves
// add-half smoothed), scaled and rounded.
constexpr double bigram_weight = 8.0;

template <std::size_t N>
void Write_table(std::ostream& out, const char* name, const Model<N>& model) {
  Counts<N> bigram{};
  for (std::size_t from = 0; from < N; ++from) {
    double total = 0;
    for (std::size_t to = 0; to < N; ++to) total += model.pairs[from][to] + 0.5;
    for (std::size_t to = 0; to < N; ++to) bigram[from][to] = (model.pairs[from][to] + 0.5) / total;
  }
  out << "extern const std::int16_t " << name << "[" << N << "][" << N << "][" << N << "] = {\n";
  for (std::size_t a = 0; a < N; ++a) {
    out << "  {\n";
    for (std::size_t b = 0; b < N; ++b) {
      double total = 0;
      for (std::size_t c = 0; c < N; ++c) total += model.triples[a][b][c];
      out << "    {";
      for (std::size_t c = 0; c < N; ++c) {
        const double p = (model.triples[a][b][c] + bigram_weight * bigram[b][c]) / (total + bigram_weight);
        out << static_cast<int>(std::lround(std::log2(p) * scale)) << (c + 1 < N ? "," : "");
      }
      out << "},\n";
    }
    out << "  },\n";
  }
  out << "};\n\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: make_letter_tables HE_IL_DIC ENGLISH_WORDS OUTPUT_CPP\n";
    return 2;
  }
  static Model<hebrew_symbols> hebrew;
  static Model<english_symbols> english;
  if (!Read_words(argv[1], true, Hebrew_letters, hebrew)) {
    std::cerr << "make_letter_tables: cannot read " << argv[1] << " (install hunspell-he)\n";
    return 1;
  }
  if (!Read_words(argv[2], false, English_letters, english)) {
    std::cerr << "make_letter_tables: cannot read " << argv[2] << " (install wamerican)\n";
    return 1;
  }
  std::ofstream out(argv[3]);
  out << "// Generated by make_letter_tables from " << argv[1] << " and " << argv[2] << ".\n"
      << "#include \"engine/detection/letter_tables.h\"\n\nnamespace quorvandel::detection {\n\n";
  Write_table(out, "hebrew_trigrams", hebrew);
  Write_table(out, "english_trigrams", english);
  out << "}  // namespace quorvandel::detection\n";
  return out ? 0 : 1;
}
