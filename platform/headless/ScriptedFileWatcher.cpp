#include "platform/headless/ScriptedFileWatcher.h"

#include <algorithm>

#include "common/text/Text.h"

namespace vexa::platform {

namespace {

// "\a\b\" and "\a\b" name the same folder.
std::u16string_view WithoutTrailingBackslash(std::u16string_view path) {
  while (path.size() > 1 && path.back() == u'\\') path.remove_suffix(1);
  return path;
}

}  // namespace

bool ScriptedFileWatcher::Watch(std::u16string_view folder) {
  log_.Record("file_watch", {{"folder", std::u16string(folder)}});
  const auto same = [&](const std::u16string& f) {
    return text::EqualsNoCase(WithoutTrailingBackslash(f), WithoutTrailingBackslash(folder));
  };
  if (std::none_of(folders_.begin(), folders_.end(), same)) folders_.emplace_back(folder);
  return true;
}

void ScriptedFileWatcher::Clear() {
  folders_.clear();
  pending_.clear();
}

std::vector<FileChange> ScriptedFileWatcher::TakeChanges() {
  std::vector<FileChange> changes;
  changes.swap(pending_);
  return changes;
}

void ScriptedFileWatcher::Notify(std::u16string_view path) {
  const std::u16string_view trimmed = WithoutTrailingBackslash(path);
  const auto slash = trimmed.rfind(u'\\');
  const std::u16string_view parent = slash == std::u16string_view::npos ? std::u16string_view{} : trimmed.substr(0, slash);
  const std::u16string_view name = slash == std::u16string_view::npos ? trimmed : trimmed.substr(slash + 1);
  bool watched = false;
  for (const std::u16string& folder : folders_) {
    const std::u16string_view f = WithoutTrailingBackslash(folder);
    if (text::EqualsNoCase(f, trimmed)) {
      pending_.push_back({folder, u""});
      watched = true;
      break;
    }
    if (text::EqualsNoCase(f, parent)) {
      pending_.push_back({folder, std::u16string(name)});
      watched = true;
      break;
    }
  }
  log_.Record("file_changed", {{"path", std::u16string(path)}, {"watched", watched}});
}

}  // namespace vexa::platform
