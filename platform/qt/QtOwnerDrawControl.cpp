#include "platform/qt/QtOwnerDrawControl.h"

#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace vexa::platform {

namespace {

gfx::Point ClientPoint(const QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  return {p.x(), p.y()};
}

}  // namespace

QtOwnerDrawControl::QtOwnerDrawControl(QWidget* parent, Callbacks callbacks)
    : QAbstractButton(parent), callbacks_(std::move(callbacks)) {
  // The handler paints every pixel: nothing is erased underneath, so there is nothing to flicker.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setAutoFillBackground(false);
  // Moves without a button pressed reach the handler as well.
  setMouseTracking(true);
}

void QtOwnerDrawControl::paintEvent(QPaintEvent* event) {
  if (width() <= 0 || height() <= 0) return;
  // Only the damaged part that can be seen is drawn: a control far larger than its window (a skin may
  // give any size) costs a canvas of at most the window's size.
  QRect visible = event->rect() & rect();
  if (const QWidget* top = window(); top != nullptr && top != this) {
    visible &= QRect(mapFrom(top, QPoint(0, 0)), top->size());
  }
  if (visible.isEmpty()) return;
  gfx::Bitmap canvas({width(), height()}, gfx::Rect::FromSize(visible.x(), visible.y(), visible.width(), visible.height()),
                     gfx::ToPixel(gfx::SystemColors::kButtonFace));
  if (canvas.stride() <= 0) return;
  ui::DrawItemState state;
  state.pressed = isDown();
  state.focused = hasFocus();
  state.disabled = !isEnabled();
  if (callbacks_.draw) callbacks_.draw(canvas, state);
  // 0xAARRGGBB words are Qt's RGB32 layout: the image wraps the pixels without copying them.
  const auto& stored = canvas.stored();
  const QImage image(reinterpret_cast<const uchar*>(canvas.Row(stored.top)), stored.width(), stored.height(),
                     static_cast<qsizetype>(stored.width()) * 4, QImage::Format_RGB32);
  QPainter painter(this);
  painter.drawImage(stored.left, stored.top, image);
}

bool QtOwnerDrawControl::event(QEvent* event) {
  // A press whose pointer leaves straight out of the window, or whose pointer grab is lost, is never
  // released over the control: the pressed look goes with it, and no click follows.
  switch (event->type()) {
    case QEvent::Leave:
    case QEvent::UngrabMouse:
    case QEvent::WindowDeactivate:
    case QEvent::Hide:
      if (isDown()) {
        setDown(false);
        update();
      }
      break;
    default:
      break;
  }
  return QAbstractButton::event(event);
}

void QtOwnerDrawControl::mousePressEvent(QMouseEvent* event) {
  if (callbacks_.pointerDown) callbacks_.pointerDown(ClientPoint(event));
  QAbstractButton::mousePressEvent(event);
}

void QtOwnerDrawControl::mouseMoveEvent(QMouseEvent* event) {
  if (callbacks_.pointerMove) {
    callbacks_.pointerMove(ClientPoint(event), (event->buttons() & Qt::LeftButton) != 0);
  }
  QAbstractButton::mouseMoveEvent(event);
}

void QtOwnerDrawControl::mouseReleaseEvent(QMouseEvent* event) {
  if (callbacks_.pointerUp) callbacks_.pointerUp(ClientPoint(event));
  QAbstractButton::mouseReleaseEvent(event);
}

}  // namespace vexa::platform
