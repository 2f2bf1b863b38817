// The detector's accuracy on the test sentences, garbled every way it
// tells apart, and the time it takes to judge 25 MB.
//
//   build-bench/bench/detect_bench [--speed [RUNS [KIND]]]
//
// RUNS (5 by default) is how many times each document is judged, the best
// time counting; 1 suits a run under valgrind --tool=callgrind. KIND (an
// index into the garblings) times that kind alone.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/detection/detect.h"
#include "tests/corpus/hebrew_corpus.h"

namespace quorvandel {
namespace {

constexpr std::size_t paragraph_count = 2000;
constexpr std::size_t min_hebrew_letters = 20;
constexpr std::size_t timed_units = 25u << 20;
int timing_runs = 5;

void Print_accuracy() {
  const std::vector<Text> paragraphs = test::Hebrew_paragraphs(paragraph_count);
  std::printf("%-24s %8s %8s %9s %11s\n", "kind", "judged", "right", "right %", "confidence");
  std::size_t variant = 0;
  for (const test::Garbling& garbling : test::Garblings()) {
    std::size_t judged = 0;
    std::size_t right = 0;
    long confidence = 0;
    for (const Text& paragraph : paragraphs) {
      if (test::Hebrew_letter_count(paragraph) < min_hebrew_letters) continue;
      ++judged;
      const Detection found = Detect_paragraph(garbling.garble(paragraph, variant++));
      right += found.Same_settings(garbling.expected);
      confidence += found.confidence;
    }
    std::printf("%-24s %8zu %8zu %8.2f%% %11.1f\n", std::string(garbling.name).c_str(), judged, right,
                100.0 * static_cast<double>(right) / static_cast<double>(judged),
                static_cast<double>(confidence) / static_cast<double>(judged));
  }
  std::size_t english_repairs = 0;
  const std::vector<Text> english = test::English_paragraphs(paragraph_count);
  for (const Text& paragraph : english) english_repairs += Is_repair(Detect_paragraph(paragraph));
  std::size_t hebrew_repairs = 0;
  for (const Text& paragraph : paragraphs) hebrew_repairs += Is_repair(Detect_paragraph(paragraph));
  std::printf("false repairs: plain English %zu of %zu (%.2f%%), logical Hebrew %zu of %zu (%.2f%%)\n",
              english_repairs, english.size(), 100.0 * static_cast<double>(english_repairs) / static_cast<double>(english.size()),
              hebrew_repairs, paragraphs.size(), 100.0 * static_cast<double>(hebrew_repairs) / static_cast<double>(paragraphs.size()));
}

// 25 MB of lines of one garbling, one paragraph a line with an empty line
// after every fourth.
std::vector<Text> Document_of(const test::Garbling& garbling) {
  std::vector<Text> lines;
  std::size_t units = 0;
  const std::vector<Text> paragraphs = test::Hebrew_paragraphs(500);
  for (std::size_t i = 0; units < timed_units; ++i) {
    lines.push_back(garbling.garble(paragraphs[i % paragraphs.size()], i));
    units += lines.back().size() + 1;
    if (i % 4 == 3) lines.emplace_back();
  }
  return lines;
}

void Print_timing(const char* name, const std::vector<Text>& lines) {
  // The wall time, and the processor time, which other programs running
  // on the machine at the same time change less.
  double best = 1e9;
  double best_cpu = 1e9;
  Detection verdict;
  for (int run = 0; run < timing_runs; ++run) {
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpu_start = std::clock();
    Document_detector detector;
    for (const Text& line : lines) detector.Add_line(line);
    detector.Finish();
    verdict = detector.Document();
    best_cpu = std::min(best_cpu, static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC);
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::printf("detect 25 MB, %-22s %7.3f s (processor %6.3f s)  %s, confidence %d\n", name, best, best_cpu,
              Describe(verdict).c_str(), verdict.confidence);
}

}  // namespace
}  // namespace quorvandel

int main(int argc, char** argv) {
  using namespace quorvandel;
  const bool speed_only = argc > 1 && std::string(argv[1]) == "--speed";
  if (speed_only && argc > 2) timing_runs = std::max(1, std::atoi(argv[2]));
  if (!speed_only) Print_accuracy();
  const long only_kind = speed_only && argc > 3 ? std::atol(argv[3]) : -1;
  for (const std::size_t kind : {1U, 3U, 7U, 10U}) {
    if (only_kind >= 0 && static_cast<std::size_t>(only_kind) != kind) continue;
    const test::Garbling& garbling = test::Garblings()[kind];
    Print_timing(std::string(garbling.name).c_str(), Document_of(garbling));
  }
}
