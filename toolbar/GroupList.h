#pragma once

#include <string>
#include <vector>

#include "common/gfx/Geometry.h"
#include "platform/FileSystem.h"
#include "platform/ui/WindowTemplate.h"
#include "toolbar/ToolbarHost.h"

namespace vexa::toolbar {

inline constexpr char16_t kGroupListTitle[] = u"Program Group";

enum GroupListControl : int {
  kGroupEntries = 1000,
  kGroupRun = 1001,
  kGroupNew = 1002,
  kGroupDelete = 1003,
  kGroupReturn = 1004,
};

// The shortcuts of a group folder: every "*.lnk" file of it by its name without ".lnk", in the order
// the folder lists them. Empty for a missing folder or an empty folder path.
std::vector<std::u16string> GroupEntries(platform::FileSystem& files, std::u16string_view folder);

gfx::Size GroupListSize();
platform::ui::WindowTemplate GroupListTemplate(gfx::Point topLeft);

// The list of group `group` (1 Pgm, 2 Game, 3 Sys: section ProgramN, its ProgramPath), opened beside
// its button, with Run (and a double tap), New, Del. and Return.
void RunGroupList(ToolbarHost& host, int group);

}  // namespace vexa::toolbar
