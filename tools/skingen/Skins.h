#pragma once

#include "ArtBook.h"
#include "SkinFile.h"

#include <QSize>

// The demo skins' layouts.
namespace skingen {

// The two screens the Default skin has its own files for.
enum class DeckScreen { k800x480, k480x272 };

// "Default": a dark car launcher. A top bar with date, message and clock; a GPS panel with the speed and
// course gauges, the position, course, altitude and HDOP read-outs and the GPS buttons; big tiles for
// the programs, a picture place, a row of list buttons and a dock of system buttons. Every command
// word has a slot. The pictures it needs are added to `art`.
SkinFile DefaultSkin(DeckScreen screen, ArtBook& art);

// The screens of the Default skin laid out by DefaultSkinFor: the common car screens besides the two
// above.
inline constexpr QSize kLaidOutScreens[] = {{320, 240}, {640, 480}, {800, 600}, {1024, 600}, {1280, 720}};

// The Default skin laid out for one screen: the same elements in the regions the backgrounds' panels
// give (they are painted in proportion to the screen), with pictures drawn at their size on this
// screen, a tile grid of four columns on wide screens and three on 4:3 ones, and captions of at least
// 16 pixels from 800 pixels wide up.
SkinFile DefaultSkinFor(QSize screen, ArtBook& art);

// "Compact": a plain 640 x 480 skin of wide bars under a large clock, with no file for any other
// screen, so choosing it elsewhere shows the chooser and the scaling.
SkinFile CompactSkin(ArtBook& art);

}  // namespace skingen
