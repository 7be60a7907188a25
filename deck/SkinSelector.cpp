#include "deck/SkinSelector.h"

#include "common/text/Format.h"
#include "common/text/Text.h"
#include "deck/DialogLayout.h"
#include "platform/ui/Graphics.h"

namespace vexa::deck {

namespace {

using platform::ui::ControlKind;
using platform::ui::Notification;
using platform::ui::Window;

enum : int { kSkinList = 1001, kFileList = 1002, kPreview = 1003, kPreviewLabel = 1004 };

std::u16string WithBackslash(std::u16string_view folder) {
  std::u16string result(folder);
  if (result.empty() || result.back() != u'\\') result += u'\\';
  return result;
}

platform::ui::WindowTemplate SelectorTemplate(gfx::Size screen) {
  const int width = screen.width >= 640 ? 600 : 460;
  const int height = screen.height >= 400 ? 360 : 250;
  platform::ui::WindowTemplate tmpl;
  tmpl.title = u"Skin selector";
  tmpl.style = platform::ui::kCaption;
  tmpl.rect = Centred(screen, width, height);
  const int listWidth = (width - 40) / 3;
  const int bottom = height - 60;
  tmpl.controls = {
      {kSkinList, ControlKind::kListBox, {10, 10, 10 + listWidth, bottom}, u"", platform::ui::kBorder},
      {kFileList, ControlKind::kListBox, {20 + listWidth, 10, 20 + 2 * listWidth, bottom}, u"",
       platform::ui::kBorder},
      {kPreviewLabel, ControlKind::kStatic, {30 + 2 * listWidth, 10, width - 10, 40}, u"Screen shot", 0},
      {kPreview, ControlKind::kPicture, {30 + 2 * listWidth, 45, width - 10, bottom}, u"", platform::ui::kBorder},
      {kIdOk, ControlKind::kDefaultPushButton, {width / 2 - 130, height - 50, width / 2 - 10, height - 8}, u"OK", 0},
      {kIdCancel, ControlKind::kPushButton, {width / 2 + 10, height - 50, width / 2 + 130, height - 8}, u"Cancel",
       0},
  };
  return tmpl;
}

class Selector : public platform::ui::WindowHandler {
 public:
  Selector(Environment& env, const platform::ui::WindowTemplate& tmpl, std::u16string skinFolder,
           std::u16string currentSkin, gfx::Size screen)
      : env_(env), tmpl_(tmpl), folder_(std::move(skinFolder)), current_(std::move(currentSkin)), screen_(screen) {}

  std::optional<SkinSelection> result() const { return result_; }

  void OnInit(Window& window) override {
    ApplyLargeFont(env_, window, tmpl_, env_.platform().ui ? env_.platform().ui->ScreenSize() : screen_);
    skins_ = ListSkins(env_.platform().files, folder_);
    if (skins_.empty()) {
      window.AddItem(kSkinList, u"No Skin!");
      window.EnableControl(kIdOk, false);
      return;
    }
    int selected = 0;
    for (std::size_t i = 0; i < skins_.size(); ++i) {
      window.AddItem(kSkinList, skins_[i]);
      if (text::EqualsNoCase(skins_[i], current_)) selected = static_cast<int>(i);
    }
    window.Select(kSkinList, selected);
    ShowSkin(window, selected);
  }

  void OnCommand(Window& window, int id, Notification notification) override {
    if (id == kSkinList && notification == Notification::kSelectionChanged) {
      ShowSkin(window, window.Selection(kSkinList));
      return;
    }
    if (notification != Notification::kClicked) return;
    if (id == kIdCancel) window.EndModal(0);
    if (id != kIdOk) return;
    const int skin = window.Selection(kSkinList);
    const int file = window.Selection(kFileList);
    if (skin < 0 || skin >= static_cast<int>(skins_.size()) || file < 0) return;
    result_ = SkinSelection{skins_[static_cast<std::size_t>(skin)], window.ItemText(kFileList, file)};
    window.EndModal(1);
  }

 private:
  void ShowSkin(Window& window, int index) {
    window.ClearItems(kFileList);
    if (index < 0 || index >= static_cast<int>(skins_.size())) return;
    const auto dir = folder_ + skins_[static_cast<std::size_t>(index)];
    const auto wanted = text::Format(u"skin%dx%d.ini", {std::int64_t{screen_.width}, std::int64_t{screen_.height}});
    const auto files = ListSkinFiles(env_.platform().files, dir);
    int selected = files.empty() ? -1 : 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
      window.AddItem(kFileList, files[i]);
      if (text::EqualsNoCase(files[i], wanted)) selected = static_cast<int>(i);
    }
    window.Select(kFileList, selected);
    ShowPreview(window, dir);
  }

  void ShowPreview(Window& window, const std::u16string& dir) {
    const auto rect = window.GetControlRect(kPreview);
    gfx::Bitmap preview(rect.width(), rect.height(), gfx::ToPixel(gfx::SystemColors::kButtonFace));
    const auto path = FindScreenshot(env_.platform().files, dir);
    if (!path.empty() && env_.platform().pictures != nullptr) {
      if (auto picture = env_.platform().pictures->Decode(path, screen_)) {
        gfx::StretchCopy(preview, preview.bounds(), *picture, picture->bounds());
      }
    }
    window.SetControlPicture(kPreview, preview);
  }

  Environment& env_;
  const platform::ui::WindowTemplate& tmpl_;
  std::u16string folder_;
  std::u16string current_;
  gfx::Size screen_;
  std::vector<std::u16string> skins_;
  std::optional<SkinSelection> result_;
};

}  // namespace

std::vector<std::u16string> ListSkins(platform::FileSystem& files, std::u16string_view skinFolder) {
  std::vector<std::u16string> skins;
  for (const auto& entry : files.Find(WithBackslash(skinFolder) + u"*.*")) {
    if (!entry.directory || entry.name == u"." || entry.name == u".." || text::EqualsNoCase(entry.name, u"_Common")) {
      continue;
    }
    skins.push_back(entry.name);
  }
  return skins;
}

std::vector<std::u16string> ListSkinFiles(platform::FileSystem& files, std::u16string_view skinDir) {
  std::vector<std::u16string> names;
  for (const auto& entry : files.Find(WithBackslash(skinDir) + u"skin*.ini")) {
    if (!entry.directory) names.push_back(entry.name);
  }
  return names;
}

std::u16string FindScreenshot(platform::FileSystem& files, std::u16string_view skinDir) {
  const auto dir = WithBackslash(skinDir);
  for (const auto& entry : files.Find(dir + u"screenshot.*")) {
    if (entry.directory || entry.name.size() < 4) continue;
    const auto extension = text::ToLower(std::u16string_view(entry.name).substr(entry.name.size() - 4));
    if (extension == u".bmp" || extension == u".jpg" || extension == u".gif" || extension == u".png") {
      return dir + entry.name;
    }
  }
  return {};
}

std::optional<SkinSelection> RunSkinSelector(Environment& env, platform::ui::UserInterface& ui,
                                             platform::ui::Window* owner, std::u16string_view skinFolder,
                                             std::u16string_view currentSkin, gfx::Size screen) {
  const auto tmpl = SelectorTemplate(ui.ScreenSize());
  Selector selector(env, tmpl, WithBackslash(skinFolder), std::u16string(currentSkin), screen);
  ui.RunModal(tmpl, selector, owner);
  return selector.result();
}

}  // namespace vexa::deck
