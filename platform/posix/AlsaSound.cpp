#include "platform/posix/AlsaSound.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <string>

#include "platform/posix/WaveFile.h"

namespace vexa::platform {

namespace {

// Sound files bigger than this are cut off: several minutes of CD-quality sound, far more than any
// button click or alarm the programs play.
constexpr std::size_t kMaxWaveBytes = 64u << 20;
// What the device buffers ahead; short enough that a new sound cuts in at once.
constexpr unsigned kLatencyMicroseconds = 200000;

// ALSA reports its configuration troubles (no card at all, say) on stderr by default; an answer of
// false says all the programs need to know.
void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

void SilenceAlsa() {
  static std::once_flag once;
  std::call_once(once, [] { snd_lib_error_set_handler(IgnoreAlsaError); });
}

snd_pcm_format_t SampleFormat(int bitsPerSample) {
  switch (bitsPerSample) {
    case 8:
      return SND_PCM_FORMAT_U8;
    case 16:
      return SND_PCM_FORMAT_S16_LE;
    case 24:
      return SND_PCM_FORMAT_S24_3LE;
    default:
      return SND_PCM_FORMAT_S32_LE;
  }
}

// Opens the default device for playing in the given format; nullptr when there is none or it refuses
// the format. Opened without blocking, so a device held by someone else answers at once.
snd_pcm_t* OpenDevice(snd_pcm_format_t format, int channels, int rate) {
  SilenceAlsa();
  snd_pcm_t* pcm = nullptr;
  if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0) return nullptr;
  if (snd_pcm_nonblock(pcm, 0) < 0 ||
      snd_pcm_set_params(pcm, format, SND_PCM_ACCESS_RW_INTERLEAVED, static_cast<unsigned>(channels),
                         static_cast<unsigned>(rate), 1, kLatencyMicroseconds) < 0) {
    snd_pcm_close(pcm);
    return nullptr;
  }
  return pcm;
}

// The worker: writes the frames in small pieces so that a stop request is seen within one piece,
// then waits for the device to play out what it holds.
void Feed(snd_pcm_t* pcm, std::string samples, WaveFormat format, std::shared_ptr<std::atomic<bool>> stop) {
  constexpr snd_pcm_uframes_t kPiece = 512;
  const auto frameBytes = static_cast<std::size_t>(format.frameBytes());
  const std::size_t total = format.frames();
  std::size_t done = 0;
  while (done < total && !stop->load()) {
    const auto count = static_cast<snd_pcm_uframes_t>(std::min<std::size_t>(kPiece, total - done));
    const snd_pcm_sframes_t written = snd_pcm_writei(pcm, samples.data() + done * frameBytes, count);
    if (written < 0) {
      if (snd_pcm_recover(pcm, static_cast<int>(written), 1) < 0) break;
      continue;
    }
    done += static_cast<std::size_t>(written);
  }
  while (!stop->load()) {
    snd_pcm_sframes_t delay = 0;
    if (snd_pcm_delay(pcm, &delay) < 0 || delay <= 0 || snd_pcm_state(pcm) != SND_PCM_STATE_RUNNING) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  snd_pcm_drop(pcm);
  snd_pcm_close(pcm);
}

}  // namespace

AlsaSound::AlsaSound(FileSystem& files) : files_(files) {}

AlsaSound::~AlsaSound() { Stop(); }

void AlsaSound::Stop() {
  std::lock_guard lock(mutex_);
  StopLocked();
}

void AlsaSound::StopLocked() {
  if (stopFlag_) stopFlag_->store(true);
  if (worker_.joinable()) worker_.join();
  stopFlag_.reset();
}

bool AlsaSound::Play(std::u16string_view devicePath) {
  std::optional<std::string> bytes = files_.ReadFile(devicePath, kMaxWaveBytes);
  if (!bytes) return false;
  const std::optional<WaveFormat> format = ParseWave(*bytes);
  if (!format) return false;

  std::lock_guard lock(mutex_);
  // The device may be a single hardware stream: the old sound lets go of it before the new one opens.
  StopLocked();
  snd_pcm_t* pcm = OpenDevice(SampleFormat(format->bitsPerSample), format->channels, format->sampleRate);
  if (pcm == nullptr) return false;

  std::string samples = bytes->substr(format->dataOffset, format->dataSize);
  stopFlag_ = std::make_shared<std::atomic<bool>>(false);
  worker_ = std::thread(Feed, pcm, std::move(samples), *format, stopFlag_);
  return true;
}

bool AlsaSound::CanPlay() {
  std::lock_guard lock(mutex_);
  if (!canPlay_) {
    snd_pcm_t* pcm = OpenDevice(SND_PCM_FORMAT_U8, 1, 11025);
    canPlay_ = pcm != nullptr;
    if (pcm != nullptr) snd_pcm_close(pcm);
  }
  return *canPlay_;
}

}  // namespace vexa::platform
