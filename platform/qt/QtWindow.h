#pragma once

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/Automation.h"
#include "platform/ui/Window.h"

class QButtonGroup;

namespace vexa::platform {

class QtUserInterface;

// One window made from a template: an outer Qt widget (with a one-pixel frame around the client area
// for kThinBorder windows) and the client widget holding the controls, in client coordinates.
//
// Notifications reach WindowHandler::OnCommand only for what the user does (and what Automation does
// in the user's place). Changes made through this Window interface (SetText, Select, SetCheck,
// AddItem, SetDate, SetValue, ...) never notify: the programs set their controls and then act on
// their own, and predictable silence is simpler than the device's mix.
class QtWindow : public ui::Window {
 public:
  struct ModalState {
    bool done = false;
    int result = 0;
  };

  QtWindow(QtUserInterface& ui, WindowHandle handle, const ui::WindowTemplate& tmpl, ui::WindowHandler& handler,
           QtWindow* parent, WindowHandle owner);
  ~QtWindow() override;
  QtWindow(const QtWindow&) = delete;
  QtWindow& operator=(const QtWindow&) = delete;

  // ui::Window
  WindowHandle handle() const override { return handle_; }
  void Show(bool visible) override;
  bool IsVisible() const override;
  void Move(const ui::Rect& rect) override;
  ui::Rect GetRect() const override;
  void Enable(bool enabled) override;
  void SetTitle(std::u16string_view title) override;
  std::u16string GetTitle() const override;
  void SetIcon(int resourceId) override;
  void SetCaptionBar(bool shown) override;
  void SetZOrder(ui::ZOrder order) override;
  void Invalidate() override;
  void Update() override;
  void EndModal(int result) override;
  void Close() override;
  void Destroy() override;
  void SetTimer(int timerId, int milliseconds) override;
  void KillTimer(int timerId) override;
  void Post(std::uint32_t message, std::intptr_t wParam, std::intptr_t lParam) override;

  void SetText(int id, std::u16string_view text) override;
  std::u16string GetText(int id) const override;
  void SetCheck(int id, ui::CheckState state) override;
  ui::CheckState GetCheck(int id) const override;
  void EnableControl(int id, bool enabled) override;
  bool IsControlEnabled(int id) const override;
  void ShowControl(int id, bool visible) override;
  void MoveControl(int id, const ui::Rect& rect) override;
  void SetControlZOrder(int id, ui::ZOrder order) override;
  ui::Rect GetControlRect(int id) const override;
  void SetControlFont(int id, const FontSpec& font) override;
  void SetControlColors(int id, std::optional<gfx::ColorRef> text, std::optional<gfx::ColorRef> background) override;
  void InvalidateControl(int id) override;
  void SetFocus(int id) override;
  void SetControlPicture(int id, const gfx::Bitmap& picture) override;

  int AddItem(int id, std::u16string_view text) override;
  int InsertItem(int id, int index, std::u16string_view text) override;
  void DeleteItem(int id, int index) override;
  void ClearItems(int id) override;
  int ItemCount(int id) const override;
  std::u16string ItemText(int id, int index) const override;
  void SetItemText(int id, int index, std::u16string_view text) override;
  void SetItemData(int id, int index, std::intptr_t data) override;
  std::intptr_t ItemData(int id, int index) const override;
  void SetItemIcon(int id, int index, const gfx::Bitmap& icon) override;
  void Select(int id, int index) override;
  int Selection(int id) const override;

  void SetDate(int id, const ui::Date& date) override;
  ui::Date GetDate(int id) const override;
  void SetRange(int id, int low, int high) override;
  void SetValue(int id, int value) override;
  int GetValue(int id) const override;
  ui::Rect TabPageArea(int id) const override;

  // For the rest of the adapter.
  QWidget* outer() const { return outer_.data(); }
  QWidget* client() const { return client_; }
  QtWindow* parentWindow() const { return parent_; }
  WindowHandle owner() const { return owner_; }
  bool topMost() const { return topMost_; }
  bool destroyed() const { return destroyed_; }
  bool widgetsGone() const { return outer_.isNull(); }
  const std::u16string& className() const { return className_; }
  std::shared_ptr<ModalState> modalState() const { return modal_; }
  void MakeModal() { modal_ = std::make_shared<ModalState>(); }
  void AddChild(WindowHandle child) { children_.push_back(child); }
  // The user interface is going away: no handler is called from now on.
  void MarkDead() { destroyed_ = true; }
  // The control's widget, or null.
  QWidget* ControlWidget(int id) const;
  // Screen rectangle of the client area (top-level windows) as Qt currently has it.
  ui::Rect ScreenClientRect() const;

  // What a user does, for Automation: each answers an error text, empty on success, and sends the
  // notification the user's action sends. A control named by its caption is found as ControlRef
  // describes.
  std::string UserClick(const ui::ControlRef& control);
  std::string UserChoose(const ui::ControlRef& control, std::u16string_view item);
  std::string UserType(const ui::ControlRef& control, std::u16string_view text);
  std::string UserCheck(const ui::ControlRef& control, ui::CheckState state);

  // Called by the widgets.
  void Notify(int id, ui::Notification notification);
  void PaintClient(QWidget& widget, const QRect& damage);
  void PointerDown(ui::Point p);
  void PointerMove(ui::Point p, bool buttonDown);
  void PointerUp(ui::Point p);
  void DeliverPosted(std::uint32_t message, std::intptr_t wParam, std::intptr_t lParam);
  void Activated();

 private:
  struct Control;
  class Quiet;
  enum class UserAction { kClick, kChoose, kType, kCheck };

  Control* Find(int id);
  const Control* Find(int id) const;
  void CreateControl(const ui::ControlTemplate& t);
  void PlaceControl(Control& c);
  void ApplyWindowFlags();
  std::string Describe(int id) const;
  std::string CheckUsable(const Control* c, int id) const;
  std::optional<std::u16string> ShownCaption(std::size_t index) const;
  std::string Resolve(const ui::ControlRef& control, UserAction action, int& id) const;

  QtUserInterface& ui_;
  WindowHandle handle_;
  ui::WindowHandler& handler_;
  QtWindow* parent_;
  WindowHandle owner_;
  std::uint32_t style_;
  std::u16string className_;
  int border_ = 0;
  bool topMost_ = false;
  std::uint64_t markedNativeId_ = 0;  // the native window that was given the class name
  bool destroying_ = false;
  bool destroyed_ = false;
  bool opened_ = false;  // shown once and logged as opened
  int quiet_ = 0;  // > 0 while the program changes controls: no notifications
  QPointer<QWidget> outer_;
  QWidget* client_ = nullptr;
  std::vector<std::unique_ptr<Control>> controls_;
  std::map<int, int> timers_;  // window timer id -> TimerService number
  std::vector<WindowHandle> children_;
  std::shared_ptr<ModalState> modal_;
};

}  // namespace vexa::platform
