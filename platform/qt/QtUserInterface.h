#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/EffectLog.h"
#include "platform/ui/EventLoop.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/UserInterface.h"

class QDialog;
class QObject;
class QWidget;

namespace vexa::platform {

class QtWindow;

// The user interface on Qt 6 Widgets. Each template becomes a top-level QWidget (or, for child
// windows, a widget inside its parent) holding real Qt controls at the template's rectangles.
//
// Handles: windows are numbered from 1 in the order they are made; a number is never reused while the
// program runs. Each window's title is its Qt window title, so another program finds it by title; a
// template's class name is kept as the widget's "vexaClassName" property, and the first non-empty one
// becomes the application name before any native window exists, which is what Qt's X11 backend puts
// in the class part of WM_CLASS (Qt has one WM_CLASS per process, not one per window).
//
// Loops and timers go through the EventPump and TimerService given, so the same code runs on a desktop
// (Qt's event loop, real time) and headless (a scenario-fed pump, virtual time). Windows opened and
// closed are logged as "window_opened" and "window_closed" with the field "title" (top-level windows
// only; tab pages and other child windows are part of their parent).
//
// Z-order: our own record of the top-level windows, the top-most ones first and then the others, each
// in the order they were last shown, activated or raised. Automation and TopLevelWindows() go by it.
class QtUserInterface : public ui::UserInterface {
 public:
  QtUserInterface(ui::TimerService& timers, ui::EventPump& pump, EffectLog& log, gfx::Size screen);
  ~QtUserInterface() override;
  QtUserInterface(const QtUserInterface&) = delete;
  QtUserInterface& operator=(const QtUserInterface&) = delete;

  int RunModal(const ui::WindowTemplate& tmpl, ui::WindowHandler& handler, ui::Window* owner) override;
  ui::Window& CreateModeless(const ui::WindowTemplate& tmpl, ui::WindowHandler& handler,
                             ui::Window* owner) override;
  ui::Window& CreateChild(ui::Window& parent, const ui::WindowTemplate& tmpl, ui::WindowHandler& handler) override;
  ui::Window* Find(WindowHandle handle) override;
  std::vector<ui::Window*> TopLevelWindows() override;
  gfx::Size ScreenSize() const override { return screen_; }
  void SetWaitCursor(bool waiting) override;
  void Quit(int exitCode) override;

  // Where window icons come from (SetIcon); without it windows keep Qt's default icon.
  void SetResources(ui::Resources* resources) { resources_ = resources; }
  // Called with the native id of every top-level window and its class name (empty for most), after
  // the native window is made and before it is first shown: the desktop adapter gives it its class
  // (and, for the device's desktop and taskbar class names, their window types) and its frame.
  using NativeWindowHook = std::function<void(std::uint64_t nativeId, const std::u16string& className)>;
  void SetNativeWindowHook(NativeWindowHook hook) { nativeWindowHook_ = std::move(hook); }
  void MarkNativeWindow(std::uint64_t nativeId, const std::u16string& className) {
    if (nativeWindowHook_) nativeWindowHook_(nativeId, className);
  }
  std::optional<gfx::Bitmap> Icon(int resourceId);

  // The code given to Quit (0 until then).
  int exitCode() const { return exitCode_; }

  // For the rest of the adapter.
  QtWindow* FindWindow(WindowHandle handle);
  // Every live window, top-level ones in z-order (top first) each followed by its child windows.
  std::vector<QtWindow*> WindowsInZOrder();
  ui::TimerService& timers() { return timers_; }
  ui::EventPump& pump() { return pump_; }
  EffectLog& log() { return log_; }
  // Shows a Qt dialog (a message box, a picker) modally over `owner` through the event pump, the owner
  // disabled meanwhile, and answers the dialog's result code; QDialog::Rejected when the program quits.
  int RunDialog(QDialog& dialog, WindowHandle owner);

  // Called by QtWindow.
  void BringToTop(WindowHandle handle);
  void SendToBottom(WindowHandle handle);
  void Retire(WindowHandle handle);  // the window is destroyed: forget it, free it once its widgets are gone
  void PostTo(WindowHandle handle, std::uint32_t message, std::intptr_t wParam, std::intptr_t lParam);
  void NoteClassName(const std::u16string& className);

 private:
  QtWindow& Make(const ui::WindowTemplate& tmpl, ui::WindowHandler& handler, QtWindow* parent, ui::Window* owner);
  void CollectRetired();

  ui::TimerService& timers_;
  ui::EventPump& pump_;
  EffectLog& log_;
  gfx::Size screen_;
  WindowHandle next_ = 1;
  std::map<WindowHandle, std::unique_ptr<QtWindow>> windows_;
  std::vector<WindowHandle> zOrder_;  // top-level windows, top first (before the top-most ones are put first)
  std::vector<std::unique_ptr<QtWindow>> retired_;
  std::unique_ptr<QObject> dispatcher_;  // lives on the GUI thread; posted messages go through it
  ui::Resources* resources_ = nullptr;
  NativeWindowHook nativeWindowHook_;
  int waitCursor_ = 0;
  int exitCode_ = 0;
  bool classNameSet_ = false;
};

}  // namespace vexa::platform
