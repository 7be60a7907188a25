#include "deck/commands/CommandTable.h"

#include <array>

#include "common/text/Text.h"

namespace vexa::deck {

namespace {

using enum CommandId;
using enum TimerPause;

constexpr std::array<CommandEntry, 28> kCommands = {{
    {u"GO-IMAGEVIEW", kImageView, kAround},
    {u"GO-TASKMAN", kTaskManager, kAround},
    {u"GO-TASKBAR", kTaskbar, kNone},
    {u"GO-CALENDAR", kCalendar, kAround},
    {u"GO-CLOCK", kClock, kAround},
    {u"GO-CONFIG", kConfig, kOwn},
    {u"GO-EXIT", kExit, kNone},
    {u"RUN-NAVIGATION", kRunNavigation, kNone},
    {u"RUN-TOOLBAR", kRunToolbar, kNone},
    {u"RUN-MOVIE", kRunMovie, kNone},
    {u"RUN-MP3", kRunMp3, kNone},
    {u"RUN-FLASH", kRunFlash, kNone},
    {u"RUN-DMB", kRunDmb, kNone},
    {u"SEL-MOVIE", kSelectMovie, kNone},
    {u"SEL-MP3", kSelectMp3, kNone},
    {u"SEL-FLASH", kSelectFlash, kAround},
    {u"SEL-APPLICATION", kSelectApplication, kAround},
    {u"SEL-GAME", kSelectGame, kAround},
    {u"SEL-SYSTEM", kSelectSystem, kAround},
    {u"BGND-CHANGE", kBackgroundChange, kAround},
    {u"BGND-PREV", kBackgroundPrevious, kNone},
    {u"BGND-NEXT", kBackgroundNext, kNone},
    {u"PIC-PREV", kPicturePrevious, kNone},
    {u"PIC-NEXT", kPictureNext, kNone},
    {u"GPS-TIME", kGpsTime, kOwn},
    {u"GPS-SPEED", kGpsSpeed, kNone},
    {u"SKIN-EDIT", kSkinEdit, kOwn},
    {u"SKIN-CHANGE", kSkinChange, kNone},
}};

}  // namespace

std::span<const CommandEntry> Commands() { return kCommands; }

const CommandEntry* FindCommand(std::u16string_view action) {
  for (const auto& entry : kCommands) {
    if (text::EqualsNoCase(action, entry.word)) return &entry;
  }
  return nullptr;
}

}  // namespace vexa::deck
