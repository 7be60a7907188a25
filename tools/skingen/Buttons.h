#pragma once

#include <QColor>
#include <QImage>
#include <QSize>

#include "Glyphs.h"

// The button pictures of the skins, each in a normal and a pressed look. All come out opaque, with
// the key colour (magenta) where the launcher's background is to show through.
namespace skingen {

// The colour the pictures' antialiased edges are blended with: the dark panels they sit on.
inline const QColor kMatte(16, 21, 28);

// A rounded, glossy square in the accent colour with the glyph in white: the big launcher tiles.
QImage DrawTile(Glyph glyph, const QColor& accent, int size, bool pressed);
// The tile with a soft shadow and its see-through surroundings kept in the alpha channel (a PNG
// the launcher blends over the background), instead of a key colour.
QImage DrawSeeThroughTile(Glyph glyph, const QColor& accent, int size, bool pressed);
// A dark round chip with an accent ring: the smaller list and GPS buttons.
QImage DrawChip(Glyph glyph, const QColor& accent, int size, bool pressed);
// The glyph alone in a light grey; pressed, it sits in a lit cyan disc: the dock buttons.
QImage DrawBare(Glyph glyph, int size, bool pressed);
// A wide dark bar with a coloured glyph block at its left: a whole button face, caption drawn over it.
QImage DrawBar(Glyph glyph, const QColor& accent, QSize size, bool pressed);
// The empty frame a picture place shows until it has a picture.
QImage DrawPhotoFrame(QSize size);

}  // namespace skingen
