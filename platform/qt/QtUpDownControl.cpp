#include "platform/qt/QtUpDownControl.h"

#include <QToolButton>
#include <algorithm>

namespace vexa::platform {

QtUpDownControl::QtUpDownControl(QWidget* parent, std::function<void()> changed)
    : QWidget(parent), changed_(std::move(changed)), up_(new QToolButton(this)), down_(new QToolButton(this)) {
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  for (QToolButton* b : {up_, down_}) {
    b->setAutoRepeat(true);
    b->setFocusPolicy(Qt::NoFocus);
  }
  QObject::connect(up_, &QToolButton::clicked, this, [this] { Step(+1); });
  QObject::connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
}

int QtUpDownControl::Clamp(int value) const {
  return std::clamp(value, std::min(low_, high_), std::max(low_, high_));
}

void QtUpDownControl::SetRange(int low, int high) {
  low_ = low;
  high_ = high;
  value_ = Clamp(value_);
}

void QtUpDownControl::SetValue(int value) { value_ = Clamp(value); }

void QtUpDownControl::Step(int direction) {
  // "Up" moves towards `high`, whichever way round the range is.
  const int delta = (high_ >= low_ ? 1 : -1) * (direction > 0 ? 1 : -1);
  const int next = Clamp(value_ + delta);
  if (next == value_) return;
  value_ = next;
  if (changed_) changed_();
}

void QtUpDownControl::resizeEvent(QResizeEvent*) {
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
}

}  // namespace vexa::platform
