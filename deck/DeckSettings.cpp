#include "deck/DeckSettings.h"

#include <array>

#include "common/text/Text.h"

namespace vexa::deck {

namespace {

constexpr std::u16string_view kMain = u"Main";
constexpr std::u16string_view kProgram = u"Program";
constexpr std::u16string_view kFolder = u"Folder";
constexpr std::u16string_view kSkin = u"Skin";
constexpr std::u16string_view kImageViewer = u"ImageViewer";
constexpr std::u16string_view kMp3Player = u"Mp3Player";
constexpr std::u16string_view kGps = u"Gps";

// A default no stored value can equal: the decoded file text never holds U+FFFF.
constexpr std::u16string_view kAbsent = u"\uFFFF";

std::u16string_view ProgramKeyName(ProgramKey key) {
  switch (key) {
    case ProgramKey::kNavigation:
      return u"Navigation";
    case ProgramKey::kToolbar:
      return u"Toolbar";
    case ProgramKey::kMoviePlayer:
      return u"MoviePlayer";
    case ProgramKey::kMp3Player:
      return u"MP3Player";
    case ProgramKey::kFlashPlayer:
      return u"FlashPlayer";
    case ProgramKey::kDmbPlayer:
      return u"DMBPlayer";
  }
  return {};
}

std::u16string_view FolderKeyName(FolderKey key) {
  switch (key) {
    case FolderKey::kApplication:
      return u"Application";
    case FolderKey::kGame:
      return u"Game";
    case FolderKey::kSystem:
      return u"System";
    case FolderKey::kFlash:
      return u"Flash";
    case FolderKey::kMovie:
      return u"Movie";
    case FolderKey::kMp3:
      return u"Mp3";
    case FolderKey::kImage:
      return u"Image";
  }
  return {};
}

TriState ToTriState(std::u16string_view value) {
  if (text::EqualsNoCase(value, u"Y")) return TriState::kYes;
  if (text::EqualsNoCase(value, u"N")) return TriState::kNo;
  return TriState::kUnset;
}

std::u16string_view FromTriState(TriState value) {
  switch (value) {
    case TriState::kYes:
      return u"Y";
    case TriState::kNo:
      return u"N";
    case TriState::kUnset:
      break;
  }
  return {};
}

}  // namespace

DeckSettings::DeckSettings(Environment& environment)
    : environment_(environment), store_(environment.mainSettings()) {}

std::u16string DeckSettings::FilePath() const {
  return environment_.GetPath(PATH_PROGRAM_DIR) + u"\\VexaDeck.ini";
}

bool DeckSettings::Read(platform::WindowHandle owner) {
  return store_.Read(owner, FilePath());
}

bool DeckSettings::Save(platform::WindowHandle owner) {
  return store_.Save(owner, FilePath());
}

void DeckSettings::SetDefaultWhenEmpty(std::u16string_view section, std::u16string_view key,
                                       std::u16string value) {
  if (Get(section, key).empty()) store_.SetString(section, key, value);
}

void DeckSettings::FillDefaults() {
  const auto program = environment_.GetPath(PATH_PROGRAM_DIR);
  const auto storage = environment_.GetPath(PATH_STORAGE_ROOT);
  SetDefaultWhenEmpty(kSkin, u"SkinFolder", program + u"\\Skin");
  SetDefaultWhenEmpty(kFolder, u"Application", program + u"\\Programs");
  SetDefaultWhenEmpty(kFolder, u"Game", program + u"\\Games");
  SetDefaultWhenEmpty(kFolder, u"System", program + u"\\System");
  SetDefaultWhenEmpty(kImageViewer, u"LogoFile", program + u"\\logo.png");
  SetDefaultWhenEmpty(kMp3Player, u"IntroMusic", program + u"\\intro.wav");
  SetDefaultWhenEmpty(kFolder, u"Flash", storage + u"\\플래시파일");
  SetDefaultWhenEmpty(kFolder, u"Movie", storage + u"\\영화파일");
  SetDefaultWhenEmpty(kFolder, u"Mp3", storage + u"\\음악파일");
  SetDefaultWhenEmpty(kFolder, u"Image", storage + u"\\그림파일");
}

std::u16string DeckSettings::Get(std::u16string_view section, std::u16string_view key,
                                 std::u16string_view defaultValue) const {
  return store_.GetString(section, key, defaultValue);
}

bool DeckSettings::IsYes(std::u16string_view section, std::u16string_view key) const {
  return IsYesIgnoringCase(Get(section, key));
}

void DeckSettings::SetYesNo(std::u16string_view section, std::u16string_view key, bool on) {
  store_.SetString(section, key, on ? u"Y" : u"N");
}

AutoRunMode DeckSettings::AutoRun() const {
  const auto value = Get(kMain, u"AutoRun");
  if (value.empty()) return AutoRunMode::kNothing;
  if (text::EqualsNoCase(value, u"NAVI")) return AutoRunMode::kNavigation;
  if (text::EqualsNoCase(value, u"IMAGE")) return AutoRunMode::kSlideShow;
  return AutoRunMode::kOther;
}

void DeckSettings::SetAutoRun(AutoRunMode mode) {
  std::u16string_view value;
  if (mode == AutoRunMode::kNavigation) value = u"NAVI";
  if (mode == AutoRunMode::kSlideShow) value = u"IMAGE";
  store_.SetString(kMain, u"AutoRun", value);
}

int DeckSettings::AutoRunDelay() const {
  return store_.GetInt(kMain, u"AutoRunDelay", 30);
}
void DeckSettings::SetAutoRunDelay(int seconds) {
  store_.SetInt(kMain, u"AutoRunDelay", seconds);
}

bool DeckSettings::AutoWindow() const {
  return IsYes(kMain, u"AutoWindow");
}
void DeckSettings::SetAutoWindow(bool on) {
  SetYesNo(kMain, u"AutoWindow", on);
}
bool DeckSettings::AutoToolbar() const {
  return IsYes(kMain, u"AutoToolbar");
}
void DeckSettings::SetAutoToolbar(bool on) {
  SetYesNo(kMain, u"AutoToolbar", on);
}

TriState DeckSettings::StartShowTaskBar() const {
  return ToTriState(Get(kMain, u"StartShowTaskBar"));
}
void DeckSettings::SetStartShowTaskBar(TriState value) {
  store_.SetString(kMain, u"StartShowTaskBar", FromTriState(value));
}
TriState DeckSettings::ExitShowTaskBar() const {
  return ToTriState(Get(kMain, u"ExitShowTaskBar"));
}
void DeckSettings::SetExitShowTaskBar(TriState value) {
  store_.SetString(kMain, u"ExitShowTaskBar", FromTriState(value));
}

ScreenSizeMode DeckSettings::ScreenSizeModeSetting() const {
  const auto value = Get(kMain, u"ScreenSizeMode");
  if (text::EqualsNoCase(value, u"CHOOSE")) return ScreenSizeMode::kChoose;
  if (text::EqualsNoCase(value, u"CUSTOM")) return ScreenSizeMode::kCustom;
  return ScreenSizeMode::kSystem;
}

// ScreenSize=480,272
std::optional<Point> DeckSettings::CustomScreenSize() const {
  const auto size = ParsePoint(Get(kMain, u"ScreenSize"), -1, -1);
  if (size.x < 0 || size.y < 0) return std::nullopt;
  return size;
}

void DeckSettings::SetScreenSize(ScreenSizeMode mode, Point customSize) {
  std::u16string_view word = u"FITSIZE";
  if (mode == ScreenSizeMode::kChoose) word = u"CHOOSE";
  if (mode == ScreenSizeMode::kCustom) word = u"CUSTOM";
  store_.SetString(kMain, u"ScreenSizeMode", word);
  store_.SetString(kMain, u"ScreenSize",
                   mode == ScreenSizeMode::kCustom
                       ? text::FromInt(customSize.x) + u"," + text::FromInt(customSize.y)
                       : std::u16string());
}

std::u16string DeckSettings::Program(ProgramKey key) const {
  return Get(kProgram, ProgramKeyName(key));
}
void DeckSettings::SetProgram(ProgramKey key, std::u16string_view path) {
  store_.SetString(kProgram, ProgramKeyName(key), path);
}
std::u16string DeckSettings::Folder(FolderKey key) const {
  return Get(kFolder, FolderKeyName(key));
}
void DeckSettings::SetFolder(FolderKey key, std::u16string_view path) {
  store_.SetString(kFolder, FolderKeyName(key), path);
}

std::u16string DeckSettings::SkinFolder() const {
  return Get(kSkin, u"SkinFolder");
}
void DeckSettings::SetSkinFolder(std::u16string_view folder) {
  store_.SetString(kSkin, u"SkinFolder", folder);
}
std::u16string DeckSettings::SkinName() const {
  return Get(kSkin, u"SkinName", u"Default");
}
void DeckSettings::SetSkinName(std::u16string_view name) {
  store_.SetString(kSkin, u"SkinName", name);
}
bool DeckSettings::BackgroundAutoChange() const {
  return IsYesIgnoringCase(Get(kSkin, u"BgndAutoChange", u"N"));
}
void DeckSettings::SetBackgroundAutoChange(bool on) {
  SetYesNo(kSkin, u"BgndAutoChange", on);
}
int DeckSettings::BackgroundChangeSeconds() const {
  return store_.GetInt(kSkin, u"BgndChangeTime", 60);
}
void DeckSettings::SetBackgroundChangeSeconds(int seconds) {
  store_.SetInt(kSkin, u"BgndChangeTime", seconds);
}

std::u16string DeckSettings::LogoFile() const {
  return Get(kImageViewer, u"LogoFile");
}
void DeckSettings::SetLogoFile(std::u16string_view path) {
  store_.SetString(kImageViewer, u"LogoFile", path);
}
int DeckSettings::SlideShowRefreshSeconds() const {
  return store_.GetInt(kImageViewer, u"RefreshTime", 5);
}
void DeckSettings::SetSlideShowRefreshSeconds(int seconds) {
  store_.SetInt(kImageViewer, u"RefreshTime", seconds);
}
int DeckSettings::LogoDisplaySeconds() const {
  return store_.GetInt(kImageViewer, u"LogoDispTime", 7);
}
void DeckSettings::SetLogoDisplaySeconds(int seconds) {
  store_.SetInt(kImageViewer, u"LogoDispTime", seconds);
}
std::u16string DeckSettings::IntroMusic() const {
  return Get(kMp3Player, u"IntroMusic");
}
void DeckSettings::SetIntroMusic(std::u16string_view path) {
  store_.SetString(kMp3Player, u"IntroMusic", path);
}

std::u16string DeckSettings::GpsPort() const {
  auto port = text::ToUpper(Get(kGps, u"GpsPort"));
  static constexpr std::array<std::u16string_view, 8> kPorts = {u"COM1:", u"COM2:", u"COM3:", u"COM4:",
                                                                u"COM5:", u"COM6:", u"COM7:", u"COM8:"};
  for (auto known : kPorts) {
    if (port == known) return port;
  }
  return u"COM2:";
}
void DeckSettings::SetGpsPort(std::u16string_view port) {
  store_.SetString(kGps, u"GpsPort", port);
}

int DeckSettings::GpsSpeed() const {
  const int speed = store_.GetInt(kGps, u"GpsSpeed", 9600);
  return speed == 4800 || speed == 9600 || speed == 14400 || speed == 19600 ? speed : 9600;
}
void DeckSettings::SetGpsSpeed(int speed) {
  store_.SetInt(kGps, u"GpsSpeed", speed);
}

bool DeckSettings::Emulation() const {
  return IsYes(kGps, u"Emulation");
}
void DeckSettings::SetEmulation(bool on) {
  SetYesNo(kGps, u"Emulation", on);
}
bool DeckSettings::SirfToNmea() const {
  return IsYesExactly(Get(kGps, u"SirfToNmea", u"N"));
}
void DeckSettings::SetSirfToNmea(bool on) {
  SetYesNo(kGps, u"SirfToNmea", on);
}
bool DeckSettings::AutoGpsTime() const {
  return IsYes(kGps, u"AutoGpsTime");
}
void DeckSettings::SetAutoGpsTime(bool on) {
  SetYesNo(kGps, u"AutoGpsTime", on);
}

bool DeckSettings::AutoSpeedGauge() {
  // An older file may hold the misspelt key; its value is the default of the new one, and it is carried
  // over under the new spelling so the switch is not lost when the old key goes.
  const auto old = Get(kGps, u"AutoSpeedGuage", kAbsent);
  if (old == kAbsent) return IsYes(kGps, u"AutoSpeedGauge");
  const auto value = Get(kGps, u"AutoSpeedGauge", old);
  store_.DeleteKey(kGps, u"AutoSpeedGuage");
  store_.SetString(kGps, u"AutoSpeedGauge", value);
  return IsYesIgnoringCase(value);
}
void DeckSettings::SetAutoSpeedGauge(bool on) {
  store_.DeleteKey(kGps, u"AutoSpeedGuage");
  SetYesNo(kGps, u"AutoSpeedGauge", on);
}

}  // namespace vexa::deck
