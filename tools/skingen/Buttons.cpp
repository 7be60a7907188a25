#include "Buttons.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>

#include "Canvas.h"

namespace skingen {
namespace {

// Draws the glyph centred in a square box of side `side` around (cx, cy).
void GlyphAt(QPainter& p, Glyph glyph, const QColor& color, double cx, double cy, double side) {
  p.save();
  p.translate(cx - side / 2, cy - side / 2);
  p.scale(side / 100.0, side / 100.0);
  DrawGlyph(p, glyph, color);
  p.restore();
}

// The glyph with a soft dark copy under it, so it reads on light and dark faces alike.
void ShadowedGlyph(QPainter& p, Glyph glyph, const QColor& color, double cx, double cy, double side,
                   double offset) {
  GlyphAt(p, glyph, QColor(0, 0, 0, 100), cx + offset, cy + offset, side);
  GlyphAt(p, glyph, color, cx, cy, side);
}

}  // namespace

namespace {

QImage PaintTile(Glyph glyph, const QColor& accent, int size, bool pressed, bool shadow) {
  QImage canvas = NewCanvas(size, size);
  QPainter p(&canvas);
  Smooth(p);
  const double s = size;
  const double margin = std::max(1.0, s * (shadow ? 0.06 : 0.03));
  const QRectF face(margin, margin, s - 2 * margin, s - 2 * margin);
  const double radius = s * 0.22;
  QPainterPath shape;
  shape.addRoundedRect(face, radius, radius);
  if (shadow) {
    // Layers of a faint dark shape, each a little larger and lower: a soft shadow under the face.
    for (int i = 4; i >= 1; --i) {
      const double grow = margin * i / 4.0;
      QPainterPath layer;
      layer.addRoundedRect(face.adjusted(-grow, -grow * 0.5, grow, grow * 1.5), radius + grow, radius + grow);
      p.fillPath(layer, QColor(0, 0, 0, 34));
    }
  }

  QLinearGradient fill(0, face.top(), 0, face.bottom());
  if (pressed) {
    fill.setColorAt(0, accent.darker(115));
    fill.setColorAt(1, accent.darker(200));
  } else {
    fill.setColorAt(0, accent.lighter(135));
    fill.setColorAt(1, accent.darker(145));
  }
  p.fillPath(shape, fill);

  // The gloss: a lighter ellipse over the upper part of the face.
  QPainterPath gloss;
  gloss.addEllipse(QRectF(-s * 0.25, -s * 0.62, s * 1.5, s * 1.08));
  p.fillPath(shape.intersected(gloss), QColor(255, 255, 255, pressed ? 18 : 48));

  if (pressed) {
    p.setPen(QPen(QColor(120, 225, 255), std::max(1.5, s * 0.035)));
  } else {
    p.setPen(QPen(QColor(255, 255, 255, 80), 1.0));
  }
  p.setBrush(Qt::NoBrush);
  p.drawPath(shape);

  ShadowedGlyph(p, glyph, pressed ? QColor(215, 240, 255) : QColor(255, 255, 255), s / 2, s / 2, s * 0.54,
                std::max(1.0, s * 0.02));
  p.end();
  return canvas;
}

}  // namespace

QImage DrawTile(Glyph glyph, const QColor& accent, int size, bool pressed) {
  return Flatten(PaintTile(glyph, accent, size, pressed, false), kMatte);
}

QImage DrawSeeThroughTile(Glyph glyph, const QColor& accent, int size, bool pressed) {
  return PaintTile(glyph, accent, size, pressed, true).convertToFormat(QImage::Format_ARGB32);
}

QImage DrawChip(Glyph glyph, const QColor& accent, int size, bool pressed) {
  QImage canvas = NewCanvas(size, size);
  QPainter p(&canvas);
  Smooth(p);
  const double s = size;
  const double ring = std::max(1.5, s * 0.05);
  const QPointF centre(s / 2, s / 2);
  const double radius = s / 2 - ring / 2 - 0.5;

  QRadialGradient fill(QPointF(s * 0.5, s * 0.3), s * 0.8);
  if (pressed) {
    fill.setColorAt(0, accent.darker(130));
    fill.setColorAt(1, accent.darker(260));
  } else {
    fill.setColorAt(0, QColor(48, 58, 72));
    fill.setColorAt(1, QColor(18, 23, 30));
  }
  p.setBrush(fill);
  p.setPen(QPen(pressed ? accent.lighter(150) : accent, ring));
  p.drawEllipse(centre, radius, radius);
  ShadowedGlyph(p, glyph, pressed ? QColor(255, 255, 255) : QColor(228, 236, 245), s / 2, s / 2, s * 0.5,
                std::max(0.8, s * 0.02));
  p.end();
  return Flatten(canvas, kMatte);
}

QImage DrawBare(Glyph glyph, int size, bool pressed) {
  QImage canvas = NewCanvas(size, size);
  QPainter p(&canvas);
  Smooth(p);
  const double s = size;
  if (pressed) {
    const double ring = std::max(1.2, s * 0.04);
    p.setBrush(QColor(18, 58, 74));
    p.setPen(QPen(QColor(95, 212, 255), ring));
    p.drawEllipse(QPointF(s / 2, s / 2), s / 2 - ring / 2 - 0.5, s / 2 - ring / 2 - 0.5);
    GlyphAt(p, glyph, QColor(190, 240, 255), s / 2, s / 2, s * 0.6);
  } else {
    ShadowedGlyph(p, glyph, QColor(216, 226, 236), s / 2, s / 2, s * 0.82, 1.0);
  }
  p.end();
  return Flatten(canvas, kMatte);
}

QImage DrawBar(Glyph glyph, const QColor& accent, QSize size, bool pressed) {
  QImage canvas = NewCanvas(size.width(), size.height());
  QPainter p(&canvas);
  Smooth(p);
  const double w = size.width(), h = size.height();
  const double radius = h * 0.2;
  const QRectF body(1, 1, w - 2, h - 2);
  QPainterPath shape;
  shape.addRoundedRect(body, radius, radius);

  QLinearGradient fill(0, 0, 0, h);
  fill.setColorAt(0, pressed ? QColor(56, 74, 94) : QColor(46, 55, 68));
  fill.setColorAt(1, pressed ? QColor(28, 40, 54) : QColor(22, 28, 36));
  p.fillPath(shape, fill);

  // The coloured block with the glyph.
  QPainterPath block;
  block.addRoundedRect(QRectF(1, 1, h - 2, h - 2), radius, radius);
  QLinearGradient blockFill(0, 0, 0, h);
  blockFill.setColorAt(0, pressed ? accent.darker(110) : accent.lighter(130));
  blockFill.setColorAt(1, pressed ? accent.darker(200) : accent.darker(140));
  p.fillPath(block, blockFill);
  ShadowedGlyph(p, glyph, QColor(255, 255, 255), h / 2, h / 2, h * 0.55, 1.2);

  p.setBrush(Qt::NoBrush);
  p.setPen(pressed ? QPen(accent.lighter(140), 2.0) : QPen(QColor(255, 255, 255, 50), 1.0));
  p.drawPath(shape);
  p.end();
  return Flatten(canvas, kMatte);
}

QImage DrawPhotoFrame(QSize size) {
  QImage canvas = NewCanvas(size.width(), size.height());
  QPainter p(&canvas);
  Smooth(p);
  const double w = size.width(), h = size.height();
  QLinearGradient fill(0, 0, 0, h);
  fill.setColorAt(0, QColor(22, 29, 38));
  fill.setColorAt(1, QColor(10, 14, 19));
  p.setBrush(fill);
  p.setPen(QPen(QColor(60, 74, 90), 2.0));
  p.drawRoundedRect(QRectF(1, 1, w - 2, h - 2), 10, 10);
  GlyphAt(p, Glyph::kPhoto, QColor(70, 86, 104), w / 2, h / 2, h * 0.5);
  p.end();
  return Flatten(canvas, kMatte);
}

}  // namespace skingen
