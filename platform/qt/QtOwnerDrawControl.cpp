#include "platform/qt/QtOwnerDrawControl.h"

#include <QImage>
#include <QMouseEvent>
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

void QtOwnerDrawControl::paintEvent(QPaintEvent*) {
  if (width() <= 0 || height() <= 0) return;
  gfx::Bitmap canvas(width(), height(), gfx::ToPixel(gfx::SystemColors::kButtonFace));
  ui::DrawItemState state;
  state.pressed = isDown();
  state.focused = hasFocus();
  state.disabled = !isEnabled();
  if (callbacks_.draw) callbacks_.draw(canvas, state);
  // 0xAARRGGBB words are Qt's RGB32 layout: the image wraps the pixels without copying them.
  const QImage image(reinterpret_cast<const uchar*>(canvas.Row(0)), canvas.width(), canvas.height(),
                     canvas.width() * 4, QImage::Format_RGB32);
  QPainter painter(this);
  painter.drawImage(0, 0, image);
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
