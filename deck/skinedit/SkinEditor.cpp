#include "deck/skinedit/SkinEditor.h"

#include <algorithm>

#include "common/SettingValues.h"
#include "common/text/Format.h"
#include "common/text/Text.h"
#include "deck/DialogLayout.h"
#include "deck/skinedit/SlotLayoutWindow.h"
#include "platform/ui/Graphics.h"

namespace vexa::deck {

namespace {

using platform::ui::CheckState;
using platform::ui::ControlKind;
using platform::ui::Notification;
using platform::ui::Window;

enum : int {
  kToggle = 1001,
  kNameLabel = 1002,
  kName = 1003,
  kBackgroundLabel = 1004,
  kBackground = 1005,
  kIconSize = 1006,
  kFontLabel = 1007,
  kFont = 1008,
};

constexpr char16_t kCollapsed[] = u"\u2198";  // "↘": tap to open the window
constexpr char16_t kExpanded[] = u"\u2196";   // "↖": tap to fold it away

// The toggle sits in the top-left corner, so the folded window is the toggle alone at (0, 0).
platform::ui::WindowTemplate GeneralLayoutTemplate(gfx::Size screen) {
  platform::ui::WindowTemplate tmpl;
  tmpl.title = u"General Layout";
  tmpl.style = platform::ui::kCaption;
  tmpl.rect = {0, 0, 270, 172};
  tmpl.controls = {
      {kToggle, ControlKind::kPushButton, {0, 0, 40, 26}, u"OK", platform::ui::kStyleNone},
      {kNameLabel, ControlKind::kStatic, {4, 32, 108, 54}, u"Name:", platform::ui::kStyleNone},
      {kName, ControlKind::kEdit, {110, 32, 266, 54}, u"", platform::ui::kStyleNone},
      {kBackgroundLabel, ControlKind::kStatic, {4, 60, 108, 82}, u"Background:", platform::ui::kStyleNone},
      {kBackground, ControlKind::kComboList, {110, 60, 266, 82}, u"", platform::ui::kStyleNone},
      {kIconSize, ControlKind::kCheckBox, {4, 86, 160, 108}, u"Size of icon", platform::ui::kStyleNone},
      {kFontLabel, ControlKind::kStatic, {4, 112, 108, 134}, u"Font:", platform::ui::kStyleNone},
      {kFont, ControlKind::kComboList, {110, 112, 266, 134}, u"", platform::ui::kStyleNone},
      {kIdOk, ControlKind::kPushButton, {4, 140, 131, 168}, u"Save", platform::ui::kStyleNone},
      {kIdCancel, ControlKind::kPushButton, {139, 140, 266, 168}, u"Cancel", platform::ui::kStyleNone},
  };
  ScaleForLargeFont(tmpl, screen);
  tmpl.rect = gfx::Rect::FromSize(0, 0, tmpl.rect.width(), tmpl.rect.height());
  return tmpl;
}

bool IsPictureName(std::u16string_view name) {
  for (std::u16string_view ext : {u".bmp", u".jpg", u".gif", u".png"}) {
    if (text::EndsWithNoCase(name, ext)) return true;
  }
  return false;
}

std::u16string_view FolderOf(SkinFileKind kind) {
  switch (kind) {
    case SkinFileKind::kBackground:
      return u"background";
    case SkinFileKind::kButton:
      return u"button";
    case SkinFileKind::kWave:
      return u"wave";
  }
  return {};
}

}  // namespace

std::vector<std::u16string> SkinFileChoices(platform::FileSystem& files, const SkinLocation& skin,
                                            SkinFileKind kind) {
  const std::u16string folder(FolderOf(kind));
  const bool wave = kind == SkinFileKind::kWave;
  const std::u16string pattern = wave ? u"*.wav" : u"*.*";
  std::vector<std::u16string> names;
  auto add = [&](const std::u16string& where, std::u16string_view mark) {
    for (const auto& entry : files.Find(where + pattern)) {
      if (entry.directory) continue;
      if (!wave && !IsPictureName(entry.name)) continue;
      names.push_back(std::u16string(mark) + entry.name);
    }
  };
  add(skin.folder + skin.name + u"\\" + folder + u"\\", u"");
  add(skin.folder + u"_Common\\" + folder + u"\\", u"+");
  return names;
}

std::u16string TransparentColorText(gfx::ColorRef color) {
  if ((color & 0xFF000000u) == 0xFF000000u) return u"Auto";
  return text::Format(u"%d,%d,%d", {std::int64_t{color & 0xFF}, std::int64_t{(color >> 8) & 0xFF},
                                    std::int64_t{(color >> 16) & 0xFF}});
}

std::u16string SlotEntryText(int number, std::u16string_view caption) {
  if (caption.empty()) return text::Format(u"%.2d:Button%.2d", {std::int64_t{number}, std::int64_t{number}});
  return text::Format(u"%.2d:%s", {std::int64_t{number}, std::u16string(caption)});
}

SkinEditor::SkinEditor(Environment& env, platform::ui::UserInterface& ui, SkinEditorHost& host)
    : env_(env), ui_(ui), host_(host) {}

SkinEditor::~SkinEditor() { Abandon(); }

bool SkinEditor::Enter() {
  if (editing_) return true;
  tmpl_ = GeneralLayoutTemplate(ui_.ScreenSize());
  window_ = &ui_.CreateModeless(tmpl_, *this, host_.EditorOwner());
  editing_ = true;
  SetEditAppearance(true);
  return true;
}

void SkinEditor::SetEditAppearance(bool on) {
  for (int i = 0; i < kSlotCount; ++i) host_.EditedSlot(i).SetMovable(on, true);
  if (auto* owner = host_.EditorOwner()) {
    owner->Invalidate();
    owner->Update();
  }
}

void SkinEditor::OnInit(Window& window) {
  window_ = &window;
  ApplyLargeFont(env_, window, tmpl_, ui_.ScreenSize());
  auto& store = env_.skin();
  const SkinLocation& skin = host_.EditedSkin();

  families_.clear();
  if (auto* fonts = env_.platform().fonts) families_ = fonts->Families();
  // [Main]
  // DefaultFontName=Tahoma
  const std::u16string face = store.GetString(u"Main", u"DefaultFontName", u"");
  int selected = -1;
  for (std::size_t i = 0; i < families_.size(); ++i) {
    window.AddItem(kFont, families_[i]);
    if (selected < 0 && !face.empty() && text::EqualsNoCase(families_[i], face)) selected = static_cast<int>(i);
  }
  window.Select(kFont, selected);

  // [Background]
  // ImageFile=+wood.png
  backgrounds_ = SkinFileChoices(env_.platform().files, skin, SkinFileKind::kBackground);
  const std::u16string background = store.GetString(u"Background", u"ImageFile", u"");
  selected = -1;
  for (std::size_t i = 0; i < backgrounds_.size(); ++i) {
    window.AddItem(kBackground, backgrounds_[i]);
    if (selected < 0 && !background.empty() && text::EqualsNoCase(backgrounds_[i], background)) {
      selected = static_cast<int>(i);
    }
  }
  window.Select(kBackground, selected);

  window.SetText(kName, store.GetString(u"Main", u"SkinName", u"Default"));
  window.SetCheck(kIconSize, IsYesIgnoringCase(store.GetString(u"Main", u"FitImageSize", u""))
                                 ? CheckState::kChecked
                                 : CheckState::kUnchecked);

  fullRect_ = window.GetRect();
  toggleRect_ = window.GetControlRect(kToggle);
  Toggle(window, false);
}

// Folded: no title bar, only the toggle, at the screen's top-left corner. Open: the whole window there.
void SkinEditor::Toggle(Window& window, bool expand) {
  if (expand) {
    window.SetCaptionBar(true);
    window.Move(gfx::Rect::FromSize(0, 0, fullRect_.width(), fullRect_.height()));
    window.SetText(kToggle, kExpanded);
  } else {
    window.SetCaptionBar(false);
    window.Move(gfx::Rect::FromSize(0, 0, toggleRect_.right, toggleRect_.bottom));
    window.SetText(kToggle, kCollapsed);
  }
}

void SkinEditor::OnCommand(Window& window, int id, Notification notification) {
  if (id == kBackground && notification == Notification::kSelectionChanged) {
    ChooseBackground(window);
    return;
  }
  if (id == kFont && notification == Notification::kSelectionChanged) {
    ChooseFont(window);
    return;
  }
  if (notification != Notification::kClicked) return;
  switch (id) {
    case kToggle:
      Toggle(window, window.GetText(kToggle) == kCollapsed);
      break;
    case kIconSize: {
      const bool on = window.GetCheck(kIconSize) == CheckState::kChecked;
      for (int i = 0; i < kSlotCount; ++i) host_.EditedSlot(i).SetFitting(on, true);
      break;
    }
    case kIdOk:
      Save(window);
      break;
    case kIdCancel:
      Cancel(window);
      break;
    default:
      break;
  }
}

void SkinEditor::ChooseBackground(Window& window) {
  const int index = window.Selection(kBackground);
  if (index < 0 || static_cast<std::size_t>(index) >= backgrounds_.size()) return;
  const SkinLocation& skin = host_.EditedSkin();
  host_.ShowEditedBackground(ResolveSkinFile(skin.folder, skin.name, SkinFileKind::kBackground,
                                             backgrounds_[static_cast<std::size_t>(index)]));
}

// The face goes into the skin store at once, so slots without a face of their own show it.
void SkinEditor::ChooseFont(Window& window) {
  const int index = window.Selection(kFont);
  if (index < 0 || static_cast<std::size_t>(index) >= families_.size()) return;
  const std::u16string& face = families_[static_cast<std::size_t>(index)];
  env_.skin().SetString(u"Main", u"DefaultFontName", face);
  for (int i = 0; i < kSlotCount; ++i) host_.EditedSlot(i).SetDefaultFace(face, true);
}

bool SkinEditor::RefuseWhileLayoutOpen() {
  if (!layoutOpen_) return false;
  platform::MessageBoxRequest box;
  box.owner = window_ != nullptr ? window_->handle() : platform::kNoWindow;
  box.text = env_.KoreanUi() ? u"편집 창을 먼저 닫으세요." : u"Close edition window?";
  box.caption = env_.KoreanUi() ? u"알림" : u"Information";
  env_.platform().messageBoxes.Show(box);
  return true;
}

void SkinEditor::Save(Window& window) {
  if (RefuseWhileLayoutOpen()) return;
  auto& store = env_.skin();
  store.SetString(u"Main", u"SkinName", window.GetText(kName));
  const int background = window.Selection(kBackground);
  if (background >= 0 && static_cast<std::size_t>(background) < backgrounds_.size()) {
    store.SetString(u"Background", u"ImageFile", backgrounds_[static_cast<std::size_t>(background)]);
  }
  store.SetString(u"Main", u"FitImageSize", window.GetCheck(kIconSize) == CheckState::kChecked ? u"Y" : u"N");

  std::vector<SlotSettings> slots;
  slots.reserve(kSlotCount);
  for (int i = 0; i < kSlotCount; ++i) slots.push_back(host_.EditedSlot(i).Settings());
  Window* owner = host_.EditorOwner();
  if (owner != nullptr) owner->SetZOrder(platform::ui::ZOrder::kBottom);
  const bool saved = AskToKeepSkin(env_.platform().messageBoxes, owner != nullptr ? owner->handle() : platform::kNoWindow,
                                   store, slots, host_.EditedSkin().file);
  // The launcher comes back over other programs' windows, whatever the answer, and the editor's
  // window over the launcher.
  if (owner != nullptr) owner->SetZOrder(platform::ui::ZOrder::kTop);
  window.SetZOrder(platform::ui::ZOrder::kTop);
  if (!saved) return;
  SetEditAppearance(false);
  Leave();
  host_.ResumeAfterEditing();
}

void SkinEditor::Cancel(Window&) {
  if (RefuseWhileLayoutOpen()) return;
  platform::MessageBoxRequest box;
  box.owner = window_ != nullptr ? window_->handle() : platform::kNoWindow;
  box.text = env_.KoreanUi() ? u"저장하지 않고 끝내시겠습니까?" : u"Exit without saving?";
  box.caption = env_.KoreanUi() ? u"알림" : u"Information";
  box.buttons = platform::MessageButtons::kYesNo;
  box.defaultButton = 1;
  if (env_.platform().messageBoxes.Show(box) != platform::MessageAnswer::kYes) return;
  Leave();
  SetEditAppearance(false);
  host_.ReloadEditedSkin();
  host_.ResumeAfterEditing();
}

void SkinEditor::Leave() {
  editing_ = false;
  if (Window* window = window_) {
    window_ = nullptr;
    window->Destroy();
  }
}

void SkinEditor::Abandon() { Leave(); }

// The close box of the open window asks as Cancel does.
bool SkinEditor::OnClose(Window& window) {
  Cancel(window);
  return false;
}

void SkinEditor::OnDestroy(Window& window) {
  if (window_ == &window) window_ = nullptr;
}

void SkinEditor::OpenLayout(int slotNumber) {
  if (!editing_ || layoutOpen_ || slotNumber < 1 || slotNumber > kSlotCount) return;
  layoutOpen_ = true;
  SlotLayoutWindow layout(env_, ui_, host_, *this);
  layout.Run(slotNumber - 1);
  layoutOpen_ = false;
}

}  // namespace vexa::deck
