#pragma once

#include <functional>

#include "platform/ui/EventLoop.h"

namespace vexa::platform {

// The nested loops of a desktop run: Qt's own event queue, waited on until the condition holds.
// Every loop of the program (the main one included) runs through RunUntil, so Quit ends them all.
class QtEventPump : public ui::EventPump {
 public:
  void RunUntil(const std::function<bool()>& done) override;
  void Quit() override;
  bool quitting() const override { return quitting_; }

 private:
  bool quitting_ = false;
};

}  // namespace vexa::platform
