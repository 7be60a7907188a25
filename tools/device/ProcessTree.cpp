#include "tools/device/ProcessTree.h"

#include <dirent.h>

#include <charconv>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace vexa::device {

namespace {

std::string ReadStat(const std::string& pid) {
  std::ifstream file("/proc/" + pid + "/stat");
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

}  // namespace

ProcessStat ParseStat(std::string_view stat) {
  const auto close = stat.rfind(')');
  if (close == std::string_view::npos) return {};
  // ") S 1 ...": the state letter, then the parent.
  std::string_view rest = stat.substr(close + 1);
  if (rest.size() < 4 || rest[0] != ' ' || rest[2] != ' ') return {};
  const char state = rest[1];
  rest.remove_prefix(3);
  pid_t parent = -1;
  const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), parent);
  if (error != std::errc{} || end == rest.data()) return {};
  return {parent, state};
}

bool Running(pid_t pid) {
  if (pid <= 0) return false;
  const ProcessStat stat = ParseStat(ReadStat(std::to_string(pid)));
  return stat.parent >= 0 && stat.state != 'Z';
}

std::vector<pid_t> Descendants(pid_t root) {
  std::multimap<pid_t, pid_t> children;
  if (DIR* proc = opendir("/proc")) {
    while (dirent* entry = readdir(proc)) {
      pid_t pid = 0;
      const std::string_view name = entry->d_name;
      const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
      if (error != std::errc{} || end != name.data() + name.size()) continue;
      const ProcessStat stat = ParseStat(ReadStat(std::string(name)));
      if (stat.parent > 0 && stat.state != 'Z') children.emplace(stat.parent, pid);
    }
    closedir(proc);
  }
  std::vector<pid_t> found;
  std::vector<pid_t> level{root};
  while (!level.empty()) {
    std::vector<pid_t> next;
    for (const pid_t parent : level) {
      const auto [first, last] = children.equal_range(parent);
      for (auto it = first; it != last; ++it) next.push_back(it->second);
    }
    found.insert(found.end(), next.begin(), next.end());
    level = std::move(next);
  }
  return found;
}

}  // namespace vexa::device
