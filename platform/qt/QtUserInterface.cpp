#include "platform/qt/QtUserInterface.h"

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QGuiApplication>
#include <QMetaObject>
#include <QObject>
#include <QWidget>
#include <QWindow>
#include <algorithm>

#include "platform/qt/QtWindow.h"

namespace vexa::platform {

QtUserInterface::QtUserInterface(ui::TimerService& timers, ui::EventPump& pump, EffectLog& log, gfx::Size screen)
    : timers_(timers), pump_(pump), log_(log), screen_(screen), dispatcher_(std::make_unique<QObject>()) {}

QtUserInterface::~QtUserInterface() {
  // No handler is called any more: the program's objects behind them may be gone already.
  for (auto& [handle, window] : windows_) window->MarkDead();
  for (auto& window : retired_) window->MarkDead();
  for (auto& [handle, window] : windows_) {
    if (!window->parentWindow() && window->outer()) delete window->outer();
  }
  for (auto& window : retired_) {
    if (!window->parentWindow() && window->outer()) delete window->outer();
  }
  windows_.clear();
  retired_.clear();
  if (waitCursor_) QApplication::restoreOverrideCursor();
}

void QtUserInterface::NoteClassName(const std::u16string& className) {
  // Qt's X11 backend writes the application name as the class part of every window's WM_CLASS, read
  // once when the first native window is made; later class names cannot change it.
  if (classNameSet_ || className.empty() || !QGuiApplication::allWindows().isEmpty()) return;
  QCoreApplication::setApplicationName(QString::fromStdU16String(className));
  classNameSet_ = true;
}

QtWindow& QtUserInterface::Make(const ui::WindowTemplate& tmpl, ui::WindowHandler& handler, QtWindow* parent,
                                ui::Window* owner) {
  if (!parent) NoteClassName(tmpl.className);
  const WindowHandle handle = next_++;
  auto window = std::make_unique<QtWindow>(*this, handle, tmpl, handler, parent, owner ? owner->handle() : kNoWindow);
  QtWindow& made = *window;
  windows_[handle] = std::move(window);
  if (parent) {
    parent->AddChild(handle);
  } else {
    zOrder_.insert(zOrder_.begin(), handle);
  }
  return made;
}

int QtUserInterface::RunModal(const ui::WindowTemplate& tmpl, ui::WindowHandler& handler, ui::Window* owner) {
  QtWindow& window = Make(tmpl, handler, nullptr, owner);
  window.MakeModal();
  const std::shared_ptr<QtWindow::ModalState> state = window.modalState();
  const WindowHandle handle = window.handle();
  const WindowHandle ownerHandle = owner ? owner->handle() : kNoWindow;

  handler.OnInit(window);
  // OnInit may already have ended the run (or destroyed the window); then it is never shown.
  bool ownerDisabled = false;
  if (!state->done) {
    if (QtWindow* o = FindWindow(ownerHandle); o && o->outer() && o->outer()->isEnabled()) {
      o->Enable(false);
      ownerDisabled = true;
    }
    if (QtWindow* w = FindWindow(handle)) w->Show(true);
    pump_.RunUntil([&state] { return state->done; });
  }
  const int result = state->done ? state->result : 0;
  if (QtWindow* w = FindWindow(handle)) w->Destroy();
  if (QtWindow* o = FindWindow(ownerHandle)) {
    if (ownerDisabled) o->Enable(true);
    if (o->IsVisible()) o->SetZOrder(ui::ZOrder::kTop);
  }
  return result;
}

ui::Window& QtUserInterface::CreateModeless(const ui::WindowTemplate& tmpl, ui::WindowHandler& handler,
                                            ui::Window* owner) {
  QtWindow& window = Make(tmpl, handler, nullptr, owner);
  handler.OnInit(window);
  window.Show(true);
  return window;
}

ui::Window& QtUserInterface::CreateChild(ui::Window& parent, const ui::WindowTemplate& tmpl,
                                         ui::WindowHandler& handler) {
  QtWindow* p = FindWindow(parent.handle());
  // A parent that is not ours (or is gone) leaves a top-level window, which is still usable.
  QtWindow& window = Make(tmpl, handler, p, p ? nullptr : &parent);
  handler.OnInit(window);
  window.Show(true);
  return window;
}

QtWindow* QtUserInterface::FindWindow(WindowHandle handle) {
  auto it = windows_.find(handle);
  return it == windows_.end() ? nullptr : it->second.get();
}

ui::Window* QtUserInterface::Find(WindowHandle handle) { return FindWindow(handle); }

std::vector<ui::Window*> QtUserInterface::TopLevelWindows() {
  std::vector<ui::Window*> result;
  for (bool topMost : {true, false}) {
    for (WindowHandle h : zOrder_) {
      QtWindow* w = FindWindow(h);
      if (w && w->topMost() == topMost) result.push_back(w);
    }
  }
  return result;
}

std::vector<QtWindow*> QtUserInterface::WindowsInZOrder() {
  std::vector<QtWindow*> result;
  // Each top-level window, then the windows inside it (they lie above it), the last made first.
  std::vector<QtWindow*> children;
  for (ui::Window* top : TopLevelWindows()) {
    result.push_back(static_cast<QtWindow*>(top));
    std::vector<QtWindow*> inside;
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
      for (QtWindow* p = it->second->parentWindow(); p; p = p->parentWindow()) {
        if (p == top) {
          inside.push_back(it->second.get());
          break;
        }
      }
    }
    result.insert(result.end(), inside.begin(), inside.end());
  }
  return result;
}

void QtUserInterface::SetWaitCursor(bool waiting) {
  // One state, not a count: a program that shows the wait cursor twice and clears it once is done.
  if (waiting && !waitCursor_) {
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    waitCursor_ = 1;
  } else if (!waiting && waitCursor_) {
    QApplication::restoreOverrideCursor();
    waitCursor_ = 0;
  }
}

void QtUserInterface::Quit(int exitCode) {
  exitCode_ = exitCode;
  pump_.Quit();
}

std::optional<gfx::Bitmap> QtUserInterface::Icon(int resourceId) {
  if (!resources_) return std::nullopt;
  return resources_->Icon(resourceId, {0, 0});
}

int QtUserInterface::RunDialog(QDialog& dialog, WindowHandle owner) {
  QtWindow* o = FindWindow(owner);
  bool ownerDisabled = false;
  if (o && o->outer()) {
    dialog.winId();
    if (dialog.windowHandle() && o->outer()->windowHandle()) {
      dialog.windowHandle()->setTransientParent(o->outer()->windowHandle());
    }
    if (o->outer()->isEnabled()) {
      o->Enable(false);
      ownerDisabled = true;
    }
  }
  bool finished = false;
  int result = QDialog::Rejected;
  const QMetaObject::Connection connection = QObject::connect(&dialog, &QDialog::finished, &dialog, [&](int code) {
    finished = true;
    result = code;
  });
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.show();
  if (QGuiApplication::platformName() != QStringLiteral("offscreen")) dialog.raise();
  dialog.activateWindow();
  pump_.RunUntil([&finished] { return finished; });
  QObject::disconnect(connection);
  dialog.hide();
  if (QtWindow* again = FindWindow(owner); again && ownerDisabled) again->Enable(true);
  return finished ? result : static_cast<int>(QDialog::Rejected);
}

void QtUserInterface::BringToTop(WindowHandle handle) {
  auto it = std::find(zOrder_.begin(), zOrder_.end(), handle);
  if (it == zOrder_.end()) return;
  zOrder_.erase(it);
  zOrder_.insert(zOrder_.begin(), handle);
}

void QtUserInterface::SendToBottom(WindowHandle handle) {
  auto it = std::find(zOrder_.begin(), zOrder_.end(), handle);
  if (it == zOrder_.end()) return;
  zOrder_.erase(it);
  zOrder_.push_back(handle);
}

void QtUserInterface::Retire(WindowHandle handle) {
  auto it = windows_.find(handle);
  if (it == windows_.end()) return;
  std::unique_ptr<QtWindow> window = std::move(it->second);
  windows_.erase(it);
  zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), handle), zOrder_.end());
  // The object stays until its widgets are deleted: a handler of one of them may still be running.
  if (QWidget* outer = window->outer()) {
    QObject::connect(outer, &QObject::destroyed, dispatcher_.get(), [this] { CollectRetired(); },
                     Qt::QueuedConnection);
  } else {
    QMetaObject::invokeMethod(dispatcher_.get(), [this] { CollectRetired(); }, Qt::QueuedConnection);
  }
  retired_.push_back(std::move(window));
}

void QtUserInterface::CollectRetired() {
  retired_.erase(std::remove_if(retired_.begin(), retired_.end(), [](const auto& w) { return w->widgetsGone(); }),
                 retired_.end());
}

void QtUserInterface::PostTo(WindowHandle handle, std::uint32_t message, std::intptr_t wParam,
                             std::intptr_t lParam) {
  // Thread-safe: invokeMethod with a queued connection only posts an event to the GUI thread, where the
  // window is looked up again (it may be gone by then, and the message with it).
  QMetaObject::invokeMethod(
      dispatcher_.get(),
      [this, handle, message, wParam, lParam] {
        if (QtWindow* w = FindWindow(handle)) w->DeliverPosted(message, wParam, lParam);
      },
      Qt::QueuedConnection);
}

}  // namespace vexa::platform
