#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Processes.h"

namespace vexa::platform {

// Processes for tests and the headless mode: nothing runs, every start is recorded.
//
// A start succeeds when the program file exists on the device (and is not a folder) and the test
// has not asked for starts of that path to fail; a started program then shows in List with a new id
// (1000, 1001, ...) and the last component of its path as file name. Every start attempt is recorded,
// failed ones too, with its result.
class RecordingProcesses : public Processes {
 public:
  struct StartRecord {
    std::u16string application;
    std::u16string commandLine;
    bool succeeded = false;
    bool operator==(const StartRecord&) const = default;
  };

  explicit RecordingProcesses(FileSystem& files) : files_(files) {}

  bool Start(std::u16string_view application, std::u16string_view commandLine) override;
  std::vector<ProcessInfo> List() override;
  bool Terminate(std::uint32_t id) override;

  // Every start attempt, in order.
  const std::vector<StartRecord>& started() const { return started_; }
  // Ids given to Terminate that named a listed process, in order.
  const std::vector<std::uint32_t>& terminated() const { return terminated_; }

  // Makes every later start of this device path fail (compared without regard to letter case).
  void FailStartsOf(std::u16string_view application);
  // Replaces the listed processes, including those started so far.
  void SetRunning(std::vector<ProcessInfo> running) { running_ = std::move(running); }

 private:
  FileSystem& files_;
  std::vector<StartRecord> started_;
  std::vector<std::uint32_t> terminated_;
  std::vector<std::u16string> failing_;
  std::vector<ProcessInfo> running_;
  std::uint32_t nextId_ = 1000;
};

}  // namespace vexa::platform
