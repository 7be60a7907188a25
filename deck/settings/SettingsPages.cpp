#include "deck/settings/SettingsPages.h"

#include <utility>
#include <vector>

#include "common/text/Format.h"
#include "common/text/Text.h"
#include "deck/DialogLayout.h"
#include "deck/ScreenSizeDialog.h"
#include "deck/SkinSelector.h"
#include "deck/pictures/PictureLoader.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/ResourceIds.h"

namespace vexa::deck {

namespace {

using platform::ui::CheckState;
using platform::ui::ControlKind;
using platform::ui::ControlTemplate;
using platform::ui::Notification;
using platform::ui::Window;
using platform::ui::WindowTemplate;
using platform::ui::kBorder;
using platform::ui::kGroupStart;
using platform::ui::kNumber;

// Every page is laid out here for the small font in a 400 × 165 area; the sheet makes it half as large
// again on screens of 640 × 480 and up.

// The about page.
enum : int { kAboutPicture = 1801, kVersionLabel = 1802, kVersionText = 1803 };
const ControlTemplate kAboutControls[] = {
    {kAboutPicture, ControlKind::kPicture, {110, 8, 290, 88}, u"", kBorder},
    {kVersionLabel, ControlKind::kStatic, {40, 104, 110, 126}, u"Version:", 0},
    {kVersionText, ControlKind::kStatic, {115, 104, 380, 126}, u"VexaDeck Ver 3.1g(2008.03.12)", 0},
};

// Main: what starts by itself and the taskbar at start and exit.
enum : int {
  kNavigationBox = 1102, kSlideShowBox = 1103, kDelayEdit = 1105, kDelaySpin = 1106, kToolbarBox = 1109,
  kWindowsBox = 1111, kStartTaskbarBox = 1113, kExitTaskbarBox = 1115,
};
const ControlTemplate kMainControls[] = {
    {1101, ControlKind::kStatic, {8, 6, 175, 28}, u"AutoRun:", 0},
    {kNavigationBox, ControlKind::kCheckBox, {180, 6, 290, 28}, u"Navigation", 0},
    {kSlideShowBox, ControlKind::kCheckBox, {290, 6, 398, 28}, u"Slide Show", 0},
    {1104, ControlKind::kStatic, {8, 32, 175, 54}, u"AutoRun Delay:", 0},
    {kDelayEdit, ControlKind::kEdit, {180, 32, 235, 54}, u"", kNumber | kBorder},
    {kDelaySpin, ControlKind::kUpDown, {235, 32, 253, 54}, u"", 0},
    {1107, ControlKind::kStatic, {260, 32, 310, 54}, u"sec.", 0},
    {1108, ControlKind::kStatic, {8, 58, 175, 80}, u"ToolBar:", 0},
    {kToolbarBox, ControlKind::kCheckBox, {180, 58, 210, 80}, u"", 0},
    {1110, ControlKind::kStatic, {8, 84, 175, 106}, u"AutoWindows:", 0},
    {kWindowsBox, ControlKind::kCheckBox, {180, 84, 210, 106}, u"", 0},
    {1112, ControlKind::kStatic, {8, 110, 175, 132}, u"ShowTaskbar at start:", 0},
    {kStartTaskbarBox, ControlKind::kThreeStateCheckBox, {180, 110, 210, 132}, u"", 0},
    {1114, ControlKind::kStatic, {8, 136, 175, 158}, u"ShowTaskbar at exit:", 0},
    {kExitTaskbarBox, ControlKind::kThreeStateCheckBox, {180, 136, 210, 158}, u"", 0},
};

// Exec: one path button a program, its label before it.
constexpr int kFirstProgramButton = 1201;
constexpr int kFirstProgramLabel = 1211;
constexpr ProgramKey kProgramKeys[] = {ProgramKey::kNavigation,  ProgramKey::kToolbar,     ProgramKey::kMoviePlayer,
                                       ProgramKey::kMp3Player,   ProgramKey::kFlashPlayer, ProgramKey::kDmbPlayer};
constexpr const char16_t* kProgramLabels[] = {u"NAVI:", u"TOOL:", u"MOVIE:", u"MP3:", u"FLASH:", u"DMB:"};

// Folder: one folder button a folder.
constexpr int kFirstFolderButton = 1301;
constexpr int kFirstFolderLabel = 1311;
constexpr FolderKey kFolderKeys[] = {FolderKey::kApplication, FolderKey::kGame,  FolderKey::kSystem, FolderKey::kFlash,
                                     FolderKey::kMovie,       FolderKey::kMp3,   FolderKey::kImage};
constexpr const char16_t* kFolderLabels[] = {u"APPLI:", u"GAME:", u"SYST:", u"FLASH:", u"MOVIE:", u"MP3:", u"IMAGE:"};

// Resolution: how the screen size that selects the skin is found.
enum : int {
  kDefaultMode = 1402, kCustomMode = 1403, kAutoMode = 1404, kWidthEdit = 1406, kHeightEdit = 1408, kSizeButton = 1409,
};
const ControlTemplate kResolutionControls[] = {
    {1401, ControlKind::kStatic, {8, 8, 80, 30}, u"Mode:", 0},
    {kDefaultMode, ControlKind::kRadioButton, {85, 8, 185, 30}, u"default", kGroupStart},
    {kCustomMode, ControlKind::kRadioButton, {190, 8, 290, 30}, u"custom", 0},
    {kAutoMode, ControlKind::kRadioButton, {295, 8, 395, 30}, u"auto", 0},
    {1405, ControlKind::kStatic, {8, 42, 80, 64}, u"Screen:", 0},
    {kWidthEdit, ControlKind::kEdit, {85, 42, 145, 64}, u"", kNumber | kBorder},
    {1407, ControlKind::kStatic, {150, 42, 168, 64}, u"X", platform::ui::kAlignCenter},
    {kHeightEdit, ControlKind::kEdit, {172, 42, 232, 64}, u"", kNumber | kBorder},
    {kSizeButton, ControlKind::kPushButton, {242, 40, 292, 66}, u"...", 0},
    {1410, ControlKind::kStatic, {8, 92, 395, 114}, u"Warning :", 0},
    {1411, ControlKind::kStatic, {8, 116, 395, 138}, u"Wrong resolution may cause unknown effect.", 0},
};

// Skin: the skin folder, its skins with the chosen one's screenshot, the background rotation and the
// way into the skin editor.
enum : int {
  kSkinFolderButton = 1502, kSkinList = 1504, kPreview = 1506, kRotateBox = 1508, kTempoEdit = 1510,
  kEditBox = 1513,
};
const ControlTemplate kSkinControls[] = {
    {1501, ControlKind::kStatic, {8, 4, 68, 26}, u"Folder:", 0},
    {kSkinFolderButton, ControlKind::kPushButton, {72, 3, 398, 27}, u"", 0},
    {1503, ControlKind::kStatic, {8, 32, 68, 54}, u"Skin:", 0},
    {kSkinList, ControlKind::kListBox, {72, 32, 200, 110}, u"", kBorder},
    {1505, ControlKind::kStatic, {210, 32, 320, 50}, u"Screen shot", 0},
    {kPreview, ControlKind::kPicture, {210, 52, 300, 106}, u"", kBorder},
    {1507, ControlKind::kStatic, {8, 114, 68, 136}, u"Rotate:", 0},
    {kRotateBox, ControlKind::kCheckBox, {72, 114, 185, 136}, u"Background", 0},
    {1509, ControlKind::kStatic, {195, 114, 255, 136}, u"Tempo:", 0},
    {kTempoEdit, ControlKind::kEdit, {258, 114, 308, 136}, u"", kNumber | kBorder},
    {1511, ControlKind::kStatic, {313, 114, 353, 136}, u"sec", 0},
    {1512, ControlKind::kStatic, {8, 140, 68, 162}, u"Edit:", 0},
    {kEditBox, ControlKind::kCheckBox, {72, 140, 398, 162}, u"Check box and clic Save to edit Skin", 0},
};

// GPS: the receiver's port and speed and the GPS switches.
enum : int {
  kPortList = 1602, kSpeedList = 1604, kEmulationBox = 1606, kSirfBox = 1608, kGpsTimeBox = 1610, kGaugeBox = 1612,
};
const ControlTemplate kGpsControls[] = {
    {1601, ControlKind::kStatic, {8, 6, 160, 28}, u"GPS Port:", 0},
    {kPortList, ControlKind::kComboList, {165, 5, 265, 160}, u"", 0},
    {1603, ControlKind::kStatic, {8, 32, 160, 54}, u"GPS Speed:", 0},
    {kSpeedList, ControlKind::kComboList, {165, 31, 265, 160}, u"", 0},
    {1605, ControlKind::kStatic, {8, 58, 160, 80}, u"GPS Emulator:", 0},
    {kEmulationBox, ControlKind::kCheckBox, {165, 58, 195, 80}, u"", 0},
    {1607, ControlKind::kStatic, {8, 84, 160, 106}, u"Sirf:", 0},
    {kSirfBox, ControlKind::kCheckBox, {165, 84, 300, 106}, u"Sirf -> NMEA", 0},
    {1609, ControlKind::kStatic, {8, 110, 160, 132}, u"Synchro GPS Time:", 0},
    {kGpsTimeBox, ControlKind::kCheckBox, {165, 110, 195, 132}, u"", 0},
    {1611, ControlKind::kStatic, {8, 136, 160, 158}, u"Auto Speed Guage:", 0},
    {kGaugeBox, ControlKind::kCheckBox, {165, 136, 195, 158}, u"", 0},
};
constexpr const char16_t* kPorts[] = {u"COM1:", u"COM2:", u"COM3:", u"COM4:", u"COM5:", u"COM6:", u"COM7:", u"COM8:"};
constexpr int kSpeeds[] = {4800, 9600, 14400, 19600};

// Etc: the slide show's logo and its times.
enum : int { kLogoEdit = 1702, kLogoButton = 1703, kRefreshEdit = 1705, kRefreshSpin = 1706, kDisplayEdit = 1708,
             kDisplaySpin = 1709 };
const ControlTemplate kEtcControls[] = {
    {1701, ControlKind::kStatic, {8, 8, 120, 30}, u"Logo:", 0},
    {kLogoEdit, ControlKind::kEdit, {125, 8, 345, 30}, u"", kBorder},
    {kLogoButton, ControlKind::kPushButton, {350, 6, 395, 32}, u"...", 0},
    {1704, ControlKind::kStatic, {8, 42, 120, 64}, u"Refresh Time:", 0},
    {kRefreshEdit, ControlKind::kEdit, {125, 42, 180, 64}, u"", kNumber | kBorder},
    {kRefreshSpin, ControlKind::kUpDown, {180, 42, 198, 64}, u"", 0},
    {1707, ControlKind::kStatic, {8, 72, 120, 94}, u"Display Time:", 0},
    {kDisplayEdit, ControlKind::kEdit, {125, 72, 180, 94}, u"", kNumber | kBorder},
    {kDisplaySpin, ControlKind::kUpDown, {180, 72, 198, 94}, u"", 0},
};

template <std::size_t N>
WindowTemplate PageTemplate(std::u16string title, const ControlTemplate (&controls)[N]) {
  WindowTemplate tmpl;
  tmpl.title = std::move(title);
  tmpl.style = platform::ui::kChildWindow;
  tmpl.controls.assign(controls, controls + N);
  return tmpl;
}

CheckState Checked(bool on) { return on ? CheckState::kChecked : CheckState::kUnchecked; }
bool IsChecked(const Window& window, int id) { return window.GetCheck(id) == CheckState::kChecked; }

// A spinner beside an edit that holds a count of seconds as stored; the edit keeps the stored text.
void FillSeconds(Window& window, int edit, int spin, const std::u16string& stored) {
  window.SetRange(spin, 0, 9999);
  window.SetValue(spin, text::ParseInt(stored));
  window.SetText(edit, stored);
}

// The folder the open-file dialog starts in: the folder of the current path, else the storage card.
std::u16string FolderOf(Environment& env, std::u16string_view path) {
  const auto expanded = env.ExpandStorage(path);
  const auto slash = expanded.rfind(u'\\');
  if (expanded.empty() || slash == std::u16string::npos || slash == 0) return env.GetPath(PATH_STORAGE_ROOT);
  return expanded.substr(0, slash);
}

// A path as a button of the given width can show it: whole when it fits, else with its leading
// folders left out ("...\Navi\navi.exe"), so the file or folder name itself stays readable.
std::u16string ShownPath(Environment& env, std::u16string_view path, int buttonWidth, bool largeFont) {
  auto* renderer = env.platform().text;
  if (renderer == nullptr) return std::u16string(path);
  // The controls' heights are character heights: a negative height asks the renderer for the same.
  platform::FontSpec font;
  if (largeFont) font = {u"System", -20, 700};
  const int room = buttonWidth - 16;  // the button's frame and margins
  if (renderer->Measure(path, font).width <= room) return std::u16string(path);
  for (std::size_t at = path.find(u'\\', 1); at != std::u16string_view::npos; at = path.find(u'\\', at + 1)) {
    auto shown = u"..." + std::u16string(path.substr(at));
    if (renderer->Measure(shown, font).width <= room) return shown;
  }
  return std::u16string(path);
}

class AboutPage : public SettingsPage {
 public:
  using SettingsPage::SettingsPage;
  WindowTemplate Template() const override { return PageTemplate(u"VexaDeck", kAboutControls); }
  void Fill(Window& window) override {
    const auto rect = window.GetControlRect(kAboutPicture);
    gfx::Bitmap picture(rect.width(), rect.height(), gfx::ToPixel(gfx::SystemColors::kButtonFace));
    if (auto* resources = env().platform().resources) {
      if (auto product = resources->Picture(platform::ui::res::deck::kProductPicture)) {
        gfx::StretchCopy(picture, picture.bounds(), *product, product->bounds());
      }
    }
    window.SetControlPicture(kAboutPicture, picture);
  }
};

class MainPage : public SettingsPage {
 public:
  using SettingsPage::SettingsPage;
  WindowTemplate Template() const override { return PageTemplate(u"Main", kMainControls); }

  void Fill(Window& window) override {
    auto& s = settings();
    window.SetCheck(kNavigationBox, Checked(s.AutoRun() == AutoRunMode::kNavigation));
    window.SetCheck(kSlideShowBox, Checked(s.AutoRun() == AutoRunMode::kSlideShow));
    FillSeconds(window, kDelayEdit, kDelaySpin, s.store().GetString(u"Main", u"AutoRunDelay", u"30"));
    window.SetCheck(kToolbarBox, Checked(s.AutoToolbar()));
    window.SetCheck(kWindowsBox, Checked(s.AutoWindow()));
    window.SetCheck(kStartTaskbarBox, ThreeState(s.StartShowTaskBar()));
    window.SetCheck(kExitTaskbarBox, ThreeState(s.ExitShowTaskBar()));
  }

  void Store(Window& window) override {
    auto& s = settings();
    s.SetAutoRun(IsChecked(window, kNavigationBox)  ? AutoRunMode::kNavigation
                 : IsChecked(window, kSlideShowBox) ? AutoRunMode::kSlideShow
                                                    : AutoRunMode::kNothing);
    s.store().SetString(u"Main", u"AutoRunDelay", window.GetText(kDelayEdit));
    s.SetAutoWindow(IsChecked(window, kWindowsBox));
    s.SetAutoToolbar(IsChecked(window, kToolbarBox));
    s.SetStartShowTaskBar(FromThreeState(window.GetCheck(kStartTaskbarBox)));
    s.SetExitShowTaskBar(FromThreeState(window.GetCheck(kExitTaskbarBox)));
  }

 private:
  static CheckState ThreeState(TriState value) {
    if (value == TriState::kYes) return CheckState::kChecked;
    if (value == TriState::kNo) return CheckState::kUnchecked;
    return CheckState::kIndeterminate;
  }
  static TriState FromThreeState(CheckState state) {
    if (state == CheckState::kChecked) return TriState::kYes;
    if (state == CheckState::kUnchecked) return TriState::kNo;
    return TriState::kUnset;
  }
};

// The Exec and Folder pages: a column of labelled buttons, each showing a path; a tap asks for a new
// one. The paths live here, so what a button shows is never read back.
class PathButtonsPage : public SettingsPage {
 public:
  PathButtonsPage(SettingsContext& context, std::u16string title, int firstButton, int firstLabel,
                  std::vector<std::u16string> labels, int rowStep)
      : SettingsPage(context), title_(std::move(title)), firstButton_(firstButton), firstLabel_(firstLabel),
        labels_(std::move(labels)), rowStep_(rowStep), paths_(labels_.size()) {}

  WindowTemplate Template() const override {
    WindowTemplate tmpl;
    tmpl.title = title_;
    tmpl.style = platform::ui::kChildWindow;
    for (std::size_t i = 0; i < labels_.size(); ++i) {
      const int top = 4 + static_cast<int>(i) * rowStep_;
      const int row = static_cast<int>(i);
      tmpl.controls.push_back({firstLabel_ + row, ControlKind::kStatic, {8, top, 70, top + rowStep_ - 3}, labels_[i], 0});
      tmpl.controls.push_back({firstButton_ + row, ControlKind::kPushButton, {75, top - 1, 398, top + rowStep_ - 2},
                               u"", 0});
    }
    return tmpl;
  }

  void Fill(Window& window) override {
    for (std::size_t i = 0; i < paths_.size(); ++i) {
      paths_[i] = Read(i);
      Show(window, firstButton_ + static_cast<int>(i), paths_[i]);
    }
  }

  void Store(Window&) override {
    for (std::size_t i = 0; i < paths_.size(); ++i) Write(i, paths_[i]);
  }

  void OnCommand(Window& window, int id, Notification notification) override {
    const int row = id - firstButton_;
    if (notification != Notification::kClicked || row < 0 || row >= static_cast<int>(paths_.size())) return;
    const auto chosen = Ask(paths_[static_cast<std::size_t>(row)]);
    if (!chosen) return;
    paths_[static_cast<std::size_t>(row)] = *chosen;
    Show(window, id, *chosen);
  }

 protected:
  virtual std::u16string Read(std::size_t row) = 0;
  virtual void Write(std::size_t row, const std::u16string& path) = 0;
  // The new path, or nothing when the user cancelled.
  virtual std::optional<std::u16string> Ask(const std::u16string& current) = 0;

 private:
  void Show(Window& window, int id, const std::u16string& path) {
    window.SetText(id, ShownPath(env(), path, window.GetControlRect(id).width(), UsesLargeFont(context().screen)));
  }

  std::u16string title_;
  int firstButton_;
  int firstLabel_;
  std::vector<std::u16string> labels_;
  int rowStep_;
  std::vector<std::u16string> paths_;
};

class ExecPage : public PathButtonsPage {
 public:
  explicit ExecPage(SettingsContext& context)
      : PathButtonsPage(context, u"Exec", kFirstProgramButton, kFirstProgramLabel,
                        {std::begin(kProgramLabels), std::end(kProgramLabels)}, 27) {}

 protected:
  std::u16string Read(std::size_t row) override { return settings().Program(kProgramKeys[row]); }
  void Write(std::size_t row, const std::u16string& path) override { settings().SetProgram(kProgramKeys[row], path); }
  std::optional<std::u16string> Ask(const std::u16string& current) override {
    auto* dialogs = env().platform().dialogs;
    if (dialogs == nullptr) return std::nullopt;
    return dialogs->OpenFile(owner(), u"(*.exe)|*.exe|", FolderOf(env(), current));
  }
};

class FolderPage : public PathButtonsPage {
 public:
  explicit FolderPage(SettingsContext& context)
      : PathButtonsPage(context, u"Folder", kFirstFolderButton, kFirstFolderLabel,
                        {std::begin(kFolderLabels), std::end(kFolderLabels)}, 23) {}

 protected:
  std::u16string Read(std::size_t row) override { return settings().Folder(kFolderKeys[row]); }
  void Write(std::size_t row, const std::u16string& path) override { settings().SetFolder(kFolderKeys[row], path); }
  std::optional<std::u16string> Ask(const std::u16string&) override {
    auto chosen = env().BrowseForFolder(owner(), env().KoreanUi() ? u"폴더 선택" : u"Choose a folder");
    if (chosen.empty()) return std::nullopt;
    return chosen;
  }
};

class ResolutionPage : public SettingsPage {
 public:
  using SettingsPage::SettingsPage;
  WindowTemplate Template() const override { return PageTemplate(u"Resolution", kResolutionControls); }

  void Fill(Window& window) override {
    int mode = kDefaultMode;
    if (settings().ScreenSizeModeSetting() == ScreenSizeMode::kChoose) mode = kAutoMode;
    if (settings().ScreenSizeModeSetting() == ScreenSizeMode::kCustom) {
      mode = kCustomMode;
      const auto size = ParsePoint(settings().store().GetString(u"Main", u"ScreenSize", u""), 0, 0);
      window.SetText(kWidthEdit, text::FromInt(size.x));
      window.SetText(kHeightEdit, text::FromInt(size.y));
    }
    window.SetCheck(mode, CheckState::kChecked);
    window.EnableControl(kSizeButton, mode == kCustomMode);
  }

  void Store(Window& window) override {
    if (IsChecked(window, kCustomMode)) {
      const auto typed = Typed(window);
      settings().SetScreenSize(ScreenSizeMode::kCustom, {typed.width, typed.height});
    } else {
      settings().SetScreenSize(IsChecked(window, kAutoMode) ? ScreenSizeMode::kChoose : ScreenSizeMode::kSystem, {});
    }
  }

  // False, after saying why, when "custom" is checked with a size that does not do.
  bool Check(Window& window) {
    if (!IsChecked(window, kCustomMode)) return true;
    const auto screen = context().screen;
    const auto verdict = CheckCustomSize(Typed(window), screen);
    if (verdict == CustomSizeCheck::kAccepted) return true;
    const bool korean = env().KoreanUi();
    platform::MessageBoxRequest box;
    box.owner = owner();
    box.caption = korean ? u"알림" : u"Information";
    box.icon = platform::MessageIcon::kExclamation;
    if (verdict == CustomSizeCheck::kTooSmall) {
      box.text = korean ? u"화면 크기가 너무 작습니다. 가로는 300 이상, 세로는 200 이상이어야 합니다."
                        : u"The screen size is too small: the width must be at least 300 and the height at least 200.";
    } else {
      const std::initializer_list<text::FormatArg> args = {std::int64_t{screen.width}, std::int64_t{screen.height}};
      box.text = text::Format(korean ? u"화면 크기가 너무 큽니다. 이 화면은 %d x %d입니다."
                                     : u"The screen size is too large: this screen is %d x %d.",
                              args);
    }
    env().platform().messageBoxes.Show(box);
    return false;
  }

  void OnCommand(Window& window, int id, Notification notification) override {
    if (notification != Notification::kClicked) return;
    if (id == kDefaultMode || id == kCustomMode || id == kAutoMode) {
      window.EnableControl(kSizeButton, IsChecked(window, kCustomMode));
      return;
    }
    if (id != kSizeButton) return;
    auto given = Typed(window);
    if (given.width <= 0 || given.height <= 0) given = context().screen;
    if (const auto chosen = RunScreenSizeDialog(env(), context().ui, context().sheet, given)) {
      window.SetText(kWidthEdit, text::FromInt(chosen->width));
      window.SetText(kHeightEdit, text::FromInt(chosen->height));
    }
  }

 private:
  static gfx::Size Typed(const Window& window) {
    return {text::ParseInt(window.GetText(kWidthEdit)), text::ParseInt(window.GetText(kHeightEdit))};
  }
};

class SkinPage : public SettingsPage {
 public:
  using SettingsPage::SettingsPage;
  WindowTemplate Template() const override { return PageTemplate(u"Skin", kSkinControls); }

  void Fill(Window& window) override {
    folder_ = settings().SkinFolder();
    window.SetText(kSkinFolderButton, ShownPath(env(), folder_, window.GetControlRect(kSkinFolderButton).width(),
                                                UsesLargeFont(context().screen)));
    ListSkinsOf(window, settings().SkinName());
    window.SetCheck(kRotateBox, Checked(settings().BackgroundAutoChange()));
    window.SetText(kTempoEdit, settings().store().GetString(u"Skin", u"BgndChangeTime", u"60"));
    window.SetCheck(kEditBox, CheckState::kUnchecked);
  }

  void Store(Window& window) override {
    settings().SetSkinFolder(folder_);
    // With no skin chosen (a folder without skins) the current one stays named.
    const int chosen = window.Selection(kSkinList);
    if (chosen >= 0 && chosen < static_cast<int>(skins_.size())) {
      settings().SetSkinName(skins_[static_cast<std::size_t>(chosen)]);
    }
    settings().SetBackgroundAutoChange(IsChecked(window, kRotateBox));
    settings().store().SetString(u"Skin", u"BgndChangeTime", window.GetText(kTempoEdit));
  }

  void OnCommand(Window& window, int id, Notification notification) override {
    if (id == kSkinList && notification == Notification::kSelectionChanged) {
      ShowPreview(window);
      return;
    }
    if (id != kSkinFolderButton || notification != Notification::kClicked) return;
    const auto chosen = env().BrowseForFolder(owner(), env().KoreanUi() ? u"스킨 폴더 선택" : u"Choose the skin folder");
    if (chosen.empty()) return;
    folder_ = chosen;
    window.SetText(kSkinFolderButton, ShownPath(env(), folder_, window.GetControlRect(kSkinFolderButton).width(),
                                                UsesLargeFont(context().screen)));
    ListSkinsOf(window, settings().SkinName());
    if (skins_.empty()) {
      platform::MessageBoxRequest box;
      box.owner = owner();
      box.text = env().KoreanUi() ? u"스킨 폴더가 없습니다." : u"The skin folder does not exist.";
      box.caption = env().KoreanUi() ? u"알림" : u"Information";
      box.icon = platform::MessageIcon::kInformation;
      env().platform().messageBoxes.Show(box);
    }
  }

 private:
  void ListSkinsOf(Window& window, const std::u16string& current) {
    window.ClearItems(kSkinList);
    skins_ = ListSkins(env().platform().files, env().ExpandStorage(folder_));
    int selected = -1;
    for (std::size_t i = 0; i < skins_.size(); ++i) {
      window.AddItem(kSkinList, skins_[i]);
      if (text::EqualsNoCase(skins_[i], current)) selected = static_cast<int>(i);
    }
    window.Select(kSkinList, selected);
    ShowPreview(window);
  }

  // The chosen skin's screenshot, stretched over the whole preview as a picture place shows its
  // picture; blank when the skin has none.
  void ShowPreview(Window& window) {
    const auto rect = window.GetControlRect(kPreview);
    gfx::Bitmap preview(rect.width(), rect.height(), gfx::ToPixel(gfx::SystemColors::kButtonFace));
    const int chosen = window.Selection(kSkinList);
    if (chosen >= 0 && chosen < static_cast<int>(skins_.size())) {
      auto dir = env().ExpandStorage(folder_);
      if (dir.empty() || dir.back() != u'\\') dir += u'\\';
      const auto path = FindScreenshot(env().platform().files, dir + skins_[static_cast<std::size_t>(chosen)]);
      gfx::Bitmap picture;
      if (!path.empty() && LoadPicture(env().platform().pictures, path, context().screen, picture)) {
        StretchToSize(picture, {rect.width(), rect.height()});
        preview = std::move(picture);
      }
    }
    window.SetControlPicture(kPreview, preview);
  }

  std::u16string folder_;
  std::vector<std::u16string> skins_;
};

class GpsPage : public SettingsPage {
 public:
  using SettingsPage::SettingsPage;
  WindowTemplate Template() const override { return PageTemplate(u"GPS", kGpsControls); }

  void Fill(Window& window) override {
    auto& s = settings();
    const auto port = s.GpsPort();
    for (int i = 0; i < 8; ++i) {
      window.AddItem(kPortList, kPorts[i]);
      if (port == kPorts[i]) window.Select(kPortList, i);
    }
    const int speed = s.GpsSpeed();
    for (int i = 0; i < 4; ++i) {
      window.AddItem(kSpeedList, text::FromInt(kSpeeds[i]));
      if (speed == kSpeeds[i]) window.Select(kSpeedList, i);
    }
    window.SetCheck(kEmulationBox, Checked(s.Emulation()));
    // The switch is ticked for a "Y" of any case, though only an upper-case one sends the message.
    window.SetCheck(kSirfBox, Checked(IsYesIgnoringCase(s.store().GetString(u"Gps", u"SirfToNmea", u"N"))));
    window.SetCheck(kGpsTimeBox, Checked(s.AutoGpsTime()));
    window.SetCheck(kGaugeBox, Checked(s.AutoSpeedGauge()));  // carries the older spelling over
  }

  void Store(Window& window) override {
    auto& s = settings();
    s.SetGpsPort(window.ItemText(kPortList, window.Selection(kPortList)));
    s.store().SetString(u"Gps", u"GpsSpeed", window.ItemText(kSpeedList, window.Selection(kSpeedList)));
    s.SetEmulation(IsChecked(window, kEmulationBox));
    s.SetSirfToNmea(IsChecked(window, kSirfBox));
    s.SetAutoGpsTime(IsChecked(window, kGpsTimeBox));
    s.SetAutoSpeedGauge(IsChecked(window, kGaugeBox));
  }
};

class EtcPage : public SettingsPage {
 public:
  using SettingsPage::SettingsPage;
  WindowTemplate Template() const override { return PageTemplate(u"Etc", kEtcControls); }

  void Fill(Window& window) override {
    auto& store = settings().store();
    window.SetText(kLogoEdit, settings().LogoFile());
    FillSeconds(window, kRefreshEdit, kRefreshSpin, store.GetString(u"ImageViewer", u"RefreshTime", u"5"));
    FillSeconds(window, kDisplayEdit, kDisplaySpin, store.GetString(u"ImageViewer", u"LogoDispTime", u"7"));
  }

  void Store(Window& window) override {
    auto& store = settings().store();
    settings().SetLogoFile(window.GetText(kLogoEdit));
    store.SetString(u"ImageViewer", u"RefreshTime", window.GetText(kRefreshEdit));
    store.SetString(u"ImageViewer", u"LogoDispTime", window.GetText(kDisplayEdit));
  }

  void OnCommand(Window& window, int id, Notification notification) override {
    if (id != kLogoButton || notification != Notification::kClicked) return;
    auto* dialogs = env().platform().dialogs;
    if (dialogs == nullptr) return;
    const auto chosen = dialogs->OpenFile(owner(), u"Picture(*.bmp;*.jpg;*.gif;*.png)|*.bmp;*.jpg;*.gif;*.png|",
                                          FolderOf(env(), window.GetText(kLogoEdit)));
    if (chosen) window.SetText(kLogoEdit, *chosen);
  }
};

}  // namespace

std::unique_ptr<SettingsPage> MakeSettingsPage(SettingsPageKind kind, SettingsContext& context) {
  switch (kind) {
    case SettingsPageKind::kAbout: return std::make_unique<AboutPage>(context);
    case SettingsPageKind::kMain: return std::make_unique<MainPage>(context);
    case SettingsPageKind::kExec: return std::make_unique<ExecPage>(context);
    case SettingsPageKind::kFolder: return std::make_unique<FolderPage>(context);
    case SettingsPageKind::kResolution: return std::make_unique<ResolutionPage>(context);
    case SettingsPageKind::kSkin: return std::make_unique<SkinPage>(context);
    case SettingsPageKind::kGps: return std::make_unique<GpsPage>(context);
    case SettingsPageKind::kEtc: return std::make_unique<EtcPage>(context);
  }
  return nullptr;
}

bool CheckResolutionPage(SettingsPage& page, platform::ui::Window& window) {
  auto* resolution = dynamic_cast<ResolutionPage*>(&page);
  return resolution == nullptr || resolution->Check(window);
}

bool SkinEditRequested(platform::ui::Window& skinPage) { return IsChecked(skinPage, kEditBox); }

CustomSizeCheck CheckCustomSize(gfx::Size typed, gfx::Size screen) {
  if (typed.width < 300 || typed.height < 200) return CustomSizeCheck::kTooSmall;
  if (typed.width > screen.width || typed.height > screen.height) return CustomSizeCheck::kTooLarge;
  return CustomSizeCheck::kAccepted;
}

}  // namespace vexa::deck
