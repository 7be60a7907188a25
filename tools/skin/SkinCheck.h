#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Locale.h"

// The skin checker: reads every skin file of one skin with the launcher's own loader and says what
// the launcher would pass over without a word.
namespace vexa::skintool {

enum class Severity { kWarning, kError };

// One thing found, named by the file (relative to the skin folder: "skin480x272.ini",
// "gauge\speedX.png"), the section and the key it comes from; section and key may be empty.
struct Finding {
  Severity severity = Severity::kWarning;
  std::string file;
  std::string section;
  std::string key;
  std::string message;
  bool operator==(const Finding&) const = default;
};

struct CheckOptions {
  // The device language, which gives the code page the skin files are read in (949 for Korean).
  std::uint16_t langId = platform::kLangEnglishUs;
};

// Checks the skin in `skinFolder` (a host folder such as ".../Skin/Default"); the shared "_Common"
// folder is looked for beside it. The skin is only read, never changed.
std::vector<Finding> CheckSkin(const std::filesystem::path& skinFolder, const CheckOptions& options = {});

// 0 when nothing was found, 1 with warnings only, 2 with any error.
int ExitStatus(const std::vector<Finding>& findings);

// "skin480x272.ini [Button03] UpImageFile: error: ..." for people; one JSON object for tools.
std::string FindingLine(const Finding& finding);
std::string FindingJson(const Finding& finding);

}  // namespace vexa::skintool
