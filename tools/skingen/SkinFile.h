#pragma once

#include <QByteArray>
#include <QImage>
#include <QMap>
#include <QRect>
#include <QString>

#include <utility>
#include <vector>

#include "ArtBook.h"

// One skin file as the generator designs it, its text, and a preview picture of how the launcher
// draws it.
namespace skingen {

// One element: a [ButtonNN] section.
struct Element {
  QString action;
  QString motion;
  QString text;
  QString textAlign = QStringLiteral("Botton");  // the skin word for "caption below the picture"
  QString textHAlign = QStringLiteral("Center");
  PicturePair pictures;
  QString transColor = QStringLiteral("Auto");
  QString textColor = QStringLiteral("235,240,245");
  QString fontName;  // empty: the skin's default face
  int textSize = 14;
  QRect rect;
  QString wave;
};

struct SkinFile {
  QString displayName;
  QString defaultFont;
  bool fitImageSize = false;
  QString background;  // file reference
  std::vector<std::pair<QString, QString>> formats;
  std::vector<std::pair<QString, QString>> backPatterns;
  std::vector<Element> elements;
};

// The skin file's text: ANSI (the generator writes ASCII only), CR LF lines, one empty line between
// sections, elements named Button01, Button02 ...
QByteArray SkinIni(const SkinFile& skin);

// What the live displays show in a preview.
struct PreviewValues {
  QMap<QString, QString> captions;  // by display kind: "DISPLAY-TIME" -> "14:27:05"
  QMap<QString, QImage> frames;     // by display kind: the gauge frame or the picture shown
};

// Draws the skin the way the launcher does: the background, then every element's picture laid out by
// its caption position (natural size, or stretched for gauges, picture places and fitted skins), the
// key colour left out, then its caption over its back pattern.
QImage RenderPreview(const SkinFile& skin, const QImage& background, const ArtBook& art, QSize screen,
                     const PreviewValues& values);

}  // namespace skingen
