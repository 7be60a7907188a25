#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>

#include <cstdint>

// Small drawing helpers shared by the generator's pictures: canvases, the key-colour flattening the
// launcher's pictures need, a repeatable random source, a blur, and the writers.
namespace skingen {

// The colour the skins mark see-through areas with.
inline const QColor kKey(255, 0, 255);

// A transparent canvas to paint on with antialiasing.
QImage NewCanvas(int width, int height);

// A painter with antialiasing and smooth picture transforms switched on.
void Smooth(QPainter& painter);

// Turns a painted canvas into an opaque picture for a slot: pixels less than half covered become the
// key colour, the others are laid over `matte` (the colour the picture is expected to sit on), so
// antialiased edges do not leave key-coloured fringes.
QImage Flatten(const QImage& canvas, const QColor& matte);

// Repeatable pseudo-random numbers (a 32-bit linear congruential generator): the same seed gives the
// same pictures on every run.
class Random {
 public:
  explicit Random(std::uint32_t seed) : state_(seed) {}
  std::uint32_t Next();
  // Uniform in [0, 1).
  double Unit();
  // Uniform in [low, high).
  double Range(double low, double high) { return low + (high - low) * Unit(); }
  int Int(int low, int high);  // [low, high]

 private:
  std::uint32_t state_;
};

// A box blur run three times (close to a Gaussian) over a premultiplied canvas, in place.
void Blur(QImage& image, int radius);

// Darkens the edges of a picture towards black.
void Vignette(QImage& image, double strength);

// Writers: they create the folders on the way and report failures on stderr.
bool SavePng(const QImage& image, const QString& path);
// A PNG with the picture's alpha channel, for pictures the launcher blends by their alpha.
bool SaveSeeThroughPng(const QImage& image, const QString& path);
bool SaveJpg(const QImage& image, const QString& path, int quality = 88);
bool SaveBytes(const QByteArray& bytes, const QString& path);

}  // namespace skingen
