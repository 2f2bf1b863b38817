// The bidirectional method: first the share of sentences that visual to
// logical restores exactly, against the classic visual-to-logical profile,
// on the test corpora as FriBidi shows them; then the throughput of both
// directions on a generated sample, and of FriBidi showing the same lines.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "bench/sample_text.h"
#include "bidi/fribidi_algorithm.h"
#include "engine/bidi_reordering.h"
#include "engine/convert_line.h"
#include "engine/cp1255.h"
#include "tests/engine/test_settings.h"

namespace quorvandel {
namespace {

std::vector<Text> Corpus(const std::string& path) {
  std::ifstream in(path);
  std::vector<Text> lines;
  for (std::string line; std::getline(in, line);) {
    Text text;
    Append_text_from_utf8(text, line);
    lines.push_back(text);
  }
  return lines;
}


// The fullest classic profile for right-to-left visual text.
std::unique_ptr<TPrefs> Classic_settings() {
  auto settings = test::Default_settings();
  TOptConversion& c = *settings->conversion;
  c.reverse_whole_line = c.reverse_english_phrases = c.reverse_numerical_expressions = true;
  c.reverse_hebrew_phrases = false;
  c.flip_parentheses = c.flip_brackets = c.flip_curly_parentheses = c.flip_angled_parentheses = true;
  c.number_separator_comma = c.number_separator_colon = true;
  c.truncate_trailing_spaces = false;
  return settings;
}

void Print_shares() {
  const std::string data = QUORVANDEL_SOURCE_DIR "/tests/engine/data/";
  const auto classic = Classic_settings();
  std::printf("%-28s %-6s %10s %10s\n", "sentences restored", "", "bidi", "classic");
  for (const char* file : {"bidi_sentences.txt", "bidi_sentences_unseen.txt"}) {
    const auto corpus = Corpus(data + file);
    for (const auto& [direction, name] : {std::pair{paragraph_rtl, "rtl"}, std::pair{paragraph_auto, "auto"},
                                         std::pair{paragraph_ltr, "ltr"}}) {
      Bidi_reordering reordering(Fribidi(), cs_windows, TOptQwerty{}, direction);
      std::size_t bidi = 0;
      std::size_t classic_restored = 0;
      for (const Text& logical : corpus) {
        Text line = logical;
        reordering.To_visual(line);  // as FriBidi shows it: the tests hold it to that
        Text classic_line = Convert_line(line, *classic);
        reordering.To_logical(line);
        bidi += line == logical;
        classic_restored += classic_line == logical;
      }
      const double n = static_cast<double>(corpus.size());
      std::printf("%-28s %-6s %9.1f%%", file, name, 100.0 * static_cast<double>(bidi) / n);
      if (direction == paragraph_rtl) {
        std::printf(" %9.1f%%\n", 100.0 * static_cast<double>(classic_restored) / n);
      } else {
        std::printf(" %10s\n", "-");
      }
    }
  }
  std::printf("(the classic profile reads right-to-left paragraphs only)\n\n");
}

struct Sample {
  std::vector<Text> logical;
  std::vector<Text> visual;
  std::size_t bytes = 0;
};

const Sample& The_sample() {
  static const Sample sample = [] {
    Sample s;
    bench::Sample_text_generator generator;
    Bidi_reordering reordering(Fribidi(), cs_windows, TOptQwerty{}, paragraph_rtl);
    std::string line;
    while (s.bytes < (4U << 20)) {
      generator.Next_line(line);
      s.bytes += line.size() + 1;
      s.logical.push_back(Text_from_bytes(line));
      Text visual = s.logical.back();
      reordering.To_visual(visual);
      s.visual.push_back(std::move(visual));
    }
    return s;
  }();
  return sample;
}

void BM_Logical_to_visual(benchmark::State& state) {
  const Sample& sample = The_sample();
  Bidi_reordering reordering(Fribidi(), cs_windows, TOptQwerty{}, paragraph_rtl);
  Text line;
  for (auto _ : state) {
    for (const Text& logical : sample.logical) {
      line = logical;
      reordering.To_visual(line);
      benchmark::DoNotOptimize(line.data());
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * sample.bytes));
}

void BM_Visual_to_logical(benchmark::State& state) {
  const Sample& sample = The_sample();
  Bidi_reordering reordering(Fribidi(), cs_windows, TOptQwerty{}, paragraph_rtl);
  Text line;
  for (auto _ : state) {
    for (const Text& visual : sample.visual) {
      line = visual;
      reordering.To_logical(line);
      benchmark::DoNotOptimize(line.data());
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * sample.bytes));
}

// FriBidi itself on the same lines, as Unicode, for comparison.
void BM_Fribidi_shows(benchmark::State& state) {
  const Sample& sample = The_sample();
  std::vector<std::u32string> lines;
  for (const Text& logical : sample.logical) {
    std::u32string unicode;
    for (Unit u : logical) unicode += Unicode_from_unit(u);
    lines.push_back(unicode);
  }
  Bidi_picture picture;
  for (auto _ : state) {
    for (const std::u32string& line : lines) {
      Fribidi().Show(line, paragraph_rtl, picture);
      benchmark::DoNotOptimize(picture.visual.data());
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * sample.bytes));
}

BENCHMARK(BM_Logical_to_visual)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Visual_to_logical)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fribidi_shows)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvandel

int main(int argc, char** argv) {
  quorvandel::Print_shares();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
