// window_bench: drives the desktop program's main window headless through
// the work of a large file — Open, Convert with the default settings, both
// panes shown — and prints the time of each step and the peak memory
// against the file's size. Usage: window_bench [SIZE_MB] [LINES]
#include <QApplication>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>

#include "bench/sample_text.h"
#include "mainwindow/program_entry.h"
#include "tools/u_prog_bar.h"

namespace {

long Peak_memory_kib() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return -1;
}

// About `size` bytes in `lines` lines of the sample text, cut or joined to
// the length each line needs.
std::string Make_file_text(std::size_t size, std::size_t lines) {
  quorvandel::bench::Sample_text_generator generator;
  const std::size_t line_length = size / lines - 2;
  std::string text;
  text.reserve(size);
  std::string pool;
  std::string line;
  for (std::size_t i = 0; i < lines; ++i) {
    while (pool.size() < line_length) {
      generator.Next_line(line);
      pool += line + ' ';
    }
    text.append(pool, 0, line_length);
    pool.erase(0, line_length);
    text += "\r\n";
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  const std::size_t size_mb = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 25;
  const std::size_t lines = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 600000;

  QTemporaryDir folder;
  const std::string program_folder = folder.path().toStdString() + "/";
  const std::string file = program_folder + "large.txt";
  std::size_t file_size = 0;
  {
    // Only the file keeps the text: the program's memory is what is measured.
    const std::string text = Make_file_text(size_mb << 20, lines);
    std::ofstream(file, std::ios::binary) << text;
    file_size = text.size();
  }
  std::ofstream(program_folder + "Quorvandel.ini") << "[Configuration]\nsave_size_and_pos=0\n";

  quorvandel::TProgram program(
      program_folder, quorvandel::Make_desktop_services(quorvandel::User_folders{program_folder + "config", program_folder}));
  quorvandel::TMainForm& form = program.main_form();
  form.hooks.open_file = [&](const quorvandel::File_dialog_request&) { return QString::fromStdString(file); };
  std::set<int> progress_positions;
  QObject::connect(form.dialogs().prog_bar->Progress, &QProgressBar::valueChanged,
                   [&](int value) { progress_positions.insert(value); });
  program.Start();
  form.resize(1000, 700);
  QApplication::processEvents();

  QElapsedTimer timer;
  timer.start();
  form.Open1Click();
  QApplication::processEvents();
  const qint64 open_ms = timer.restart();
  const std::size_t open_positions = progress_positions.size();
  const long open_peak_kib = Peak_memory_kib();
  form.Convert1Click();
  QApplication::processEvents();
  form.RichEdit2->repaint();
  const qint64 convert_ms = timer.restart();

  const double file_mib = static_cast<double>(file_size) / (1 << 20);
  const double peak_mib = static_cast<double>(Peak_memory_kib()) / 1024;
  std::printf("file: %.1f MiB in %d lines\n", file_mib, form.RichEdit1->Line_count());
  std::printf("open and show the source:        %6lld ms (%zu progress positions while reading)\n",
              static_cast<long long>(open_ms), open_positions);
  std::printf("convert and show the destination: %6lld ms (destination %d lines)\n",
              static_cast<long long>(convert_ms), form.RichEdit2->Line_count());
  std::printf("peak memory after open: %.0f MiB\n", static_cast<double>(open_peak_kib) / 1024);
  std::printf("peak memory: %.0f MiB, %.1f times the file's size\n", peak_mib, peak_mib / file_mib);
  form.close();
  return 0;
}
