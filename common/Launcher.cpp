#include "common/Launcher.h"

#include <algorithm>

#include "common/ProfileStore.h"
#include "common/text/DeviceText.h"
#include "common/text/Text.h"

namespace vexa {

namespace {
// A shortcut file is read no further than this.
constexpr std::size_t kShortcutLimit = 511;
}  // namespace

LaunchTexts LaunchTexts::For(Flavor flavor, bool koreanUi) {
  // The toolbar speaks Korean only, in its own older spelling; the runner shares it in Korean.
  if (flavor == Flavor::kToolbar || (flavor == Flavor::kRunner && koreanUi)) {
    return {u"에러", u"의 파일유형을 알수 없습니다.", u"은 지원하지 않는 파일유형 입니다.", u"를 실행할수 없습니다.",
            u"를 찾을수 없습니다."};
  }
  if (flavor == Flavor::kRunner) {
    return {u"Error", u" is unknown file type.", u" is does not support file type.", u" is does not execute.",
            u" file not found."};
  }
  if (koreanUi) {
    return {u"에러", u"의 파일유형을 알 수 없습니다.", u"은 지원하지 않는 파일유형 입니다.", u"를 실행할 수 없습니다.",
            u"를 찾을 수 없습니다."};
  }
  return {u"Error", u" file type unknown", u" file not sopported", u" cant be executed", u" file not found."};
}

ShortcutCommand ParseShortcut(std::u16string_view text,
                              const std::function<bool(std::u16string_view)>& isProgram) {
  // Line ends after the command are not part of it.
  while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n')) text.remove_suffix(1);
  const auto hash = text.find(u'#');
  const auto quoted = text.find(u"#\"");
  ShortcutCommand result;
  if (quoted != std::u16string_view::npos && quoted >= 1) {
    // 41#"\Storage Card\Navi\navi.exe" "\Storage Card\Navi\map.ini"
    // 21#"\Windows\ctlpnl.exe" cplmain.cpl,2
    // The target is what the quotes after the first '#' enclose; what follows it, blanks skipped, is
    // handed on. Quoted arguments lose their last character, the closing quote, and keep the opening
    // one; unquoted arguments go as written.
    std::u16string_view rest = text.substr(std::min(hash + 2, text.size()));
    const auto close = rest.find(u'"');
    if (close == std::u16string_view::npos) {
      // No closing quote: the last character is dropped in its place.
      if (!rest.empty()) rest.remove_suffix(1);
      result.target = rest;
      return result;
    }
    result.target = rest.substr(0, close);
    std::u16string_view after = rest.substr(close + 1);
    while (!after.empty() && (after.front() == u' ' || after.front() == u'\t')) after.remove_prefix(1);
    if (!after.empty() && after.front() == u'"') after.remove_suffix(1);
    result.arguments = after;
    return result;
  }

  // 23#\Windows\explorer.exe
  const std::u16string_view command = hash == std::u16string_view::npos ? text : text.substr(hash + 1);
  const auto last = command.rfind(u' ');
  if (last == std::u16string_view::npos || last == 0) {
    result.target = command;
    return result;
  }
  // An unquoted command holding blanks, as "\Storage Card\Navi\navi.exe -gps": the target is the
  // longest leading part that names a program file, the rest the arguments. When no part does, the
  // whole command is the target, so the error message names all of it.
  if (!isProgram(command)) {
    for (auto blank = last; blank != std::u16string_view::npos && blank > 0;
         blank = command.rfind(u' ', blank - 1)) {
      if (isProgram(command.substr(0, blank))) {
        result.target = command.substr(0, blank);
        // Handed on behind one opening quote, as the caller's arguments are.
        const auto arguments = text::TrimView(command.substr(blank + 1));
        if (!arguments.empty()) result.arguments = u"\"" + std::u16string(arguments);
        return result;
      }
    }
  }
  result.target = command;
  return result;
}

bool Launcher::Launch(platform::WindowHandle owner, std::u16string_view rawPath, std::u16string_view arguments) {
  const std::u16string path = paths_.ExpandStorage(rawPath);
  const auto dot = path.rfind(u'.');
  if (dot == std::u16string::npos) {
    Report(owner, path, texts_.unknownType);
    return false;
  }
  const std::u16string extension = text::ToLower(std::u16string_view(path).substr(dot + 1));
  if (extension == u"exe") return Start(owner, path, passesArguments_ ? arguments : std::u16string_view());
  if (extension == u"lnk") return LaunchShortcut(owner, path, passesArguments_ ? arguments : std::u16string_view());
  Report(owner, path, texts_.unsupported);
  return false;
}

bool Launcher::LaunchShortcut(platform::WindowHandle owner, const std::u16string& path,
                              std::u16string_view arguments) {
  const auto bytes = platform_.files.ReadFile(path, kShortcutLimit);
  if (!bytes || platform_.files.IsDirectory(path)) {
    Report(owner, path, texts_.notFound);
    return false;
  }
  // An empty shortcut file starts nothing. The command ends at the first zero byte.
  if (bytes->empty()) return true;
  const std::string_view content(bytes->data(), std::min(bytes->size(), bytes->find('\0')));
  const auto text = text::DecodeDeviceText(content, platform_.locale.AnsiCodePage());

  auto isProgram = [this](std::u16string_view candidate) {
    const auto expanded = paths_.ExpandStorage(candidate);
    return platform_.files.Exists(expanded) && !platform_.files.IsDirectory(expanded);
  };
  ShortcutCommand command = ParseShortcut(text, isProgram);
  // Bytes that hold no command (zero bytes left by a failed write) name nothing to run.
  if (command.target.empty()) {
    Report(owner, path, texts_.cannotRun);
    return false;
  }
  // Without arguments of its own, the shortcut hands on the caller's, behind one opening double quote.
  if (command.arguments.empty() && !arguments.empty()) command.arguments = u"\"" + std::u16string(arguments);
  return Start(owner, paths_.ExpandStorage(command.target), command.arguments);
}

bool Launcher::Start(platform::WindowHandle owner, const std::u16string& program, std::u16string_view commandLine) {
  if (platform_.processes.Start(program, commandLine)) return true;
  Report(owner, program, texts_.cannotRun);
  return false;
}

void Launcher::Report(platform::WindowHandle owner, std::u16string_view path, std::u16string_view message) {
  platform::MessageBoxRequest box;
  box.owner = owner;
  box.caption = texts_.caption;
  box.text = std::u16string(path) + std::u16string(message);
  box.icon = platform::MessageIcon::kInformation;
  platform_.messageBoxes.Show(box);
}

}  // namespace vexa
