#include "deck/media/ShortcutList.h"

#include <iterator>

#include "common/text/Text.h"
#include "deck/DeckSettings.h"
#include "deck/DialogLayout.h"
#include "deck/media/ShortcutListModel.h"

namespace vexa::deck {

namespace {

using platform::ui::CheckState;
using platform::ui::ControlKind;
using platform::ui::Notification;
using platform::ui::Window;

// The twelve shortcut buttons are kFirstShortcut to kFirstShortcut + 11, row by row.
enum : int {
  kFirstShortcut = 1001,
  kKindLabel = 1020,
  kPageLabel = 1021,
  kPrev = 1030,
  kNext = 1031,
  kDeleteMode = 1032,
  kAdd = 1033,
};

constexpr int kPageSize = ShortcutListModel::kPageSize;

// The whole screen: a line with the list's name and the page, the grid of big buttons (four columns
// on a wide screen, three on a tall one), and a row of the page, delete, add and return buttons.
platform::ui::WindowTemplate ListTemplate(gfx::Size screen, std::u16string_view title) {
  const bool large = UsesLargeFont(screen);
  const int gap = large ? 6 : 4;
  const int header = large ? 36 : 26;
  const int footer = large ? 64 : 44;
  const int width = screen.width;
  const int height = screen.height;
  const int columns = width >= height ? 4 : 3;
  const int rows = kPageSize / columns;

  platform::ui::WindowTemplate tmpl;
  tmpl.title = std::u16string(title);
  tmpl.style = platform::ui::kPopup;
  tmpl.rect = {0, 0, width, height};
  tmpl.controls.push_back({kKindLabel, ControlKind::kStatic, {gap, gap, width / 3 - gap, gap + header},
                           std::u16string(title), platform::ui::kStyleNone});
  tmpl.controls.push_back({kPageLabel, ControlKind::kStatic, {width / 3, gap, 2 * width / 3, gap + header}, u"-1-",
                           platform::ui::kAlignCenter});

  const int gridTop = 2 * gap + header;
  const int gridBottom = height - 2 * gap - footer;
  const int cellWidth = (width - (columns + 1) * gap) / columns;
  const int cellHeight = (gridBottom - gridTop - (rows - 1) * gap) / rows;
  for (int slot = 0; slot < kPageSize; ++slot) {
    const int x = gap + (slot % columns) * (cellWidth + gap);
    const int y = gridTop + (slot / columns) * (cellHeight + gap);
    tmpl.controls.push_back({kFirstShortcut + slot, ControlKind::kPushButton,
                             gfx::Rect::FromSize(x, y, cellWidth, cellHeight), u"", platform::ui::kStyleNone});
  }

  struct Bottom {
    int id;
    ControlKind kind;
    const char16_t* caption;
  };
  const Bottom bottom[] = {{kPrev, ControlKind::kPushButton, u"Prev"},
                           {kNext, ControlKind::kPushButton, u"Next"},
                           {kDeleteMode, ControlKind::kCheckBox, u"Delete"},
                           {kAdd, ControlKind::kPushButton, u"Add"},
                           {kIdCancel, ControlKind::kPushButton, u"Return"}};
  constexpr int kBottomCount = static_cast<int>(std::size(bottom));
  const int buttonWidth = (width - (kBottomCount + 1) * gap) / kBottomCount;
  for (int i = 0; i < kBottomCount; ++i) {
    tmpl.controls.push_back({bottom[i].id, bottom[i].kind,
                             gfx::Rect::FromSize(gap + i * (buttonWidth + gap), height - gap - footer, buttonWidth,
                                                 footer),
                             bottom[i].caption, platform::ui::kStyleNone});
  }
  return tmpl;
}

// The folder setting as the list uses it: the storage token expanded, no trailing backslash.
std::u16string ListFolder(Environment& env, FolderKey key) {
  auto folder = env.ExpandStorage(DeckSettings(env).Folder(key));
  while (!folder.empty() && folder.back() == u'\\') folder.pop_back();
  return folder;
}

class ShortcutListWindow : public platform::ui::WindowHandler {
 public:
  ShortcutListWindow(Environment& env, const platform::ui::WindowTemplate& tmpl, gfx::Size screen, ShortcutKind kind)
      : env_(env), tmpl_(tmpl), screen_(screen), kind_(kind), info_(InfoFor(kind)) {}

  void OnInit(Window& window) override {
    ApplyLargeFont(env_, window, tmpl_, screen_);
    folder_ = ListFolder(env_, info_.folder);
    model_.Fill(env_.platform().files, folder_, info_.pattern);
    // A program shortcut put into the Flash folder would never be listed there (it lists Flash
    // files) and could not be started from the list: the Flash list adds nothing.
    window.EnableControl(kAdd, kind_ != ShortcutKind::kFlash && env_.platform().dialogs != nullptr);
    ShowPage(window);
  }

  void OnCommand(Window& window, int id, Notification notification) override {
    if (notification != Notification::kClicked) return;
    if (id >= kFirstShortcut && id < kFirstShortcut + kPageSize) {
      Tap(window, id - kFirstShortcut);
    } else if (id == kPrev) {
      if (model_.Prev()) ShowPage(window);
    } else if (id == kNext) {
      if (model_.Next()) ShowPage(window);
    } else if (id == kDeleteMode) {
      deleteMode_ = window.GetCheck(kDeleteMode) == CheckState::kChecked;
    } else if (id == kAdd) {
      Add(window);
    } else if (id == kIdCancel) {
      window.EndModal(0);
    }
  }

 private:
  void ShowPage(Window& window) {
    window.SetText(kPageLabel, model_.PageLabel());
    for (int slot = 0; slot < kPageSize; ++slot) window.SetText(kFirstShortcut + slot, model_.Label(slot));
  }

  void Tap(Window& window, int slot) {
    const auto label = model_.Label(slot);
    if (label.empty() || label == ShortcutListModel::kDeletedLabel) return;
    const auto path = folder_ + u"\\" + label + std::u16string(info_.extension);
    const bool korean = env_.KoreanUi();
    if (env_.platform().files.Open(path, platform::OpenMode::kRead) == nullptr) {
      Tell(window, path + (korean ? u"를 찾을 수 없습니다." : u" file not found."), korean ? u"에러" : u"Error");
      return;
    }
    if (deleteMode_) {
      Delete(window, slot, path, label);
    } else if (kind_ == ShortcutKind::kFlash) {
      env_.Launch(window.handle(), DeckSettings(env_).Program(ProgramKey::kFlashPlayer), path);
    } else {
      env_.Launch(window.handle(), path);
    }
  }

  void Delete(Window& window, int slot, const std::u16string& path, const std::u16string& label) {
    const bool korean = env_.KoreanUi();
    platform::MessageBoxRequest ask;
    ask.owner = window.handle();
    ask.text = u"[" + label + (korean ? u"] 바로가기 파일을 삭제하시겠습니까?" : u"] shortcut file Delete?");
    ask.caption = korean ? u"삭제" : u"Delete";
    ask.buttons = platform::MessageButtons::kYesNo;
    ask.icon = platform::MessageIcon::kQuestion;
    if (env_.platform().messageBoxes.Show(ask) != platform::MessageAnswer::kYes) return;
    if (!env_.platform().files.DeleteFile(path)) {
      Tell(window, u"[" + label + (korean ? u"] 파일을 삭제할 수 없습니다." : u"] file cant be deleted"),
           korean ? u"에러" : u"Error");
      return;
    }
    model_.MarkDeleted(slot);
    window.SetText(kFirstShortcut + slot, model_.Label(slot));
  }

  // Makes a shortcut to a chosen program in the list's folder and shows it: "Navi.exe" gives
  // "Navi.lnk" holding ""\Storage Card\Navi\Navi.exe"".
  void Add(Window& window) {
    auto* dialogs = env_.platform().dialogs;
    if (dialogs == nullptr || kind_ == ShortcutKind::kFlash) return;
    const auto chosen = dialogs->OpenFile(window.handle(), u"(*.exe)|*.exe|", env_.GetPath(PATH_STORAGE_ROOT));
    if (!chosen || chosen->empty()) return;
    const auto slash = chosen->rfind(u'\\');
    auto name = slash == std::u16string::npos ? *chosen : chosen->substr(slash + 1);
    // The last three characters are the extension that becomes "lnk"; a name with nothing before its
    // extension would make a shortcut without a label, which no button could start.
    if (name.size() < 5 || name[name.size() - 4] != u'.') return;
    name.replace(name.size() - 3, 3, u"lnk");
    const auto path = folder_ + u"\\" + name;

    if (env_.FileExists(path)) {
      ShowName(window, name);
      return;
    }
    if (!env_.platform().shell.CreateShortcut(path, u"\"" + *chosen + u"\"")) {
      const bool korean = env_.KoreanUi();
      Tell(window, u"[" + LabelOf(name) + (korean ? u"] 바로가기를 만들 수 없습니다." : u"] shortcut cant be created"),
           korean ? u"에러" : u"Error");
      return;
    }
    if (const auto index = model_.Insert(name)) model_.ShowPageOf(*index);
    ShowPage(window);
  }

  // Shows the page of a name the list holds already (a shortcut that existed before Add).
  void ShowName(Window& window, std::u16string_view name) {
    for (std::size_t i = 0; i < model_.size(); ++i) {
      if (text::EqualsNoCase(model_.NameAt(i), name)) {
        model_.ShowPageOf(i);
        ShowPage(window);
        return;
      }
    }
  }

  void Tell(Window& window, std::u16string text, std::u16string caption) {
    platform::MessageBoxRequest box;
    box.owner = window.handle();
    box.text = std::move(text);
    box.caption = std::move(caption);
    box.icon = platform::MessageIcon::kInformation;
    env_.platform().messageBoxes.Show(box);
  }

  Environment& env_;
  const platform::ui::WindowTemplate& tmpl_;
  gfx::Size screen_;
  ShortcutKind kind_;
  const ShortcutKindInfo& info_;
  std::u16string folder_;
  ShortcutListModel model_;
  bool deleteMode_ = false;
};

}  // namespace

void RunShortcutList(Environment& env, platform::ui::UserInterface& ui, platform::ui::Window* owner,
                     ShortcutKind kind) {
  const auto screen = ui.ScreenSize();
  const auto tmpl = ListTemplate(screen, InfoFor(kind).title);
  ShortcutListWindow list(env, tmpl, screen, kind);
  ui.RunModal(tmpl, list, owner);
}

}  // namespace vexa::deck
