#pragma once

#include <string>

#include "platform/Clock.h"
#include "platform/ClockSetter.h"
#include "platform/ControlFonts.h"
#include "platform/EffectLog.h"
#include "platform/FileSystem.h"
#include "platform/FileWatcher.h"
#include "platform/FolderPicker.h"
#include "platform/Locale.h"
#include "platform/LocaleNames.h"
#include "platform/MessageBoxes.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "platform/SerialPorts.h"
#include "platform/Shell.h"
#include "platform/Threads.h"

namespace vexa::platform::ui {
class UserInterface;
class CommonDialogs;
class PictureDecoder;
class FontRegistry;
class TextRenderer;
class Resources;
class Sound;
class WindowList;
}  // namespace vexa::platform::ui

namespace vexa::platform {

// The device services one program runs with. The adapters behind them are chosen once at start-up
// (real or headless) and outlive everything that uses them.
struct Platform {
  FileSystem& files;
  Processes& processes;
  MessageBoxes& messageBoxes;
  Locale& locale;
  Shell& shell;
  // The running program's own device path: "\Storage Card\VexaDeck\VexaDeck.exe".
  std::u16string modulePath;
  // The program's own command line as the device hands it over: the arguments only.
  std::u16string commandLine{};
  // Present once a user interface is running; without them the folder picker answers nothing and
  // control fonts stay as they are.
  FolderPicker* folderPicker = nullptr;
  ControlFonts* controlFonts = nullptr;
  // The user interface and what goes with it; absent in tests of the common library.
  ui::UserInterface* ui = nullptr;
  ui::CommonDialogs* dialogs = nullptr;
  ui::PictureDecoder* pictures = nullptr;
  ui::FontRegistry* fonts = nullptr;
  ui::TextRenderer* text = nullptr;
  ui::Resources* resources = nullptr;
  ui::Sound* sound = nullptr;
  ui::WindowList* windowList = nullptr;
  Clock* clock = nullptr;
  EffectLog* log = nullptr;
  // The serial ports, worker threads and the setting of the device clock; absent where a program
  // runs without them (tests of the common library).
  SerialPorts* serialPorts = nullptr;
  Threads* threads = nullptr;
  ClockSetter* clockSetter = nullptr;
  // The day, month and day-half names of the device's language; absent: the clock shows none.
  LocaleNames* localeNames = nullptr;
  // The device registry; absent where a program runs without it.
  Registry* registry = nullptr;
  // Present when the launcher is to follow changes of its skin's files (--watch-skin); absent, nothing
  // is watched.
  FileWatcher* fileWatcher = nullptr;
};

}  // namespace vexa::platform
