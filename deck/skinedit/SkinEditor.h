#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/Environment.h"
#include "deck/ButtonSlot.h"
#include "deck/SkinFile.h"
#include "deck/SkinLoader.h"
#include "platform/ui/UserInterface.h"
#include "platform/ui/Window.h"

namespace vexa::deck {

// What the skin editor edits: the launcher window with its slots and background, live.
class SkinEditorHost {
 public:
  virtual ~SkinEditorHost() = default;
  // The launcher window: owner of the editor's windows and boxes.
  virtual platform::ui::Window* EditorOwner() = 0;
  // Slot 0 to 39.
  virtual ButtonSlot& EditedSlot(int index) = 0;
  virtual const SkinLocation& EditedSkin() const = 0;
  // Shows this picture as the background, fitted to the screen (empty or unreadable: none), and
  // draws every slot over it again.
  virtual void ShowEditedBackground(std::u16string_view path) = 0;
  // Reads the skin file again and shows it as stored, every unsaved change gone.
  virtual void ReloadEditedSkin() = 0;
  virtual void ResumeAfterEditing() = 0;  // the periodic timers run again
};

// The file names a skin offers for one kind of file, as the editor lists them: those of the skin's
// own folder bare, then those of the shared "_Common" folder with a leading "+". Pictures are the
// ".bmp", ".jpg", ".gif" and ".png" files, sounds the ".wav" files.
std::vector<std::u16string> SkinFileChoices(platform::FileSystem& files, const SkinLocation& skin,
                                            SkinFileKind kind);

// The name a path is shown by in those lists ("+wood.png" for a file of the shared folder).
inline std::u16string ShownFileName(std::u16string_view path, SkinFileKind kind) { return SkinFileValue(path, kind); }

// "Auto" for the automatic transparent colour, else "10,20,30" (red, green, blue).
std::u16string TransparentColorText(gfx::ColorRef color);

// Entry n (1 to 40) of the slot list: "07:Button07" for a slot without a caption, "07:Navi" otherwise.
std::u16string SlotEntryText(int number, std::u16string_view caption);

class SlotLayoutWindow;

// The skin editor: the "General Layout" window over the launcher while edit mode lasts, and the
// "Layout" window a tap on a slot opens. Nothing reaches the skin file until Save.
class SkinEditor : public platform::ui::WindowHandler {
 public:
  SkinEditor(Environment& env, platform::ui::UserInterface& ui, SkinEditorHost& host);
  ~SkinEditor() override;
  SkinEditor(const SkinEditor&) = delete;
  SkinEditor& operator=(const SkinEditor&) = delete;

  // Opens the General Layout window and puts every slot into its edit appearance. The caller has
  // stopped the periodic timers; false (nothing changed) when the window could not be made.
  bool Enter();
  bool editing() const { return editing_; }
  // The Layout window for slot n (1 to 40), modal; returns when it closes.
  void OpenLayout(int slotNumber);
  bool layoutOpen() const { return layoutOpen_; }

  // What the Layout window remembers between openings.
  int lastPage() const { return lastPage_; }
  void SetLastPage(int page) { lastPage_ = page; }
  int step() const { return step_; }
  void SetStep(int step) { step_ = step; }

  // The launcher goes away: the editor's window with it, without asking.
  void Abandon();

  // General Layout window.
  void OnInit(platform::ui::Window& window) override;
  void OnCommand(platform::ui::Window& window, int controlId, platform::ui::Notification notification) override;
  bool OnClose(platform::ui::Window& window) override;
  void OnDestroy(platform::ui::Window& window) override;

 private:
  void Toggle(platform::ui::Window& window, bool expand);
  void Save(platform::ui::Window& window);
  void Cancel(platform::ui::Window& window);
  void Leave();
  bool RefuseWhileLayoutOpen();
  void ChooseBackground(platform::ui::Window& window);
  void ChooseFont(platform::ui::Window& window);
  void SetEditAppearance(bool on);

  Environment& env_;
  platform::ui::UserInterface& ui_;
  SkinEditorHost& host_;
  platform::ui::Window* window_ = nullptr;  // the General Layout window while it is open
  platform::ui::WindowTemplate tmpl_;
  gfx::Rect fullRect_;
  gfx::Rect toggleRect_;
  std::vector<std::u16string> backgrounds_;
  std::vector<std::u16string> families_;
  bool editing_ = false;
  bool layoutOpen_ = false;
  int lastPage_ = 0;
  int step_ = 1;
};

}  // namespace vexa::deck
