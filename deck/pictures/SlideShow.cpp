#include "deck/pictures/SlideShow.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "deck/pictures/PictureLoader.h"

namespace vexa::deck {

namespace {

using platform::ui::Window;

constexpr int kPictureTimer = 1;
// The slide show lists at most as many pictures as the launcher's own picture list holds.
constexpr std::size_t kMaxPictures = 1000;
constexpr int kDefaultLogoTime = 7000;
constexpr int kDefaultPictureTime = 5000;

// A folder setting with one backslash after it: "\Storage Card\Pictures" and "\Storage Card\Pictures\"
// both give "\Storage Card\Pictures\".
std::u16string WithBackslash(std::u16string_view folder) {
  std::u16string result(folder);
  if (result.empty() || result.back() != u'\\') result += u'\\';
  return result;
}

// [ImageViewer]
// RefreshTime=5
// A time in seconds as milliseconds; values below one second (0, negative, unreadable) take the
// default, and values too large for a timer are held at the largest one.
int SecondsSetting(Environment& env, std::u16string_view key, int defaultSeconds, int defaultMilliseconds) {
  const std::int64_t ms = std::int64_t{env.mainSettings().GetInt(u"ImageViewer", key, defaultSeconds)} * 1000;
  if (ms < 1000) return defaultMilliseconds;
  return static_cast<int>(std::min<std::int64_t>(ms, INT_MAX));
}

// The slide show's own list: the pictures of the folder in the order the file system gives them.
std::vector<std::u16string> ListSlides(platform::FileSystem& files, std::u16string_view folder) {
  std::vector<std::u16string> names;
  for (auto& entry : files.Find(std::u16string(folder) + u"*.*")) {
    if (entry.directory || !IsAcceptedPicture(entry.name)) continue;
    names.push_back(std::move(entry.name));
    if (names.size() == kMaxPictures) break;
  }
  return names;
}

platform::ui::WindowTemplate SlideShowTemplate(gfx::Size screen) {
  platform::ui::WindowTemplate tmpl;
  tmpl.title = u"Slide Show";
  tmpl.style = platform::ui::kPopup;
  tmpl.rect = {0, 0, screen.width, screen.height};
  return tmpl;
}

// The window: no controls, the current picture stretched over all of it. It holds one picture at a
// time, decoded no larger than the screen and fitted to it once when it is loaded.
class SlideShow : public platform::ui::WindowHandler {
 public:
  SlideShow(Environment& env, gfx::Size screen, std::u16string folder, std::vector<std::u16string> slides)
      : env_(env), screen_(screen), folder_(std::move(folder)), slides_(std::move(slides)) {}

  void OnInit(Window& window) override {
    const auto logo = env_.ExpandStorage(env_.mainSettings().GetString(u"ImageViewer", u"LogoFile", u""));
    if (!logo.empty() && env_.FileExists(logo)) Load(logo);
    pictureTime_ = SecondsSetting(env_, u"RefreshTime", 5, kDefaultPictureTime);
    // One picture also follows the logo, once; more take turns for as long as the show runs.
    window.SetTimer(kPictureTimer, SecondsSetting(env_, u"LogoDispTime", 7, kDefaultLogoTime));
  }

  void OnTimer(Window& window, int timerId) override {
    if (timerId != kPictureTimer) return;
    window.KillTimer(kPictureTimer);
    Load(folder_ + slides_[next_]);
    window.Invalidate();
    next_ = (next_ + 1) % slides_.size();
    if (slides_.size() > 1) window.SetTimer(kPictureTimer, pictureTime_);
  }

  bool OnPaint(Window&, gfx::Bitmap& canvas) override {
    if (picture_.empty()) {
      gfx::FillRect(canvas, canvas.bounds(), gfx::Rgb(0, 0, 0));
    } else {
      gfx::StretchCopy(canvas, canvas.bounds(), picture_, picture_.bounds());
    }
    return true;
  }

  void OnPointerUp(Window& window, gfx::Point) override { window.EndModal(0); }

  void OnDestroy(Window& window) override {
    window.KillTimer(kPictureTimer);
    picture_ = gfx::Bitmap();
  }

 private:
  // A picture that cannot be read leaves the one shown before.
  void Load(std::u16string_view path) {
    if (LoadPicture(env_.platform().pictures, path, screen_, picture_)) StretchToSize(picture_, screen_);
  }

  Environment& env_;
  gfx::Size screen_;
  std::u16string folder_;  // with its backslash
  std::vector<std::u16string> slides_;
  std::size_t next_ = 0;
  int pictureTime_ = kDefaultPictureTime;
  gfx::Bitmap picture_;
};

}  // namespace

void RunSlideShow(Environment& env, platform::ui::UserInterface& ui, platform::ui::Window* owner) {
  // [Folder]
  // Image=%STORAGE%\Pictures
  const auto setting = env.mainSettings().GetString(u"Folder", u"Image", u"");
  const auto folder = WithBackslash(env.ExpandStorage(setting));
  auto slides = setting.empty() ? std::vector<std::u16string>() : ListSlides(env.platform().files, folder);
  if (slides.empty()) {
    platform::MessageBoxRequest box;
    box.owner = owner != nullptr ? owner->handle() : platform::kNoWindow;
    box.caption = u"Information";
    box.icon = platform::MessageIcon::kInformation;
    box.text = env.KoreanUi() ? u"그림 폴더를 알 수 없습니다." : u"Folder unknown ";
    env.platform().messageBoxes.Show(box);
    return;
  }
  const auto screen = ui.ScreenSize();
  const auto tmpl = SlideShowTemplate(screen);
  SlideShow show(env, screen, folder, std::move(slides));
  ui.RunModal(tmpl, show, owner);
}

}  // namespace vexa::deck
