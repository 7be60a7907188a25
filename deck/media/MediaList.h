#pragma once

#include <string_view>

#include "common/Environment.h"
#include "platform/ui/UserInterface.h"

// The media list: the music or movie folder walked with a finger, files ticked, and the player
// started on a playlist written for them.
namespace vexa::deck {

enum class MediaMode {
  kMusic,  // "MP3": .mp3 files, [Program] MP3Player
  kMovie,  // "MOVIE": the movie player's formats, [Program] MoviePlayer
};

// Opens the media list modally over `owner` at `folder` (the [Folder] Mp3 or Movie setting as stored)
// and returns when it closes: after Return, or 3 seconds after the player was started on the saved
// playlist.
void RunMediaList(Environment& env, platform::ui::UserInterface& ui, platform::ui::Window* owner, MediaMode mode,
                  std::u16string_view folder);

}  // namespace vexa::deck
