// Throughput of the line and document conversion on a generated sample,
// under four profiles: the defaults, translation to DOS code page 862, a full
// visual-to-logical profile and HTML reversal. Reported as bytes per second
// of source text (line ends included).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "bench/sample_text.h"
#include "engine/convert_document.h"
#include "engine/convert_line.h"
#include "tests/engine/test_settings.h"
#include "tests/support/fake_conversion_document.h"

namespace quorvandel {
namespace {

constexpr std::size_t sample_size = 4 << 20;

enum class Profile { defaults, to_dos, visual_to_logical, html };

std::unique_ptr<TPrefs> Settings_for(Profile profile) {
  auto settings = test::Default_settings();
  TOptConversion& c = *settings->conversion;
  switch (profile) {
    case Profile::defaults:
      break;
    case Profile::to_dos:
      settings->dest_props->destination_char_set = cs_dos;
      break;
    case Profile::visual_to_logical:
      c.reverse_whole_line = true;
      c.reverse_english_phrases = true;
      c.reverse_digit_sequences = true;
      c.reverse_numerical_expressions = true;
      c.flip_parentheses = c.flip_brackets = c.flip_curly_parentheses = c.flip_angled_parentheses = true;
      break;
    case Profile::html:
      c.reverse_html_tags = true;
      c.reverse_html_text = true;
      break;
  }
  return settings;
}

// The sample's lines as a pane gives them: without their line ends.
struct Sample {
  std::vector<Text> lines;
  std::size_t bytes = 0;
};

const Sample& The_sample() {
  static const Sample sample = [] {
    Sample s;
    const std::string text = bench::Make_sample_text(sample_size);
    s.bytes = text.size();
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find("\r\n", start);
      if (end == std::string::npos) end = text.size();
      s.lines.push_back(Text_from_bytes(std::string_view(text).substr(start, end - start)));
      start = end + 2;
    }
    return s;
  }();
  return sample;
}

// The shared fake, but for the progress positions, which it keeps for the
// tests: kept over thousands of runs, they cost more than the conversion.
class Bench_document : public testing::Fake_conversion_document {
 public:
  using Fake_conversion_document::Fake_conversion_document;
  void Set_progress_position(int position) override { benchmark::DoNotOptimize(position); }
};

// Line by line as the document conversion does it (the HTML reversal, then
// Line_converter), without the joining, the chunks and the panes.
void BM_Line_converter(benchmark::State& state, Profile profile) {
  const Sample& sample = The_sample();
  const auto settings = Settings_for(profile);
  Text work;
  for (auto _ : state) {
    Document_converter converter(*settings);
    for (const Text& line : sample.lines) {
      work.assign(line);
      converter.Convert_raw_line(work);
      benchmark::DoNotOptimize(work.data());
    }
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(sample.bytes));
}

void BM_Convert_document(benchmark::State& state, Profile profile) {
  const Sample& sample = The_sample();
  const auto settings = Settings_for(profile);
  // The two panes, the progress dialog and the status line, doing nothing.
  Bench_document document(settings.get(), sample.lines);
  document.source_status = ps_loaded;
  document.source_file_name = "sample.txt";
  for (auto _ : state) {
    Convert_document(document);
    benchmark::DoNotOptimize(document.destination.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(sample.bytes));
  state.counters["lines"] = static_cast<double>(sample.lines.size());
}

BENCHMARK_CAPTURE(BM_Line_converter, defaults, Profile::defaults)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Line_converter, to_dos, Profile::to_dos)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Line_converter, visual_to_logical, Profile::visual_to_logical)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Line_converter, html, Profile::html)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Convert_document, defaults, Profile::defaults)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Convert_document, to_dos, Profile::to_dos)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Convert_document, visual_to_logical, Profile::visual_to_logical)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Convert_document, html, Profile::html)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvandel

BENCHMARK_MAIN();
