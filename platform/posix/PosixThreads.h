#pragma once

#include "platform/Threads.h"

namespace vexa::platform {

// Real threads for desktop runs (std::thread). A thread that was not joined is joined when its
// handle goes away, so no worker outlives its owner.
class PosixThreads : public Threads {
 public:
  std::unique_ptr<Thread> Start(std::function<void()> body) override;
};

}  // namespace vexa::platform
