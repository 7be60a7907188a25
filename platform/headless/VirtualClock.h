#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/Clock.h"
#include "platform/ClockSetter.h"
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
//
// Worker threads (StartWorker, through VirtualThreads) run in lock-step with this time: only one
// thread runs at any moment, the window thread or one worker. A worker runs only while the window
// thread waits for it, and hands the turn back when it blocks: in its Sleep (due again at now + ms)
// or in a wait (WaitAsWorker, a scripted port's wait for bytes; woken by WakeWaiting). Advance and
// FireDue run the due workers among the timers in time order, and after each worker's run call the
// host-events hook (SetHostEvents), so what the worker posted is handled at that virtual moment,
// before later timers.
//
// Device events (ScheduleDeviceEvent) stand for what the hardware does by itself, bytes arriving on a
// serial line: they happen in every advance of time, also in the window thread's Sleep, in a read's
// time-out and in a Join, where no timers fire.
//
// At one moment device events come first, then worker wake-ups (in the order the workers became
// due), then timers: a thread whose sleep ends runs at once, while a timer's message waits for the
// window thread's loop.
class VirtualClock : public Clock, public ui::TimerService, public ClockSetter {
 public:
  static constexpr DateTime kDefaultStart{2026, 1, 4, 1, 9, 0, 0, 0};

  explicit VirtualClock(const DateTime& start = kDefaultStart);
  // Workers must have been joined.
  ~VirtualClock() override;
  VirtualClock(const VirtualClock&) = delete;
  VirtualClock& operator=(const VirtualClock&) = delete;

  // Reads "YYYY-MM-DD HH:MM:SS" ("2026-01-01 09:00:00"), one or more blanks or a 'T' between date and
  // time; the day of the week is worked out. Nullopt for anything else or an impossible date.
  static std::optional<DateTime> ParseDateTime(std::string_view text);

  std::uint64_t TickCount() override { return now_.load(); }
  DateTime LocalTime() override;
  DateTime SystemTime() override { return LocalTime(); }
  // From the window thread: advances virtual time without firing timers; workers that fall due
  // meanwhile run (the host-events hook is not called: the window thread handles nothing while it
  // sleeps). From a worker: the worker is due again at now + ms and hands the turn back; 0 returns.
  void Sleep(int milliseconds) override;
  // Sets the wall time (local time equals UTC here); the tick count is not touched. False for an
  // impossible date. The milliseconds and the day of the week are not looked at.
  bool SetSystemTime(const DateTime& utc) override;

  // Periods below 1 ms count as 1 ms.
  int Start(int milliseconds, std::function<void()> fire) override;
  void Stop(int timer) override;

  void Advance(std::uint64_t milliseconds) { Advance(milliseconds, nullptr); }
  // As Advance, but gives up before the next timer once `stop` answers true (the run is ending),
  // leaving the time where it stands.
  void Advance(std::uint64_t milliseconds, const std::function<bool()>& stop);
  // Fires, once each, the timers due now (fallen due during a Sleep), as the loop does when it gets
  // its next turn, and runs the workers and device events due now; gives up once `stop` answers
  // true. True when anything happened.
  bool FireDue(const std::function<bool()>& stop = nullptr);
  // Timers started and not stopped.
  std::size_t activeTimers() const { return timers_.size(); }

  // --- Workers (from the window thread unless said otherwise).
  class Worker;
  // Starts `body` on a thread of its own and runs it until it first blocks (or returns).
  std::shared_ptr<Worker> StartWorker(std::function<void()> body);
  // Runs the worker until its body has returned, advancing time over its sleeps and waits as the
  // device's wait for a thread would; no timers fire and the hook is not called.
  void JoinWorker(const std::shared_ptr<Worker>& worker);
  // Called after a worker ran within Advance or FireDue.
  void SetHostEvents(std::function<void()> hostEvents) { hostEvents_ = std::move(hostEvents); }
  // True on a thread started by StartWorker of this clock.
  bool InWorker() const;
  // From a worker: blocks until `ready` answers true (checked at every wake-up), or until
  // `timeoutMs` has passed when one is given; answers `ready`.
  bool WaitAsWorker(const std::function<bool()>& ready, std::optional<int> timeoutMs = std::nullopt);
  // From any thread: every worker blocked in WaitAsWorker is due now, to look at its `ready` again.
  void WakeWaiting();
  // From the window thread: advances time by up to `milliseconds` as Sleep does, but stops as soon as
  // `ready` answers true (looked at after every event); answers `ready`.
  bool SleepUntil(int milliseconds, const std::function<bool()>& ready);

  // --- Device events.
  // Calls `happen` once `delayMs` from now, in whichever advance of time gets there first.
  void ScheduleDeviceEvent(std::uint64_t delayMs, std::function<void()> happen);
  std::size_t pendingDeviceEvents() const { return deviceEvents_.size(); }

 private:
  struct Timer {
    std::uint64_t period = 1;
    std::uint64_t due = 0;
    std::uint64_t order = 0;  // when due times tie, the timer armed first fires first
    std::function<void()> fire;
  };

  struct DeviceEvent {
    std::uint64_t due = 0;
    std::uint64_t order = 0;
    std::function<void()> happen;
  };
  enum class Kind { kNone, kDevice, kWorker, kTimer };

  // Runs what falls due up to `target` in order: device events, due workers and, with `timers`,
  // the timers. Stops once `stop` (or `ready`) answers true. Returns how many things happened.
  std::size_t RunUntil(std::uint64_t target, bool timers, bool hostEvents, const std::function<bool()>& stop,
                       const std::function<bool()>& ready = nullptr);
  // The due worker to run next at or before `limit`, or null.
  std::shared_ptr<Worker> NextDueWorker(std::uint64_t limit, std::uint64_t& due);
  // Hands the turn to `worker` and waits until it blocks again or returns.
  void RunWorker(const std::shared_ptr<Worker>& worker);
  // From a worker: gives the turn back and waits for the next.
  void Block(Worker& self, std::unique_lock<std::mutex>& lock);

  // The wall time at tick 0, in milliseconds from 1970-01-01; read by any thread.
  std::atomic<std::int64_t> epochMilliseconds_ = 0;
  std::atomic<std::uint64_t> now_ = 0;  // read by log records from any thread
  std::uint64_t nextOrder_ = 0;
  int nextTimer_ = 1;
  std::map<int, Timer> timers_;
  std::vector<DeviceEvent> deviceEvents_;
  std::function<void()> hostEvents_;

  // The workers' states and the turn, under one mutex.
  mutable std::mutex mutex_;
  std::condition_variable turnBack_;  // the window thread waits here while a worker runs
  std::vector<std::shared_ptr<Worker>> workers_;
  std::uint64_t nextWake_ = 0;   // orders workers that fall due at the same moment
  std::uint64_t wakeEpoch_ = 0;  // counts WakeWaiting calls, so a wake-up is never missed
};

}  // namespace vexa::platform
