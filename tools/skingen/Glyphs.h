#pragma once

#include <QColor>
#include <QPainter>
#include <QString>

// The symbols drawn on the skins' buttons. Each is drawn in one colour into a 100 x 100 box at the
// painter's origin; the caller scales the painter to the size it needs.
namespace skingen {

enum class Glyph {
  kNavigation,  // a navigation arrow
  kMusic,       // two beamed notes
  kMovie,       // a film frame with a play mark
  kTv,          // a television with its aerial
  kFlash,       // a lightning bolt
  kApps,        // four squares
  kSongs,       // a note beside list lines
  kVideos,      // a play mark beside list lines
  kFlashList,   // a bolt beside list lines
  kGames,       // a game pad
  kSystem,      // a chip
  kToolbar,     // a bar of small squares
  kTasks,       // two stacked windows
  kClock,
  kCalendar,
  kPicturePrev,  // a photo with a left arrow
  kPictureNext,  // a photo with a right arrow
  kBackPrev,     // double chevron left
  kBackNext,     // double chevron right
  kBackdrop,     // two stacked landscape pictures
  kSkinEdit,     // a pencil
  kSkins,        // a palette
  kSettings,     // a gear
  kTaskbar,      // a screen with a bar along its foot
  kExit,         // the power mark
  kGps,          // a cross-hair with a dot
  kGpsTime,      // a clock with signal arcs
  kPhoto,        // a landscape picture
};

// Draws `glyph` in `color` into the box (0, 0)-(100, 100) of the painter's current transform.
void DrawGlyph(QPainter& painter, Glyph glyph, const QColor& color);

}  // namespace skingen
