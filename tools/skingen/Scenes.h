#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

// The large pictures: skin backgrounds, the demo photographs, the clock window's day and night
// pictures and the slide show's logo. All are painted from shapes and gradients with a fixed random
// seed each, so every run gives the same files.
namespace skingen {

// Backgrounds of the Default skin; DrawDeckPanels adds the panels its layout sits on.
QImage NightRoad(QSize size);
QImage Carbon(QSize size);
QImage Aurora(QSize size);
// Backgrounds shared by every skin.
QImage Graphite(QSize size);
QImage Dusk(QSize size);

// The dark panels of the Default skin's 800 x 480 layout, painted over one of its backgrounds: the top
// bar, the well behind the clock, the GPS panel and the dock.
struct DeckPanels {
  static constexpr QRect kTopBar{0, 0, 800, 60};
  static constexpr QRect kTimeWell{580, 5, 212, 52};
  static constexpr QRect kGpsPanel{8, 66, 278, 338};
  static constexpr QRect kGpsReadout{14, 250, 266, 54};
  static constexpr QRect kDock{0, 406, 800, 74};
};
void DrawDeckPanels(QImage& background);

// Demo photographs for the picture folder.
QImage SunsetCoast(QSize size);
QImage MountainLake(QSize size);
QImage CityNight(QSize size);
QImage ForestRoad(QSize size);
QImage DesertHighway(QSize size);

// The clock window's pictures and the slide show's logo.
QImage ClockDay(QSize size);
QImage ClockNight(QSize size);
QImage ClockChristmas(QSize size);
QImage Logo(QSize size);

}  // namespace skingen
