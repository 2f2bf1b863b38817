// window_bench: drives the desktop program's main window headless through
// the work of a large file — Open, Convert with the default settings, both
// panes shown — and prints the time of each step and the peak memory
// against the file's size. Usage: window_bench [SIZE_MB] [LINES]
//
// window_bench --long-line MB builds a file of one line of MB megabytes,
// opens it, converts it with the default settings and with those of a
// visual-to-logical profile, and scrolls both panes every way, wrapped and
// unwrapped; for each step it prints its time and the longest time the
// event loop went without turning, measured by a timer due every 10 ms.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QProgressBar>
#include <QScrollBar>
#include <QTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
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

// One line of about `size` bytes of the sample text, its first word Hebrew
// so that it runs right to left, without a line break.
void Write_long_line(const std::string& file, std::size_t size) {
  quorvandel::bench::Sample_text_generator generator;
  std::ofstream out(file, std::ios::binary);
  std::string block = "\xF9\xEC\xE5\xED ";
  std::string line;
  std::size_t written = 0;
  while (written < size) {
    while (block.size() < (1 << 20)) {
      generator.Next_line(line);
      if (!line.empty()) block += line + ' ';
    }
    block.resize(std::min(block.size(), size - written));
    out << block;
    written += block.size();
    block.clear();
  }
}

// The longest wait between two turns of the event loop since Begin().
class Stall_watch {
 public:
  Stall_watch() {
    clock_.start();
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Turn(); });
    timer_.start(10);
  }
  void Begin() {
    last_ = clock_.elapsed();
    worst_ = 0;
  }
  qint64 Worst() {
    Turn();
    return worst_;
  }

 private:
  void Turn() {
    const qint64 now = clock_.elapsed();
    worst_ = std::max(worst_, now - last_);
    last_ = now;
  }
  QElapsedTimer clock_;
  QTimer timer_;
  qint64 last_ = 0;
  qint64 worst_ = 0;
};

void Press(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers);
  QApplication::sendEvent(widget, &release);
}

int Long_line_run(quorvandel::TProgram& program, std::size_t size_mb, const std::string& program_folder) {
  const std::string file = program_folder + "long.txt";
  Write_long_line(file, size_mb << 20);
  const double file_mib = static_cast<double>(size_mb);
  quorvandel::TMainForm& form = program.main_form();
  form.Hooks().open_file = [&](const quorvandel::File_dialog_request&) { return QString::fromStdString(file); };
  program.Start();
  form.resize(1000, 700);
  QApplication::processEvents();

  Stall_watch watch;
  qint64 worst = 0;
  std::string worst_step;
  std::printf("%-44s %9s %12s\n", "step", "time ms", "longest stall");
  const auto step = [&](const std::string& name, const std::function<void()>& action) {
    QApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    watch.Begin();
    action();
    while (form.Busy()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QApplication::processEvents();
    form.findChild<quorvandel::TText_pane*>("RichEdit1")->viewport()->repaint();
    form.findChild<quorvandel::TText_pane*>("RichEdit2")->viewport()->repaint();
    const qint64 stall = watch.Worst();
    std::printf("%-44s %9lld %9lld ms\n", name.c_str(), static_cast<long long>(timer.elapsed()),
                static_cast<long long>(stall));
    if (stall > worst) {
      worst = stall;
      worst_step = name;
    }
  };
  const auto scroll = [&](quorvandel::TText_pane* pane, const std::string& pane_name) {
    const std::string prefix = pane_name + (pane->Word_wrap() ? ", wrapped: " : ", unwrapped: ");
    step(prefix + "Ctrl+End", [&] { Press(pane, Qt::Key_End, Qt::ControlModifier); });
    step(prefix + "Ctrl+Home", [&] { Press(pane, Qt::Key_Home, Qt::ControlModifier); });
    step(prefix + "End", [&] { Press(pane, Qt::Key_End); });
    step(prefix + "Home", [&] { Press(pane, Qt::Key_Home); });
    step(prefix + "PageDown x3", [&] {
      for (int i = 0; i < 3; ++i) Press(pane, Qt::Key_PageDown);
    });
    step(prefix + "Shift+Right x50", [&] {
      for (int i = 0; i < 50; ++i) Press(pane, Qt::Key_Right, Qt::ShiftModifier);
    });
    step(prefix + "Ctrl+A", [&] { Press(pane, Qt::Key_A, Qt::ControlModifier); });
    step(prefix + "Shift+Left", [&] { Press(pane, Qt::Key_Left, Qt::ShiftModifier); });
    step(prefix + "Home", [&] { Press(pane, Qt::Key_Home); });
    for (const int share : {50, 100, 0}) {
      step(prefix + "vertical bar to " + std::to_string(share) + "%", [&] {
        QScrollBar* bar = pane->verticalScrollBar();
        bar->setValue(static_cast<int>(static_cast<long long>(bar->maximum()) * share / 100));
      });
    }
    for (const int share : {50, 100, 0}) {
      step(prefix + "horizontal bar to " + std::to_string(share) + "%", [&] {
        QScrollBar* bar = pane->horizontalScrollBar();
        bar->setValue(static_cast<int>(static_cast<long long>(bar->maximum()) * share / 100));
      });
    }
  };
  const auto wrap = [&](QAction* item, bool on) {
    step(std::string(on ? "word wrap on" : "word wrap off"), [&] {
      if (item->isChecked() != on) item->trigger();
    });
  };

  step("open", [&] { form.Open1Click(); });
  const long open_peak_kib = Peak_memory_kib();
  scroll(form.findChild<quorvandel::TText_pane*>("RichEdit1"), "source");
  wrap(form.findChild<QAction*>("SourceWrapItem"), true);
  scroll(form.findChild<quorvandel::TText_pane*>("RichEdit1"), "source");
  step("convert, default profile", [&] { form.Convert1Click(); });
  scroll(form.findChild<quorvandel::TText_pane*>("RichEdit2"), "destination");
  wrap(form.findChild<QAction*>("DestinationWrapItem"), true);
  scroll(form.findChild<quorvandel::TText_pane*>("RichEdit2"), "destination");
  quorvandel::TOptConversion& conversion = *form.Active_settings()->conversion;
  conversion.reverse_whole_line = true;
  conversion.reverse_english_phrases = true;
  conversion.reverse_digit_sequences = true;
  conversion.reverse_numerical_expressions = true;
  step("convert, visual-to-logical profile", [&] { form.Convert1Click(); });
  scroll(form.findChild<quorvandel::TText_pane*>("RichEdit2"), "destination");
  wrap(form.findChild<QAction*>("DestinationWrapItem"), false);
  scroll(form.findChild<quorvandel::TText_pane*>("RichEdit2"), "destination");

  // Copying the whole text last: it alone makes copies of it all.
  const long peak_before_copy_kib = Peak_memory_kib();
  const qint64 worst_before_copy = worst;
  step("destination: Ctrl+A, Ctrl+C", [&] {
    Press(form.findChild<quorvandel::TText_pane*>("RichEdit2"), Qt::Key_A, Qt::ControlModifier);
    Press(form.findChild<quorvandel::TText_pane*>("RichEdit2"), Qt::Key_C, Qt::ControlModifier);
  });
  const double peak_mib = static_cast<double>(Peak_memory_kib()) / 1024;
  std::printf("file: %.1f MiB in %d line(s); destination %lld characters\n", file_mib, form.findChild<quorvandel::TText_pane*>("RichEdit1")->Line_count(),
              static_cast<long long>(form.findChild<quorvandel::TText_pane*>("RichEdit2")->Byte_count()));
  std::printf("longest stall: %lld ms, in \"%s\"\n", static_cast<long long>(worst), worst_step.c_str());
  std::printf("peak memory after open: %.0f MiB, %.1f times the file's size\n",
              static_cast<double>(open_peak_kib) / 1024, static_cast<double>(open_peak_kib) / 1024 / file_mib);
  std::printf("longest stall before copying the whole text: %lld ms\n", static_cast<long long>(worst_before_copy));
  std::printf("peak memory before copying the whole text: %.0f MiB, %.1f times the file's size\n",
              static_cast<double>(peak_before_copy_kib) / 1024,
              static_cast<double>(peak_before_copy_kib) / 1024 / file_mib);
  std::printf("peak memory: %.0f MiB, %.1f times the file's size\n", peak_mib, peak_mib / file_mib);
  form.close();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  if (argc > 2 && std::strcmp(argv[1], "--long-line") == 0) {
    QTemporaryDir folder;
    const std::string program_folder = folder.path().toStdString() + "/";
    std::ofstream(program_folder + "Quorvandel.ini") << "[Configuration]\nsave_size_and_pos=0\n";
    quorvandel::TProgram program(program_folder, quorvandel::Make_desktop_services(quorvandel::User_folders{
                                                     program_folder + "config", program_folder}));
    return Long_line_run(program, std::strtoul(argv[2], nullptr, 10), program_folder);
  }
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
  form.Hooks().open_file = [&](const quorvandel::File_dialog_request&) { return QString::fromStdString(file); };
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
  while (form.Busy()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);  // a large text converts in a worker
  QApplication::processEvents();
  form.findChild<quorvandel::TText_pane*>("RichEdit2")->repaint();
  const qint64 convert_ms = timer.restart();

  const double file_mib = static_cast<double>(file_size) / (1 << 20);
  const double peak_mib = static_cast<double>(Peak_memory_kib()) / 1024;
  std::printf("file: %.1f MiB in %d lines\n", file_mib, form.findChild<quorvandel::TText_pane*>("RichEdit1")->Line_count());
  std::printf("open and show the source:        %6lld ms (%zu progress positions while reading)\n",
              static_cast<long long>(open_ms), open_positions);
  std::printf("convert and show the destination: %6lld ms (destination %d lines)\n",
              static_cast<long long>(convert_ms), form.findChild<quorvandel::TText_pane*>("RichEdit2")->Line_count());
  std::printf("peak memory after open: %.0f MiB\n", static_cast<double>(open_peak_kib) / 1024);
  std::printf("peak memory: %.0f MiB, %.1f times the file's size\n", peak_mib, peak_mib / file_mib);
  form.close();
  return 0;
}
