#include "ArtBook.h"

#include <QPainter>

#include <algorithm>
#include <vector>

#include "Buttons.h"
#include "Canvas.h"

namespace skingen {

PicturePair ArtBook::Add(const QString& name, bool shared, const QImage& up, const QImage& down) {
  const QString upName = name + QStringLiteral(".png");
  const QString downName = name + QStringLiteral("_dn.png");
  auto& folder = shared ? shared_ : own_;
  if (!folder.contains(upName)) {
    folder.insert(upName, up);
    folder.insert(downName, down);
  }
  const QString mark = shared ? QStringLiteral("+") : QString();
  return {mark + upName, mark + downName};
}

PicturePair ArtBook::Tile(const QString& name, Glyph glyph, const QColor& accent, int size) {
  const QString file = name + QStringLiteral("_") + QString::number(size);
  return Add(file, false, DrawTile(glyph, accent, size, false), DrawTile(glyph, accent, size, true));
}

PicturePair ArtBook::SeeThroughTile(const QString& name, Glyph glyph, const QColor& accent, int size) {
  const QString file = name + QStringLiteral("_") + QString::number(size) + QStringLiteral("a");
  seeThrough_.insert(file + QStringLiteral(".png"));
  seeThrough_.insert(file + QStringLiteral("_dn.png"));
  return Add(file, false, DrawSeeThroughTile(glyph, accent, size, false), DrawSeeThroughTile(glyph, accent, size, true));
}

PicturePair ArtBook::Chip(const QString& name, Glyph glyph, const QColor& accent, int size) {
  const QString file = name + QStringLiteral("_") + QString::number(size);
  return Add(file, false, DrawChip(glyph, accent, size, false), DrawChip(glyph, accent, size, true));
}

PicturePair ArtBook::Bare(const QString& name, Glyph glyph, int size, bool shared) {
  const QString file = name + QStringLiteral("_") + QString::number(size);
  return Add(file, shared, DrawBare(glyph, size, false), DrawBare(glyph, size, true));
}

PicturePair ArtBook::Bar(const QString& name, Glyph glyph, const QColor& accent, QSize size) {
  return Add(name, false, DrawBar(glyph, accent, size, false), DrawBar(glyph, accent, size, true));
}

QString ArtBook::Single(const QString& fileName, const QImage& picture) {
  own_.insert(fileName, picture);
  return fileName;
}

QImage ArtBook::Picture(const QString& value) const {
  if (value.startsWith(QLatin1Char('+'))) return shared_.value(value.mid(1));
  return own_.value(value);
}

QImage ArtBook::ContactSheet(int zoom) const {
  std::vector<QImage> pictures;
  for (const auto* folder : {&own_, &shared_}) {
    for (auto it = folder->begin(); it != folder->end(); ++it) pictures.push_back(it.value());
  }
  const int width = 1200;
  int x = 8, y = 8, rowHeight = 0;
  std::vector<QPoint> places;
  for (const QImage& picture : pictures) {
    const QSize size = picture.size() * zoom;
    if (x + size.width() > width - 8) {
      x = 8;
      y += rowHeight + 8;
      rowHeight = 0;
    }
    places.emplace_back(x, y);
    x += size.width() + 8;
    rowHeight = std::max(rowHeight, size.height());
  }
  QImage sheet(width, y + rowHeight + 8, QImage::Format_ARGB32_Premultiplied);
  sheet.fill(QColor(40, 48, 58));
  QPainter p(&sheet);
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    QImage keyed = pictures[i].convertToFormat(QImage::Format_ARGB32);
    for (int ky = 0; ky < keyed.height(); ++ky) {
      auto* row = reinterpret_cast<QRgb*>(keyed.scanLine(ky));
      for (int kx = 0; kx < keyed.width(); ++kx) {
        if ((row[kx] & 0xFFFFFFu) == (kKey.rgb() & 0xFFFFFFu)) row[kx] = 0;
      }
    }
    p.drawImage(QRect(places[i], pictures[i].size() * zoom), keyed);
  }
  return sheet;
}

bool ArtBook::WriteAll(const QString& skinDir, const QString& commonDir) const {
  bool ok = true;
  for (auto it = own_.begin(); it != own_.end(); ++it) {
    const QString path = skinDir + QStringLiteral("/button/") + it.key();
    ok = (seeThrough_.contains(it.key()) ? SaveSeeThroughPng(it.value(), path) : SavePng(it.value(), path)) && ok;
  }
  for (auto it = shared_.begin(); it != shared_.end(); ++it) {
    ok = SavePng(it.value(), commonDir + QStringLiteral("/button/") + it.key()) && ok;
  }
  return ok;
}

}  // namespace skingen
