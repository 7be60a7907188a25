#include "platform/CommandLine.h"

#include <cstddef>

namespace vexa::platform {

namespace {

bool IsSeparator(char16_t c) {
  return c == u' ' || c == u'\t';
}

}  // namespace

std::vector<std::u16string> SplitCommandLine(std::u16string_view commandLine) {
  std::vector<std::u16string> arguments;
  const std::size_t size = commandLine.size();
  std::size_t i = 0;
  while (true) {
    while (i < size && IsSeparator(commandLine[i])) ++i;
    if (i >= size) break;

    // One argument: runs until a separator outside quotes or the end.
    std::u16string argument;
    bool quoted = false;
    while (i < size) {
      const char16_t c = commandLine[i];
      if (c == u'\\') {
        std::size_t count = 0;
        while (i < size && commandLine[i] == u'\\') {
          ++count;
          ++i;
        }
        if (i < size && commandLine[i] == u'"') {
          argument.append(count / 2, u'\\');
          if (count % 2 == 1) {
            argument.push_back(u'"');
            ++i;
          }
          // With an even count the quote is handled as an ordinary quote on the next turn.
        } else {
          argument.append(count, u'\\');
        }
      } else if (c == u'"') {
        if (quoted && i + 1 < size && commandLine[i + 1] == u'"') {
          argument.push_back(u'"');
          i += 2;
        } else {
          quoted = !quoted;
          ++i;
        }
      } else if (!quoted && IsSeparator(c)) {
        break;
      } else {
        argument.push_back(c);
        ++i;
      }
    }
    arguments.push_back(std::move(argument));
  }
  return arguments;
}

namespace {

bool NeedsQuotes(std::u16string_view argument) {
  return argument.empty() || argument.find_first_of(u" \t\"") != std::u16string_view::npos;
}

}  // namespace

std::u16string JoinCommandLine(const std::vector<std::u16string>& arguments) {
  std::u16string line;
  for (const std::u16string& argument : arguments) {
    if (!line.empty()) line.push_back(u' ');
    if (!NeedsQuotes(argument)) {
      // Backslashes are literal when no quote follows them, and none does here.
      line += argument;
      continue;
    }
    line.push_back(u'"');
    std::size_t backslashes = 0;
    for (const char16_t c : argument) {
      if (c == u'\\') {
        ++backslashes;
        continue;
      }
      if (c == u'"') {
        // Backslashes before a literal quote are doubled, and the quote gets one of its own.
        line.append(backslashes * 2 + 1, u'\\');
      } else {
        line.append(backslashes, u'\\');
      }
      backslashes = 0;
      line.push_back(c);
    }
    // Backslashes before the closing quote are doubled so that the quote still closes.
    line.append(backslashes * 2, u'\\');
    line.push_back(u'"');
  }
  return line;
}

}  // namespace vexa::platform
