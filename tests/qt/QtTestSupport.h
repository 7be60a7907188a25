#pragma once

#include <QCoreApplication>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/EffectLog.h"
#include "platform/ui/EventLoop.h"
#include "platform/ui/Window.h"

namespace vexa::platform::testing {

// Makes the test program's QApplication (offscreen) if there is none yet.
void EnsureQtApplication();

// Timers that fire only when the test says so.
class ManualTimers : public ui::TimerService {
 public:
  int Start(int milliseconds, std::function<void()> fire) override {
    timers_[next_] = {milliseconds, std::move(fire)};
    return next_++;
  }
  void Stop(int timer) override { timers_.erase(timer); }
  // Fires every running timer of this period once.
  void FireEvery(int milliseconds) {
    std::vector<int> due;
    for (const auto& [id, t] : timers_) {
      if (t.first == milliseconds) due.push_back(id);
    }
    for (int id : due) {
      auto it = timers_.find(id);
      if (it != timers_.end()) it->second.second();
    }
  }
  std::size_t running() const { return timers_.size(); }

 private:
  int next_ = 1;
  std::map<int, std::pair<int, std::function<void()>>> timers_;
};

// A pump fed by the test: each round handles Qt's pending events, then runs the next queued action.
// With no action left while a loop waits, the loop gives up (and `starved` says so) instead of hanging.
class ScriptedPump : public ui::EventPump {
 public:
  void Then(std::function<void()> action) { actions_.push_back(std::move(action)); }
  void RunUntil(const std::function<bool()>& done) override {
    for (;;) {
      QCoreApplication::processEvents();
      if (quitting_ || done()) return;
      if (actions_.empty()) {
        starved = true;
        return;
      }
      auto action = std::move(actions_.front());
      actions_.pop_front();
      action();
    }
  }
  void Quit() override { quitting_ = true; }
  bool quitting() const override { return quitting_; }

  bool starved = false;

 private:
  std::deque<std::function<void()>> actions_;
  bool quitting_ = false;
};

// Keeps the events and their "title" (or "answer") fields.
class RecordingLog : public EffectLog {
 public:
  void Record(std::string_view event, std::initializer_list<LogField> fields) override {
    std::string line(event);
    for (const auto& [name, value] : fields) {
      if (name != "title" && name != "answer") continue;
      if (const auto* u = std::get_if<std::u16string>(&value)) line += " " + std::string(u->begin(), u->end());
      if (const auto* s = std::get_if<std::string>(&value)) line += " " + *s;
    }
    lines.push_back(line);
  }
  std::vector<std::string> lines;
};

// Records what a window class is told.
class RecordingHandler : public ui::WindowHandler {
 public:
  struct Command {
    int id;
    ui::Notification notification;
    bool operator==(const Command&) const = default;
  };

  void OnInit(ui::Window& window) override {
    if (onInit) onInit(window);
  }
  void OnCommand(ui::Window& window, int id, ui::Notification n) override {
    commands.push_back({id, n});
    if (onCommand) onCommand(window, id, n);
  }
  void OnTimer(ui::Window&, int timerId) override { timers.push_back(timerId); }
  void OnPointerDown(ui::Window&, ui::Point p) override { pointer.push_back("down " + At(p)); }
  void OnPointerMove(ui::Window&, ui::Point p, bool down) override {
    pointer.push_back(std::string(down ? "drag " : "move ") + At(p));
  }
  void OnPointerUp(ui::Window&, ui::Point p) override { pointer.push_back("up " + At(p)); }
  void OnControlPointerDown(ui::Window&, int id, ui::Point p) override {
    pointer.push_back(std::to_string(id) + " down " + At(p));
  }
  void OnControlPointerUp(ui::Window&, int id, ui::Point p) override {
    pointer.push_back(std::to_string(id) + " up " + At(p));
  }
  bool OnPaint(ui::Window&, gfx::Bitmap& canvas) override {
    if (!paint) return false;
    if (onPaint) onPaint(canvas);
    gfx::FillRect(canvas, canvas.bounds(), *paint);
    return true;
  }
  void OnDrawItem(ui::Window&, int id, gfx::Bitmap& canvas, const ui::DrawItemState& state) override {
    drawn.push_back({id, state.pressed});
    if (onDraw) onDraw(canvas);
    gfx::FillRect(canvas, canvas.bounds(), state.pressed ? gfx::Rgb(0, 0, 255) : gfx::Rgb(255, 0, 0));
  }
  bool OnClose(ui::Window&) override { return allowClose; }
  void OnDestroy(ui::Window&) override { ++destroyed; }
  void OnPosted(ui::Window&, std::uint32_t message, std::intptr_t wParam, std::intptr_t) override {
    posted.push_back({message, wParam});
    postedOn = std::this_thread::get_id();
  }

  static std::string At(ui::Point p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

  std::function<void(ui::Window&)> onInit;
  std::function<void(gfx::Bitmap&)> onPaint;
  std::function<void(gfx::Bitmap&)> onDraw;
  std::function<void(ui::Window&, int, ui::Notification)> onCommand;
  std::vector<Command> commands;
  std::vector<int> timers;
  std::vector<std::string> pointer;
  std::vector<std::pair<int, bool>> drawn;
  std::optional<gfx::ColorRef> paint;
  bool allowClose = true;
  int destroyed = 0;
  std::vector<std::pair<std::uint32_t, std::intptr_t>> posted;
  std::thread::id postedOn;
};

}  // namespace vexa::platform::testing
