#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Environment.h"
#include "common/gfx/Geometry.h"
#include "deck/DeckSettings.h"
#include "platform/ui/UserInterface.h"

// The launcher's start-up and exit steps that stand on their own: the screen size, its shortcuts,
// font registration, window mode, the taskbar rule and the RUN commands.
namespace vexa::deck {

inline constexpr std::u16string_view kDeckTitle = u"Vexa Deck Ver 3.x";
inline constexpr std::u16string_view kTaskbarClass = u"HHTaskBar";

// The screen size the skin is chosen for, from [Main] ScreenSizeMode: "CHOOSE" asks with the
// screen-size dialog (nullopt when cancelled), "CUSTOM" takes [Main] ScreenSize when it is at least
// 300 × 200 and fits the system screen, anything else the system screen.
std::optional<gfx::Size> ResolveScreenSize(Environment& env, platform::ui::UserInterface& ui,
                                           platform::ui::Window* owner);

// The period of the automatic background change for [Skin] BgndChangeTime seconds: at least 2 seconds,
// and never more than the timer's millisecond range holds.
int BackgroundChangePeriod(int seconds);

// Places "VexaDeck.lnk" on the desktop and in the Programs menu unless the desktop one exists.
void PlaceShortcuts(Environment& env);

// Registers every "*.ttf" of a font folder and returns the paths that could be registered.
std::vector<std::u16string> RegisterFonts(Environment& env, std::u16string_view fontFolder);
// Removes the registered fonts and empties the list.
void RemoveFonts(Environment& env, std::vector<std::u16string>& fonts);

// Window mode: ends every "gn_intro.exe"; starts "\Windows\explorer.exe" unless it runs, then waits up
// to two seconds for the taskbar to appear.
void EnterWindowMode(Environment& env, platform::WindowHandle owner);

// Shows or hides the device taskbar by a "Y"/"N" setting; empty or another value leaves it. Nothing
// happens without a taskbar.
void ApplyTaskbarSetting(Environment& env, std::u16string_view value);
bool TaskbarExists(Environment& env);

// Starts the program of a RUN command ("RUN-NAVIGATION" reads [Program] Navigation, and so on), or
// says which path to choose in the settings. `stopGps` runs before the navigation program starts.
bool LaunchRunCommand(Environment& env, platform::WindowHandle owner, std::u16string_view command,
                      const std::function<void()>& stopGps);
// The [Program] setting a RUN command starts; nothing for other words.
std::optional<ProgramKey> RunCommandProgram(std::u16string_view command);

}  // namespace vexa::deck
