// Sentences written for testing and measuring the detector: Hebrew with
// some English words and numbers, and plain English, put together into
// paragraphs; and the garblings the detector must recognize, made from a
// logical-order paragraph with the program's own conversions run the other
// way.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/detection/detect.h"
#include "engine/text.h"

namespace quorvandel::test {

// Paragraphs of one to three Hebrew sentences, in code page 1255 units;
// always the same ones for the same count.
std::vector<Text> Hebrew_paragraphs(std::size_t count);
// Paragraphs of plain English.
std::vector<Text> English_paragraphs(std::size_t count);

// The Hebrew letters of a text in code page 1255.
std::size_t Hebrew_letter_count(Text_view text);

// One way of garbling logical Hebrew, and what detecting it must give.
struct Garbling {
  std::string_view name;
  Detection expected;  // judged, with the settings that repair it
  Text (*garble)(Text_view logical, std::size_t variant);
};

// Every kind the detector tells apart, correct logical code page 1255 first.
const std::vector<Garbling>& Garblings();

}  // namespace quorvandel::test
