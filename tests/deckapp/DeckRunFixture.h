#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/runtime/ProgramRuntime.h"
#include "tests/support/TempDeviceTree.h"

namespace vexa::deck {

// The lines of an effects log.
inline std::vector<std::string> LogLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A skin element as a skin file writes it.
inline std::string Element(int n, const char* action, const char* position, const char* size) {
  std::ostringstream out;
  out << "[Button" << (n < 10 ? "0" : "") << n << "]\r\nAction=" << action << "\r\nText=Slot " << n
      << "\r\nPosition=" << position << "\r\nSize=" << size << "\r\n";
  return out.str();
}

// Runs the launcher headless on a small device tree, with a scenario, and keeps the effects log.
class DeckRunTest : public ::testing::Test {
 protected:
  DeckRunTest() {
    tree.WriteHostFile("Storage Card/VexaDeck/VexaDeck.exe", "");
    tree.MakeDir("Windows/Desktop");
    tree.MakeDir("Windows/Programs");
  }

  void WriteSkin(const std::string& file, const std::string& content) {
    tree.WriteHostFile("Storage Card/VexaDeck/Skin/Default/" + file, content);
  }

  int Run(const std::string& scenario, const std::function<int(platform::Platform&, platform::ui::UserInterface&)>& body,
          const char* screen = "800x480") {
    const auto scenarioPath = (tree.root() / "scenario.txt").string();
    std::ofstream(scenarioPath) << scenario;
    logPath = (tree.root() / "log.jsonl").string();
    const std::string root = tree.root().string();
    std::vector<std::string> args = {"VexaDeck", "--headless", "--device-root", root, "--module-path",
                                     "\\Storage Card\\VexaDeck\\VexaDeck.exe", "--screen", screen, "--lang", "en",
                                     "--scenario", scenarioPath, "--log", logPath};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    platform::ProgramInfo info;
    info.name = u"VexaDeck";
    return platform::RunProgram(static_cast<int>(argv.size()), argv.data(), info, body);
  }

  std::vector<std::string> Log() const { return LogLines(logPath); }
  // The texts the live displays of one kind ("DISPLAY-TIME") showed, in order.
  std::vector<std::string> DisplayTexts(const std::string& kind) const {
    std::vector<std::string> texts;
    for (const auto& line : Log()) {
      if (line.find("\"display_text\"") == std::string::npos || line.find("\"" + kind + "\"") == std::string::npos) {
        continue;
      }
      const auto at = line.find("\"text\":\"") + 8;
      texts.push_back(line.substr(at, line.find('"', at) - at));
    }
    return texts;
  }

  testing::TempDeviceTree tree;
  std::string logPath;
  std::vector<std::string> extraArgs;  // more options for the next Run: "--start-time", ...
};

}  // namespace vexa::deck
