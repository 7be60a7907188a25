#include "Gauges.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

#include "Buttons.h"
#include "Canvas.h"

namespace skingen {
namespace {

constexpr double kStartAngle = 225.0;  // 0 km/h, degrees counter-clockwise from three o'clock
constexpr double kSweep = 270.0;       // clockwise to the top speed

double SpeedAngle(double speed) {
  return kStartAngle - kSweep * speed / kTopSpeed;
}

QPointF Polar(QPointF centre, double radius, double degrees) {
  const double a = degrees * std::numbers::pi / 180.0;
  return {centre.x() + radius * std::cos(a), centre.y() - radius * std::sin(a)};
}

// The colour of the lit arc at a speed: cyan, through green and amber, to red at the top.
QColor ArcColor(double speed) {
  struct Stop {
    double at;
    QColor color;
  };
  static const Stop stops[] = {{0, QColor(40, 200, 255)},
                               {80, QColor(60, 230, 150)},
                               {130, QColor(255, 200, 60)},
                               {200, QColor(255, 70, 50)}};
  for (std::size_t i = 1; i < std::size(stops); ++i) {
    if (speed <= stops[i].at) {
      const double t = (speed - stops[i - 1].at) / (stops[i].at - stops[i - 1].at);
      const QColor& a = stops[i - 1].color;
      const QColor& b = stops[i].color;
      return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                              static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                              static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t));
    }
  }
  return stops[std::size(stops) - 1].color;
}

// Metal bezel and dark face, common to both dials.
void DrawBezel(QPainter& p, QPointF c, double outer, double face) {
  QLinearGradient metal(0, c.y() - outer, 0, c.y() + outer);
  metal.setColorAt(0, QColor(150, 162, 178));
  metal.setColorAt(0.5, QColor(70, 78, 90));
  metal.setColorAt(1, QColor(30, 34, 40));
  p.setPen(Qt::NoPen);
  p.setBrush(metal);
  p.drawEllipse(c, outer, outer);
  QRadialGradient dark(QPointF(c.x(), c.y() - face * 0.3), face * 1.3);
  dark.setColorAt(0, QColor(34, 44, 56));
  dark.setColorAt(1, QColor(8, 11, 15));
  p.setBrush(dark);
  p.drawEllipse(c, face, face);
}

void Label(QPainter& p, QPointF at, const QString& text, int pixelSize, const QColor& color, bool bold) {
  QFont font(QStringLiteral("NanumGothic"));
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  p.setFont(font);
  p.setPen(color);
  const QRectF box(at.x() - 30, at.y() - pixelSize, 60, pixelSize * 2.0);
  p.drawText(box, Qt::AlignCenter, text);
}

}  // namespace

QImage DrawSpeedDial(int speed, bool lit) {
  const double s = kSpeedDialSize;
  QImage canvas = NewCanvas(kSpeedDialSize, kSpeedDialSize);
  QPainter p(&canvas);
  Smooth(p);
  const QPointF c(s / 2, s / 2);
  DrawBezel(p, c, s / 2 - 1, s / 2 - 7);

  // The arc track, then the lit part up to the speed in small coloured steps.
  const double arcRadius = s / 2 - 17;
  const QRectF arcBox(c.x() - arcRadius, c.y() - arcRadius, 2 * arcRadius, 2 * arcRadius);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(36, 46, 58), 6, Qt::SolidLine, Qt::FlatCap));
  p.drawArc(arcBox, static_cast<int>(SpeedAngle(kTopSpeed) * 16), static_cast<int>(kSweep * 16));
  if (lit) {
    for (int v = 0; v < speed; ++v) {
      p.setPen(QPen(ArcColor(v + 0.5), 6, Qt::SolidLine, Qt::FlatCap));
      const double from = SpeedAngle(v + 1);
      p.drawArc(arcBox, static_cast<int>(std::lround(from * 16)),
                static_cast<int>(std::lround((SpeedAngle(v) - from) * 16)) + 2);
    }
  }

  // Ticks every 10 km/h, long ones every 20, the last 40 in red; numbers every 40.
  const double tickOuter = s / 2 - 23;
  for (int v = 0; v <= kTopSpeed; v += 10) {
    const bool major = v % 20 == 0;
    const QColor color =
        v >= 160 ? QColor(255, 90, 70) : (major ? QColor(235, 240, 245) : QColor(130, 142, 156));
    p.setPen(QPen(color, major ? 2.4 : 1.4, Qt::SolidLine, Qt::FlatCap));
    const double a = SpeedAngle(v);
    p.drawLine(Polar(c, tickOuter, a), Polar(c, tickOuter - (major ? 10 : 6), a));
    if (v % 40 == 0) {
      Label(p, Polar(c, tickOuter - 22, a), QString::number(v), 12, QColor(210, 218, 228), false);
    }
  }
  Label(p, QPointF(c.x(), c.y() + 22), QStringLiteral("km/h"), 10, QColor(120, 134, 150), false);

  // The window the speed display sits in.
  p.setPen(QPen(QColor(52, 64, 78), 1.5));
  p.setBrush(QColor(5, 8, 11));
  p.drawRoundedRect(QRectF(kSpeedWindow).adjusted(-3, -3, 3, 3), 5, 5);

  // The needle: a tapered blade from a short tail to near the ticks, over a hub.
  const double a = SpeedAngle(lit ? speed : 0);
  QPainterPath blade;
  blade.moveTo(Polar(c, tickOuter - 2, a));
  blade.lineTo(Polar(c, 4, a + 90));
  blade.lineTo(Polar(c, 14, a + 180));
  blade.lineTo(Polar(c, 4, a - 90));
  blade.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(lit ? QColor(255, 96, 56) : QColor(150, 80, 66));
  p.drawPath(blade);
  QRadialGradient hub(QPointF(c.x() - 2, c.y() - 2), 10);
  hub.setColorAt(0, QColor(110, 120, 134));
  hub.setColorAt(1, QColor(24, 28, 34));
  p.setBrush(hub);
  p.setPen(QPen(QColor(170, 180, 192), 1.2));
  p.drawEllipse(c, 8, 8);
  p.end();
  return Flatten(canvas, kMatte);
}

QImage DrawCompass(int course, bool lit) {
  const double s = kCourseDialSize;
  QImage canvas = NewCanvas(kCourseDialSize, kCourseDialSize);
  QPainter p(&canvas);
  Smooth(p);
  const QPointF c(s / 2, s / 2);
  DrawBezel(p, c, s / 2 - 1, s / 2 - 5);

  // Ticks every 30 degrees, heavier at the four quarters, and the quarter letters.
  const double outer = s / 2 - 7;
  for (int d = 0; d < 360; d += 30) {
    const bool quarter = d % 90 == 0;
    p.setPen(QPen(quarter ? QColor(230, 236, 242) : QColor(110, 122, 136), quarter ? 2.0 : 1.2, Qt::SolidLine,
                  Qt::FlatCap));
    const double a = 90.0 - d;
    p.drawLine(Polar(c, outer, a), Polar(c, outer - (quarter ? 6 : 4), a));
  }
  const char* letters[] = {"N", "E", "S", "W"};
  for (int i = 0; i < 4; ++i) {
    const QColor color = i == 0 ? QColor(255, 96, 70) : QColor(200, 210, 222);
    Label(p, Polar(c, outer - 14, 90.0 - 90.0 * i), QString::fromLatin1(letters[i]), 11, color, true);
  }

  // The needle: red half to the course, pale half behind.
  const double a = 90.0 - (lit ? course : 0);
  const double length = outer - 10;
  QPainterPath head, tail;
  head.moveTo(Polar(c, length, a));
  head.lineTo(Polar(c, 5, a + 90));
  head.lineTo(Polar(c, 5, a - 90));
  head.closeSubpath();
  tail.moveTo(Polar(c, length * 0.8, a + 180));
  tail.lineTo(Polar(c, 5, a + 90));
  tail.lineTo(Polar(c, 5, a - 90));
  tail.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(lit ? QColor(255, 86, 60) : QColor(150, 76, 64));
  p.drawPath(head);
  p.setBrush(lit ? QColor(220, 228, 236) : QColor(120, 128, 138));
  p.drawPath(tail);
  p.setBrush(QColor(30, 36, 44));
  p.setPen(QPen(QColor(170, 180, 192), 1.0));
  p.drawEllipse(c, 3.5, 3.5);
  p.end();
  return Flatten(canvas, kMatte);
}

}  // namespace skingen
