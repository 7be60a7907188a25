#include "platform/x11/X11WindowList.h"

#include "tests/support/PrivateXServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

// Xlib after gtest: its macros (None, True, Bool) would otherwise collide with names there.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

extern char** environ;

namespace vexa::platform {
namespace {

using ui::ForeignWindow;

using test::PrivateXServer;
using test::XvfbInstalled;

class X11WindowListTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (XvfbInstalled()) server_ = new PrivateXServer();
  }
  static void TearDownTestSuite() {
    delete server_;
    server_ = nullptr;
  }

  void SetUp() override {
    if (server_ == nullptr) GTEST_SKIP() << "Xvfb is not installed (scripts/test installs the xvfb package)";
    ASSERT_TRUE(server_->running()) << "Xvfb did not start";
    display_ = XOpenDisplay(server_->name().c_str());
    ASSERT_NE(display_, nullptr);
    list_ = X11WindowList::Open(server_->name().c_str());
    ASSERT_NE(list_, nullptr);
  }

  void TearDown() override {
    list_.reset();
    if (display_ != nullptr) {
      for (Window window : windows_) XDestroyWindow(display_, window);
      XCloseDisplay(display_);
    }
  }

  Atom Intern(const char* name) { return XInternAtom(display_, name, False); }

  // A top-level window as a program of the device would make it.
  Window MakeWindow(const char* title, const char* resName, const char* resClass, bool mapped = true) {
    const Window window =
        XCreateSimpleWindow(display_, DefaultRootWindow(display_), 10, 10, 100, 80, 0, 0, 0);
    if (title != nullptr) XStoreName(display_, window, title);
    if (resName != nullptr || resClass != nullptr) {
      XClassHint hint{const_cast<char*>(resName), const_cast<char*>(resClass)};
      XSetClassHint(display_, window, &hint);
    }
    if (mapped) XMapWindow(display_, window);
    XSync(display_, False);
    windows_.push_back(window);
    return window;
  }

  void SetType(Window window, const char* type) {
    const Atom value = Intern(type);
    XChangeProperty(display_, window, Intern("_NET_WM_WINDOW_TYPE"), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&value), 1);
    XSync(display_, False);
  }

  void SetIcon(Window window, const std::vector<long>& data) {
    XChangeProperty(display_, window, Intern("_NET_WM_ICON"), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(data.size()));
    XSync(display_, False);
  }

  // Waits for an event of `type` on `window` of the test's own connection.
  bool WaitFor(Window window, int type, XEvent& event) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
      XSync(display_, False);
      if (XCheckTypedWindowEvent(display_, window, type, &event)) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  }

  static PrivateXServer* server_;
  Display* display_ = nullptr;
  std::unique_ptr<X11WindowList> list_;
  std::vector<Window> windows_;
};

PrivateXServer* X11WindowListTest::server_ = nullptr;

TEST_F(X11WindowListTest, FindsWindowsByTitleByClassOrByBoth) {
  const Window deck = MakeWindow("Vexa Deck Ver 3.x", "vexadeck", "VexaDeck");
  const Window navi = MakeWindow("Navi", "navi", "NaviApp");
  const Window other = MakeWindow("Navi", "viewer", "Viewer");
  const Window hidden = MakeWindow("Hidden", "hidden", "Hidden", /*mapped=*/false);

  EXPECT_EQ(list_->Find(u"vexa deck VER 3.x", std::nullopt), deck);  // titles compare without case
  EXPECT_EQ(list_->Find(std::nullopt, u"NaviApp"), navi);
  EXPECT_EQ(list_->Find(std::nullopt, u"viewer"), other);  // either part of WM_CLASS answers
  EXPECT_EQ(list_->Find(u"Navi", u"Viewer"), other);
  EXPECT_EQ(list_->Find(u"Hidden", std::nullopt), hidden);  // unmapped windows are listed too
  EXPECT_EQ(list_->Find(u"Navi", u"VexaDeck"), std::nullopt);
  EXPECT_EQ(list_->Find(u"Vexa Deck", std::nullopt), std::nullopt);  // the whole title, not a prefix
}

TEST_F(X11WindowListTest, ReadsUtf8AndLatin1TitlesAndTheClassPartOfWmClass) {
  const Window korean = MakeWindow(nullptr, "deck", "Deck");
  const std::string utf8 = "\xEB\x82\xB4\xEB\xB9\x84 Navi";  // "내비 Navi"
  XChangeProperty(display_, korean, Intern("_NET_WM_NAME"), Intern("UTF8_STRING"), 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(utf8.data()), static_cast<int>(utf8.size()));
  XSync(display_, False);
  const Window latin = MakeWindow("Caf\xE9", nullptr, nullptr);

  EXPECT_EQ(list_->Title(korean), u"\uB0B4\uBE44 Navi");
  EXPECT_EQ(list_->Find(u"\uB0B4\uBE44 navi", std::nullopt), korean);
  EXPECT_EQ(list_->Title(latin), u"Caf\u00E9");
  EXPECT_EQ(list_->ClassName(korean), u"Deck");
  EXPECT_EQ(list_->ClassName(latin), u"");
}

TEST_F(X11WindowListTest, DesktopAndPanelWindowsAnswerToTheDeviceClasses) {
  const Window desktop = MakeWindow("Desktop", "desktop", "Desktop");
  SetType(desktop, "_NET_WM_WINDOW_TYPE_DESKTOP");
  const Window panel = MakeWindow("Panel", "panel", "Panel");
  SetType(panel, "_NET_WM_WINDOW_TYPE_DOCK");
  const Window normal = MakeWindow("Normal", "normal", "Normal");
  SetType(normal, "_NET_WM_WINDOW_TYPE_NORMAL");

  EXPECT_EQ(list_->Find(std::nullopt, u"DesktopExplorerWindow"), desktop);
  EXPECT_EQ(list_->Find(std::nullopt, u"HHTaskBar"), panel);
  EXPECT_EQ(list_->Find(u"Panel", u"Panel"), panel);  // its own class still answers
  EXPECT_EQ(list_->ClassName(desktop), u"DesktopExplorerWindow");
  EXPECT_EQ(list_->ClassName(panel), u"HHTaskBar");
  EXPECT_EQ(list_->ClassName(normal), u"Normal");
}

TEST_F(X11WindowListTest, EnumeratesTopOfTheStackFirstWithoutPopUps) {
  const Window bottom = MakeWindow("Bottom", "a", "A");
  const Window middle = MakeWindow("Middle", "b", "B");
  const Window top = MakeWindow("Top", "c", "C");
  XSetWindowAttributes popupAttributes{};
  popupAttributes.override_redirect = True;
  const Window popup = XCreateWindow(display_, DefaultRootWindow(display_), 0, 0, 10, 10, 0, CopyFromParent,
                                     InputOutput, CopyFromParent, CWOverrideRedirect, &popupAttributes);
  XMapWindow(display_, popup);
  windows_.push_back(popup);
  XRaiseWindow(display_, bottom);  // now: middle, top, bottom (bottom of the stack first)
  XSync(display_, False);

  const std::vector<ForeignWindow> all = list_->Enumerate();
  std::vector<ForeignWindow> ours;
  for (ForeignWindow window : all) {
    if (window == bottom || window == middle || window == top) ours.push_back(window);
  }
  EXPECT_EQ(ours, (std::vector<ForeignWindow>{bottom, top, middle}));
  EXPECT_EQ(std::count(all.begin(), all.end(), popup), 0);
}

TEST_F(X11WindowListTest, HiddenWindowsStayListedAndShowAgain) {
  const Window panel = MakeWindow("Panel", "panel", "Panel");
  SetType(panel, "_NET_WM_WINDOW_TYPE_DOCK");
  ASSERT_TRUE(list_->IsVisible(panel));

  EXPECT_TRUE(list_->Show(panel, false));
  EXPECT_FALSE(list_->IsVisible(panel));
  EXPECT_EQ(list_->Find(std::nullopt, u"HHTaskBar"), panel);

  EXPECT_TRUE(list_->Show(panel, true));
  EXPECT_TRUE(list_->IsVisible(panel));
}

TEST_F(X11WindowListTest, PostCloseSendsTheCloseRequestOnlyToWindowsThatTakeIt) {
  const Window polite = MakeWindow("Polite", "p", "P");
  Atom deleteWindow = Intern("WM_DELETE_WINDOW");
  XSetWMProtocols(display_, polite, &deleteWindow, 1);
  const Window plain = MakeWindow("Plain", "q", "Q");
  XSync(display_, False);

  EXPECT_TRUE(list_->PostClose(polite));
  XEvent event{};
  ASSERT_TRUE(WaitFor(polite, ClientMessage, event));
  EXPECT_EQ(event.xclient.message_type, Intern("WM_PROTOCOLS"));
  EXPECT_EQ(static_cast<Atom>(event.xclient.data.l[0]), deleteWindow);

  EXPECT_FALSE(list_->PostClose(plain));
  EXPECT_TRUE(list_->IsVisible(plain));  // left alone, not killed
}

TEST_F(X11WindowListTest, SendKeyPressesTheKeyInTheFocusedWindow) {
  const Window target = MakeWindow("Target", "t", "T");
  XSelectInput(display_, target, KeyPressMask | KeyReleaseMask);
  XSetInputFocus(display_, target, RevertToParent, CurrentTime);
  XSync(display_, False);

  // The key that arrives, passing over modifier keys pressed around it (Num Lock for the keypad).
  auto pressed = [&](int virtualKey) -> std::string {
    if (!list_->SendKey(virtualKey)) return "<refused>";
    XEvent event{};
    while (WaitFor(target, KeyPress, event)) {
      if (IsModifierKey(XLookupKeysym(&event.xkey, 0))) continue;
      char buffer[16] = {};
      KeySym keysym = NoSymbol;
      const int length = XLookupString(&event.xkey, buffer, sizeof buffer - 1, &keysym, nullptr);
      XEvent release{};
      if (!WaitFor(target, KeyRelease, release)) return "<no key release>";
      if (length > 0 && buffer[0] >= ' ') return std::string(buffer, static_cast<std::size_t>(length));
      const char* name = XKeysymToString(keysym);
      return name != nullptr ? name : "<unknown>";
    }
    return "<no key press>";
  };
  EXPECT_EQ(pressed(0x41), "a");  // letter codes name the key; no Shift is pressed
  EXPECT_EQ(pressed(0x35), "5");
  EXPECT_EQ(pressed(0x61), "1");  // the keypad 1 arrives as a digit even with Num Lock off
  Window root = 0;
  Window child = 0;
  int x = 0;
  int y = 0;
  unsigned int state = 0;
  XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &x, &y, &x, &y, &state);
  EXPECT_EQ(state & Mod2Mask, 0u) << "Num Lock is left as it was";
  EXPECT_EQ(pressed(0x0D), "Return");
  EXPECT_EQ(pressed(0x08), "BackSpace");
  EXPECT_EQ(pressed(0x26), "Up");
  EXPECT_EQ(pressed(0xBD), "-");
  EXPECT_FALSE(list_->SendKey(0xFF));  // no such key
}

TEST_F(X11WindowListTest, WithoutAWindowManagerForegroundRaisesAndFocuses) {
  const Window back = MakeWindow("Back", "b", "B");
  MakeWindow("Front", "f", "F");

  EXPECT_TRUE(list_->SetForeground(back));
  XSync(display_, False);
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(display_, &focus, &revert);
  EXPECT_EQ(focus, back);
  EXPECT_EQ(list_->Enumerate().front(), back);
}

TEST_F(X11WindowListTest, TopMostRaisesAndRecordsTheAboveState) {
  const Window tool = MakeWindow("Tool", "t", "T");
  MakeWindow("Other", "o", "O");
  const Atom above = Intern("_NET_WM_STATE_ABOVE");
  auto hasAbove = [&] {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display_, tool, Intern("_NET_WM_STATE"), 0, 64, False, XA_ATOM, &type, &format, &count,
                       &after, &data);
    bool found = false;
    for (unsigned long i = 0; data != nullptr && i < count; ++i) {
      found = found || reinterpret_cast<unsigned long*>(data)[i] == above;
    }
    if (data != nullptr) XFree(data);
    return found;
  };

  EXPECT_TRUE(list_->SetTopMost(tool, true));
  XSync(display_, False);
  EXPECT_TRUE(hasAbove());
  EXPECT_EQ(list_->Enumerate().front(), tool);

  EXPECT_TRUE(list_->SetTopMost(tool, false));
  XSync(display_, False);
  EXPECT_FALSE(hasAbove());
}

TEST_F(X11WindowListTest, IconPicksTheThirtyTwoPixelPictureAndBlendsTransparency) {
  const Window window = MakeWindow("Icon", "i", "I");
  std::vector<long> data = {16, 16};
  data.insert(data.end(), 16 * 16, 0xFF00FF00L);
  data.push_back(32);
  data.push_back(32);
  data.insert(data.end(), 32 * 32, 0xFFFF0000L);
  data[2 + 256 + 2] = 0x00000000L;  // first pixel of the 32 x 32 picture fully transparent
  data[2 + 256 + 3] = 0x800000FFL;  // second half-transparent blue
  data.push_back(48);
  data.push_back(48);
  data.insert(data.end(), 48 * 48, 0xFF0000FFL);
  SetIcon(window, data);

  const auto icon = list_->Icon(window);
  ASSERT_TRUE(icon.has_value());
  EXPECT_EQ(icon->size(), (gfx::Size{32, 32}));
  EXPECT_EQ(icon->At(5, 5), 0xFFFF0000u);
  EXPECT_EQ(icon->At(0, 0), 0xFFFFFFFFu);  // the window background shows through
  EXPECT_EQ(icon->At(1, 0), 0xFF7F7FFFu);
}

TEST_F(X11WindowListTest, IconTakesTheNearestSizeAndRefusesCutShortData) {
  const Window window = MakeWindow("Icon", "i", "I");
  std::vector<long> data = {16, 16};
  data.insert(data.end(), 16 * 16, 0xFF00FF00L);
  data.push_back(48);
  data.push_back(48);
  data.insert(data.end(), 48 * 48, 0xFF0000FFL);
  SetIcon(window, data);
  ASSERT_TRUE(list_->Icon(window).has_value());
  EXPECT_EQ(list_->Icon(window)->size(), (gfx::Size{48, 48}));  // as near as 16, and shrinks better

  SetIcon(window, {64, 64, 0xFF000000L, 0xFF000000L});  // claims 4096 pixels, holds 2
  EXPECT_FALSE(list_->Icon(window).has_value());
  EXPECT_FALSE(list_->Icon(MakeWindow("No icon", "n", "N")).has_value());
}

TEST_F(X11WindowListTest, WithoutANetWmIconTheHintsIconPixmapAndItsMaskAreTaken) {
  const Window window = MakeWindow("Old-style icon", "o", "O");
  const Window root = DefaultRootWindow(display_);
  const Pixmap picture =
      XCreatePixmap(display_, root, 16, 16, DefaultDepth(display_, DefaultScreen(display_)));
  GC gc = XCreateGC(display_, picture, 0, nullptr);
  XSetForeground(display_, gc, 0xFF0000);  // red on a 24-bit true-colour screen
  XFillRectangle(display_, picture, gc, 0, 0, 16, 16);
  XFreeGC(display_, gc);
  // The mask lets through the left half only.
  const Pixmap mask = XCreatePixmap(display_, root, 16, 16, 1);
  GC maskGc = XCreateGC(display_, mask, 0, nullptr);
  XSetForeground(display_, maskGc, 0);
  XFillRectangle(display_, mask, maskGc, 0, 0, 16, 16);
  XSetForeground(display_, maskGc, 1);
  XFillRectangle(display_, mask, maskGc, 0, 0, 8, 16);
  XFreeGC(display_, maskGc);
  XWMHints hints{};
  hints.flags = IconPixmapHint | IconMaskHint;
  hints.icon_pixmap = picture;
  hints.icon_mask = mask;
  XSetWMHints(display_, window, &hints);
  XSync(display_, False);

  const auto icon = list_->Icon(window);
  ASSERT_TRUE(icon.has_value());
  EXPECT_EQ(icon->size(), (gfx::Size{16, 16}));
  EXPECT_EQ(icon->At(2, 5), 0xFFFF0000u);
  EXPECT_EQ(icon->At(12, 5), 0xFFFFFFFFu);  // masked out: the window background

  // A picture of its own comes first.
  SetIcon(window, {1, 1, 0xFF00FF00L});
  EXPECT_EQ(list_->Icon(window)->At(0, 0), 0xFF00FF00u);
  XFreePixmap(display_, picture);
  XFreePixmap(display_, mask);
}

TEST_F(X11WindowListTest, WindowsThatAreGoneAnswerNothingWithoutEndingTheProgram) {
  const Window window = MakeWindow("Short-lived", "s", "S");
  XDestroyWindow(display_, window);
  windows_.pop_back();
  XSync(display_, False);

  EXPECT_FALSE(list_->IsVisible(window));
  EXPECT_EQ(list_->Title(window), u"");
  EXPECT_EQ(list_->ClassName(window), u"");
  EXPECT_FALSE(list_->SetForeground(window));
  EXPECT_FALSE(list_->PostClose(window));
  EXPECT_FALSE(list_->SetTopMost(window, true));
  EXPECT_FALSE(list_->Show(window, true));
  EXPECT_FALSE(list_->Icon(window).has_value());
  EXPECT_FALSE(list_->IsVisible(0));
  EXPECT_EQ(list_->Find(u"Short-lived", std::nullopt), std::nullopt);
}

TEST(X11WindowListOpenTest, NoDisplayGivesNoWindowList) {
  EXPECT_EQ(X11WindowList::Open(":4711"), nullptr);
}

}  // namespace
}  // namespace vexa::platform
