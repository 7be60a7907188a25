#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/Environment.h"
#include "common/gfx/Bitmap.h"
#include "deck/pictures/PictureLists.h"

namespace vexa::deck {

// What showing pictures needs of the launcher window.
class PictureHost {
 public:
  virtual ~PictureHost() = default;
  virtual platform::WindowHandle Owner() = 0;
  // The automatic change (timer 4): stopped while a picture is being shown, then armed again.
  virtual void StopAutoChange() = 0;
  virtual void RestartAutoChange() = 0;
  // The background bitmap holds a new picture: the slots and the window draw it.
  virtual void BackgroundChanged() = 0;
  // Puts a picture into the picture place of slot `slotIndex` (0 to 39), which fits it to itself.
  virtual void ShowInPlace(int slotIndex, std::shared_ptr<const gfx::Bitmap> picture) = 0;
};

// Where the current skin keeps its pictures and which slots are its picture places.
struct PictureSkin {
  std::u16string root;  // the skin folder with a backslash at its end: "\...\Skin\"
  std::u16string name;  // "Default"
  std::u16string file;  // the skin file that remembers the last background and picture
  std::array<std::optional<int>, 6> places;
  gfx::Size screen;
};

// The launcher's backgrounds and pictures: the lists, the steps through them, showing one and
// remembering it in the skin file.
class PictureShow {
 public:
  PictureShow(Environment& env, PictureHost& host, gfx::Bitmap& background)
      : env_(env), host_(host), background_(background) {}

  // A skin was loaded: its folders and places; the next picture goes to its first place.
  void SetSkin(PictureSkin skin);
  // Fills both lists from the skin's folders and the picture folder.
  void Scan();
  const PictureLists& lists() const { return lists_; }

  // BGND-PREV / BGND-NEXT and PIC-PREV / PIC-NEXT from the last one shown.
  void StepBackground(bool next);
  void StepPicture(bool next);

  // Shows a background of the list (a leading "+" for the common folder) and remembers it.
  void ShowBackground(std::u16string_view name);
  // Shows it without remembering it or touching the automatic change (the background chooser).
  bool PreviewBackground(std::u16string_view name);
  // Shows a picture of the picture folder in the next picture place and remembers it.
  void ShowPicture(std::u16string_view name);

  // The file a background list name stands for.
  std::u16string BackgroundPath(std::u16string_view name) const;

 private:
  bool LoadBackground(std::u16string_view name);
  void Remember(std::u16string_view section, std::u16string_view name);
  std::u16string PictureFolder() const;

  Environment& env_;
  PictureHost& host_;
  gfx::Bitmap& background_;
  PictureSkin skin_;
  PictureLists lists_;
  std::size_t nextPlace_ = 0;
};

}  // namespace vexa::deck
