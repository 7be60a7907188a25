#include "tests/toolbarwin/ToolbarWindowsFixture.h"

namespace vexa::toolbar {

FakeHost::FakeHost(platform::Platform& platform, platform::ui::UserInterface& ui)
    : platform_(platform), ui_(ui), store_(platform) {
  store_.Read(kSettingsPath);
  platform::ui::WindowTemplate tmpl;
  tmpl.title = u"Vexa Toolbar 1.2";
  tmpl.style = platform::ui::kTopMost | platform::ui::kNoActivate;
  tmpl.rect = gfx::Rect::FromSize(store_.GetInt(u"Main", u"XPosition", 0), store_.GetInt(u"Main", u"YPosition", 0),
                                  store_.GetInt(u"Main", u"ButtonWidth", 34) + 4,
                                  store_.GetInt(u"Main", u"ButtonHeight", 46) + 4);
  window_ = &ui.CreateModeless(tmpl, handler_, nullptr);
  toolbar_ = std::make_unique<FakeTarget>(*window_, [this](gfx::Point p) {
    store_.SetInt(u"Main", u"XPosition", p.x);
    store_.SetInt(u"Main", u"YPosition", p.y);
  });
}

FakeHost::~FakeHost() { window_->Destroy(); }

void FakeHost::Relayout() {
  const gfx::Size button{store_.GetInt(u"Main", u"ButtonWidth", 34), store_.GetInt(u"Main", u"ButtonHeight", 46)};
  layouts.push_back(button);
  const gfx::Rect now = window_->GetRect();
  window_->Move(gfx::Rect::FromSize(now.left, now.top, button.width + 4, button.height + 4));
  store_.SetInt(u"Main", u"XPosition", now.left);
  store_.SetInt(u"Main", u"YPosition", now.top);
}

namespace {

// The minimised icon: a window of its own while it is positioned.
class FakeIcon : public PositionTarget {
 public:
  FakeIcon(platform::ui::UserInterface& ui, gfx::Point at) {
    platform::ui::WindowTemplate tmpl;
    tmpl.title = u"Toolbar icon";
    tmpl.style = platform::ui::kTopMost | platform::ui::kNoActivate;
    tmpl.rect = gfx::Rect::FromSize(at.x, at.y, 40, 40);
    window_ = &ui.CreateModeless(tmpl, handler_, nullptr);
  }
  ~FakeIcon() override { window_->Destroy(); }
  gfx::Rect Bounds() const override { return window_->GetRect(); }
  void MoveTo(gfx::Point p) override { window_->Move(gfx::Rect::FromSize(p.x, p.y, 40, 40)); }

 private:
  platform::ui::WindowHandler handler_;
  platform::ui::Window* window_ = nullptr;
};

}  // namespace

std::unique_ptr<PositionTarget> FakeHost::ShowIconForPositioning() {
  ++iconsShown;
  return std::make_unique<FakeIcon>(
      ui_, gfx::Point{store_.GetInt(u"Main", u"IconXPostion", 0), store_.GetInt(u"Main", u"IconYPostion", 0)});
}

ToolbarWindowsTest::ToolbarWindowsTest() {
  tree.WriteHostFile("Storage Card/VexaDeck/VexaToolbar.exe", "");
  WriteSettings("");
  tree.MakeDir("Windows");
}

int ToolbarWindowsTest::Run(const std::string& scenario, const std::function<void(FakeHost&)>& body,
                            const char* screen, const char* language) {
  const auto scenarioPath = (tree.root() / "scenario.txt").string();
  std::ofstream(scenarioPath) << scenario;
  logPath = (tree.root() / "log.jsonl").string();
  std::vector<std::string> args = {"VexaToolbar", "--headless", "--device-root", tree.root().string(),
                                   "--module-path", "\\Storage Card\\VexaDeck\\VexaToolbar.exe", "--screen", screen,
                                   "--lang", language, "--scenario", scenarioPath, "--log", logPath};
  args.insert(args.end(), extraArgs.begin(), extraArgs.end());
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  platform::ProgramInfo info;
  info.name = u"VexaToolbar";
  return platform::RunProgram(static_cast<int>(argv.size()), argv.data(), info,
                              [&](platform::Platform& platform, platform::ui::UserInterface& ui) {
                                FakeHost host(platform, ui);
                                body(host);
                                return 0;
                              });
}

std::vector<std::string> ToolbarWindowsTest::Log() const {
  std::vector<std::string> lines;
  std::ifstream in(logPath);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> ToolbarWindowsTest::Events(const std::string& event) const {
  std::vector<std::string> found;
  for (const auto& line : Log()) {
    if (line.find("\"event\":\"" + event + "\"") != std::string::npos) found.push_back(line);
  }
  return found;
}

}  // namespace vexa::toolbar
