#include "xrun/RunnerWindow.h"

#include <string>

#include "platform/ui/Graphics.h"
#include "platform/ui/ResourceIds.h"

namespace vexa::xrun {

namespace {

using platform::ui::ControlKind;
using platform::ui::Window;

enum : int { kPicture = 1000, kHint = 1008 };
constexpr int kRunTimer = 1;
constexpr int kRunDelayMs = 2000;
constexpr int kHintTimer = 2;
constexpr int kHintMs = 1000;

constexpr int kWidth = 240;
constexpr int kHeight = 160;

// The picture fills the window; the hint lies over its lower edge.
platform::ui::WindowTemplate RunnerTemplate(gfx::Size screen) {
  platform::ui::WindowTemplate tmpl;
  tmpl.title = u"Vexa XRun 1.0a";
  tmpl.style = platform::ui::kThinBorder;
  tmpl.rect =
      gfx::Rect::FromSize((screen.width - kWidth) / 2, (screen.height - kHeight) / 2, kWidth, kHeight);
  tmpl.controls = {
      {kPicture, ControlKind::kPicture, {0, 0, kWidth, kHeight}, u"", platform::ui::kStyleNone},
      {kHint,
       ControlKind::kStatic,
       {20, kHeight - 26, kWidth - 20, kHeight - 4},
       u"[ 환경 설정시 바탕 클릭]",
       platform::ui::kAlignCenter},
  };
  return tmpl;
}

class RunnerDialog : public platform::ui::WindowHandler {
 public:
  RunnerDialog(Environment& env, const RunnerServices& services) : env_(env), services_(services) {}

  void OnInit(Window& window) override {
    window.SetIcon(platform::ui::res::kProgramIcon);
    window.SetTitle(u"Vexa XRun 1.0a");
    if (env_.platform().resources != nullptr) {
      if (auto picture = env_.platform().resources->Picture(platform::ui::res::xrun::kWindowPicture)) {
        window.SetControlPicture(kPicture, *picture);
      }
    }
    window.SetControlZOrder(kHint, platform::ui::ZOrder::kTop);
    window.SetControlColors(kHint, gfx::Rgb(255, 0, 0), gfx::Rgb(255, 255, 255));
    // A copy left by the last configuration has done its work.
    const std::u16string copy = env_.GetPath(PATH_TMP_COPY);
    if (!copy.empty() && env_.FileExists(copy)) env_.platform().files.DeleteFile(copy);
    window.SetTimer(kRunTimer, kRunDelayMs);
    window.SetTimer(kHintTimer, kHintMs);
  }

  bool OnPaint(Window&, gfx::Bitmap& canvas) override {
    gfx::FillRect(canvas, gfx::Rect::FromSize(0, 0, canvas.width(), canvas.height()),
                  gfx::Rgb(255, 255, 255));
    return true;
  }

  void OnTimer(Window& window, int timerId) override {
    if (timerId == kHintTimer) {
      hintShown_ = false;
      window.ShowControl(kHint, false);
      window.InvalidateControl(kHint);
    } else if (timerId == kRunTimer) {
      window.KillTimer(kRunTimer);
      RunSlots(window);
      window.EndModal(0);
    }
  }

  void OnPointerUp(Window& window, gfx::Point) override {
    if (!hintShown_) return;
    hintShown_ = false;
    window.KillTimer(kRunTimer);
    StartConfigurationCopy(env_, window.handle());
    window.EndModal(0);
  }

 private:
  // Reg 1 to 3 first, so every registry file is imported before the first program starts; then
  // Run 1 to 3, none waited for.
  void RunSlots(Window& window) {
    const std::u16string folder = env_.GetPath(PATH_PROGRAM_DIR);
    for (int id = kReg1; id <= kReg3; ++id) {
      std::u16string path = services_.readSlot(id).text;
      if (path.empty()) continue;
      if (path.front() != u'\\') path = folder + u"\\" + path;
      if (services_.importRegistryFile) services_.importRegistryFile(path);
    }
    for (int id = kRun1; id <= kRun3; ++id) {
      std::u16string path = services_.readSlot(id).text;
      if (path.empty()) continue;
      std::u16string arguments;
      // "nav.exe %s": the runner's own command line goes on to the program.
      if (path.ends_with(u" %s")) {
        path.resize(path.size() - 3);
        arguments = env_.platform().commandLine;
      }
      if (path.find(u'\\') == std::u16string::npos) path = folder + u"\\" + path;
      env_.Launch(window.handle(), path, arguments);
    }
  }

  Environment& env_;
  const RunnerServices& services_;
  bool hintShown_ = true;
};

}  // namespace

bool StartConfigurationCopy(Environment& env, platform::WindowHandle owner) {
  const std::u16string self = env.GetPath(PATH_PROGRAM_FILE);
  const std::u16string copy = env.GetPath(PATH_TMP_COPY);
  if (copy.empty() || !env.platform().files.CopyFile(self, copy, false)) {
    platform::MessageBoxRequest box;
    box.owner = owner;
    box.text = u"환경설정을 위한 임시파일을 생성할 수 없습니다.";
    box.caption = u"에러";
    box.icon = platform::MessageIcon::kStop;
    env.platform().messageBoxes.Show(box);
    return false;
  }
  env.Launch(owner, copy, u"CONFIG:" + self);
  return true;
}

void RunRunnerWindow(Environment& env, platform::ui::UserInterface& ui, const RunnerServices& services) {
  const auto tmpl = RunnerTemplate(ui.ScreenSize());
  RunnerDialog dialog(env, services);
  ui.RunModal(tmpl, dialog, nullptr);
}

}  // namespace vexa::xrun
