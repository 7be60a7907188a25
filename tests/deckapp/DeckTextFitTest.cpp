// Every window of the launcher, opened at a small and a large screen in English and in Korean: no
// static text, button or check box caption may be wider or taller than its control.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "common/Environment.h"
#include "toolbar/CloseMenu.h"
#include "toolbar/GroupList.h"
#include "toolbar/KeyboardWindow.h"
#include "deck/AutoRunCountdown.h"
#include "deck/DeckWindow.h"
#include "deck/DialogLayout.h"
#include "deck/ScreenSizeDialog.h"
#include "deck/SkinSelector.h"
#include "deck/clock/CalendarWindow.h"
#include "deck/clock/ClockWindow.h"
#include "deck/media/MediaList.h"
#include "deck/media/ShortcutList.h"
#include "deck/pictures/BackgroundDialog.h"
#include "deck/pictures/SlideShow.h"
#include "deck/settings/SettingsSheet.h"
#include "deck/tasks/TaskListWindow.h"
#include "platform/qt/QtOwnerDrawControl.h"
#include "platform/qt/QtWindow.h"
#include "platform/runtime/ProgramRuntime.h"
#include "tests/support/TempDeviceTree.h"
#include "xrun/RunnerConfigDialog.h"
#include "xrun/RunnerWindow.h"

// Qt last: its keyword macros must not meet the launcher's headers.
#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QTabBar>
#include <QTimer>

namespace vexa::deck {
namespace {

// The room a control's style leaves for its caption.
int RoomFor(QWidget* widget) {
  QStyle* style = widget->style();
  if (qobject_cast<QCheckBox*>(widget) != nullptr) {
    return widget->width() - style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, widget) -
           style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, widget);
  }
  if (qobject_cast<QRadioButton*>(widget) != nullptr) {
    return widget->width() - style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, widget) -
           style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, widget);
  }
  if (qobject_cast<QAbstractButton*>(widget) != nullptr) {
    return widget->width() - 2 * style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, widget);
  }
  return widget->contentsRect().width();
}

// "AutoRun 1002: "Navigation starts in 8 seco" needs 212 of 180" for each caption that does not fit.
std::vector<std::string> CaptionsThatDoNotFit(platform::ui::UserInterface& ui) {
  std::vector<std::string> problems;
  for (platform::ui::Window* window : ui.TopLevelWindows()) {
    auto* qt = dynamic_cast<platform::QtWindow*>(window);
    if (qt == nullptr || !qt->client()->isVisible()) continue;
    const QString title = qt->outer()->windowTitle();
    for (QWidget* widget : qt->client()->findChildren<QWidget*>()) {
      if (!widget->isVisibleTo(qt->client()) || dynamic_cast<platform::QtOwnerDrawControl*>(widget) != nullptr) continue;
      // A row of tab labels fits when it needs no scroll buttons.
      if (auto* bar = qobject_cast<QTabBar*>(widget)) {
        int needed = 0;
        for (int i = 0; i < bar->count(); ++i) needed += bar->tabRect(i).width();
        if (needed > bar->width()) {
          problems.push_back((title + " tabs need " + QString::number(needed) + " of " +
                              QString::number(bar->width()))
                                 .toStdString());
        }
        continue;
      }
      QString caption;
      if (auto* label = qobject_cast<QLabel*>(widget)) caption = label->text();
      if (auto* button = qobject_cast<QAbstractButton*>(widget)) caption = button->text();
      if (caption.isEmpty()) continue;
      const QFontMetrics metrics(widget->font());
      const int needed = metrics.horizontalAdvance(caption);
      const int room = RoomFor(widget);
      if (needed > room || metrics.height() > widget->height()) {
        problems.push_back((title + " \"" + caption + "\" needs " + QString::number(needed) + "x" +
                            QString::number(metrics.height()) + " of " + QString::number(room) + "x" +
                            QString::number(widget->height()))
                               .toStdString());
      }
    }
  }
  return problems;
}

struct Case {
  const char* screen;
  const char* language;
};

class DeckTextFitTest : public ::testing::TestWithParam<Case> {
 protected:
  DeckTextFitTest() {
    tree.WriteHostFile("Storage Card/VexaDeck/VexaDeck.exe", "");
    tree.WriteHostFile("Storage Card/VexaDeck/VexaDeck.ini", "[Main]\r\nAutoRun=NAVI\r\nAutoRunDelay=30\r\n");
    tree.WriteHostFile("Storage Card/VexaDeck/Skin/Default/skin800x480.ini", "[Main]\r\n");
    tree.WriteHostFile("Storage Card/VexaDeck/Skin/Night/skin480x272.ini", "[Main]\r\n");
    tree.MakeDir("Windows");
  }

  // Opens a window with `open` and checks its captions once it shows; the scenario then closes it.
  std::vector<std::string> Check(const std::string& scenario,
                                 const std::function<void(Environment&, platform::ui::UserInterface&)>& open) {
    const auto scenarioPath = (tree.root() / "scenario.txt").string();
    std::ofstream(scenarioPath) << scenario;
    std::vector<std::string> args = {"VexaDeck", "--headless", "--device-root", tree.root().string(), "--module-path",
                                     "\\Storage Card\\VexaDeck\\VexaDeck.exe", "--screen", GetParam().screen,
                                     "--lang", GetParam().language, "--scenario", scenarioPath,
                                     "--log", (tree.root() / "log.jsonl").string()};
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    platform::ProgramInfo info;
    info.name = u"VexaDeck";
    std::vector<std::string> problems;
    bool checked = false;
    platform::RunProgram(static_cast<int>(argv.size()), argv.data(), info,
                         [&](platform::Platform& platform, platform::ui::UserInterface& ui) {
                           Environment env(platform);
                           env.mainSettings().Read(platform::kNoWindow, u"\\Storage Card\\VexaDeck\\VexaDeck.ini");
                           QTimer::singleShot(0, [&] {
                             problems = CaptionsThatDoNotFit(ui);
                             checked = true;
                           });
                           open(env, ui);
                           return 0;
                         });
    EXPECT_TRUE(checked);
    return problems;
  }

  testing::TempDeviceTree tree;
};

TEST_P(DeckTextFitTest, TheCountDownFits) {
  EXPECT_THAT(Check("click \"AutoRun\" 2\n",
                    [](Environment& env, platform::ui::UserInterface& ui) { RunAutoRunCountdown(env, ui, nullptr); }),
              ::testing::IsEmpty());
}

TEST_P(DeckTextFitTest, TheScreenSizeDialogFits) {
  EXPECT_THAT(Check("click \"ScreenSize Setup\" 2\n",
                    [](Environment& env, platform::ui::UserInterface& ui) {
                      RunScreenSizeDialog(env, ui, nullptr, {333, 222});
                    }),
              ::testing::IsEmpty());
}

TEST_P(DeckTextFitTest, TheSkinSelectorFits) {
  EXPECT_THAT(Check("click \"Skin selector\" 2\n",
                    [](Environment& env, platform::ui::UserInterface& ui) {
                      RunSkinSelector(env, ui, nullptr, u"\\Storage Card\\VexaDeck\\Skin", u"Default",
                                      ui.ScreenSize());
                    }),
              ::testing::IsEmpty());
}

TEST_P(DeckTextFitTest, TheMediaListFits) {
  // Full pages of both columns, a folder row and names of the usual length, Korean ones among them.
  tree.MakeDir("Storage Card/음악파일/앨범 모음");
  for (int i = 0; i < 12; ++i) {
    tree.WriteHostFile("Storage Card/음악파일/0" + std::to_string(10 + i) + " 노래 제목.mp3", "x");
    tree.WriteHostFile("Storage Card/음악파일/Track " + std::to_string(10 + i) + " - Title.mp3", "x");
  }
  EXPECT_THAT(Check("click \"MP3\" 2\n",
                    [](Environment& env, platform::ui::UserInterface& ui) {
                      RunMediaList(env, ui, nullptr, MediaMode::kMusic, u"\\%STORAGE%\\음악파일");
                    }),
              ::testing::IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(ScreensAndLanguages, DeckTextFitTest,
                         ::testing::Values(Case{"480x272", "en"}, Case{"480x272", "ko"}, Case{"800x480", "en"},
                                           Case{"800x480", "ko"}),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           std::string name = std::string(info.param.screen) + "_" + info.param.language;
                           return name;
                         });

TEST_P(DeckTextFitTest, TheShortcutListFits) {
  for (const char* name : {"Calculator", "Solitaire", "File Explorer", "Notes"}) {
    tree.WriteHostFile(std::string("Storage Card/VexaDeck/Programs/") + name + ".lnk", "");
  }
  tree.WriteHostFile("Storage Card/VexaDeck/VexaDeck.ini",
                     "[Folder]\r\nApplication=\\%STORAGE%\\VexaDeck\\Programs\r\n");
  EXPECT_THAT(Check("click \"Applicaion\" 2\n",
                    [](Environment& env, platform::ui::UserInterface& ui) {
                      RunShortcutList(env, ui, nullptr, ShortcutKind::kApplication);
                    }),
              ::testing::IsEmpty());
}

TEST_P(DeckTextFitTest, TheTaskListFits) {
  EXPECT_THAT(
      Check("click \"Task List\" \"Return\"\n",
            [](Environment& env, platform::ui::UserInterface& ui) {
              const gfx::Size screen = ui.ScreenSize();
              tasks::TaskListOptions options;
              options.texts = tasks::LauncherTaskListTexts(env.KoreanUi());
              options.layout = [&](platform::ui::WindowTemplate& tmpl) { ScaleForLargeFont(tmpl, screen); };
              options.fonts = [&](platform::ui::Window& window, const platform::ui::WindowTemplate& tmpl) {
                ApplyLargeFont(env, window, tmpl, screen);
              };
              tasks::RunTaskList(env.platform(), ui, nullptr, options);
            }),
      ::testing::IsEmpty());
}

// The slide show and the background chooser.

TEST_P(DeckTextFitTest, TheSlideShowFits) {
  tree.WriteHostFile("Storage Card/VexaDeck/VexaDeck.ini", "[Folder]\r\nImage=\\Storage Card\\Pictures\r\n");
  tree.WriteHostFile("Storage Card/Pictures/a.png", "");
  EXPECT_THAT(Check("tap 10 10\n", [](Environment& env, platform::ui::UserInterface& ui) { RunSlideShow(env, ui, nullptr); }),
              ::testing::IsEmpty());
}

TEST_P(DeckTextFitTest, TheBackgroundDialogFits) {
  tree.WriteHostFile("Storage Card/VexaDeck/Skin/logoblackbig.png", "");
  tree.WriteHostFile("Storage Card/VexaDeck/Skin/logoblacksml.png", "");
  EXPECT_THAT(Check("click \"Background\" 1\n",
                    [](Environment& env, platform::ui::UserInterface& ui) {
                      BackgroundDialogInput input;
                      input.backgrounds = {u"+a long background picture name.png", u"b.jpg"};
                      input.selected = u"b.jpg";
                      input.skinRoot = u"\\Storage Card\\VexaDeck\\Skin\\";
                      input.buttonLogo = u"logoblacksml.png";
                      RunBackgroundDialog(env, ui, nullptr, input);
                    }),
              ::testing::IsEmpty());
}

}  // namespace
}  // namespace vexa::deck

// The GPS time dialog shows its texts one after another in its status text, then the date and time
// lines in their larger font; every one of them must fit, in the launcher's look (English) and in the
// toolbar's (Korean).

#include "deck/gps/GpsTimeDialog.h"
#include "platform/ui/ResourceIds.h"

namespace vexa::deck {
namespace {

std::vector<std::string> GpsTimeTextsThatDoNotFit(platform::ui::UserInterface& ui, const gps::GpsTimeTexts& texts,
                                                  bool toolbar) {
  std::vector<std::string> problems;
  platform::QtWindow* qt = nullptr;
  for (platform::ui::Window* window : ui.TopLevelWindows()) {
    if (window->GetTitle() == u"GPS Time") qt = dynamic_cast<platform::QtWindow*>(window);
  }
  if (qt == nullptr) return {"no GPS Time window"};
  auto* status = qobject_cast<QLabel*>(qt->ControlWidget(gps::kGpsTimeStatus));
  if (status == nullptr) return {"no status text"};
  for (const std::u16string& text : {texts.connecting, texts.openFailed + u"COM8:]", texts.connected,
                                     texts.settingsFailed, texts.receiving, texts.analysing, texts.succeeded,
                                     texts.clockFailed}) {
    qt->SetText(gps::kGpsTimeStatus, text);
    const QFontMetrics metrics(status->font());
    const QStringList lines = QString::fromStdU16String(text).split(QStringLiteral("\r\n"));
    for (const QString& line : lines) {
      if (metrics.horizontalAdvance(line) > status->contentsRect().width()) {
        problems.push_back("status \"" + line.toStdString() + "\" needs " +
                           std::to_string(metrics.horizontalAdvance(line)) + " of " +
                           std::to_string(status->contentsRect().width()));
      }
    }
    if (lines.size() * metrics.lineSpacing() > status->contentsRect().height()) {
      problems.push_back("status \"" + QString::fromStdU16String(text).toStdString() + "\" is too tall");
    }
  }
  // As after a success: the status gone, the date and time shown.
  qt->ShowControl(gps::kGpsTimeStatusCaption, false);
  qt->ShowControl(gps::kGpsTimeStatus, false);
  qt->SetText(gps::kGpsTimeDate, u"2026.12.28");
  qt->SetText(gps::kGpsTimeTime, toolbar ? u"오후 12:59:59" : u"HR 23:59:59");
  qt->ShowControl(gps::kGpsTimeDate, true);
  qt->ShowControl(gps::kGpsTimeTime, true);
  for (auto& problem : CaptionsThatDoNotFit(ui)) problems.push_back(problem);
  return problems;
}

TEST_P(DeckTextFitTest, TheGpsTimeDialogFitsEveryTextItShows) {
  const bool toolbar = std::string(GetParam().language) == "ko";
  std::vector<std::string> shown;
  EXPECT_THAT(Check(toolbar ? "click \"GPS Time\" 1\n" : "click \"GPS Time\" \"Return\"\n",
                    [&](Environment& env, platform::ui::UserInterface& ui) {
                      gps::GpsTimeDialogOptions options;
                      options.look = toolbar ? gps::GpsTimeLook::kToolbar : gps::GpsTimeLook::kLauncher;
                      options.attempt.texts = toolbar ? gps::KoreanGpsTimeTexts() : gps::EnglishGpsTimeTexts();
                      options.picture = platform::ui::res::deck::kGpsDecoration;
                      QTimer::singleShot(0, [&] { shown = GpsTimeTextsThatDoNotFit(ui, options.attempt.texts, toolbar); });
                      gps::RunGpsTimeDialog({ui, *env.platform().clock, nullptr, nullptr, env.platform().resources},
                                            options);
                    }),
              ::testing::IsEmpty());
  EXPECT_THAT(shown, ::testing::IsEmpty());
}

// The clock and the calendar.

TEST_P(DeckTextFitTest, TheClockWindowFits) {
  EXPECT_THAT(Check("click \"Clock\" 2\n",
                    [](Environment& env, platform::ui::UserInterface& ui) {
                      RunClockWindow(env, ui, nullptr, ui.ScreenSize());
                    }),
              ::testing::IsEmpty());
}

TEST_P(DeckTextFitTest, TheCalendarWindowFits) {
  EXPECT_THAT(Check("click \"Calendar\" 2\n",
                    [](Environment& env, platform::ui::UserInterface& ui) {
                      RunCalendarWindow(env, ui, nullptr, ui.ScreenSize());
                    }),
              ::testing::IsEmpty());
}

// The start-up runner's window and its configuration dialog.

TEST_P(DeckTextFitTest, TheRunnerWindowFits) {
  EXPECT_THAT(Check("wait 500\n",
                    [](Environment& env, platform::ui::UserInterface& ui) {
                      xrun::RunRunnerWindow(env, ui, xrun::RunnerServices{});
                    }),
              ::testing::IsEmpty());
}

TEST_P(DeckTextFitTest, TheRunnerConfigDialogFits) {
  EXPECT_THAT(Check("click \"Vexa XRun 1.0a Config\" \"Cancel\"\n",
                    [](Environment& env, platform::ui::UserInterface& ui) {
                      xrun::RunRunnerConfigDialog(env, ui, u"\\Storage Card\\VexaDeck\\VexaDeck.exe",
                                                  xrun::RunnerServices{});
                    }),
              ::testing::IsEmpty());
}

TEST_P(DeckTextFitTest, EveryPageOfTheSettingsSheetFits) {
  tree.WriteHostFile("Storage Card/VexaDeck/VexaDeck.ini",
                     "[Main]\r\nScreenSizeMode=CUSTOM\r\nScreenSize=400,240\r\n[Program]\r\n"
                     "Navigation=\\Storage Card\\Program Files\\Navigation Suite\\Maps 2008\\navigator_main.exe\r\nMoviePlayer=\\%STORAGE%\\Players\\movie.exe\r\n"
                     "[Folder]\r\nApplication=\\Storage Card\\VexaDeck\\Programs\r\nMp3=\\Storage Card\\음악파일\r\n"
                     "[Skin]\r\nSkinFolder=\\Storage Card\\VexaDeck\\Skin\r\n"
                     "[ImageViewer]\r\nLogoFile=\\Storage Card\\VexaDeck\\logo.png\r\n");
  for (int page = 0; page < kSettingsPageCount; ++page) {
    SCOPED_TRACE(page);
    EXPECT_THAT(Check("click \"Vexa Deck Setup\" \"Cancel\"\n",
                      [page](Environment& env, platform::ui::UserInterface& ui) {
                        RunSettingsSheet(env, ui, nullptr, {static_cast<SettingsPageKind>(page)});
                      }),
                ::testing::IsEmpty());
  }
}

}  // namespace
}  // namespace vexa::deck

// The skin editor: the font dialog, the General Layout window and each page of the Layout window.

#include "deck/skinedit/FontDialog.h"
#include "deck/skinedit/SkinEditor.h"

namespace vexa::deck {
namespace {

// The launcher's part in editing, without the launcher: 40 slots of no window.
class LoneEditorHost : public SkinEditorHost {
 public:
  explicit LoneEditorHost(platform::Platform& platform) {
    for (auto& slot : slots_) slot = std::make_unique<ButtonSlot>(SlotServices::From(platform));
    slots_[0]->SetCaption(u"A rather long caption");
  }
  platform::ui::Window* EditorOwner() override { return nullptr; }
  ButtonSlot& EditedSlot(int index) override { return *slots_[static_cast<std::size_t>(index)]; }
  const SkinLocation& EditedSkin() const override { return skin_; }
  void ShowEditedBackground(std::u16string_view) override {}
  void ReloadEditedSkin() override {}
  void ResumeAfterEditing() override {}

 private:
  std::array<std::unique_ptr<ButtonSlot>, kSlotCount> slots_;
  SkinLocation skin_{u"\\Storage Card\\VexaDeck\\Skin\\", u"Default",
                     u"\\Storage Card\\VexaDeck\\Skin\\Default\\skin800x480.ini", {}};
};

TEST_P(DeckTextFitTest, TheFontDialogFits) {
  EXPECT_THAT(Check("click \"Font\" 2\n",
                    [](Environment& env, platform::ui::UserInterface& ui) {
                      RunFontDialog(env, ui, nullptr, FontChoice{u"Arial", 14});
                    }),
              ::testing::IsEmpty());
}

TEST_P(DeckTextFitTest, TheSkinEditorFitsOnEveryPage) {
  for (int page = 0; page < 5; ++page) {
    SCOPED_TRACE(page);
    EXPECT_THAT(Check("click \"Layout\" \"Save\"\n",
                      [page](Environment& env, platform::ui::UserInterface& ui) {
                        LoneEditorHost host(env.platform());
                        SkinEditor editor(env, ui, host);
                        ASSERT_TRUE(editor.Enter());
                        editor.SetLastPage(page);
                        editor.OpenLayout(1);
                      }),
                ::testing::IsEmpty());
  }
}

// The toolbar's close menu, group list and on-screen keyboard.

TEST_P(DeckTextFitTest, TheToolbarsMenuListAndKeyboardFit) {
  platform::ui::WindowHandler plain;
  EXPECT_THAT(Check("wait 10\n",
                    [&](Environment&, platform::ui::UserInterface& ui) {
                      ui.RunModal(toolbar::CloseMenuTemplate({0, 0}), plain, nullptr);
                    }),
              ::testing::IsEmpty());
  EXPECT_THAT(Check("wait 10\n",
                    [&](Environment&, platform::ui::UserInterface& ui) {
                      ui.RunModal(toolbar::GroupListTemplate({0, 0}), plain, nullptr);
                    }),
              ::testing::IsEmpty());
  EXPECT_THAT(Check("click \"Toolbar Keyboard\" \"Ⅹ\"\n",
                    [](Environment& env, platform::ui::UserInterface& ui) {
                      toolbar::RunKeyboardWindow(ui, env.platform().windowList, nullptr);
                    }),
              ::testing::IsEmpty());
}

}  // namespace
}  // namespace vexa::deck

// The GPS time program's window with every status text and then the running clock, its settings
// dialog, the shortcut checker, and the intro's logo window, menu and settings.

#include "gpstime/GpsTimeWindow.h"
#include "intro/IntroWindow.h"
#include "lnkchk/LinkCheckerWindow.h"

namespace vexa::deck {
namespace {

platform::QtWindow* QtWindowTitled(platform::ui::UserInterface& ui, std::u16string_view title) {
  for (platform::ui::Window* window : ui.TopLevelWindows()) {
    if (window->GetTitle() == title) return dynamic_cast<platform::QtWindow*>(window);
  }
  return nullptr;
}

std::vector<std::string> GpsTimeProgramTextsThatDoNotFit(platform::ui::UserInterface& ui) {
  platform::QtWindow* qt = QtWindowTitled(ui, gpstime::kMainTitle);
  if (qt == nullptr) return {"no GPS time window"};
  auto* status = qobject_cast<QLabel*>(qt->ControlWidget(gpstime::kStatus));
  if (status == nullptr) return {"no status text"};
  std::vector<std::string> problems;
  const gps::GpsTimeTexts texts = gps::KoreanGpsTimeTexts();
  for (const std::u16string& text : {texts.connecting, texts.openFailed + u"COM8:]", texts.connected,
                                     texts.settingsFailed, texts.receiving, texts.analysing, texts.succeeded,
                                     texts.clockFailed, std::u16string(u"재시도...")}) {
    const QFontMetrics metrics(status->font());
    const QStringList lines = QString::fromStdU16String(text).split(QStringLiteral("\r\n"));
    for (const QString& line : lines) {
      if (metrics.horizontalAdvance(line) > status->contentsRect().width()) {
        problems.push_back("status \"" + line.toStdString() + "\" is too wide");
      }
    }
    if (lines.size() * metrics.lineSpacing() > status->contentsRect().height()) {
      problems.push_back("status \"" + QString::fromStdU16String(text).toStdString() + "\" is too tall");
    }
  }
  qt->ShowControl(gpstime::kStatusCaption, false);
  qt->ShowControl(gpstime::kStatus, false);
  qt->SetText(gpstime::kDateLine, u"2026.12.28");
  qt->SetText(gpstime::kTimeLine, u"오후 12:59:59");
  qt->ShowControl(gpstime::kDateLine, true);
  qt->ShowControl(gpstime::kTimeLine, true);
  for (auto& problem : CaptionsThatDoNotFit(ui)) problems.push_back(problem);
  return problems;
}

TEST_P(DeckTextFitTest, TheGpsTimeProgramFitsEveryTextItShows) {
  std::vector<std::string> shown;
  EXPECT_THAT(Check("click \"Vexa GPS Time\" \"Return\"\n",
                    [&](Environment& env, platform::ui::UserInterface& ui) {
                      QTimer::singleShot(0, [&] { shown = GpsTimeProgramTextsThatDoNotFit(ui); });
                      gpstime::RunGpsTimeWindow(env, ui);
                    }),
              ::testing::IsEmpty());
  EXPECT_THAT(shown, ::testing::IsEmpty());
}

TEST_P(DeckTextFitTest, TheGpsTimeSettingsDialogFits) {
  EXPECT_THAT(Check("choose \"환경 설정\" 1104 \"14400\"\nclick \"환경 설정\" \"취소\"\n",
                    [](Environment& env, platform::ui::UserInterface& ui) {
                      gpstime::SettingsTable table;
                      gpstime::RunSettingsDialog(env, ui, nullptr, table);
                    }),
              ::testing::IsEmpty());
}

TEST_P(DeckTextFitTest, TheLinkCheckerFits) {
  tree.WriteHostFile("Storage Card/VexaDeck/Programs/Voice Recorder.lnk", "20#\\SD Card\\Navi\\navi.exe");
  EXPECT_THAT(Check("quit\n",
                    [](Environment& env, platform::ui::UserInterface& ui) { lnkchk::RunLinkChecker(env, ui); }),
              ::testing::IsEmpty());
}

TEST_P(DeckTextFitTest, TheIntroWindowItsMenuAndItsSettingsFit) {
  tree.WriteHostFile("Storage Card/VexaDeck/VexaIntro.ini",
                     "[Main]\r\nVexaToolbar=Y\r\n[Program]\r\nVexaDeck=\\%STORAGE%\\VexaDeck\\VexaDeck.exe\r\n"
                     "Navigation=\\Storage Card\\Navi\\navi.exe\r\nVexaToolbar=\\%STORAGE%\\VexaDeck\\VexaToolbar.exe\r\n");
  auto run = [](Environment& env, platform::ui::UserInterface& ui) { intro::RunIntroWindow(env, ui); };
  EXPECT_THAT(Check("wait 100\nquit\n", run), ::testing::IsEmpty());
  // The menu after a tap on the logo.
  std::vector<std::string> menu;
  EXPECT_THAT(Check("wait 100\nquit\n",
                    [&](Environment& env, platform::ui::UserInterface& ui) {
                      QTimer::singleShot(0, [&] {
                        if (auto* qt = QtWindowTitled(ui, intro::kIntroTitle)) {
                          qt->ShowControl(intro::kHint, false);
                          for (int id = intro::kSettingsButton; id <= intro::kWindowsButton; ++id) qt->ShowControl(id, true);
                        }
                        menu = CaptionsThatDoNotFit(ui);
                      });
                      run(env, ui);
                    }),
              ::testing::IsEmpty());
  EXPECT_THAT(menu, ::testing::IsEmpty());
  EXPECT_THAT(Check("click \"환경설정\" \"취소\"\n",
                    [](Environment& env, platform::ui::UserInterface& ui) {
                      ProfileStore store(env.platform());
                      store.Read(platform::kNoWindow, u"\\Storage Card\\VexaDeck\\VexaIntro.ini");
                      intro::RunIntroSettings(env, ui, nullptr, store);
                    }),
              ::testing::IsEmpty());
}

}  // namespace
}  // namespace vexa::deck
