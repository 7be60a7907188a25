#include "platform/headless/VirtualClock.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace vexa::platform {

namespace {

constexpr std::int64_t kMillisecondsPerDay = 24LL * 60 * 60 * 1000;

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar, and back (H. Hinnant's
// civil-calendar algorithms: eras of 400 years starting on 1 March).
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, DateTime& out) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  out.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  out.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  out.year = static_cast<int>(yoe + era * 400 + (out.month <= 2));
}

int DayOfWeek(std::int64_t days) {
  // 1970-01-01 was a Thursday.
  const std::int64_t w = (days + 4) % 7;
  return static_cast<int>(w < 0 ? w + 7 : w);
}

// Reads exactly `width` digits at `pos`.
bool ReadNumber(std::string_view text, std::size_t& pos, std::size_t width, int& value) {
  if (pos + width > text.size()) return false;
  for (std::size_t i = pos; i < pos + width; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  std::from_chars(text.data() + pos, text.data() + pos + width, value);
  pos += width;
  return true;
}

bool Expect(std::string_view text, std::size_t& pos, char c) {
  if (pos >= text.size() || text[pos] != c) return false;
  ++pos;
  return true;
}

bool ValidDateTime(const DateTime& t) {
  return t.year >= 1601 && t.year <= 30827 && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
         t.day <= DaysInMonth(t.year, t.month) && t.hour >= 0 && t.hour <= 23 && t.minute >= 0 &&
         t.minute <= 59 && t.second >= 0 && t.second <= 59;
}

std::int64_t EpochMilliseconds(const DateTime& t, int milliseconds) {
  return DaysFromCivil(t.year, t.month, t.day) * kMillisecondsPerDay +
         ((static_cast<std::int64_t>(t.hour) * 60 + t.minute) * 60 + t.second) * 1000 + milliseconds;
}

// How long a worker may hold the turn, in real time, before it counts as one that never blocks.
constexpr auto kWorkerTurnLimit = std::chrono::seconds(60);

[[noreturn]] void WorkerProblem(const char* what) {
  std::fprintf(stderr, "virtual threads: %s\n", what);
  std::abort();
}

}  // namespace

// One worker thread and its place in the turn-taking; every field but `thread` and `body` under
// the clock's mutex.
class VirtualClock::Worker {
 public:
  enum class State { kStarting, kRunning, kSleeping, kWaiting, kDone };

  State state = State::kStarting;
  bool turn = false;                  // set by the window thread, cleared when the worker blocks
  std::optional<std::uint64_t> due;   // sleeping: its end; waiting: its time-out or its wake-up
  std::uint64_t wakeOrder = 0;        // among workers due at the same moment, the earlier first
  std::condition_variable wake;       // the worker waits here for its turn
  std::function<void()> body;
  std::thread thread;
};

namespace {
// The worker running on this thread, and its clock.
thread_local VirtualClock::Worker* tWorker = nullptr;
thread_local const VirtualClock* tClock = nullptr;
}  // namespace

VirtualClock::VirtualClock(const DateTime& start)
    : epochMilliseconds_(EpochMilliseconds(start, start.milliseconds)) {}

VirtualClock::~VirtualClock() {
  // A worker nobody joined is joined here, so its thread never outlives the clock it waits on.
  std::vector<std::shared_ptr<Worker>> left;
  {
    std::lock_guard lock(mutex_);
    left = workers_;
  }
  for (const auto& worker : left) JoinWorker(worker);
}

// "2026-01-01 09:00:00"
std::optional<DateTime> VirtualClock::ParseDateTime(std::string_view text) {
  DateTime t;
  std::size_t pos = 0;
  if (!ReadNumber(text, pos, 4, t.year) || !Expect(text, pos, '-') || !ReadNumber(text, pos, 2, t.month) ||
      !Expect(text, pos, '-') || !ReadNumber(text, pos, 2, t.day)) {
    return std::nullopt;
  }
  const std::size_t dateEnd = pos;
  if (pos < text.size() && text[pos] == 'T') {
    ++pos;
  } else {
    while (pos < text.size() && text[pos] == ' ') ++pos;
  }
  if (pos == dateEnd) return std::nullopt;
  if (!ReadNumber(text, pos, 2, t.hour) || !Expect(text, pos, ':') || !ReadNumber(text, pos, 2, t.minute) ||
      !Expect(text, pos, ':') || !ReadNumber(text, pos, 2, t.second) || pos != text.size()) {
    return std::nullopt;
  }
  if (t.year < 1601 || t.month < 1 || t.month > 12 || t.day < 1 || t.day > DaysInMonth(t.year, t.month) ||
      t.hour > 23 || t.minute > 59 || t.second > 59) {
    return std::nullopt;
  }
  t.dayOfWeek = DayOfWeek(DaysFromCivil(t.year, t.month, t.day));
  return t;
}

DateTime VirtualClock::LocalTime() {
  const std::int64_t total = epochMilliseconds_.load() + static_cast<std::int64_t>(now_.load());
  std::int64_t days = total / kMillisecondsPerDay;
  std::int64_t rest = total % kMillisecondsPerDay;
  if (rest < 0) {  // before 1970: round the day down
    rest += kMillisecondsPerDay;
    --days;
  }
  DateTime t;
  CivilFromDays(days, t);
  t.dayOfWeek = DayOfWeek(days);
  t.milliseconds = static_cast<int>(rest % 1000);
  rest /= 1000;
  t.second = static_cast<int>(rest % 60);
  rest /= 60;
  t.minute = static_cast<int>(rest % 60);
  t.hour = static_cast<int>(rest / 60);
  return t;
}

bool VirtualClock::SetSystemTime(const DateTime& utc) {
  if (!ValidDateTime(utc)) return false;
  epochMilliseconds_ = EpochMilliseconds(utc, 0) - static_cast<std::int64_t>(now_.load());
  return true;
}

void VirtualClock::Sleep(int milliseconds) {
  if (InWorker()) {
    if (milliseconds <= 0) return;
    Worker& self = *tWorker;
    std::unique_lock lock(mutex_);
    self.state = Worker::State::kSleeping;
    self.due = now_.load() + static_cast<std::uint64_t>(milliseconds);
    self.wakeOrder = nextWake_++;
    Block(self, lock);
    return;
  }
  if (milliseconds <= 0) return;
  const std::uint64_t target = now_.load() + static_cast<std::uint64_t>(milliseconds);
  RunUntil(target, false, false, nullptr);
  now_ = std::max(now_.load(), target);
}

bool VirtualClock::SleepUntil(int milliseconds, const std::function<bool()>& ready) {
  assert(!InWorker());
  const std::uint64_t target = now_.load() + static_cast<std::uint64_t>(std::max(milliseconds, 0));
  RunUntil(target, false, false, nullptr, ready);
  if (ready()) return true;
  now_ = std::max(now_.load(), target);
  return ready();
}

int VirtualClock::Start(int milliseconds, std::function<void()> fire) {
  Timer timer;
  timer.period = static_cast<std::uint64_t>(std::max(milliseconds, 1));
  timer.due = now_.load() + timer.period;
  timer.order = nextOrder_++;
  timer.fire = std::move(fire);
  // Numbers are never 0 and not reused while a timer holds them.
  while (nextTimer_ <= 0 || timers_.contains(nextTimer_)) {
    nextTimer_ = nextTimer_ == std::numeric_limits<int>::max() ? 1 : nextTimer_ + 1;
  }
  const int number = nextTimer_++;
  timers_.emplace(number, std::move(timer));
  return number;
}

void VirtualClock::Stop(int timer) {
  timers_.erase(timer);
}

void VirtualClock::Advance(std::uint64_t milliseconds, const std::function<bool()>& stop) {
  const std::uint64_t target = now_.load() + milliseconds;
  RunUntil(target, true, true, stop);
  if (stop && stop()) return;
  now_ = std::max(now_.load(), target);
}

bool VirtualClock::FireDue(const std::function<bool()>& stop) {
  return RunUntil(now_.load(), true, true, stop) > 0;
}

void VirtualClock::ScheduleDeviceEvent(std::uint64_t delayMs, std::function<void()> happen) {
  deviceEvents_.push_back(DeviceEvent{now_.load() + delayMs, nextOrder_++, std::move(happen)});
}

std::size_t VirtualClock::RunUntil(std::uint64_t target, bool timers, bool hostEvents,
                                   const std::function<bool()>& stop, const std::function<bool()>& ready) {
  std::size_t happened = 0;
  for (;;) {
    if (stop && stop()) return happened;
    if (ready && ready()) return happened;
    // What falls due next within this span, or is overdue since somebody slept past it.
    const std::uint64_t limit = std::max(target, now_.load());
    Kind kind = Kind::kNone;
    std::uint64_t due = 0;

    auto device = deviceEvents_.end();
    for (auto it = deviceEvents_.begin(); it != deviceEvents_.end(); ++it) {
      if (it->due > limit) continue;
      if (device == deviceEvents_.end() || it->due < device->due ||
          (it->due == device->due && it->order < device->order)) {
        device = it;
      }
    }
    if (device != deviceEvents_.end()) {
      kind = Kind::kDevice;
      due = device->due;
    }

    std::uint64_t workerDue = 0;
    const std::shared_ptr<Worker> worker = NextDueWorker(limit, workerDue);
    if (worker && (kind == Kind::kNone || workerDue < due)) {
      kind = Kind::kWorker;
      due = workerDue;
    }

    auto timer = timers_.end();
    if (timers) {
      for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (it->second.due > limit) continue;
        if (timer == timers_.end() || it->second.due < timer->second.due ||
            (it->second.due == timer->second.due && it->second.order < timer->second.order)) {
          timer = it;
        }
      }
      if (timer != timers_.end() && (kind == Kind::kNone || timer->second.due < due)) {
        kind = Kind::kTimer;
        due = timer->second.due;
      }
    }

    if (kind == Kind::kNone) return happened;
    now_ = std::max(now_.load(), due);
    ++happened;
    switch (kind) {
      case Kind::kDevice: {
        const std::function<void()> happen = std::move(device->happen);
        deviceEvents_.erase(device);
        if (happen) happen();
        break;
      }
      case Kind::kWorker:
        RunWorker(worker);
        if (hostEvents && hostEvents_) hostEvents_();
        break;
      case Kind::kTimer: {
        // A timer overdue since a Sleep fires now, once, and counts its next period from now.
        timer->second.due = now_.load() + timer->second.period;
        // A copy: the callback may stop its own timer, or start others, which changes the map.
        const std::function<void()> fire = timer->second.fire;
        if (fire) fire();
        break;
      }
      case Kind::kNone:
        break;
    }
  }
}

bool VirtualClock::InWorker() const {
  return tWorker != nullptr && tClock == this;
}

std::shared_ptr<VirtualClock::Worker> VirtualClock::NextDueWorker(std::uint64_t limit, std::uint64_t& due) {
  std::lock_guard lock(mutex_);
  std::shared_ptr<Worker> next;
  for (const auto& worker : workers_) {
    const bool blocked = worker->state == Worker::State::kSleeping || worker->state == Worker::State::kWaiting;
    if (!blocked || !worker->due || *worker->due > limit) continue;
    if (!next || *worker->due < *next->due || (*worker->due == *next->due && worker->wakeOrder < next->wakeOrder)) {
      next = worker;
    }
  }
  if (next) due = *next->due;
  return next;
}

std::shared_ptr<VirtualClock::Worker> VirtualClock::StartWorker(std::function<void()> body) {
  assert(!InWorker() && "workers are started from the window thread");
  auto worker = std::make_shared<Worker>();
  worker->body = std::move(body);
  Worker* raw = worker.get();
  {
    std::lock_guard lock(mutex_);
    workers_.push_back(worker);
  }
  try {
    worker->thread = std::thread([this, raw] {
      tWorker = raw;
      tClock = this;
      {
        std::unique_lock lock(mutex_);
        raw->wake.wait(lock, [raw] { return raw->turn; });
        raw->state = Worker::State::kRunning;
      }
      raw->body();
      {
        std::lock_guard lock(mutex_);
        raw->state = Worker::State::kDone;
        raw->due.reset();
        raw->turn = false;
      }
      turnBack_.notify_all();
    });
  } catch (const std::system_error&) {
    std::lock_guard lock(mutex_);
    workers_.erase(std::find(workers_.begin(), workers_.end(), worker));
    return nullptr;
  }
  RunWorker(worker);
  return worker;
}

void VirtualClock::RunWorker(const std::shared_ptr<Worker>& worker) {
  std::unique_lock lock(mutex_);
  if (worker->state == Worker::State::kDone) return;
  worker->turn = true;
  worker->due.reset();
  worker->wake.notify_all();
  if (!turnBack_.wait_for(lock, kWorkerTurnLimit, [&] { return !worker->turn; })) {
    WorkerProblem("a worker ran without ever sleeping or waiting; it must hand the turn back");
  }
}

void VirtualClock::Block(Worker& self, std::unique_lock<std::mutex>& lock) {
  self.turn = false;
  turnBack_.notify_all();
  self.wake.wait(lock, [&] { return self.turn; });
  self.state = Worker::State::kRunning;
}

bool VirtualClock::WaitAsWorker(const std::function<bool()>& ready, std::optional<int> timeoutMs) {
  assert(InWorker() && "only a worker waits this way");
  Worker& self = *tWorker;
  std::optional<std::uint64_t> deadline;
  if (timeoutMs) deadline = now_.load() + static_cast<std::uint64_t>(std::max(*timeoutMs, 0));
  for (;;) {
    std::uint64_t seen = 0;
    {
      std::lock_guard lock(mutex_);
      seen = wakeEpoch_;
    }
    // Looked at without the clock's mutex: `ready` takes the port's own lock.
    if (ready()) return true;
    if (deadline && now_.load() >= *deadline) return false;
    std::unique_lock lock(mutex_);
    if (wakeEpoch_ != seen) continue;  // woken while looking: look again
    self.state = Worker::State::kWaiting;
    self.due = deadline;
    self.wakeOrder = nextWake_++;
    Block(self, lock);
  }
}

void VirtualClock::WakeWaiting() {
  std::lock_guard lock(mutex_);
  ++wakeEpoch_;
  const std::uint64_t now = now_.load();
  for (const auto& worker : workers_) {
    if (worker->state != Worker::State::kWaiting) continue;
    if (!worker->due || *worker->due > now) {
      worker->due = now;
      worker->wakeOrder = nextWake_++;
    }
  }
}

void VirtualClock::JoinWorker(const std::shared_ptr<Worker>& worker) {
  assert(!InWorker() && "workers are joined from the window thread");
  if (!worker) return;
  const auto done = [&] {
    std::lock_guard lock(mutex_);
    return worker->state == Worker::State::kDone;
  };
  while (!done()) {
    std::optional<std::uint64_t> next;
    {
      std::lock_guard lock(mutex_);
      next = worker->due;
    }
    if (!next) {
      // Waiting without a time-out: only a device event can still wake it.
      for (const DeviceEvent& event : deviceEvents_) {
        if (!next || event.due < *next) next = event.due;
      }
      if (!next) WorkerProblem("joining a worker that waits for something nothing will bring");
    }
    RunUntil(*next, false, false, nullptr, done);
  }
  if (worker->thread.joinable()) worker->thread.join();
  std::lock_guard lock(mutex_);
  const auto it = std::find(workers_.begin(), workers_.end(), worker);
  if (it != workers_.end()) workers_.erase(it);
}

}  // namespace vexa::platform
