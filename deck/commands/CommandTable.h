#pragma once

#include <span>
#include <string_view>

// The launcher's command words: what a slot's Action names, and whether the clock and background
// timers stop while the command's window is open.
namespace vexa::deck {

enum class CommandId {
  kImageView,
  kTaskManager,
  kTaskbar,
  kCalendar,
  kClock,
  kConfig,
  kExit,
  kRunNavigation,
  kRunToolbar,
  kRunMovie,
  kRunMp3,
  kRunFlash,
  kRunDmb,
  kSelectMovie,
  kSelectMp3,
  kSelectFlash,
  kSelectApplication,
  kSelectGame,
  kSelectSystem,
  kBackgroundChange,
  kBackgroundPrevious,
  kBackgroundNext,
  kPicturePrevious,
  kPictureNext,
  kGpsTime,
  kGpsSpeed,
  kSkinEdit,
  kSkinChange,
};

// How a command treats the periodic timers (the clock and the automatic background change).
enum class TimerPause {
  kNone,    // they keep running
  kAround,  // stopped before the command's window opens, started again after it closes
  kOwn,     // the command stops and starts them itself (settings, GPS time, skin editor)
};

struct CommandEntry {
  std::u16string_view word;
  CommandId id;
  TimerPause pause;
};

// Every command word in the order it is tried.
std::span<const CommandEntry> Commands();

// The command a slot's Action names: the whole text equal to a word, letter case ignored, with no
// blanks trimmed. Null for anything else (paths, "NONE", unknown words).
const CommandEntry* FindCommand(std::u16string_view action);

}  // namespace vexa::deck
