// quorvandel-screenshots: renders the main window holding a converted
// sample, the About box, the progress dialog, the tray menu and the help
// window into PNG files, headless.
// Usage: quorvandel-screenshots OUTPUT_FOLDER SAMPLE_FILE
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <fstream>

#include "mainwindow/program_entry.h"
#include "tools/u_about.h"
#include "tools/u_prog_bar.h"

namespace quorvandel {
namespace {

bool Save(QWidget& widget, const QString& path) {
  widget.show();
  QApplication::processEvents();
  const bool saved = widget.grab().save(path);
  if (!saved) std::fprintf(stderr, "could not write %s\n", qPrintable(path));
  return saved;
}

int Render(const QString& output_folder, const QString& sample) {
  QTemporaryDir program_folder;
  const std::string folder = program_folder.path().toStdString() + "/";
  // A visual-order DOS file shown in logical order, as the sample's profile does.
  std::ofstream(folder + "Quorvandel.ini") << "[Configuration]\nsave_size_and_pos=0\n"
                                              "[Default_Settings]\nsource_char_set=1\nreverse_whole_line=1\n"
                                              "reverse_hebrew_phrases=0\nreverse_english_phrases=1\n"
                                              "reverse_numerical_expressions=1\nnumber_separator_colon=1\n"
                                              "flip_parentheses=1\n";
  TProgram program(folder, Make_desktop_services(User_folders{folder + "config", folder}));
  TMainForm& form = program.main_form();
  form.hooks.open_file = [&](const File_dialog_request&) { return sample; };
  program.Start();
  form.resize(900, 420);
  form.Open1Click();
  form.Convert1Click();

  QDir().mkpath(output_folder);
  bool saved = Save(form, output_folder + "/main-window.png");
  TAbout& about = *form.dialogs().about;
  saved = Save(about, output_folder + "/about.png") && saved;
  about.hide();
  TProgBar& progress = *form.dialogs().prog_bar;
  progress.setWindowTitle("Converting...");
  progress.Progress->setValue(420);
  saved = Save(progress, output_folder + "/progress.png") && saved;
  progress.hide();

  form.TrayNotify(TMainForm::tray_right_button_down, QPoint(0, 0));
  QApplication::processEvents();
  saved = Save(*form.SysTrayPopup, output_folder + "/tray-menu.png") && saved;
  form.SysTrayPopup->hide();

  form.services().help->Show_topic("BIDITranslation");
  QWidget* help = nullptr;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->isVisible() && window->windowTitle() == "Quorvandel Help") help = window;
  }
  saved = help && Save(*help, output_folder + "/help.png") && saved;
  form.close();
  return saved ? 0 : 1;
}

}  // namespace
}  // namespace quorvandel

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: quorvandel-screenshots OUTPUT_FOLDER SAMPLE_FILE\n");
    return 2;
  }
  return quorvandel::Render(argv[1], argv[2]);
}
