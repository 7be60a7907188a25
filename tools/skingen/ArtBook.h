#pragma once

#include <QColor>
#include <QImage>
#include <QMap>
#include <QSet>
#include <QSize>
#include <QString>

#include "Glyphs.h"

// The button pictures a skin uses, collected while its layout is written: each request paints the
// picture pair once and hands back the values the skin file names them by ("navi_76.png" in the skin's
// own button folder, "+clock_30.png" in the shared one). Afterwards the book writes every picture and
// serves them to the preview.
namespace skingen {

struct PicturePair {
  QString up;    // the normal picture's skin value
  QString down;  // the pressed picture's skin value
};

class ArtBook {
 public:
  PicturePair Tile(const QString& name, Glyph glyph, const QColor& accent, int size);
  // A tile whose surroundings are see-through in its alpha channel ("navi_100a.png").
  PicturePair SeeThroughTile(const QString& name, Glyph glyph, const QColor& accent, int size);
  PicturePair Chip(const QString& name, Glyph glyph, const QColor& accent, int size);
  PicturePair Bare(const QString& name, Glyph glyph, int size, bool shared);
  PicturePair Bar(const QString& name, Glyph glyph, const QColor& accent, QSize size);
  // A single own picture under a fixed name (a gauge's resting face, a picture place's empty frame).
  QString Single(const QString& fileName, const QImage& picture);

  // The picture a skin value names; a null image for an unknown value.
  QImage Picture(const QString& value) const;

  // Every picture, enlarged `zoom` times, in rows on a dark backdrop: for checking the pictures and
  // their pressed looks by eye.
  QImage ContactSheet(int zoom) const;

  // Writes the own pictures into `skinDir`/button and the shared ones into `commonDir`/button.
  bool WriteAll(const QString& skinDir, const QString& commonDir) const;

 private:
  PicturePair Add(const QString& name, bool shared, const QImage& up, const QImage& down);

  QMap<QString, QImage> own_;     // by file name
  QMap<QString, QImage> shared_;  // by file name
  QSet<QString> seeThrough_;      // file names of pictures written with their alpha
};

}  // namespace skingen
