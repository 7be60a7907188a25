#include "toolbar/GroupList.h"

#include "common/text/Text.h"
#include "platform/ui/UserInterface.h"
#include "toolbar/ListPlacement.h"
#include "toolbar/ToolbarButtons.h"

namespace vexa::toolbar {

namespace {

using platform::MessageAnswer;
using platform::MessageBoxRequest;
using platform::MessageButtons;
using platform::MessageIcon;
using platform::ui::ControlKind;
using platform::ui::Notification;
using platform::ui::Window;

constexpr int kWidth = 230;
constexpr int kListHeight = 152;
constexpr int kButtonTop = kListHeight + 8;
constexpr int kButtonWidth = 53;
constexpr int kButtonHeight = 28;
constexpr int kHeight = kButtonTop + kButtonHeight + 4;

class GroupListWindow : public platform::ui::WindowHandler {
 public:
  GroupListWindow(ToolbarHost& host, std::u16string folder) : host_(host), folder_(std::move(folder)) {}

  void OnInit(Window& window) override {
    platform::FontSpec font;
    font.face = u"System";
    font.height = 18;
    font.weight = 400;
    window.SetControlFont(kGroupEntries, font);
    for (const std::u16string& entry : GroupEntries(host_.Platform().files, folder_)) {
      window.AddItem(kGroupEntries, entry);
    }
    if (window.ItemCount(kGroupEntries) > 0) window.Select(kGroupEntries, 0);
  }

  void OnCommand(Window& window, int controlId, Notification notification) override {
    if (controlId == kGroupEntries) {
      if (notification == Notification::kDoubleClicked) Run(window);
      return;
    }
    if (notification != Notification::kClicked) return;
    switch (controlId) {
      case kGroupRun:
        Run(window);
        break;
      case kGroupNew:
        New(window);
        break;
      case kGroupDelete:
        Delete(window);
        break;
      case kGroupReturn:
        window.EndModal(0);
        break;
      default:
        break;
    }
  }

 private:
  std::u16string ShortcutPath(std::u16string_view entry) const {
    return folder_ + u"\\" + std::u16string(entry) + u".lnk";
  }

  MessageAnswer Ask(Window& window, std::u16string text, std::u16string caption, MessageButtons buttons,
                    MessageIcon icon, int defaultButton = 0) {
    MessageBoxRequest box;
    box.owner = window.handle();
    box.text = std::move(text);
    box.caption = std::move(caption);
    box.buttons = buttons;
    box.icon = icon;
    box.defaultButton = defaultButton;
    return host_.Platform().messageBoxes.Show(box);
  }

  void Run(Window& window) {
    const int row = window.Selection(kGroupEntries);
    if (row < 0) {
      Ask(window, u"선택된 프로그램이 없습니다.", u"알림", MessageButtons::kOk, MessageIcon::kExclamation);
      return;
    }
    if (host_.Store().Launch(ShortcutPath(window.ItemText(kGroupEntries, row)))) window.EndModal(1);
  }

  // A shortcut for a chosen program: nav.exe gives nav.lnk in the group folder, its target the
  // program's full path in quotes. A shortcut of that name already there is left as it is.
  void New(Window& window) {
    if (folder_.empty() || host_.Platform().dialogs == nullptr) return;
    const auto chosen = host_.Platform().dialogs->OpenFile(window.handle(), u"(*.exe)|*.exe|", folder_);
    if (!chosen || chosen->empty()) return;
    const std::size_t slash = chosen->rfind(u'\\');
    std::u16string name = slash == std::u16string::npos ? *chosen : chosen->substr(slash + 1);
    if (name.size() < 3) return;
    name.resize(name.size() - 3);
    const std::u16string shortcut = folder_ + u"\\" + name + u"lnk";
    if (host_.Platform().files.Open(shortcut, platform::OpenMode::kRead) != nullptr) return;
    if (!host_.Platform().shell.CreateShortcut(shortcut, u"\"" + *chosen + u"\"")) return;
    const int row = window.AddItem(kGroupEntries, name.substr(0, name.size() - 1));
    window.Select(kGroupEntries, row);
  }

  void Delete(Window& window) {
    const int row = window.Selection(kGroupEntries);
    if (row < 0) return;
    const std::u16string entry = window.ItemText(kGroupEntries, row);
    if (Ask(window, u"[" + entry + u"] 단축아이콘을 삭제하시겠습니까?", u"단축아이콘 삭제",
            MessageButtons::kYesNo, MessageIcon::kQuestion, 1) != MessageAnswer::kYes) {
      return;
    }
    if (!host_.Platform().files.DeleteFile(ShortcutPath(entry))) {
      Ask(window, u"[" + entry + u"] 삭제중 오류가 발생하였습니다.", u"에러", MessageButtons::kOk,
          MessageIcon::kInformation);
      return;
    }
    window.DeleteItem(kGroupEntries, row);
    const int count = window.ItemCount(kGroupEntries);
    if (count > 0) window.Select(kGroupEntries, row < count ? row : count - 1);
  }

  ToolbarHost& host_;
  std::u16string folder_;
};

}  // namespace

std::vector<std::u16string> GroupEntries(platform::FileSystem& files, std::u16string_view folder) {
  std::vector<std::u16string> entries;
  if (folder.empty()) return entries;
  for (const platform::FindEntry& found : files.Find(std::u16string(folder) + u"\\*.lnk")) {
    if (found.directory || found.name.size() < 4) continue;
    entries.push_back(found.name.substr(0, found.name.size() - 4));
  }
  return entries;
}

gfx::Size GroupListSize() {
  return {kWidth, kHeight};
}

platform::ui::WindowTemplate GroupListTemplate(gfx::Point topLeft) {
  platform::ui::WindowTemplate tmpl;
  tmpl.title = kGroupListTitle;
  tmpl.style = platform::ui::kThinBorder | platform::ui::kTopMost;
  tmpl.rect = gfx::Rect::FromSize(topLeft.x + 1, topLeft.y + 1, kWidth, kHeight);
  tmpl.controls = {{kGroupEntries,
                    ControlKind::kListBox,
                    {4, 4, kWidth - 4, kListHeight + 4},
                    u"",
                    platform::ui::kBorder}};
  const char16_t* captions[] = {u"Run", u"New", u"Del.", u"Return"};
  for (int i = 0; i < 4; ++i) {
    tmpl.controls.push_back(
        {kGroupRun + i, ControlKind::kPushButton,
         gfx::Rect::FromSize(4 + i * (kButtonWidth + 3), kButtonTop, kButtonWidth, kButtonHeight),
         captions[i], platform::ui::kStyleNone});
  }
  return tmpl;
}

void RunGroupList(ToolbarHost& host, int group) {
  const std::u16string section = u"Program" + text::FromInt(group);
  const std::u16string folder = host.Store().GetString(section, u"ProgramPath", u"");
  const gfx::Point place =
      PlaceBesideButton(host.ButtonBounds(kPgmButton + group - 1), host.Toolbar().Bounds(),
                        {kWidth + 2, kHeight + 2}, host.Ui().ScreenSize(), host.Vertical());
  GroupListWindow list(host, folder);
  host.Ui().RunModal(GroupListTemplate(place), list, &host.Window());
}

}  // namespace vexa::toolbar
