#include "tools/skin/SkinPreview.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>

#include "common/text/Text.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

namespace vexa::skintool {

namespace fs = std::filesystem;

namespace {

std::string SizeText(ScreenSize size) { return std::to_string(size.width) + "x" + std::to_string(size.height); }

std::optional<ScreenSize> ParseSize(std::string_view text) {
  const auto x = text.find_first_of("xX");
  if (x == std::string_view::npos) return std::nullopt;
  auto number = [](std::string_view digits) -> std::optional<int> {
    if (digits.empty() || digits.size() > 5) return std::nullopt;
    int value = 0;
    for (const char c : digits) {
      if (c < '0' || c > '9') return std::nullopt;
      value = value * 10 + (c - '0');
    }
    if (value < 16 || value > 8192) return std::nullopt;
    return value;
  };
  const auto w = number(text.substr(0, x));
  const auto h = number(text.substr(x + 1));
  if (!w || !h) return std::nullopt;
  return ScreenSize{*w, *h};
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
  return text;
}

// The entry of `folder` named `name` in any letter case, as the device's file system finds it.
std::optional<fs::path> FindNoCase(const fs::path& folder, const std::string& name) {
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (Lower(entry.path().filename().string()) == Lower(name)) return entry.path();
  }
  return std::nullopt;
}

// A scenario word in double quotes.
std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

// Runs the program with its output going to `output`; the exit code, or -1 when it could not run.
int Run(const std::vector<std::string>& arguments, const fs::path& output) {
  std::vector<char*> argv;
  for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  const pid_t child = fork();
  if (child < 0) return -1;
  if (child == 0) {
    const int fd = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) {
      dup2(fd, 1);
      dup2(fd, 2);
      close(fd);
    }
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Tail(const fs::path& file) {
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  auto all = text.str();
  if (all.size() > 600) all = "..." + all.substr(all.size() - 600);
  return all;
}

// The launcher's settings on the preview device: this skin, the emulated GPS receiver feeding the
// displays from the start, nothing started automatically.
constexpr std::string_view kSettings =
    "[Main]\r\nAutoRun=\r\nAutoWindow=N\r\nAutoToolbar=N\r\nScreenSizeMode=FITSIZE\r\nScreenSize=\r\n"
    "[Skin]\r\nSkinFolder=\\Storage Card\\VexaDeck\\Skin\r\nSkinName=%NAME%\r\nBgndAutoChange=N\r\n"
    "[Gps]\r\nGpsPort=COM1:\r\nGpsSpeed=4800\r\nEmulation=Y\r\nSirfToNmea=N\r\nAutoGpsTime=N\r\nAutoSpeedGauge=Y\r\n";

}  // namespace

std::vector<ScreenSize> CommonScreens() {
  return {{320, 240}, {480, 272}, {640, 480}, {800, 480}, {800, 600}, {1024, 600}, {1280, 720}};
}

std::optional<std::vector<ScreenSize>> ParseSizes(std::string_view list) {
  std::vector<ScreenSize> sizes;
  while (!list.empty()) {
    const auto comma = list.find(',');
    const auto part = list.substr(0, comma);
    const auto size = ParseSize(part);
    if (!size) return std::nullopt;
    sizes.push_back(*size);
    if (comma == std::string_view::npos) return sizes;
    list.remove_prefix(comma + 1);
  }
  return std::nullopt;  // empty, or a comma at the end
}

std::vector<ScreenSize> OwnSizes(const fs::path& skinFolder) {
  std::vector<ScreenSize> sizes;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(skinFolder, error)) {
    const auto name = Lower(entry.path().filename().string());
    if (!entry.is_regular_file() || name.size() < 9 || !name.starts_with("skin") || !name.ends_with(".ini")) continue;
    if (const auto size = ParseSize(std::string_view(name).substr(4, name.size() - 8))) sizes.push_back(*size);
  }
  std::sort(sizes.begin(), sizes.end());
  sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
  return sizes;
}

std::optional<ScreenSize> ScaleSource(const std::vector<ScreenSize>& own, ScreenSize screen) {
  std::optional<ScreenSize> best;
  double bestDistance = 0;
  const double aspect = static_cast<double>(screen.width) / screen.height;
  for (const auto& size : own) {
    const double distance = std::fabs(std::log(static_cast<double>(size.width) / size.height / aspect));
    const bool nearer = !best || distance < bestDistance - 1e-9 ||
                        (std::fabs(distance - bestDistance) <= 1e-9 && size.width * size.height > best->width * best->height);
    if (nearer) {
      best = size;
      bestDistance = distance;
    }
  }
  return best;
}

std::vector<PreviewShot> Preview(const fs::path& skinFolderIn, const PreviewOptions& options, std::ostream& errors) {
  std::vector<PreviewShot> shots;
  auto skinFolder = fs::absolute(skinFolderIn).lexically_normal();
  if (!skinFolder.has_filename()) skinFolder = skinFolder.parent_path();
  const auto name = skinFolder.filename().string();
  const auto own = OwnSizes(skinFolder);
  if (own.empty()) {
    errors << "no skin files (skinWxH.ini) in " << skinFolder << "\n";
    return shots;
  }
  std::vector<ScreenSize> sizes = own;
  sizes.insert(sizes.end(), options.sizes.begin(), options.sizes.end());
  std::sort(sizes.begin(), sizes.end(), [](ScreenSize a, ScreenSize b) {
    return std::pair(a.width * a.height, a.width) < std::pair(b.width * b.height, b.width);
  });
  sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());

  std::error_code error;
  fs::create_directories(options.out, error);
  const auto out = fs::absolute(options.out);

  // A device of its own: the skin and the shared folder copied (the launcher may rename a gauge
  // folder), the clock file's folder when the skin lies in a launcher's folder.
  char pattern[] = "/tmp/vexaskin-XXXXXX";
  const char* made = mkdtemp(pattern);
  if (made == nullptr) {
    errors << "cannot make a temporary folder\n";
    return shots;
  }
  const fs::path device = made;
  const auto program = device / "Storage Card" / "VexaDeck";
  fs::create_directories(device / "Windows");
  fs::create_directories(program / "Skin");
  fs::copy(skinFolder, program / "Skin" / name, fs::copy_options::recursive, error);
  if (error) {
    errors << "cannot copy " << skinFolder << ": " << error.message() << "\n";
    fs::remove_all(device, error);
    return shots;
  }
  if (const auto shared = FindNoCase(skinFolder.parent_path(), "_Common")) {
    fs::copy(*shared, program / "Skin" / shared->filename(), fs::copy_options::recursive, error);
  }
  if (const auto clock = FindNoCase(skinFolder.parent_path().parent_path(), "Clock")) {
    fs::copy(*clock, program / "Clock", fs::copy_options::recursive, error);
  }
  {
    std::string settings(kSettings);
    settings.replace(settings.find("%NAME%"), 6, name);
    std::ofstream(program / "VexaDeck.ini", std::ios::binary) << settings;
  }

  for (const auto size : sizes) {
    PreviewShot shot;
    shot.size = size;
    shot.picture = out / (SizeText(size) + ".png");
    std::string scenario;
    if (std::find(own.begin(), own.end(), size) == own.end()) {
      const auto source = ScaleSource(own, size);
      shot.scaledFrom = "skin" + SizeText(*source) + ".ini";
      // No file for this screen: the launcher asks for one; take the nearest, and keep it unsaved.
      scenario += "choose \"Skin selector\" 1001 " + Quoted(name) + "\n";
      scenario += "choose \"Skin selector\" 1002 " + Quoted(shot.scaledFrom) + "\n";
      scenario += "click \"Skin selector\" \"OK\"\nanswer no\n";
    }
    // Long enough for the start-up actions, a GPS fix of the emulated receiver and a clock tick.
    scenario += "wait 4000\nscreenshot screen " + Quoted(shot.picture.string()) + "\nquit\n";
    const auto scenarioFile = device / "preview.txt";
    std::ofstream(scenarioFile) << scenario;
    const auto output = device / ("run-" + SizeText(size) + ".txt");
    fs::remove(shot.picture, error);
    const int code = Run({options.deckProgram.string(), "--headless", "--device-root", device.string(), "--module-path",
                          "\\Storage Card\\VexaDeck\\VexaDeck.exe", "--screen", SizeText(size), "--lang", options.lang,
                          "--start-time", options.time, "--scenario", scenarioFile.string(), "--log",
                          (device / ("log-" + SizeText(size) + ".jsonl")).string()},
                         output);
    if (code != 0 || !fs::exists(shot.picture)) {
      errors << SizeText(size) << ": the launcher did not draw the skin (exit code " << code << ")\n" << Tail(output) << "\n";
      continue;
    }
    shots.push_back(shot);
  }
  fs::remove_all(device, error);
  if (!shots.empty() && !WriteContactSheet(shots, name, out / "contact-sheet.png")) {
    errors << "cannot write " << (out / "contact-sheet.png") << "\n";
  }
  return shots;
}

bool WriteContactSheet(const std::vector<PreviewShot>& shots, const std::string& title, const fs::path& file) {
  // Every shot at one height, at most four to a row, its size and source written under it.
  constexpr int kHeight = 240;
  constexpr int kGap = 16;
  constexpr int kLabel = 40;
  constexpr int kTitle = 40;
  constexpr int kPerRow = 4;
  struct Cell {
    QImage image;
    const PreviewShot* shot;
  };
  std::vector<Cell> cells;
  for (const auto& shot : shots) {
    QImage image(QString::fromStdString(shot.picture.string()));
    if (image.isNull()) continue;
    cells.push_back({image.scaledToHeight(kHeight, Qt::SmoothTransformation), &shot});
  }
  if (cells.empty()) return false;
  std::vector<int> rowWidths;
  for (std::size_t i = 0; i < cells.size(); i += kPerRow) {
    int width = kGap;
    for (std::size_t j = i; j < std::min(cells.size(), i + kPerRow); ++j) width += cells[j].image.width() + kGap;
    rowWidths.push_back(width);
  }
  const int rows = static_cast<int>(rowWidths.size());
  const int width = *std::max_element(rowWidths.begin(), rowWidths.end());
  const int height = kTitle + rows * (kHeight + kLabel + kGap);
  QImage sheet(width, height, QImage::Format_RGB32);
  sheet.fill(QColor(40, 42, 48));
  QPainter painter(&sheet);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  QFont titleFont;
  titleFont.setPixelSize(20);
  titleFont.setBold(true);
  QFont labelFont;
  labelFont.setPixelSize(14);
  painter.setPen(QColor(240, 240, 240));
  painter.setFont(titleFont);
  painter.drawText(QRect(kGap, 0, width - 2 * kGap, kTitle), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromStdString(title));
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const int row = static_cast<int>(i) / kPerRow;
    const int top = kTitle + row * (kHeight + kLabel + kGap);
    int left = kGap;
    for (std::size_t j = static_cast<std::size_t>(row) * kPerRow; j < i; ++j) left += cells[j].image.width() + kGap;
    const auto& cell = cells[i];
    painter.drawImage(left, top, cell.image);
    painter.setPen(QColor(90, 90, 100));
    painter.drawRect(left - 1, top - 1, cell.image.width() + 1, cell.image.height() + 1);
    painter.setPen(QColor(240, 240, 240));
    painter.setFont(labelFont);
    auto label = QString::number(cell.shot->size.width) + QStringLiteral(" × ") + QString::number(cell.shot->size.height);
    if (!cell.shot->scaledFrom.empty())
      label += QStringLiteral("  (scaled from ") + QString::fromStdString(cell.shot->scaledFrom) + QStringLiteral(")");
    painter.drawText(QRect(left, top + kHeight + 4, cell.image.width(), kLabel - 8), Qt::AlignHCenter | Qt::AlignTop,
                     label);
  }
  painter.end();
  return sheet.save(QString::fromStdString(file.string()), "PNG", 0);  // 0: the smallest file
}

}  // namespace vexa::skintool
