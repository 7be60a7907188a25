#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

// The device screen on a desktop: one host window of the device's size holding a nested X server
// (Xephyr, reparented into that window), a window manager set up like the device's (Openbox with the
// project's configuration), and the device's programs on that nested display only.
namespace vexa::device {

struct DeviceOptions {
  int width = 800;
  int height = 480;
  // The device's language ("en" or "ko"), handed to every program of the device with its screen size.
  std::string lang = "en";
  // The host window's title: the device's size and language.
  std::string title;
  // The window manager's configuration file; empty runs the device without a window manager.
  std::string wmConfig;
  // The programs started on the device once its screen and window manager are up, each an argv.
  std::vector<std::vector<std::string>> programs;
  // Written with the device's display name (":12") once the programs have been started.
  std::string displayFile;
  // A picture of the device screen taken this long after the programs started; the device then ends.
  std::optional<std::chrono::milliseconds> screenshotAfter;
  std::string screenshotFile;
  // How long the programs have to close after their close request before they are ended by pid.
  std::chrono::milliseconds grace{2000};
};

// Runs the device until its host window is closed (or the nested server ends, or SIGINT / SIGTERM):
// every program then gets its close request, and what is left after the grace is ended by pid.
// Answers the exit status: 0, or 2 when the device could not start.
int RunDevice(const DeviceOptions& options);

// Writes a PNG of the whole screen of the X display `display` (every window as stacked). False, with
// a message on stderr, when the display does not answer or the file cannot be written.
bool TakeScreenshot(const std::string& display, const std::string& file);

// Taps the screen of the X display `display` at (x, y) as a finger would: the pointer moves there and
// the left button goes down and up (XTest). False when the display does not answer or has no XTest.
bool Tap(const std::string& display, int x, int y);

}  // namespace vexa::device
