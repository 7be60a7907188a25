#include "toolbar/StartupDuties.h"

#include "common/SettingValues.h"
#include "common/text/Text.h"

namespace vexa::toolbar {

void EnsureDesktop(platform::Processes& processes) {
  constexpr std::size_t kLargestSnapshot = 256;
  const std::vector<platform::ProcessInfo> snapshot = processes.List();
  bool explorer = false;
  std::size_t seen = 0;
  for (const platform::ProcessInfo& process : snapshot) {
    if (++seen > kLargestSnapshot) break;
    const std::u16string name = text::ToLower(process.exeFile);
    if (name == u"gn_intro.exe") processes.Terminate(process.id);
    if (name == u"explorer.exe") explorer = true;
  }
  if (!explorer) processes.Start(u"\\Windows\\explorer.exe", u"");
}

void AutoRun(ToolbarProfileStore& store) {
  for (const char16_t* section : {u"Run1", u"Run2", u"Run3"}) {
    if (!IsYesExactly(store.GetString(section, u"Execute", u"N"))) continue;
    const std::u16string path = store.GetString(section, u"ExeFilePath", u"");
    if (!path.empty()) store.Launch(path);
  }
}

}  // namespace vexa::toolbar
