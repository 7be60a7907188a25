#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vexa::platform {

// The sound held by a .wav file: linear PCM, interleaved, little-endian samples (8-bit unsigned, or
// 16-, 24- or 32-bit signed), one to eight channels.
struct WaveFormat {
  int channels = 0;
  int sampleRate = 0;     // frames per second
  int bitsPerSample = 0;  // 8, 16, 24 or 32
  std::size_t dataOffset = 0;  // where the first frame starts in the file
  std::size_t dataSize = 0;    // bytes of whole frames present in the file

  int frameBytes() const { return channels * (bitsPerSample / 8); }
  std::size_t frames() const { return frameBytes() > 0 ? dataSize / static_cast<std::size_t>(frameBytes()) : 0; }
};

// Reads the RIFF header of a .wav file. Nullopt for anything that is not a PCM wave this system can
// play: no RIFF/WAVE header, no "fmt " or "data" chunk, compressed formats, odd sample sizes,
// inconsistent block alignment. A data chunk longer than the file (a cut-off download) plays what is
// there.
std::optional<WaveFormat> ParseWave(std::string_view bytes);

}  // namespace vexa::platform
