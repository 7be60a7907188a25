#include "platform/headless/Scenario.h"

#include <gtest/gtest.h>

namespace vexa::platform {
namespace {

using V = ScenarioVerb;

std::vector<ScenarioAction> Parsed(std::string_view text) {
  auto result = Scenario::Parse(text);
  if (auto* error = std::get_if<ScenarioError>(&result)) {
    ADD_FAILURE() << "line " << error->line << ": " << error->message;
    return {};
  }
  return std::get<Scenario>(result).actions();
}

ScenarioError ErrorOf(std::string_view text) {
  auto result = Scenario::Parse(text);
  if (auto* error = std::get_if<ScenarioError>(&result)) return *error;
  ADD_FAILURE() << "no error for: " << text;
  return {};
}

TEST(ScenarioTest, ReadsEveryActionWithItsValues) {
  const auto actions = Parsed(
      "# the demo\n"
      "tap 10 20\n"
      "press -5 0\n"
      "move 11 21\n"
      "release 12 22\n"
      "click \"Sound settings\" 1005\n"
      "choose \"Sound settings\" 1006 \"Ding Dong\"\n"
      "type \"Edit\" 7 \"\xED\x95\x9C \\\"q\\\" \\\\x\"\n"
      "check \"Options\" 1001 on\n"
      "check \"Options\" 1002 off\n"
      "check \"Options\" 1003 grey\n"
      "wait 1500\n"
      "answer yes\n"
      "answer no\n"
      "answer ok\n"
      "answer cancel\n"
      "file \"\\Storage Card\\Navi\\navi.exe\"\n"
      "file \"\"\n"
      "folder \"\\My Documents\"\n"
      "color 255,0,128\n"
      "screenshot \"VexaDeck\" out/deck.png\n"
      "quit\n");
  ASSERT_EQ(actions.size(), 21u);

  EXPECT_EQ(actions[0].verb, V::kTap);
  EXPECT_EQ(actions[0].line, 2);
  EXPECT_EQ(actions[0].text, "tap 10 20");
  EXPECT_EQ(actions[0].point, (gfx::Point{10, 20}));
  EXPECT_EQ(actions[1].verb, V::kPress);
  EXPECT_EQ(actions[1].point, (gfx::Point{-5, 0}));
  EXPECT_EQ(actions[2].verb, V::kMove);
  EXPECT_EQ(actions[3].verb, V::kRelease);
  EXPECT_EQ(actions[3].point, (gfx::Point{12, 22}));

  EXPECT_EQ(actions[4].verb, V::kClick);
  EXPECT_EQ(actions[4].title, u"Sound settings");
  EXPECT_EQ(actions[4].controlId, 1005);
  EXPECT_EQ(actions[5].verb, V::kChoose);
  EXPECT_EQ(actions[5].value, u"Ding Dong");
  EXPECT_EQ(actions[6].verb, V::kType);
  EXPECT_EQ(actions[6].title, u"Edit");
  EXPECT_EQ(actions[6].value, u"\uD55C \"q\" \\x");
  EXPECT_EQ(actions[7].check, ui::CheckState::kChecked);
  EXPECT_EQ(actions[8].check, ui::CheckState::kUnchecked);
  EXPECT_EQ(actions[9].check, ui::CheckState::kIndeterminate);
  EXPECT_EQ(actions[9].controlId, 1003);

  EXPECT_EQ(actions[10].verb, V::kWait);
  EXPECT_EQ(actions[10].milliseconds, 1500u);
  EXPECT_EQ(actions[11].answer, MessageAnswer::kYes);
  EXPECT_EQ(actions[12].answer, MessageAnswer::kNo);
  EXPECT_EQ(actions[13].answer, MessageAnswer::kOk);
  EXPECT_EQ(actions[14].answer, MessageAnswer::kCancel);
  EXPECT_EQ(actions[15].verb, V::kFile);
  EXPECT_EQ(actions[15].value, u"\\Storage Card\\Navi\\navi.exe");  // lone backslashes stay
  EXPECT_EQ(actions[16].value, u"");
  EXPECT_EQ(actions[17].verb, V::kFolder);
  EXPECT_EQ(actions[17].value, u"\\My Documents");
  EXPECT_EQ(actions[18].verb, V::kColor);
  EXPECT_EQ(actions[18].color, gfx::Rgb(255, 0, 128));
  EXPECT_EQ(actions[19].verb, V::kScreenshot);
  EXPECT_EQ(actions[19].title, u"VexaDeck");
  EXPECT_EQ(actions[19].hostPath, "out/deck.png");
  EXPECT_EQ(actions[20].verb, V::kQuit);
  EXPECT_EQ(actions[20].line, 22);
}

TEST(ScenarioTest, LayoutIsForgiving) {
  // A byte-order mark, CRLF line ends, indentation, letter case, trailing comments, blanks after
  // commas and quoted host paths are all accepted.
  const auto actions = Parsed(
      "\xEF\xBB\xBF"
      "  # indented comment\r\n"
      "\r\n"
      "\tCLICK \"Main\" 1   # press the first button\r\n"
      "Check \"Main\" 2 ON\r\n"
      "color 1, 2, 3\r\n"
      "screenshot \"Main\" \"my shots/a.png\"\r\n"
      "folder \"\\Windows\\\\\"");
  ASSERT_EQ(actions.size(), 5u);
  EXPECT_EQ(actions[0].line, 3);
  EXPECT_EQ(actions[0].text, "CLICK \"Main\" 1   # press the first button");
  EXPECT_EQ(actions[0].controlId, 1);
  EXPECT_EQ(actions[1].check, ui::CheckState::kChecked);
  EXPECT_EQ(actions[2].color, gfx::Rgb(1, 2, 3));
  EXPECT_EQ(actions[3].hostPath, "my shots/a.png");
  EXPECT_EQ(actions[4].value, u"\\Windows\\");
}

TEST(ScenarioTest, AScreenshotOfTheScreenIsAskedForByTheBareWordScreen) {
  const auto actions = Parsed(
      "screenshot screen shot.png\n"
      "Screenshot SCREEN \"my shots/b.png\"\n"
      "screenshot \"screen\" c.png\n"
      "screenshot Screens d.png\n");
  ASSERT_EQ(actions.size(), 4u);
  EXPECT_TRUE(actions[0].wholeScreen);
  EXPECT_EQ(actions[0].hostPath, "shot.png");
  EXPECT_TRUE(actions[1].wholeScreen);
  EXPECT_EQ(actions[1].hostPath, "my shots/b.png");
  // In quotes it is the title of a window, as is any other word.
  EXPECT_FALSE(actions[2].wholeScreen);
  EXPECT_EQ(actions[2].title, u"screen");
  EXPECT_FALSE(actions[3].wholeScreen);
  EXPECT_EQ(actions[3].title, u"Screens");
}

TEST(ScenarioTest, WrongLinesAreReportedWithTheirNumber) {
  struct Case {
    const char* text;
    int line;
    const char* message;
  };
  const Case cases[] = {
      {"tap 1 2\nklick \"Main\" 1\n", 2, "unknown action \"klick\""},
      {"tap 1\n", 1, "tap takes 2 values, not 1"},
      {"\n\nquit now\n", 3, "quit takes 0 values, not 1"},
      {"tap 1 two\n", 1, "Y must be a whole number, not \"two\""},
      {"tap \"1\" 2\n", 1, "X must be a whole number, not \"1\""},
      {"click \"Main\" -3\n", 1, "the control ID must not be negative"},
      {"click \"Main\" 1x\n", 1, "the control ID must be a whole number, not \"1x\""},
      {"check \"Main\" 1 maybe\n", 1, "check takes on, off or grey, not \"maybe\""},
      {"wait -5\n", 1, "wait takes milliseconds, a whole number from 0, not \"-5\""},
      {"answer perhaps\n", 1, "answer takes yes, no, ok, cancel or retry, not \"perhaps\""},
      {"color 256,0,0\n", 1, "color takes R,G,B with each from 0 to 255, not \"256,0,0\""},
      {"color 1,2\n", 1, "color takes R,G,B with each from 0 to 255, not \"1,2\""},
      {"color 1,2,3,4\n", 1, "color takes R,G,B with each from 0 to 255, not \"1,2,3,4\""},
      {"type \"Main\" 1 \"unfinished\n", 1, "a quoted text has no closing quote"},
      {"click \"Main\"1\n", 1, "a closing quote must be followed by a blank"},
      {"file \"\\Windows\\\"\n", 1, "a quoted text has no closing quote"},
      {"quit\ntype \"Main\" 1 \"\xC3(\"\n", 2, "the line is not valid UTF-8"},
      {"screenshot \"Main\" \"\"\n", 1, "screenshot needs a file to write"},
  };
  for (const Case& c : cases) {
    const ScenarioError error = ErrorOf(c.text);
    EXPECT_EQ(error.line, c.line) << c.text;
    EXPECT_EQ(error.message, c.message) << c.text;
  }
}

TEST(ScenarioTest, AnswersAreTakenOnlyByTheirKindOfDialog) {
  Scenario scenario = std::get<Scenario>(Scenario::Parse("answer yes\nfile \"\\a.txt\"\nclick \"M\" 1\n"));
  bool fromScript = false;
  EXPECT_FALSE(scenario.TakeAnswer(V::kFile));  // the next action is for a message box
  const auto answer = scenario.TakeAnswer(V::kAnswer, &fromScript);
  ASSERT_TRUE(answer);
  EXPECT_TRUE(fromScript);
  EXPECT_EQ(answer->answer, MessageAnswer::kYes);

  // An answer the loop came to first is kept for the next dialog of its kind, ahead of the script.
  scenario.Keep(*scenario.Next());
  EXPECT_FALSE(scenario.TakeAnswer(V::kFolder));
  const auto file = scenario.TakeAnswer(V::kFile, &fromScript);
  ASSERT_TRUE(file);
  EXPECT_FALSE(fromScript);
  EXPECT_EQ(file->value, u"\\a.txt");
  EXPECT_FALSE(scenario.TakeAnswer(V::kFile));
  EXPECT_EQ(scenario.Next()->verb, V::kClick);
  EXPECT_TRUE(scenario.finished());
  EXPECT_FALSE(scenario.Next());
}

TEST(ScenarioTest, AControlIsANumberWhenBareAndACaptionWhenQuoted) {
  const auto actions = Parsed(
      "click \"Vexa Deck Setup\" \"Save\"\n"
      "click \"Vexa Deck Setup\" 1005\n"
      "click \"Vexa Deck Setup\" \"1005\"\n"
      "type \"Vexa Deck Setup\" \"Width:\" \"640\"\n"
      "choose \"Vexa Deck Setup\" \"\xEC\x8A\xA4\xED\x82\xA8\" \"Default\"\n"
      "check \"Vexa Deck Setup\" \"Auto start\" on\n");
  ASSERT_EQ(actions.size(), 6u);
  EXPECT_EQ(actions[0].controlCaption, u"Save");
  EXPECT_FALSE(actions[1].controlCaption);
  EXPECT_EQ(actions[1].controlId, 1005);
  EXPECT_FALSE(actions[1].control().caption);
  EXPECT_EQ(actions[1].control().id, 1005);
  // Digits in quotes are the caption of a button reading 1005.
  EXPECT_EQ(actions[2].controlCaption, u"1005");
  EXPECT_EQ(actions[2].control().caption, u"1005");
  EXPECT_EQ(actions[3].controlCaption, u"Width:");
  EXPECT_EQ(actions[3].value, u"640");
  EXPECT_EQ(actions[4].controlCaption, u"\uC2A4\uD0A8");
  EXPECT_EQ(actions[4].value, u"Default");
  EXPECT_EQ(actions[5].controlCaption, u"Auto start");
  EXPECT_EQ(actions[5].check, ui::CheckState::kChecked);

  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"click \"Main\" \"\"\n", "the control's caption must not be empty"},
      {"click \"Main\" Save\n", "the control ID must be a whole number, not \"Save\""},
      {"type \"Main\" \"Width:\"\n", "type takes 3 values, not 2"},
      {"check \"Main\" \"Auto start\" maybe\n", "check takes on, off or grey, not \"maybe\""},
      {"click \"Main\" \"Save\"1\n", "a closing quote must be followed by a blank"},
  };
  for (const Case& c : cases) {
    const ScenarioError error = ErrorOf(c.text);
    EXPECT_EQ(error.line, 1) << c.text;
    EXPECT_EQ(error.message, c.message) << c.text;
  }
}

}  // namespace
}  // namespace vexa::platform

namespace vexa::platform {
namespace {

TEST(ScenarioSerialTest, SerialTextHasItsOwnEscapesAndNamesItsPort) {
  const auto actions = Parsed(
      "serial \"COM2:\" \"$GPRMC,1*4F\\r\\n\"\n"
      "serial COM12 \"\\xA0\\xa2 \\\"q\\\" \\\\r\"\n"
      "serial-file \"com3:\" drives/seoul.nmea\n"
      "serial COM2: \"\"\n");
  ASSERT_EQ(actions.size(), 4u);
  EXPECT_EQ(actions[0].verb, V::kSerial);
  EXPECT_EQ(actions[0].port, 2);
  EXPECT_EQ(actions[0].bytes, "$GPRMC,1*4F\r\n");
  EXPECT_EQ(actions[1].port, 12);
  // \\r is a backslash and an r, not a carriage return.
  EXPECT_EQ(actions[1].bytes, "\xA0\xA2 \"q\" \\r");
  EXPECT_EQ(actions[2].verb, V::kSerialFile);
  EXPECT_EQ(actions[2].port, 3);
  EXPECT_EQ(actions[2].hostPath, "drives/seoul.nmea");
  EXPECT_EQ(actions[3].bytes, "");

  const Scenario scenario = std::get<Scenario>(Scenario::Parse(
      "serial COM2: \"a\"\nwait 10\nserial-file COM5: x.nmea\nserial COM2: \"b\"\n"));
  EXPECT_EQ(scenario.SerialPorts(), (std::vector<int>{2, 5}));
}

TEST(ScenarioSerialTest, WrongSerialLinesAreReported) {
  const std::pair<const char*, const char*> cases[] = {
      {"serial \"COM2:\"\n", "serial takes 2 values, not 1"},
      {"serial \"LPT1:\" \"x\"\n", "\"LPT1:\" is not a serial port's name (COM1: .. COM9:, \\\\?\\COM10: ..)"},
      {"serial COM0: \"x\"\n", "\"COM0:\" is not a serial port's name (COM1: .. COM9:, \\\\?\\COM10: ..)"},
      {"serial COM2: \"\\x4\"\n", "\\x takes two hexadecimal digits"},
      {"serial COM2: \"\\xG0\"\n", "\\x takes two hexadecimal digits"},
      {"serial COM2: \"\\t\"\n", "serial knows the escapes \\r \\n \\xNN \\\\ and \\\", not \\t"},
      {"serial-file COM2: \"\"\n", "serial-file needs a file to feed"},
  };
  for (const auto& [text, message] : cases) EXPECT_EQ(ErrorOf(text).message, message) << text;
}

}  // namespace
}  // namespace vexa::platform

namespace vexa::platform {
namespace {

TEST(ScenarioWindowTest, AWindowOfAnotherProgramTakesItsWordsInAnyOrder) {
  const auto actions = Parsed(
      "window \"Navigation\" icon \"\\Storage Card\\navi.png\" TOPMOST class \"NaviMain\"\n"
      "window \"Music\" hidden icon 40,160,40\n"
      "window \"\"\n"
      "window-gone \"Music\"\n");
  ASSERT_EQ(actions.size(), 4u);
  EXPECT_EQ(actions[0].verb, V::kWindow);
  EXPECT_EQ(actions[0].title, u"Navigation");
  EXPECT_EQ(actions[0].windowClass, u"NaviMain");
  EXPECT_TRUE(actions[0].topMost);
  EXPECT_FALSE(actions[0].hidden);
  EXPECT_EQ(actions[0].iconPath, u"\\Storage Card\\navi.png");
  EXPECT_TRUE(actions[1].hidden);
  EXPECT_EQ(actions[1].iconColor, gfx::Rgb(40, 160, 40));
  EXPECT_FALSE(actions[1].iconPath.has_value());
  EXPECT_EQ(actions[2].title, u"");
  EXPECT_TRUE(actions[2].windowClass.empty());
  EXPECT_EQ(actions[3].verb, V::kWindowGone);
  EXPECT_EQ(actions[3].title, u"Music");

  EXPECT_EQ(ErrorOf("window\n").message, "window takes a title, then class, hidden, topmost or icon");
  EXPECT_EQ(ErrorOf("window \"A\" class\n").message, "window's class needs a value after it");
  EXPECT_EQ(ErrorOf("window \"A\" minimised\n").message,
            "window knows class, hidden, topmost and icon, not \"minimised\"");
  EXPECT_EQ(ErrorOf("window \"A\" icon 1,2\n").message,
            "window's icon takes a quoted picture path or R,G,B, not \"1,2\"");
  EXPECT_EQ(ErrorOf("window \"A\" icon 1,2,3 icon \"\\a.png\"\n").message, "window takes one icon");
  EXPECT_EQ(ErrorOf("window-gone\n").message, "window-gone takes 1 value, not 0");
}

}  // namespace
}  // namespace vexa::platform
