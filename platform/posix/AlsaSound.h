#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>
#include <thread>

#include "platform/FileSystem.h"
#include "platform/ui/Graphics.h"

namespace vexa::platform {

// Wave sound through ALSA's "default" device.
//
// Play reads and checks the file, opens the device and returns; a worker thread feeds the samples.
// As on the device, a new Play cuts off the sound still playing. Play answers false when the file is
// missing or not a PCM wave, or when no sound device can be opened; nothing is played then.
//
// CanPlay opens the device once with the least the programs ask of it (11025 Hz, mono, 8-bit) and
// remembers the answer for the life of the object.
class AlsaSound : public ui::Sound {
 public:
  explicit AlsaSound(FileSystem& files);
  ~AlsaSound() override;
  AlsaSound(const AlsaSound&) = delete;
  AlsaSound& operator=(const AlsaSound&) = delete;

  bool Play(std::u16string_view devicePath) override;
  bool CanPlay() override;

  // Stops the sound playing, if any, and waits for the worker to end.
  void Stop();

 private:
  void StopLocked();

  FileSystem& files_;
  std::mutex mutex_;
  std::thread worker_;
  std::shared_ptr<std::atomic<bool>> stopFlag_;
  std::optional<bool> canPlay_;
};

}  // namespace vexa::platform
