#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vexa::platform {

// Splits a command line into arguments by the Windows rules. The command line holds the arguments
// only (no program name), so the first token is an ordinary argument:
//   - blanks and tabs separate arguments, outside double quotes;
//   - a double quote starts or ends a quoted part, in which blanks and tabs are kept; quoted and
//     unquoted parts run together into one argument (a"b c"d is `ab cd`), and "" alone is an empty
//     argument;
//   - inside a quoted part, "" gives a literal quote and the part goes on, as the current C runtime
//     does it (the runtime before 2008 ended the quoted part there);
//   - backslashes are literal unless they come right before a double quote: 2n backslashes and a
//     quote give n backslashes and the quote starts or ends a quoted part; 2n+1 backslashes and a
//     quote give n backslashes and a literal quote;
//   - a quoted part left open at the end ends there.
// Example: `"\Storage Card\Music\a.m3u" /play 3\"` gives `\Storage Card\Music\a.m3u`, `/play`, `3"`.
std::vector<std::u16string> SplitCommandLine(std::u16string_view commandLine);

// The inverse: joins arguments with one blank, quoting an argument when it is empty or holds a blank,
// a tab or a double quote, so that SplitCommandLine gives the same arguments back.
std::u16string JoinCommandLine(const std::vector<std::u16string>& arguments);

}  // namespace vexa::platform
