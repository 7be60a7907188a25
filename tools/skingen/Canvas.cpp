#include "Canvas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace skingen {

QImage NewCanvas(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

void Smooth(QPainter& painter) {
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
}

QImage Flatten(const QImage& canvas, const QColor& matte) {
  const QImage source = canvas.convertToFormat(QImage::Format_ARGB32);
  QImage out(source.size(), QImage::Format_RGB32);
  const int mr = matte.red(), mg = matte.green(), mb = matte.blue();
  for (int y = 0; y < source.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
    auto* to = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < source.width(); ++x) {
      const int a = qAlpha(in[x]);
      if (a < 128) {
        to[x] = kKey.rgb();
        continue;
      }
      auto mix = [a](int c, int m) { return (c * a + m * (255 - a) + 127) / 255; };
      QRgb p = qRgb(mix(qRed(in[x]), mr), mix(qGreen(in[x]), mg), mix(qBlue(in[x]), mb));
      // A painted pixel must never come out as the key colour itself.
      if (p == kKey.rgb()) p = qRgb(254, 0, 254);
      to[x] = p;
    }
  }
  return out;
}

std::uint32_t Random::Next() {
  state_ = state_ * 1664525u + 1013904223u;
  return state_;
}

double Random::Unit() {
  return static_cast<double>(Next() >> 8) / static_cast<double>(1u << 24);
}

int Random::Int(int low, int high) {
  return low + static_cast<int>(Unit() * static_cast<double>(high - low + 1));
}

namespace {

// One horizontal and one vertical box pass over the four channels.
void BoxPass(QImage& image, int radius) {
  const int w = image.width(), h = image.height();
  const int span = 2 * radius + 1;
  std::vector<int> line(static_cast<std::size_t>(std::max(w, h)) * 4);
  auto blurLine = [&](auto at, int length) {
    for (int i = 0; i < length; ++i) {
      const QRgb p = *at(i);
      line[static_cast<std::size_t>(i) * 4 + 0] = qAlpha(p);
      line[static_cast<std::size_t>(i) * 4 + 1] = qRed(p);
      line[static_cast<std::size_t>(i) * 4 + 2] = qGreen(p);
      line[static_cast<std::size_t>(i) * 4 + 3] = qBlue(p);
    }
    int sum[4] = {0, 0, 0, 0};
    auto sample = [&](int i, int c) {
      i = std::clamp(i, 0, length - 1);
      return line[static_cast<std::size_t>(i) * 4 + static_cast<std::size_t>(c)];
    };
    for (int c = 0; c < 4; ++c) {
      for (int i = -radius; i <= radius; ++i) sum[c] += sample(i, c);
    }
    for (int i = 0; i < length; ++i) {
      *at(i) = qRgba(sum[1] / span, sum[2] / span, sum[3] / span, sum[0] / span);
      for (int c = 0; c < 4; ++c) sum[c] += sample(i + radius + 1, c) - sample(i - radius, c);
    }
  };
  for (int y = 0; y < h; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    blurLine([row](int i) { return row + i; }, w);
  }
  for (int x = 0; x < w; ++x) {
    blurLine([&image, x](int i) { return reinterpret_cast<QRgb*>(image.scanLine(i)) + x; }, h);
  }
}

}  // namespace

void Blur(QImage& image, int radius) {
  if (radius <= 0) return;
  if (image.format() != QImage::Format_ARGB32_Premultiplied) {
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  }
  for (int pass = 0; pass < 3; ++pass) BoxPass(image, radius);
}

void Vignette(QImage& image, double strength) {
  QPainter p(&image);
  Smooth(p);
  const QPointF centre(image.width() / 2.0, image.height() / 2.0);
  const double radius = std::hypot(image.width(), image.height()) / 2.0;
  QRadialGradient g(centre, radius);
  g.setColorAt(0.0, QColor(0, 0, 0, 0));
  g.setColorAt(0.55, QColor(0, 0, 0, 0));
  g.setColorAt(1.0, QColor(0, 0, 0, static_cast<int>(255 * strength)));
  p.fillRect(image.rect(), g);
}

namespace {

bool MakeFolderFor(const QString& path) {
  const QString folder = QFileInfo(path).absolutePath();
  if (QDir().mkpath(folder)) return true;
  std::fprintf(stderr, "vexa_skingen: cannot create %s\n", qPrintable(folder));
  return false;
}

bool Write(const QImage& image, const QString& path, const char* format, int quality) {
  if (!MakeFolderFor(path)) return false;
  QImageWriter writer(path, format);
  writer.setQuality(quality);
  if (writer.write(image)) return true;
  std::fprintf(stderr, "vexa_skingen: cannot write %s: %s\n", qPrintable(path),
               qPrintable(writer.errorString()));
  return false;
}

}  // namespace

bool SavePng(const QImage& image, const QString& path) {
  // Quality 0 is the PNG writer's strongest compression.
  return Write(image.convertToFormat(QImage::Format_RGB32), path, "png", 0);
}

bool SaveSeeThroughPng(const QImage& image, const QString& path) {
  return Write(image.convertToFormat(QImage::Format_ARGB32), path, "png", 0);
}

bool SaveJpg(const QImage& image, const QString& path, int quality) {
  return Write(image.convertToFormat(QImage::Format_RGB32), path, "jpg", quality);
}

bool SaveBytes(const QByteArray& bytes, const QString& path) {
  if (!MakeFolderFor(path)) return false;
  QFile file(path);
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size()) return true;
  std::fprintf(stderr, "vexa_skingen: cannot write %s\n", qPrintable(path));
  return false;
}

}  // namespace skingen
