#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/WindowList.h"

// Xlib's display type, kept out of this header so that its macros (None, Bool, Status, ...) do not
// leak into the code that includes it.
struct _XDisplay;

namespace vexa::platform {

// The window list of an X11 desktop. A ForeignWindow is the X id of a top-level client window.
//
// Windows come from the window manager's stacking list (_NET_CLIENT_LIST_STACKING, top first), then
// from the children of the root window in stacking order: a child or a window inside it that carries
// WM_STATE is a client; a child without one that is an ordinary (not override-redirect, input-output)
// window counts too, so that windows are found on a bare X server without a window manager, and
// hidden windows, which the window manager no longer manages, are found as well.
//
// Titles come from _NET_WM_NAME (UTF-8), else WM_NAME. Class names from WM_CLASS (either part
// matches; ClassName reports the class part), except that a desktop window (_NET_WM_WINDOW_TYPE_DESKTOP)
// answers to "DesktopExplorerWindow" and a dock or panel (_NET_WM_WINDOW_TYPE_DOCK) to "HHTaskBar",
// the names the device's programs look for. Titles and class names compare without regard to case.
//
// Keys go through the XTest extension; SendKey's table maps the device's virtual-key codes to
// keysyms (see X11WindowList.cpp). Errors of requests about windows that are gone are ignored and
// make the operation answer false or an empty value.
class X11WindowList : public ui::WindowList {
 public:
  // Connects to `displayName`, or to $DISPLAY when null; empty when no display can be opened.
  static std::unique_ptr<X11WindowList> Open(const char* displayName = nullptr);
  ~X11WindowList() override;
  X11WindowList(const X11WindowList&) = delete;
  X11WindowList& operator=(const X11WindowList&) = delete;

  std::optional<ui::ForeignWindow> Find(std::optional<std::u16string_view> title,
                                        std::optional<std::u16string_view> className) override;
  std::vector<ui::ForeignWindow> Enumerate() override;
  bool IsVisible(ui::ForeignWindow window) override;
  std::u16string Title(ui::ForeignWindow window) override;
  std::u16string ClassName(ui::ForeignWindow window) override;
  // The _NET_WM_ICON picture of 32 x 32 pixels, else the nearest size, its transparency blended over
  // the window background colour; without one, the icon pixmap of WM_HINTS (the icon the program
  // gives its windows alike), its mask showing the background; nullopt when the window has neither.
  std::optional<gfx::Bitmap> Icon(ui::ForeignWindow window) override;
  bool SetForeground(ui::ForeignWindow window) override;
  // Sends WM_DELETE_WINDOW; false (and nothing sent) when the window does not take that request.
  bool PostClose(ui::ForeignWindow window) override;
  bool SetTopMost(ui::ForeignWindow window, bool topMost) override;
  // Hiding withdraws the window (unmapped, no longer managed, still listed); showing maps it again.
  bool Show(ui::ForeignWindow window, bool visible) override;
  bool PressRightButton(ui::ForeignWindow window) override;
  bool SendKey(int virtualKey) override;

  // Prepares one of this program's own windows, made but not yet mapped, for the window manager:
  // - a class name from its template goes into the class part of WM_CLASS, and "DesktopExplorerWindow"
  //   and "HHTaskBar" become the desktop and dock window types that the window manager (and the class
  //   look-up above) go by;
  // - a window that asks for no decorations at all asks for a border instead (of no width in the
  //   device's window-manager theme): a window manager takes an undecorated window covering the
  //   screen for a full-screen one and lifts it above every top-most window and the taskbar, which
  //   the device never does with its full-screen launcher.
  void PrepareWindow(ui::ForeignWindow window, std::u16string_view className);

 private:
  struct Atoms;
  X11WindowList(_XDisplay* display, std::unique_ptr<Atoms> atoms);
  std::optional<gfx::Bitmap> NetWmIcon(ui::ForeignWindow window);

  _XDisplay* display_;
  std::unique_ptr<Atoms> atoms_;
};

}  // namespace vexa::platform
