#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "common/Environment.h"
#include "common/gfx/Geometry.h"
#include "deck/DeckSettings.h"
#include "deck/settings/SettingsSheet.h"
#include "platform/ui/UserInterface.h"
#include "platform/ui/Window.h"

namespace vexa::deck {

// What every page of the settings sheet works with.
struct SettingsContext {
  Environment& env;
  DeckSettings& settings;
  platform::ui::UserInterface& ui;
  gfx::Size screen;                         // the device screen
  platform::ui::Window* sheet = nullptr;    // owner of the boxes and dialogs the pages open
};

// One page of the sheet: a child window laid over the tab control's display area. It fills itself
// from the store when it is made and stores its controls into the store only when asked.
class SettingsPage : public platform::ui::WindowHandler {
 public:
  explicit SettingsPage(SettingsContext& context) : context_(context) {}

  // The page's window: English tab label as its title, controls in small-font coordinates.
  virtual platform::ui::WindowTemplate Template() const = 0;
  virtual void Fill(platform::ui::Window& window) = 0;
  virtual void Store(platform::ui::Window& window) { (void)window; }

  void OnInit(platform::ui::Window& window) override { Fill(window); }

 protected:
  Environment& env() { return context_.env; }
  DeckSettings& settings() { return context_.settings; }
  SettingsContext& context() { return context_; }
  platform::WindowHandle owner() const { return context_.sheet ? context_.sheet->handle() : platform::kNoWindow; }

 private:
  SettingsContext& context_;
};

// The eight pages, in tab order.
std::unique_ptr<SettingsPage> MakeSettingsPage(SettingsPageKind kind, SettingsContext& context);

// The Resolution page's check before anything is stored: the box for a custom size that does not do,
// and false; true when the page may be stored (and for every other page).
bool CheckResolutionPage(SettingsPage& page, platform::ui::Window& window);

// The Skin page's "Edit:" box.
bool SkinEditRequested(platform::ui::Window& skinPage);

}  // namespace vexa::deck
