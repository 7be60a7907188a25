#include "platform/headless/VirtualThreads.h"

namespace vexa::platform {

namespace {

class VirtualThread : public Thread {
 public:
  VirtualThread(VirtualClock& clock, std::shared_ptr<VirtualClock::Worker> worker)
      : clock_(clock), worker_(std::move(worker)) {}
  ~VirtualThread() override { Join(); }

  void Join() override {
    if (!worker_) return;
    clock_.JoinWorker(worker_);
    worker_.reset();
  }

 private:
  VirtualClock& clock_;
  std::shared_ptr<VirtualClock::Worker> worker_;
};

}  // namespace

std::unique_ptr<Thread> VirtualThreads::Start(std::function<void()> body) {
  std::shared_ptr<VirtualClock::Worker> worker = clock_.StartWorker(std::move(body));
  if (!worker) return nullptr;
  return std::make_unique<VirtualThread>(clock_, std::move(worker));
}

}  // namespace vexa::platform
