#include <QAbstractButton>
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <thread>

#include "platform/qt/QtUserInterface.h"
#include "platform/qt/QtWindow.h"
#include "tests/qt/QtTestSupport.h"

namespace vexa::platform {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::RecordingHandler;
using ui::CheckState;
using ui::ControlKind;
using ui::Notification;
using ui::Rect;

ui::WindowTemplate EveryControl() {
  ui::WindowTemplate t;
  t.title = u"Every control";
  t.rect = Rect::FromSize(20, 30, 400, 300);
  auto add = [&](int id, ControlKind kind, Rect r, std::u16string caption = {}, std::uint32_t style = 0) {
    t.controls.push_back({id, kind, r, std::move(caption), style});
  };
  add(1, ControlKind::kDefaultPushButton, Rect::FromSize(10, 10, 80, 24), u"OK");
  add(2, ControlKind::kOwnerDrawButton, Rect::FromSize(100, 10, 40, 30));
  add(3, ControlKind::kCheckBox, Rect::FromSize(150, 10, 80, 20), u"Two");
  add(4, ControlKind::kThreeStateCheckBox, Rect::FromSize(240, 10, 80, 20), u"Three");
  add(5, ControlKind::kRadioButton, Rect::FromSize(10, 40, 60, 20), u"A", ui::kGroupStart);
  add(6, ControlKind::kRadioButton, Rect::FromSize(70, 40, 60, 20), u"B");
  add(7, ControlKind::kRadioButton, Rect::FromSize(130, 40, 60, 20), u"C", ui::kGroupStart);
  add(8, ControlKind::kStatic, Rect::FromSize(200, 40, 80, 20), u"Label");
  add(9, ControlKind::kStatusText, Rect::FromSize(290, 40, 100, 40), u"Line one and line two");
  add(10, ControlKind::kPicture, Rect::FromSize(10, 70, 20, 20));
  add(11, ControlKind::kEdit, Rect::FromSize(40, 70, 60, 22), u"5", ui::kNumber);
  add(12, ControlKind::kUpDown, Rect::FromSize(100, 70, 16, 22));
  add(13, ControlKind::kListBox, Rect::FromSize(10, 100, 100, 80), {}, ui::kSorted);
  add(14, ControlKind::kComboList, Rect::FromSize(120, 100, 100, 120));
  add(15, ControlKind::kComboEdit, Rect::FromSize(230, 100, 100, 120), u"typed");
  add(16, ControlKind::kListView, Rect::FromSize(10, 190, 100, 80));
  add(17, ControlKind::kTab, Rect::FromSize(120, 190, 150, 100));
  add(18, ControlKind::kMonthCalendar, Rect::FromSize(280, 130, 110, 160));
  add(19, ControlKind::kGroupBox, Rect::FromSize(5, 65, 120, 30), u"Group");
  add(20, ControlKind::kEdit, Rect::FromSize(330, 10, 60, 22), u"", ui::kDisabled | ui::kHidden);
  return t;
}

class QtWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::EnsureQtApplication(); }

  testing::ManualTimers timers;
  testing::ScriptedPump pump;
  testing::RecordingLog log;
  QtUserInterface ui{timers, pump, log, {800, 480}};
  RecordingHandler handler;
};

QRgb PixelAt(QWidget* widget, int x, int y) { return widget->grab().toImage().pixel(x, y); }

TEST_F(QtWindowTest, AWindowHasTheTemplatesClientRectangleTitleAndControlRectangles) {
  ui::Window& w = ui.CreateModeless(EveryControl(), handler, nullptr);
  auto& qw = static_cast<QtWindow&>(w);
  EXPECT_EQ(w.handle(), 1u);
  EXPECT_EQ(w.GetRect(), Rect::FromSize(20, 30, 400, 300));
  EXPECT_EQ(qw.outer()->windowTitle(), QStringLiteral("Every control"));
  EXPECT_EQ(qw.client()->size(), QSize(400, 300));
  EXPECT_EQ(qw.ControlWidget(1)->geometry(), QRect(10, 10, 80, 24));
  EXPECT_EQ(w.GetControlRect(13), Rect::FromSize(10, 100, 100, 80));
  // A combo box's rectangle counts its dropped list; the closed box is only as high as its text.
  EXPECT_LT(qw.ControlWidget(14)->height(), 120);
  EXPECT_TRUE(w.IsVisible());
  EXPECT_FALSE(qw.ControlWidget(20)->isVisibleTo(qw.client()));
  EXPECT_FALSE(w.IsControlEnabled(20));

  ui::WindowTemplate framed{u"Framed", ui::kThinBorder, Rect::FromSize(100, 100, 50, 40), {}, {}};
  ui::Window& f = ui.CreateModeless(framed, handler, nullptr);
  EXPECT_EQ(f.handle(), 2u);
  EXPECT_EQ(f.GetRect(), Rect::FromSize(100, 100, 50, 40));
  EXPECT_EQ(static_cast<QtWindow&>(f).outer()->geometry(), QRect(99, 99, 52, 42));
  f.Move(Rect::FromSize(10, 20, 30, 40));
  EXPECT_EQ(f.GetRect(), Rect::FromSize(10, 20, 30, 40));
  EXPECT_THAT(log.lines, ElementsAre("window_opened Every control", "window_opened Framed"));
}

TEST_F(QtWindowTest, ProgramChangesAreReadBackAndSendNoNotifications) {
  ui::Window& w = ui.CreateModeless(EveryControl(), handler, nullptr);

  w.SetText(8, u"New label");
  EXPECT_EQ(w.GetText(8), u"New label");
  w.SetText(11, u"42");
  EXPECT_EQ(w.GetText(11), u"42");
  EXPECT_EQ(w.GetText(15), u"typed");

  w.SetCheck(3, CheckState::kChecked);
  w.SetCheck(4, CheckState::kIndeterminate);
  EXPECT_EQ(w.GetCheck(3), CheckState::kChecked);
  EXPECT_EQ(w.GetCheck(4), CheckState::kIndeterminate);
  // Radio buttons: one group each; the program may clear the checked one.
  w.SetCheck(5, CheckState::kChecked);
  w.SetCheck(7, CheckState::kChecked);
  w.SetCheck(6, CheckState::kChecked);
  EXPECT_EQ(w.GetCheck(5), CheckState::kUnchecked);
  EXPECT_EQ(w.GetCheck(7), CheckState::kChecked);
  w.SetCheck(6, CheckState::kUnchecked);
  EXPECT_EQ(w.GetCheck(6), CheckState::kUnchecked);

  // A sorted list box places items without regard to case and answers where they went.
  EXPECT_EQ(w.AddItem(13, u"pear"), 0);
  EXPECT_EQ(w.AddItem(13, u"Apple"), 0);
  EXPECT_EQ(w.AddItem(13, u"banana"), 1);
  EXPECT_EQ(w.InsertItem(13, -1, u"zz last"), 3);
  w.SetItemData(13, 1, 1234);
  w.Select(13, 1);
  EXPECT_EQ(w.Selection(13), 1);
  EXPECT_EQ(w.GetText(13), u"banana");
  EXPECT_EQ(w.ItemData(13, 1), 1234);
  w.DeleteItem(13, 0);
  EXPECT_EQ(w.ItemCount(13), 3);
  EXPECT_EQ(w.ItemText(13, 0), u"banana");
  EXPECT_EQ(w.ItemText(13, 7), u"");
  w.Select(13, -1);
  EXPECT_EQ(w.Selection(13), -1);

  EXPECT_EQ(w.AddItem(14, u"one"), 0);
  EXPECT_EQ(w.AddItem(14, u"two"), 1);
  EXPECT_EQ(w.Selection(14), -1);
  w.SetText(14, u"two");
  EXPECT_EQ(w.Selection(14), 1);
  w.SetItemText(14, 1, u"deux");
  EXPECT_EQ(w.GetText(14), u"deux");
  w.AddItem(15, u"listed");
  w.ClearItems(15);
  EXPECT_EQ(w.ItemCount(15), 0);
  EXPECT_EQ(w.GetText(15), u"typed");

  w.AddItem(16, u"Track");
  w.SetItemIcon(16, 0, gfx::Bitmap(16, 16, 0xFF00FF00u));
  w.SetItemData(16, 0, -5);
  EXPECT_EQ(w.ItemData(16, 0), -5);

  w.AddItem(17, u"First");
  w.AddItem(17, u"Second");
  w.Select(17, 1);
  EXPECT_EQ(w.Selection(17), 1);
  const Rect area = w.TabPageArea(17);
  const Rect tab = w.GetControlRect(17);
  EXPECT_GT(area.top, tab.top);
  EXPECT_TRUE(area.left >= tab.left && area.right <= tab.right && area.bottom <= tab.bottom);

  w.SetDate(18, {2026, 12, 24});
  EXPECT_EQ(w.GetDate(18), (ui::Date{2026, 12, 24}));
  w.SetDate(18, {2026, 2, 30});  // no such day: ignored
  EXPECT_EQ(w.GetDate(18), (ui::Date{2026, 12, 24}));

  // The spinner starts from its buddy's number, keeps to its range and shows its value there.
  EXPECT_EQ(w.GetValue(12), 42);
  w.SetRange(12, 0, 10);
  w.SetValue(12, 99);
  EXPECT_EQ(w.GetValue(12), 10);
  EXPECT_EQ(w.GetText(11), u"10");

  w.SetControlPicture(10, gfx::Bitmap(4, 4, 0xFF123456u));
  w.SetControlFont(8, FontSpec{u"Sans", 20, 700});
  w.SetControlColors(8, gfx::Rgb(255, 0, 0), gfx::Rgb(0, 0, 0));
  w.MoveControl(1, Rect::FromSize(5, 5, 50, 20));
  EXPECT_EQ(w.GetControlRect(1), Rect::FromSize(5, 5, 50, 20));

  // Unknown ids are ignored and read back empty.
  w.SetText(999, u"x");
  EXPECT_EQ(w.GetText(999), u"");
  EXPECT_EQ(w.ItemCount(999), 0);
  EXPECT_EQ(w.Selection(999), -1);

  EXPECT_THAT(handler.commands, IsEmpty());
}

TEST_F(QtWindowTest, ControlFontsAreInPixels) {
  ui::Window& w = ui.CreateModeless(EveryControl(), handler, nullptr);
  w.SetControlFont(8, FontSpec{u"Sans", -24, 700, true});
  const QFont font = static_cast<QtWindow&>(w).ControlWidget(8)->font();
  EXPECT_EQ(font.pixelSize(), 24);
  EXPECT_EQ(font.weight(), QFont::Bold);
  EXPECT_TRUE(font.italic());
}

TEST_F(QtWindowTest, TheWindowShowsWhatOnPaintDrawsAndOwnerDrawnButtonsWhatOnDrawItemDraws) {
  handler.paint = gfx::Rgb(0, 128, 0);
  ui::Window& w = ui.CreateModeless(EveryControl(), handler, nullptr);
  auto& qw = static_cast<QtWindow&>(w);
  EXPECT_EQ(PixelAt(qw.client(), 395, 5), qRgb(0, 128, 0));
  EXPECT_EQ(PixelAt(qw.ControlWidget(2), 20, 15), qRgb(255, 0, 0));
  // The pressed look comes from the handler too.
  static_cast<QAbstractButton*>(qw.ControlWidget(2))->setDown(true);
  EXPECT_EQ(PixelAt(qw.ControlWidget(2), 1, 1), qRgb(0, 0, 255));
  EXPECT_THAT(handler.drawn, ::testing::Contains(std::pair{2, true}));
}

TEST_F(QtWindowTest, AnOwnerDrawnButtonFarLargerThanItsWindowDrawsOnlyWhatShows) {
  ui::WindowTemplate t;
  t.title = u"Huge";
  t.rect = Rect::FromSize(0, 0, 200, 100);
  t.controls.push_back({1, ControlKind::kOwnerDrawButton, Rect::FromSize(50, 20, 2000000000, 2000000000), u"", 0});
  std::vector<Rect> stored;
  handler.onDraw = [&](gfx::Bitmap& canvas) { stored.push_back(canvas.stored()); };
  ui::Window& w = ui.CreateModeless(t, handler, nullptr);
  auto& qw = static_cast<QtWindow&>(w);
  qw.client()->grab();
  ASSERT_FALSE(stored.empty());
  for (const Rect& r : stored) {
    EXPECT_LE(r.width(), 200);
    EXPECT_LE(r.height(), 100);
  }
  EXPECT_EQ(PixelAt(qw.client(), 199, 99), qRgb(255, 0, 0));
}

TEST_F(QtWindowTest, APressIsReleasedWhenThePointerLeavesOrTheGrabIsLost) {
  ui::Window& w = ui.CreateModeless(EveryControl(), handler, nullptr);
  auto* button = static_cast<QAbstractButton*>(static_cast<QtWindow&>(w).ControlWidget(2));
  for (const QEvent::Type type : {QEvent::Leave, QEvent::UngrabMouse}) {
    button->setDown(true);
    QEvent event(type);
    QCoreApplication::sendEvent(button, &event);
    EXPECT_FALSE(button->isDown()) << type;
    EXPECT_EQ(PixelAt(button, 1, 1), qRgb(255, 0, 0)) << type;
  }
}

TEST_F(QtWindowTest, TheWindowRepaintsOnlyTheDamagedRectangle) {
  handler.paint = gfx::Rgb(0, 128, 0);
  std::vector<Rect> painted;
  handler.onPaint = [&](gfx::Bitmap& canvas) { painted.push_back(canvas.stored()); };
  ui::Window& w = ui.CreateModeless(EveryControl(), handler, nullptr);
  auto& qw = static_cast<QtWindow&>(w);
  qw.client()->grab();  // the first paint lays the window out
  ASSERT_FALSE(painted.empty());
  EXPECT_EQ(painted.back(), Rect::FromSize(0, 0, 400, 300));
  painted.clear();
  qw.client()->grab(QRect(5, 275, 100, 20));
  ASSERT_FALSE(painted.empty());
  EXPECT_EQ(painted.back(), Rect::FromSize(5, 275, 100, 20));
}

TEST_F(QtWindowTest, TimersRunThroughTheTimerServiceUntilKilledOrTheWindowGoes) {
  ui::Window& w = ui.CreateModeless(EveryControl(), handler, nullptr);
  w.SetTimer(7, 250);
  w.SetTimer(8, 1000);
  w.SetTimer(7, 500);  // replaces the first timer 7
  EXPECT_EQ(timers.running(), 2u);
  timers.FireEvery(500);
  timers.FireEvery(500);
  timers.FireEvery(1000);
  timers.FireEvery(250);
  EXPECT_THAT(handler.timers, ElementsAre(7, 7, 8));
  w.KillTimer(8);
  EXPECT_EQ(timers.running(), 1u);
  w.Destroy();
  EXPECT_EQ(timers.running(), 0u);
}

TEST_F(QtWindowTest, APostFromAnotherThreadArrivesOnTheGuiThread) {
  ui::Window& w = ui.CreateModeless(EveryControl(), handler, nullptr);
  std::thread sender([&w] { w.Post(ui::kWmUser + 1, 99, 0); });
  sender.join();
  for (int i = 0; i < 100 && handler.posted.empty(); ++i) QCoreApplication::processEvents();
  EXPECT_THAT(handler.posted, ElementsAre(std::pair<std::uint32_t, std::intptr_t>{ui::kWmUser + 1, 99}));
  EXPECT_EQ(handler.postedOn, std::this_thread::get_id());
}

TEST_F(QtWindowTest, APostToAWindowThatIsGoneIsDropped) {
  ui::Window& w = ui.CreateModeless(EveryControl(), handler, nullptr);
  w.Post(ui::kWmUser, 1, 0);
  w.Destroy();
  for (int i = 0; i < 10; ++i) QCoreApplication::processEvents();
  EXPECT_THAT(handler.posted, IsEmpty());
}

TEST_F(QtWindowTest, CloseAsksTheHandlerAndDestroyForgetsTheWindow) {
  ui::Window& w = ui.CreateModeless(EveryControl(), handler, nullptr);
  const WindowHandle h = w.handle();
  handler.allowClose = false;
  w.Close();
  EXPECT_EQ(ui.Find(h), &w);
  EXPECT_EQ(handler.destroyed, 0);
  handler.allowClose = true;
  w.Close();
  EXPECT_EQ(ui.Find(h), nullptr);
  EXPECT_EQ(handler.destroyed, 1);
  EXPECT_THAT(ui.TopLevelWindows(), IsEmpty());
  EXPECT_THAT(log.lines, ElementsAre("window_opened Every control", "window_closed Every control"));
  // The widgets go at the next turn of the loop, and the window object with them.
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

TEST_F(QtWindowTest, TopLevelWindowsListTopMostFirstThenTheLastRaised) {
  ui::WindowTemplate a{u"A", ui::kPopup, Rect::FromSize(0, 0, 10, 10), {}, {}};
  ui::WindowTemplate b{u"B", ui::kTopMost, Rect::FromSize(0, 0, 10, 10), {}, {}};
  ui::WindowTemplate c{u"C", ui::kCaption, Rect::FromSize(0, 0, 10, 10), {}, {}};
  ui::Window& wa = ui.CreateModeless(a, handler, nullptr);
  ui::Window& wb = ui.CreateModeless(b, handler, nullptr);
  ui::Window& wc = ui.CreateModeless(c, handler, nullptr);
  EXPECT_THAT(ui.TopLevelWindows(), ElementsAre(&wb, &wc, &wa));
  wa.SetZOrder(ui::ZOrder::kTop);
  EXPECT_THAT(ui.TopLevelWindows(), ElementsAre(&wb, &wa, &wc));
  wb.SetZOrder(ui::ZOrder::kNotTopMost);
  wc.SetZOrder(ui::ZOrder::kTopMost);
  EXPECT_THAT(ui.TopLevelWindows(), ElementsAre(&wc, &wb, &wa));
  EXPECT_TRUE(static_cast<QtWindow&>(wc).outer()->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(wc.IsVisible());
}

TEST_F(QtWindowTest, ChildWindowsLieInsideTheirParentAndGoWithIt) {
  ui::Window& parent = ui.CreateModeless(EveryControl(), handler, nullptr);
  RecordingHandler pageHandler;
  ui::WindowTemplate page{u"Page", ui::kChildWindow, parent.TabPageArea(17), {}, {}};
  page.controls.push_back({1, ControlKind::kEdit, Rect::FromSize(2, 2, 50, 20), u"on the page", 0});
  ui::Window& child = ui.CreateChild(parent, page, pageHandler);
  auto& qc = static_cast<QtWindow&>(child);
  EXPECT_EQ(qc.client()->parentWidget(), static_cast<QtWindow&>(parent).client());
  EXPECT_EQ(child.GetRect(), parent.TabPageArea(17));
  EXPECT_THAT(ui.TopLevelWindows(), ElementsAre(&parent));
  EXPECT_EQ(child.GetText(1), u"on the page");
  parent.Destroy();
  EXPECT_EQ(pageHandler.destroyed, 1);
  EXPECT_EQ(ui.Find(child.handle()), nullptr);
  EXPECT_THAT(log.lines, ElementsAre("window_opened Every control", "window_closed Every control"));
}

}  // namespace
}  // namespace vexa::platform
