#include "Skins.h"

#include <algorithm>
#include <cmath>

#include "Buttons.h"
#include "Gauges.h"
#include "Glyphs.h"
#include "Scenes.h"

namespace skingen {
namespace {

QString ColorText(const QColor& c) {
  return QStringLiteral("%1,%2,%3").arg(c.red()).arg(c.green()).arg(c.blue());
}

// Colours of the Default skin.
const QColor kCaption(235, 240, 245);
const QColor kDate(190, 208, 228);
const QColor kMessage(120, 200, 255);
const QColor kReadout(150, 230, 170);
const QColor kWhite(255, 255, 255);

// Accent colours of the program tiles and list chips.
const QColor kNaviBlue(30, 150, 230);
const QColor kMusicOrange(240, 110, 60);
const QColor kMovieRed(220, 50, 80);
const QColor kTvViolet(140, 80, 220);
const QColor kFlashAmber(235, 170, 30);
const QColor kAppsTeal(30, 170, 150);
const QColor kGamesGreen(90, 190, 90);
const QColor kSystemSlate(120, 140, 170);
const QColor kToolCyan(60, 190, 240);
const QColor kTasksGold(200, 160, 80);
const QColor kGpsGreen(70, 210, 130);

// A live text display: caption empty, the display kind and its look.
Element Display(const QString& motion, QRect rect, int textSize, const QColor& color, const QString& hAlign) {
  Element e;
  e.motion = motion;
  e.textAlign = QStringLiteral("Center");
  e.textHAlign = hAlign;
  e.textColor = ColorText(color);
  e.textSize = textSize;
  e.rect = rect;
  return e;
}

// A command button with a picture pair and a caption (empty for picture-only buttons).
Element Button(const QString& action, const QString& text, const PicturePair& pictures, QRect rect,
               int textSize, const QString& wave) {
  Element e;
  e.action = action;
  e.text = text;
  e.textAlign = text.isEmpty() ? QStringLiteral("Center") : QStringLiteral("Botton");
  e.pictures = pictures;
  e.textColor = ColorText(kCaption);
  e.textSize = textSize;
  e.rect = rect;
  e.wave = wave;
  return e;
}

}  // namespace

SkinFile DefaultSkin(DeckScreen screen, ArtBook& art) {
  const bool wide = screen == DeckScreen::k800x480;
  SkinFile skin;
  skin.displayName = QStringLiteral("Default - Night Drive");
  skin.defaultFont = QStringLiteral("NanumGothic");
  skin.background = QStringLiteral("night.jpg");
  skin.formats = {{QStringLiteral("Date"), QStringLiteral("yyyy.MM.dd ddd")},
                  {QStringLiteral("Time"), QStringLiteral("HH:mm:ss")},
                  {QStringLiteral("Speed"), QStringLiteral("%d")},
                  {QStringLiteral("Course"), QStringLiteral("%03d deg")},
                  {QStringLiteral("Latitude"), QStringLiteral("LAT %3d:%02d:%02d.%02d")},
                  {QStringLiteral("Longitude"), QStringLiteral("LON %3d:%02d:%02d.%02d")},
                  {QStringLiteral("Altitude"), QStringLiteral("ALT %.0f m")},
                  {QStringLiteral("Hdop"), QStringLiteral("HDOP %.1f")}};
  skin.backPatterns = {{QStringLiteral("Date"), QString()},
                       {QStringLiteral("Time"), QStringLiteral("AUTO")},
                       {QStringLiteral("Speed"), QStringLiteral("888")}};
  auto& out = skin.elements;
  const QString click = QStringLiteral("+click.wav");
  const QString tick = QStringLiteral("+tick.wav");
  const QString tap = QStringLiteral("tap.wav");
  const QString beep = QStringLiteral("beep.wav");

  // --- Top bar: date, message, clock -------------------------------------------------------------
  {
    Element date =
        Display(QStringLiteral("DISPLAY-DATE"), wide ? QRect(16, 10, 250, 40) : QRect(8, 4, 150, 26),
                wide ? 22 : 14, kDate, QStringLiteral("Left"));
    date.action = QStringLiteral("GO-CALENDAR");
    out.push_back(date);
    out.push_back(Display(QStringLiteral("DISPLAY-MESSAGE"),
                          wide ? QRect(276, 10, 296, 40) : QRect(160, 4, 184, 26), wide ? 17 : 13, kMessage,
                          QStringLiteral("Center")));
    Element time =
        Display(QStringLiteral("DISPLAY-TIME"), wide ? QRect(584, 6, 204, 50) : QRect(350, 3, 125, 29),
                wide ? 40 : 24, kWhite, QStringLiteral("Center"));
    time.action = QStringLiteral("GO-CLOCK");
    time.fontName = QStringLiteral("NanumGothic");
    out.push_back(time);
  }

  // --- GPS panel ----------------------------------------------------------------------------------
  {
    const QString speedFace = art.Single(QStringLiteral("gauge_speed.png"), DrawSpeedDial(0, false));
    const QString courseFace = art.Single(QStringLiteral("gauge_course.png"), DrawCompass(0, false));
    const QRect gauge = wide ? QRect(14, 72, kSpeedDialSize, kSpeedDialSize) : QRect(8, 40, 104, 104);
    Element speedGauge;
    speedGauge.action = QStringLiteral("GPS-SPEED");
    speedGauge.motion = QStringLiteral("GAUGE-SPEED");
    speedGauge.textAlign = QStringLiteral("Center");
    speedGauge.pictures = {speedFace, QString()};
    speedGauge.rect = gauge;
    speedGauge.wave = beep;
    out.push_back(speedGauge);

    // The speed display sits in the window the dial leaves for it, scaled with the dial.
    const double scale = static_cast<double>(gauge.width()) / kSpeedDialSize;
    const QRect window(gauge.x() + static_cast<int>(std::lround(kSpeedWindow.x() * scale)),
                       gauge.y() + static_cast<int>(std::lround(kSpeedWindow.y() * scale)),
                       static_cast<int>(std::lround(kSpeedWindow.width() * scale)),
                       static_cast<int>(std::lround(kSpeedWindow.height() * scale)));
    out.push_back(
        Display(QStringLiteral("DISPLAY-SPEED"), window, wide ? 26 : 15, kWhite, QStringLiteral("Center")));

    Element courseGauge;
    courseGauge.motion = QStringLiteral("GAUGE-COURSE");
    courseGauge.textAlign = QStringLiteral("Center");
    courseGauge.pictures = {courseFace, QString()};
    courseGauge.rect = wide ? QRect(190, 76, kCourseDialSize, kCourseDialSize) : QRect(114, 42, 52, 52);
    out.push_back(courseGauge);

    const int readout = wide ? 16 : 13;
    const QRect course = wide ? QRect(192, 172, 90, 22) : QRect(113, 96, 57, 15);
    const int step = wide ? 24 : 15;
    out.push_back(
        Display(QStringLiteral("DISPLAY-COURSE"), course, readout, kReadout, QStringLiteral("Center")));
    out.push_back(Display(QStringLiteral("DISPLAY-ALTITUDE"), course.translated(0, step), readout, kReadout,
                          QStringLiteral("Center")));
    out.push_back(Display(QStringLiteral("DISPLAY-HDOP"), course.translated(0, 2 * step), readout, kReadout,
                          QStringLiteral("Center")));
    const QRect latitude = wide ? QRect(22, 254, 254, 24) : QRect(12, 145, 154, 15);
    out.push_back(Display(QStringLiteral("DISPLAY-LATITUDE"), latitude, wide ? 17 : 13, kReadout,
                          QStringLiteral("Left")));
    out.push_back(Display(QStringLiteral("DISPLAY-LONGITUDE"), latitude.translated(0, wide ? 24 : 15),
                          wide ? 17 : 13, kReadout, QStringLiteral("Left")));

    const int chip = wide ? 44 : 26;
    const QRect gps = wide ? QRect(16, 312, 128, 86) : QRect(10, 176, 76, 50);
    const int gap = wide ? 134 : 82;
    out.push_back(
        Button(QStringLiteral("GPS-SPEED"), wide ? QStringLiteral("GPS on/off") : QStringLiteral("GPS"),
               art.Chip(QStringLiteral("gps"), Glyph::kGps, kGpsGreen, chip), gps, wide ? 16 : 13, beep));
    out.push_back(Button(QStringLiteral("GPS-TIME"), QStringLiteral("GPS time"),
                         art.Chip(QStringLiteral("gpstime"), Glyph::kGpsTime, kGpsGreen, chip),
                         gps.translated(gap, 0), wide ? 16 : 13, click));
  }

  // --- Program tiles and the picture place ---------------------------------------------------------
  {
    struct Tile {
      const char* action;
      const char* text;
      const char* name;
      Glyph glyph;
      QColor accent;
    };
    const Tile tiles[] = {{"RUN-NAVIGATION", "Navigation", "navi", Glyph::kNavigation, kNaviBlue},
                          {"RUN-MP3", "Music", "music", Glyph::kMusic, kMusicOrange},
                          {"RUN-MOVIE", "Movies", "movie", Glyph::kMovie, kMovieRed},
                          {"RUN-DMB", "DMB TV", "dmb", Glyph::kTv, kTvViolet},
                          {"RUN-FLASH", "Flash", "flash", Glyph::kFlash, kFlashAmber},
                          {"SEL-APPLICATION", "Programs", "apps", Glyph::kApps, kAppsTeal}};
    const int size = wide ? 76 : 44;
    for (int i = 0; i < 6; ++i) {
      const int col = i % 4, row = i / 4;
      const QRect rect = wide ? QRect(296 + 126 * col, 70 + 130 * row, 116, 124)
                              : QRect(178 + 75 * col + (col == 3 ? 1 : 0), 40 + 73 * row, 70, 70);
      const Tile& t = tiles[i];
      Element e =
          Button(QString::fromLatin1(t.action), QString::fromLatin1(t.text),
                 art.Tile(QString::fromLatin1(t.name), t.glyph, t.accent, size), rect, wide ? 18 : 13, tap);
      // A colour key given outright, where the others take the picture's corner.
      e.transColor = QStringLiteral("255,0,255");
      out.push_back(e);
    }
    const QRect place = wide ? QRect(548, 200, 242, 124) : QRect(328, 113, 146, 70);
    Element picture;
    picture.action = QStringLiteral("GO-IMAGEVIEW");
    picture.motion = QStringLiteral("DISPLAY-PICTURE1");
    picture.textAlign = QStringLiteral("Center");
    // Photographs are drawn keyed too: a fixed magenta key keeps their own corner colour visible.
    picture.transColor = QStringLiteral("255,0,255");
    picture.pictures = {
        art.Single(wide ? QStringLiteral("photo_frame.png") : QStringLiteral("photo_frame_s.png"),
                   DrawPhotoFrame(place.size())),
        QString()};
    picture.rect = place;
    picture.wave = tap;
    out.push_back(picture);
  }

  // --- List buttons --------------------------------------------------------------------------------
  {
    struct Chip {
      const char* action;
      const char* text;
      const char* name;
      Glyph glyph;
      QColor accent;
    };
    const Chip chips[] = {{"SEL-MP3", "Songs", "songs", Glyph::kSongs, kMusicOrange},
                          {"SEL-MOVIE", "Videos", "videos", Glyph::kVideos, kMovieRed},
                          {"SEL-FLASH", "Flash", "flashlist", Glyph::kFlashList, kFlashAmber},
                          {"SEL-GAME", "Games", "games", Glyph::kGames, kGamesGreen},
                          {"SEL-SYSTEM", "System", "system", Glyph::kSystem, kSystemSlate},
                          {"RUN-TOOLBAR", "Toolbar", "toolbar", Glyph::kToolbar, kToolCyan},
                          {"GO-TASKMAN", "Tasks", "tasks", Glyph::kTasks, kTasksGold}};
    const int size = wide ? 36 : 28;
    for (int i = 0; i < 7; ++i) {
      const QRect rect = wide ? QRect(296 + 71 * i, 332, 66, 68)
                              : QRect(178 + static_cast<int>(std::lround(42.6 * i)), 188, 40, 38);
      const Chip& c = chips[i];
      out.push_back(Button(QString::fromLatin1(c.action), wide ? QString::fromLatin1(c.text) : QString(),
                           art.Chip(QString::fromLatin1(c.name), c.glyph, c.accent, size), rect, wide ? 16 : 13,
                           click));
    }
  }

  // --- Dock ----------------------------------------------------------------------------------------
  {
    struct Dock {
      const char* action;
      const char* text;
      const char* name;
      Glyph glyph;
      bool shared;
    };
    // Words short enough for 16-pixel captions under a dock button.
    const Dock dock[] = {{"GO-CLOCK", "Clock", "clock", Glyph::kClock, true},
                         {"GO-CALENDAR", "Dates", "calendar", Glyph::kCalendar, true},
                         {"PIC-PREV", "< Pic", "picprev", Glyph::kPicturePrev, false},
                         {"PIC-NEXT", "Pic >", "picnext", Glyph::kPictureNext, false},
                         {"BGND-PREV", "< Bg", "prev", Glyph::kBackPrev, true},
                         {"BGND-CHANGE", "Bg list", "backdrop", Glyph::kBackdrop, false},
                         {"BGND-NEXT", "Bg >", "next", Glyph::kBackNext, true},
                         {"SKIN-EDIT", "Edit", "skinedit", Glyph::kSkinEdit, false},
                         {"SKIN-CHANGE", "Skins", "skins", Glyph::kSkins, false},
                         {"GO-CONFIG", "Setup", "settings", Glyph::kSettings, true},
                         {"GO-TASKBAR", "Taskbar", "taskbar", Glyph::kTaskbar, false},
                         {"GO-EXIT", "Exit", "exit", Glyph::kExit, true}};
    const int size = wide ? 30 : 26;
    for (int i = 0; i < 12; ++i) {
      const QRect rect = wide ? QRect(8 + 66 * i, 412, 62, 64)
                              : QRect(5 + static_cast<int>(std::lround(39.6 * i)), 234, 37, 36);
      const Dock& d = dock[i];
      const bool exit = QLatin1String(d.action) == QLatin1String("GO-EXIT");
      out.push_back(Button(QString::fromLatin1(d.action), wide ? QString::fromLatin1(d.text) : QString(),
                           art.Bare(QString::fromLatin1(d.name), d.glyph, size, d.shared), rect, wide ? 16 : 13,
                           exit ? beep : (d.shared ? tick : click)));
    }
  }
  return skin;
}

SkinFile CompactSkin(ArtBook& art) {
  SkinFile skin;
  skin.displayName = QStringLiteral("Compact - Dusk");
  skin.defaultFont = QStringLiteral("NanumGothic");
  skin.background = QStringLiteral("+dusk.jpg");
  skin.formats = {{QStringLiteral("Date"), QStringLiteral("dddd, MMMM d")},
                  {QStringLiteral("Time"), QStringLiteral("H:mm")}};
  skin.backPatterns = {{QStringLiteral("Time"), QStringLiteral("AUTO")}};
  auto& out = skin.elements;

  out.push_back(
      Display(QStringLiteral("DISPLAY-TIME"), QRect(24, 14, 300, 68), 60, kWhite, QStringLiteral("Left")));
  out.push_back(Display(QStringLiteral("DISPLAY-DATE"), QRect(28, 84, 300, 30), 22, QColor(240, 216, 200),
                        QStringLiteral("Left")));
  out.push_back(Display(QStringLiteral("DISPLAY-MESSAGE"), QRect(330, 30, 286, 40), 18, QColor(255, 224, 190),
                        QStringLiteral("Right")));

  struct Bar {
    const char* action;
    const char* text;
    const char* name;
    Glyph glyph;
    QColor accent;
  };
  const Bar bars[] = {{"RUN-NAVIGATION", "Navigation", "bar_navi", Glyph::kNavigation, kNaviBlue},
                      {"RUN-MP3", "Music", "bar_music", Glyph::kMusic, kMusicOrange},
                      {"RUN-MOVIE", "Movies", "bar_movie", Glyph::kMovie, kMovieRed},
                      {"RUN-DMB", "DMB TV", "bar_dmb", Glyph::kTv, kTvViolet},
                      {"GO-IMAGEVIEW", "Photos", "bar_photos", Glyph::kPhoto, QColor(40, 170, 110)},
                      {"SEL-APPLICATION", "Programs", "bar_apps", Glyph::kApps, kAppsTeal},
                      {"SKIN-CHANGE", "Skins", "bar_skins", Glyph::kSkins, QColor(190, 110, 220)},
                      {"GO-EXIT", "Exit", "bar_exit", Glyph::kExit, QColor(200, 60, 60)}};
  const QSize barSize(284, 72);
  for (int i = 0; i < 8; ++i) {
    const Bar& b = bars[i];
    Element e;
    e.action = QString::fromLatin1(b.action);
    e.text = QString::fromLatin1(b.text);
    // The picture is the whole button face; the caption is centred over its plain part.
    e.textAlign = QStringLiteral("Center");
    e.textHAlign = QStringLiteral("Center");
    e.pictures = art.Bar(QString::fromLatin1(b.name), b.glyph, b.accent, barSize);
    e.textColor = ColorText(QColor(240, 244, 248));
    e.textSize = 24;
    e.rect = QRect(QPoint(24 + 308 * (i % 2), 136 + 82 * (i / 2)), barSize);
    e.wave =
        e.action == QStringLiteral("GO-EXIT") ? QStringLiteral("+click.wav") : QStringLiteral("+tick.wav");
    out.push_back(e);
  }
  return skin;
}

}  // namespace skingen

namespace skingen {

SkinFile DefaultSkinFor(QSize screen, ArtBook& art) {
  const int w = screen.width(), h = screen.height();
  const double sx = w / 800.0, sy = h / 480.0;
  auto X = [&](double v) { return static_cast<int>(std::lround(v * sx)); };
  auto Y = [&](double v) { return static_cast<int>(std::lround(v * sy)); };
  // Text grows with the smaller of the two ratios, so a taller 4:3 screen does not get wider captions.
  const double k = std::min(sx, sy);
  const bool roomy = w >= 800 && h >= 480;  // captions that read in a car: 16 pixels and up
  const int least = roomy ? 16 : 13;
  auto T = [&](int v) { return std::max(least, static_cast<int>(std::lround(v * k))); };
  const bool tiny = w < 400;
  const int m = std::max(3, X(6));  // the margin inside panels and between slots

  SkinFile skin;
  skin.displayName = QStringLiteral("Default - Night Drive");
  skin.defaultFont = QStringLiteral("NanumGothic");
  skin.background = QStringLiteral("night.jpg");
  skin.formats = {{QStringLiteral("Date"), tiny ? QStringLiteral("MM.dd ddd") : QStringLiteral("yyyy.MM.dd ddd")},
                  {QStringLiteral("Time"), tiny ? QStringLiteral("HH:mm") : QStringLiteral("HH:mm:ss")},
                  {QStringLiteral("Speed"), QStringLiteral("%d")},
                  {QStringLiteral("Course"), tiny ? QStringLiteral("%03d") : QStringLiteral("%03d deg")},
                  {QStringLiteral("Latitude"), QStringLiteral("LAT %3d:%02d:%02d.%02d")},
                  {QStringLiteral("Longitude"), QStringLiteral("LON %3d:%02d:%02d.%02d")},
                  {QStringLiteral("Altitude"), tiny ? QStringLiteral("%.0fm") : QStringLiteral("ALT %.0f m")},
                  {QStringLiteral("Hdop"), tiny ? QStringLiteral("%.1f") : QStringLiteral("HDOP %.1f")}};
  skin.backPatterns = {{QStringLiteral("Date"), QString()},
                       {QStringLiteral("Time"), QStringLiteral("AUTO")},
                       {QStringLiteral("Speed"), QStringLiteral("888")}};
  auto& out = skin.elements;
  const QString click = QStringLiteral("+click.wav");
  const QString tick = QStringLiteral("+tick.wav");
  const QString tap = QStringLiteral("tap.wav");
  const QString beep = QStringLiteral("beep.wav");

  // The panels of the backgrounds, on this screen.
  const QRect topBar(0, 0, w, Y(60));
  const QRect timeWell(X(580), Y(5), X(792) - X(580), Y(57) - Y(5));
  const QRect gpsPanel(X(8), Y(66), X(286) - X(8), Y(404) - Y(66));
  const QRect readout(X(14), Y(250), X(280) - X(14), Y(304) - Y(250));
  const QRect dock(0, Y(406), w, h - Y(406));
  const QRect right(X(296), Y(66), w - X(8) - X(296), Y(404) - Y(66));

  // --- Top bar ---------------------------------------------------------------------------------------
  {
    const int barInner = topBar.height() - 2 * std::max(2, Y(8));
    const int dateWidth = tiny ? X(200) : X(250);
    Element date = Display(QStringLiteral("DISPLAY-DATE"),
                           QRect(X(16), (topBar.height() - barInner) / 2, dateWidth, barInner), T(22), kDate,
                           QStringLiteral("Left"));
    date.action = QStringLiteral("GO-CALENDAR");
    out.push_back(date);
    const int messageLeft = X(16) + dateWidth + m;
    out.push_back(Display(QStringLiteral("DISPLAY-MESSAGE"),
                          QRect(messageLeft, (topBar.height() - barInner) / 2, timeWell.left() - m - messageLeft,
                                barInner),
                          T(17), kMessage, tiny ? QStringLiteral("Left") : QStringLiteral("Center")));
    Element time = Display(QStringLiteral("DISPLAY-TIME"), timeWell.adjusted(2, 1, -2, -1),
                           std::max(least, std::min(timeWell.height() - 10, static_cast<int>(std::lround(40 * k)))),
                           kWhite, QStringLiteral("Center"));
    time.action = QStringLiteral("GO-CLOCK");
    time.fontName = QStringLiteral("NanumGothic");
    out.push_back(time);
  }

  // --- GPS panel: the speed dial, the compass with its read-outs beside it, the position under them,
  // the GPS buttons at the bottom --------------------------------------------------------------------
  {
    const QString speedFace = art.Single(QStringLiteral("gauge_speed.png"), DrawSpeedDial(0, false));
    const QString courseFace = art.Single(QStringLiteral("gauge_course.png"), DrawCompass(0, false));
    const int above = readout.top() - gpsPanel.top() - 2 * m;
    const int dial = std::min(static_cast<int>(gpsPanel.width() * 0.63), above);
    const QRect gauge(gpsPanel.left() + m, gpsPanel.top() + m + (above - dial) / 2, dial, dial);
    Element speedGauge;
    speedGauge.action = QStringLiteral("GPS-SPEED");
    speedGauge.motion = QStringLiteral("GAUGE-SPEED");
    speedGauge.textAlign = QStringLiteral("Center");
    speedGauge.pictures = {speedFace, QString()};
    speedGauge.rect = gauge;
    speedGauge.wave = beep;
    out.push_back(speedGauge);
    const double scale = static_cast<double>(dial) / kSpeedDialSize;
    const QRect window(gauge.x() + static_cast<int>(std::lround(kSpeedWindow.x() * scale)),
                       gauge.y() + static_cast<int>(std::lround(kSpeedWindow.y() * scale)),
                       static_cast<int>(std::lround(kSpeedWindow.width() * scale)),
                       static_cast<int>(std::lround(kSpeedWindow.height() * scale)));
    out.push_back(Display(QStringLiteral("DISPLAY-SPEED"), window,
                          std::max(13, std::min(window.height() - 2, static_cast<int>(std::lround(26 * k)))), kWhite,
                          QStringLiteral("Center")));

    const QRect column(gauge.right() + 1 + m / 2, gpsPanel.top() + m, gpsPanel.right() - m / 2 - gauge.right(),
                       above);
    const int readoutSize = T(16);
    const int rowHeight = readoutSize + std::max(2, Y(6));
    // The compass leaves room under it for the three read-outs.
    const int compass = std::min({column.width() - 4, static_cast<int>(std::lround(dial * 92.0 / 176.0)),
                                  column.bottom() - gauge.top() - m - 3 * rowHeight - 2});
    Element courseGauge;
    courseGauge.motion = QStringLiteral("GAUGE-COURSE");
    courseGauge.textAlign = QStringLiteral("Center");
    courseGauge.pictures = {courseFace, QString()};
    courseGauge.rect = QRect(column.left() + (column.width() - compass) / 2, gauge.top() + m, compass, compass);
    out.push_back(courseGauge);
    const int free = column.bottom() - courseGauge.rect.bottom() - 3 * rowHeight;
    QRect row(column.left(), courseGauge.rect.bottom() + 1 + std::max(1, free / 2), column.width(), rowHeight);
    for (const char* motion : {"DISPLAY-COURSE", "DISPLAY-ALTITUDE", "DISPLAY-HDOP"}) {
      out.push_back(Display(QString::fromLatin1(motion), row, readoutSize, kReadout, QStringLiteral("Center")));
      row.translate(0, rowHeight);
    }
    const int lineHeight = readout.height() / 2;
    const QRect latitude(readout.left() + m, readout.top(), readout.width() - 2 * m, lineHeight);
    const int positionSize = std::max(13, std::min(lineHeight, T(17)));
    out.push_back(Display(QStringLiteral("DISPLAY-LATITUDE"), latitude, positionSize, kReadout, QStringLiteral("Left")));
    out.push_back(Display(QStringLiteral("DISPLAY-LONGITUDE"), latitude.translated(0, lineHeight), positionSize,
                          kReadout, QStringLiteral("Left")));

    const QRect buttons(gpsPanel.left() + m, readout.bottom() + 1 + m, gpsPanel.width() - 2 * m,
                        gpsPanel.bottom() - readout.bottom() - 2 * m);
    const int half = (buttons.width() - m) / 2;
    const int caption = T(16);
    const int chip = std::max(16, std::min({half / 2, buttons.height() - (tiny ? 6 : caption + 10),
                                            static_cast<int>(std::lround(48 * k))}));
    out.push_back(Button(QStringLiteral("GPS-SPEED"), tiny ? QString() : QStringLiteral("GPS"),
                         art.Chip(QStringLiteral("gps"), Glyph::kGps, kGpsGreen, chip),
                         QRect(buttons.left(), buttons.top(), half, buttons.height()), caption, beep));
    out.push_back(Button(QStringLiteral("GPS-TIME"), tiny ? QString() : QStringLiteral("GPS time"),
                         art.Chip(QStringLiteral("gpstime"), Glyph::kGpsTime, kGpsGreen, chip),
                         QRect(buttons.right() + 1 - half, buttons.top(), half, buttons.height()), caption, click));
  }

  // --- Program tiles, the picture place and the list buttons ---------------------------------------------
  {
    const int listHeight = std::max(26, Y(68));
    const QRect tiles(right.left(), right.top(), right.width(), right.height() - listHeight - m);
    const bool wideScreen = w * 3 > h * 4 + w / 10;  // 16:9 and 5:3, not 4:3
    const int columns = wideScreen ? 4 : 3;
    const int rows = wideScreen ? 2 : 3;
    const int cellW = (tiles.width() - (columns - 1) * m) / columns;
    const int cellH = (tiles.height() - (rows - 1) * m) / rows;
    auto cell = [&](int col, int row, int span = 1) {
      return QRect(tiles.left() + col * (cellW + m), tiles.top() + row * (cellH + m), cellW * span + (span - 1) * m,
                   cellH);
    };
    struct Tile {
      const char* action;
      const char* text;
      const char* name;
      Glyph glyph;
      QColor accent;
    };
    const Tile list[] = {{"RUN-NAVIGATION", "Navigation", "navi", Glyph::kNavigation, kNaviBlue},
                         {"RUN-MP3", "Music", "music", Glyph::kMusic, kMusicOrange},
                         {"RUN-MOVIE", "Movies", "movie", Glyph::kMovie, kMovieRed},
                         {"RUN-DMB", "DMB TV", "dmb", Glyph::kTv, kTvViolet},
                         {"RUN-FLASH", "Flash", "flash", Glyph::kFlash, kFlashAmber},
                         {"SEL-APPLICATION", "Programs", "apps", Glyph::kApps, kAppsTeal}};
    const int tileCaption = T(18);
    const int icon = std::max(16, std::min(static_cast<int>(cellW * 0.66), cellH - (tiny ? 8 : tileCaption + 20)));
    for (int i = 0; i < 6; ++i) {
      const QRect rect = cell(i % columns, i / columns);
      const Tile& t = list[i];
      Element e = Button(QString::fromLatin1(t.action), tiny ? QString() : QString::fromLatin1(t.text),
                         art.SeeThroughTile(QString::fromLatin1(t.name), t.glyph, t.accent, icon), rect,
                         tileCaption, tap);
      // Drawn by their alpha, with soft edges and a shadow; the key colour is left for skins without.
      e.transColor = QStringLiteral("255,0,255");
      out.push_back(e);
    }
    // The picture place takes what is left of the last row.
    const QRect place = wideScreen ? cell(2, 1, 2) : cell(0, 2, 3);
    Element picture;
    picture.action = QStringLiteral("GO-IMAGEVIEW");
    picture.motion = QStringLiteral("DISPLAY-PICTURE1");
    picture.textAlign = QStringLiteral("Center");
    picture.transColor = QStringLiteral("255,0,255");
    picture.pictures = {art.Single(QStringLiteral("photo_frame_%1x%2.png").arg(place.width()).arg(place.height()),
                                   DrawPhotoFrame(place.size())),
                        QString()};
    picture.rect = place;
    picture.wave = tap;
    out.push_back(picture);

    struct Chip {
      const char* action;
      const char* text;
      const char* name;
      Glyph glyph;
      QColor accent;
    };
    const Chip chips[] = {{"SEL-MP3", "Songs", "songs", Glyph::kSongs, kMusicOrange},
                          {"SEL-MOVIE", "Videos", "videos", Glyph::kVideos, kMovieRed},
                          {"SEL-FLASH", "Flash", "flashlist", Glyph::kFlashList, kFlashAmber},
                          {"SEL-GAME", "Games", "games", Glyph::kGames, kGamesGreen},
                          {"SEL-SYSTEM", "System", "system", Glyph::kSystem, kSystemSlate},
                          {"RUN-TOOLBAR", "Toolbar", "toolbar", Glyph::kToolbar, kToolCyan},
                          {"GO-TASKMAN", "Tasks", "tasks", Glyph::kTasks, kTasksGold}};
    const int gap = std::max(2, m / 2);
    const int chipW = (right.width() - 6 * gap) / 7;
    const bool chipCaptions = chipW >= 60;
    const int chipCaption = std::min(T(16), 18);
    const int chipIcon = std::max(14, std::min(static_cast<int>(chipW * 0.55),
                                               listHeight - (chipCaptions ? chipCaption + 12 : 6)));
    for (int i = 0; i < 7; ++i) {
      const QRect rect(right.left() + i * (chipW + gap), right.bottom() + 1 - listHeight, chipW, listHeight);
      const Chip& c = chips[i];
      out.push_back(Button(QString::fromLatin1(c.action), chipCaptions ? QString::fromLatin1(c.text) : QString(),
                           art.Chip(QString::fromLatin1(c.name), c.glyph, c.accent, chipIcon), rect, chipCaption,
                           click));
    }
  }

  // --- Dock ----------------------------------------------------------------------------------------------
  {
    struct Dock {
      const char* action;
      const char* text;
      const char* name;
      Glyph glyph;
      bool shared;
    };
    // Words short enough for 16-pixel captions under a dock button.
    const Dock list[] = {{"GO-CLOCK", "Clock", "clock", Glyph::kClock, true},
                         {"GO-CALENDAR", "Dates", "calendar", Glyph::kCalendar, true},
                         {"PIC-PREV", "< Pic", "picprev", Glyph::kPicturePrev, false},
                         {"PIC-NEXT", "Pic >", "picnext", Glyph::kPictureNext, false},
                         {"BGND-PREV", "< Bg", "prev", Glyph::kBackPrev, true},
                         {"BGND-CHANGE", "Bg list", "backdrop", Glyph::kBackdrop, false},
                         {"BGND-NEXT", "Bg >", "next", Glyph::kBackNext, true},
                         {"SKIN-EDIT", "Edit", "skinedit", Glyph::kSkinEdit, false},
                         {"SKIN-CHANGE", "Skins", "skins", Glyph::kSkins, false},
                         {"GO-CONFIG", "Setup", "settings", Glyph::kSettings, true},
                         {"GO-TASKBAR", "Taskbar", "taskbar", Glyph::kTaskbar, false},
                         {"GO-EXIT", "Exit", "exit", Glyph::kExit, true}};
    const int gap = std::max(2, m / 2);
    const int inner = dock.height() - 2 * std::max(2, Y(4));
    const int cellW = (w - 2 * m - 11 * gap) / 12;
    // Captions where eight letters of 16 pixels fit under the icon.
    const bool captions = cellW >= 60;
    const int caption = std::min(T(16), 18);
    const int icon = std::max(14, std::min(static_cast<int>(cellW * 0.5), inner - (captions ? caption + 10 : 6)));
    for (int i = 0; i < 12; ++i) {
      const QRect rect(m + i * (cellW + gap), dock.top() + (dock.height() - inner) / 2, cellW, inner);
      const Dock& d = list[i];
      const bool exit = QLatin1String(d.action) == QLatin1String("GO-EXIT");
      out.push_back(Button(QString::fromLatin1(d.action), captions ? QString::fromLatin1(d.text) : QString(),
                           art.Bare(QString::fromLatin1(d.name), d.glyph, icon, d.shared), rect, caption,
                           exit ? beep : (d.shared ? tick : click)));
    }
  }
  return skin;
}

}  // namespace skingen
