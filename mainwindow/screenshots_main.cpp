// quorvandel-screenshots: renders the main window holding a converted
// sample, the About box, the progress dialog, the preferences, the tray
// menu and the help window into PNG files, headless: in English, and again
// with the Hebrew interface into files whose names end in "-he".
// Usage: quorvandel-screenshots OUTPUT_FOLDER SAMPLE_FILE [--all]
// With --all it also renders the views that a change of layout should be
// looked at in: each page of the preferences, the window at its smallest,
// right-to-left lines with and without word wrap, the ID validator, the
// profile name box, the hotkey selection, the confirmation, the folder
// selection and the chart.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <utility>

#include "mainwindow/program_entry.h"
#include "resources/translations.h"
#include "settings/dialogs/u_hotkey.h"
#include "settings/dialogs/u_preferences.h"
#include "tools/u_about.h"
#include "tools/u_ascii_chart.h"
#include "tools/u_confirm.h"
#include "tools/u_idcheck.h"
#include "tools/u_my_input_box.h"
#include "tools/u_path_selection.h"
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

// A Hebrew text of long and short right-to-left lines and a left-to-right one.
QString Right_to_left_sample() {
  const QString words = QString::fromUtf8("\u05e9\u05dc\u05d5\u05dd \u05e2\u05d5\u05dc\u05dd 123 ");
  return words.repeated(12) + "\n" + words + "\nEnglish line\n" + words.repeated(3);
}

bool Render_layout_views(TMainForm& form, const QString& output_folder, const QString& suffix) {
  bool saved = true;
  TPrefForm& preferences = *form.dialogs().pref_form;
  for (int page = 0; page < preferences.PageControl->count(); ++page) {
    preferences.Select_page(page);
    saved = Save(preferences, output_folder + "/preferences-" + QString::number(page) + suffix + ".png") && saved;
  }
  preferences.hide();
  TIDCheck& id_check = *form.dialogs().id_check;
  saved = Save(id_check, output_folder + "/id-validator" + suffix + ".png") && saved;
  id_check.hide();
  TMyInputBox& input_box = *form.dialogs().input_box;
  input_box.Prepare(QCoreApplication::translate("quorvandel::TPrefForm", "Make A New Profile"),
                    QCoreApplication::translate("quorvandel::TPrefForm", "Please type a name for the new profile:"));
  saved = Save(input_box, output_folder + "/profile-name" + suffix + ".png") && saved;
  input_box.hide();
  using View = std::pair<QWidget*, const char*>;
  for (const auto& [dialog, name] : {View{form.dialogs().hotkey_selection, "hotkey-selection"},
                                     View{form.dialogs().confirm, "confirm"},
                                     View{form.dialogs().path_select, "path-selection"},
                                     View{form.dialogs().ascii_chart, "chart"}}) {
    saved = Save(*dialog, output_folder + "/" + name + suffix + ".png") && saved;
    dialog->hide();
  }

  form.findChild<TText_pane*>("RichEdit1")->setPlainText(Right_to_left_sample());
  form.resize(900, 420);
  saved = Save(form, output_folder + "/right-to-left" + suffix + ".png") && saved;
  form.findChild<QAction*>("SourceWrapItem")->setChecked(true);
  form.Source1Click();
  saved = Save(form, output_folder + "/right-to-left-wrapped" + suffix + ".png") && saved;
  form.resize(form.minimumSize());
  saved = Save(form, output_folder + "/minimum-width" + suffix + ".png") && saved;
  return saved;
}

int Render(const QString& output_folder, const QString& sample, bool all_views, const QString& language) {
  Remove_interface_language();
  if (!Install_interface_language(language)) return 1;
  const QString suffix = language == "en" ? QString() : "-" + language;
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
  form.Hooks().open_file = [&](const File_dialog_request&) { return sample; };
  program.Start();
  form.resize(900, 420);
  form.Open1Click();
  form.Convert1Click();

  QDir().mkpath(output_folder);
  bool saved = Save(form, output_folder + "/main-window" + suffix + ".png");
  TAbout& about = *form.dialogs().about;
  saved = Save(about, output_folder + "/about" + suffix + ".png") && saved;
  about.hide();
  TProgBar& progress = *form.dialogs().prog_bar;
  progress.setWindowTitle(QCoreApplication::translate("quorvandel::TMainForm", "Converting..."));
  progress.Progress->setValue(420);
  saved = Save(progress, output_folder + "/progress" + suffix + ".png") && saved;
  progress.hide();
  TPrefForm& preferences = *form.dialogs().pref_form;
  preferences.Select_page(0);
  saved = Save(preferences, output_folder + "/preferences" + suffix + ".png") && saved;
  preferences.hide();

  form.TrayNotify(TMainForm::tray_right_button_down, QPoint(0, 0));
  QApplication::processEvents();
  QMenu& tray_menu = *form.findChild<QMenu*>("SysTrayPopup");
  saved = Save(tray_menu, output_folder + "/tray-menu" + suffix + ".png") && saved;
  tray_menu.hide();

  form.services().help->Show_topic("BIDITranslation");
  QWidget* help = nullptr;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->isVisible() && window->windowTitle() == QCoreApplication::translate("quorvandel::Qt_help_window",
                                                                                     "Quorvandel Help")) {
      help = window;
    }
  }
  saved = help && Save(*help, output_folder + "/help" + suffix + ".png") && saved;
  if (help) help->hide();
  if (all_views) saved = Render_layout_views(form, output_folder, suffix) && saved;
  form.close();
  return saved ? 0 : 1;
}

}  // namespace
}  // namespace quorvandel

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  const bool all_views = argc == 4 && QByteArray(argv[3]) == "--all";
  if (argc != 3 && !all_views) {
    std::fprintf(stderr, "usage: quorvandel-screenshots OUTPUT_FOLDER SAMPLE_FILE [--all]\n");
    return 2;
  }
  const int english = quorvandel::Render(argv[1], argv[2], all_views, "en");
  const int hebrew = quorvandel::Render(argv[1], argv[2], all_views, "he");
  return english != 0 ? english : hebrew;
}
