#include "tools/skin/NewSkin.h"

#include <fstream>
#include <string_view>
#include <system_error>

#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QString>

namespace vexa::skintool {

namespace fs = std::filesystem;

namespace {

// The launcher skips every line without an equals sign, so the lines starting with ";" below explain
// the file without being read (they must never hold one).
constexpr std::string_view kSkinFile[] = {
    "; A skin file for an 800 x 480 screen: copy it to skin480x272.ini (and so on) and lay it out",
    "; again for each screen size your skin is for. Lines without an equals sign, like this one, are",
    "; skipped. Keep the CR LF line ends, and save Korean text as UTF-8 with the byte-order mark.",
    "",
    "[Main]",
    "; The face of every caption whose element names none (a family name, not a file name); fonts",
    "; of the skin go into its Font folder.",
    "DefaultFontName=",
    "",
    "[Background]",
    "; A picture of the background folder, stretched to the screen. A leading plus takes it from",
    "; the shared _Common folder instead.",
    "ImageFile=background.png",
    "",
    "[Format]",
    "; The time and date pictures (H hour, mm minutes, ddd short weekday, MMM short month) and the",
    "; speed in km/h as a printf-style pattern.",
    "Time=HH:mm",
    "Date=ddd d MMM yyyy",
    "Speed=%d km/h",
    "",
    "[BackPattern]",
    "; AUTO draws 88:88 in dark grey under the time, as on a segment display.",
    "Time=AUTO",
    "",
    "; Every section whose name begins with Button is one element, in file order (40 at most).",
    "; Position is the top-left corner x,y and Size the width,height in pixels of this screen; an",
    "; element without them takes those of the one above.",
    "[Button01]",
    "Motion=DISPLAY-TIME",
    "Action=GO-CLOCK",
    "TextSize=60",
    "TextColor=255,255,255",
    "TextHAlign=Right",
    "Position=500,16",
    "Size=280,72",
    "",
    "[Button02]",
    "Motion=DISPLAY-DATE",
    "Action=GO-CALENDAR",
    "TextSize=22",
    "TextColor=200,220,255",
    "TextHAlign=Right",
    "Position=500,88",
    "Size=280,32",
    "",
    "; A picture button: the picture at rest and pressed, from the button folder; the magenta",
    "; corners are see-through (TransColor Auto takes the colour of the top-left pixel). Botton puts",
    "; the caption under the picture.",
    "[Button03]",
    "Action=RUN-NAVIGATION",
    "Text=Navigation",
    "TextAlign=Botton",
    "TextSize=20",
    "UpImageFile=button.png",
    "DownImageFile=button_dn.png",
    "TransColor=Auto",
    "Position=40,160",
    "Size=160,164",
    "",
    "[Button04]",
    "Action=RUN-MP3",
    "Text=Music",
    "TextAlign=Botton",
    "TextSize=20",
    "UpImageFile=button.png",
    "DownImageFile=button_dn.png",
    "Position=230,160",
    "",
    "[Button05]",
    "Action=GO-CONFIG",
    "Text=Settings",
    "TextAlign=Botton",
    "TextSize=20",
    "UpImageFile=button.png",
    "DownImageFile=button_dn.png",
    "Position=420,160",
    "",
    "[Button06]",
    "Action=GO-EXIT",
    "Text=Exit",
    "TextAlign=Botton",
    "TextSize=20",
    "UpImageFile=button.png",
    "DownImageFile=button_dn.png",
    "Position=610,160",
    "",
    "; The GPS speed; a tap switches the GPS link on and off.",
    "[Button07]",
    "Motion=DISPLAY-SPEED",
    "Action=GPS-SPEED",
    "TextSize=36",
    "TextColor=255,220,120",
    "TextHAlign=Left",
    "Position=40,390",
    "Size=300,60",
};

bool WriteSkinFile(const fs::path& file) {
  std::ofstream out(file, std::ios::binary);
  for (const auto line : kSkinFile) out << line << "\r\n";
  return static_cast<bool>(out.flush());
}

QImage Background() {
  QImage image(800, 480, QImage::Format_RGB32);
  QPainter painter(&image);
  QLinearGradient sky(0, 0, 0, 480);
  sky.setColorAt(0, QColor(24, 48, 88));
  sky.setColorAt(1, QColor(8, 12, 24));
  painter.fillRect(image.rect(), sky);
  painter.fillRect(QRect(0, 360, 800, 2), QColor(60, 90, 140));
  return image;
}

// A rounded square on magenta, the key colour the launcher draws see-through.
QImage Button(bool pressed) {
  QImage image(128, 128, QImage::Format_RGB32);
  image.fill(QColor(255, 0, 255));
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  QPainterPath shape;
  shape.addRoundedRect(QRectF(4, 4, 120, 120), 24, 24);
  painter.fillPath(shape, pressed ? QColor(30, 90, 170) : QColor(50, 130, 220));
  painter.setPen(QPen(QColor(230, 240, 255), 3));
  painter.drawPath(shape);
  return image;
}

}  // namespace

bool MakeNewSkin(const fs::path& root, const std::string& name, std::string& error) {
  if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\:*?\"<>|") != std::string::npos ||
      name.front() == '_') {
    error = "\"" + name + "\" is not a skin name (a plain folder name, not starting with _)";
    return false;
  }
  const auto folder = root / name;
  std::error_code ec;
  if (fs::exists(folder, ec)) {
    error = folder.string() + " exists already";
    return false;
  }
  fs::create_directories(folder / "background", ec);
  fs::create_directories(folder / "button", ec);
  fs::create_directories(folder / "wave", ec);
  fs::create_directories(folder / "Font", ec);
  if (ec) {
    error = "cannot make " + folder.string() + ": " + ec.message();
    return false;
  }
  auto save = [&](const QImage& image, const fs::path& file) {
    if (image.save(QString::fromStdString(file.string()), "PNG")) return true;
    error = "cannot write " + file.string();
    return false;
  };
  if (!WriteSkinFile(folder / "skin800x480.ini")) {
    error = "cannot write " + (folder / "skin800x480.ini").string();
    return false;
  }
  const auto background = Background();
  return save(background, folder / "background" / "background.png") && save(Button(false), folder / "button" / "button.png") &&
         save(Button(true), folder / "button" / "button_dn.png") &&
         save(background.scaled(200, 120, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), folder / "screenshot.png");
}

}  // namespace vexa::skintool
