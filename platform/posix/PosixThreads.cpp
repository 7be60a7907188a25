#include "platform/posix/PosixThreads.h"

#include <system_error>
#include <thread>

namespace vexa::platform {

namespace {

class PosixThread : public Thread {
 public:
  explicit PosixThread(std::thread thread) : thread_(std::move(thread)) {}
  ~PosixThread() override {
    Join();
    // A worker that drops its own handle cannot wait for itself: it runs on to its end alone.
    if (thread_.joinable()) thread_.detach();
  }
  void Join() override {
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
  }

 private:
  std::thread thread_;
};

}  // namespace

std::unique_ptr<Thread> PosixThreads::Start(std::function<void()> body) {
  if (!body) return nullptr;
  try {
    return std::make_unique<PosixThread>(std::thread(std::move(body)));
  } catch (const std::system_error&) {
    return nullptr;  // the host has no thread to give
  }
}

}  // namespace vexa::platform
