#pragma once

#include <QWidget>

class QTabBar;
class QFrame;

namespace vexa::platform {

// The tab control: a row of page labels on top of a framed display area. The pages themselves are
// child windows the program lays over pageArea(); this control only draws the labels and the frame.
class QtTabControl : public QWidget {
 public:
  explicit QtTabControl(QWidget* parent);

  QTabBar* tabBar() const { return bar_; }
  // Where the pages go, in this control's coordinates.
  QRect pageArea() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QTabBar* bar_;
  QFrame* frame_;
};

}  // namespace vexa::platform
