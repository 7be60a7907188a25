#include "Scenes.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

#include <cmath>
#include <numbers>
#include <vector>

#include "Buttons.h"
#include "Canvas.h"
#include "Glyphs.h"

namespace skingen {
namespace {

QImage Opaque(QSize size, const QColor& color) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(color);
  return image;
}

struct Stop {
  double at;
  QColor color;
};

void VerticalGradient(QPainter& p, const QRectF& rect, std::initializer_list<Stop> stops) {
  QLinearGradient g(0, rect.top(), 0, rect.bottom());
  for (const Stop& s : stops) g.setColorAt(s.at, s.color);
  p.fillRect(rect, g);
}

void Stars(QPainter& p, Random& random, const QRectF& area, int count) {
  p.setPen(Qt::NoPen);
  for (int i = 0; i < count; ++i) {
    const QPointF at(random.Range(area.left(), area.right()), random.Range(area.top(), area.bottom()));
    const double r = random.Range(0.4, 1.3);
    p.setBrush(QColor(220, 230, 255, random.Int(50, 210)));
    p.drawEllipse(at, r, r);
  }
}

// A ridge line across the picture: a sum of a few sines with random phases, filled down to the foot.
void Ridge(QPainter& p, Random& random, QSize size, double baseY, double amplitude, const QColor& color,
           double roughness = 1.0) {
  const double w = size.width();
  double phase[4], freq[4], amp[4];
  for (int i = 0; i < 4; ++i) {
    phase[i] = random.Range(0, 2 * std::numbers::pi);
    freq[i] = (1.5 + i * 2.3 * roughness) * random.Range(0.8, 1.2) / w * 2 * std::numbers::pi;
    amp[i] = amplitude / (1.0 + i * 1.4);
  }
  QPainterPath path;
  path.moveTo(0, size.height());
  for (int x = 0; x <= size.width(); x += 2) {
    double y = baseY;
    for (int i = 0; i < 4; ++i) y -= amp[i] * (0.5 + 0.5 * std::sin(freq[i] * x + phase[i]));
    path.lineTo(x, y);
  }
  path.lineTo(size.width(), size.height());
  path.closeSubpath();
  p.fillPath(path, color);
}

// Buildings along a horizon, with some lit windows.
void Skyline(QPainter& p, Random& random, QSize size, double horizon, double maxHeight, const QColor& body,
             const QColor& window, double windowShare) {
  double x = -5;
  const double scale = size.width() / 800.0;
  while (x < size.width()) {
    const double w = random.Range(10, 36) * scale;
    const double h = random.Range(0.15, 1.0) * maxHeight;
    const QRectF building(x, horizon - h, w, h + 2);
    p.fillRect(building, body);
    for (double wy = building.top() + 4 * scale; wy < horizon - 4 * scale; wy += 5 * scale) {
      for (double wx = building.left() + 3 * scale; wx < building.right() - 3 * scale; wx += 5 * scale) {
        if (random.Unit() < windowShare) p.fillRect(QRectF(wx, wy, 2 * scale, 2 * scale), window);
      }
    }
    x += w + random.Range(0, 4) * scale;
  }
}

// A road from the bottom of the picture to a vanishing point, with edge lines and centre dashes.
void Road(QPainter& p, QSize size, QPointF vanish, double bottomLeft, double bottomRight,
          const QColor& surface, const QColor& edge, const QColor& dash) {
  const double h = size.height();
  QPolygonF road;
  road << QPointF(vanish.x() - 2, vanish.y()) << QPointF(vanish.x() + 2, vanish.y())
       << QPointF(bottomRight, h) << QPointF(bottomLeft, h);
  p.setPen(Qt::NoPen);
  p.setBrush(surface);
  p.drawPolygon(road);
  p.setPen(QPen(edge, 2.0 * size.width() / 800.0));
  p.drawLine(vanish, QPointF(bottomLeft + 8, h));
  p.drawLine(vanish, QPointF(bottomRight - 8, h));
  // Dashes whose length and spacing grow towards the viewer.
  const QPointF foot((bottomLeft + bottomRight) / 2, h);
  for (double t = 0.06; t < 1.0; t *= 1.45) {
    const double t2 = std::min(1.0, t * 1.22);
    const QPointF a = vanish + (foot - vanish) * t;
    const QPointF b = vanish + (foot - vanish) * t2;
    p.setPen(QPen(dash, std::max(1.0, 7.0 * t * size.width() / 800.0), Qt::SolidLine, Qt::FlatCap));
    p.drawLine(a, b);
  }
}

// Soft glowing shapes: painted on their own layer, blurred, then laid over the picture.
template <typename Paint>
void Glow(QImage& image, int radius, Paint paint) {
  QImage layer = NewCanvas(image.width(), image.height());
  {
    QPainter lp(&layer);
    Smooth(lp);
    paint(lp);
  }
  Blur(layer, radius);
  QPainter p(&image);
  p.drawImage(0, 0, layer);
}

void Clouds(QImage& image, Random& random, int count, double top, double bottom, int alpha) {
  Glow(image, 14, [&](QPainter& p) {
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
      const double cx = random.Range(0, image.width());
      const double cy = random.Range(top, bottom);
      const double w = random.Range(60, 160) * image.width() / 800.0;
      for (int k = 0; k < 5; ++k) {
        p.setBrush(QColor(255, 255, 255, alpha));
        p.drawEllipse(QPointF(cx + random.Range(-w / 2, w / 2), cy + random.Range(-8, 8)), w / 3,
                      w / 6 + random.Range(0, 6));
      }
    }
  });
}

}  // namespace

QImage NightRoad(QSize size) {
  QImage image = Opaque(size, Qt::black);
  Random random(0x1417u);
  const double w = size.width(), h = size.height();
  const double horizon = h * 0.52;
  {
    QPainter p(&image);
    Smooth(p);
    VerticalGradient(p, QRectF(0, 0, w, horizon),
                     {{0, QColor(8, 16, 36)}, {0.7, QColor(18, 26, 56)}, {1, QColor(44, 34, 64)}});
    Stars(p, random, QRectF(0, 0, w, horizon * 0.8), 160);
    QRadialGradient glow(QPointF(w * 0.62, horizon), w * 0.5);
    glow.setColorAt(0, QColor(255, 150, 70, 90));
    glow.setColorAt(1, QColor(255, 150, 70, 0));
    p.fillRect(QRectF(0, 0, w, h), glow);
    Skyline(p, random, size, horizon + 1, h * 0.12, QColor(7, 9, 16), QColor(255, 200, 110, 150), 0.18);
    VerticalGradient(p, QRectF(0, horizon, w, h - horizon), {{0, QColor(10, 12, 18)}, {1, QColor(3, 4, 7)}});
    Road(p, size, QPointF(w * 0.62, horizon), w * 0.12, w * 1.12, QColor(20, 22, 28),
         QColor(255, 170, 80, 80), QColor(230, 230, 220, 45));
  }
  Vignette(image, 0.55);
  return image;
}

QImage Carbon(QSize size) {
  QImage image = Opaque(size, QColor(16, 18, 21));
  const double w = size.width(), h = size.height();
  {
    QPainter p(&image);
    const int cell = 8;
    for (int y = 0; y < size.height(); y += cell) {
      for (int x = 0; x < size.width(); x += cell) {
        const bool across = ((x / cell) + (y / cell)) % 2 == 0;
        QLinearGradient g(x, y, across ? x + cell : x, across ? y : y + cell);
        g.setColorAt(0, QColor(30, 33, 38));
        g.setColorAt(1, QColor(11, 12, 15));
        p.fillRect(QRect(x, y, cell, cell), g);
      }
    }
  }
  QPainterPath swoosh;
  swoosh.moveTo(-60, h * 0.86);
  swoosh.cubicTo(w * 0.35, h * 0.3, w * 0.7, h * 1.05, w + 60, h * 0.22);
  Glow(image, 18, [&](QPainter& p) {
    p.setPen(QPen(QColor(230, 40, 30, 110), 70 * w / 800.0, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(swoosh);
  });
  {
    QPainter p(&image);
    Smooth(p);
    p.setPen(QPen(QColor(255, 70, 50, 210), 2.5 * w / 800.0));
    p.drawPath(swoosh);
    p.setPen(QPen(QColor(255, 120, 90, 90), 1.2 * w / 800.0));
    p.drawPath(swoosh.translated(0, 14 * h / 480.0));
  }
  Vignette(image, 0.6);
  return image;
}

QImage Aurora(QSize size) {
  QImage image = Opaque(size, Qt::black);
  Random random(0xA0A0u);
  const double w = size.width(), h = size.height();
  {
    QPainter p(&image);
    Smooth(p);
    VerticalGradient(p, QRectF(0, 0, w, h), {{0, QColor(5, 13, 24)}, {1, QColor(12, 9, 30)}});
    Stars(p, random, QRectF(0, 0, w, h * 0.7), 120);
  }
  struct Band {
    double y, amplitude, thickness;
    QColor color;
  };
  const Band bands[] = {{0.30, 40, 110, QColor(40, 230, 170)},
                        {0.45, 55, 90, QColor(60, 150, 255)},
                        {0.60, 35, 120, QColor(170, 80, 255)}};
  Glow(image, 22, [&](QPainter& p) {
    for (const Band& band : bands) {
      const double phase = random.Range(0, 6.28), freq = random.Range(1.2, 2.2) * 6.28 / w;
      QPainterPath path;
      path.moveTo(0, h * band.y);
      for (int x = 0; x <= size.width(); x += 4) {
        path.lineTo(x, h * band.y + band.amplitude * h / 480.0 * std::sin(freq * x + phase));
      }
      for (int x = size.width(); x >= 0; x -= 4) {
        path.lineTo(x, h * band.y + band.amplitude * h / 480.0 * std::sin(freq * x + phase) +
                           band.thickness * h / 480.0 * (0.6 + 0.4 * std::sin(freq * 1.7 * x + phase)));
      }
      path.closeSubpath();
      const QRectF box = path.boundingRect();
      QLinearGradient g(0, box.top(), 0, box.bottom());
      QColor top = band.color, bottom = band.color;
      top.setAlpha(120);
      bottom.setAlpha(0);
      g.setColorAt(0, top);
      g.setColorAt(1, bottom);
      p.fillPath(path, g);
    }
  });
  {
    QPainter p(&image);
    Smooth(p);
    Ridge(p, random, size, h * 0.92, h * 0.16, QColor(4, 6, 12));
  }
  Vignette(image, 0.5);
  return image;
}

QImage Graphite(QSize size) {
  QImage image = Opaque(size, Qt::black);
  Random random(0x62A7u);
  const double w = size.width(), h = size.height();
  {
    QPainter p(&image);
    Smooth(p);
    QLinearGradient g(0, 0, w, h);
    g.setColorAt(0, QColor(36, 40, 46));
    g.setColorAt(1, QColor(13, 15, 18));
    p.fillRect(image.rect(), g);
    // Brushed metal: faint horizontal strokes.
    for (int i = 0; i < 600; ++i) {
      const double y = random.Range(0, h);
      const double x = random.Range(-50, w);
      p.setPen(QPen(QColor(255, 255, 255, random.Int(3, 9)), 1));
      p.drawLine(QPointF(x, y), QPointF(x + random.Range(40, 220), y));
    }
    // A faint hexagon grid.
    const double r = 30 * w / 800.0;
    p.setPen(QPen(QColor(255, 255, 255, 12), 1));
    p.setBrush(Qt::NoBrush);
    for (int row = -1; row * r * 1.5 < h + r; ++row) {
      for (int col = -1; col * r * std::sqrt(3.0) < w + r; ++col) {
        const QPointF c(col * r * std::sqrt(3.0) + (row % 2 != 0 ? r * std::sqrt(3.0) / 2 : 0),
                        row * r * 1.5);
        QPolygonF hex;
        for (int k = 0; k < 6; ++k) {
          const double a = (60.0 * k + 30.0) * std::numbers::pi / 180.0;
          hex << c + QPointF(r * std::cos(a), r * std::sin(a));
        }
        p.drawPolygon(hex);
      }
    }
  }
  Vignette(image, 0.55);
  return image;
}

QImage Dusk(QSize size) {
  QImage image = Opaque(size, Qt::black);
  Random random(0xD05Cu);
  const double w = size.width(), h = size.height();
  {
    QPainter p(&image);
    Smooth(p);
    VerticalGradient(p, QRectF(0, 0, w, h),
                     {{0, QColor(26, 20, 52)},
                      {0.42, QColor(92, 44, 78)},
                      {0.6, QColor(196, 96, 60)},
                      {0.7, QColor(240, 160, 80)},
                      {1, QColor(240, 160, 80)}});
    Stars(p, random, QRectF(0, 0, w, h * 0.3), 50);
    QRadialGradient sun(QPointF(w * 0.3, h * 0.64), w * 0.18);
    sun.setColorAt(0, QColor(255, 226, 160, 255));
    sun.setColorAt(0.22, QColor(255, 210, 140, 230));
    sun.setColorAt(0.25, QColor(255, 180, 110, 90));
    sun.setColorAt(1, QColor(255, 150, 90, 0));
    p.fillRect(image.rect(), sun);
    Ridge(p, random, size, h * 0.68, h * 0.16, QColor(70, 38, 72));
    Ridge(p, random, size, h * 0.77, h * 0.14, QColor(40, 24, 48), 1.4);
    Ridge(p, random, size, h * 0.88, h * 0.10, QColor(18, 12, 24), 1.8);
    p.fillRect(image.rect(), QColor(0, 0, 0, 80));
  }
  Vignette(image, 0.5);
  return image;
}

void DrawDeckPanels(QImage& background) {
  QPainter p(&background);
  Smooth(p);
  p.scale(background.width() / 800.0, background.height() / 480.0);
  p.fillRect(DeckPanels::kTopBar, QColor(0, 0, 0, 120));
  p.fillRect(QRectF(0, DeckPanels::kTopBar.bottom() + 1, 800, 1), QColor(255, 255, 255, 30));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 140));
  p.drawRoundedRect(DeckPanels::kTimeWell, 10, 10);
  p.setBrush(QColor(8, 12, 18, 150));
  p.setPen(QPen(QColor(255, 255, 255, 32), 1));
  p.drawRoundedRect(QRectF(DeckPanels::kGpsPanel).adjusted(0.5, 0.5, -0.5, -0.5), 14, 14);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 100));
  p.drawRoundedRect(DeckPanels::kGpsReadout, 8, 8);
  p.fillRect(DeckPanels::kDock, QColor(0, 0, 0, 150));
  p.fillRect(QRectF(0, DeckPanels::kDock.top(), 800, 1), QColor(80, 200, 255, 80));
}

QImage SunsetCoast(QSize size) {
  QImage image = Opaque(size, Qt::black);
  Random random(0x5C0Au);
  const double w = size.width(), h = size.height();
  const double sea = h * 0.6;
  {
    QPainter p(&image);
    Smooth(p);
    VerticalGradient(p, QRectF(0, 0, w, sea),
                     {{0, QColor(52, 40, 100)}, {0.55, QColor(200, 84, 108)}, {1, QColor(255, 160, 96)}});
    QRadialGradient sun(QPointF(w * 0.65, sea - h * 0.05), h * 0.35);
    sun.setColorAt(0, QColor(255, 236, 180));
    sun.setColorAt(0.2, QColor(255, 220, 150));
    sun.setColorAt(0.23, QColor(255, 190, 120, 120));
    sun.setColorAt(1, QColor(255, 160, 100, 0));
    p.fillRect(QRectF(0, 0, w, sea), sun);
    Ridge(p, random, QSize(size.width(), static_cast<int>(sea) + 1), sea, h * 0.06, QColor(60, 30, 70), 2.0);
    VerticalGradient(p, QRectF(0, sea, w, h - sea), {{0, QColor(70, 56, 110)}, {1, QColor(16, 20, 50)}});
    for (int i = 0; i < 70; ++i) {
      const double y = random.Range(sea + 2, h);
      const double spread = (y - sea) / (h - sea);
      const double cx = w * 0.65 + random.Range(-1, 1) * w * 0.08 * (0.4 + spread);
      const double len = random.Range(8, 40) * (0.5 + spread);
      p.setPen(QPen(QColor(255, 200, 140, random.Int(60, 170)), 1.5 + 2 * spread));
      p.drawLine(QPointF(cx - len / 2, y), QPointF(cx + len / 2, y));
    }
  }
  return image;
}

QImage MountainLake(QSize size) {
  QImage image = Opaque(size, Qt::black);
  Random random(0x1A4Eu);
  const double w = size.width(), h = size.height();
  const double shore = h * 0.66;
  QImage land = Opaque(QSize(size.width(), static_cast<int>(shore)), Qt::black);
  {
    QPainter p(&land);
    Smooth(p);
    VerticalGradient(p, QRectF(0, 0, w, shore), {{0, QColor(86, 150, 220)}, {1, QColor(210, 236, 252)}});
  }
  Clouds(land, random, 6, h * 0.08, h * 0.3, 110);
  {
    QPainter p(&land);
    Smooth(p);
    Ridge(p, random, land.size(), shore * 0.78, h * 0.32, QColor(120, 140, 168), 0.8);
    Ridge(p, random, land.size(), shore * 0.92, h * 0.2, QColor(70, 92, 116), 1.2);
    Ridge(p, random, land.size(), shore + 1, h * 0.08, QColor(32, 64, 48), 3.0);
  }
  {
    QPainter p(&image);
    Smooth(p);
    p.drawImage(0, 0, land);
    // The lake mirrors the land, darker and bluer, with ripples.
    p.save();
    p.translate(0, 2 * shore);
    p.scale(1, -1);
    p.setOpacity(0.55);
    p.drawImage(0, 0, land);
    p.restore();
    p.fillRect(QRectF(0, shore, w, h - shore), QColor(20, 50, 90, 120));
    for (int i = 0; i < 90; ++i) {
      const double y = random.Range(shore + 3, h);
      const double x = random.Range(0, w);
      p.setPen(QPen(QColor(255, 255, 255, random.Int(20, 60)), 1));
      p.drawLine(QPointF(x, y), QPointF(x + random.Range(10, 50), y));
    }
  }
  return image;
}

QImage CityNight(QSize size) {
  QImage image = Opaque(size, Qt::black);
  Random random(0xC17Eu);
  const double w = size.width(), h = size.height();
  const double street = h * 0.72;
  {
    QPainter p(&image);
    Smooth(p);
    VerticalGradient(p, QRectF(0, 0, w, street), {{0, QColor(10, 14, 36)}, {1, QColor(48, 38, 78)}});
    Stars(p, random, QRectF(0, 0, w, h * 0.3), 40);
    Skyline(p, random, size, street, h * 0.6, QColor(16, 18, 34), QColor(255, 210, 120, 200), 0.3);
    Skyline(p, random, size, street, h * 0.3, QColor(8, 9, 18), QColor(255, 230, 160, 220), 0.2);
    VerticalGradient(p, QRectF(0, street, w, h - street), {{0, QColor(22, 22, 30)}, {1, QColor(8, 8, 12)}});
  }
  // Light trails of passing cars.
  std::vector<std::pair<QPainterPath, QColor>> trails;
  for (int i = 0; i < 6; ++i) {
    QPainterPath path;
    const double y = street + (h - street) * (0.2 + 0.13 * i);
    path.moveTo(-20, y + random.Range(-6, 6));
    path.cubicTo(w * 0.3, y - random.Range(0, 20), w * 0.7, y + random.Range(0, 20), w + 20, y);
    trails.emplace_back(path, i % 2 == 0 ? QColor(255, 60, 50) : QColor(255, 240, 210));
  }
  Glow(image, 6, [&](QPainter& p) {
    for (const auto& [path, color] : trails) {
      p.setPen(QPen(color, 6));
      p.drawPath(path);
    }
  });
  {
    QPainter p(&image);
    Smooth(p);
    for (const auto& [path, color] : trails) {
      p.setPen(QPen(color.lighter(120), 1.5));
      p.drawPath(path);
    }
  }
  return image;
}

QImage ForestRoad(QSize size) {
  QImage image = Opaque(size, Qt::black);
  Random random(0xF0E5u);
  const double w = size.width(), h = size.height();
  const double horizon = h * 0.48;
  {
    QPainter p(&image);
    Smooth(p);
    VerticalGradient(p, QRectF(0, 0, w, horizon), {{0, QColor(110, 176, 236)}, {1, QColor(226, 244, 255)}});
  }
  Clouds(image, random, 5, h * 0.05, h * 0.25, 140);
  {
    QPainter p(&image);
    Smooth(p);
    Ridge(p, random, size, horizon + 4, h * 0.1, QColor(110, 150, 120), 1.5);
    VerticalGradient(p, QRectF(0, horizon, w, h - horizon),
                     {{0, QColor(74, 130, 70)}, {1, QColor(34, 80, 40)}});
    Road(p, size, QPointF(w * 0.5, horizon), w * 0.2, w * 0.8, QColor(80, 84, 90), QColor(240, 240, 240, 200),
         QColor(250, 250, 250, 220));
    // Pines on both sides, larger towards the viewer.
    for (int i = 0; i < 26; ++i) {
      const double t = random.Range(0.05, 1.0);
      const double y = horizon + (h - horizon) * t;
      const bool left = i % 2 == 0;
      const double roadEdge = left ? w * 0.5 - (w * 0.3) * t : w * 0.5 + (w * 0.3) * t;
      const double x =
          left ? roadEdge - random.Range(20, 200) * t - 10 : roadEdge + random.Range(20, 200) * t + 10;
      const double th = 90 * t + 14, tw = th * 0.42;
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(20, random.Int(60, 80), 34));
      p.drawPolygon(QPolygonF() << QPointF(x, y - th) << QPointF(x - tw / 2, y) << QPointF(x + tw / 2, y));
    }
  }
  return image;
}

QImage DesertHighway(QSize size) {
  QImage image = Opaque(size, Qt::black);
  Random random(0xDE5Eu);
  const double w = size.width(), h = size.height();
  const double horizon = h * 0.55;
  {
    QPainter p(&image);
    Smooth(p);
    VerticalGradient(p, QRectF(0, 0, w, horizon),
                     {{0, QColor(90, 150, 220)}, {0.7, QColor(200, 200, 200)}, {1, QColor(246, 196, 140)}});
    // Flat-topped mesas on the horizon.
    const double mesas[][3] = {{0.08, 0.2, 0.12}, {0.62, 0.2, 0.16}, {0.84, 0.12, 0.08}};
    for (const auto& m : mesas) {
      const double x = w * m[0], mw = w * m[1], mh = h * m[2];
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(170, 82, 56));
      p.drawPolygon(QPolygonF() << QPointF(x, horizon) << QPointF(x + mw * 0.15, horizon - mh)
                                << QPointF(x + mw * 0.85, horizon - mh) << QPointF(x + mw, horizon));
      p.setBrush(QColor(130, 60, 44));
      p.drawPolygon(QPolygonF() << QPointF(x + mw * 0.55, horizon) << QPointF(x + mw * 0.85, horizon - mh)
                                << QPointF(x + mw, horizon));
    }
    VerticalGradient(p, QRectF(0, horizon, w, h - horizon),
                     {{0, QColor(226, 170, 110)}, {1, QColor(196, 128, 74)}});
    for (int i = 0; i < 160; ++i) {
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(120, 80, 40, random.Int(30, 80)));
      p.drawEllipse(QPointF(random.Range(0, w), random.Range(horizon + 4, h)), random.Range(1, 3), 1);
    }
    Road(p, size, QPointF(w * 0.45, horizon), w * 0.1, w * 0.86, QColor(58, 56, 54),
         QColor(230, 230, 220, 160), QColor(250, 200, 40, 230));
  }
  return image;
}

QImage ClockDay(QSize size) {
  QImage image = Opaque(size, Qt::black);
  Random random(0xDA7Eu);
  const double w = size.width(), h = size.height();
  {
    QPainter p(&image);
    Smooth(p);
    VerticalGradient(p, QRectF(0, 0, w, h), {{0, QColor(150, 206, 250)}, {1, QColor(236, 248, 255)}});
  }
  Clouds(image, random, 8, h * 0.05, h * 0.6, 150);
  {
    QPainter p(&image);
    Smooth(p);
    Ridge(p, random, size, h * 0.9, h * 0.12, QColor(170, 210, 170), 0.8);
    Ridge(p, random, size, h * 1.0, h * 0.08, QColor(130, 186, 130), 1.2);
  }
  return image;
}

QImage ClockNight(QSize size) {
  QImage image = Opaque(size, Qt::black);
  Random random(0x4167u);
  const double w = size.width(), h = size.height();
  {
    QPainter p(&image);
    Smooth(p);
    VerticalGradient(p, QRectF(0, 0, w, h), {{0, QColor(6, 10, 28)}, {1, QColor(24, 30, 66)}});
    Stars(p, random, QRectF(0, 0, w, h * 0.8), 220);
    QRadialGradient moon(QPointF(w * 0.8, h * 0.2), h * 0.16);
    moon.setColorAt(0, QColor(255, 250, 230));
    moon.setColorAt(0.35, QColor(250, 245, 220));
    moon.setColorAt(0.4, QColor(200, 210, 255, 60));
    moon.setColorAt(1, QColor(200, 210, 255, 0));
    p.fillRect(image.rect(), moon);
    Ridge(p, random, size, h * 0.92, h * 0.12, QColor(12, 16, 34), 0.8);
    Ridge(p, random, size, h * 1.0, h * 0.08, QColor(5, 7, 16), 1.2);
  }
  return image;
}

// A winter day for the clock's Christmas picture: a pale sky, snowy hills, a decorated fir tree and
// falling snow.
QImage ClockChristmas(QSize size) {
  QImage image = Opaque(size, Qt::black);
  Random random(0xC4A5u);
  const double w = size.width(), h = size.height();
  QPainter p(&image);
  Smooth(p);
  VerticalGradient(p, QRectF(0, 0, w, h), {{0, QColor(170, 196, 226)}, {1, QColor(236, 242, 250)}});
  Ridge(p, random, size, h * 0.86, h * 0.12, QColor(222, 232, 244), 0.8);
  Ridge(p, random, size, h * 0.98, h * 0.08, QColor(250, 252, 255), 1.2);
  // Two firs in the lower corners, clear of the clock's lines: three tiers of green on a brown trunk,
  // baubles and a star on top.
  const QColor baubles[] = {QColor(214, 44, 40), QColor(250, 206, 50), QColor(60, 130, 220)};
  const auto tree = [&](double cx, double foot, double tier, double halfWidth) {
    p.setPen(Qt::NoPen);
    p.fillRect(QRectF(cx - halfWidth * 0.14, foot - tier * 0.35, halfWidth * 0.28, tier * 0.35),
               QColor(110, 70, 40));
    for (int i = 0; i < 3; ++i) {
      const double base = foot - tier * 0.3 - i * tier * 0.62;
      const double half = halfWidth * (1.0 - i * 0.22);
      QPolygonF branch;
      branch << QPointF(cx - half, base) << QPointF(cx + half, base) << QPointF(cx, base - tier);
      p.setBrush(QColor(30 + i * 8, 110 + i * 10, 60 + i * 6));
      p.drawPolygon(branch);
    }
    for (int i = 0; i < 12; ++i) {
      const double y = random.Range(foot - tier * 2.2, foot - tier * 0.45);
      const double spread = (y - (foot - tier * 2.54)) / (tier * 2.2) * halfWidth * 0.8;
      p.setBrush(baubles[i % 3]);
      p.drawEllipse(QPointF(cx + random.Range(-spread, spread), y), tier * 0.06, tier * 0.06);
    }
    const double top = foot - tier * 0.3 - 2 * tier * 0.62 - tier;
    QPolygonF star;
    for (int k = 0; k < 10; ++k) {
      const double r = (k % 2 == 0 ? 1.0 : 0.45) * tier * 0.2;
      const double a = -std::numbers::pi / 2 + k * std::numbers::pi / 5;
      star << QPointF(cx + r * std::cos(a), top + r * std::sin(a));
    }
    p.setBrush(QColor(250, 214, 60));
    p.drawPolygon(star);
  };
  tree(w * 0.075, h * 0.97, h * 0.12, w * 0.06);
  tree(w * 0.93, h * 0.98, h * 0.1, w * 0.05);
  // Snowflakes over all of it.
  for (int i = 0; i < 160; ++i) {
    const double r = random.Range(1.0, 3.2) * h / 480;
    p.setBrush(QColor(255, 255, 255, random.Int(150, 240)));
    p.drawEllipse(QPointF(random.Range(0, w), random.Range(0, h)), r, r);
  }
  return image;
}

QImage Logo(QSize size) {
  QImage image = Opaque(size, Qt::black);
  const double w = size.width(), h = size.height();
  {
    QPainter p(&image);
    Smooth(p);
    QRadialGradient g(QPointF(w * 0.5, h * 0.4), w * 0.7);
    g.setColorAt(0, QColor(28, 40, 58));
    g.setColorAt(1, QColor(6, 8, 12));
    p.fillRect(image.rect(), g);
  }
  // The emblem: the navigation tile, its key colour made see-through.
  const int tile = static_cast<int>(h * 0.42);
  QImage emblem =
      DrawTile(Glyph::kNavigation, QColor(30, 150, 230), tile, false).convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < emblem.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(emblem.scanLine(y));
    for (int x = 0; x < emblem.width(); ++x) {
      if ((row[x] & 0xFFFFFF) == (kKey.rgb() & 0xFFFFFF)) row[x] = 0;
    }
  }
  QPainter p(&image);
  Smooth(p);
  p.drawImage(QPointF(w / 2 - tile / 2.0, h * 0.1), emblem);
  QFont font(QStringLiteral("NanumGothic"));
  font.setPixelSize(static_cast<int>(h * 0.17));
  font.setBold(true);
  p.setFont(font);
  const QRectF title(0, h * 0.56, w, h * 0.22);
  const QString vexa = QStringLiteral("Vexa");
  const QString deck = QStringLiteral("Deck");
  const QFontMetricsF metrics(font);
  const double total = metrics.horizontalAdvance(vexa + deck);
  const double left = (w - total) / 2;
  p.setPen(QColor(240, 244, 248));
  p.drawText(QRectF(left, title.top(), w, title.height()), Qt::AlignLeft | Qt::AlignVCenter, vexa);
  p.setPen(QColor(80, 200, 255));
  p.drawText(QRectF(left + metrics.horizontalAdvance(vexa), title.top(), w, title.height()),
             Qt::AlignLeft | Qt::AlignVCenter, deck);
  QFont small(QStringLiteral("NanumGothic"));
  small.setPixelSize(static_cast<int>(h * 0.065));
  p.setFont(small);
  p.setPen(QColor(130, 146, 164));
  p.drawText(QRectF(0, h * 0.8, w, h * 0.1), Qt::AlignCenter, QStringLiteral("car launcher"));
  return image;
}

}  // namespace skingen
