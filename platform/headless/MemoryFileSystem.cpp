#include "platform/headless/MemoryFileSystem.h"

#include <algorithm>
#include <utility>

#include "common/text/Text.h"
#include "platform/DevicePath.h"
#include "platform/Wildcard.h"

namespace vexa::platform {

namespace {

// An open file: a view of the content it was opened on.
class MemoryFile : public File {
 public:
  MemoryFile(std::shared_ptr<std::string> content, bool readable, bool writable)
      : content_(std::move(content)), readable_(readable), writable_(writable) {}

  std::optional<std::size_t> Read(std::span<std::byte> buffer) override {
    if (!readable_) return std::nullopt;
    if (position_ >= content_->size()) return std::size_t{0};
    const std::size_t count = std::min(buffer.size(), content_->size() - static_cast<std::size_t>(position_));
    std::copy_n(reinterpret_cast<const std::byte*>(content_->data()) + position_, count, buffer.data());
    position_ += count;
    return count;
  }

  bool Write(std::span<const std::byte> bytes) override {
    if (!writable_) return false;
    if (position_ > MemoryFileSystem::kMaxFileSize || bytes.size() > MemoryFileSystem::kMaxFileSize - position_) {
      return false;
    }
    const std::size_t start = static_cast<std::size_t>(position_);
    // Writing past the end fills the gap with zero bytes, as a host file does.
    if (content_->size() < start + bytes.size()) content_->resize(start + bytes.size());
    std::copy(bytes.begin(), bytes.end(), reinterpret_cast<std::byte*>(content_->data()) + start);
    position_ += bytes.size();
    return true;
  }

  bool Seek(std::uint64_t offset) override {
    position_ = offset;
    return true;
  }

  std::optional<std::uint64_t> Size() override { return content_->size(); }

 private:
  std::shared_ptr<std::string> content_;
  std::uint64_t position_ = 0;
  bool readable_;
  bool writable_;
};

// Children of a folder are kept in Find's order; names equal without regard to case cannot both be
// there, so that order is the case-blind one alone.
bool NameBefore(std::u16string_view a, std::u16string_view b) {
  return text::CompareNoCase(a, b) < 0;
}

}  // namespace

struct MemoryFileSystem::Node {
  std::u16string name;
  bool directory = false;
  Node* parent = nullptr;
  std::shared_ptr<std::string> content;        // files
  std::vector<std::unique_ptr<Node>> children;  // folders, sorted by NameBefore

  auto Position(std::u16string_view childName) {
    return std::lower_bound(children.begin(), children.end(), childName,
                            [](const std::unique_ptr<Node>& child, std::u16string_view n) {
                              return NameBefore(child->name, n);
                            });
  }
  Node* Child(std::u16string_view childName) {
    const auto it = Position(childName);
    if (it == children.end() || text::CompareNoCase((*it)->name, childName) != 0) return nullptr;
    return it->get();
  }
  Node& Adopt(std::unique_ptr<Node> child) {
    child->parent = this;
    const auto it = Position(child->name);
    return **children.insert(it, std::move(child));
  }
  std::unique_ptr<Node> Release(Node& child) {
    const auto it = std::find_if(children.begin(), children.end(),
                                 [&](const std::unique_ptr<Node>& c) { return c.get() == &child; });
    std::unique_ptr<Node> owned = std::move(*it);
    children.erase(it);
    owned->parent = nullptr;
    return owned;
  }
};

// Where a device path leads.
struct MemoryFileSystem::Resolved {
  bool isRoot = false;
  bool trailingSeparator = false;  // the path ended in '\'
  bool parentIsFolder = false;     // the folder that holds the last component exists
  std::size_t missing = 0;         // trailing components that do not exist (0: the entry exists)
  Node* parent = nullptr;          // the folder holding the last component, when it exists
  std::u16string givenName;        // last component as given
  Node* found = nullptr;           // the entry, when it exists
  std::string host;                // the pseudo host path: names as stored, then as given
};

MemoryFileSystem::MemoryFileSystem(std::string hostRoot) : hostRoot_(std::move(hostRoot)) {
  while (hostRoot_.size() > 1 && hostRoot_.back() == '/') hostRoot_.pop_back();
  Clear();
}

MemoryFileSystem::~MemoryFileSystem() = default;

void MemoryFileSystem::Clear() {
  root_ = std::make_unique<Node>();
  root_->directory = true;
}

std::optional<MemoryFileSystem::Resolved> MemoryFileSystem::Resolve(std::u16string_view path) {
  const auto parsed = ParseDevicePath(path, false);
  if (!parsed) return std::nullopt;
  Resolved resolved;
  resolved.trailingSeparator = parsed->trailingSeparator;
  resolved.host = hostRoot_;
  if (parsed->components.empty()) {
    resolved.isRoot = true;
    resolved.found = root_.get();
    return resolved;
  }
  Node* folder = root_.get();
  for (const std::u16string_view component : parsed->components) {
    resolved.parent = folder;
    resolved.parentIsFolder = folder != nullptr;
    resolved.givenName = component;
    if (resolved.host.empty() || resolved.host.back() != '/') resolved.host += '/';
    const std::string name = text::ToUtf8(component);
    // The host refuses to look up a name or a path too long for it; so does this adapter.
    if (folder != nullptr && (name.size() > kMaxHostName || resolved.host.size() + name.size() > kMaxHostPath)) {
      return std::nullopt;
    }
    Node* entry = folder != nullptr ? folder->Child(component) : nullptr;
    if (entry == nullptr) {
      // Missing: this and every later component keep the spelling given.
      ++resolved.missing;
      resolved.host += name;
      folder = nullptr;
      continue;
    }
    resolved.host += text::ToUtf8(entry->name);
    folder = entry->directory ? entry : nullptr;
    resolved.found = entry;
  }
  if (resolved.missing != 0) resolved.found = nullptr;
  if (resolved.missing == 0 && resolved.trailingSeparator && !resolved.found->directory) {
    return std::nullopt;  // "\file.txt\" names no folder
  }
  return resolved;
}

std::optional<MemoryFileSystem::Resolved> MemoryFileSystem::ResolveFileTarget(std::u16string_view path) {
  auto resolved = Resolve(path);
  if (!resolved || resolved->isRoot || resolved->trailingSeparator || !resolved->parentIsFolder) {
    return std::nullopt;
  }
  if (resolved->missing == 0 && resolved->found->directory) return std::nullopt;
  if (resolved->missing > 1) return std::nullopt;
  return resolved;
}

MemoryFileSystem::Node& MemoryFileSystem::NewFile(const Resolved& target) {
  auto node = std::make_unique<Node>();
  node->name = target.givenName;
  node->content = std::make_shared<std::string>();
  return target.parent->Adopt(std::move(node));
}

std::vector<FindEntry> MemoryFileSystem::Find(std::u16string_view pattern) {
  std::vector<FindEntry> entries;
  const auto parsed = ParseDevicePath(pattern, true);
  // A search needs a name to look for: "\" and "\Windows\" find nothing.
  if (!parsed || parsed->components.empty() || parsed->trailingSeparator) return entries;
  const std::u16string_view last = parsed->components.back();
  const auto entryOf = [](const Node& node) {
    return FindEntry{node.name, node.directory, !node.directory, node.directory ? 0 : node.content->size()};
  };

  if (!HasWildcards(last)) {
    const auto resolved = Resolve(pattern);
    if (resolved && resolved->missing == 0) entries.push_back(entryOf(*resolved->found));
    return entries;
  }

  const std::u16string_view folderPath = pattern.substr(0, pattern.size() - last.size());
  const auto folder = Resolve(folderPath.empty() ? u"\\" : folderPath);
  if (!folder || folder->missing != 0 || !folder->found->directory) return entries;
  for (const auto& child : folder->found->children) {
    if (MatchesWildcard(last, child->name)) entries.push_back(entryOf(*child));
  }
  return entries;
}

bool MemoryFileSystem::Exists(std::u16string_view path) {
  const auto resolved = Resolve(path);
  return resolved && resolved->missing == 0;
}

bool MemoryFileSystem::IsDirectory(std::u16string_view path) {
  const auto resolved = Resolve(path);
  return resolved && resolved->missing == 0 && resolved->found->directory;
}

std::unique_ptr<File> MemoryFileSystem::Open(std::u16string_view path, OpenMode mode) {
  if (mode == OpenMode::kRead || mode == OpenMode::kReadWrite) {
    const auto resolved = Resolve(path);
    if (!resolved || resolved->missing != 0 || resolved->found->directory) return nullptr;
    return std::make_unique<MemoryFile>(resolved->found->content, true, mode == OpenMode::kReadWrite);
  }
  const auto resolved = ResolveFileTarget(path);
  if (!resolved) return nullptr;
  Node* node = resolved->found;
  if (node != nullptr && mode == OpenMode::kCreateNew) return nullptr;
  if (node == nullptr) {
    node = &NewFile(*resolved);
  } else {
    node->content->clear();  // truncated in place: a reader of the same file sees it too
  }
  return std::make_unique<MemoryFile>(node->content, false, true);
}

std::optional<std::string> MemoryFileSystem::ReadFile(std::u16string_view path, std::size_t limit) {
  const auto resolved = Resolve(path);
  if (!resolved || resolved->missing != 0 || resolved->found->directory) return std::nullopt;
  const std::string& content = *resolved->found->content;
  return content.substr(0, std::min(limit, content.size()));
}

bool MemoryFileSystem::WriteWholeFile(std::u16string_view path, std::string_view bytes) {
  if (bytes.size() > kMaxFileSize) return false;
  const auto resolved = ResolveFileTarget(path);
  if (!resolved) return false;
  Node& node = resolved->found != nullptr ? *resolved->found : NewFile(*resolved);
  // A new content object: files opened before keep the old bytes, as after a rename over them.
  node.content = std::make_shared<std::string>(bytes);
  return true;
}

bool MemoryFileSystem::DeleteFile(std::u16string_view path) {
  const auto resolved = Resolve(path);
  if (!resolved || resolved->missing != 0 || resolved->found->directory) return false;
  resolved->parent->Release(*resolved->found);
  return true;
}

bool MemoryFileSystem::RenameFile(std::u16string_view from, std::u16string_view to) {
  const auto source = Resolve(from);
  if (!source || source->isRoot || source->missing != 0) return false;
  const auto target = Resolve(to);
  if (!target || target->isRoot || !target->parentIsFolder || target->missing > 1) return false;
  Node& moved = *source->found;
  if (target->trailingSeparator && !moved.directory) return false;
  if (target->missing == 0) {
    // Only the entry itself may be in the way: a change of letter case ("a.txt" to "A.TXT").
    if (target->found != &moved) return false;
    if (moved.name == target->givenName) return true;
    auto owned = source->parent->Release(moved);
    owned->name = target->givenName;
    source->parent->Adopt(std::move(owned));
    return true;
  }
  // A folder cannot go into itself or one of its own folders.
  for (const Node* up = target->parent; up != nullptr; up = up->parent) {
    if (up == &moved) return false;
  }
  auto owned = source->parent->Release(moved);
  owned->name = target->givenName;
  target->parent->Adopt(std::move(owned));
  return true;
}

bool MemoryFileSystem::CopyFile(std::u16string_view from, std::u16string_view to, bool failIfExists) {
  const auto source = Resolve(from);
  if (!source || source->missing != 0 || source->found->directory) return false;
  const auto target = ResolveFileTarget(to);
  if (!target) return false;
  if (target->found != nullptr && failIfExists) return false;
  auto content = std::make_shared<std::string>(*source->found->content);
  Node& node = target->found != nullptr ? *target->found : NewFile(*target);
  node.content = std::move(content);
  return true;
}

bool MemoryFileSystem::CreateDirectory(std::u16string_view path) {
  const auto resolved = Resolve(path);
  if (!resolved || resolved->isRoot || !resolved->parentIsFolder || resolved->missing != 1) return false;
  auto node = std::make_unique<Node>();
  node->name = resolved->givenName;
  node->directory = true;
  resolved->parent->Adopt(std::move(node));
  return true;
}

bool MemoryFileSystem::RemoveDirectory(std::u16string_view path) {
  const auto resolved = Resolve(path);
  if (!resolved || resolved->isRoot || resolved->missing != 0 || !resolved->found->directory) return false;
  if (!resolved->found->children.empty()) return false;
  resolved->parent->Release(*resolved->found);
  return true;
}

bool MemoryFileSystem::CreateDirectories(std::u16string_view path) {
  const auto parsed = ParseDevicePath(path, false);
  if (!parsed) return false;
  Node* folder = root_.get();
  for (const std::u16string_view component : parsed->components) {
    Node* child = folder->Child(component);
    if (child == nullptr) {
      auto node = std::make_unique<Node>();
      node->name = component;
      node->directory = true;
      child = &folder->Adopt(std::move(node));
    }
    if (!child->directory) return false;
    folder = child;
  }
  return true;
}

bool MemoryFileSystem::AddFile(std::u16string_view path, std::string_view bytes) {
  const std::size_t cut = path.rfind(u'\\');
  if (cut != std::u16string_view::npos && cut > 0 && !CreateDirectories(path.substr(0, cut))) return false;
  return WriteWholeFile(path, bytes);
}

std::optional<std::string> MemoryFileSystem::HostPath(std::u16string_view path) {
  const auto resolved = Resolve(path);
  if (!resolved) return std::nullopt;
  return resolved->host;
}

std::optional<std::u16string> MemoryFileSystem::DevicePath(std::string_view hostPath) {
  std::string_view rest = hostPath;
  if (hostRoot_ != "/") {
    if (!rest.starts_with(hostRoot_)) return std::nullopt;
    rest.remove_prefix(hostRoot_.size());
    if (!rest.empty() && rest.front() != '/') return std::nullopt;
  } else if (!rest.starts_with('/')) {
    return std::nullopt;
  }
  // The host path's own "." and ".." are taken lexically; ".." above the root leaves the device.
  std::vector<std::u16string> names;
  while (!rest.empty()) {
    const std::size_t end = rest.find('/');
    const std::string_view piece = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (piece.empty() || piece == ".") continue;
    if (piece == "..") {
      if (names.empty()) return std::nullopt;
      names.pop_back();
      continue;
    }
    std::u16string name = text::FromUtf8(piece);
    if (text::ToUtf8(name) != piece || !IsValidComponent(name, false)) return std::nullopt;
    names.push_back(std::move(name));
  }
  std::u16string device;
  for (const auto& name : names) {
    device += u'\\';
    device += name;
  }
  if (device.empty()) device.push_back(u'\\');
  return device;
}

}  // namespace vexa::platform
