// vexa_skingen: paints the demo device's skins, pictures and sounds and writes its settings, media and
// shortcut files into a device tree.
//
//   vexa_skingen <device folder> [<preview folder>]
//
// The device folder receives "Storage Card/..." (the launcher's folder, skins, media); the optional
// preview folder receives pictures of the skins at every screen size they are meant for, for checking
// the layouts by eye. Every run writes the same bytes, so the output can be kept under version control
// and rebuilt after a change.

#include <QByteArray>
#include <QFont>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "ArtBook.h"
#include "Canvas.h"
#include "Gauges.h"
#include "Scenes.h"
#include "SkinFile.h"
#include "Skins.h"
#include "Sounds.h"

namespace skingen {
namespace {

const QSize kWide(800, 480);
const QSize kSmall(480, 272);
const QSize kCompact(640, 480);
const QSize kPhoto(640, 384);

// A text file in the device's form: ASCII with CR LF line ends.
QByteArray DeviceText(std::initializer_list<const char*> lines) {
  QByteArray out;
  for (const char* line : lines) out += QByteArray(line) + "\r\n";
  return out;
}

// A shortcut file: the length of the command line, "#", and the command line: the quoted target,
// then, when given, the quoted arguments.
QByteArray Shortcut(const QString& target, const QString& arguments = {}) {
  QString command = QLatin1Char('"') + target + QLatin1Char('"');
  if (!arguments.isEmpty()) command += QStringLiteral(" \"") + arguments + QLatin1Char('"');
  return QByteArray::number(command.size()) + '#' + command.toLatin1();
}

// What the live displays show in the pictures of the skins.
PreviewValues Preview(bool wide) {
  PreviewValues values;
  values.captions = {{QStringLiteral("DISPLAY-DATE"), QStringLiteral("2026.12.08 Tue")},
                     {QStringLiteral("DISPLAY-TIME"), QStringLiteral("14:27:05")},
                     {QStringLiteral("DISPLAY-MESSAGE"), QStringLiteral("Drive safely and enjoy the ride.")},
                     {QStringLiteral("DISPLAY-SPEED"), QStringLiteral("68")},
                     {QStringLiteral("DISPLAY-COURSE"), QStringLiteral("045 deg")},
                     {QStringLiteral("DISPLAY-ALTITUDE"), QStringLiteral("ALT 38 m")},
                     {QStringLiteral("DISPLAY-HDOP"), QStringLiteral("HDOP 0.9")},
                     {QStringLiteral("DISPLAY-LATITUDE"), QStringLiteral("LAT  37:33:14.06")},
                     {QStringLiteral("DISPLAY-LONGITUDE"), QStringLiteral("LON 126:58:41.52")}};
  if (!wide) values.captions[QStringLiteral("DISPLAY-MESSAGE")] = QStringLiteral("Drive safely!");
  values.frames = {{QStringLiteral("GAUGE-SPEED"), DrawSpeedDial(70, true)},
                   {QStringLiteral("GAUGE-COURSE"), DrawCompass(45, true)},
                   {QStringLiteral("DISPLAY-PICTURE1"), SunsetCoast(kPhoto)}};
  return values;
}

class DeviceWriter {
 public:
  DeviceWriter(const QString& device, const QString& previews)
      : card_(device + QStringLiteral("/Storage Card")),
        deck_(card_ + QStringLiteral("/VexaDeck")),
        skins_(deck_ + QStringLiteral("/Skin")),
        // One host folder serves both spellings the launcher uses for it ("_Common", "_common").
        common_(skins_ + QStringLiteral("/_common")),
        previews_(previews) {}

  bool Run() {
    Settings();
    Launcher();
    Common();
    DefaultSkinFiles();
    CompactSkinFiles();
    Media();
    Shortcuts();
    Toolbar();
    ProgramIcons();
    if (!previews_.isEmpty()) ScenesSheet();
    return ok_;
  }

 private:
  void Check(bool written) { ok_ = written && ok_; }

  void Settings() {
    Check(SaveBytes(DeviceText({"[Main]",
                                "AutoRun=",
                                "AutoRunDelay=30",
                                "AutoWindow=N",
                                "AutoToolbar=N",
                                "StartShowTaskBar=",
                                "ExitShowTaskBar=",
                                "ScreenSizeMode=FITSIZE",
                                "ScreenSize=",
                                "",
                                "[Program]",
                                "Navigation=\\%STORAGE%\\Navi\\navi.exe",
                                "Toolbar=\\%STORAGE%\\VexaDeck\\VexaToolbar.exe",
                                "MoviePlayer=\\%STORAGE%\\Players\\movie.exe",
                                "MP3Player=\\%STORAGE%\\Players\\mp3.exe",
                                "FlashPlayer=\\%STORAGE%\\Players\\flash.exe",
                                "DMBPlayer=\\%STORAGE%\\Players\\dmb.exe",
                                "",
                                "[Skin]",
                                "SkinName=Default",
                                "BgndAutoChange=Y",
                                "BgndChangeTime=60",
                                "",
                                "[ImageViewer]",
                                "RefreshTime=5",
                                "LogoDispTime=7",
                                "",
                                "[Gps]",
                                "GpsPort=COM1:",
                                "GpsSpeed=4800",
                                "Emulation=Y",
                                "SirfToNmea=N",
                                "AutoGpsTime=N",
                                "AutoSpeedGauge=Y"}),
                    deck_ + QStringLiteral("/VexaDeck.ini")));
  }

  // The launcher's own files besides its settings: the slide show's logo, the intro sound and the
  // clock window's settings and pictures.
  void Launcher() {
    Check(SavePng(Logo(QSize(480, 288)), deck_ + QStringLiteral("/logo.png")));
    Check(SaveBytes(IntroWave(), deck_ + QStringLiteral("/intro.wav")));
    const QString clock = deck_ + QStringLiteral("/Clock");
    Check(SaveBytes(
        DeviceText({"[Main]", "DayightImage=day.jpg", "NightImage=night.jpg", "DateLightColor=30,50,80",
                    "DateNightColor=210,225,255", "TimeLightColor=15,25,45", "TimeNightColor=255,255,255",
                    "AmPmLightColor=30,50,80", "AmPmNightColor=180,200,240", "MessageLightColor=40,70,110",
                    "MessageNightColor=150,200,255", "",
                    // The first and the last day hour of each month, as the sun rises and sets in Seoul.
                    "[DaylightTime]", "01_Sunrise=8", "01_Sunset=17", "02_Sunrise=7", "02_Sunset=18",
                    "03_Sunrise=7", "03_Sunset=18", "04_Sunrise=6", "04_Sunset=19", "05_Sunrise=5",
                    "05_Sunset=19", "06_Sunrise=5", "06_Sunset=19", "07_Sunrise=5", "07_Sunset=19",
                    "08_Sunrise=6", "08_Sunset=19", "09_Sunrise=6", "09_Sunset=18", "10_Sunrise=7",
                    "10_Sunset=17", "11_Sunrise=7", "11_Sunset=17", "12_Sunrise=8", "12_Sunset=17", "",
                    "[Anniversary]", "Default=Drive safely and enjoy the ride.", "20080314=Happy White Day!",
                    "20261225=Merry Christmas!", "20261225_Image=christmas.jpg", "20270101=Happy New Year!"}),
        clock + QStringLiteral("/default.ini")));
    Check(SaveJpg(ClockDay(kWide), clock + QStringLiteral("/day.jpg"), 85));
    Check(SaveJpg(ClockNight(kWide), clock + QStringLiteral("/night.jpg"), 85));
    Check(SaveJpg(ClockChristmas(kWide), clock + QStringLiteral("/christmas.jpg"), 85));
  }

  void Common() {
    Check(SaveJpg(Graphite(kWide), common_ + QStringLiteral("/background/graphite.jpg")));
    Check(SaveJpg(Dusk(kWide), common_ + QStringLiteral("/background/dusk.jpg")));
    Check(SaveBytes(ClickWave(), common_ + QStringLiteral("/wave/click.wav")));
    Check(SaveBytes(TickWave(), common_ + QStringLiteral("/wave/tick.wav")));
  }

  void DefaultSkinFiles() {
    const QString dir = skins_ + QStringLiteral("/Default");
    ArtBook art;
    const SkinFile wide = DefaultSkin(DeckScreen::k800x480, art);
    const SkinFile small = DefaultSkin(DeckScreen::k480x272, art);
    Check(SaveBytes(SkinIni(wide), dir + QStringLiteral("/skin800x480.ini")));
    Check(SaveBytes(SkinIni(small), dir + QStringLiteral("/skin480x272.ini")));
    // The other common screens, each laid out for its own size.
    std::vector<std::pair<QSize, SkinFile>> laidOut;
    for (const QSize& screen : kLaidOutScreens) {
      laidOut.emplace_back(screen, DefaultSkinFor(screen, art));
      Check(SaveBytes(SkinIni(laidOut.back().second),
                      dir + QStringLiteral("/skin%1x%2.ini").arg(screen.width()).arg(screen.height())));
    }

    QImage backgrounds[] = {NightRoad(kWide), Carbon(kWide), Aurora(kWide)};
    const char* names[] = {"night.jpg", "carbon.jpg", "aurora.jpg"};
    for (int i = 0; i < 3; ++i) {
      DrawDeckPanels(backgrounds[i]);
      Check(SaveJpg(backgrounds[i], dir + QStringLiteral("/background/") + QLatin1String(names[i])));
    }

    for (int v = 0; v <= kTopSpeed; v += 5) {
      Check(SavePng(DrawSpeedDial(v, true),
                    dir + QStringLiteral("/gauge/speed%1.png").arg(v, 3, 10, QLatin1Char('0'))));
    }
    for (int v = 0; v < 360; v += 5) {
      Check(SavePng(DrawCompass(v, true),
                    dir + QStringLiteral("/gauge/course%1.png").arg(v, 3, 10, QLatin1Char('0'))));
    }
    Check(SaveBytes(TapWave(), dir + QStringLiteral("/wave/tap.wav")));
    Check(SaveBytes(BeepWave(), dir + QStringLiteral("/wave/beep.wav")));
    Check(art.WriteAll(dir, common_));

    Check(SavePng(RenderPreview(wide, backgrounds[0], art, kWide, Preview(true)),
                  dir + QStringLiteral("/screenshot.png")));
    if (!previews_.isEmpty()) {
      Check(SavePng(art.ContactSheet(2), previews_ + QStringLiteral("/Default-pictures.png")));
      Check(SavePng(RenderPreview(small, backgrounds[0], art, kSmall, Preview(false)),
                    previews_ + QStringLiteral("/Default-480x272.png")));
      for (const auto& [screen, file] : laidOut) {
        QImage backdrop = NightRoad(screen);
        DrawDeckPanels(backdrop);
        Check(SavePng(RenderPreview(file, backdrop, art, screen, Preview(screen.width() >= 640)),
                      previews_ + QStringLiteral("/Default-%1x%2.png").arg(screen.width()).arg(screen.height())));
      }
      for (int i = 1; i < 3; ++i) {
        Check(SavePng(RenderPreview(wide, backgrounds[i], art, kWide, Preview(true)),
                      previews_ + QStringLiteral("/Default-800x480-%1.png").arg(QLatin1String(names[i]))));
      }
    }
  }

  void CompactSkinFiles() {
    const QString dir = skins_ + QStringLiteral("/Compact");
    ArtBook art;
    const SkinFile skin = CompactSkin(art);
    Check(SaveBytes(SkinIni(skin), dir + QStringLiteral("/skin640x480.ini")));
    Check(art.WriteAll(dir, common_));
    PreviewValues values;
    values.captions = {
        {QStringLiteral("DISPLAY-TIME"), QStringLiteral("14:27")},
        {QStringLiteral("DISPLAY-DATE"), QStringLiteral("Tuesday, December 8")},
        {QStringLiteral("DISPLAY-MESSAGE"), QStringLiteral("Drive safely and enjoy the ride.")}};
    const QImage background = Dusk(kWide);
    Check(SavePng(RenderPreview(skin, background, art, kCompact, values),
                  dir + QStringLiteral("/screenshot.png")));
    if (!previews_.isEmpty()) {
      // What the launcher makes of it on other screens: positions scaled, pictures stretched.
      for (const QSize& screen : {kWide, kSmall}) {
        SkinFile scaled = skin;
        scaled.fitImageSize = true;
        for (Element& e : scaled.elements) {
          const int left = e.rect.left() * screen.width() / kCompact.width();
          const int top = e.rect.top() * screen.height() / kCompact.height();
          const int right = (e.rect.left() + e.rect.width()) * screen.width() / kCompact.width();
          const int bottom = (e.rect.top() + e.rect.height()) * screen.height() / kCompact.height();
          e.rect = QRect(left, top, right - left, bottom - top);
          e.textSize = std::max(13, e.textSize * screen.width() / kCompact.width());
        }
        Check(SavePng(
            RenderPreview(scaled, background, art, screen, values),
            previews_ + QStringLiteral("/Compact-%1x%2.png").arg(screen.width()).arg(screen.height())));
      }
    }
  }

  // The large pictures side by side at half size, for checking them by eye.
  void ScenesSheet() {
    const QImage scenes[] = {SunsetCoast(kPhoto), MountainLake(kPhoto),  CityNight(kPhoto),
                             ForestRoad(kPhoto),  DesertHighway(kPhoto), Logo(kPhoto),
                             ClockDay(kPhoto),    ClockNight(kPhoto),    Graphite(kPhoto)};
    QImage sheet(3 * 320, 3 * 192, QImage::Format_RGB32);
    QPainter p(&sheet);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    for (int i = 0; i < 9; ++i) p.drawImage(QRect((i % 3) * 320, (i / 3) * 192, 320, 192), scenes[i]);
    p.end();
    Check(SavePng(sheet, previews_ + QStringLiteral("/scenes.png")));
  }

  void Media() {
    const QString pictures = card_ + QStringLiteral("/그림파일");
    Check(SaveJpg(SunsetCoast(kPhoto), pictures + QStringLiteral("/Sunset Coast.jpg"), 85));
    Check(SaveJpg(MountainLake(kPhoto), pictures + QStringLiteral("/Mountain Lake.jpg"), 85));
    Check(SaveJpg(CityNight(kPhoto), pictures + QStringLiteral("/City Night.jpg"), 85));
    Check(SaveJpg(ForestRoad(kPhoto), pictures + QStringLiteral("/Forest Road.jpg"), 85));
    Check(SavePng(DesertHighway(QSize(480, 288)), pictures + QStringLiteral("/Desert Highway.png")));

    // The players and lists only look at the names; each file starts like its kind. The top folders
    // hold more than one page of the media list (20 rows) and folders two levels deep.
    const QByteArray mp3("ID3\x03\x00\x00\x00\x00\x00\x00", 10);
    const QString music = card_ + QStringLiteral("/음악파일");
    for (const char* name : {"01 Highway Sunrise.mp3",
                             "02 Night Drive.mp3",
                             "03 Coastal Road.mp3",
                             "04 City Lights.mp3",
                             "05 Open Window.mp3",
                             "06 한강 야경.mp3",
                             "07 Rest Area.mp3",
                             "08 Tunnel Vision.mp3",
                             "09 바닷길.mp3",
                             "10 Morning Commute.mp3",
                             "11 Traffic Jam Blues.mp3",
                             "12 고속도로 위에서.mp3",
                             "13 Mountain Curves.mp3",
                             "14 Radio Static.mp3",
                             "15 별빛 드라이브.mp3",
                             "16 Long Way Home.mp3",
                             "17 Rainy Wipers.mp3",
                             "18 첫눈 오는 길.mp3",
                             "19 Cruise Control.mp3",
                             "20 Neon Signs.mp3",
                             "21 가을 국도.mp3",
                             "22 Last Exit.mp3",
                             "23 Midnight Toll Gate.mp3",
                             "24 새벽 출발.mp3",
                             "Jazz/01 Blue Tunnel.mp3",
                             "Jazz/02 Rain on the Roof.mp3",
                             "Jazz/03 Slow Lane.mp3",
                             "Jazz/04 Late Exit Swing.mp3",
                             "가요/발라드/01 그 길 위에서.mp3",
                             "가요/발라드/02 비 오는 날.mp3",
                             "가요/발라드/03 다시 만나.mp3",
                             "가요/댄스/01 Turn Signal.mp3",
                             "가요/댄스/02 신호등.mp3",
                             "가요/댄스/03 Full Speed.mp3",
                             "Classic/01 Morning Mood.mp3",
                             "Classic/02 Spring.mp3"}) {
      Check(SaveBytes(mp3, music + QLatin1Char('/') + QString::fromUtf8(name)));
    }
    const QByteArray avi(
        "RIFF\x04\x00\x00\x00"
        "AVI ",
        12);
    const QByteArray mp4(
        "\x00\x00\x00\x0c"
        "ftypisom",
        12);
    const QByteArray asf("\x30\x26\xb2\x75\x8e\x66\xcf\x11\xa6\xd9\x00\xaa\x00\x62\xce\x6c", 16);
    const QByteArray mkv("\x1a\x45\xdf\xa3", 4);  // EBML
    const QByteArray mpg("\x00\x00\x01\xba", 4);  // MPEG program stream pack
    const QByteArray ogm("OggS\x00\x02", 6);
    const QString movies = card_ + QStringLiteral("/영화파일");
    const std::pair<const char*, const QByteArray*> films[] = {{"Road Trip.avi", &avi},
                                                               {"Mountain Pass.mp4", &mp4},
                                                               {"Tunnel Timelapse.wmv", &asf},
                                                               {"Airport Run.mp4", &mp4},
                                                               {"Bridge at Dawn.mkv", &mkv},
                                                               {"Car Wash.avi", &avi},
                                                               {"City Loop.wmv", &asf},
                                                               {"Coastal Highway.mkv", &mkv},
                                                               {"Desert Crossing.divx", &avi},
                                                               {"Drive-In Night.mpg", &mpg},
                                                               {"고속도로 풍경.mp4", &mp4},
                                                               {"남해 드라이브.mkv", &mkv},
                                                               {"도심 야경.avi", &avi},
                                                               {"제주 해안도로.mp4", &mp4},
                                                               {"설악산 단풍길.wmv", &asf},
                                                               {"Ferry Crossing.asf", &asf},
                                                               {"Gas Station.avi", &avi},
                                                               {"Harbour Lights.mp4", &mp4},
                                                               {"Rally Highlights.divx", &avi},
                                                               {"Snow Chains.wm", &asf},
                                                               {"Toll Gate.ogm", &ogm},
                                                               {"Winding Road.mkv", &mkv},
                                                               {"드라마/시즌 1/01화.mkv", &mkv},
                                                               {"드라마/시즌 1/02화.mkv", &mkv},
                                                               {"드라마/시즌 1/03화.mkv", &mkv},
                                                               {"드라마/시즌 2/01화.mkv", &mkv},
                                                               {"드라마/시즌 2/02화.mkv", &mkv},
                                                               {"Documentary/Ocean Roads.mp4", &mp4},
                                                               {"Documentary/Mountain Passes.avi", &avi}};
    for (const auto& [name, bytes] : films) {
      Check(SaveBytes(*bytes, movies + QLatin1Char('/') + QString::fromUtf8(name)));
    }
    const QString flash = card_ + QStringLiteral("/플래시파일");
    const QByteArray swf("FWS\x06\x08\x00\x00\x00", 8);
    for (const char* name : {"Clock.swf", "Puzzle.swf", "Racing.swf"}) {
      Check(SaveBytes(swf, flash + QLatin1Char('/') + QLatin1String(name)));
    }
  }

  void Shortcuts() {
    const QString programs = deck_ + QStringLiteral("/Programs/");
    Check(SaveBytes(Shortcut(QStringLiteral("\\Storage Card\\Navi\\navi.exe")),
                    programs + QStringLiteral("Navigation.lnk")));
    Check(SaveBytes(Shortcut(QStringLiteral("\\Storage Card\\Players\\mp3.exe")),
                    programs + QStringLiteral("Music Player.lnk")));
    Check(SaveBytes(Shortcut(QStringLiteral("\\Storage Card\\Players\\movie.exe")),
                    programs + QStringLiteral("Movie Player.lnk")));
    Check(SaveBytes(Shortcut(QStringLiteral("\\Storage Card\\Players\\dmb.exe")),
                    programs + QStringLiteral("DMB TV.lnk")));
    Check(SaveBytes(Shortcut(QStringLiteral("\\Storage Card\\Players\\flash.exe")),
                    programs + QStringLiteral("Flash Player.lnk")));
    // Small programs of the demo device, each a stand-in placed by demo/CMakeLists.txt: with them the
    // list holds more than one page (12 buttons).
    const std::pair<const char*, const char*> tools[] = {
        {"계산기", "\\Storage Card\\Programs\\Calculator\\calc.exe"},
        {"전자사전", "\\Storage Card\\Programs\\Dictionary\\dict.exe"},
        {"E-Book Reader", "\\Storage Card\\Programs\\EBook\\ebook.exe"},
        {"Photo Viewer", "\\Storage Card\\Programs\\PhotoViewer\\viewer.exe"},
        {"Voice Recorder", "\\Storage Card\\Programs\\Recorder\\recorder.exe"},
        {"지하철노선도", "\\Storage Card\\Programs\\SubwayMap\\subway.exe"},
        {"FM Radio", "\\Storage Card\\Programs\\Radio\\radio.exe"},
        {"메모장", "\\Storage Card\\Programs\\Notes\\notes.exe"}};
    for (const auto& [name, target] : tools) {
      Check(SaveBytes(Shortcut(QString::fromUtf8(target)),
                      programs + QString::fromUtf8(name) + QStringLiteral(".lnk")));
    }
    const QString games = deck_ + QStringLiteral("/Games/");
    const QString flashPlayer = QStringLiteral("\\Storage Card\\Players\\flash.exe");
    Check(SaveBytes(Shortcut(flashPlayer, QStringLiteral("Racing")), games + QStringLiteral("Racing.lnk")));
    Check(SaveBytes(Shortcut(flashPlayer, QStringLiteral("Puzzle")), games + QStringLiteral("Puzzle.lnk")));
    const QString system = deck_ + QStringLiteral("/System/");
    Check(SaveBytes(Shortcut(QStringLiteral("\\Storage Card\\VexaDeck\\VexaToolbar.exe")),
                    system + QStringLiteral("Toolbar.lnk")));
    Check(SaveBytes(Shortcut(QStringLiteral("\\Storage Card\\VexaDeck\\VexaGPSTime.exe")),
                    system + QStringLiteral("GPS Time.lnk")));
    Check(SaveBytes(Shortcut(QStringLiteral("\\Storage Card\\VexaDeck\\VexaLnkChk.exe")),
                    system + QStringLiteral("Shortcut Check.lnk")));
  }

  // The toolbar's settings: every button shown, its five program buttons on the demo's programs
  // (their windows are titled with their file names), its groups on the launcher's shortcut folders.
  void Toolbar() {
    Check(SaveBytes(DeviceText({"[Main]",
                                "XPosition=288",
                                "YPosition=0",
                                "Rotation=Horizontal",
                                "ButtonWidth=34",
                                "ButtonHeight=50",
                                "IconSize=32",
                                "ShowIconName=Y",
                                "IconMinimize=N",
                                "IconXPostion=766",
                                "IconYPostion=0",
                                "WindowsMode=N",
                                "",
                                "[Hotkey1]",
                                "ShowToolbar=Y",
                                "ShortName=Navi",
                                "Title=navi.exe",
                                "ExeFilePath=\\%STORAGE%\\Navi\\navi.exe",
                                "Execute=Y",
                                "ExecuteMessage=N",
                                "ToolbarMinimize=N",
                                "",
                                "[Hotkey2]",
                                "ShowToolbar=Y",
                                "ShortName=MP3",
                                "Title=mp3.exe",
                                "ExeFilePath=\\%STORAGE%\\Players\\mp3.exe",
                                "Execute=Y",
                                "ExecuteMessage=Y",
                                "ToolbarMinimize=N",
                                "",
                                "[Hotkey3]",
                                "ShowToolbar=Y",
                                "ShortName=Movie",
                                "Title=movie.exe",
                                "ExeFilePath=\\%STORAGE%\\Players\\movie.exe",
                                "Execute=Y",
                                "ExecuteMessage=N",
                                "ToolbarMinimize=Y",
                                "",
                                "[Hotkey4]",
                                "ShowToolbar=Y",
                                "ShortName=DMB",
                                "Title=dmb.exe",
                                "ExeFilePath=\\%STORAGE%\\Players\\dmb.exe",
                                "Execute=Y",
                                "ExecuteMessage=N",
                                "ToolbarMinimize=N",
                                "",
                                "[Hotkey5]",
                                "ShowToolbar=Y",
                                "ShortName=Flash",
                                "Title=flash.exe",
                                "ExeFilePath=\\%STORAGE%\\Players\\flash.exe",
                                "Execute=N",
                                "ExecuteMessage=N",
                                "ToolbarMinimize=N",
                                "",
                                "[Toolbar]",
                                "Task=Y",
                                "Clock=Y",
                                "ClockShow=Y",
                                "Kill=Y",
                                "KillMessage=Y",
                                "Minimize=Y",
                                "Close=Y",
                                "",
                                "[Program1]",
                                "ShowToolbar=Y",
                                "ShortName=Pgm",
                                "ProgramPath=\\%STORAGE%\\VexaDeck\\Programs",
                                "",
                                "[Program2]",
                                "ShowToolbar=Y",
                                "ShortName=Game",
                                "ProgramPath=\\%STORAGE%\\VexaDeck\\Games",
                                "",
                                "[Program3]",
                                "ShowToolbar=Y",
                                "ShortName=Sys",
                                "ProgramPath=\\%STORAGE%\\VexaDeck\\System",
                                "",
                                "[Run1]",
                                "Execute=N",
                                "ExeFilePath=\\%STORAGE%\\Navi\\navi.exe",
                                "",
                                "[Run2]",
                                "Execute=N",
                                "ExeFilePath=",
                                "",
                                "[Run3]",
                                "Execute=N",
                                "ExeFilePath=",
                                "",
                                "[GpsTime]",
                                "AutoGpsTime=N",
                                "GpsPort=COM1:",
                                "GpsSpeed=4800"}),
                    deck_ + QStringLiteral("/VexaToolbar.ini")));
  }

  // The icon files of the demo's programs, beside each program with its name: the toolbar's program
  // buttons show them. Each is 32 x 32 on white, which is also its see-through colour.
  void ProgramIcons() {
    struct Icon {
      const char* path;
      QColor color;
      const char* mark;
      int pixels;  // the mark's height
    };
    const Icon icons[] = {{"Navi/navi.png", QColor(38, 100, 206), "N", 18},
                          {"Players/mp3.png", QColor(44, 160, 72), "\u266B", 18},
                          {"Players/movie.png", QColor(214, 44, 40), "\u25B6", 15},
                          {"Players/dmb.png", QColor(132, 70, 190), "TV", 12},
                          {"Players/flash.png", QColor(240, 140, 30), "F", 18}};
    for (const Icon& icon : icons) {
      QImage image(32, 32, QImage::Format_RGB32);
      image.fill(Qt::white);
      QPainter painter(&image);
      Smooth(painter);
      painter.setPen(Qt::NoPen);
      painter.setBrush(icon.color);
      painter.drawRoundedRect(QRectF(2, 2, 28, 28), 6, 6);
      painter.setBrush(icon.color.lighter(130));
      painter.drawRoundedRect(QRectF(4, 4, 24, 11), 4, 4);
      painter.setPen(Qt::white);
      QFont font(QStringLiteral("DejaVu Sans"));
      font.setBold(true);
      font.setPixelSize(icon.pixels);
      painter.setFont(font);
      painter.drawText(QRectF(2, 2, 28, 28), Qt::AlignCenter, QString::fromUtf8(icon.mark));
      painter.end();
      Check(SavePng(image, card_ + QLatin1Char('/') + QLatin1String(icon.path)));
    }
  }

  QString card_, deck_, skins_, common_, previews_;
  bool ok_ = true;
};

// The captions and dial numbers use the Korean face the device carries; where it is installed on this
// machine it is loaded from there, so the pictures do not depend on the desktop's font settings.
void LoadFonts() {
  for (const char* file : {"/usr/share/fonts/truetype/nanum/NanumGothic.ttf",
                           "/usr/share/fonts/truetype/nanum/NanumGothicBold.ttf"}) {
    if (QFileInfo::exists(QString::fromLatin1(file)))
      QFontDatabase::addApplicationFont(QString::fromLatin1(file));
  }
  if (!QFontDatabase::hasFamily(QStringLiteral("NanumGothic"))) {
    std::fprintf(stderr, "vexa_skingen: the NanumGothic font is missing; texts use a fallback face\n");
  }
}

}  // namespace
}  // namespace skingen

int main(int argc, char** argv) {
  // Pictures only: no display is needed.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = QGuiApplication::arguments();
  if (args.size() < 2 || args.size() > 3) {
    std::fprintf(stderr, "usage: vexa_skingen <device folder> [<preview folder>]\n");
    return 2;
  }
  skingen::LoadFonts();
  skingen::DeviceWriter writer(args[1], args.size() > 2 ? args[2] : QString());
  if (!writer.Run()) return 1;
  std::printf("vexa_skingen: demo device written to %s\n", qPrintable(args[1]));
  return 0;
}
