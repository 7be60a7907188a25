#include <QFile>
#include <QDir>
#include <QImage>
#include <QToolButton>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/qt/QtAutomation.h"
#include "platform/qt/QtUpDownControl.h"
#include "platform/qt/QtUserInterface.h"
#include "platform/qt/QtWindow.h"
#include "tests/qt/QtTestSupport.h"

namespace vexa::platform {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using testing::RecordingHandler;
using Command = RecordingHandler::Command;
using ui::CheckState;
using ui::ControlKind;
using ui::Notification;
using ui::Rect;

ui::WindowTemplate Form() {
  ui::WindowTemplate t;
  t.title = u"Form";
  t.rect = Rect::FromSize(100, 50, 300, 250);
  auto add = [&](int id, ControlKind kind, Rect r, std::u16string caption = {}, std::uint32_t style = 0) {
    t.controls.push_back({id, kind, r, std::move(caption), style});
  };
  add(1, ControlKind::kPushButton, Rect::FromSize(10, 10, 60, 24), u"Go");
  add(2, ControlKind::kOwnerDrawButton, Rect::FromSize(80, 10, 40, 30));
  add(3, ControlKind::kCheckBox, Rect::FromSize(130, 10, 70, 20), u"Two");
  add(4, ControlKind::kThreeStateCheckBox, Rect::FromSize(210, 10, 80, 20), u"Three");
  add(5, ControlKind::kRadioButton, Rect::FromSize(10, 40, 50, 20), u"A", ui::kGroupStart);
  add(6, ControlKind::kRadioButton, Rect::FromSize(60, 40, 50, 20), u"B");
  add(7, ControlKind::kEdit, Rect::FromSize(120, 40, 60, 22), u"3", ui::kNumber);
  add(8, ControlKind::kUpDown, Rect::FromSize(180, 40, 16, 22));
  add(9, ControlKind::kListBox, Rect::FromSize(10, 70, 80, 60));
  add(10, ControlKind::kComboList, Rect::FromSize(100, 70, 80, 100));
  add(11, ControlKind::kComboEdit, Rect::FromSize(190, 70, 80, 100));
  add(12, ControlKind::kListView, Rect::FromSize(10, 140, 80, 60));
  add(13, ControlKind::kTab, Rect::FromSize(100, 140, 90, 60));
  add(14, ControlKind::kMonthCalendar, Rect::FromSize(200, 100, 95, 140));
  add(15, ControlKind::kStatic, Rect::FromSize(10, 210, 80, 20), u"Label");
  add(16, ControlKind::kEdit, Rect::FromSize(100, 210, 60, 20), u"fixed", ui::kReadOnly);
  add(17, ControlKind::kPushButton, Rect::FromSize(170, 210, 20, 20), u"X", ui::kDisabled);
  return t;
}

class QtAutomationTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::EnsureQtApplication(); }

  ui::Window& OpenForm() {
    ui::Window& w = ui.CreateModeless(Form(), handler, nullptr);
    for (std::u16string item : {u"red", u"green", u"blue"}) {
      for (int id : {9, 10, 11, 12, 13}) w.AddItem(id, item);
    }
    return w;
  }

  testing::ManualTimers timers;
  testing::ScriptedPump pump;
  testing::RecordingLog log;
  QtUserInterface ui{timers, pump, log, {800, 480}};
  QtAutomation automation{ui};
  RecordingHandler handler;
};

TEST_F(QtAutomationTest, ClickPressesButtonsAndSteppingCheckBoxesTheDevicesWay) {
  ui::Window& w = OpenForm();
  EXPECT_EQ(automation.Click(u"Form", 1), "");
  EXPECT_EQ(automation.Click(u"form", 3), "");  // titles match without regard to case as a fallback
  EXPECT_EQ(w.GetCheck(3), CheckState::kChecked);
  // Three states go clear, checked, grey, clear.
  automation.Click(u"Form", 4);
  EXPECT_EQ(w.GetCheck(4), CheckState::kChecked);
  automation.Click(u"Form", 4);
  EXPECT_EQ(w.GetCheck(4), CheckState::kIndeterminate);
  automation.Click(u"Form", 4);
  EXPECT_EQ(w.GetCheck(4), CheckState::kUnchecked);
  EXPECT_EQ(automation.Click(u"Form", 6), "");
  EXPECT_EQ(w.GetCheck(6), CheckState::kChecked);
  EXPECT_THAT(handler.commands,
              ElementsAre(Command{1, Notification::kClicked}, Command{3, Notification::kClicked},
                          Command{4, Notification::kClicked}, Command{4, Notification::kClicked},
                          Command{4, Notification::kClicked}, Command{6, Notification::kClicked}));
}

TEST_F(QtAutomationTest, ClickingAnOwnerDrawnButtonGoesThroughThePointerPath) {
  OpenForm();
  EXPECT_EQ(automation.Click(u"Form", 2), "");
  EXPECT_THAT(handler.pointer, ElementsAre("2 down 20,15", "2 up 20,15"));
  EXPECT_THAT(handler.commands, ElementsAre(Command{2, Notification::kClicked}));
}

TEST_F(QtAutomationTest, ChooseSelectsByTextAndNotifiesLikeAUserChoice) {
  ui::Window& w = OpenForm();
  for (int id : {9, 10, 11, 12, 13}) {
    EXPECT_EQ(automation.Choose(u"Form", id, u"green"), "") << id;
    EXPECT_EQ(w.Selection(id), 1) << id;
  }
  EXPECT_EQ(automation.Choose(u"Form", 14, u"2026-03-05"), "");
  EXPECT_EQ(w.GetDate(14), (ui::Date{2026, 3, 5}));
  EXPECT_THAT(handler.commands,
              ElementsAre(Command{9, Notification::kSelectionChanged}, Command{10, Notification::kSelectionChanged},
                          Command{11, Notification::kSelectionChanged}, Command{12, Notification::kSelectionChanged},
                          Command{13, Notification::kSelectionChanged}, Command{14, Notification::kDateChanged}));
  EXPECT_THAT(automation.Choose(u"Form", 9, u"purple"), HasSubstr("has no item \"purple\""));
  EXPECT_THAT(automation.Choose(u"Form", 14, u"soon"), HasSubstr("YYYY-MM-DD"));
  EXPECT_THAT(automation.Choose(u"Form", 1, u"red"), HasSubstr("no items"));
}

TEST_F(QtAutomationTest, TypeAndCheckChangeStateAsTheUserWould) {
  ui::Window& w = OpenForm();
  EXPECT_EQ(automation.Type(u"Form", 7, u"25"), "");
  EXPECT_EQ(automation.Type(u"Form", 11, u"own words"), "");
  EXPECT_EQ(w.GetText(7), u"25");
  EXPECT_EQ(w.GetText(11), u"own words");
  EXPECT_THAT(automation.Type(u"Form", 7, u"2x"), HasSubstr("digits only"));
  EXPECT_THAT(automation.Type(u"Form", 16, u"new"), HasSubstr("read-only"));
  EXPECT_THAT(automation.Type(u"Form", 15, u"new"), HasSubstr("not an edit"));

  EXPECT_EQ(automation.Check(u"Form", 4, CheckState::kIndeterminate), "");
  EXPECT_EQ(automation.Check(u"Form", 4, CheckState::kIndeterminate), "");  // already grey: no click
  EXPECT_EQ(automation.Check(u"Form", 5, CheckState::kChecked), "");
  EXPECT_EQ(w.GetCheck(4), CheckState::kIndeterminate);
  EXPECT_THAT(automation.Check(u"Form", 3, CheckState::kIndeterminate), HasSubstr("no grey state"));
  EXPECT_THAT(automation.Check(u"Form", 5, CheckState::kUnchecked), HasSubstr("radio button"));
  EXPECT_THAT(handler.commands,
              ElementsAre(Command{7, Notification::kTextChanged}, Command{11, Notification::kTextChanged},
                          Command{4, Notification::kClicked}, Command{5, Notification::kClicked}));
}

TEST_F(QtAutomationTest, ErrorsNameWhatIsMissing) {
  ui::Window& w = OpenForm();
  EXPECT_EQ(automation.Click(u"Nothing", 1), "no window titled \"Nothing\"");
  EXPECT_EQ(automation.Click(u"Form", 1005), "window \"Form\" has no control 1005");
  EXPECT_EQ(automation.Click(u"Form", 9), "control 9 of window \"Form\" is a list box, not a button");
  EXPECT_EQ(automation.Click(u"Form", 17), "control 17 of window \"Form\" is disabled");
  w.ShowControl(1, false);
  EXPECT_EQ(automation.Click(u"Form", 1), "control 1 of window \"Form\" is hidden");
  w.Show(false);
  EXPECT_EQ(automation.Click(u"Form", 3), "window \"Form\" is hidden");
  EXPECT_THAT(automation.Press({0, 0}), HasSubstr("no window of ours at 0,0"));
  EXPECT_THAT(handler.commands, IsEmpty());
}

TEST_F(QtAutomationTest, PointerActionsReachTheTopmostWindowInClientCoordinates) {
  ui::WindowTemplate back{u"Back", ui::kPopup, Rect::FromSize(0, 0, 800, 480), {}, {}};
  ui::WindowTemplate front{u"Front", ui::kThinBorder, Rect::FromSize(200, 100, 100, 100), {}, {}};
  RecordingHandler backHandler;
  ui.CreateModeless(back, backHandler, nullptr);
  ui.CreateModeless(front, handler, nullptr);
  EXPECT_EQ(automation.Press({210, 120}), "");
  EXPECT_EQ(automation.Move({400, 300}), "");  // dragged outside: the window keeps the pointer
  EXPECT_EQ(automation.Release({400, 300}), "");
  EXPECT_EQ(automation.Press({5, 6}), "");
  EXPECT_EQ(automation.Release({5, 6}), "");
  EXPECT_THAT(handler.pointer, ElementsAre("down 10,20", "drag 200,200", "up 200,200"));
  EXPECT_THAT(backHandler.pointer, ElementsAre("down 5,6", "up 5,6"));
}

TEST_F(QtAutomationTest, APressAndReleaseOnAControlWorkLikeATap) {
  ui::Window& w = OpenForm();
  // The up arrow of the spinner, in screen coordinates: the window at 100,50, the spinner at 180,40.
  EXPECT_EQ(automation.Press({100 + 188, 50 + 45}), "");
  EXPECT_EQ(automation.Release({100 + 188, 50 + 45}), "");
  EXPECT_EQ(w.GetText(7), u"4");
  EXPECT_EQ(w.GetValue(8), 4);
  EXPECT_THAT(handler.commands, ElementsAre(Command{7, Notification::kTextChanged}, Command{8, Notification::kValueChanged}));
  // A tap on the owner-drawn button: pointer events first, then the click.
  handler.commands.clear();
  EXPECT_EQ(automation.Press({100 + 85, 50 + 12}), "");
  EXPECT_EQ(automation.Release({100 + 85, 50 + 12}), "");
  EXPECT_THAT(handler.pointer, ElementsAre("2 down 5,2", "2 up 5,2"));
  EXPECT_THAT(handler.commands, ElementsAre(Command{2, Notification::kClicked}));
}

TEST_F(QtAutomationTest, ModalRunsNestAndEachEndsWithItsResult) {
  ui::WindowTemplate outer{u"Outer", ui::kCaption, Rect::FromSize(10, 10, 200, 100), {}, {}};
  outer.controls.push_back({1, ControlKind::kPushButton, Rect::FromSize(10, 10, 80, 24), u"More", 0});
  ui::WindowTemplate inner{u"Inner", ui::kCaption, Rect::FromSize(50, 50, 100, 60), {}, {}};
  inner.controls.push_back({1, ControlKind::kPushButton, Rect::FromSize(10, 10, 80, 24), u"Done", 0});

  RecordingHandler innerHandler;
  innerHandler.onCommand = [](ui::Window& w, int id, Notification) {
    if (id == 1) w.EndModal(7);
  };
  int innerResult = -1;
  bool ownerDisabledMeanwhile = false;
  handler.onCommand = [&](ui::Window& w, int id, Notification) {
    if (id != 1) return;
    pump.Then([&] {
      ownerDisabledMeanwhile = !static_cast<QtWindow&>(w).client()->isEnabled();
      EXPECT_THAT(automation.Click(u"Outer", 1), HasSubstr("disabled"));
      EXPECT_EQ(automation.Click(u"Inner", 1), "");
    });
    innerResult = ui.RunModal(inner, innerHandler, &w);
    pump.Then([&w] { w.EndModal(3); });
  };
  pump.Then([&] { EXPECT_EQ(automation.Click(u"Outer", 1), ""); });
  EXPECT_EQ(ui.RunModal(outer, handler, nullptr), 3);
  EXPECT_FALSE(pump.starved);
  EXPECT_EQ(innerResult, 7);
  EXPECT_TRUE(ownerDisabledMeanwhile);
  EXPECT_THAT(ui.TopLevelWindows(), IsEmpty());
  EXPECT_THAT(log.lines, ElementsAre("window_opened Outer", "window_opened Inner", "window_closed Inner",
                                     "window_closed Outer"));
}

TEST_F(QtAutomationTest, AModalWindowClosedByTheUserAnswersZero) {
  ui::WindowTemplate dialog{u"Dialog", ui::kCaption, Rect::FromSize(10, 10, 200, 100), {}, {}};
  pump.Then([&] { ui.FindWindow(1)->Close(); });
  EXPECT_EQ(ui.RunModal(dialog, handler, nullptr), 0);
  EXPECT_EQ(handler.destroyed, 1);
}

TEST_F(QtAutomationTest, ScreenshotWritesThePngOfTheClientArea) {
  handler.paint = gfx::Rgb(10, 20, 30);
  ui::WindowTemplate t{u"Shot", ui::kPopup, Rect::FromSize(0, 0, 64, 48), {}, {}};
  ui.CreateModeless(t, handler, nullptr);
  const std::string path = (QDir::tempPath() + QStringLiteral("/vexa_qt_shot_%1.png").arg(QCoreApplication::applicationPid())).toStdString();
  EXPECT_EQ(automation.Screenshot(u"Shot", path), "");
  const QImage image(QString::fromStdString(path));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(64, 48));
  EXPECT_EQ(image.pixel(30, 30), qRgb(10, 20, 30));
  QFile::remove(QString::fromStdString(path));
  EXPECT_THAT(automation.Screenshot(u"Shot", "/nonexistent-folder/x.png"), HasSubstr("cannot write"));
}

// A setup dialog as the programs build them: labels before their fields, buttons named by caption.
ui::WindowTemplate CaptionForm() {
  ui::WindowTemplate t;
  t.title = u"Vexa Deck Setup";
  t.rect = Rect::FromSize(100, 50, 300, 250);
  auto add = [&](int id, ControlKind kind, Rect r, std::u16string caption = {}, std::uint32_t style = 0) {
    t.controls.push_back({id, kind, r, std::move(caption), style});
  };
  add(1, ControlKind::kDefaultPushButton, Rect::FromSize(10, 200, 60, 24), u"Save");
  add(2, ControlKind::kPushButton, Rect::FromSize(80, 200, 60, 24), u"Cancel");
  add(3, ControlKind::kCheckBox, Rect::FromSize(10, 10, 120, 20), u"Auto start");
  add(4, ControlKind::kStatic, Rect::FromSize(10, 40, 60, 20), u"Width:");
  add(5, ControlKind::kEdit, Rect::FromSize(80, 40, 60, 20), u"", ui::kNumber);
  add(6, ControlKind::kStatic, Rect::FromSize(10, 70, 60, 20), u"Skin:");
  add(7, ControlKind::kComboList, Rect::FromSize(80, 70, 100, 80));
  add(8, ControlKind::kPushButton, Rect::FromSize(150, 200, 40, 24), u"10");
  add(9, ControlKind::kPushButton, Rect::FromSize(200, 120, 40, 24), u"Browse");
  add(10, ControlKind::kPushButton, Rect::FromSize(200, 150, 40, 24), u"Browse");
  add(11, ControlKind::kPushButton, Rect::FromSize(200, 180, 40, 24), u"Reset", ui::kHidden);
  add(12, ControlKind::kPushButton, Rect::FromSize(250, 180, 40, 24), u"Apply", ui::kDisabled);
  add(13, ControlKind::kStatic, Rect::FromSize(10, 100, 60, 20), u"Note");
  return t;
}

TEST_F(QtAutomationTest, ACaptionNamesTheButtonOrTheFieldItsLabelStandsBefore) {
  ui::Window& w = ui.CreateModeless(CaptionForm(), handler, nullptr);
  for (std::u16string item : {u"Default", u"Compact"}) w.AddItem(7, item);
  using ui::ControlRef;
  EXPECT_EQ(automation.Click(u"Vexa Deck Setup", ControlRef::Captioned(u"Save")), "");
  EXPECT_EQ(automation.Check(u"Vexa Deck Setup", ControlRef::Captioned(u"Auto start"), CheckState::kChecked),
            "");
  // Fields without a caption of their own are named by the label before them; "Width:" is not clicked.
  EXPECT_EQ(automation.Type(u"Vexa Deck Setup", ControlRef::Captioned(u"Width:"), u"640"), "");
  EXPECT_EQ(automation.Choose(u"Vexa Deck Setup", ControlRef::Captioned(u"Skin:"), u"Compact"), "");
  // A caption of digits is a caption, not the number 10.
  EXPECT_EQ(automation.Click(u"Vexa Deck Setup", ControlRef::Captioned(u"10")), "");
  // The caption shown now counts, not the one of the template.
  w.SetText(2, u"Close");
  EXPECT_EQ(automation.Click(u"Vexa Deck Setup", ControlRef::Captioned(u"Close")), "");
  // Of two buttons with one caption, the only visible one is meant.
  w.ShowControl(10, false);
  EXPECT_EQ(automation.Click(u"Vexa Deck Setup", ControlRef::Captioned(u"Browse")), "");
  EXPECT_EQ(w.GetText(5), u"640");
  EXPECT_EQ(w.Selection(7), 1);
  EXPECT_THAT(handler.commands,
              ElementsAre(Command{1, Notification::kClicked}, Command{3, Notification::kClicked},
                          Command{5, Notification::kTextChanged}, Command{7, Notification::kSelectionChanged},
                          Command{8, Notification::kClicked}, Command{2, Notification::kClicked},
                          Command{9, Notification::kClicked}));
}

TEST_F(QtAutomationTest, AMissingOrAmbiguousCaptionFailsNamingTheWindowAndTheCaption) {
  ui::Window& w = ui.CreateModeless(CaptionForm(), handler, nullptr);
  using ui::ControlRef;
  const std::u16string title = u"Vexa Deck Setup";
  EXPECT_EQ(automation.Click(title, ControlRef::Captioned(u"Load")),
            "window \"Vexa Deck Setup\" has no control captioned \"Load\"");
  // Strict: letter case, blanks and the label's colon count.
  EXPECT_EQ(automation.Click(title, ControlRef::Captioned(u"save")),
            "window \"Vexa Deck Setup\" has no control captioned \"save\"");
  EXPECT_EQ(automation.Type(title, ControlRef::Captioned(u"Width"), u"1"),
            "window \"Vexa Deck Setup\" has no control captioned \"Width\"");
  EXPECT_EQ(automation.Click(title, ControlRef::Captioned(u"Browse")),
            "window \"Vexa Deck Setup\" has 2 controls captioned \"Browse\" (9, 10): name one by its number");
  // A caption found on something the action cannot work says what that is.
  EXPECT_EQ(automation.Click(title, ControlRef::Captioned(u"Note")),
            "control 13 of window \"Vexa Deck Setup\" is a static text, not a button");
  EXPECT_EQ(automation.Type(title, ControlRef::Captioned(u"Save"), u"x"),
            "control 1 of window \"Vexa Deck Setup\" is a push button, not an edit field");
  EXPECT_EQ(automation.Click(title, ControlRef::Captioned(u"Reset")),
            "control 11 of window \"Vexa Deck Setup\" is hidden");
  EXPECT_EQ(automation.Click(title, ControlRef::Captioned(u"Apply")),
            "control 12 of window \"Vexa Deck Setup\" is disabled");
  // A caption the program changed away is gone.
  w.SetText(1, u"OK");
  EXPECT_EQ(automation.Click(title, ControlRef::Captioned(u"Save")),
            "window \"Vexa Deck Setup\" has no control captioned \"Save\"");
  EXPECT_EQ(automation.Click(u"Other", ControlRef::Captioned(u"Save")), "no window titled \"Other\"");
  EXPECT_THAT(handler.commands, IsEmpty());
}

}  // namespace
}  // namespace vexa::platform
