#include "SkinFile.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

#include "Canvas.h"

namespace skingen {
namespace {

void Line(QByteArray& out, const QString& key, const QString& value) {
  out += key.toLatin1() + '=' + value.toLatin1() + "\r\n";
}

void Section(QByteArray& out, const QString& name) {
  if (!out.isEmpty()) out += "\r\n";
  out += '[' + name.toLatin1() + "]\r\n";
}

bool IsGauge(const QString& motion) {
  return motion.startsWith(QStringLiteral("GAUGE-"));
}
bool IsPicturePlace(const QString& motion) {
  return motion.startsWith(QStringLiteral("DISPLAY-PICTURE"));
}
bool IsLiveText(const QString& motion) {
  return motion.startsWith(QStringLiteral("DISPLAY-")) && !IsPicturePlace(motion);
}

// The picture with its key colour made see-through: the given colour, or its top-left pixel.
QImage Keyed(const QImage& picture, const QString& transColor) {
  QImage out = picture.convertToFormat(QImage::Format_ARGB32);
  QRgb key = out.pixel(0, 0);
  const QStringList parts = transColor.split(QLatin1Char(','));
  if (parts.size() == 3) key = qRgb(parts[0].toInt(), parts[1].toInt(), parts[2].toInt());
  for (int y = 0; y < out.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) {
      if ((row[x] & 0xFFFFFFu) == (key & 0xFFFFFFu)) row[x] = 0;
    }
  }
  return out;
}

// The pixel size at which the face's line (ascent, descent and leading) is `cellHeight` tall, as the
// launcher's text drawing sizes captions.
int PixelSizeForCell(const QString& family, int cellHeight) {
  QFont probe(family);
  probe.setPixelSize(100);
  const double cell = QFontMetricsF(probe).height();
  return cell > 0 ? static_cast<int>(std::lround(cellHeight * 100.0 / cell)) : cellHeight;
}

QString AutoPattern(const QString& caption) {
  QString pattern = caption;
  for (QChar& c : pattern) {
    if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
        (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
        (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))) {
      c = QLatin1Char('8');
    }
  }
  return pattern;
}

QString Lookup(const std::vector<std::pair<QString, QString>>& pairs, const QString& key) {
  for (const auto& [k, v] : pairs) {
    if (k == key) return v;
  }
  return {};
}

}  // namespace

QByteArray SkinIni(const SkinFile& skin) {
  QByteArray out;
  Section(out, QStringLiteral("Main"));
  Line(out, QStringLiteral("SkinName"), skin.displayName);
  Line(out, QStringLiteral("DefaultFontName"), skin.defaultFont);
  Line(out, QStringLiteral("FitImageSize"), skin.fitImageSize ? QStringLiteral("Y") : QStringLiteral("N"));
  Section(out, QStringLiteral("Background"));
  Line(out, QStringLiteral("ImageFile"), skin.background);
  if (!skin.formats.empty()) {
    Section(out, QStringLiteral("Format"));
    for (const auto& [key, value] : skin.formats) Line(out, key, value);
  }
  if (!skin.backPatterns.empty()) {
    Section(out, QStringLiteral("BackPattern"));
    for (const auto& [key, value] : skin.backPatterns) Line(out, key, value);
  }
  int n = 0;
  for (const Element& e : skin.elements) {
    Section(out, QStringLiteral("Button%1").arg(++n, 2, 10, QLatin1Char('0')));
    Line(out, QStringLiteral("Action"), e.action);
    Line(out, QStringLiteral("Motion"), e.motion);
    Line(out, QStringLiteral("Text"), e.text);
    Line(out, QStringLiteral("TextAlign"), e.textAlign);
    Line(out, QStringLiteral("TextHAlign"), e.textHAlign);
    Line(out, QStringLiteral("UpImageFile"), e.pictures.up);
    Line(out, QStringLiteral("DownImageFile"), e.pictures.down);
    Line(out, QStringLiteral("TransColor"), e.transColor);
    Line(out, QStringLiteral("TextColor"), e.textColor);
    Line(out, QStringLiteral("FontName"), e.fontName);
    Line(out, QStringLiteral("TextSize"), QString::number(e.textSize));
    Line(out, QStringLiteral("Position"), QStringLiteral("%1,%2").arg(e.rect.x()).arg(e.rect.y()));
    Line(out, QStringLiteral("Size"), QStringLiteral("%1,%2").arg(e.rect.width()).arg(e.rect.height()));
    Line(out, QStringLiteral("WaveFile"), e.wave);
    Line(out, QStringLiteral("Visible"), QStringLiteral("Y"));
  }
  return out;
}

QImage RenderPreview(const SkinFile& skin, const QImage& background, const ArtBook& art, QSize screen,
                     const PreviewValues& values) {
  QImage shot = background.scaled(screen, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                    .convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QPainter p(&shot);
  p.setRenderHint(QPainter::TextAntialiasing, true);

  // Gauges lie under everything, picture places over everything.
  std::vector<const Element*> order;
  for (const Element& e : skin.elements) {
    if (IsGauge(e.motion)) order.push_back(&e);
  }
  for (const Element& e : skin.elements) {
    if (!IsGauge(e.motion) && !IsPicturePlace(e.motion)) order.push_back(&e);
  }
  for (const Element& e : skin.elements) {
    if (IsPicturePlace(e.motion)) order.push_back(&e);
  }

  for (const Element* e : order) {
    const QRect slot = e->rect;
    p.save();
    p.setClipRect(slot);
    p.translate(slot.topLeft());

    const QString caption = IsLiveText(e->motion) ? values.captions.value(e->motion) : e->text;
    QRect captionRect(0, 0, slot.width(), slot.height());
    // A picture place shows the picture it was given in place of its own, and the whole of it.
    const QImage normal = IsPicturePlace(e->motion) && values.frames.contains(e->motion)
                              ? values.frames.value(e->motion)
                              : art.Picture(e->pictures.up);
    if (!normal.isNull()) {
      const int w = normal.width(), h = normal.height();
      const bool hasCaption = !caption.isEmpty();
      QRect pic(0, 0, slot.width(), slot.height());
      auto centre = [](int room, int size) { return room > size ? (room - size) / 2 : 0; };
      if (e->textAlign == QStringLiteral("Right")) {
        if (hasCaption) {
          pic.setLeft(3);
          captionRect.setLeft(w + 3);
        } else {
          pic.setLeft(centre(slot.width(), w));
        }
        pic.setTop(centre(slot.height(), h));
      } else if (e->textAlign == QStringLiteral("Botton")) {
        pic.setLeft(centre(slot.width(), w));
        if (hasCaption) {
          pic.setTop(3);
          captionRect.setTop(h);
        } else {
          pic.setTop(centre(slot.height(), h));
        }
      } else {
        pic.setLeft(centre(slot.width(), w));
        pic.setTop(centre(slot.height(), h));
      }
      const QImage shown = values.frames.contains(e->motion) ? values.frames.value(e->motion) : normal;
      const QImage keyed = Keyed(shown, e->transColor);
      const bool natural = !skin.fitImageSize && !IsGauge(e->motion) && !IsPicturePlace(e->motion);
      if (natural) {
        p.drawImage(QPoint(pic.left(), pic.top()), keyed, QRect(0, 0, w, h));
      } else {
        p.drawImage(QRect(0, 0, slot.width(), slot.height()), keyed, QRect(0, 0, w, h));
      }
    }

    if (!caption.isEmpty()) {
      const QString family = e->fontName.isEmpty() ? skin.defaultFont : e->fontName;
      QFont font(family);
      font.setPixelSize(PixelSizeForCell(family, e->textSize));
      p.setFont(font);
      int flags = Qt::AlignVCenter | Qt::TextSingleLine;
      if (e->textHAlign == QStringLiteral("Left")) {
        flags |= Qt::AlignLeft;
      } else if (e->textHAlign == QStringLiteral("Right")) {
        flags |= Qt::AlignRight;
      } else {
        flags |= Qt::AlignHCenter;
      }
      QString pattern;
      if (e->motion == QStringLiteral("DISPLAY-TIME"))
        pattern = Lookup(skin.backPatterns, QStringLiteral("Time"));
      if (e->motion == QStringLiteral("DISPLAY-DATE"))
        pattern = Lookup(skin.backPatterns, QStringLiteral("Date"));
      if (e->motion == QStringLiteral("DISPLAY-SPEED"))
        pattern = Lookup(skin.backPatterns, QStringLiteral("Speed"));
      if (pattern.compare(QStringLiteral("AUTO"), Qt::CaseInsensitive) == 0) pattern = AutoPattern(caption);
      if (!pattern.isEmpty()) {
        p.setPen(QColor(0x28, 0x28, 0x28));
        p.drawText(captionRect, flags, pattern);
      }
      const QStringList rgb = e->textColor.split(QLatin1Char(','));
      p.setPen(rgb.size() == 3 ? QColor(rgb[0].toInt(), rgb[1].toInt(), rgb[2].toInt())
                               : QColor(230, 230, 230));
      p.drawText(captionRect, flags, caption);
    }
    p.restore();
  }
  p.end();
  return shot;
}

}  // namespace skingen
