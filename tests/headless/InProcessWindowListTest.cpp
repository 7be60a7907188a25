#include "platform/headless/InProcessWindowList.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/text/Text.h"

namespace vexa::platform {
namespace {

using ::testing::ElementsAre;
using ui::ForeignWindow;

class FakeUserInterface;

// A window of ours that remembers what the window list asked of it.
class FakeWindow : public ui::Window {
 public:
  FakeWindow(FakeUserInterface& ui, WindowHandle handle, std::u16string title)
      : ui_(ui), handle_(handle), title_(std::move(title)) {}

  WindowHandle handle() const override { return handle_; }
  void Show(bool visible) override { visible_ = visible; }
  bool IsVisible() const override { return visible_; }
  void SetTitle(std::u16string_view title) override { title_ = title; }
  std::u16string GetTitle() const override { return title_; }
  void SetZOrder(ui::ZOrder order) override { zOrders.push_back(order); }
  void Close() override;  // closes at once, as a window that agrees does

  void Move(const ui::Rect&) override {}
  ui::Rect GetRect() const override { return {}; }
  void Enable(bool) override {}
  void SetIcon(int) override {}
  void Invalidate() override {}
  void Update() override {}
  void EndModal(int) override {}
  void Destroy() override {}
  void SetTimer(int, int) override {}
  void KillTimer(int) override {}
  void Post(std::uint32_t, std::intptr_t, std::intptr_t) override {}
  void SetText(int, std::u16string_view) override {}
  std::u16string GetText(int) const override { return {}; }
  void SetCheck(int, ui::CheckState) override {}
  ui::CheckState GetCheck(int) const override { return ui::CheckState::kUnchecked; }
  void EnableControl(int, bool) override {}
  bool IsControlEnabled(int) const override { return false; }
  void ShowControl(int, bool) override {}
  void MoveControl(int, const ui::Rect&) override {}
  void SetControlZOrder(int, ui::ZOrder) override {}
  ui::Rect GetControlRect(int) const override { return {}; }
  void SetControlFont(int, const FontSpec&) override {}
  void SetControlColors(int, std::optional<gfx::ColorRef>, std::optional<gfx::ColorRef>) override {}
  void InvalidateControl(int) override {}
  void SetFocus(int) override {}
  void SetControlPicture(int, const gfx::Bitmap&) override {}
  int AddItem(int, std::u16string_view) override { return -1; }
  int InsertItem(int, int, std::u16string_view) override { return -1; }
  void DeleteItem(int, int) override {}
  void ClearItems(int) override {}
  int ItemCount(int) const override { return 0; }
  std::u16string ItemText(int, int) const override { return {}; }
  void SetItemText(int, int, std::u16string_view) override {}
  void SetItemData(int, int, std::intptr_t) override {}
  std::intptr_t ItemData(int, int) const override { return 0; }
  void SetItemIcon(int, int, const gfx::Bitmap&) override {}
  void Select(int, int) override {}
  int Selection(int) const override { return -1; }
  void SetDate(int, const ui::Date&) override {}
  ui::Date GetDate(int) const override { return {}; }
  void SetRange(int, int, int) override {}
  void SetValue(int, int) override {}
  int GetValue(int) const override { return 0; }
  ui::Rect TabPageArea(int) const override { return {}; }

  std::vector<ui::ZOrder> zOrders;

 private:
  FakeUserInterface& ui_;
  WindowHandle handle_;
  std::u16string title_;
  bool visible_ = true;
};

// Our program's windows, the topmost first.
class FakeUserInterface : public ui::UserInterface {
 public:
  FakeWindow& Add(WindowHandle handle, std::u16string title) {
    windows_.push_back(std::make_unique<FakeWindow>(*this, handle, std::move(title)));
    return *windows_.back();
  }
  void Remove(WindowHandle handle) {
    std::erase_if(windows_, [&](const auto& w) { return w->handle() == handle; });
  }

  ui::Window* Find(WindowHandle handle) override {
    for (auto& window : windows_) {
      if (window->handle() == handle) return window.get();
    }
    return nullptr;
  }
  std::vector<ui::Window*> TopLevelWindows() override {
    std::vector<ui::Window*> result;
    for (auto& window : windows_) result.push_back(window.get());
    return result;
  }
  int RunModal(const ui::WindowTemplate&, ui::WindowHandler&, ui::Window*) override { return 0; }
  ui::Window& CreateModeless(const ui::WindowTemplate&, ui::WindowHandler&, ui::Window*) override {
    return *windows_.front();
  }
  ui::Window& CreateChild(ui::Window&, const ui::WindowTemplate&, ui::WindowHandler&) override {
    return *windows_.front();
  }
  gfx::Size ScreenSize() const override { return {800, 480}; }
  void SetWaitCursor(bool) override {}
  void Quit(int) override {}

 private:
  std::vector<std::unique_ptr<FakeWindow>> windows_;
};

void FakeWindow::Close() {
  ui_.Remove(handle_);
}

// Each record as one line: event, then field=value in order.
class LinesLog : public EffectLog {
 public:
  void Record(std::string_view event, std::initializer_list<LogField> fields) override {
    std::string line(event);
    for (const auto& [name, value] : fields) {
      line += " " + std::string(name) + "=";
      if (const auto* number = std::get_if<std::int64_t>(&value)) line += std::to_string(*number);
      if (const auto* flag = std::get_if<bool>(&value)) line += *flag ? "true" : "false";
      if (const auto* wide = std::get_if<std::u16string>(&value)) line += text::ToUtf8(*wide);
      if (const auto* narrow = std::get_if<std::string>(&value)) line += *narrow;
    }
    lines.push_back(line);
  }
  std::vector<std::string> lines;
};

class InProcessWindowListTest : public ::testing::Test {
 protected:
  FakeUserInterface ui_;
  LinesLog log_;
  InProcessWindowList list_{ui_, log_};
};

TEST_F(InProcessWindowListTest, FindsOurWindowsAndOtherProgramsByTitleAndClass) {
  FakeWindow& deck = ui_.Add(7, u"Vexa Deck Ver 3.x");
  const ForeignWindow taskbar = list_.AddForeign(u"", u"HHTaskBar");
  const ForeignWindow navi = list_.AddForeign(u"Navi", u"NaviClass");
  const ForeignWindow viewer = list_.AddForeign(u"Navi", u"Viewer");

  EXPECT_EQ(list_.Find(u"vexa deck VER 3.X", std::nullopt), ForeignWindow{deck.handle()});
  EXPECT_EQ(list_.Find(std::nullopt, u"hhtaskbar"), taskbar);
  EXPECT_EQ(list_.Find(u"Navi", u"NaviClass"), navi);
  EXPECT_EQ(list_.Find(u"Navi", u"Viewer"), viewer);
  EXPECT_EQ(list_.Find(u"Vexa Deck Ver 3.x", u"VexaDeck"), std::nullopt);  // ours carry no class here
  EXPECT_EQ(list_.Find(u"Vexa Deck", std::nullopt), std::nullopt);
  EXPECT_GE(taskbar, InProcessWindowList::kFirstForeign);
  EXPECT_EQ(list_.Title(deck.handle()), u"Vexa Deck Ver 3.x");
  EXPECT_EQ(list_.ClassName(navi), u"NaviClass");
  EXPECT_TRUE(log_.lines.empty());  // looking is no effect
}

TEST_F(InProcessWindowListTest, TopMostForeignWindowsComeFirstThenOursThenTheOthersLatestForwardFirst) {
  ui_.Add(1, u"Toolbar");
  ui_.Add(2, u"Deck");
  const ForeignWindow navi = list_.AddForeign(u"Navi", u"N");
  const ForeignWindow player = list_.AddForeign(u"Player", u"P");
  const ForeignWindow keyboard = list_.AddForeign(u"Keyboard", u"K");
  EXPECT_THAT(list_.Enumerate(), ElementsAre(1, 2, keyboard, player, navi));

  ASSERT_TRUE(list_.SetForeground(navi));
  ASSERT_TRUE(list_.SetTopMost(player, true));
  EXPECT_THAT(list_.Enumerate(), ElementsAre(player, 1, 2, navi, keyboard));
  EXPECT_EQ(list_.foreground(), navi);

  ASSERT_TRUE(list_.SetTopMost(player, false));
  EXPECT_FALSE(list_.IsTopMost(player));
  EXPECT_THAT(list_.Enumerate(), ElementsAre(1, 2, player, navi, keyboard));
}

TEST_F(InProcessWindowListTest, OperationsOnOurWindowsGoThroughTheWindow) {
  FakeWindow& deck = ui_.Add(5, u"Deck");

  EXPECT_TRUE(list_.Show(5, false));
  EXPECT_FALSE(deck.IsVisible());
  EXPECT_FALSE(list_.IsVisible(5));
  EXPECT_TRUE(list_.SetTopMost(5, true));
  EXPECT_TRUE(list_.SetTopMost(5, false));
  EXPECT_TRUE(list_.SetForeground(5));
  EXPECT_THAT(deck.zOrders, ElementsAre(ui::ZOrder::kTopMost, ui::ZOrder::kNotTopMost, ui::ZOrder::kTop));

  EXPECT_TRUE(list_.PostClose(5));
  EXPECT_EQ(ui_.Find(5), nullptr);
  EXPECT_EQ(list_.Find(u"Deck", std::nullopt), std::nullopt);
  EXPECT_THAT(log_.lines,
              ElementsAre("window_shown title=Deck visible=false", "window_topmost title=Deck on=true",
                          "window_topmost title=Deck on=false", "window_foreground title=Deck",
                          "window_close_posted title=Deck"));
}

TEST_F(InProcessWindowListTest, OperationsOnOtherProgramsChangeTheirRecordedState) {
  const ForeignWindow taskbar = list_.AddForeign(u"Taskbar", u"HHTaskBar");
  const ForeignWindow navi = list_.AddForeign(u"Navi", u"N", /*visible=*/false);
  EXPECT_FALSE(list_.IsVisible(navi));

  EXPECT_TRUE(list_.Show(taskbar, false));
  EXPECT_FALSE(list_.IsVisible(taskbar));
  EXPECT_EQ(list_.Find(std::nullopt, u"HHTaskBar"), taskbar);  // hidden, still there to show again
  EXPECT_TRUE(list_.Show(taskbar, true));
  EXPECT_TRUE(list_.IsVisible(taskbar));

  EXPECT_TRUE(list_.SetTopMost(navi, true));
  EXPECT_TRUE(list_.IsTopMost(navi));
  EXPECT_TRUE(list_.PostClose(navi));  // the program honours the request and its window goes
  EXPECT_EQ(list_.Find(u"Navi", std::nullopt), std::nullopt);
  EXPECT_FALSE(list_.PostClose(navi));
  EXPECT_THAT(log_.lines, ElementsAre("window_shown title=Taskbar visible=false",
                                      "window_shown title=Taskbar visible=true",
                                      "window_topmost title=Navi on=true", "window_close_posted title=Navi"));
}

TEST_F(InProcessWindowListTest, UnknownWindowsRefuseEverythingAndLogNothing) {
  ui_.Add(3, u"Ours");
  for (ForeignWindow unknown : {ForeignWindow{0}, ForeignWindow{4}, InProcessWindowList::kFirstForeign + 9,
                                ForeignWindow{0x100000003}}) {
    EXPECT_FALSE(list_.IsVisible(unknown));
    EXPECT_EQ(list_.Title(unknown), u"");
    EXPECT_FALSE(list_.SetForeground(unknown));
    EXPECT_FALSE(list_.PostClose(unknown));
    EXPECT_FALSE(list_.SetTopMost(unknown, true));
    EXPECT_FALSE(list_.Show(unknown, true));
    EXPECT_FALSE(list_.Icon(unknown).has_value());
  }
  EXPECT_TRUE(log_.lines.empty());
  EXPECT_EQ(list_.Find(std::nullopt, std::nullopt), ForeignWindow{3});
}

TEST_F(InProcessWindowListTest, KeysAreLoggedWithTheWindowBroughtForward) {
  EXPECT_TRUE(list_.SendKey(0x0D));
  const ForeignWindow navi = list_.AddForeign(u"Navi", u"N");
  list_.SetForeground(navi);
  EXPECT_TRUE(list_.SendKey(0x61));
  EXPECT_FALSE(list_.SendKey(0));
  EXPECT_FALSE(list_.SendKey(0x100));
  list_.RemoveForeign(navi);
  EXPECT_TRUE(list_.SendKey(0x20));

  EXPECT_THAT(list_.keysSent(), ElementsAre(0x0D, 0x61, 0x20));
  EXPECT_THAT(log_.lines, ElementsAre("key_sent key=13", "window_foreground title=Navi",
                                      "key_sent key=97 title=Navi", "key_sent key=32"));
}

TEST_F(InProcessWindowListTest, ForeignWindowsShowTheIconGivenToThem) {
  const ForeignWindow navi = list_.AddForeign(u"Navi", u"N");
  EXPECT_FALSE(list_.Icon(navi).has_value());
  list_.SetForeignIcon(navi, gfx::Bitmap(32, 32, 0xFF112233u));
  ASSERT_TRUE(list_.Icon(navi).has_value());
  EXPECT_EQ(list_.Icon(navi)->At(4, 4), 0xFF112233u);
}

}  // namespace
}  // namespace vexa::platform
