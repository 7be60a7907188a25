#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/Environment.h"
#include "common/SettingValues.h"
#include "platform/Handles.h"

namespace vexa::deck {

// A "Y"/"N" setting that may also be left empty: only "Y" and "N" (any case) mean something.
enum class TriState { kUnset, kYes, kNo };

// What starts by itself after the launcher has started ([Main] AutoRun).
enum class AutoRunMode {
  kNothing,     // empty
  kNavigation,  // "NAVI"
  kSlideShow,   // "IMAGE"
  kOther,       // any other text: the count-down ends at once
};

// How the screen size that selects the skin is found ([Main] ScreenSizeMode).
enum class ScreenSizeMode {
  kSystem,  // empty, "FITSIZE" or anything else: the system's screen size
  kChoose,  // "CHOOSE": ask with the screen-size dialog
  kCustom,  // "CUSTOM": [Main] ScreenSize
};

// The programs of section [Program], each a program or shortcut path.
enum class ProgramKey { kNavigation, kToolbar, kMoviePlayer, kMp3Player, kFlashPlayer, kDmbPlayer };
// The folders of section [Folder], each without a trailing backslash.
enum class FolderKey { kApplication, kGame, kSystem, kFlash, kMovie, kMp3, kImage };

// The launcher's own settings file "\VexaDeck.ini" beside the program: typed access to the main
// settings store of the environment, which holds the file for the whole run. Every getter gives the
// value used when the key is absent; setters only change the store, Save writes it.
class DeckSettings {
 public:
  explicit DeckSettings(Environment& environment);

  // Program folder + "\VexaDeck.ini".
  std::u16string FilePath() const;
  // Loads the file into the store (an error box when it cannot be read; the store is then empty).
  bool Read(platform::WindowHandle owner);
  // Sets the ten start-up defaults of empty folder, skin, logo and intro-music keys, without saving.
  void FillDefaults();
  // Writes the whole store back over the file, keys the launcher does not know included.
  bool Save(platform::WindowHandle owner);

  ProfileStore& store() { return store_; }

  // [Main]
  AutoRunMode AutoRun() const;
  void SetAutoRun(AutoRunMode mode);
  int AutoRunDelay() const;  // seconds, 30 when absent
  void SetAutoRunDelay(int seconds);
  bool AutoWindow() const;
  void SetAutoWindow(bool on);
  bool AutoToolbar() const;
  void SetAutoToolbar(bool on);
  TriState StartShowTaskBar() const;
  void SetStartShowTaskBar(TriState value);
  TriState ExitShowTaskBar() const;
  void SetExitShowTaskBar(TriState value);
  ScreenSizeMode ScreenSizeModeSetting() const;
  // The [Main] ScreenSize pair, or nothing when absent or not two unsigned numbers.
  std::optional<Point> CustomScreenSize() const;
  // Writes the mode and the size; the size is written empty for every mode but kCustom.
  void SetScreenSize(ScreenSizeMode mode, Point customSize);

  // [Program] and [Folder]
  std::u16string Program(ProgramKey key) const;
  void SetProgram(ProgramKey key, std::u16string_view path);
  std::u16string Folder(FolderKey key) const;
  void SetFolder(FolderKey key, std::u16string_view path);

  // [Skin]
  std::u16string SkinFolder() const;  // as stored, without the trailing backslash the loader adds
  void SetSkinFolder(std::u16string_view folder);
  std::u16string SkinName() const;  // "Default" when absent
  void SetSkinName(std::u16string_view name);
  bool BackgroundAutoChange() const;
  void SetBackgroundAutoChange(bool on);
  int BackgroundChangeSeconds() const;  // 60 when absent
  void SetBackgroundChangeSeconds(int seconds);

  // [ImageViewer] and [Mp3Player]
  std::u16string LogoFile() const;
  void SetLogoFile(std::u16string_view path);
  int SlideShowRefreshSeconds() const;  // 5 when absent
  void SetSlideShowRefreshSeconds(int seconds);
  int LogoDisplaySeconds() const;  // 7 when absent
  void SetLogoDisplaySeconds(int seconds);
  std::u16string IntroMusic() const;
  void SetIntroMusic(std::u16string_view path);

  // [Gps]
  std::u16string GpsPort() const;  // upper-cased; "COM2:" unless one of "COM1:" to "COM8:"
  void SetGpsPort(std::u16string_view port);
  int GpsSpeed() const;  // 9600 unless 4800, 9600, 14400 or 19600
  void SetGpsSpeed(int speed);
  bool Emulation() const;
  void SetEmulation(bool on);
  bool SirfToNmea() const;  // only an upper-case "Y" switches it on
  void SetSirfToNmea(bool on);
  bool AutoGpsTime() const;
  void SetAutoGpsTime(bool on);
  // Reads the speed-gauge switch, carrying the older key "AutoSpeedGuage" over to "AutoSpeedGauge"
  // first, so the next save writes only the new spelling.
  bool AutoSpeedGauge();
  void SetAutoSpeedGauge(bool on);

 private:
  std::u16string Get(std::u16string_view section, std::u16string_view key,
                     std::u16string_view defaultValue = {}) const;
  bool IsYes(std::u16string_view section, std::u16string_view key) const;
  void SetYesNo(std::u16string_view section, std::u16string_view key, bool on);
  void SetDefaultWhenEmpty(std::u16string_view section, std::u16string_view key, std::u16string value);

  Environment& environment_;
  ProfileStore& store_;
};

}  // namespace vexa::deck
