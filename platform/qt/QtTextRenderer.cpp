#include "platform/qt/QtTextRenderer.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <system_error>

#include "common/text/Text.h"
#include "platform/qt/QtFontRegistry.h"

namespace vexa::platform {

namespace {

constexpr int kDefaultCellHeight = 16;
constexpr char16_t kKoreanFamily[] = u"NanumGothic";

QString ToQString(std::u16string_view s) {
  return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size()));
}

std::u16string FromQString(const QString& s) {
  return {reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size())};
}

// The face every unknown face becomes: one with Korean glyphs when the host has it.
std::u16string FallbackFamily() {
  static const std::u16string family = [] {
    // The database is filled first, under its lock. hasFamily resolves aliases outside that lock, and
    // done first it starts fontconfig on its own while another thread fills the database: the host's
    // whole font configuration read twice at once (the font warm-up and a first text racing).
    (void)QFontDatabase::families();
    if (QFontDatabase::hasFamily(ToQString(kKoreanFamily))) return std::u16string(kKoreanFamily);
    return FromQString(QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
  }();
  return family;
}

}  // namespace

QtFontWarmUp::QtFontWarmUp() {
  try {
    thread_ = std::thread([] {
      // Opening the face reads its tables; the face is shared by every thread and size after that.
      QFont font(ToQString(FallbackFamily()));
      font.setPixelSize(kDefaultCellHeight);
      (void)QFontMetricsF(font).height();
    });
  } catch (const std::system_error&) {
    // No thread to be had: the first text finds its face itself.
  }
}

QtFontWarmUp::~QtFontWarmUp() {
  if (thread_.joinable()) thread_.join();
}

namespace {

int AlignFlags(ui::TextAlign align) {
  switch (align) {
    case ui::TextAlign::kRight:
      return Qt::AlignRight;
    case ui::TextAlign::kCenter:
      return Qt::AlignHCenter;
    default:
      return Qt::AlignLeft;
  }
}

// Line ends as the device writes them ("\r\n", or a lone '\r') become Qt's '\n'.
QString Lines(std::u16string_view text) {
  QString s = ToQString(text);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return s;
}

// Counts font registrations and removals; a renderer's face lookups hold for one count.
std::atomic<unsigned> fontGeneration{1};

}  // namespace

void QtTextRenderer::FontsChanged() {
  fontGeneration.fetch_add(1, std::memory_order_relaxed);
}

// Asking the font database is slow (a search of every family), so the answer is kept until fonts are
// registered or removed, which a skin change does.
std::u16string QtTextRenderer::Family(const std::u16string& face) {
  const unsigned generation = fontGeneration.load(std::memory_order_relaxed);
  if (generation != familiesGeneration_) {
    families_.clear();
    pixelSizes_.clear();
    familiesGeneration_ = generation;
  }
  if (auto it = families_.find(face); it != families_.end()) return it->second;
  std::u16string family = FallbackFamily();
  if (!face.empty() && !text::EqualsNoCase(face, u"System")) {
    // A face the database lacks may be one of the fonts added but not handed over yet.
    if (QFontDatabase::hasFamily(ToQString(face))) {
      family = face;
    } else if (QtFontRegistry::RegisterPending()) {
      // What was found before the new faces came may have changed.
      families_.clear();
      pixelSizes_.clear();
      familiesGeneration_ = fontGeneration.load(std::memory_order_relaxed);
      if (QFontDatabase::hasFamily(ToQString(face))) family = face;
    }
  }
  // A skin names a handful of faces; a hostile one naming thousands cannot grow the cache without end.
  if (families_.size() >= 256) families_.clear();
  families_.emplace(face, family);
  return family;
}

// Qt sizes a font by its characters (the em); the device by its cell. The em is scaled by how the
// family's cell compares with its em.
int QtTextRenderer::PixelSize(const std::u16string& family, int cellHeight) {
  const auto key = std::make_pair(family, cellHeight);
  if (auto it = pixelSizes_.find(key); it != pixelSizes_.end()) return it->second;
  QFont probe(ToQString(family));
  probe.setPixelSize(100);
  const qreal cell = QFontMetricsF(probe).height();
  int size = cellHeight;
  if (cell > 0) size = static_cast<int>(std::lround(cellHeight * 100.0 / cell));
  size = std::max(1, size);
  pixelSizes_[key] = size;
  return size;
}

QFont QtTextRenderer::ToQFont(const FontSpec& want) {
  const std::u16string family = Family(want.face);
  QFont font;
  QStringList families{ToQString(family)};
  if (family != FallbackFamily()) families << ToQString(FallbackFamily());
  font.setFamilies(families);
  const int height = want.height == 0 ? kDefaultCellHeight : want.height;
  // Heights beyond any screen are cut down rather than asking the font engine for a giant glyph.
  const int pixels = height > 0 ? PixelSize(family, std::min(height, 2000)) : std::min(-height, 2000);
  font.setPixelSize(std::max(1, pixels));
  font.setWeight(static_cast<QFont::Weight>(want.weight <= 0 ? 400 : std::clamp(want.weight, 100, 900)));
  font.setItalic(want.italic);
  font.setUnderline(want.underline);
  font.setStrikeOut(want.strikeOut);
  return font;
}

void QtTextRenderer::Draw(gfx::Bitmap& target, const gfx::Rect& rect, std::u16string_view text,
                          const FontSpec& font, gfx::ColorRef color, int flags) {
  const auto& stored = target.stored();
  if (target.empty() || stored.empty() || rect.empty() || text.empty()) return;
  // The bitmap's pixels are 0xFFRRGGBB words, Qt's RGB32 layout: the painter draws on them in place.
  // A canvas holding only part of its picture is drawn on in the picture's coordinates.
  QImage image(reinterpret_cast<uchar*>(target.Row(stored.top)), stored.width(), stored.height(),
               static_cast<qsizetype>(stored.width()) * 4, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.translate(-stored.left, -stored.top);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setFont(ToQFont(font));
  painter.setPen(QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                        static_cast<int>((color >> 16) & 0xFF)));
  const QRect box(rect.left, rect.top, rect.width(), rect.height());
  painter.setClipRect(box);
  painter.drawText(box, flags, Lines(text));
}

void QtTextRenderer::DrawText(gfx::Bitmap& target, const gfx::Rect& rect, std::u16string_view text,
                              const FontSpec& font, gfx::ColorRef color, ui::TextAlign align) {
  Draw(target, rect, text, font, color, Qt::TextSingleLine | Qt::AlignVCenter | AlignFlags(align));
}

void QtTextRenderer::DrawTextBlock(gfx::Bitmap& target, const gfx::Rect& rect, std::u16string_view text,
                                   const FontSpec& font, gfx::ColorRef color, ui::TextAlign align) {
  Draw(target, rect, text, font, color, Qt::TextWordWrap | Qt::AlignTop | AlignFlags(align));
}

gfx::Size QtTextRenderer::Measure(std::u16string_view text, const FontSpec& font) {
  const QFontMetricsF metrics(ToQFont(font));
  const QRectF box = metrics.boundingRect(QRectF(), Qt::TextSingleLine, Lines(text));
  return {static_cast<int>(std::ceil(box.width())), static_cast<int>(std::ceil(metrics.height()))};
}

}  // namespace vexa::platform
