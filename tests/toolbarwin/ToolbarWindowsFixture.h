#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/ToolbarProfileStore.h"
#include "platform/runtime/ProgramRuntime.h"
#include "tests/support/TempDeviceTree.h"
#include "toolbar/ToolbarHost.h"

namespace vexa::toolbar {

inline constexpr char16_t kSettingsPath[] = u"\\Storage Card\\VexaDeck\\VexaToolbar.ini";

// A window of ours standing in for the toolbar or its icon, moved where the windows ask.
class FakeTarget : public PositionTarget {
 public:
  FakeTarget(platform::ui::Window& window, std::function<void(gfx::Point)> moved)
      : window_(window), moved_(std::move(moved)) {}
  gfx::Rect Bounds() const override { return window_.GetRect(); }
  void MoveTo(gfx::Point topLeft) override {
    const gfx::Rect now = window_.GetRect();
    window_.Move(gfx::Rect::FromSize(topLeft.x, topLeft.y, now.width(), now.height()));
    if (moved_) moved_(topLeft);
  }

 private:
  platform::ui::Window& window_;
  std::function<void(gfx::Point)> moved_;
};

// The toolbar as its windows see it: a top-most window titled as the toolbar, one button wide, laid
// out from the store. It records what the windows asked of it.
class FakeHost : public ToolbarHost {
 public:
  FakeHost(platform::Platform& platform, platform::ui::UserInterface& ui);
  ~FakeHost() override;

  platform::Platform& Platform() override { return platform_; }
  platform::ui::UserInterface& Ui() override { return ui_; }
  ToolbarProfileStore& Store() override { return store_; }
  std::u16string SettingsPath() const override { return kSettingsPath; }
  platform::ui::Window& Window() override { return *window_; }
  PositionTarget& Toolbar() override { return *toolbar_; }
  gfx::Rect ButtonBounds(int) const override { return window_->GetRect(); }
  bool Vertical() const override { return false; }
  void Relayout() override;
  void ReloadSettings() override { store_.Read(kSettingsPath); }
  void PutOnTop() override { ++putOnTop; }
  void ApplyClockSetting() override { ++clockApplied; }
  std::unique_ptr<PositionTarget> ShowIconForPositioning() override;

  // The button size at each re-layout, and how often the windows asked for the rest.
  std::vector<gfx::Size> layouts;
  int putOnTop = 0;
  int clockApplied = 0;
  int iconsShown = 0;

 private:
  platform::Platform& platform_;
  platform::ui::UserInterface& ui_;
  ToolbarProfileStore store_;
  platform::ui::WindowHandler handler_;
  platform::ui::Window* window_ = nullptr;
  std::unique_ptr<FakeTarget> toolbar_;
};

// Runs a body with the fake toolbar headless on a small device tree, with a scenario, and keeps the
// effects log.
class ToolbarWindowsTest : public ::testing::Test {
 protected:
  ToolbarWindowsTest();

  void WriteSettings(const std::string& ini) { tree.WriteHostFile("Storage Card/VexaDeck/VexaToolbar.ini", ini); }
  std::string Settings() const { return tree.ReadHostFile("Storage Card/VexaDeck/VexaToolbar.ini"); }

  int Run(const std::string& scenario, const std::function<void(FakeHost&)>& body, const char* screen = "800x480",
          const char* language = "ko");

  std::vector<std::string> Log() const;
  // The log lines with this event.
  std::vector<std::string> Events(const std::string& event) const;

  testing::TempDeviceTree tree;
  std::string logPath;
  std::vector<std::string> extraArgs;  // "--start-time", ...
};

}  // namespace vexa::toolbar
