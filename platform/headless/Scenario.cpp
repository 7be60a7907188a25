#include "platform/headless/Scenario.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "common/text/Text.h"
#include "platform/SerialPorts.h"

namespace vexa::platform {

namespace {

struct Word {
  std::string text;
  bool quoted = false;
  std::string raw;  // a quoted word as written between its quotes, escapes and all
};

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string Lower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  return out;
}

// Splits one line into words: click "Sound settings" 1005
// Sets `error` and gives up at a quote without its end or a quoted word run into the next one.
std::vector<Word> SplitWords(std::string_view line, std::string& error) {
  std::vector<Word> words;
  std::size_t i = 0;
  while (i < line.size()) {
    if (IsBlank(line[i])) {
      ++i;
      continue;
    }
    Word word;
    if (line[i] == '"') {
      word.quoted = true;
      ++i;
      bool closed = false;
      while (i < line.size()) {
        const char c = line[i];
        if (c == '\\' && i + 1 < line.size() && (line[i + 1] == '"' || line[i + 1] == '\\')) {
          word.text.push_back(line[i + 1]);
          word.raw.append(line.substr(i, 2));
          i += 2;
        } else if (c == '"') {
          closed = true;
          ++i;
          break;
        } else {
          word.text.push_back(c);
          word.raw.push_back(c);
          ++i;
        }
      }
      if (!closed) {
        error = "a quoted text has no closing quote";
        return {};
      }
      if (i < line.size() && !IsBlank(line[i])) {
        error = "a closing quote must be followed by a blank";
        return {};
      }
    } else {
      if (line[i] == '#') break;  // a comment to the end of the line
      while (i < line.size() && !IsBlank(line[i])) word.text.push_back(line[i++]);
    }
    words.push_back(std::move(word));
  }
  return words;
}

template <typename Number>
bool ParseNumber(std::string_view s, Number& value) {
  if (s.empty()) return false;
  const char* end = s.data() + s.size();
  const auto [ptr, ec] = std::from_chars(s.data(), end, value);
  return ec == std::errc() && ptr == end;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The bytes of serial's TEXT: \r \n \xNN \\ \" stand for what they say, other bytes for themselves.
std::string SerialBytes(std::string_view raw, std::string& bytes) {
  bytes.clear();
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] != '\\') {
      bytes.push_back(raw[i]);
      continue;
    }
    const char next = i + 1 < raw.size() ? raw[i + 1] : '\0';
    if (next == 'r' || next == 'n' || next == '\\' || next == '"') {
      bytes.push_back(next == 'r' ? '\r' : next == 'n' ? '\n' : next);
      ++i;
    } else if (next == 'x' && i + 3 < raw.size() && HexDigit(raw[i + 2]) >= 0 && HexDigit(raw[i + 3]) >= 0) {
      bytes.push_back(static_cast<char>(HexDigit(raw[i + 2]) * 16 + HexDigit(raw[i + 3])));
      i += 3;
    } else if (next == 'x') {
      return "\\x takes two hexadecimal digits";
    } else {
      return std::string("serial knows the escapes \\r \\n \\xNN \\\\ and \\\", not \\") +
             (next == '\0' ? std::string() : std::string(1, next));
    }
  }
  return {};
}

// "COM2:" or "COM2": the port's number.
std::optional<int> SerialPortOf(const std::string& name) {
  std::u16string text = text::FromUtf8(name);
  if (!text.empty() && text.back() != u':') text.push_back(u':');
  return SerialPortNumber(text);
}

bool ValidUtf8(std::string_view s) {
  if (std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
    return true;
  return text::ToUtf8(text::FromUtf8(s)) == s;
}

// Reads the words after the action name into `action`; an error text when they do not fit.
class LineReader {
 public:
  LineReader(const std::vector<Word>& words, ScenarioAction& action) : words_(words), action_(action) {}

  std::string Read() {
    const std::string verb = Lower(words_[0].text);
    using V = ScenarioVerb;
    if (verb == "tap" || verb == "press" || verb == "move" || verb == "release") {
      action_.verb = verb == "tap"     ? V::kTap
                     : verb == "press" ? V::kPress
                     : verb == "move"  ? V::kMove
                                       : V::kRelease;
      return First({Expect(2), Int(1, "X", action_.point.x), Int(2, "Y", action_.point.y)});
    }
    if (verb == "click") {
      action_.verb = V::kClick;
      return First({Expect(2), Title(), Id()});
    }
    if (verb == "choose" || verb == "type") {
      action_.verb = verb == "choose" ? V::kChoose : V::kType;
      return First({Expect(3), Title(), Id(), Text(3, action_.value)});
    }
    if (verb == "check") {
      action_.verb = V::kCheck;
      std::string problem = First({Expect(3), Title(), Id()});
      if (!problem.empty()) return problem;
      const std::string state = Lower(words_[3].text);
      if (state == "on") {
        action_.check = ui::CheckState::kChecked;
      } else if (state == "off") {
        action_.check = ui::CheckState::kUnchecked;
      } else if (state == "grey" || state == "gray") {
        action_.check = ui::CheckState::kIndeterminate;
      } else {
        return "check takes on, off or grey, not \"" + words_[3].text + "\"";
      }
      return {};
    }
    if (verb == "wait") {
      action_.verb = V::kWait;
      std::string problem = Expect(1);
      if (!problem.empty()) return problem;
      if (!ParseNumber(words_[1].text, action_.milliseconds)) {
        return "wait takes milliseconds, a whole number from 0, not \"" + words_[1].text + "\"";
      }
      return {};
    }
    if (verb == "answer") {
      action_.verb = V::kAnswer;
      std::string problem = Expect(1);
      if (!problem.empty()) return problem;
      const std::string answer = Lower(words_[1].text);
      if (answer == "yes") {
        action_.answer = MessageAnswer::kYes;
      } else if (answer == "no") {
        action_.answer = MessageAnswer::kNo;
      } else if (answer == "ok") {
        action_.answer = MessageAnswer::kOk;
      } else if (answer == "cancel") {
        action_.answer = MessageAnswer::kCancel;
      } else if (answer == "retry") {
        action_.answer = MessageAnswer::kRetry;
      } else {
        return "answer takes yes, no, ok, cancel or retry, not \"" + words_[1].text + "\"";
      }
      return {};
    }
    if (verb == "file" || verb == "folder") {
      action_.verb = verb == "file" ? V::kFile : V::kFolder;
      return First({Expect(1), Text(1, action_.value)});
    }
    if (verb == "color" || verb == "colour") {
      action_.verb = V::kColor;
      return Color();
    }
    if (verb == "screenshot") {
      action_.verb = V::kScreenshot;
      std::string problem = First({Expect(2), Title()});
      if (!problem.empty()) return problem;
      if (!words_[1].quoted && Lower(words_[1].text) == "screen") {
        action_.wholeScreen = true;
        action_.title.clear();
      }
      action_.hostPath = words_[2].text;
      if (action_.hostPath.empty()) return "screenshot needs a file to write";
      return {};
    }
    if (verb == "serial" || verb == "serial-file") {
      action_.verb = verb == "serial" ? V::kSerial : V::kSerialFile;
      std::string problem = Expect(2);
      if (!problem.empty()) return problem;
      const std::optional<int> port = SerialPortOf(words_[1].text);
      if (!port) return "\"" + words_[1].text + "\" is not a serial port's name (COM1: .. COM9:, \\\\?\\COM10: ..)";
      action_.port = *port;
      if (action_.verb == V::kSerialFile) {
        action_.hostPath = words_[2].text;
        if (action_.hostPath.empty()) return "serial-file needs a file to feed";
        return {};
      }
      return SerialBytes(words_[2].quoted ? words_[2].raw : words_[2].text, action_.bytes);
    }
    if (verb == "window") {
      action_.verb = V::kWindow;
      return Window();
    }
    if (verb == "window-gone") {
      action_.verb = V::kWindowGone;
      return First({Expect(1), Title()});
    }
    if (verb == "file-changed") {
      action_.verb = V::kFileChanged;
      if (words_.size() != 2 && words_.size() != 3)
        return "file-changed takes a device path and, if its content changes, a host file";
      Text(1, action_.value);
      if (action_.value.empty()) return "file-changed needs the device path of the file";
      if (words_.size() == 3) {
        action_.hostPath = words_[2].text;
        if (action_.hostPath.empty()) return "file-changed's host file must not be empty";
      }
      return {};
    }
    if (verb == "quit") {
      action_.verb = V::kQuit;
      return Expect(0);
    }
    return "unknown action \"" + words_[0].text + "\"";
  }

 private:
  // The first problem found, or none.
  static std::string First(std::initializer_list<std::string> problems) {
    for (const std::string& problem : problems) {
      if (!problem.empty()) return problem;
    }
    return {};
  }
  std::string Expect(std::size_t count) {
    const std::size_t given = words_.size() - 1;
    if (given == count) return {};
    return words_[0].text + " takes " + std::to_string(count) + (count == 1 ? " value" : " values") +
           ", not " + std::to_string(given);
  }
  std::string Int(std::size_t index, std::string_view what, int& value) {
    if (index >= words_.size()) return {};  // Expect reported it
    if (words_[index].quoted || !ParseNumber(words_[index].text, value)) {
      return std::string(what) + " must be a whole number, not \"" + words_[index].text + "\"";
    }
    return {};
  }
  std::string Title() {
    if (words_.size() < 2) return {};
    action_.title = text::FromUtf8(words_[1].text);
    return {};
  }
  // click "Setup" 1005, or click "Setup" "Save": a bare word is the number, a quoted one the caption.
  std::string Id() {
    if (words_.size() < 3) return {};
    if (words_[2].quoted) {
      if (words_[2].text.empty()) return "the control's caption must not be empty";
      action_.controlCaption = text::FromUtf8(words_[2].text);
      return {};
    }
    std::string problem = Int(2, "the control ID", action_.controlId);
    if (problem.empty() && action_.controlId < 0) problem = "the control ID must not be negative";
    return problem;
  }
  std::string Text(std::size_t index, std::u16string& value) {
    if (index >= words_.size()) return {};
    value = text::FromUtf8(words_[index].text);
    return {};
  }
  // window "Navigation" class "NaviMain" topmost icon "\Storage Card\Navi\navi.png"
  std::string Window() {
    if (words_.size() < 2) return "window takes a title, then class, hidden, topmost or icon";
    Title();
    for (std::size_t i = 2; i < words_.size(); ++i) {
      const std::string option = words_[i].quoted ? std::string() : Lower(words_[i].text);
      if (option == "hidden") {
        action_.hidden = true;
      } else if (option == "topmost") {
        action_.topMost = true;
      } else if (option == "class" || option == "icon") {
        if (i + 1 >= words_.size()) return "window's " + option + " needs a value after it";
        const Word& value = words_[++i];
        if (option == "class") {
          action_.windowClass = text::FromUtf8(value.text);
        } else if (action_.iconPath || action_.iconColor) {
          return "window takes one icon";
        } else if (value.quoted) {
          if (value.text.empty()) return "window's icon needs a picture's device path";
          action_.iconPath = text::FromUtf8(value.text);
        } else {
          gfx::ColorRef color = 0;
          std::string problem = ParseColor(value.text, color);
          if (!problem.empty())
            return "window's icon takes a quoted picture path or R,G,B, not \"" + value.text + "\"";
          action_.iconColor = color;
        }
      } else {
        return "window knows class, hidden, topmost and icon, not \"" + words_[i].text + "\"";
      }
    }
    return {};
  }
  // color 255,0,128  (blanks after the commas are allowed)
  std::string Color() {
    std::string joined;
    for (std::size_t i = 1; i < words_.size(); ++i) joined += words_[i].text;
    return ParseColor(joined, action_.color);
  }
  static std::string ParseColor(const std::string& joined, gfx::ColorRef& color) {
    int parts[3] = {};
    std::size_t start = 0;
    for (int k = 0; k < 3; ++k) {
      const std::size_t comma = k < 2 ? joined.find(',', start) : joined.size();
      if (comma == std::string::npos ||
          !ParseNumber(std::string_view(joined).substr(start, comma - start), parts[k]) || parts[k] < 0 ||
          parts[k] > 255) {
        return "color takes R,G,B with each from 0 to 255, not \"" + joined + "\"";
      }
      start = comma + 1;
    }
    color = gfx::Rgb(parts[0], parts[1], parts[2]);
    return {};
  }

  const std::vector<Word>& words_;
  ScenarioAction& action_;
};

}  // namespace

std::variant<Scenario, ScenarioError> Scenario::Parse(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  Scenario scenario;
  int lineNumber = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    ++lineNumber;
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
    while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    if (!ValidUtf8(line)) return ScenarioError{lineNumber, "the line is not valid UTF-8"};

    std::string problem;
    const std::vector<Word> words = SplitWords(line, problem);
    if (!problem.empty()) return ScenarioError{lineNumber, problem};
    if (words.empty()) continue;
    ScenarioAction action;
    action.line = lineNumber;
    action.text = std::string(line);
    problem = LineReader(words, action).Read();
    if (!problem.empty()) return ScenarioError{lineNumber, problem};
    scenario.actions_.push_back(std::move(action));
  }
  return scenario;
}

std::vector<int> Scenario::SerialPorts() const {
  std::vector<int> ports;
  for (const ScenarioAction& action : actions_) {
    if (action.verb != ScenarioVerb::kSerial && action.verb != ScenarioVerb::kSerialFile) continue;
    if (std::find(ports.begin(), ports.end(), action.port) == ports.end()) ports.push_back(action.port);
  }
  return ports;
}

std::optional<ScenarioAction> Scenario::Next() {
  if (finished()) return std::nullopt;
  return actions_[next_++];
}

std::optional<ScenarioAction> Scenario::TakeAnswer(ScenarioVerb verb, bool* fromScript) {
  if (fromScript) *fromScript = false;
  const auto kept = std::find_if(kept_.begin(), kept_.end(), [&](const auto& a) { return a.verb == verb; });
  if (kept != kept_.end()) {
    ScenarioAction answer = std::move(*kept);
    kept_.erase(kept);
    return answer;
  }
  if (!finished() && actions_[next_].verb == verb) {
    if (fromScript) *fromScript = true;
    return actions_[next_++];
  }
  return std::nullopt;
}

}  // namespace vexa::platform
