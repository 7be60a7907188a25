// A stand-in for the programs the suite starts on the demo device (navigation, players): it shows a
// window titled with its own file name and the command line it was given, and closes when asked.

#include <string>

#include "common/gfx/Bitmap.h"
#include "platform/Platform.h"
#include "platform/runtime/ProgramRuntime.h"
#include "platform/ui/UserInterface.h"

namespace {

using vexa::platform::ui::ControlKind;

enum : int { kIdClose = 2, kNameLine = 1001, kCommandLine = 1002 };

std::u16string FileNameOf(const std::u16string& path) {
  const auto slash = path.rfind(u'\\');
  return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

class DemoWindow : public vexa::platform::ui::WindowHandler {
 public:
  explicit DemoWindow(std::u16string commandLine) : commandLine_(std::move(commandLine)) {}

  void OnInit(vexa::platform::ui::Window& window) override {
    window.SetText(kCommandLine, commandLine_.empty() ? u"(no command line)" : commandLine_);
  }
  void OnCommand(vexa::platform::ui::Window& window, int id, vexa::platform::ui::Notification n) override {
    if (id == kIdClose && n == vexa::platform::ui::Notification::kClicked) window.EndModal(0);
  }

 private:
  std::u16string commandLine_;
};

}  // namespace

int main(int argc, char** argv) {
  vexa::platform::ProgramInfo info;
  info.name = u"DemoApp";
  info.resourceSet = "demo";
  info.commandLineHelp = "any text; DemoApp shows the command line it was given in its window";
  return vexa::platform::RunProgram(
      argc, argv, info, [](vexa::platform::Platform& platform, vexa::platform::ui::UserInterface& ui) {
        const auto title = FileNameOf(platform.modulePath);
        const auto screen = ui.ScreenSize();
        const int width = 420;
        const int height = 220;
        vexa::platform::ui::WindowTemplate tmpl;
        tmpl.title = title;
        tmpl.style = vexa::platform::ui::kCaption;
        tmpl.rect = vexa::gfx::Rect::FromSize((screen.width - width) / 2, (screen.height - height) / 2, width, height);
        tmpl.controls = {
            {kNameLine, ControlKind::kStatic, {10, 10, width - 10, 40}, platform.modulePath, 0},
            {kCommandLine, ControlKind::kStatusText, {10, 45, width - 10, 150}, u"", vexa::platform::ui::kBorder},
            {kIdClose, ControlKind::kDefaultPushButton, {width / 2 - 70, 160, width / 2 + 70, 210}, u"Close", 0},
        };
        DemoWindow window(platform.commandLine);
        ui.RunModal(tmpl, window, nullptr);
        return 0;
      });
}
