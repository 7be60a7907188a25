#include "Sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "Canvas.h"

namespace skingen {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

void PutU32(QByteArray& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}
void PutU16(QByteArray& out, std::uint16_t v) {
  out.append(static_cast<char>(v & 0xFF));
  out.append(static_cast<char>(v >> 8));
}

// Samples in [-1, 1] as a RIFF/WAVE file: "RIFF", "WAVE", a 16-byte "fmt " chunk (PCM, one channel,
// 11025 samples a second, one byte a sample) and the "data" chunk, padded to an even length.
QByteArray Wave(const std::vector<double>& samples) {
  const auto count = static_cast<std::uint32_t>(samples.size());
  const std::uint32_t padded = count + (count & 1u);
  QByteArray out;
  out.append("RIFF");
  PutU32(out, 4 + (8 + 16) + (8 + padded));
  out.append("WAVE");
  out.append("fmt ");
  PutU32(out, 16);
  PutU16(out, 1);  // PCM
  PutU16(out, 1);  // mono
  PutU32(out, kSampleRate);
  PutU32(out, kSampleRate);  // bytes a second
  PutU16(out, 1);            // block align
  PutU16(out, 8);            // bits a sample
  out.append("data");
  PutU32(out, count);
  for (double s : samples) {
    const int v = static_cast<int>(std::lround(128.0 + 127.0 * std::clamp(s, -1.0, 1.0)));
    out.append(static_cast<char>(static_cast<std::uint8_t>(std::clamp(v, 0, 255))));
  }
  if (count & 1u) out.append(static_cast<char>(128));
  return out;
}

std::vector<double> Silence(double seconds) {
  return std::vector<double>(static_cast<std::size_t>(seconds * kSampleRate), 0.0);
}

// Adds a decaying sine (frequency gliding from f0 to f1) starting at `start` seconds.
void AddTone(std::vector<double>& out, double start, double length, double f0, double f1, double level,
             double decay, double attack = 0.002) {
  const auto first = static_cast<std::size_t>(start * kSampleRate);
  const auto n = static_cast<std::size_t>(length * kSampleRate);
  double phase = 0.0;
  for (std::size_t i = 0; i < n && first + i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double f = f0 + (f1 - f0) * t / length;
    phase += kTwoPi * f / kSampleRate;
    const double envelope = std::min(1.0, t / attack) * std::exp(-t / decay);
    out[first + i] += level * envelope * std::sin(phase);
  }
}

}  // namespace

QByteArray ClickWave() {
  auto samples = Silence(0.03);
  Random random(0xC11C4u);
  double smooth = 0.0;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    // Low-passed noise: a little body under the tone.
    smooth = 0.6 * smooth + 0.4 * random.Range(-1.0, 1.0);
    samples[i] = 0.55 * smooth * std::exp(-t / 0.004);
  }
  AddTone(samples, 0.0, 0.03, 2400, 1500, 0.5, 0.006, 0.0005);
  return Wave(samples);
}

QByteArray TickWave() {
  auto samples = Silence(0.018);
  AddTone(samples, 0.0, 0.018, 3600, 3200, 0.7, 0.004, 0.0003);
  return Wave(samples);
}

QByteArray TapWave() {
  auto samples = Silence(0.07);
  AddTone(samples, 0.0, 0.07, 700, 1250, 0.75, 0.022, 0.001);
  AddTone(samples, 0.0, 0.07, 1400, 2500, 0.18, 0.012, 0.001);
  return Wave(samples);
}

QByteArray BeepWave() {
  auto samples = Silence(0.16);
  AddTone(samples, 0.0, 0.07, 1046.5, 1046.5, 0.6, 0.05, 0.003);
  AddTone(samples, 0.075, 0.085, 1568.0, 1568.0, 0.6, 0.05, 0.003);
  return Wave(samples);
}

QByteArray IntroWave() {
  auto samples = Silence(1.3);
  const double notes[] = {523.25, 659.25, 783.99, 1046.5};
  for (int i = 0; i < 4; ++i) {
    const double start = 0.14 * i;
    AddTone(samples, start, 1.3 - start, notes[i], notes[i], 0.22, 0.35, 0.004);
    AddTone(samples, start, 1.3 - start, notes[i] * 2, notes[i] * 2, 0.06, 0.2, 0.004);
  }
  return Wave(samples);
}

}  // namespace skingen
