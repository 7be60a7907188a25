#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string_view>

#include "platform/Clock.h"
#include "platform/ui/EventLoop.h"

namespace vexa::platform {

// Time for the headless mode: nothing moves until somebody advances it.
//
// The device's clock starts at a fixed local time (kDefaultStart, Thursday 2026-01-01 09:00:00, unless
// another is given) with the tick count at 0, and local time equals UTC: the virtual device lives on
// UTC, so runs give the same results on any host in any time zone.
//
// Timers fire only inside Advance and FireDue, the message loop's turns. Advance walks through the due
// timers in the order they fall due (timers due at the same moment in the order they were started),
// sets the clock to each one's time, re-arms it for its next period and then calls it. A callback may
// run a nested loop that advances the time again; that nested Advance fires what falls due inside its
// own span, and the outer one carries on from wherever time then stands, never moving it backwards.
//
// Sleep is the device's Sleep: the sleeping thread handles no messages, so time moves on and nothing
// fires. A timer that fell due meanwhile, however many periods ago, fires once when the loop next
// turns (FireDue, or the start of the next Advance), as the device's coalesced timer message does, and
// then keeps its period from that moment.
class VirtualClock : public Clock, public ui::TimerService {
 public:
  static constexpr DateTime kDefaultStart{2026, 1, 4, 1, 9, 0, 0, 0};

  explicit VirtualClock(const DateTime& start = kDefaultStart);

  // Reads "YYYY-MM-DD HH:MM:SS" ("2026-01-01 09:00:00"), one or more blanks or a 'T' between date and
  // time; the day of the week is worked out. Nullopt for anything else or an impossible date.
  static std::optional<DateTime> ParseDateTime(std::string_view text);

  std::uint64_t TickCount() override { return now_.load(); }
  DateTime LocalTime() override;
  DateTime SystemTime() override { return LocalTime(); }
  // Advances virtual time without firing anything.
  void Sleep(int milliseconds) override;

  // Periods below 1 ms count as 1 ms.
  int Start(int milliseconds, std::function<void()> fire) override;
  void Stop(int timer) override;

  void Advance(std::uint64_t milliseconds) { Advance(milliseconds, nullptr); }
  // As Advance, but gives up before the next timer once `stop` answers true (the run is ending),
  // leaving the time where it stands.
  void Advance(std::uint64_t milliseconds, const std::function<bool()>& stop);
  // Fires, once each, the timers due now (fallen due during a Sleep), as the loop does when it gets
  // its next turn; gives up once `stop` answers true. True when any fired.
  bool FireDue(const std::function<bool()>& stop = nullptr);
  // Timers started and not stopped.
  std::size_t activeTimers() const { return timers_.size(); }

 private:
  struct Timer {
    std::uint64_t period = 1;
    std::uint64_t due = 0;
    std::uint64_t order = 0;  // when due times tie, the timer armed first fires first
    std::function<void()> fire;
  };

  // Fires the timers due up to `target` in order; returns how many fired.
  std::size_t FireUntil(std::uint64_t target, const std::function<bool()>& stop);

  // Whole days from 1970-01-01 of the start date, and the start's milliseconds into that day.
  std::int64_t startDay_ = 0;
  std::int64_t startMillisecond_ = 0;
  std::atomic<std::uint64_t> now_ = 0;  // read by log records from any thread
  std::uint64_t nextOrder_ = 0;
  int nextTimer_ = 1;
  std::map<int, Timer> timers_;
};

}  // namespace vexa::platform
