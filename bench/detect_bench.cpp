// The detector's accuracy on the test sentences, garbled every way it
// tells apart, and the time it takes to judge 25 MB.
//
//   build-bench/bench/detect_bench [--speed [RUNS [KIND]] | --verdicts]
//
// RUNS (5 by default) is how many times each document is judged, the best
// time counting; 1 suits a run under valgrind --tool=callgrind. KIND (an
// index into the garblings) times that kind alone. --verdicts prints a
// digest of every verdict the detector gives on documents of every kind,
// of mixed kinds and of lines cut anywhere: a change of the detector that
// is meant to be faster only must leave every line the same.
#include <algorithm>
#include <chrono>
#include <cstdint>
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

// FNV-1a over the fields of verdicts.
struct Digest {
  std::uint64_t value = 14695981039346656037ULL;
  void Add(std::uint64_t v) {
    for (int i = 0; i < 8; ++i, v >>= 8) value = (value ^ (v & 0xFF)) * 1099511628211ULL;
  }
  void Add(const Detection& d) {
    Add(d.judged);
    Add(d.source_char_set);
    Add(d.entities);
    Add(d.quoted_printable);
    Add(static_cast<std::uint64_t>(d.mojibake));
    Add(d.visual);
    Add(static_cast<std::uint64_t>(d.confidence));
    Add(d.letters);
  }
};

std::uint64_t Document_digest(const std::vector<Text>& lines) {
  Document_detector detector;
  for (const Text& line : lines) detector.Add_line(line);
  detector.Finish();
  Digest digest;
  for (const auto& p : detector.paragraphs()) {
    digest.Add(p.first_line);
    digest.Add(p.line_count);
    digest.Add(p.detection);
  }
  digest.Add(detector.Document());
  return digest.value;
}

void Print_verdicts() {
  const std::vector<Text> paragraphs = test::Hebrew_paragraphs(600);
  const auto& garblings = test::Garblings();
  for (std::size_t kind = 0; kind < garblings.size(); ++kind) {
    // Whole paragraphs, one a line; the same in short lines; and every
    // length of a start of them, one judged at a time.
    std::vector<Text> lines;
    std::vector<Text> short_lines;
    Digest starts;
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
      const Text garbled = garblings[kind].garble(paragraphs[i], i);
      lines.push_back(garbled);
      if (i % 5 == 4) lines.emplace_back();
      for (std::size_t at = 0; at < garbled.size(); at += 1 + i % 23) short_lines.push_back(garbled.substr(at, 1 + i % 23));
      if (i % 7 == 0) short_lines.emplace_back();
      if (i < 100) {
        for (std::size_t length = 0; length <= garbled.size(); ++length) starts.Add(Detect_paragraph(Text_view(garbled).substr(0, length)));
      }
    }
    std::printf("%-24s %016llx %016llx %016llx\n", std::string(garblings[kind].name).c_str(),
                static_cast<unsigned long long>(Document_digest(lines)),
                static_cast<unsigned long long>(Document_digest(short_lines)),
                static_cast<unsigned long long>(starts.value));
  }
  // Every kind after every other and English, a paragraph each, and
  // within one line; and units drawn at random.
  const std::vector<Text> english = test::English_paragraphs(200);
  std::vector<Text> mixed;
  std::vector<Text> joined;
  for (std::size_t i = 0; i < paragraphs.size() * 2; ++i) {
    const Text garbled = i % 5 == 1 ? english[i % english.size()]
                                    : garblings[(i * 7) % garblings.size()].garble(paragraphs[i % paragraphs.size()], i);
    mixed.push_back(garbled);
    if (i % 3 == 0) mixed.emplace_back();
    if (i % 2 == 0) joined.emplace_back();
    joined.back() += garbled;
    joined.back() += U' ';
  }
  std::vector<Text> random(1);
  std::uint64_t state = 1515;
  for (int i = 0; i < 400000; ++i) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    const auto draw = static_cast<std::uint32_t>(state >> 33);
    if (draw % 97 == 0) random.emplace_back();
    const std::uint32_t pick = draw % 8;
    random.back() += pick < 5 ? static_cast<Unit>((draw >> 8) % 256)
                     : pick < 7 ? static_cast<Unit>(U"&#x;=0123456789DdAa \u05D0"[(draw >> 8) % 22])
                                : static_cast<Unit>(0x100 + (draw >> 8) % 0x2100);
  }
  std::printf("%-24s %016llx %016llx %016llx\n", "mixed, random", static_cast<unsigned long long>(Document_digest(mixed)),
              static_cast<unsigned long long>(Document_digest(joined)), static_cast<unsigned long long>(Document_digest(random)));
}

}  // namespace
}  // namespace quorvandel

int main(int argc, char** argv) {
  using namespace quorvandel;
  if (argc > 1 && std::string(argv[1]) == "--verdicts") {
    Print_verdicts();
    return 0;
  }
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
