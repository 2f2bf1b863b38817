// The markup machine as a table of transitions by state and character class,
// and the line reversal that follows it.
#include "engine/html_reversal.h"

#include <array>
#include <cstddef>

#include "engine/line_reversal.h"

namespace quorvandel {
namespace {

constexpr std::size_t state_count = 15;

constexpr std::array<const char*, state_count> state_names = {
    "None",       "Opened",     "Slashed",  "Named",    "ParamBegan", "FoundEqual", "FoundQuote", "FoundApost",
    "Text",       "Comment1",   "Comment2", "Comment3", "Comment4",   "Comment5",   "Error",
};

// The characters the machine tells apart; every other unit is `other`.
enum Char_class : std::uint8_t {
  less_than,
  greater_than,
  slash,
  exclamation,
  hyphen,
  equals,
  double_quote,
  apostrophe,
  space,       // the space: white space everywhere
  other_white, // tab, line feed, carriage return: white space except after '='
  other,
  class_count,
};

constexpr Char_class Byte_class(Unit c) {
  switch (c) {
    case '<': return less_than;
    case '>': return greater_than;
    case '/': return slash;
    case '!': return exclamation;
    case '-': return hyphen;
    case '=': return equals;
    case '"': return double_quote;
    case '\'': return apostrophe;
    case ' ': return space;
    case '\t':
    case '\n':
    case '\r': return other_white;
    default: return other;
  }
}

constexpr std::array<Char_class, last_byte_unit + 1> Make_byte_classes() {
  std::array<Char_class, last_byte_unit + 1> classes{};
  for (Unit c = 0; c <= last_byte_unit; ++c) classes[c] = Byte_class(c);
  return classes;
}

constexpr std::array<Char_class, last_byte_unit + 1> byte_classes = Make_byte_classes();

inline Char_class Class_of(Unit c) { return Is_byte(c) ? byte_classes[c] : other; }

enum Signal : std::uint8_t { no_signal, tag_closed, text_ended };

struct Step {
  Html_state next;
  Signal signal;
};

using S = Html_state;

// A rule for one state: `on` is a character class, or one of the two
// groups below. Later rules override earlier ones.
enum Rule_class : std::uint8_t { any_character = class_count, white_space };

struct Rule {
  Html_state state;
  std::uint8_t on;
  Html_state next;
  Signal signal = no_signal;
};

// Every pair of state and character not named here leaves the state as it is.
constexpr Rule rules[] = {
    {S::text, less_than, S::opened, text_ended},
    {S::none, less_than, S::opened, text_ended},
    {S::opened, slash, S::slashed},
    {S::opened, exclamation, S::comment1},
    {S::opened, greater_than, S::text, tag_closed},
    {S::opened, white_space, S::named},
    {S::slashed, greater_than, S::text, tag_closed},
    {S::slashed, white_space, S::named},
    {S::named, any_character, S::param_began},
    {S::named, greater_than, S::text, tag_closed},
    {S::named, equals, S::named},
    {S::named, white_space, S::named},
    {S::param_began, equals, S::found_equal},
    {S::param_began, greater_than, S::text, tag_closed},
    {S::param_began, white_space, S::named},
    {S::found_equal, double_quote, S::found_quote},
    {S::found_equal, apostrophe, S::found_apost},
    {S::found_equal, space, S::named},
    {S::found_equal, greater_than, S::text, tag_closed},
    {S::found_quote, double_quote, S::named},
    {S::found_apost, apostrophe, S::named},
    {S::comment1, any_character, S::error},
    {S::comment1, hyphen, S::comment2},
    {S::comment2, any_character, S::error},
    {S::comment2, hyphen, S::comment3},
    {S::comment3, hyphen, S::comment4},
    {S::comment4, any_character, S::comment3},
    {S::comment4, hyphen, S::comment5},
    {S::comment5, any_character, S::comment3},
    {S::comment5, hyphen, S::comment5},
    {S::comment5, greater_than, S::text, tag_closed},
    {S::error, greater_than, S::text, tag_closed},
};

constexpr bool Rule_covers(std::uint8_t on, std::size_t char_class) {
  if (on == any_character) return true;
  if (on == white_space) return char_class == space || char_class == other_white;
  return on == char_class;
}

using Transition_table = std::array<std::array<Step, class_count>, state_count>;

constexpr Transition_table Make_transitions() {
  Transition_table table{};
  for (std::size_t state = 0; state < state_count; ++state) {
    for (Step& step : table[state]) step = {static_cast<Html_state>(state), no_signal};
  }
  for (const Rule& rule : rules) {
    for (std::size_t char_class = 0; char_class < class_count; ++char_class) {
      if (Rule_covers(rule.on, char_class)) {
        table[static_cast<std::size_t>(rule.state)][char_class] = {rule.next, rule.signal};
      }
    }
  }
  return table;
}

constexpr Transition_table transitions = Make_transitions();

// "None" is never entered and behaves as "Text"; so does a value outside
// the machine, should one ever be handed in.
constexpr bool Is_text_state(Html_state state) {
  return state == S::text || state == S::none || static_cast<std::size_t>(state) >= state_count;
}

// Markup still open at the end of a line, past the tag name.
constexpr bool Is_open_markup(Html_state state) { return !Is_text_state(state) && state != S::opened; }

inline Step Transition(Html_state state, Unit c) {
  const auto index = static_cast<std::size_t>(state);
  return transitions[index < state_count ? index : static_cast<std::size_t>(S::text)][Class_of(c)];
}

}  // namespace

const char* Html_state_name(Html_state state) {
  const auto index = static_cast<std::size_t>(state);
  return index < state_count ? state_names[index] : "None";
}

Scan_signals Scan_HTML(Html_state& state, Unit c) {
  const Step step = Transition(state, c);
  state = step.next;
  return {step.signal == tag_closed, step.signal == text_ended};
}

namespace {

// Positions count from 1; a text start of 0 means that no text stretch is open.
template <typename Line>
void Reverse_line_markup(Line& line, bool reverse_html_tags, bool reverse_html_text, Html_state& state) {
  using Char = typename Line::value_type;
  const auto length = static_cast<std::int64_t>(line.size());
  Html_state current = state;
  std::int64_t tag_start = 1;
  std::int64_t text_start = 0;
  for (std::int64_t position = 1; position <= length; ++position) {
    if (Is_text_state(current)) {
      // In text only a '<' changes anything: go straight to the next one.
      if (text_start == 0) text_start = position;
      const auto next_tag = line.find(Char{'<'}, static_cast<std::size_t>(position - 1));
      if (next_tag == Line::npos) break;
      position = static_cast<std::int64_t>(next_tag) + 1;
    }
    const Step step = Transition(current, Unit_of(line[static_cast<std::size_t>(position - 1)]));
    current = step.next;
    if (step.signal == tag_closed) {
      if (reverse_html_tags) Reverse_substring(line, tag_start, position - tag_start + 1);
    } else if (step.signal == text_ended) {
      if (reverse_html_text) Reverse_substring(line, text_start, position - text_start);
      text_start = 0;
      tag_start = position;
    }
  }
  if (reverse_html_tags && Is_open_markup(current)) Reverse_substring(line, tag_start, length - tag_start + 1);
  if (reverse_html_text && Is_text_state(current) && text_start != 0) {
    Reverse_substring(line, text_start, length - text_start + 1);
  }
  state = current;
}

}  // namespace

void Reverse_HTML_Tags(Text& line, bool reverse_html_tags, bool reverse_html_text, Html_state& state) {
  Reverse_line_markup(line, reverse_html_tags, reverse_html_text, state);
}

void Reverse_HTML_Tags(Byte_text& line, bool reverse_html_tags, bool reverse_html_text, Html_state& state) {
  Reverse_line_markup(line, reverse_html_tags, reverse_html_text, state);
}

}  // namespace quorvandel
