#include "platform/qt/QtAutomation.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include "common/text/Text.h"
#include "platform/qt/QtUserInterface.h"
#include "platform/qt/QtWindow.h"

namespace vexa::platform {

namespace {

std::string At(gfx::Point p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

void SendMouse(QWidget* target, QEvent::Type type, gfx::Point screen, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
  const QPointF global(screen.x, screen.y);
  const QPointF local = target->mapFromGlobal(global);
  QMouseEvent event(type, local, global, button, buttons, Qt::NoModifier);
  // QApplication::notify passes an ignored event on to the parent widgets, as real delivery does.
  QCoreApplication::sendEvent(target, &event);
}

}  // namespace

QtWindow* QtAutomation::WindowAt(gfx::Point screen) {
  for (ui::Window* w : ui_.TopLevelWindows()) {
    auto* window = static_cast<QtWindow*>(w);
    if (window->IsVisible() && window->ScreenClientRect().Contains(screen)) return window;
  }
  return nullptr;
}

QtWindow* QtAutomation::WindowTitled(std::u16string_view title, bool mustBeVisible, std::string& error) {
  const QString wanted = QString::fromStdU16String(std::u16string(title));
  const std::vector<QtWindow*> windows = ui_.WindowsInZOrder();
  QtWindow* hidden = nullptr;
  for (bool exact : {true, false}) {
    for (QtWindow* w : windows) {
      const QString t = QString::fromStdU16String(w->GetTitle());
      const bool same = exact ? t == wanted : t.compare(wanted, Qt::CaseInsensitive) == 0;
      if (!same) continue;
      if (w->IsVisible()) return w;
      if (!hidden) hidden = w;
    }
  }
  if (hidden && !mustBeVisible) return hidden;
  error = hidden ? "window \"" + text::ToUtf8(title) + "\" is hidden"
                 : "no window titled \"" + text::ToUtf8(title) + "\"";
  return nullptr;
}

std::string QtAutomation::Press(gfx::Point screen) {
  QtWindow* window = WindowAt(screen);
  if (!window) return "no window of ours at " + At(screen);
  if (!window->client()->isEnabled()) return "the window at " + At(screen) + " is disabled";
  QWidget* client = window->client();
  if (!(window->outer()->windowFlags() & Qt::WindowDoesNotAcceptFocus)) window->SetZOrder(ui::ZOrder::kTop);
  QWidget* target = client->childAt(client->mapFromGlobal(QPoint(screen.x, screen.y)));
  if (!target) target = client;
  grabber_ = target;
  if (target->focusPolicy() & Qt::ClickFocus) target->setFocus(Qt::MouseFocusReason);
  SendMouse(target, QEvent::MouseButtonPress, screen, Qt::LeftButton, Qt::LeftButton);
  return {};
}

std::string QtAutomation::Move(gfx::Point screen) {
  if (grabber_) {
    SendMouse(grabber_, QEvent::MouseMove, screen, Qt::NoButton, Qt::LeftButton);
    return {};
  }
  QtWindow* window = WindowAt(screen);
  if (!window) return "no window of ours at " + At(screen);
  if (!window->client()->isEnabled()) return "the window at " + At(screen) + " is disabled";
  QWidget* client = window->client();
  QWidget* target = client->childAt(client->mapFromGlobal(QPoint(screen.x, screen.y)));
  SendMouse(target ? target : client, QEvent::MouseMove, screen, Qt::NoButton, Qt::NoButton);
  return {};
}

std::string QtAutomation::Release(gfx::Point screen) {
  if (!grabber_) {
    // A release without a press (or after the pressed widget went away) reaches what lies there.
    QtWindow* window = WindowAt(screen);
    if (!window) return "no window of ours at " + At(screen);
    if (!window->client()->isEnabled()) return "the window at " + At(screen) + " is disabled";
    QWidget* client = window->client();
    QWidget* target = client->childAt(client->mapFromGlobal(QPoint(screen.x, screen.y)));
    SendMouse(target ? target : client, QEvent::MouseButtonRelease, screen, Qt::LeftButton, Qt::NoButton);
    return {};
  }
  QPointer<QWidget> target = grabber_;
  grabber_ = nullptr;
  SendMouse(target, QEvent::MouseButtonRelease, screen, Qt::LeftButton, Qt::NoButton);
  return {};
}

std::string QtAutomation::Click(std::u16string_view title, const ui::ControlRef& control) {
  std::string error;
  QtWindow* w = WindowTitled(title, true, error);
  return w ? w->UserClick(control) : error;
}

std::string QtAutomation::Choose(std::u16string_view title, const ui::ControlRef& control,
                                 std::u16string_view item) {
  std::string error;
  QtWindow* w = WindowTitled(title, true, error);
  return w ? w->UserChoose(control, item) : error;
}

std::string QtAutomation::Type(std::u16string_view title, const ui::ControlRef& control,
                               std::u16string_view text) {
  std::string error;
  QtWindow* w = WindowTitled(title, true, error);
  return w ? w->UserType(control, text) : error;
}

std::string QtAutomation::Check(std::u16string_view title, const ui::ControlRef& control,
                                ui::CheckState state) {
  std::string error;
  QtWindow* w = WindowTitled(title, true, error);
  return w ? w->UserCheck(control, state) : error;
}

std::string QtAutomation::Screenshot(std::u16string_view title, std::string_view hostPath) {
  std::string error;
  // A hidden window can still be drawn; what it would show is what a test wants to see.
  QtWindow* w = WindowTitled(title, false, error);
  if (!w) return error;
  const QPixmap picture = w->client()->grab();
  const QString path = QString::fromUtf8(hostPath.data(), static_cast<qsizetype>(hostPath.size()));
  if (picture.isNull() || !picture.save(path, "PNG")) return "cannot write a screenshot to " + std::string(hostPath);
  return {};
}

std::string QtAutomation::ScreenScreenshot(std::string_view hostPath, std::vector<std::u16string>& windows) {
  windows.clear();
  const gfx::Size screen = ui_.ScreenSize();
  QImage picture(screen.width, screen.height, QImage::Format_RGB32);
  picture.fill(Qt::black);
  {
    QPainter painter(&picture);
    const std::vector<ui::Window*> stacked = ui_.TopLevelWindows();  // top first
    for (auto it = stacked.rbegin(); it != stacked.rend(); ++it) {
      auto* window = static_cast<QtWindow*>(*it);
      if (!window->IsVisible()) continue;
      QWidget* outer = window->outer();
      painter.drawPixmap(outer->geometry().topLeft(), outer->grab());
      windows.insert(windows.begin(), window->GetTitle());
    }
  }
  const QString path = QString::fromUtf8(hostPath.data(), static_cast<qsizetype>(hostPath.size()));
  if (!picture.save(path, "PNG")) return "cannot write a screenshot to " + std::string(hostPath);
  return {};
}

}  // namespace vexa::platform
