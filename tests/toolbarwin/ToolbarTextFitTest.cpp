// Every window of the toolbar's own, opened at a small and a large screen in Korean and in English: no
// static text, button or check box caption may be wider or taller than its control, on every page.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/qt/QtOwnerDrawControl.h"
#include "platform/qt/QtWindow.h"
#include "tests/toolbarwin/ToolbarWindowsFixture.h"
#include "toolbar/windows/PositionWindow.h"
#include "toolbar/windows/ToolbarWindows.h"

// Qt last: its keyword macros must not meet the program's headers.
#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QTimer>

namespace vexa::toolbar {
namespace {

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

// Every caption of our windows, the hidden pages of a tab control among them.
std::vector<std::string> CaptionsThatDoNotFit(platform::ui::UserInterface& ui) {
  std::vector<std::string> problems;
  for (platform::ui::Window* window : ui.TopLevelWindows()) {
    auto* qt = dynamic_cast<platform::QtWindow*>(window);
    if (qt == nullptr || !qt->client()->isVisible() || window->GetTitle() == u"Vexa Toolbar 1.2") continue;
    const QString title = qt->outer()->windowTitle();
    for (QWidget* widget : qt->client()->findChildren<QWidget*>()) {
      if (dynamic_cast<platform::QtOwnerDrawControl*>(widget) != nullptr) continue;
      QString caption;
      if (auto* label = qobject_cast<QLabel*>(widget)) caption = label->text();
      if (auto* button = qobject_cast<QAbstractButton*>(widget)) caption = button->text();
      if (caption.isEmpty() || widget->width() == 0) continue;
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

class ToolbarTextFitTest : public ToolbarWindowsTest, public ::testing::WithParamInterface<Case> {
 protected:
  std::vector<std::string> Check(const std::string& scenario, const std::function<void(FakeHost&)>& open) {
    std::vector<std::string> problems;
    bool checked = false;
    Run(scenario,
        [&](FakeHost& host) {
          QTimer::singleShot(0, [&] {
            problems = CaptionsThatDoNotFit(host.Ui());
            checked = true;
          });
          open(host);
        },
        GetParam().screen, GetParam().language);
    EXPECT_TRUE(checked);
    return problems;
  }
};

TEST_P(ToolbarTextFitTest, TheTaskManagerFits) {
  EXPECT_THAT(Check("window \"A program with a long window title\"\nclick \"Task Manager\" \"Return\"\n",
                    [](FakeHost& host) { RunTaskManager(host); }),
              ::testing::IsEmpty());
}

TEST_P(ToolbarTextFitTest, TheHotKeySetupFits) {
  WriteSettings("[Hotkey1]\r\nTitle=Navigation\r\nShortName=Nav\r\n");
  EXPECT_THAT(Check("click \"SetUp Hotkey\" \"Return\"\n",
                    [](FakeHost& host) { RunHotkeySetup(host, 1, std::nullopt); }),
              ::testing::IsEmpty());
}

TEST_P(ToolbarTextFitTest, TheCalendarFits) {
  extraArgs = {"--start-time", "2026-12-30 23:59:58"};
  EXPECT_THAT(Check("wait 1000\nclick \"Calendar\" \"Return\"\n", [](FakeHost& host) { RunCalendar(host); }),
              ::testing::IsEmpty());
}

TEST_P(ToolbarTextFitTest, TheSettingsWindowFitsOnEveryPage) {
  WriteSettings("[Hotkey1]\r\nTitle=Navigation\r\n[Program1]\r\nProgramPath=\\Storage Card\\Programs\r\n");
  EXPECT_THAT(Check("click \"SetUp Toolbar\" \"Return\"\n", [](FakeHost& host) { RunToolbarSetup(host); }),
              ::testing::IsEmpty());
}

TEST_P(ToolbarTextFitTest, ThePositionWindowFits) {
  WriteSettings("[Main]\r\nXPosition=700\r\nYPosition=400\r\n");
  EXPECT_THAT(Check("click \"Position\" \"Return\"\n",
                    [](FakeHost& host) { RunPositionWindow(host, host.Toolbar(), &host.Window()); }),
              ::testing::IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(ScreensAndLanguages, ToolbarTextFitTest,
                         ::testing::Values(Case{"480x272", "ko"}, Case{"480x272", "en"}, Case{"800x480", "ko"},
                                           Case{"800x480", "en"}),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           return std::string(info.param.screen) + "_" + info.param.language;
                         });

}  // namespace
}  // namespace vexa::toolbar
