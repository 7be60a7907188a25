#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "common/gfx/Bitmap.h"
#include "common/gfx/Geometry.h"
#include "platform/MessageBoxes.h"
#include "platform/ui/Automation.h"
#include "platform/ui/Window.h"

namespace vexa::platform {

// What one scenario line asks for.
enum class ScenarioVerb {
  kTap,         // tap X Y              press and release at a screen point
  kPress,       // press X Y
  kMove,        // move X Y
  kRelease,     // release X Y
  kClick,       // click "TITLE" ID|"CAPTION"
  kChoose,      // choose "TITLE" ID|"CAPTION" "ITEM"
  kType,        // type "TITLE" ID|"CAPTION" "TEXT"
  kCheck,       // check "TITLE" ID|"CAPTION" on|off|grey
  kWait,        // wait MS               advance the virtual time
  kAnswer,      // answer yes|no|ok|cancel|retry   for the next message box
  kFile,        // file "DEVICEPATH"     for the next open-file dialog; "" cancels it
  kFolder,      // folder "DEVICEPATH"   for the next folder picker; "" cancels it
  kColor,       // color R,G,B           for the next colour chooser
  kScreenshot,  // screenshot "TITLE" HOSTPATH.png, or screenshot screen HOSTPATH.png
  kQuit,        // quit
  kSerial,      // serial "COM2:" "TEXT"      bytes arrive on a serial port at once
  kSerialFile,  // serial-file "COM2:" PATH   a recording arrives at the port's rate
  kWindow,      // window "TITLE" [class "NAME"] [hidden] [topmost] [icon "DEVICEPATH"|icon R,G,B]
                //   another program shows a window
  kWindowGone,  // window-gone "TITLE"   that program has ended: its window goes away
  kFileChanged, // file-changed "DEVICEPATH" [HOSTFILE]   a file of the device changed (with HOSTFILE:
                //   its bytes are written over the device file first)
};

struct ScenarioAction {
  ScenarioVerb verb = ScenarioVerb::kQuit;
  int line = 0;          // counted from 1
  std::string text;      // the line as written, without the blanks around it
  gfx::Point point;      // tap, press, move, release
  std::u16string title;  // the window's title
  int controlId = 0;
  std::optional<std::u16string> controlCaption;  // set when the control is named by its caption
  std::u16string value;  // choose: the item; type: the text; file and folder: the device path
  ui::CheckState check = ui::CheckState::kUnchecked;
  std::uint64_t milliseconds = 0;
  MessageAnswer answer = MessageAnswer::kOk;
  gfx::ColorRef color = 0;
  std::string hostPath;      // screenshot; serial-file: the recording, as written
  bool wholeScreen = false;  // screenshot screen: every visible window as stacked, not one window
  int port = 0;              // serial, serial-file: the port's number
  std::string bytes;         // serial: the bytes, escapes resolved
  // window: the other program's window.
  std::u16string windowClass;
  bool hidden = false;
  bool topMost = false;
  std::optional<std::u16string> iconPath;  // a picture file of the device
  std::optional<gfx::ColorRef> iconColor;  // a square of one colour

  // The control of click, choose, type and check, as Automation takes it.
  ui::ControlRef control() const {
    return controlCaption ? ui::ControlRef::Captioned(*controlCaption) : ui::ControlRef(controlId);
  }
};

struct ScenarioError {
  int line = 0;
  std::string message;
};

// A scenario: the actions of a scenario file in order, taken one at a time as the program asks for
// input, plus the answers for dialogs that were reached before their dialog appeared.
//
// The file is UTF-8 (a leading byte-order mark is skipped), one action a line; blank lines and lines
// whose first non-blank character is '#' are ignored, and a word starting with '#' after an action
// starts a comment. Words are separated by blanks or tabs; a word in double quotes may hold blanks,
// with \" standing for a quote and \\ for a backslash; any other backslash is itself, so device paths
// are written as they are ("\Storage Card\a.exe"), except that one ending in a backslash needs "\\"
// at its end. Action names and the words on, off, grey, yes, no ... are read without regard to
// letter case. Numbers are decimal; screen points may be negative. In "screenshot screen FILE" the
// unquoted word screen asks for the whole screen; a window titled "screen" is written in quotes.
// Likewise the control of click, choose, type and check is a number when bare (click "Setup" 1005)
// and a caption when quoted (click "Setup" "Save"), digits or not: "10" names the button reading 10.
// The TEXT of serial has escapes of its own: \r, \n, \xNN (two hexadecimal digits), \\ and \";
// any other backslash is an error there. Its port is "COM1:" .. "COM9:", "\\?\COM10:" and up (the
// colon may be left out). In window, the words class, hidden, topmost and icon may come in any order;
// icon takes a quoted device path of a picture or an unquoted R,G,B colour without blanks.
class Scenario {
 public:
  Scenario() = default;

  // Reads a whole scenario file; the first wrong line gives an error naming it, and nothing of the
  // file is used.
  static std::variant<Scenario, ScenarioError> Parse(std::string_view text);

  // Takes the next action in order; nullopt when none are left.
  std::optional<ScenarioAction> Next();
  // The answer for a dialog that appears now: one kept by Keep for that kind of dialog, else the
  // next action when it is of that kind (kAnswer, kFile, kFolder or kColor); nullopt otherwise.
  // `fromScript` tells whether the answer was taken from the actions just now.
  std::optional<ScenarioAction> TakeAnswer(ScenarioVerb verb, bool* fromScript = nullptr);
  // Keeps an answer the loop came to before its dialog appeared, for the next dialog of its kind.
  void Keep(ScenarioAction answer) { kept_.push_back(std::move(answer)); }

  bool finished() const { return next_ >= actions_.size(); }
  // The ports that serial and serial-file actions name, each once, in the order first named.
  std::vector<int> SerialPorts() const;
  const std::vector<ScenarioAction>& actions() const { return actions_; }

 private:
  std::vector<ScenarioAction> actions_;
  std::size_t next_ = 0;
  std::deque<ScenarioAction> kept_;
};

}  // namespace vexa::platform
