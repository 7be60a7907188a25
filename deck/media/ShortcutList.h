#pragma once

#include "common/Environment.h"
#include "platform/ui/UserInterface.h"

// The shortcut lists: the programs, games, system tools or Flash files of one configured folder as
// pages of big buttons that start them, with shortcuts added and deleted on the device.
namespace vexa::deck {

enum class ShortcutKind {
  kSystem,       // "System": [Folder] System, "*.lnk"
  kGame,         // "Game": [Folder] Game, "*.lnk"
  kApplication,  // "Applicaion" (so spelt): [Folder] Application, "*.lnk"
  kFlash,        // "Flash": [Folder] Flash, "*.swf", started by [Program] FlashPlayer
};

// Opens the list of that kind modally over `owner`; returns when the user closes it.
void RunShortcutList(Environment& env, platform::ui::UserInterface& ui, platform::ui::Window* owner,
                     ShortcutKind kind);

}  // namespace vexa::deck
