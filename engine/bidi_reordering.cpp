#include "engine/bidi_reordering.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "engine/cp1255.h"
#include "engine/decoding.h"

namespace quorvandel {
namespace {

// Code page 862 above ASCII: the 27 Hebrew letters, then what code page 437
// has there.
constexpr std::array<char32_t, 128> cp862_upper_half = {
    0x05D0, 0x05D1, 0x05D2, 0x05D3, 0x05D4, 0x05D5, 0x05D6, 0x05D7, 0x05D8, 0x05D9, 0x05DA, 0x05DB, 0x05DC,
    0x05DD, 0x05DE, 0x05DF, 0x05E0, 0x05E1, 0x05E2, 0x05E3, 0x05E4, 0x05E5, 0x05E6, 0x05E7, 0x05E8, 0x05E9,
    0x05EA, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C,
    0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320,
    0x2321, 0x00F7, 0x2248, 0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

constexpr char32_t alef = 0x05D0;
constexpr char32_t tav = 0x05EA;

bool Is_hebrew_letter(char32_t c) { return c >= alef && c <= tav; }

// The combining marks that follow their base character in both orders: the
// first guess of a reading keeps them there; the algorithm decides the rest.
bool Is_combining_mark(char32_t c) {
  if (c < 0x0300) return false;
  return (c >= 0x0300 && c <= 0x036F) || (c >= 0x0591 && c <= 0x05BD) || c == 0x05BF || c == 0x05C1 || c == 0x05C2 ||
         c == 0x05C4 || c == 0x05C5 || c == 0x05C7 || (c >= 0x0610 && c <= 0x061A) || (c >= 0x064B && c <= 0x065F) ||
         c == 0x0670 || c == 0xFB1E || (c >= 0x20D0 && c <= 0x20FF) || (c >= 0xFE20 && c <= 0xFE2F);
}

// ASCII punctuation and the space: neutral, or weak that turns neutral on
// a line without digits.
bool Is_ascii_neutral(char32_t c) {
  return c >= 0x20 && c <= 0x7E && !(c >= '0' && c <= '9') && !(c >= 'A' && c <= 'Z') && !(c >= 'a' && c <= 'z');
}

// Left-to-right letters and digits as the first guess of a reading sees
// them: English and other Latin letters, and the digits.
bool Reads_left_to_right(char32_t c) {
  if (c < 0x80) return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
         (c >= 0x00C0 && c <= 0x024F && c != 0x00D7 && c != 0x00F7) || (c >= 0x0370 && c <= 0x03FF) ||
         (c >= 0x0400 && c <= 0x04FF);
}

bool Reads_right_to_left(char32_t c) {
  return (c >= 0x0590 && c <= 0x08FF) || (c >= 0xFB1D && c <= 0xFDFF) || (c >= 0xFE70 && c <= 0xFEFF);
}

// Units of measure that follow a number: "25 MB" shows as "MB 25", which
// would otherwise read as a name with a number ("Android 13").
constexpr std::u32string_view units_of_measure[] = {
    U"B",    U"KB",   U"MB",   U"GB",   U"TB",   U"PB",  U"KiB", U"MiB", U"GiB", U"TiB", U"bit", U"bits", U"kbps",
    U"Mbps", U"Gbps", U"KB/s", U"MB/s", U"GB/s", U"Hz",  U"kHz", U"MHz", U"GHz", U"ms",  U"sec", U"min",  U"px",
    U"pt",   U"dpi",  U"ppi",  U"fps",  U"rpm",  U"mph", U"km",  U"cm",  U"mm",  U"kg",  U"mg",  U"lb",   U"lbs",
    U"oz",   U"ml",   U"mAh",  U"kW",   U"kWh",  U"W",   U"V",   U"ft",  U"in",  U"m",   U"g",   U"s",
};

bool Is_unit_of_measure(std::u32string_view word) {
  return std::find(std::begin(units_of_measure), std::end(units_of_measure), word) != std::end(units_of_measure);
}

bool Is_number_part(char32_t c) { return (c >= '0' && c <= '9') || c == '.' || c == ',' || c == ':' || c == '/'; }

char32_t Closing_bracket(char32_t c) {
  switch (c) {
    case '(': return ')';
    case '[': return ']';
    case '{': return '}';
    default: return 0;
  }
}

char32_t Opening_bracket(char32_t c) {
  switch (c) {
    case ')': return '(';
    case ']': return '[';
    case '}': return '{';
    default: return 0;
  }
}

// A left-to-right stretch [start, end) of the picture that ends just before
// `end` or at the closing bracket there, when the character before `end` is
// its last letter or digit (or a closing bracket after one); with a number
// and its unit, [number_end, number_start) is the space between them.
struct Island {
  std::size_t start;
  std::size_t end;
  std::size_t number_end;
  std::size_t number_start;
};

std::optional<Island> Left_to_right_island(const std::u32string& visual, std::size_t from, std::size_t end,
                                           std::vector<std::size_t>& closers) {
  std::size_t last = end - 1;
  bool closed_by_bracket = false;
  if (!Reads_left_to_right(visual[last])) {
    // A closing bracket after a stretch that opened it belongs to it.
    if (last == from || !Reads_left_to_right(visual[last - 1])) return std::nullopt;
    closed_by_bracket = true;
    --last;
  }
  // Brackets pair inside the stretch; an opening bracket that closes
  // nothing in it ends it, and it starts after the last closing bracket
  // that nothing in it opens.
  closers.clear();
  if (closed_by_bracket) closers.push_back(end - 1);
  std::size_t first = last;
  for (std::size_t j = last; j-- > from && !Reads_right_to_left(visual[j]);) {
    if (Opening_bracket(visual[j]) != 0) {
      closers.push_back(j);
    } else if (const char32_t closing = Closing_bracket(visual[j]); closing != 0) {
      if (closers.empty() || visual[closers.back()] != closing) break;
      closers.pop_back();
      first = j;  // the pair belongs to the stretch
    } else if (Reads_left_to_right(visual[j])) {
      first = j;
    }
  }
  if (!closers.empty()) {
    if (closed_by_bracket && closers.front() == end - 1) return std::nullopt;
    const std::size_t after = closers.front() + 1;
    while (first < after) ++first;
    while (first <= last && !Reads_left_to_right(visual[first])) ++first;
    if (first > last) return std::nullopt;
  }
  Island island{first, end, first, first};
  // A pair of brackets around the whole stretch stands apart from a number
  // and its unit inside it: "(mph 75)" reads "(75 mph)".
  std::size_t inner_first = first;
  std::size_t inner_end = end;
  if (closed_by_bracket && Closing_bracket(visual[first]) == visual[end - 1]) {
    ++inner_first;
    --inner_end;
  }
  // "MB 25": a unit, spaces, a number at the right end.
  std::size_t number_start = inner_end;
  while (number_start > inner_first && Is_number_part(visual[number_start - 1])) --number_start;
  if (number_start == inner_end || number_start == inner_first || visual[inner_end - 1] < '0' ||
      visual[inner_end - 1] > '9') {
    return island;
  }
  std::size_t spaces = number_start;
  while (spaces > inner_first && visual[spaces - 1] == ' ') --spaces;
  if (spaces == number_start || spaces == inner_first) return island;
  if (Is_unit_of_measure(std::u32string_view(visual).substr(inner_first, spaces - inner_first))) {
    island = Island{inner_first, inner_end, spaces, number_start};
  }
  return island;
}

char32_t Ascii_mirror(char32_t c) {
  switch (c) {
    case '(': return ')';
    case ')': return '(';
    case '<': return '>';
    case '>': return '<';
    case '[': return ']';
    case ']': return '[';
    case '{': return '}';
    case '}': return '{';
    default: return c;
  }
}

const Bidi_algorithm* installed_algorithm = nullptr;

}  // namespace

void Set_bidi_algorithm(const Bidi_algorithm* algorithm) { installed_algorithm = algorithm; }
const Bidi_algorithm* Installed_bidi_algorithm() { return installed_algorithm; }

char32_t Bidi_reordering::Unicode_from_unit_(Unit unit) { return Unicode_from_unit(unit); }

Bidi_reordering::Bidi_reordering(const Bidi_algorithm& algorithm, int char_set, const TOptQwerty& qwerty,
                                 Paragraph_direction direction)
    : algorithm_(&algorithm), direction_(direction) {
  // A byte is a Hebrew letter of the set when it reads as one of code page
  // 1255, or when the set writes a letter with it (Tav as '[' in Hebrew held
  // as capitals, which does not read back).
  const Letter_table to_windows(char_set, cs_windows, qwerty);
  const Letter_table from_windows(cs_windows, char_set, qwerty);
  std::array<Unit, 256> letter_written_as{};
  for (Unit letter = 224; letter <= 250; ++letter) {
    const Unit written = from_windows(letter);
    if (Is_byte(written)) letter_written_as[written] = letter;
  }
  for (Unit b = 0; b <= last_byte_unit; ++b) {
    char32_t c = Unicode_from_unit(b);
    if (char_set == cs_dos && b >= 0x80) c = cp862_upper_half[b - 0x80];
    if (char_set != cs_windows && char_set != cs_dos && b < 0x80) c = b;
    const Unit read = to_windows(b);
    if (char_set != cs_windows && read >= 224 && read <= 250) c = Unicode_from_unit(read);
    if (char_set != cs_windows && letter_written_as[b] != 0) c = Unicode_from_unit(letter_written_as[b]);
    characters_[b] = c;
    simple_[b] = Is_hebrew_letter(c) || Is_ascii_neutral(c) ? 1 : 0;
  }
}

Unit Bidi_reordering::Unit_for(char32_t character) const {
  if (character < 0x80 && characters_[character] == character) return character;
  const auto byte = std::find(characters_.begin(), characters_.end(), character);
  if (byte != characters_.end()) return static_cast<Unit>(byte - characters_.begin());
  return Unit_from_unicode(character);
}

// Whether a unit of the set reads as the character: Hebrew held as
// capitals writes Tav with '[', and so has no '[' to mirror a ']' into.
bool Bidi_reordering::Writes(char32_t character) const { return Character(Unit_for(character)) == character; }

bool Bidi_reordering::Only_right_to_left_and_neutral(const Text& line) const {
  return std::all_of(line.begin(), line.end(), [this](Unit u) { return Is_byte(u) && simple_[u]; });
}

// A line of right-to-left letters and neutrals in a right-to-left paragraph
// is one right-to-left run: both orders are the reverse of each other, with
// the brackets mirrored.
void Bidi_reordering::Reverse_mirrored(Text& line) const {
  std::reverse(line.begin(), line.end());
  for (Unit& u : line) {
    const char32_t mirrored = Ascii_mirror(characters_[u]);
    if (mirrored != characters_[u] && Writes(mirrored)) u = Unit_for(mirrored);
  }
}

char32_t Bidi_reordering::Mirror(char32_t c) const {
  if (c < 0x80) return Ascii_mirror(c);
  if (c >= 0x0590 && c <= 0x05FF) return c;  // the Hebrew block mirrors nothing
  return algorithm_->Mirror(c);
}

void Bidi_reordering::Take_characters(const Text& line) {
  visual_.resize(line.size());
  std::transform(line.begin(), line.end(), visual_.begin(), [this](Unit u) { return Character(u); });
}

// The lines that need no algorithm: left to right throughout, which stay
// as they are, and one right-to-left run, which both directions reverse.
// Returns whether the line is done.
bool Bidi_reordering::Reorder_without_algorithm(Text& line) const {
  if (line.empty()) return true;
  const bool ascii_only = std::all_of(line.begin(), line.end(), [this](Unit u) { return Character(u) < 0x80; });
  if (direction_ != paragraph_rtl && ascii_only) return true;
  const bool has_hebrew =
      std::any_of(line.begin(), line.end(), [this](Unit u) { return Is_hebrew_letter(Character(u)); });
  if (Only_right_to_left_and_neutral(line) &&
      (direction_ == paragraph_rtl || (direction_ == paragraph_auto && has_hebrew))) {
    Reverse_mirrored(line);
    return true;
  }
  return false;
}

void Bidi_reordering::Show(const std::u32string& logical) {
  if (!algorithm_->Show(logical, direction_, picture_)) {
    throw Conversion_error("the bidirectional algorithm could not reorder the line");
  }
}

void Bidi_reordering::To_visual(Text& line) {
  if (Reorder_without_algorithm(line)) return;
  Take_characters(line);
  Show(visual_);
  shown_.resize(line.size());
  for (std::size_t j = 0; j < line.size(); ++j) {
    const auto i = static_cast<std::size_t>(picture_.visual_to_logical[j]);
    // A bracket whose mirror the set cannot write stays as it is rather
    // than turn into the letter that its mirror's byte stands for.
    const char32_t shown = picture_.visual[j];
    shown_[j] = shown == visual_[i] || !Writes(shown) ? line[i] : Unit_for(shown);
  }
  line.swap(shown_);
}

bool Bidi_reordering::To_logical(Text& line) {
  if (Reorder_without_algorithm(line)) return true;

  // Which paragraph direction to read the line in first: the one it was
  // given, or for a paragraph of its first strong letter, right to left when
  // the rightmost strong letter is Hebrew.
  Paragraph_direction first = direction_;
  if (direction_ == paragraph_auto) {
    first = paragraph_ltr;
    Take_characters(line);
    for (auto c = visual_.rbegin(); c != visual_.rend(); ++c) {
      if (Is_hebrew_letter(*c)) {
        first = paragraph_rtl;
        break;
      }
      if ((*c >= 'A' && *c <= 'Z') || (*c >= 'a' && *c <= 'z')) break;
    }
  }
  if (Try_reading(line, first, reading_)) {
    line.swap(reading_);
    return true;
  }
  if (direction_ == paragraph_auto) {
    Text other;
    if (Try_reading(line, first == paragraph_rtl ? paragraph_ltr : paragraph_rtl, other)) {
      line = std::move(other);
      return true;
    }
  }
  line.swap(reading_);
  return false;
}

// Appends the reading of the stretch [from, to) of the picture read right
// to left: what stands left to right in it (from a Latin letter or digit to
// the last one before the next Hebrew letter, with what lies between)
// reads left to right, and all else is reversed, a base character with the
// marks after it, and mirrored.
void Bidi_reordering::Guess_right_to_left(std::size_t from, std::size_t to, std::size_t& out) {
  // Plain pointers: stores through the byte-sized flags could otherwise
  // alias every other buffer and slow the loops down.
  const char32_t* visual = visual_.data();
  std::int32_t* positions = positions_.data();
  std::uint8_t* mirrored = mirrored_.data();
  std::size_t next = out;
  auto read = [&](std::size_t j, std::uint8_t mirror) {
    mirrored[next] = mirror;
    positions[next++] = static_cast<std::int32_t>(j);
  };
  std::size_t end = to;
  while (end > from) {
    std::size_t start = end - 1;
    const char32_t last = visual[start];
    if (!Reads_left_to_right(last) && Opening_bracket(last) == 0 && !Is_combining_mark(last)) {
      read(start, 1);  // most of a right-to-left line: one character read backwards
      end = start;
      continue;
    }
    if (const auto island = Left_to_right_island(visual_, from, end, closers_)) {
      start = island->start;
      for (std::size_t j = end; j-- > island->end;) read(j, 1);
      if (island->number_end != island->start) {
        // A number and its unit: the number is read first.
        for (std::size_t j = island->number_start; j < island->end; ++j) read(j, 0);
        for (std::size_t j = island->number_start; j-- > island->number_end;) read(j, 1);
        for (std::size_t j = start; j < island->number_end; ++j) read(j, 0);
      } else {
        for (std::size_t j = start; j < island->end; ++j) read(j, 0);
      }
    } else {
      while (start > from && Is_combining_mark(visual[start])) --start;
      for (std::size_t j = start; j < end; ++j) read(j, 1);
    }
    end = start;
  }
  out = next;
}

// The right-to-left stretch of the picture that starts with the letter at
// `j`: to the last right-to-left letter before the next Latin letter, with
// the marks after it, a number that stands on its left, and a bracket just
// outside it whose partner is inside. The stretch before it ended at
// `previous_end`.
Bidi_reordering::Stretch Bidi_reordering::Right_to_left_stretch(std::size_t j, std::size_t previous_end) const {
  const std::size_t n = visual_.size();
  std::size_t stretch_end = j + 1;
  for (std::size_t k = j + 1; k < n && !Reads_left_to_right(visual_[k]); ++k) {
    if (Reads_right_to_left(visual_[k])) stretch_end = k + 1;
  }
  while (stretch_end < n && Is_combining_mark(visual_[stretch_end])) ++stretch_end;
  std::size_t stretch_start = j;
  std::size_t k = j;
  while (k > previous_end && (visual_[k - 1] == ' ' || visual_[k - 1] == '-' || visual_[k - 1] == '%' ||
                              Is_number_part(visual_[k - 1]))) {
    --k;
  }
  while (k < j && visual_[k] == ' ') ++k;
  const bool number_of_a_word = k > previous_end && Reads_left_to_right(visual_[k - 1]);  // "F5", "HTML5"
  if (k < j && !number_of_a_word && ((visual_[k] >= '0' && visual_[k] <= '9') || visual_[k] == '-')) {
    stretch_start = k;
  }
  const std::u32string_view inside(visual_.data() + stretch_start, stretch_end - stretch_start);
  if (stretch_start > previous_end && Closing_bracket(visual_[stretch_start - 1]) != 0 &&
      inside.find(Closing_bracket(visual_[stretch_start - 1])) != std::u32string_view::npos) {
    --stretch_start;
  }
  if (stretch_end < n && Opening_bracket(visual_[stretch_end]) != 0 &&
      inside.find(Opening_bracket(visual_[stretch_end])) != std::u32string_view::npos) {
    ++stretch_end;
  }
  return {stretch_start, stretch_end};
}

// The guess of a left-to-right reading of the picture: left to right, but
// for the right-to-left stretches, which read as Guess_right_to_left reads.
void Bidi_reordering::Guess_left_to_right() {
  const std::size_t n = visual_.size();
  std::size_t out = 0;
  std::size_t j = 0;
  std::size_t previous_end = 0;  // where the last right-to-left stretch ended
  while (j < n) {
    if (!Reads_right_to_left(visual_[j])) {
      positions_[out++] = static_cast<std::int32_t>(j++);
      continue;
    }
    const Stretch stretch = Right_to_left_stretch(j, previous_end);
    out = stretch.start;  // outside the stretches, out follows j
    Guess_right_to_left(stretch.start, stretch.end, out);
    j = previous_end = stretch.end;
  }
}

// Shows the candidate reading for at most `rounds` rounds, each time taking
// the order that the reading's own levels give, until the algorithm shows
// it as exactly the picture (returns true) or the order settles.
bool Bidi_reordering::Settle_reading(int rounds) {
  const std::size_t n = visual_.size();
  logical_.resize(n);
  next_positions_.resize(n);
  next_mirrored_.resize(n);
  for (int round = 0; round < rounds; ++round) {
    for (std::size_t i = 0; i < n; ++i) {
      const char32_t c = visual_[static_cast<std::size_t>(positions_[i])];
      logical_[i] = mirrored_[i] ? Mirror(c) : c;
    }
    Show(logical_);
    if (picture_.visual == visual_) return true;
    for (std::size_t j = 0; j < n; ++j) {
      const auto i = static_cast<std::size_t>(picture_.visual_to_logical[j]);
      next_positions_[i] = static_cast<std::int32_t>(j);
      next_mirrored_[i] = picture_.levels[i] & 1U;
    }
    if (next_positions_ == positions_ && next_mirrored_ == mirrored_) return false;
    positions_.swap(next_positions_);
    mirrored_.swap(next_mirrored_);
  }
  return false;
}

// Writes the candidate reading of `line` into `reading`. Returns whether a
// mirrored bracket stayed as it was, because the set cannot write its mirror
// (as To_visual keeps it).
bool Bidi_reordering::Write_reading(const Text& line, Text& reading) const {
  const std::size_t n = line.size();
  reading.resize(n);
  bool kept_a_mirror = false;
  for (std::size_t i = 0; i < n; ++i) {
    const auto j = static_cast<std::size_t>(positions_[i]);
    const char32_t c = mirrored_[i] ? Mirror(visual_[j]) : visual_[j];
    const bool kept = c != visual_[j] && !Writes(c);
    kept_a_mirror = kept_a_mirror || kept;
    reading[i] = c == visual_[j] || kept ? line[j] : Unit_for(c);
  }
  return kept_a_mirror;
}

// Reads the visual line as a paragraph of `base` direction: first by the
// guess of the most natural reading, then, as long as the algorithm does
// not show the reading as exactly the visual line, as the order that the
// reading's own levels give. Levels depend on the characters' classes far
// more than on their order, so the reading settles within a round or two; a
// reading that the algorithm shows as the visual line is taken.
bool Bidi_reordering::Try_reading(const Text& line, Paragraph_direction base, Text& reading) {
  // The right-to-left guess reads every sentence of the test corpora right;
  // another round mends only oddities at twice the cost. A left-to-right
  // guess leans on the levels more.
  const int rounds = base == paragraph_rtl ? 1 : 3;
  Take_characters(line);
  const std::size_t n = line.size();
  positions_.resize(n);
  mirrored_.assign(n, 0);
  if (base == paragraph_rtl) {
    std::size_t out = 0;
    Guess_right_to_left(0, n, out);
  } else {
    Guess_left_to_right();
  }
  bool shown_exactly = Settle_reading(rounds);
  if (Write_reading(line, reading) && shown_exactly) {
    // The reading holds other characters than the ones the algorithm
    // showed; whether it still shows as the line is seen by showing it.
    Text shown = reading;
    To_visual(shown);
    shown_exactly = shown == line;
  }
  return shown_exactly;
}

}  // namespace quorvandel
