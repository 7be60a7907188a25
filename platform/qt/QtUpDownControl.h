#pragma once

#include <QWidget>
#include <functional>

class QToolButton;

namespace vexa::platform {

// The up-down spinner: two arrow buttons, up above down, that step a value within a range. The value
// lives here; the window shows it in the buddy edit and sends the notifications through `changed`,
// which is called after each user step that changed the value.
class QtUpDownControl : public QWidget {
 public:
  QtUpDownControl(QWidget* parent, std::function<void()> changed);

  // The range may be given either way round (high below low), as the device allows; the value is kept
  // between the two.
  void SetRange(int low, int high);
  void SetValue(int value);  // clamped into the range
  int value() const { return value_; }
  int low() const { return low_; }
  int high() const { return high_; }
  // One user step: +1 for up, -1 for down (towards `high` or `low`).
  void Step(int direction);

  QToolButton* upButton() const { return up_; }
  QToolButton* downButton() const { return down_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  int Clamp(int value) const;

  std::function<void()> changed_;
  QToolButton* up_;
  QToolButton* down_;
  int low_ = 0;
  int high_ = 100;
  int value_ = 0;
};

}  // namespace vexa::platform
