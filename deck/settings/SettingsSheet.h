#pragma once

#include "common/Environment.h"
#include "common/gfx/Geometry.h"
#include "deck/commands/CommandDispatcher.h"
#include "platform/ui/UserInterface.h"

namespace vexa::deck {

// The pages of the settings sheet, in the order of its tabs.
enum class SettingsPageKind { kAbout, kMain, kExec, kFolder, kResolution, kSkin, kGps, kEtc };
inline constexpr int kSettingsPageCount = 8;

// What a custom screen size typed on the Resolution page amounts to.
enum class CustomSizeCheck {
  kAccepted,
  kTooSmall,  // narrower than 300 or lower than 200
  kTooLarge,  // wider or higher than the device screen
};
CustomSizeCheck CheckCustomSize(gfx::Size typed, gfx::Size screen);

struct SettingsSheetOptions {
  SettingsPageKind firstPage = SettingsPageKind::kAbout;  // the page shown when the sheet opens
};

// "Vexa Deck Setup": the tabbed sheet of every launcher setting, filled from the main settings store.
// Save checks the Resolution page, stores the pages into the store in tab order (the about page has
// nothing to store), writes the settings file and closes; Cancel closes without touching either.
SettingsOutcome RunSettingsSheet(Environment& env, platform::ui::UserInterface& ui, platform::ui::Window* owner,
                                 const SettingsSheetOptions& options = {});

}  // namespace vexa::deck
