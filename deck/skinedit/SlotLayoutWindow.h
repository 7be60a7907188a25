#pragma once

#include <array>
#include <string>
#include <vector>

#include "common/Environment.h"
#include "deck/skinedit/SkinEditor.h"
#include "platform/ui/UserInterface.h"
#include "platform/ui/Window.h"

namespace vexa::deck {

// The skin editor's "Layout" window: one slot at a time, chosen in "Btn:" or with P and N, on five
// pages (Act, Pos, Btn, Txt, Wav). Every change shows on the launcher at once; the edited slot is
// drawn highlighted while the window is open.
class SlotLayoutWindow : public platform::ui::WindowHandler {
 public:
  static constexpr int kPageCount = 5;

  SlotLayoutWindow(Environment& env, platform::ui::UserInterface& ui, SkinEditorHost& host, SkinEditor& editor);
  SlotLayoutWindow(const SlotLayoutWindow&) = delete;
  SlotLayoutWindow& operator=(const SlotLayoutWindow&) = delete;

  // Runs the window modally on slot `slotIndex` (0 to 39); returns when it closes.
  void Run(int slotIndex);

  void OnInit(platform::ui::Window& window) override;
  void OnCommand(platform::ui::Window& window, int controlId, platform::ui::Notification notification) override;

 private:
  // Each page is a child window of its own; its events come back here by page.
  class Page : public platform::ui::WindowHandler {
   public:
    explicit Page(SlotLayoutWindow& owner) : owner_(owner) {}
    void OnCommand(platform::ui::Window& window, int controlId, platform::ui::Notification notification) override {
      owner_.OnPageCommand(window, controlId, notification);
    }

   private:
    SlotLayoutWindow& owner_;
  };

  ButtonSlot& slot() { return host_.EditedSlot(slot_); }
  platform::WindowHandle handle() const;
  void CreatePages(platform::ui::Window& window);
  void ShowPage(int page);
  void SelectSlot(int index);
  void Fill();
  void FillAct(platform::ui::Window& page);
  void FillPos(platform::ui::Window& page);
  void FillBtn(platform::ui::Window& page);
  void FillTxt(platform::ui::Window& page);
  void FillWav(platform::ui::Window& page);
  void OnPageCommand(platform::ui::Window& page, int id, platform::ui::Notification notification);
  void OnAct(platform::ui::Window& page, int id, platform::ui::Notification notification);
  void OnPos(int id);
  void OnBtn(platform::ui::Window& page, int id, platform::ui::Notification notification);
  void OnTxt(platform::ui::Window& page, int id, platform::ui::Notification notification);
  void OnWav(platform::ui::Window& page, int id, platform::ui::Notification notification);
  void SetPicture(ButtonSlot::PictureIndex which, std::u16string_view path);
  void ChooseFont(platform::ui::Window& page);
  // A slot the skin does not use gets a section name of its own once it is edited, so Save keeps it.
  void Touch();
  void RefreshEntry();

  Environment& env_;
  platform::ui::UserInterface& ui_;
  SkinEditorHost& host_;
  SkinEditor& editor_;
  gfx::Size screen_;
  platform::ui::WindowTemplate tmpl_;
  platform::ui::Window* window_ = nullptr;
  std::array<Page, kPageCount> handlers_;
  std::array<platform::ui::Window*, kPageCount> pages_{};
  int page_ = 0;
  int slot_ = 0;
  std::vector<std::u16string> pictures_;  // the names of "UP:" and "DN:"
  std::vector<std::u16string> sounds_;    // the names of "WAV:"
};

}  // namespace vexa::deck
