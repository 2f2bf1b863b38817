// The tray icon as the user meets it: clicks on the icon, the menu, and the
// window minimized and restored by every route, through the recording tray.
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <gmock/gmock.h>

#include "tests/ui/program_fixture.h"

namespace quorvandel::testing {
namespace {

using ::testing::ElementsAre;

class Tray : public Program_fixture {
 protected:
  void Start(const std::string& configuration = "") {
    Write_text(Ini_path(), "[Configuration]\nsave_size_and_pos=0\n" + configuration);
    Start_program();
    QApplication::processEvents();
  }
  // The click timer's tick, half a second after it started.
  void Timer_tick() {
    if (Form().Left_click_detect_timer().isActive()) Form().LeftClickDetectTimerTimer();
  }
  std::vector<std::string> Menu_captions() {
    EXPECT_TRUE(tray->Right_click(20, 20));
    std::vector<std::string> captions;
    for (const QAction* action : Control_named<QMenu>("SysTrayPopup")->actions()) {
      captions.push_back(action->isSeparator() ? "-" : action->text().toStdString());
    }
    Control_named<QMenu>("SysTrayPopup")->hide();
    return captions;
  }
};

TEST_F(Tray, AddedEnabledAtStartAndRemovedAtShutdown) {
  Start();
  EXPECT_THAT(tray->log, ElementsAre("add enabled Quorvandel"));
  Close_program();
  EXPECT_THAT(tray->log, ElementsAre("add enabled Quorvandel", "remove"));
}

// ---- The click timer ----

struct Click_case {
  const char* name;
  const char* clicks;  // d: left button down, 2: double click, t: the timer ticks
  bool hotkeys_enabled;
  bool minimized;
  std::vector<std::string> modified;  // what the icon became, in order
};

class Clicks : public Tray, public ::testing::WithParamInterface<Click_case> {};

TEST_P(Clicks, OnTheIcon) {
  Start();
  Timer_tick();  // the tick the timer makes after the start finds no click pending
  for (const char* c = GetParam().clicks; *c; ++c) {
    if (*c == 'd') {
      ASSERT_TRUE(tray->Left_button_down());
    } else if (*c == '2') {
      ASSERT_TRUE(tray->Double_click());
    } else {
      Timer_tick();
    }
  }
  EXPECT_EQ(Form().Hotkeys_enabled(), GetParam().hotkeys_enabled);
  EXPECT_EQ(Form().Minimized(), GetParam().minimized);
  const std::vector<std::string> modified(tray->log.begin() + 1, tray->log.end());
  EXPECT_EQ(modified, GetParam().modified);
}

INSTANTIATE_TEST_SUITE_P(
    Tray, Clicks,
    ::testing::Values(
        Click_case{"SingleClickDisables", "dt", false, false, {"modify disabled Quorvandel (disabled)"}},
        Click_case{"SecondClickEnables",
                   "dtdt",
                   true,
                   false,
                   {"modify disabled Quorvandel (disabled)", "modify enabled Quorvandel"}},
        // Qt reports each press of a double click, then the double click.
        Click_case{"DoubleClickMinimizesWithoutSwitching", "dd2t", true, true, {}},
        Click_case{"DoubleClickAgainRestores", "dd2tdd2t", true, false, {}},
        Click_case{"TickWithoutClickDoesNothing", "t", true, false, {}},
        // The flag keeps its value until the next press, but the timer stopped.
        Click_case{"OneClickSwitchesOnce", "dtt", false, false, {"modify disabled Quorvandel (disabled)"}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(Tray, ClickWhileTheTimerRunsDoesNotRestartIt) {
  Start();
  ASSERT_TRUE(tray->Left_button_down());
  ASSERT_TRUE(Form().Left_click_detect_timer().isActive());
  EXPECT_EQ(Form().Left_click_detect_timer().interval(), 500);
  const int running = Form().Left_click_detect_timer().timerId();
  ASSERT_TRUE(tray->Left_button_down());
  EXPECT_EQ(Form().Left_click_detect_timer().timerId(), running);
  Timer_tick();
  EXPECT_FALSE(Form().Left_click_detect_timer().isActive());
  EXPECT_FALSE(Form().Hotkeys_enabled());  // two presses without a double click: one switch
}

// ---- The menu ----

TEST_F(Tray, MenuCaptionsFollowTheState) {
  Start();
  EXPECT_THAT(Menu_captions(), ElementsAre("Minimize", "-", "Disable hotkeys", "-", "Bonus: ID Validator", "-", "Help",
                                           "About Quorvandel", "-", "Exit Quorvandel"));
  Control_named<QAction>("EnableHotkeys")->trigger();
  Control_named<QAction>("PopRestore")->trigger();
  ASSERT_TRUE(Form().Minimized());
  const auto captions = Menu_captions();
  EXPECT_EQ(captions[0], "Restore");
  EXPECT_EQ(captions[2], "Enable hotkeys");
  EXPECT_THAT(tray->log, ElementsAre("add enabled Quorvandel", "modify disabled Quorvandel (disabled)"));
}

TEST_F(Tray, MenuOpensAtThePointer) {
  Start();
  ASSERT_TRUE(tray->Right_click(120, 80));
  EXPECT_TRUE(Control_named<QMenu>("SysTrayPopup")->isVisible());
  EXPECT_EQ(Control_named<QMenu>("SysTrayPopup")->pos(), QPoint(120, 80));
  Control_named<QMenu>("SysTrayPopup")->hide();
}

TEST_F(Tray, MenuItemsOpenTheToolsAndHelp) {
  Start();
  Control_named<QAction>("BonusIDValidator1")->trigger();
  Control_named<QAction>("PopAbout")->trigger();
  EXPECT_THAT(shown, ElementsAre("quorvandel::TIDCheck", "quorvandel::TAbout"));
  Control_named<QAction>("PopHelp")->trigger();
  EXPECT_THAT(help->topics, ElementsAre("IDH_Contents"));
}

TEST_F(Tray, ExitFromTheMenuWhileHiddenEndsTheProgram) {
  Start("min_to_systray=1\n");
  bool closed = false;
  QObject::connect(&Form(), &TMainForm::Closed, [&] { closed = true; });
  Form().MinimizeIt();
  ASSERT_TRUE(Form().isHidden());
  Control_named<QAction>("PopExit")->trigger();
  EXPECT_TRUE(closed);
  EXPECT_EQ(tray->log.back(), "remove");
}

// ---- Minimizing and restoring ----

enum class Route { double_click, menu, window_system };

struct Minimize_case {
  const char* name;
  bool tray_only;
  bool tray_available;
  Route route;
  bool hidden;  // where minimizing leaves the window: hidden, or minimized to the taskbar
};

class Minimizing : public Tray, public ::testing::WithParamInterface<Minimize_case> {
 protected:
  void Minimize_or_restore(bool minimize) {
    switch (GetParam().route) {
      case Route::double_click:
        Form().TrayNotify(TMainForm::tray_left_double_click);  // also without a tray to click
        break;
      case Route::menu:
        Control_named<QAction>("PopRestore")->trigger();
        break;
      case Route::window_system:  // the title bar's button, the taskbar
        if (minimize) {
          Form().setWindowState(Form().windowState() | Qt::WindowMinimized);
        } else if (Form().isHidden()) {
          Form().TrayNotify(TMainForm::tray_left_double_click);  // nothing else can reach it
        } else {
          Form().setWindowState(Form().windowState() & ~Qt::WindowMinimized);
        }
        break;
    }
    QApplication::processEvents();
  }
};

TEST_P(Minimizing, AndRestoring) {
  tray->available = GetParam().tray_available;
  Start(GetParam().tray_only ? "min_to_systray=1\n" : "min_to_systray=0\n");
  ASSERT_TRUE(Form().isVisible());

  Minimize_or_restore(true);
  EXPECT_TRUE(Form().Minimized());
  EXPECT_EQ(Form().isHidden(), GetParam().hidden);
  EXPECT_EQ(Form().Hidden_to_tray(), GetParam().hidden);
  EXPECT_TRUE(GetParam().hidden || Form().isMinimized());  // minimized to its taskbar button

  Minimize_or_restore(false);
  EXPECT_FALSE(Form().Minimized());
  EXPECT_TRUE(Form().isVisible());
  EXPECT_FALSE(Form().isMinimized());
  EXPECT_EQ(Form().Hidden_to_tray(), GetParam().hidden);  // stays for the rest of the run
  EXPECT_EQ(tray->log.size(), 1u);  // the icon stays as it was
}

INSTANTIATE_TEST_SUITE_P(
    Tray, Minimizing,
    ::testing::Values(Minimize_case{"TaskbarByDoubleClick", false, true, Route::double_click, false},
                      Minimize_case{"TaskbarByMenu", false, true, Route::menu, false},
                      Minimize_case{"TaskbarByTitleBar", false, true, Route::window_system, false},
                      Minimize_case{"TrayOnlyByDoubleClick", true, true, Route::double_click, true},
                      Minimize_case{"TrayOnlyByMenu", true, true, Route::menu, true},
                      Minimize_case{"TrayOnlyByTitleBar", true, true, Route::window_system, true},
                      // Without a tray, a hidden window could not be brought back.
                      Minimize_case{"TrayOnlyWithoutTrayByTitleBar", true, false, Route::window_system, false},
                      Minimize_case{"TrayOnlyWithoutTrayByMenu", true, false, Route::menu, false}),
    [](const auto& test) { return std::string(test.param.name); });

struct Modal_case {
  const char* name;
  bool tray_only;
  bool start_minimized;
};

class While_a_dialog_is_open : public Tray, public ::testing::WithParamInterface<Modal_case> {};

// Minimize and restore requests do nothing while the program waits for an
// answer; the window system may still minimize the window itself.
TEST_P(While_a_dialog_is_open, MinimizeAndRestoreAreIgnored) {
  Start(std::string("min_to_systray=") + (GetParam().tray_only ? "1" : "0") + "\n");
  if (GetParam().start_minimized) Form().MinimizeIt();
  const bool was_minimized = Form().Minimized();
  const bool was_hidden = Form().isHidden();
  modal_answers.push_back([&](QDialog&) {
    Form().TrayNotify(TMainForm::tray_left_double_click);
    Control_named<QAction>("PopRestore")->trigger();
    if (!was_hidden) Form().setWindowState(Form().windowState() | Qt::WindowMinimized);  // from the taskbar
    QApplication::processEvents();
    EXPECT_EQ(Form().Minimized(), was_minimized);
    EXPECT_EQ(Form().isHidden(), was_hidden);
    return 2;
  });
  Form().About2Click();
  EXPECT_TRUE(modal_answers.empty());
  EXPECT_FALSE(Form().Hidden_to_tray() && !was_hidden);
}

INSTANTIATE_TEST_SUITE_P(Tray, While_a_dialog_is_open,
                         ::testing::Values(Modal_case{"ShownTaskbar", false, false},
                                           Modal_case{"ShownTrayOnly", true, false},
                                           Modal_case{"HiddenInTray", true, true}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(Tray, RestoreAfterAStartInTheTrayShowsTheWindow) {
  Start("start_minimized=1\nmin_to_systray=1\n");
  ASSERT_FALSE(Form().isVisible());
  ASSERT_TRUE(tray->Double_click());
  EXPECT_TRUE(Form().isVisible());
  EXPECT_FALSE(Form().Minimized());
  EXPECT_FALSE(Form().Hidden_to_tray());
}

TEST_F(Tray, StartInTheTrayWithoutATrayStartsMinimizedToTheTaskbar) {
  tray->available = false;
  Start("start_minimized=1\nmin_to_systray=1\n");
  EXPECT_TRUE(Form().isVisible());
  EXPECT_TRUE(Form().isMinimized());
  EXPECT_TRUE(Form().Minimized());
  Form().setWindowState(Qt::WindowNoState);  // restored from the taskbar
  QApplication::processEvents();
  EXPECT_FALSE(Form().Minimized());
  EXPECT_TRUE(Form().isVisible());
}

TEST_F(Tray, PanesHiddenWhileTheWindowIsMovedOrResized) {
  Start();
  Form().HandleResizeBegin();
  EXPECT_FALSE(RichEdit1()->isVisible());
  EXPECT_FALSE(RichEdit2()->isVisible());
  Form().HandleResizeEnd();
  EXPECT_TRUE(RichEdit1()->isVisible());
  EXPECT_TRUE(RichEdit2()->isVisible());
}

// ---- Help ----

TEST_F(Tray, HelpContentsOpensTheContents) {
  Start();
  Form().ContentsClick();
  EXPECT_THAT(help->topics, ElementsAre("IDH_Contents"));
}

struct Context_help_case {
  const char* name;
  QWidget* (*control)(TMainForm& form);
  const char* topic;
};

class Context_help : public Tray, public ::testing::WithParamInterface<Context_help_case> {};

TEST_P(Context_help, F1OpensTheFocusedControlsTopic) {
  Start();
  Form().activateWindow();
  QWidget* control = GetParam().control(Form());
  control->setFocus();
  QApplication::processEvents();
  ASSERT_EQ(QApplication::focusWidget(), control);
  QTest::keyClick(control, Qt::Key_F1);
  EXPECT_THAT(help->topics, ElementsAre(GetParam().topic));
}

INSTANTIATE_TEST_SUITE_P(
    Tray, Context_help,
    ::testing::Values(
        Context_help_case{"SourcePane", [](TMainForm& form) -> QWidget* { return Find_control<TText_pane>(form, "RichEdit1"); },
                          "StraightConversion"},
        Context_help_case{"DestinationPane", [](TMainForm& form) -> QWidget* { return Find_control<TText_pane>(form, "RichEdit2"); },
                          "StraightConversion"},
        Context_help_case{"OpenButton", [](TMainForm& form) -> QWidget* { return Find_control<QPushButton>(form, "OpenBut"); },
                          "StraightConversion"},
        Context_help_case{"ConvertButton", [](TMainForm& form) -> QWidget* { return Find_control<QPushButton>(form, "Convert"); },
                          "StraightConversion"},
        Context_help_case{"PreferencesButton", [](TMainForm& form) -> QWidget* { return Find_control<QPushButton>(form, "Preferences"); },
                          "Contents"},
        Context_help_case{"FromClipboardButton", [](TMainForm& form) -> QWidget* { return Find_control<QPushButton>(form, "FromClipboard"); },
                          "ClipboardConversion"}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace quorvandel::testing
