// Any bytes as a .wav file: the header reader answers a format only for whole frames that lie inside
// the file, with the limits it promises.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/posix/WaveFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto format = vexa::platform::ParseWave(bytes);
  if (!format) return 0;
  if (format->channels < 1 || format->channels > 8) std::abort();
  const int bits = format->bitsPerSample;
  if (bits != 8 && bits != 16 && bits != 24 && bits != 32) std::abort();
  if (format->sampleRate <= 0) std::abort();
  if (format->dataOffset > size || format->dataSize > size - format->dataOffset) std::abort();
  if (format->dataSize % static_cast<std::size_t>(format->frameBytes()) != 0) std::abort();
  return 0;
}
