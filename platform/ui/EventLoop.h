#pragma once

#include <cstdint>
#include <functional>

namespace vexa::platform::ui {

// The seams between the window adapter and the mode it runs in. On a desktop the host's event loop
// runs the loops and real time runs the timers; in the headless mode a scenario feeds the loops and
// timers fire only as the scenario advances virtual time.

// Timers by number; a timer fires its callback on the window thread until stopped.
class TimerService {
 public:
  virtual ~TimerService() = default;
  // Starts a periodic timer and returns its number (never 0).
  virtual int Start(int milliseconds, std::function<void()> fire) = 0;
  virtual void Stop(int timer) = 0;
};

// Runs the nested loops of modal windows.
class EventPump {
 public:
  virtual ~EventPump() = default;
  // Handles events until `done` answers true (checked after every event), or until Quit.
  virtual void RunUntil(const std::function<bool()>& done) = 0;
  // Makes every running RunUntil return.
  virtual void Quit() = 0;
  virtual bool quitting() const = 0;
};

}  // namespace vexa::platform::ui
