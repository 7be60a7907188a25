#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/EffectLog.h"
#include "platform/FileSystem.h"
#include "platform/ui/UserInterface.h"

namespace vexa::platform {

class QtUserInterface;

// The open-file dialog and the colour chooser of a desktop run.
//
// The open-file dialog is a small dialog of ours over the device's file system, never the host's: a
// folder list (".." first below the root, then folders, then the files the chosen filter matches,
// each group sorted without regard to case), a file name field and the filter list. It answers a
// device path ("\Storage Card\Navi\navi.exe"). A folder the program names that does not exist starts
// the dialog at the root.
//
// The colour chooser is QColorDialog. Both are logged the way the headless mode logs them:
// "file_dialog" {filter, folder, answer} and "color_dialog" {initial, answer} with colours as "R,G,B"
// and "" for a cancelled dialog.
class QtCommonDialogs : public ui::CommonDialogs {
 public:
  // One entry of a filter: what the list shows and the patterns it stands for.
  struct Filter {
    QString label;
    QStringList patterns;
  };

  QtCommonDialogs(QtUserInterface& ui, FileSystem& files, EffectLog& log) : ui_(ui), files_(files), log_(log) {}

  std::optional<std::u16string> OpenFile(WindowHandle owner, std::u16string_view filter,
                                         std::u16string_view initialFolder) override;
  std::optional<gfx::ColorRef> ChooseColor(WindowHandle owner, gfx::ColorRef initial) override;

  // Reads a filter written the device's way: label and patterns alternate, separated by '|', and one
  // entry's patterns are separated by ';'. "Registry file(*.reg)|*.reg" or "(*.exe)|*.exe|". A label
  // without patterns stands for its own text as the pattern; an empty filter shows every file.
  static std::vector<Filter> ParseFilter(std::u16string_view filter);

 private:
  QtUserInterface& ui_;
  FileSystem& files_;
  EffectLog& log_;
};

}  // namespace vexa::platform
