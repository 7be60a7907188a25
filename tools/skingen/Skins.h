#pragma once

#include "ArtBook.h"
#include "SkinFile.h"

// The demo skins' layouts.
namespace skingen {

// The two screens the Default skin has its own files for.
enum class DeckScreen { k800x480, k480x272 };

// "Default": a dark car launcher. A top bar with date, message and clock; a GPS panel with the speed and
// course gauges, the position, course, altitude and HDOP read-outs and the GPS buttons; big tiles for
// the programs, a picture place, a row of list buttons and a dock of system buttons. Every command
// word has a slot. The pictures it needs are added to `art`.
SkinFile DefaultSkin(DeckScreen screen, ArtBook& art);

// "Compact": a plain 640 x 480 skin of wide bars under a large clock, with no file for any other
// screen, so choosing it elsewhere shows the chooser and the scaling.
SkinFile CompactSkin(ArtBook& art);

}  // namespace skingen
