#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/gfx/Bitmap.h"
#include "platform/ControlFonts.h"
#include "platform/Handles.h"
#include "platform/ui/WindowTemplate.h"

namespace vexa::platform::ui {

// Control notifications, as a window handler receives them in OnCommand.
enum class Notification {
  kClicked,
  kDoubleClicked,
  kSelectionChanged,
  kTextChanged,
  kDateChanged,   // month calendar
  kValueChanged,  // up-down spinner
};

enum class CheckState { kUnchecked = 0, kChecked = 1, kIndeterminate = 2 };

enum class ZOrder { kTop, kBottom, kTopMost, kNotTopMost };

// The state an owner-drawn control is drawn in.
struct DrawItemState {
  bool pressed = false;
  bool focused = false;
  bool disabled = false;
};

struct Date {
  int year = 0;
  int month = 0;  // 1 to 12
  int day = 0;    // 1 to 31
  bool operator==(const Date&) const = default;
};

class Window;

// What a window does: the window class. The user interface calls these on the window's own thread.
// Every handler has a default that does nothing.
class WindowHandler {
 public:
  virtual ~WindowHandler() = default;

  // The window and its controls exist but are not yet shown.
  virtual void OnInit(Window& window) { (void)window; }
  virtual void OnCommand(Window& window, int controlId, Notification notification) {
    (void)window, (void)controlId, (void)notification;
  }
  // Timers are periodic until killed.
  virtual void OnTimer(Window& window, int timerId) { (void)window, (void)timerId; }
  // Pointer events on the window itself, in client coordinates.
  virtual void OnPointerDown(Window& window, Point p) { (void)window, (void)p; }
  virtual void OnPointerMove(Window& window, Point p, bool buttonDown) { (void)window, (void)p, (void)buttonDown; }
  virtual void OnPointerUp(Window& window, Point p) { (void)window, (void)p; }
  // Pointer events on an owner-drawn control, in that control's client coordinates. They arrive before
  // the control's own handling (which sends kClicked on a release inside it).
  virtual void OnControlPointerDown(Window& window, int controlId, Point p) { (void)window, (void)controlId, (void)p; }
  virtual void OnControlPointerMove(Window& window, int controlId, Point p, bool buttonDown) {
    (void)window, (void)controlId, (void)p, (void)buttonDown;
  }
  virtual void OnControlPointerUp(Window& window, int controlId, Point p) { (void)window, (void)controlId, (void)p; }
  // Paints the window's own content (behind its controls); false leaves the default background.
  virtual bool OnPaint(Window& window, gfx::Bitmap& canvas) { (void)window, (void)canvas; return false; }
  // Draws an owner-drawn control into a bitmap of the control's size, which is then shown in one piece.
  virtual void OnDrawItem(Window& window, int controlId, gfx::Bitmap& canvas, const DrawItemState& state) {
    (void)window, (void)controlId, (void)canvas, (void)state;
  }
  // The user or another program asks the window to close; false keeps it open.
  virtual bool OnClose(Window& window) { (void)window; return true; }
  virtual void OnDestroy(Window& window) { (void)window; }
  // A message posted to the window, possibly from another thread.
  virtual void OnPosted(Window& window, std::uint32_t message, std::intptr_t wParam, std::intptr_t lParam) {
    (void)window, (void)message, (void)wParam, (void)lParam;
  }
};

// Messages posted between threads and programs.
inline constexpr std::uint32_t kWmUser = 0x0400;

// One window of ours, made from a template. Control operations name controls by id; an id the window
// does not have is ignored (getters give empty values).
class Window {
 public:
  virtual ~Window() = default;

  virtual WindowHandle handle() const = 0;

  // The window.
  virtual void Show(bool visible) = 0;
  virtual bool IsVisible() const = 0;
  virtual void Move(const Rect& rect) = 0;  // screen coordinates (parent client coordinates for children)
  virtual Rect GetRect() const = 0;
  virtual void Enable(bool enabled) = 0;
  virtual void SetTitle(std::u16string_view title) = 0;
  virtual std::u16string GetTitle() const = 0;
  virtual void SetIcon(int resourceId) = 0;
  // Adds or removes the title bar (with its close box) of a top-level window; the client area keeps
  // its place and size. Windows that cannot have one ignore it.
  virtual void SetCaptionBar(bool shown) { (void)shown; }
  virtual void SetZOrder(ZOrder order) = 0;
  virtual void Invalidate() = 0;  // repaint soon
  virtual void Update() = 0;      // repaint now what is invalid
  virtual void EndModal(int result) = 0;
  virtual void Close() = 0;  // as if the user closed it: asks OnClose
  virtual void Destroy() = 0;  // closes without asking

  virtual void SetTimer(int timerId, int milliseconds) = 0;  // replaces a running timer of that id
  virtual void KillTimer(int timerId) = 0;
  // Safe from any thread; the message reaches OnPosted on the window's thread.
  virtual void Post(std::uint32_t message, std::intptr_t wParam, std::intptr_t lParam) = 0;

  // Controls.
  virtual void SetText(int id, std::u16string_view text) = 0;
  virtual std::u16string GetText(int id) const = 0;
  virtual void SetCheck(int id, CheckState state) = 0;
  virtual CheckState GetCheck(int id) const = 0;
  virtual void EnableControl(int id, bool enabled) = 0;
  virtual bool IsControlEnabled(int id) const = 0;
  virtual void ShowControl(int id, bool visible) = 0;
  virtual void MoveControl(int id, const Rect& rect) = 0;
  // Puts a control above (kTop) or below (kBottom) its siblings where they overlap.
  virtual void SetControlZOrder(int id, ZOrder order) = 0;
  virtual Rect GetControlRect(int id) const = 0;
  virtual void SetControlFont(int id, const FontSpec& font) = 0;
  // Text and background colours of statics, edits and check boxes; nullopt keeps the default.
  virtual void SetControlColors(int id, std::optional<gfx::ColorRef> text, std::optional<gfx::ColorRef> background) = 0;
  virtual void InvalidateControl(int id) = 0;  // owner-drawn controls draw again
  virtual void SetFocus(int id) = 0;
  virtual void SetControlPicture(int id, const gfx::Bitmap& picture) = 0;  // kPicture controls

  // Items of list boxes, combo boxes, list views and tabs. Indexes count from 0; -1 is "none".
  virtual int AddItem(int id, std::u16string_view text) = 0;  // returns the new index
  virtual int InsertItem(int id, int index, std::u16string_view text) = 0;
  virtual void DeleteItem(int id, int index) = 0;
  virtual void ClearItems(int id) = 0;
  virtual int ItemCount(int id) const = 0;
  virtual std::u16string ItemText(int id, int index) const = 0;
  virtual void SetItemText(int id, int index, std::u16string_view text) = 0;
  virtual void SetItemData(int id, int index, std::intptr_t data) = 0;
  virtual std::intptr_t ItemData(int id, int index) const = 0;
  virtual void SetItemIcon(int id, int index, const gfx::Bitmap& icon) = 0;  // list views: a small icon
  virtual void Select(int id, int index) = 0;  // also the page of a tab
  virtual int Selection(int id) const = 0;

  // Month calendar and up-down spinner.
  virtual void SetDate(int id, const Date& date) = 0;
  virtual Date GetDate(int id) const = 0;
  virtual void SetRange(int id, int low, int high) = 0;
  virtual void SetValue(int id, int value) = 0;
  virtual int GetValue(int id) const = 0;

  // The display area of a tab control (where its pages go), in this window's client coordinates.
  virtual Rect TabPageArea(int id) const = 0;
};

}  // namespace vexa::platform::ui
