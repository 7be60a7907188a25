#pragma once

#include <QAbstractButton>
#include <functional>

#include "common/gfx/Bitmap.h"
#include "platform/ui/Window.h"

namespace vexa::platform {

// The owner-drawn button: a button whose look comes entirely from its window's handler. Every paint
// asks `draw` for a bitmap of the control's size and shows it in one piece; the background is never
// erased first, so a redraw does not flicker. Pointer events go to the pointer callbacks before the
// button's own handling, which emits clicked() on a release inside it. Only the visible, damaged part
// of the control is ever drawn.
class QtOwnerDrawControl : public QAbstractButton {
 public:
  struct Callbacks {
    std::function<void(gfx::Bitmap&, const ui::DrawItemState&)> draw;
    std::function<void(gfx::Point)> pointerDown;
    std::function<void(gfx::Point, bool)> pointerMove;
    std::function<void(gfx::Point)> pointerUp;
  };

  QtOwnerDrawControl(QWidget* parent, Callbacks callbacks);

  QSize sizeHint() const override { return size(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  Callbacks callbacks_;
};

}  // namespace vexa::platform
