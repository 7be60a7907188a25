#include "platform/qt/QtTabControl.h"

#include <QFrame>
#include <QTabBar>
#include <algorithm>

namespace vexa::platform {

namespace {
constexpr int kFrameInset = 2;  // the display area lies inside a two-pixel frame

// The label row has one height whatever the labels, so that the page area a program asks for before
// adding its pages is the one they end up in.
int BarHeight(const QWidget& tab) { return std::min(tab.height(), tab.fontMetrics().height() + 10); }
}

QtTabControl::QtTabControl(QWidget* parent) : QWidget(parent), bar_(new QTabBar(this)), frame_(new QFrame(this)) {
  bar_->setExpanding(false);
  bar_->setDrawBase(false);
  bar_->setUsesScrollButtons(true);
  frame_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  frame_->setLineWidth(kFrameInset);
  frame_->lower();
}

QRect QtTabControl::pageArea() const {
  const int barHeight = BarHeight(*this);
  return QRect(kFrameInset, barHeight + kFrameInset, std::max(0, width() - 2 * kFrameInset),
               std::max(0, height() - barHeight - 2 * kFrameInset));
}

void QtTabControl::resizeEvent(QResizeEvent*) {
  const int barHeight = BarHeight(*this);
  bar_->setGeometry(0, 0, width(), barHeight);
  frame_->setGeometry(0, barHeight, width(), height() - barHeight);
}

}  // namespace vexa::platform
