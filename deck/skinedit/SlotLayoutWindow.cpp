#include "deck/skinedit/SlotLayoutWindow.h"

#include <algorithm>

#include "common/text/Format.h"
#include "common/text/Text.h"
#include "deck/DialogLayout.h"
#include "deck/skinedit/FontDialog.h"
#include "platform/ui/Graphics.h"

namespace vexa::deck {

namespace {

using platform::ui::CheckState;
using platform::ui::ControlKind;
using platform::ui::ControlTemplate;
using platform::ui::Notification;
using platform::ui::Window;
using platform::ui::WindowTemplate;

enum : int {
  // The window.
  kBtnLabel = 1001,
  kBtnList = 1002,
  kPrev = 1003,
  kNext = 1004,
  kTab = 1005,
  // "Act".
  kActionLabel = 1101,
  kAction = 1102,
  kActionBrowse = 1103,
  kViewLabel = 1104,
  kView = 1105,
  kViewClear = 1106,
  kActive = 1107,
  // "Pos".
  kStepLabel = 1201,
  kStep1 = 1202,  // to kStep1 + 3: steps 1, 5, 10, 30
  kMoveLabel = 1206,
  kMoveUp = 1207,  // up, left, right, down
  kResizeLabel = 1211,
  kResizeUp = 1212,  // shorter, narrower, wider, taller
  kAdjustLabel = 1216,
  kAuto = 1217,
  // "Btn".
  kUpLabel = 1301,
  kUp = 1302,
  kUpClear = 1303,
  kDownLabel = 1304,
  kDown = 1305,
  kDownClear = 1306,
  kTrColorLabel = 1307,
  kTrColor = 1308,
  kTrColorPick = 1309,
  kTrColorAuto = 1310,
  // "Txt".
  kTextLabel = 1401,
  kText = 1402,
  kTextClear = 1403,
  kFontLabel = 1404,
  kFontPick = 1405,
  kFaceName = 1406,
  kCaptionColor = 1407,
  kHAlignLabel = 1408,
  kHAlign = 1409,
  kVAlignLabel = 1410,
  kVAlign = 1411,
  // "Wav".
  kWaveLabel = 1501,
  kWave = 1502,
  kWaveClear = 1503,
  kPlay = 1504,
};

enum PageIndex : int { kActPage = 0, kPosPage = 1, kBtnPage = 2, kTxtPage = 3, kWavPage = 4 };
constexpr std::array<const char16_t*, SlotLayoutWindow::kPageCount> kPageNames = {u"Act", u"Pos", u"Btn", u"Txt",
                                                                                  u"Wav"};

constexpr std::array<int, 4> kSteps = {1, 5, 10, 30};

// The command words "Action:" offers, in their order.
constexpr std::array<const char16_t*, 29> kActions = {
    u"GO-IMAGEVIEW",    u"GO-TASKMAN",   u"GO-TASKBAR",  u"GO-CALENDAR", u"GO-CLOCK",    u"GO-CONFIG",
    u"GO-EXIT",         u"RUN-NAVIGATION", u"RUN-TOOLBAR", u"RUN-MOVIE",   u"RUN-MP3",     u"RUN-FLASH",
    u"RUN-DMB",         u"SEL-MOVIE",    u"SEL-MP3",     u"SEL-FLASH",   u"SEL-APPLICATION", u"SEL-GAME",
    u"SEL-SYSTEM",      u"BGND-CHANGE",  u"BGND-PREV",   u"BGND-NEXT",   u"PIC-PREV",    u"PIC-NEXT",
    u"SKIN-EDIT",       u"SKIN-CHANGE",  u"GPS-TIME",    u"GPS-SPEED",   u"NONE"};

// The display kinds "View:" offers. The gauges keep the spelling skin files have always used; the
// launcher reads both spellings and holds the corrected one.
constexpr std::array<const char16_t*, 17> kViews = {
    u"DISPLAY-DATE",     u"DISPLAY-TIME",     u"DISPLAY-MESSAGE",  u"DISPLAY-SPEED",    u"DISPLAY-LATITUDE",
    u"DISPLAY-LONGITUDE", u"DISPLAY-COURSE",  u"DISPLAY-ALTITUDE", u"DISPLAY-HDOP",     u"DISPLAY-PICTURE1",
    u"DISPLAY-PICTURE2", u"DISPLAY-PICTURE3", u"DISPLAY-PICTURE4", u"DISPLAY-PICTURE5", u"DISPLAY-PICTURE6",
    u"GUAGE-SPEED",      u"GUAGE-COURSE"};

std::u16string HeldKind(std::u16string_view shown) {
  if (text::EqualsNoCase(shown, u"GUAGE-SPEED")) return u"GAUGE-SPEED";
  if (text::EqualsNoCase(shown, u"GUAGE-COURSE")) return u"GAUGE-COURSE";
  return std::u16string(shown);
}

// "Hor.:" letters by alignment code (left 0, right 1, centre 2); "Vert.:" letters and their
// position codes (right of the picture 0, below 1, left of it 2, over it 3).
constexpr std::array<const char16_t*, 3> kHorizontal = {u"L", u"R", u"C"};
constexpr std::array<const char16_t*, 4> kVertical = {u"L", u"R", u"B", u"C"};
constexpr std::array<int, 4> kVerticalCodes = {2, 0, 1, 3};

constexpr int kNoCode = -1;

int IndexOfNoCase(const std::vector<std::u16string>& names, std::u16string_view name) {
  if (name.empty()) return -1;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (text::EqualsNoCase(names[i], name)) return static_cast<int>(i);
  }
  return -1;
}

ControlTemplate Label(int id, gfx::Rect rect, const char16_t* caption) {
  return {id, ControlKind::kStatic, rect, caption, platform::ui::kStyleNone};
}
ControlTemplate Button(int id, gfx::Rect rect, const char16_t* caption) {
  return {id, ControlKind::kPushButton, rect, caption, platform::ui::kStyleNone};
}

// The window on the small font; everything grows by half on large screens.
WindowTemplate LayoutTemplate(gfx::Size screen) {
  WindowTemplate tmpl;
  tmpl.title = u"Layout";
  tmpl.style = platform::ui::kCaption;
  tmpl.rect = Centred(screen, 300, 232);
  tmpl.controls = {
      Label(kBtnLabel, {4, 4, 36, 28}, u"Btn:"),
      {kBtnList, ControlKind::kComboList, {38, 4, 220, 28}, u"", platform::ui::kStyleNone},
      Button(kPrev, {224, 4, 258, 28}, u"P"),
      Button(kNext, {262, 4, 296, 28}, u"N"),
      {kTab, ControlKind::kTab, {4, 32, 296, 198}, u"", platform::ui::kStyleNone},
      {kIdOk, ControlKind::kDefaultPushButton, {206, 202, 296, 228}, u"Save", platform::ui::kStyleNone},
  };
  ScaleForLargeFont(tmpl, screen);
  return tmpl;
}

// The pages, in page coordinates; a page is 283 × 143 on the small font.
std::vector<ControlTemplate> PageControls(int page) {
  switch (page) {
    case kActPage:
      return {
          Label(kActionLabel, {4, 6, 62, 30}, u"Action:"),
          {kAction, ControlKind::kComboEdit, {64, 6, 232, 30}, u"", platform::ui::kStyleNone},
          Button(kActionBrowse, {236, 6, 278, 30}, u"..."),
          Label(kViewLabel, {4, 36, 62, 60}, u"View:"),
          {kView, ControlKind::kComboList, {64, 36, 232, 60}, u"", platform::ui::kStyleNone},
          Button(kViewClear, {236, 36, 278, 60}, u"X"),
          {kActive, ControlKind::kCheckBox, {64, 68, 200, 92}, u"Active", platform::ui::kStyleNone},
      };
    case kPosPage:
      return {
          Label(kStepLabel, {4, 6, 62, 30}, u"Step:"),
          {kStep1, ControlKind::kRadioButton, {64, 6, 112, 30}, u"1", platform::ui::kGroupStart},
          {kStep1 + 1, ControlKind::kRadioButton, {116, 6, 164, 30}, u"5", platform::ui::kStyleNone},
          {kStep1 + 2, ControlKind::kRadioButton, {168, 6, 222, 30}, u"10", platform::ui::kStyleNone},
          {kStep1 + 3, ControlKind::kRadioButton, {226, 6, 280, 30}, u"30", platform::ui::kStyleNone},
          Label(kMoveLabel, {4, 38, 62, 62}, u"Move:"),
          Button(kMoveUp, {64, 38, 100, 62}, u"U"),
          Button(kMoveUp + 1, {104, 38, 140, 62}, u"L"),
          Button(kMoveUp + 2, {144, 38, 180, 62}, u"R"),
          Button(kMoveUp + 3, {184, 38, 220, 62}, u"D"),
          Label(kResizeLabel, {4, 68, 62, 92}, u"Resize:"),
          Button(kResizeUp, {64, 68, 100, 92}, u"U"),
          Button(kResizeUp + 1, {104, 68, 140, 92}, u"L"),
          Button(kResizeUp + 2, {144, 68, 180, 92}, u"R"),
          Button(kResizeUp + 3, {184, 68, 220, 92}, u"D"),
          Label(kAdjustLabel, {4, 98, 62, 122}, u"Adjust:"),
          Button(kAuto, {64, 98, 140, 122}, u"Auto"),
      };
    case kBtnPage:
      return {
          Label(kUpLabel, {4, 6, 62, 30}, u"UP:"),
          {kUp, ControlKind::kComboList, {64, 6, 232, 30}, u"", platform::ui::kStyleNone},
          Button(kUpClear, {236, 6, 278, 30}, u"X"),
          Label(kDownLabel, {4, 36, 62, 60}, u"DN:"),
          {kDown, ControlKind::kComboList, {64, 36, 232, 60}, u"", platform::ui::kStyleNone},
          Button(kDownClear, {236, 36, 278, 60}, u"X"),
          Label(kTrColorLabel, {4, 66, 67, 90}, u"TrColor:"),
          {kTrColor, ControlKind::kStatic, {69, 66, 170, 90}, u"", platform::ui::kBorder},
          Button(kTrColorPick, {174, 66, 210, 90}, u"..."),
          Button(kTrColorAuto, {214, 66, 278, 90}, u"Auto"),
      };
    case kTxtPage:
      return {
          Label(kTextLabel, {4, 6, 62, 30}, u"Text:"),
          {kText, ControlKind::kEdit, {64, 6, 232, 30}, u"", platform::ui::kStyleNone},
          Button(kTextClear, {236, 6, 278, 30}, u"X"),
          Label(kFontLabel, {4, 36, 62, 60}, u"Font:"),
          Button(kFontPick, {64, 36, 100, 60}, u"..."),
          {kFaceName, ControlKind::kStatic, {104, 36, 232, 60}, u"", platform::ui::kStyleNone},
          Button(kCaptionColor, {236, 36, 278, 60}, u"Col"),
          Label(kHAlignLabel, {4, 66, 62, 90}, u"Hor.:"),
          {kHAlign, ControlKind::kComboList, {64, 66, 124, 90}, u"", platform::ui::kStyleNone},
          Label(kVAlignLabel, {136, 66, 186, 90}, u"Vert.:"),
          {kVAlign, ControlKind::kComboList, {188, 66, 248, 90}, u"", platform::ui::kStyleNone},
      };
    case kWavPage:
    default:
      return {
          Label(kWaveLabel, {4, 6, 62, 30}, u"WAV:"),
          {kWave, ControlKind::kComboList, {64, 6, 232, 30}, u"", platform::ui::kStyleNone},
          Button(kWaveClear, {236, 6, 278, 30}, u"X"),
          Button(kPlay, {64, 38, 140, 62}, u"Play"),
      };
  }
}

int Scaled(int v, gfx::Size screen) { return UsesLargeFont(screen) ? v * 3 / 2 : v; }

}  // namespace

SlotLayoutWindow::SlotLayoutWindow(Environment& env, platform::ui::UserInterface& ui, SkinEditorHost& host,
                                   SkinEditor& editor)
    : env_(env),
      ui_(ui),
      host_(host),
      editor_(editor),
      screen_(ui.ScreenSize()),
      handlers_{Page(*this), Page(*this), Page(*this), Page(*this), Page(*this)} {}

void SlotLayoutWindow::Run(int slotIndex) {
  slot_ = std::clamp(slotIndex, 0, kSlotCount - 1);
  tmpl_ = LayoutTemplate(screen_);
  slot().SetHighlighted(true, true);
  ui_.RunModal(tmpl_, *this, host_.EditorOwner());
  slot().SetHighlighted(false, true);
  window_ = nullptr;
  pages_ = {};
}

platform::WindowHandle SlotLayoutWindow::handle() const {
  return window_ != nullptr ? window_->handle() : platform::kNoWindow;
}

void SlotLayoutWindow::OnInit(Window& window) {
  window_ = &window;
  ApplyLargeFont(env_, window, tmpl_, screen_);
  for (int n = 1; n <= kSlotCount; ++n) window.AddItem(kBtnList, SlotEntryText(n, host_.EditedSlot(n - 1).caption()));
  window.Select(kBtnList, slot_);
  for (const char16_t* name : kPageNames) window.AddItem(kTab, name);

  pictures_ = SkinFileChoices(env_.platform().files, host_.EditedSkin(), SkinFileKind::kButton);
  sounds_ = SkinFileChoices(env_.platform().files, host_.EditedSkin(), SkinFileKind::kWave);
  CreatePages(window);
  Fill();
  ShowPage(std::clamp(editor_.lastPage(), 0, kPageCount - 1));
}

// The pages lie over the tab control's display area: its rectangle less 3 pixels on the left, 6 on
// the right, 23 at the top (the labels) and 3 at the bottom.
void SlotLayoutWindow::CreatePages(Window& window) {
  const gfx::Rect tab = window.GetControlRect(kTab);
  const gfx::Rect area{tab.left + Scaled(3, screen_), tab.top + Scaled(23, screen_), tab.right - Scaled(6, screen_),
                       tab.bottom - Scaled(3, screen_)};
  for (int i = 0; i < kPageCount; ++i) {
    WindowTemplate page;
    page.title = std::u16string(u"Layout ") + kPageNames[static_cast<std::size_t>(i)];
    page.style = platform::ui::kChildWindow;
    page.rect = area;
    page.controls = PageControls(i);
    if (UsesLargeFont(screen_)) {
      for (auto& control : page.controls) {
        control.rect = {control.rect.left * 3 / 2, control.rect.top * 3 / 2, control.rect.right * 3 / 2,
                        control.rect.bottom * 3 / 2};
      }
    }
    Window& child = ui_.CreateChild(window, page, handlers_[static_cast<std::size_t>(i)]);
    ApplyLargeFont(env_, child, page, screen_);
    child.Show(false);
    pages_[static_cast<std::size_t>(i)] = &child;
  }
  Window& act = *pages_[kActPage];
  for (const char16_t* word : kActions) act.AddItem(kAction, word);
  for (const char16_t* kind : kViews) act.AddItem(kView, kind);
  Window& btn = *pages_[kBtnPage];
  for (const auto& name : pictures_) {
    btn.AddItem(kUp, name);
    btn.AddItem(kDown, name);
  }
  Window& txt = *pages_[kTxtPage];
  for (const char16_t* letter : kHorizontal) txt.AddItem(kHAlign, letter);
  for (const char16_t* letter : kVertical) txt.AddItem(kVAlign, letter);
  for (const auto& name : sounds_) pages_[kWavPage]->AddItem(kWave, name);
}

void SlotLayoutWindow::ShowPage(int page) {
  for (int i = 0; i < kPageCount; ++i) {
    if (pages_[static_cast<std::size_t>(i)] != nullptr) pages_[static_cast<std::size_t>(i)]->Show(i == page);
  }
  page_ = page;
  editor_.SetLastPage(page);
  if (window_ != nullptr) window_->Select(kTab, page);
}

void SlotLayoutWindow::SelectSlot(int index) {
  if (index == slot_) return;
  slot().SetHighlighted(false, true);
  slot_ = index;
  slot().SetHighlighted(true, true);
  if (window_ != nullptr) window_->Select(kBtnList, slot_);
  Fill();
}

void SlotLayoutWindow::OnCommand(Window& window, int id, Notification notification) {
  if (id == kBtnList && notification == Notification::kSelectionChanged) {
    const int index = window.Selection(kBtnList);
    if (index >= 0 && index < kSlotCount) SelectSlot(index);
    return;
  }
  if (id == kTab && notification == Notification::kSelectionChanged) {
    const int page = window.Selection(kTab);
    if (page >= 0 && page < kPageCount) ShowPage(page);
    return;
  }
  if (notification != Notification::kClicked) return;
  const int count = window.ItemCount(kBtnList);
  if (id == kPrev && count > 0) SelectSlot(slot_ == 0 ? count - 1 : slot_ - 1);
  if (id == kNext && count >= 2) SelectSlot(slot_ + 1 >= count ? 0 : slot_ + 1);
  if (id == kIdOk) window.EndModal(1);
}

// --- Filling the pages from the slot -----------------------------------------------------------------

void SlotLayoutWindow::Fill() {
  FillAct(*pages_[kActPage]);
  FillPos(*pages_[kPosPage]);
  FillBtn(*pages_[kBtnPage]);
  FillTxt(*pages_[kTxtPage]);
  FillWav(*pages_[kWavPage]);
}

void SlotLayoutWindow::FillAct(Window& page) {
  int action = -1;
  for (std::size_t i = 0; i < kActions.size(); ++i) {
    if (text::EqualsNoCase(kActions[i], slot().command())) action = static_cast<int>(i);
  }
  page.Select(kAction, action);
  page.SetText(kAction, slot().command());
  int view = -1;
  for (std::size_t i = 0; i < kViews.size(); ++i) {
    if (text::EqualsNoCase(HeldKind(kViews[i]), slot().displayKind())) view = static_cast<int>(i);
  }
  page.Select(kView, view);
  page.SetCheck(kActive, slot().IsVisible() ? CheckState::kChecked : CheckState::kUnchecked);
}

void SlotLayoutWindow::FillPos(Window& page) {
  for (std::size_t i = 0; i < kSteps.size(); ++i) {
    page.SetCheck(kStep1 + static_cast<int>(i), kSteps[i] == editor_.step() ? CheckState::kChecked : CheckState::kUnchecked);
  }
}

void SlotLayoutWindow::FillBtn(Window& page) {
  page.Select(kUp, IndexOfNoCase(pictures_, ShownFileName(slot().picturePath(ButtonSlot::kNormalPicture),
                                                          SkinFileKind::kButton)));
  page.Select(kDown, IndexOfNoCase(pictures_, ShownFileName(slot().picturePath(ButtonSlot::kPressedPicture),
                                                            SkinFileKind::kButton)));
  page.SetText(kTrColor, TransparentColorText(slot().transparentColor()));
}

void SlotLayoutWindow::FillTxt(Window& page) {
  page.SetText(kText, slot().caption());
  page.SetText(kFaceName, slot().face().empty() ? slot().defaultFace() : slot().face());
  const int alignment = slot().captionAlignment();
  page.Select(kHAlign, alignment >= 0 && alignment < 3 ? alignment : kNoCode);
  int vertical = kNoCode;
  for (std::size_t i = 0; i < kVerticalCodes.size(); ++i) {
    if (kVerticalCodes[i] == slot().captionPosition()) vertical = static_cast<int>(i);
  }
  page.Select(kVAlign, vertical);
}

void SlotLayoutWindow::FillWav(Window& page) {
  page.Select(kWave, IndexOfNoCase(sounds_, ShownFileName(slot().sound(), SkinFileKind::kWave)));
}

// --- What the pages do -------------------------------------------------------------------------------

void SlotLayoutWindow::OnPageCommand(Window& page, int id, Notification notification) {
  if (id >= 1100 && id < 1200) OnAct(page, id, notification);
  if (id >= 1200 && id < 1300 && notification == Notification::kClicked) OnPos(id);
  if (id >= 1300 && id < 1400) OnBtn(page, id, notification);
  if (id >= 1400 && id < 1500) OnTxt(page, id, notification);
  if (id >= 1500 && id < 1600) OnWav(page, id, notification);
}

void SlotLayoutWindow::OnAct(Window& page, int id, Notification notification) {
  if (id == kAction && notification == Notification::kSelectionChanged) {
    const int index = page.Selection(kAction);
    if (index < 0 || static_cast<std::size_t>(index) >= kActions.size()) return;
    Touch();
    slot().SetCommand(kActions[static_cast<std::size_t>(index)]);
    return;
  }
  if (id == kAction && notification == Notification::kTextChanged) {
    Touch();
    slot().SetCommand(page.GetText(kAction));
    return;
  }
  if (id == kView && notification == Notification::kSelectionChanged) {
    const int index = page.Selection(kView);
    if (index < 0 || static_cast<std::size_t>(index) >= kViews.size()) return;
    Touch();
    slot().SetDisplayKind(HeldKind(kViews[static_cast<std::size_t>(index)]), true);
    return;
  }
  if (notification != Notification::kClicked) return;
  if (id == kActionBrowse) {
    auto* dialogs = env_.platform().dialogs;
    if (dialogs == nullptr) return;
    const auto path = dialogs->OpenFile(handle(), u"Execute File (*.exe)|*.exe||", u"");
    if (!path) return;
    Touch();
    slot().SetCommand(*path);
    page.Select(kAction, -1);
    page.SetText(kAction, *path);
  } else if (id == kViewClear) {
    Touch();
    slot().SetDisplayKind(u"", true);
    page.Select(kView, -1);
  } else if (id == kActive) {
    Touch();
    slot().Show(page.GetCheck(kActive) == CheckState::kChecked);
    slot().Redraw();
  }
}

// Moves and sizes know no bounds: a slot may leave the window and its size may go to 0 or below.
void SlotLayoutWindow::OnPos(int id) {
  if (id >= kStep1 && id < kStep1 + 4) {
    editor_.SetStep(kSteps[static_cast<std::size_t>(id - kStep1)]);
    return;
  }
  const int step = editor_.step();
  gfx::Rect r = slot().rect();
  if (id >= kMoveUp && id < kMoveUp + 4) {
    static constexpr std::array<gfx::Point, 4> kDirections = {{{0, -1}, {-1, 0}, {1, 0}, {0, 1}}};
    const gfx::Point d = kDirections[static_cast<std::size_t>(id - kMoveUp)];
    r = r.Offset(d.x * step, d.y * step);
  } else if (id == kResizeUp) {
    r.bottom -= step;
  } else if (id == kResizeUp + 1) {
    r.right -= step;
  } else if (id == kResizeUp + 2) {
    r.right += step;
  } else if (id == kResizeUp + 3) {
    r.bottom += step;
  } else if (id == kAuto) {
    const auto size = slot().PictureSize(ButtonSlot::kNormalPicture);
    if (!size || size->width < 1 || size->height < 1) return;
    r = gfx::Rect::FromSize(r.left, r.top, size->width, size->height);
  } else {
    return;
  }
  Touch();
  slot().Place(r, true);
}

void SlotLayoutWindow::SetPicture(ButtonSlot::PictureIndex which, std::u16string_view path) {
  Touch();
  std::u16string pressed = slot().picturePath(ButtonSlot::kPressedPicture);
  std::u16string normal = slot().picturePath(ButtonSlot::kNormalPicture);
  const std::u16string disabled = slot().picturePath(ButtonSlot::kDisabledPicture);
  (which == ButtonSlot::kPressedPicture ? pressed : normal) = path;
  slot().SetPictures(pressed, normal, disabled, true);
}

void SlotLayoutWindow::OnBtn(Window& page, int id, Notification notification) {
  const SkinLocation& skin = host_.EditedSkin();
  if ((id == kUp || id == kDown) && notification == Notification::kSelectionChanged) {
    const int index = page.Selection(id);
    if (index < 0 || static_cast<std::size_t>(index) >= pictures_.size()) return;
    SetPicture(id == kUp ? ButtonSlot::kNormalPicture : ButtonSlot::kPressedPicture,
               ResolveSkinFile(skin.folder, skin.name, SkinFileKind::kButton, pictures_[static_cast<std::size_t>(index)]));
    return;
  }
  if (notification != Notification::kClicked) return;
  if (id == kUpClear || id == kDownClear) {
    SetPicture(id == kUpClear ? ButtonSlot::kNormalPicture : ButtonSlot::kPressedPicture, u"");
    page.Select(id == kUpClear ? kUp : kDown, -1);
  } else if (id == kTrColorPick || id == kTrColorAuto) {
    gfx::ColorRef color = gfx::kAutoTransparent;
    if (id == kTrColorPick) {
      auto* dialogs = env_.platform().dialogs;
      if (dialogs == nullptr) return;
      const gfx::ColorRef current = slot().transparentColor();
      const auto chosen = dialogs->ChooseColor(handle(), current == gfx::kAutoTransparent ? gfx::Rgb(0, 0, 0) : current);
      if (!chosen) return;
      color = *chosen & 0xFFFFFFu;
    }
    Touch();
    slot().SetTransparentColor(color, true);
    page.SetText(kTrColor, TransparentColorText(color));
  }
}

void SlotLayoutWindow::ChooseFont(Window& page) {
  FontChoice initial;
  initial.face = slot().face().empty() ? slot().defaultFace() : slot().face();
  initial.height = slot().captionHeight();
  const std::u16string preview = slot().caption().empty() ? std::u16string(u"Sample Text") : slot().caption();
  const auto chosen = RunFontDialog(env_, ui_, window_, initial, preview);
  if (!chosen) return;
  // The styles of the dialog are not the slot's: only the face and the height change.
  Touch();
  slot().SetFace(chosen->face);
  slot().SetCaptionHeight(chosen->height, true);
  page.SetText(kFaceName, chosen->face);
}

void SlotLayoutWindow::OnTxt(Window& page, int id, Notification notification) {
  if (id == kText && notification == Notification::kTextChanged) {
    Touch();
    slot().SetCaption(page.GetText(kText), true);
    RefreshEntry();
    return;
  }
  if (id == kHAlign && notification == Notification::kSelectionChanged) {
    const int index = page.Selection(kHAlign);
    if (index < 0 || index >= static_cast<int>(kHorizontal.size())) return;
    Touch();
    slot().SetCaptionAlignment(index, true);
    return;
  }
  if (id == kVAlign && notification == Notification::kSelectionChanged) {
    const int index = page.Selection(kVAlign);
    if (index < 0 || index >= static_cast<int>(kVertical.size())) return;
    Touch();
    slot().SetCaptionPosition(kVerticalCodes[static_cast<std::size_t>(index)], true);
    return;
  }
  if (notification != Notification::kClicked) return;
  if (id == kTextClear) {
    Touch();
    page.SetText(kText, u"");
    slot().SetCaption(u"", true);
    RefreshEntry();
  } else if (id == kFontPick) {
    ChooseFont(page);
  } else if (id == kCaptionColor) {
    auto* dialogs = env_.platform().dialogs;
    if (dialogs == nullptr) return;
    const auto chosen = dialogs->ChooseColor(handle(), slot().color(kColorNormalCaption));
    if (!chosen) return;
    Touch();
    for (int index : {kColorPressedCaption, kColorNormalCaption, kColorFocusedCaption}) {
      slot().SetColor(index, *chosen & 0xFFFFFFu);
    }
    slot().Redraw();
  }
}

void SlotLayoutWindow::OnWav(Window& page, int id, Notification notification) {
  if (id == kWave && notification == Notification::kSelectionChanged) {
    const int index = page.Selection(kWave);
    if (index < 0 || static_cast<std::size_t>(index) >= sounds_.size()) return;
    const SkinLocation& skin = host_.EditedSkin();
    Touch();
    slot().SetSound(ResolveSkinFile(skin.folder, skin.name, SkinFileKind::kWave, sounds_[static_cast<std::size_t>(index)]));
    return;
  }
  if (notification != Notification::kClicked) return;
  if (id == kWaveClear) {
    Touch();
    slot().SetSound(u"");
    page.Select(kWave, -1);
  } else if (id == kPlay) {
    auto* sound = env_.platform().sound;
    if (sound != nullptr && !slot().sound().empty()) sound->Play(slot().sound());
  }
}

void SlotLayoutWindow::Touch() {
  if (!slot().name().empty()) return;
  // "Button07" for slot 7, unless another slot already carries that section.
  for (int n = slot_ + 1;; n += kSlotCount) {
    const std::u16string name = text::Format(u"Button%.2d", {std::int64_t{n}});
    bool taken = false;
    for (int i = 0; i < kSlotCount && !taken; ++i) taken = text::EqualsNoCase(host_.EditedSlot(i).name(), name);
    if (!taken) {
      slot().SetName(name);
      return;
    }
  }
}

void SlotLayoutWindow::RefreshEntry() {
  if (window_ != nullptr) window_->SetItemText(kBtnList, slot_, SlotEntryText(slot_ + 1, slot().caption()));
}

}  // namespace vexa::deck
