#pragma once

#include <QImage>
#include <QRect>

// The dials of the speed and course gauges. A gauge slot shows its normal picture while the GPS is
// off and one frame per value while it runs; frames and normal picture have the same size.
namespace skingen {

inline constexpr int kSpeedDialSize = 176;
inline constexpr int kCourseDialSize = 92;
inline constexpr int kTopSpeed = 200;

// Where the speed dial leaves room for the speed display, in dial pixels.
inline constexpr QRect kSpeedWindow(54, 128, 68, 28);

// The speed dial with its needle at `speed` km/h and the arc lit up to it; `lit` false draws the
// resting face (needle at 0, nothing lit) that the gauge shows while the GPS is off.
QImage DrawSpeedDial(int speed, bool lit);
// The compass with its needle pointing to `course` degrees (0 = north, clockwise); `lit` false draws
// the resting face.
QImage DrawCompass(int course, bool lit);

}  // namespace skingen
