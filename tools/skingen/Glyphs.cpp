#include "Glyphs.h"

#include <QPainterPath>
#include <QPolygonF>

#include <initializer_list>

namespace skingen {
namespace {

void UsePen(QPainter& p, const QColor& color, double width) {
  QPen pen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
}

void UseBrush(QPainter& p, const QColor& color) {
  p.setPen(Qt::NoPen);
  p.setBrush(color);
}

QPolygonF Poly(std::initializer_list<QPointF> points) {
  return QPolygonF(QList<QPointF>(points));
}

QPainterPath RoundRect(double x, double y, double w, double h, double r) {
  QPainterPath path;
  path.addRoundedRect(QRectF(x, y, w, h), r, r);
  return path;
}

QPainterPath Circle(double cx, double cy, double r) {
  QPainterPath path;
  path.addEllipse(QPointF(cx, cy), r, r);
  return path;
}

QPainterPath Polygon(std::initializer_list<QPointF> points) {
  QPainterPath path;
  path.addPolygon(Poly(points));
  path.closeSubpath();
  return path;
}

// Three lines of a list, right of a small symbol.
void ListLines(QPainter& p, const QColor& c) {
  UsePen(p, c, 8);
  p.drawLine(QPointF(54, 30), QPointF(90, 30));
  p.drawLine(QPointF(54, 50), QPointF(90, 50));
  p.drawLine(QPointF(54, 70), QPointF(80, 70));
}

QPainterPath Bolt() {
  return Polygon({{58, 6}, {20, 56}, {46, 56}, {38, 94}, {80, 40}, {54, 40}, {66, 6}});
}

void Note(QPainter& p, const QColor& c, double cx, double cy, double stemTop) {
  UseBrush(p, c);
  p.save();
  p.translate(cx, cy);
  p.rotate(-20);
  p.drawEllipse(QPointF(0, 0), 13, 10);
  p.restore();
  p.drawRect(QRectF(cx + 8, stemTop, 6, cy - stemTop));
}

void Photo(QPainter& p, const QColor& c) {
  UsePen(p, c, 7);
  p.drawRoundedRect(QRectF(8, 18, 84, 64), 8, 8);
  UseBrush(p, c);
  p.drawPolygon(Poly({{16, 76}, {40, 46}, {56, 64}, {66, 54}, {84, 76}}));
  p.drawEllipse(QPointF(70, 36), 7, 7);
}

void Chevrons(QPainter& p, const QColor& c, bool left) {
  UsePen(p, c, 9);
  auto mirror = [left](double x) { return left ? x : 100 - x; };
  p.drawPolyline(Poly({{mirror(50), 22}, {mirror(22), 50}, {mirror(50), 78}}));
  p.drawPolyline(Poly({{mirror(80), 22}, {mirror(52), 50}, {mirror(80), 78}}));
}

void ClockFace(QPainter& p, const QColor& c, double cx, double cy, double r) {
  UsePen(p, c, 7.5);
  p.drawEllipse(QPointF(cx, cy), r, r);
  p.drawLine(QPointF(cx, cy), QPointF(cx, cy - r * 0.62));
  p.drawLine(QPointF(cx, cy), QPointF(cx + r * 0.48, cy + r * 0.22));
}

}  // namespace

void DrawGlyph(QPainter& p, Glyph glyph, const QColor& c) {
  p.save();
  switch (glyph) {
    case Glyph::kNavigation:
      UseBrush(p, c);
      p.drawPolygon(Poly({{50, 6}, {86, 92}, {50, 72}, {14, 92}}));
      break;
    case Glyph::kMusic:
      Note(p, c, 30, 74, 24);
      Note(p, c, 70, 66, 16);
      p.drawPolygon(Poly({{38, 24}, {84, 14}, {84, 28}, {38, 38}}));
      break;
    case Glyph::kMovie: {
      QPainterPath body = RoundRect(8, 20, 84, 60, 8);
      QPainterPath holes;
      for (int i = 0; i < 6; ++i) {
        holes.addRect(QRectF(14 + 13.2 * i, 25, 7, 7));
        holes.addRect(QRectF(14 + 13.2 * i, 68, 7, 7));
      }
      holes.addPolygon(Poly({{42, 38}, {42, 62}, {62, 50}}));
      holes.closeSubpath();
      UseBrush(p, c);
      p.drawPath(body.subtracted(holes));
      break;
    }
    case Glyph::kTv:
      UsePen(p, c, 7);
      p.drawRoundedRect(QRectF(10, 30, 80, 52), 8, 8);
      UsePen(p, c, 6);
      p.drawLine(QPointF(50, 30), QPointF(32, 8));
      p.drawLine(QPointF(50, 30), QPointF(68, 8));
      UsePen(p, c, 7);
      p.drawLine(QPointF(34, 93), QPointF(66, 93));
      UseBrush(p, c);
      p.drawPolygon(Poly({{43, 45}, {43, 67}, {61, 56}}));
      break;
    case Glyph::kFlash:
      UseBrush(p, c);
      p.drawPath(Bolt());
      break;
    case Glyph::kApps:
      UseBrush(p, c);
      for (double x : {12.0, 54.0}) {
        for (double y : {12.0, 54.0}) p.drawRoundedRect(QRectF(x, y, 34, 34), 8, 8);
      }
      break;
    case Glyph::kSongs:
      Note(p, c, 22, 70, 24);
      UseBrush(p, c);
      p.drawPolygon(Poly({{30, 24}, {44, 34}, {44, 42}, {30, 34}}));
      ListLines(p, c);
      break;
    case Glyph::kVideos:
      UseBrush(p, c);
      p.drawPolygon(Poly({{10, 28}, {10, 72}, {44, 50}}));
      ListLines(p, c);
      break;
    case Glyph::kFlashList:
      p.save();
      p.translate(-4, 8);
      p.scale(0.55, 0.85);
      UseBrush(p, c);
      p.drawPath(Bolt());
      p.restore();
      ListLines(p, c);
      break;
    case Glyph::kGames: {
      QPainterPath body = RoundRect(6, 26, 88, 50, 24);
      QPainterPath holes;
      holes.addRect(QRectF(24, 38, 9, 27));
      holes.addRect(QRectF(15, 47, 27, 9));
      holes = holes.simplified();
      holes.addPath(Circle(66, 44, 6));
      holes.addPath(Circle(79, 57, 6));
      UseBrush(p, c);
      p.drawPath(body.subtracted(holes));
      break;
    }
    case Glyph::kSystem:
      UsePen(p, c, 7);
      p.drawRoundedRect(QRectF(26, 26, 48, 48), 6, 6);
      UseBrush(p, c);
      p.drawRect(QRectF(40, 40, 20, 20));
      UsePen(p, c, 6);
      for (double t : {38.0, 50.0, 62.0}) {
        p.drawLine(QPointF(t, 24), QPointF(t, 10));
        p.drawLine(QPointF(t, 76), QPointF(t, 90));
        p.drawLine(QPointF(24, t), QPointF(10, t));
        p.drawLine(QPointF(76, t), QPointF(90, t));
      }
      break;
    case Glyph::kToolbar: {
      QPainterPath bar = RoundRect(6, 56, 88, 32, 9);
      QPainterPath holes;
      for (int i = 0; i < 4; ++i) holes.addRoundedRect(QRectF(14 + 19.5 * i, 64, 14, 16), 3, 3);
      UseBrush(p, c);
      p.drawPath(bar.subtracted(holes));
      UsePen(p, c, 7);
      p.drawPolyline(Poly({{34, 34}, {50, 16}, {66, 34}}));
      p.drawLine(QPointF(50, 18), QPointF(50, 46));
      break;
    }
    case Glyph::kTasks: {
      UsePen(p, c, 6);
      p.drawRoundedRect(QRectF(32, 12, 58, 46), 5, 5);
      QPainterPath front = RoundRect(10, 38, 60, 50, 5);
      QPainterPath title;
      title.addRect(QRectF(16, 47, 48, 6));
      UseBrush(p, c);
      p.drawPath(front.subtracted(title));
      break;
    }
    case Glyph::kClock:
      ClockFace(p, c, 50, 50, 38);
      UseBrush(p, c);
      p.drawEllipse(QPointF(50, 50), 5, 5);
      break;
    case Glyph::kCalendar:
      UsePen(p, c, 7);
      p.drawRoundedRect(QRectF(12, 18, 76, 70), 8, 8);
      UseBrush(p, c);
      p.drawRect(QRectF(12, 18, 76, 20));
      UsePen(p, c, 7);
      p.drawLine(QPointF(32, 8), QPointF(32, 24));
      p.drawLine(QPointF(68, 8), QPointF(68, 24));
      UseBrush(p, c);
      for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 2; ++j) p.drawRect(QRectF(24 + 19 * i, 48 + 17 * j, 12, 11));
      }
      break;
    case Glyph::kPicturePrev:
    case Glyph::kPictureNext: {
      const bool left = glyph == Glyph::kPicturePrev;
      p.save();
      p.translate(left ? 30 : 0, 16);
      p.scale(0.7, 0.7);
      Photo(p, c);
      p.restore();
      UsePen(p, c, 9);
      if (left) {
        p.drawPolyline(Poly({{22, 32}, {6, 50}, {22, 68}}));
      } else {
        p.drawPolyline(Poly({{78, 32}, {94, 50}, {78, 68}}));
      }
      break;
    }
    case Glyph::kBackPrev:
      Chevrons(p, c, true);
      break;
    case Glyph::kBackNext:
      Chevrons(p, c, false);
      break;
    case Glyph::kBackdrop: {
      UsePen(p, c, 6);
      p.drawRoundedRect(QRectF(28, 10, 64, 48), 6, 6);
      QPainterPath front = RoundRect(8, 34, 66, 54, 6);
      QPainterPath cut = Polygon({{16, 80}, {34, 56}, {46, 70}, {54, 62}, {66, 80}});
      cut.addPath(Circle(58, 48, 5));
      UseBrush(p, c);
      p.drawPath(front.subtracted(cut));
      break;
    }
    case Glyph::kSkinEdit: {
      p.translate(50, 50);
      p.rotate(45);
      QPainterPath body = RoundRect(-11, -44, 22, 64, 4);
      QPainterPath band;
      band.addRect(QRectF(-12, -30, 24, 5));
      UseBrush(p, c);
      p.drawPath(body.subtracted(band));
      p.drawPolygon(Poly({{-11, 24}, {11, 24}, {0, 44}}));
      break;
    }
    case Glyph::kSkins: {
      QPainterPath palette;
      palette.addEllipse(QRectF(6, 14, 88, 72));
      QPainterPath holes = Circle(64, 64, 9);
      holes.addPath(Circle(28, 40, 7.5));
      holes.addPath(Circle(48, 29, 7.5));
      holes.addPath(Circle(70, 33, 7.5));
      holes.addPath(Circle(26, 62, 7.5));
      UseBrush(p, c);
      p.drawPath(palette.subtracted(holes));
      break;
    }
    case Glyph::kSettings: {
      QPainterPath gear = Circle(50, 50, 30);
      for (int i = 0; i < 8; ++i) {
        QPainterPath tooth;
        tooth.addRoundedRect(QRectF(-8, -46, 16, 20), 3, 3);
        QTransform t;
        t.translate(50, 50);
        t.rotate(i * 45.0);
        gear = gear.united(t.map(tooth));
      }
      UseBrush(p, c);
      p.drawPath(gear.subtracted(Circle(50, 50, 13)));
      break;
    }
    case Glyph::kTaskbar:
      UsePen(p, c, 7);
      p.drawRoundedRect(QRectF(8, 12, 84, 66), 6, 6);
      p.drawLine(QPointF(36, 92), QPointF(64, 92));
      UseBrush(p, c);
      p.drawRect(QRectF(8, 60, 84, 18));
      break;
    case Glyph::kExit:
      UsePen(p, c, 9);
      p.drawArc(QRectF(16, 18, 68, 68), 125 * 16, 290 * 16);
      p.drawLine(QPointF(50, 8), QPointF(50, 46));
      break;
    case Glyph::kGps:
      UsePen(p, c, 7);
      p.drawEllipse(QPointF(50, 50), 28, 28);
      p.drawLine(QPointF(50, 6), QPointF(50, 22));
      p.drawLine(QPointF(50, 78), QPointF(50, 94));
      p.drawLine(QPointF(6, 50), QPointF(22, 50));
      p.drawLine(QPointF(78, 50), QPointF(94, 50));
      UseBrush(p, c);
      p.drawEllipse(QPointF(50, 50), 10, 10);
      break;
    case Glyph::kGpsTime:
      ClockFace(p, c, 38, 62, 28);
      UsePen(p, c, 6.5);
      p.drawArc(QRectF(62 - 18, 38 - 18, 36, 36), 0, 90 * 16);
      p.drawArc(QRectF(62 - 32, 38 - 32, 64, 64), 0, 90 * 16);
      break;
    case Glyph::kPhoto:
      Photo(p, c);
      break;
  }
  p.restore();
}

}  // namespace skingen
