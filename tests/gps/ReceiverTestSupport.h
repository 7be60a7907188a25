#pragma once

// Stand-ins for the ports the GPS receiver uses, for its tests: a serial port fed by the test, real
// threads, a clock whose sleeps return at once, and a window that records what is posted to it.
// Header-only, so any test file of the folder can use them.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/Clock.h"
#include "platform/SerialPorts.h"
#include "platform/Threads.h"
#include "tests/deck/support/DeckFakes.h"

// In a namespace of their own, so that other fakes of the same names in this test program cannot clash.
namespace vexa::testing::receiver {

// What one fake port was asked and what it holds; shared between the port and the test, so that it
// can be looked at after the receiver has closed the port.
struct FakePortState {
  std::mutex lock;
  std::condition_variable changed;
  std::string received;  // bytes waiting to be read
  bool released = false;
  bool closed = false;
  bool settingsFail = false;
  bool readsFail = false;
  std::optional<platform::SerialSettings> settingsSet;
  std::vector<std::string> calls;  // "queues 4096 4096", "purge", "timeout 10000", "get", "set" ...
  std::vector<std::string> writes;

  void Feed(std::string_view bytes) {
    std::lock_guard guard(lock);
    received.append(bytes);
    changed.notify_all();
  }
  std::vector<std::string> Calls() {
    std::lock_guard guard(lock);
    return calls;
  }
};

class FakeSerialPort : public platform::SerialPort {
 public:
  explicit FakeSerialPort(std::shared_ptr<FakePortState> state) : state_(std::move(state)) {}
  ~FakeSerialPort() override {
    std::lock_guard guard(state_->lock);
    state_->closed = true;
  }

  std::optional<platform::SerialSettings> GetSettings() override {
    std::lock_guard guard(state_->lock);
    state_->calls.push_back("get");
    if (state_->settingsFail) return std::nullopt;
    return platform::SerialSettings{.baud = 4800, .flowControl = true};
  }
  bool SetSettings(const platform::SerialSettings& settings) override {
    std::lock_guard guard(state_->lock);
    state_->calls.push_back("set");
    state_->settingsSet = settings;
    return true;
  }
  void SetQueueSizes(std::size_t receive, std::size_t transmit) override {
    Record("queues " + std::to_string(receive) + " " + std::to_string(transmit));
  }
  void Purge() override {
    std::lock_guard guard(state_->lock);
    state_->calls.push_back("purge");
    state_->received.clear();
  }
  std::size_t QueuedBytes() override {
    std::lock_guard guard(state_->lock);
    return state_->received.size();
  }
  void SetReadTimeout(int milliseconds) override { Record("timeout " + std::to_string(milliseconds)); }
  bool WaitForBytes() override {
    std::unique_lock guard(state_->lock);
    state_->changed.wait(guard, [this] { return state_->released || !state_->received.empty(); });
    return !state_->released;
  }
  void ReleaseWait() override {
    std::lock_guard guard(state_->lock);
    state_->calls.push_back("release");
    state_->released = true;
    state_->changed.notify_all();
  }
  std::optional<std::size_t> Read(std::span<std::uint8_t> buffer) override {
    std::lock_guard guard(state_->lock);
    if (state_->readsFail) return std::nullopt;
    const std::size_t count = std::min(buffer.size(), state_->received.size());
    std::copy_n(state_->received.begin(), count, buffer.begin());
    state_->received.erase(0, count);
    return count;
  }
  std::optional<std::size_t> Write(std::span<const std::uint8_t> bytes) override {
    std::lock_guard guard(state_->lock);
    state_->writes.emplace_back(bytes.begin(), bytes.end());
    return bytes.size();
  }

 private:
  void Record(std::string call) {
    std::lock_guard guard(state_->lock);
    state_->calls.push_back(std::move(call));
  }
  std::shared_ptr<FakePortState> state_;
};

// Ports by device name; a name not added fails to open.
class FakeSerialPorts : public platform::SerialPorts {
 public:
  std::shared_ptr<FakePortState> Add(const std::u16string& name) {
    auto state = std::make_shared<FakePortState>();
    ports_[name] = state;
    return state;
  }
  std::unique_ptr<platform::SerialPort> Open(std::u16string_view deviceName) override {
    opened.emplace_back(deviceName);
    auto it = ports_.find(std::u16string(deviceName));
    if (it == ports_.end()) return nullptr;
    return std::make_unique<FakeSerialPort>(it->second);
  }
  std::vector<std::u16string> opened;

 private:
  std::map<std::u16string, std::shared_ptr<FakePortState>> ports_;
};

class StdThread : public platform::Thread {
 public:
  explicit StdThread(std::function<void()> body) : thread_(std::move(body)) {}
  ~StdThread() override { Join(); }
  void Join() override {
    if (thread_.joinable()) thread_.join();
  }

 private:
  std::thread thread_;
};

class StdThreads : public platform::Threads {
 public:
  std::unique_ptr<platform::Thread> Start(std::function<void()> body) override {
    if (fail) return nullptr;
    return std::make_unique<StdThread>(std::move(body));
  }
  bool fail = false;
};

// Sleeps return at once (after a yield); `onSleep`, when set, sees each one on the sleeping thread.
class InstantClock : public platform::Clock {
 public:
  std::uint64_t TickCount() override { return 0; }
  platform::DateTime LocalTime() override { return {}; }
  platform::DateTime SystemTime() override { return {}; }
  void Sleep(int milliseconds) override {
    if (onSleep) onSleep(milliseconds);
    std::this_thread::yield();
  }
  std::function<void(int)> onSleep;
};

// A window that counts the messages posted to it and hands each to `onPost` on the posting thread.
class PostRecordingWindow : public testing::FakeWindow {
 public:
  void Post(std::uint32_t message, std::intptr_t wParam, std::intptr_t lParam) override {
    if (onPost) onPost(message, wParam, lParam);
    std::lock_guard guard(lock_);
    ++posts_;
    changed_.notify_all();
  }
  int posts() {
    std::lock_guard guard(lock_);
    return posts_;
  }
  // Waits until at least `count` messages were posted; false when `timeout` passed first.
  bool WaitForPosts(int count, std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
    std::unique_lock guard(lock_);
    return changed_.wait_for(guard, timeout, [&] { return posts_ >= count; });
  }
  std::function<void(std::uint32_t, std::intptr_t, std::intptr_t)> onPost;

 private:
  std::mutex lock_;
  std::condition_variable changed_;
  int posts_ = 0;
};

}  // namespace vexa::testing::receiver
