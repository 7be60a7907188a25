#pragma once

#include "platform/EffectLog.h"
#include "platform/ui/WindowList.h"

namespace vexa::platform {

// A window list that logs what it does to windows, with the events and fields of the headless
// window list, each once it has succeeded: "window_foreground" {title}, "window_close_posted"
// {title}, "window_topmost" {title, on}, "window_shown" {title, visible} and "key_sent" {key}.
// Titles are read before the operation, as a closed window has none afterwards. Looking windows up
// goes straight through. Desktop runs wrap the display's window list in it.
class LoggingWindowList : public ui::WindowList {
 public:
  LoggingWindowList(ui::WindowList& inner, EffectLog& log) : inner_(inner), log_(log) {}

  std::optional<ui::ForeignWindow> Find(std::optional<std::u16string_view> title,
                                        std::optional<std::u16string_view> className) override {
    return inner_.Find(title, className);
  }
  std::vector<ui::ForeignWindow> Enumerate() override { return inner_.Enumerate(); }
  bool IsVisible(ui::ForeignWindow window) override { return inner_.IsVisible(window); }
  std::u16string Title(ui::ForeignWindow window) override { return inner_.Title(window); }
  std::u16string ClassName(ui::ForeignWindow window) override { return inner_.ClassName(window); }
  std::optional<gfx::Bitmap> Icon(ui::ForeignWindow window) override { return inner_.Icon(window); }

  bool SetForeground(ui::ForeignWindow window) override;
  bool PostClose(ui::ForeignWindow window) override;
  bool SetTopMost(ui::ForeignWindow window, bool topMost) override;
  bool Show(ui::ForeignWindow window, bool visible) override;
  bool PressRightButton(ui::ForeignWindow window) override;
  bool SendKey(int virtualKey) override;

 private:
  ui::WindowList& inner_;
  EffectLog& log_;
};

}  // namespace vexa::platform
