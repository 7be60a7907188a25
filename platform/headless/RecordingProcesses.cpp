#include "platform/headless/RecordingProcesses.h"

#include <algorithm>

#include "common/text/Text.h"

namespace vexa::platform {

bool RecordingProcesses::Start(std::u16string_view application, std::u16string_view commandLine) {
  const bool failing = std::any_of(failing_.begin(), failing_.end(), [&](const std::u16string& path) {
    return text::EqualsNoCase(path, application);
  });
  const bool succeeded = !failing && files_.Exists(application) && !files_.IsDirectory(application);
  started_.push_back({std::u16string(application), std::u16string(commandLine), succeeded});
  if (!succeeded) return false;

  const std::size_t separator = application.find_last_of(u"\\/");
  const std::u16string_view file =
      separator == std::u16string_view::npos ? application : application.substr(separator + 1);
  // Ids already taken by SetRunning are skipped so that every listed id stays unique.
  while (std::any_of(running_.begin(), running_.end(),
                     [&](const ProcessInfo& process) { return process.id == nextId_; })) {
    ++nextId_;
  }
  running_.push_back({nextId_++, std::u16string(file)});
  return true;
}

std::vector<ProcessInfo> RecordingProcesses::List() {
  return running_;
}

bool RecordingProcesses::Terminate(std::uint32_t id) {
  const auto found = std::find_if(running_.begin(), running_.end(),
                                  [&](const ProcessInfo& process) { return process.id == id; });
  if (found == running_.end()) return false;
  running_.erase(found);
  terminated_.push_back(id);
  return true;
}

void RecordingProcesses::FailStartsOf(std::u16string_view application) {
  failing_.emplace_back(application);
}

}  // namespace vexa::platform
