#include "platform/posix/WaveFile.h"

#include <algorithm>

namespace vexa::platform {

namespace {

std::uint32_t Le32(std::string_view b, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

std::uint16_t Le16(std::string_view b, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                    static_cast<unsigned char>(b[at + 1]) << 8);
}

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;

}  // namespace

// A wave file is a RIFF container of chunks, each an id, a 32-bit little-endian size and the data,
// padded to an even length. The start of an 11025 Hz mono 8-bit file:
//   52 49 46 46 c4 2b 00 00 57 41 56 45 66 6d 74 20 10 00 00 00 01 00 01 00 11 2b 00 00 11 2b 00 00
//   "RIFF" size             "WAVE"      "fmt "      16          PCM   mono  11025       bytes/s
//   01 00 08 00 64 61 74 61 a0 2b 00 00 80 80 81 ...
//   align bits  "data"      size        samples
std::optional<WaveFormat> ParseWave(std::string_view bytes) {
  if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") return std::nullopt;

  std::optional<WaveFormat> format;
  std::optional<std::size_t> dataOffset;
  std::size_t dataSize = 0;
  std::size_t at = 12;
  // Chunk sizes come from the file; they are checked against what is left before any use.
  while (at + 8 <= bytes.size() && !(format && dataOffset)) {
    const std::string_view id = bytes.substr(at, 4);
    const std::uint64_t size = Le32(bytes, at + 4);
    const std::size_t body = at + 8;
    const std::size_t left = bytes.size() - body;
    if (id == "fmt ") {
      if (size < 16 || size > left) return std::nullopt;
      std::uint16_t tag = Le16(bytes, body);
      if (tag == kFormatExtensible) {
        // The extensible header names the real format in the first two bytes of its sub-format GUID.
        if (size < 40) return std::nullopt;
        tag = Le16(bytes, body + 24);
      }
      if (tag != kFormatPcm) return std::nullopt;
      WaveFormat f;
      f.channels = Le16(bytes, body + 2);
      f.sampleRate = static_cast<int>(Le32(bytes, body + 4) & 0x7FFFFFFFu);
      const int blockAlign = Le16(bytes, body + 12);
      f.bitsPerSample = Le16(bytes, body + 14);
      if (f.channels < 1 || f.channels > 8) return std::nullopt;
      if (f.sampleRate < 1000 || f.sampleRate > 384000) return std::nullopt;
      if (f.bitsPerSample != 8 && f.bitsPerSample != 16 && f.bitsPerSample != 24 && f.bitsPerSample != 32) {
        return std::nullopt;
      }
      if (blockAlign != f.frameBytes()) return std::nullopt;
      format = f;
    } else if (id == "data") {
      dataOffset = body;
      dataSize = static_cast<std::size_t>(std::min<std::uint64_t>(size, left));
    }
    if (size >= left) break;
    at = body + static_cast<std::size_t>(size) + (size & 1u);
  }
  if (!format || !dataOffset) return std::nullopt;
  format->dataOffset = *dataOffset;
  const auto frameBytes = static_cast<std::size_t>(format->frameBytes());
  format->dataSize = dataSize / frameBytes * frameBytes;
  return format;
}

}  // namespace vexa::platform
