// Any bytes as a skin file, on a Korean or an English device, loaded for the screen it was made for
// and stretched from another: the loader fills exactly the launcher's slots, points its live displays
// at slots that exist, and a skin kept by the user is saved and loads again with the same elements.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/Environment.h"
#include "deck/DeckSettings.h"
#include "deck/SkinLoader.h"
#include "fuzz/MemoryDevice.h"

namespace {

using namespace vexa;

constexpr gfx::Size kScreen{480, 272};

void CheckSkin(const deck::LoadedSkin& skin) {
  if (skin.slots.size() != static_cast<std::size_t>(deck::kSlotCount)) std::abort();
  if (skin.usedSlots < 0 || skin.usedSlots > deck::kSlotCount || skin.overflow < 0) std::abort();
  const auto inRange = [&](const std::optional<int>& slot) {
    if (slot && (*slot < 0 || *slot >= skin.usedSlots)) std::abort();
  };
  const auto& live = skin.live;
  for (const auto* slot : {&live.date, &live.time, &live.message, &live.speed, &live.speedGauge,
                           &live.courseGauge, &live.latitude, &live.longitude, &live.course, &live.altitude,
                           &live.hdop}) {
    inRange(*slot);
  }
  for (const auto& picture : live.pictures) inRange(picture);
  for (const auto& slot : skin.slots) {
    if (slot.frames.size() > deck::kMaxGaugeFrames) std::abort();
  }
}

// A skin folder as skins ship it: the skin file, gauge frames in the older folder spelling, a font.
void LayOut(fuzzing::MemoryDevice& device, const std::u16string& own, std::string_view skinFile) {
  device.files.AddFile(own + u"\\skin480x272.ini", skinFile);
  device.files.AddFile(own + u"\\skin800x480.ini", skinFile);
  for (const char16_t* frame : {u"speed000.png", u"speed010.png", u"Speed5.bmp", u"course000.png", u"course.txt"}) {
    device.files.AddFile(own + u"\\guage\\" + frame, "x");
  }
  device.files.AddFile(own + u"\\Font\\face.ttf", "x");
  device.files.CreateDirectories(own + u"\\Font\\folder.ttf");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // One language a run (loading a skin is slow enough): which one goes with the input's length.
  {
    fuzzing::MemoryDevice device(fuzzing::kLanguages[size % 2]);
    Environment environment(device.platform);
    deck::DeckSettings settings(environment);
    settings.FillDefaults();
    deck::SkinLoader loader(environment, settings);
    auto location = loader.CurrentLocation(kScreen);
    LayOut(device, location.folder + location.name, bytes);

    deck::SkinLoadContext context;
    context.screen = kScreen;
    const auto native = loader.LoadFile(location, context);
    CheckSkin(native);

    auto wide = location;
    wide.file = location.folder + location.name + u"\\skin800x480.ini";
    wide.designSize = {800, 480};
    const auto stretched = loader.LoadFile(wide, context);
    CheckSkin(stretched);
    if (stretched.usedSlots != native.usedSlots) std::abort();

    // The user keeps the stretched skin: it is written for this screen and loads back.
    device.boxes.QueueAnswer(platform::MessageAnswer::kYes);
    if (!deck::AskToKeepSkin(device.boxes, platform::kNoWindow, environment.skin(), stretched.slots,
                             stretched.location.file)) {
      std::abort();
    }
    const auto kept = loader.LoadFile(stretched.location, context);
    CheckSkin(kept);
    // Elements never multiply; names a code page cannot hold may fold into one.
    if (kept.usedSlots > stretched.usedSlots) std::abort();
  }
  return 0;
}
