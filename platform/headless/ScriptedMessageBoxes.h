#pragma once

#include <deque>
#include <vector>

#include "platform/MessageBoxes.h"

namespace vexa::platform {

// Message boxes answered from a script: each box takes the next queued answer, or its default button
// when the queue is empty. Every box shown is kept, with the answer it got.
class ScriptedMessageBoxes : public MessageBoxes {
 public:
  struct Shown {
    MessageBoxRequest request;
    MessageAnswer answer;
  };

  void QueueAnswer(MessageAnswer answer) { answers_.push_back(answer); }
  MessageAnswer Show(const MessageBoxRequest& request) override;

  const std::vector<Shown>& shown() const { return shown_; }
  void Clear() { shown_.clear(); }

 private:
  std::deque<MessageAnswer> answers_;
  std::vector<Shown> shown_;
};

}  // namespace vexa::platform
