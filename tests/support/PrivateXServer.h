#pragma once

#include <sys/types.h>

#include <string>

namespace vexa::test {

// A private X server for one test program: Xvfb picks a free display number itself and reports it on
// a pipe once clients can connect, so that test programs running side by side never collide.
class PrivateXServer {
 public:
  explicit PrivateXServer(const std::string& screen = "800x480x24");
  ~PrivateXServer();
  PrivateXServer(const PrivateXServer&) = delete;
  PrivateXServer& operator=(const PrivateXServer&) = delete;

  bool running() const { return !name_.empty(); }
  // ":91"
  const std::string& name() const { return name_; }

 private:
  pid_t pid_ = 0;
  std::string name_;
};

// True when a program of this name is found on PATH.
bool ProgramInstalled(const std::string& name);
inline bool XvfbInstalled() { return ProgramInstalled("Xvfb"); }

}  // namespace vexa::test
