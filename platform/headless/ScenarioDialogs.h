#pragma once

#include "platform/EffectLog.h"
#include "platform/FolderPicker.h"
#include "platform/MessageBoxes.h"
#include "platform/headless/ScenarioPump.h"
#include "platform/ui/UserInterface.h"

namespace vexa::platform {

// Message boxes, the open-file dialog, the colour chooser and the folder picker of the headless
// mode, answered by the scenario: each takes the answer of its kind the scenario holds for it (the
// next action, when it is `answer`, `file`, `color` or `folder` respectively, or one the loop came to
// earlier); without one a message box takes its default button and the other dialogs are cancelled.
// `file ""` and `folder ""` cancel too. An answer that is not one of the box's buttons ("answer yes"
// for an OK box) fails the run, and the box takes its default button.
//
// Each dialog is logged with its answer:
//   "message_box"   {caption, text, buttons, icon, answer}
//                   buttons: ok, ok_cancel, yes_no, yes_no_cancel, retry_cancel
//                   icon: none, information, exclamation, question, stop
//                   answer: ok, cancel, retry, yes, no
//   "file_dialog"   {filter, folder, answer}   answer: the device path, "" when cancelled
//   "folder_dialog" {title, answer}            answer: the device path, "" when cancelled
//   "color_dialog"  {initial, answer}          "R,G,B"; answer "" when cancelled
class ScenarioDialogs : public MessageBoxes, public ui::CommonDialogs, public FolderPicker {
 public:
  ScenarioDialogs(ScenarioPump& pump, EffectLog& log) : pump_(pump), log_(log) {}

  MessageAnswer Show(const MessageBoxRequest& request) override;
  std::optional<std::u16string> OpenFile(WindowHandle owner, std::u16string_view filter,
                                         std::u16string_view initialFolder) override;
  std::optional<gfx::ColorRef> ChooseColor(WindowHandle owner, gfx::ColorRef initial) override;
  std::u16string Browse(WindowHandle owner, std::u16string_view title) override;

  static std::string_view ButtonsName(MessageButtons buttons);
  static std::string_view IconName(MessageIcon icon);
  static std::string_view AnswerName(MessageAnswer answer);

 private:
  // The scenario's answer for a dialog of this kind, logged as an action when it comes from the
  // script now; nothing once the run is quitting.
  std::optional<ScenarioAction> TakeAnswer(ScenarioVerb verb);

  ScenarioPump& pump_;
  EffectLog& log_;
};

}  // namespace vexa::platform
