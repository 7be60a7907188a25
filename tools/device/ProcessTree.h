#pragma once

#include <sys/types.h>

#include <string_view>
#include <vector>

// The processes below one process, found through /proc. The device screen becomes a child subreaper,
// so every program of the device (and what those programs start and then leave behind) stays below it.
namespace vexa::device {

struct ProcessStat {
  pid_t parent = -1;
  char state = 0;  // 'R', 'S', ... and 'Z' for a process that has ended but was not yet reaped
};

// The state and parent process id in the text of /proc/PID/stat ("1234 (name with ) inside) S 1 ..."),
// parent -1 when the text is not of that form. The name may hold spaces and parentheses: the last ")"
// ends it.
ProcessStat ParseStat(std::string_view stat);

// True while the process exists and has not ended (an unreaped process that ended counts as gone).
bool Running(pid_t pid);

// Every running process whose chain of parents reaches `root`, children before grandchildren.
std::vector<pid_t> Descendants(pid_t root);

}  // namespace vexa::device
