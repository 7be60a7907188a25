#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/Environment.h"
#include "common/ProfileStore.h"
#include "common/gfx/Geometry.h"
#include "deck/DeckSettings.h"
#include "deck/SlotSettings.h"
#include "platform/FileSystem.h"
#include "platform/Handles.h"
#include "platform/MessageBoxes.h"

namespace vexa::deck {

// The launcher window has exactly this many slots; a skin places at most this many elements.
inline constexpr int kSlotCount = 40;
// A gauge shows at most this many frames.
inline constexpr std::size_t kMaxGaugeFrames = 200;

// Where the current skin lies.
struct SkinLocation {
  std::u16string folder;  // the skin folder, ending with "\"
  std::u16string name;    // the skin's sub-folder: "Default"
  std::u16string file;    // the skin file; after loading, the one for the current screen
  gfx::Size designSize;   // the screen the loaded file was made for; 0 x 0 for the current one
  bool operator==(const SkinLocation&) const = default;
};

// What the skin chooser answers: a skin and one of its skin files ("skin800x480.ini").
struct SkinChoice {
  std::u16string skinName;
  std::u16string fileName;
};

// The skin chooser dialog, shown when there is no skin file for the screen or the user asks to change
// the skin. Nothing when cancelled.
class SkinChooser {
 public:
  virtual ~SkinChooser() = default;
  virtual std::optional<SkinChoice> Choose(std::u16string_view skinFolder, std::u16string_view currentSkin,
                                           gfx::Size screen) = 0;
};

// The slots (indexes 0 to 39) that show live content; nothing where the skin has no such slot.
struct LiveSlots {
  std::optional<int> date, time, message, speed, speedGauge, courseGauge, latitude, longitude, course,
      altitude, hdop;
  std::array<std::optional<int>, 6> pictures;

  // True when the skin shows anything the GPS receiver feeds.
  bool HasGps() const;
  bool HasPicture() const;
};

// A skin file turned into what the launcher window shows.
struct LoadedSkin {
  SkinLocation location;
  std::u16string sourceFile;  // the skin file read: location.file, or another screen's file scaled
  std::u16string background;  // picture to stretch over the screen; empty for a blank background
  bool fitting = false;       // pictures stretched to their slots
  // kSlotCount entries in slot order: the skin's elements first, then cleared hidden slots.
  std::vector<SlotSettings> slots;
  int usedSlots = 0;
  LiveSlots live;
  std::vector<std::u16string> fonts;  // the skin's own font files, to register while it is shown
  int overflow = 0;                   // elements left out beyond kSlotCount
};

// What a load passes over without a word, for a tool that checks skins. Each call names the
// element's section, the key and the value as written.
class SkinLoadObserver {
 public:
  enum class Skip {
    kUnknownKind,  // Motion names no kind: the slot stays a plain button
    kBadNumber,    // a Position, Size or TextSize that does not parse
    kBadColor,     // a TransColor or TextColor that does not parse: the default colour
    kTooMany,      // an element past the last slot: left out
    kNotPlaced,    // an element that has no Position and Size, given or carried: it does not appear
  };
  virtual ~SkinLoadObserver() = default;
  virtual void Skipped(Skip what, std::u16string_view section, std::u16string_view key,
                       std::u16string_view value) = 0;
};

// What the loader needs to know about the launcher it loads for.
struct SkinLoadContext {
  gfx::Size screen;
  platform::WindowHandle owner = platform::kNoWindow;
  bool gpsRunning = false;  // the GPS reader already feeds the displays
  // Where each slot is now, for slots the skin leaves where they are; may be empty.
  std::span<const gfx::Rect> currentBounds;
  // Told what the load passes over; may be null.
  SkinLoadObserver* observer = nullptr;
};

enum class SkinOutcome {
  kLoaded,     // a skin file was loaded
  kUnchanged,  // nothing was loaded: the chooser was cancelled on request, or the chosen file is missing
  kCancelled,  // the chooser was cancelled at start-up: the launcher ends
};

struct SkinChoiceResult {
  SkinOutcome outcome = SkinOutcome::kUnchanged;
  std::optional<LoadedSkin> skin;
  // The user chose this skin in the chooser: ask a moment later whether to keep it (AskToKeepSkin).
  bool chosenInChooser = false;
};

// Scales a rectangle of a skin made for `design` to `screen`; a 0 x 0 design leaves it as it is.
gfx::Rect ScaleToScreen(const gfx::Rect& rect, gfx::Size screen, gfx::Size design);
// Scales a caption height by the width ratio, keeping at least 13 pixels.
int ScaleTextSize(int size, gfx::Size screen, gfx::Size design);
// The frames of a gauge ("speed" or "course") from the skin's gauge folder, ordered by the text after
// the kind.
std::vector<GaugeFrame> LoadGaugeFrames(platform::FileSystem& files, std::u16string_view gaugeFolder,
                                        std::u16string_view kind);

// Chooses the skin for the screen and loads it into the environment's skin store.
class SkinLoader {
 public:
  SkinLoader(Environment& environment, DeckSettings& settings);

  // The skin file for the screen, or the one the user picks in the chooser when there is none or
  // `forceChooser` is set. A new skin name is saved into the settings file.
  SkinChoiceResult ChooseAndLoad(bool forceChooser, SkinChooser& chooser, const SkinLoadContext& context);

  // Reads `location.file` and turns it into slot settings. The returned location names the skin file
  // for the current screen, where a later save goes.
  LoadedSkin LoadFile(SkinLocation location, const SkinLoadContext& context);

  // The location built from the settings for this screen.
  SkinLocation CurrentLocation(gfx::Size screen) const;

 private:
  SlotSettings LoadElement(std::u16string_view section, int slotIndex, LoadedSkin& skin,
                           const SkinLoadContext& context);
  void ShowKoreanMessage(platform::WindowHandle owner, std::u16string text);

  Environment& environment_;
  DeckSettings& settings_;
  // Carried from one element to the next when an element gives no Position or Size.
  std::optional<Point> position_;
  std::optional<Point> size_;
};

// Asks "Use this skin?" and on Yes writes the slots into the skin store and saves it to `skinFile`.
// True only when the file was written.
bool AskToKeepSkin(platform::MessageBoxes& boxes, platform::WindowHandle owner, ProfileStore& skin,
                   std::span<const SlotSettings> slots, std::u16string_view skinFile);

}  // namespace vexa::deck
