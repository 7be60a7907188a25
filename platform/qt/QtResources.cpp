#include "platform/qt/QtResources.h"

#include <QDir>
#include <QImage>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/ui/ResourceIds.h"

// The resources live in a static library; nothing else refers to them, so they are pulled in by name.
static void InitVexaResources() { Q_INIT_RESOURCE(vexa_resources); }

namespace vexa::platform {

namespace {

// Edges of the icons stored for one number, from the names "icon-<id>-<edge>.png".
std::vector<int> IconEdges(const QString& folder, int id) {
  std::vector<int> edges;
  const QString prefix = QStringLiteral("icon-%1-").arg(id);
  for (const QString& name : QDir(folder).entryList({prefix + QStringLiteral("*.png")}, QDir::Files)) {
    bool ok = false;
    const int edge = name.mid(prefix.size(), name.size() - prefix.size() - 4).toInt(&ok);
    if (ok && edge > 0) edges.push_back(edge);
  }
  std::sort(edges.begin(), edges.end());
  return edges;
}

int ChooseEdge(const std::vector<int>& edges, gfx::Size size) {
  const int wanted = size.width <= 0 && size.height <= 0 ? 32 : std::max(size.width, size.height);
  for (int edge : edges) {
    if (edge >= wanted) return edge;
  }
  return edges.back();
}

// Icons keep a 1-bit mask, as on the device: pixels less than half covered are see-through and take
// the transparent colour; the others are opaque with their own colour.
gfx::Bitmap MaskedBitmap(const QImage& image) {
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  const gfx::Pixel clear = gfx::ToPixel(ui::res::kIconTransparent);
  gfx::Bitmap bitmap(argb.width(), argb.height());
  for (int y = 0; y < argb.height(); ++y) {
    const auto* from = reinterpret_cast<const gfx::Pixel*>(argb.constScanLine(y));
    gfx::Pixel* to = bitmap.Row(y);
    for (int x = 0; x < argb.width(); ++x) to[x] = (from[x] >> 24) < 128 ? clear : (from[x] | 0xFF000000u);
  }
  return bitmap;
}

gfx::Bitmap OpaqueBitmap(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  gfx::Bitmap bitmap(rgb.width(), rgb.height());
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* from = reinterpret_cast<const gfx::Pixel*>(rgb.constScanLine(y));
    std::copy(from, from + rgb.width(), bitmap.Row(y));
  }
  return bitmap;
}

}  // namespace

QtResources::QtResources(std::string set) : set_(std::move(set)) { InitVexaResources(); }

std::optional<gfx::Bitmap> QtResources::Icon(int id, gfx::Size size) { return Load(true, id, size); }

std::optional<gfx::Bitmap> QtResources::Picture(int id) { return Load(false, id, {}); }

std::optional<gfx::Bitmap> QtResources::Load(bool icon, int id, gfx::Size size) {
  const auto key = std::make_tuple(icon, id, size.width, size.height);
  if (auto it = cache_.find(key); it != cache_.end()) return it->second;

  const QString folder = QStringLiteral(":/vexa/") + QString::fromStdString(set_);
  const QString picturePath = folder + QStringLiteral("/picture-%1.png").arg(id);
  const std::vector<int> edges = IconEdges(folder, id);
  QImage image;
  bool masked = false;
  // What was asked for first; the other kind of the same number when there is none.
  if (icon && !edges.empty()) {
    image = QImage(folder + QStringLiteral("/icon-%1-%2.png").arg(id).arg(ChooseEdge(edges, size)));
    masked = true;
  }
  if (image.isNull()) image = QImage(picturePath);
  if (image.isNull() && !icon && !edges.empty()) {
    image = QImage(folder + QStringLiteral("/icon-%1-%2.png").arg(id).arg(edges.back()));
    masked = true;
  }

  std::optional<gfx::Bitmap> bitmap;
  if (!image.isNull()) {
    if (icon && size.width > 0 && size.height > 0 && image.size() != QSize(size.width, size.height)) {
      image = image.scaled(size.width, size.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    bitmap = masked ? MaskedBitmap(image) : OpaqueBitmap(image);
  }
  cache_[key] = bitmap;
  return bitmap;
}

}  // namespace vexa::platform
