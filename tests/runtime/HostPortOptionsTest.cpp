#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/posix/SerialSource.h"
#include "platform/runtime/RuntimeOptions.h"

namespace vexa::platform {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using Kind = SerialSource::Kind;

RuntimeOptions Parse(std::vector<const char*> args, std::map<std::string, std::string> env = {}) {
  args.insert(args.begin(), "VexaDeck.exe");
  return ParseRuntimeOptions(static_cast<int>(args.size()), args.data(),
                             [env](const char* name) -> const char* {
                               const auto found = env.find(name);
                               return found == env.end() ? nullptr : found->second.c_str();
                             });
}

SerialSource Device(std::string path) { return {.kind = Kind::kDevice, .path = std::move(path)}; }
SerialSource File(std::string path) { return {.kind = Kind::kFile, .path = std::move(path)}; }
SerialSource Gpsd(std::string host, int port) { return {.kind = Kind::kGpsd, .host = std::move(host), .port = port}; }
SerialSource Pty() { return {.kind = Kind::kPty}; }

TEST(HostPortOptionsTest, EverySourceFormMapsItsPort) {
  const RuntimeOptions options =
      Parse({"--port", "COM2:=/dev/ttyUSB0", "--port=COM3=pty", "--port", "com4:=file:drives/seoul.nmea",
             "--port", "COM5:=gpsd", "--port", "COM6:=gpsd://car.local:3000", "--port", "\\\\?\\COM12:=gpsd://[::1]",
             "--port", "COM2:=/dev/ttyS0", "-autorun"});
  EXPECT_THAT(options.errors, IsEmpty());
  const SerialPortMap expected{{2, Device("/dev/ttyS0")},  // the last one for a port wins
                               {3, Pty()},
                               {4, File("drives/seoul.nmea")},
                               {5, Gpsd("localhost", 2947)},
                               {6, Gpsd("car.local", 3000)},
                               {12, Gpsd("::1", 2947)}};
  EXPECT_EQ(options.ports, expected);
  EXPECT_THAT(options.device.arguments, ElementsAre("-autorun"));
  EXPECT_FALSE(options.hostClock);
  EXPECT_TRUE(Parse({"--host-clock"}).hostClock);
}

TEST(HostPortOptionsTest, TheEnvironmentFillsInThePortsTheOptionsLeaveOut) {
  const RuntimeOptions options =
      Parse({"--port", "COM2:=pty"}, {{"VEXA_PORTS", "COM2:=/dev/ttyUSB0;;COM3:=gpsd;COM10:=file:/tmp/a.nmea;"}});
  EXPECT_THAT(options.errors, IsEmpty());
  const SerialPortMap expected{{2, Pty()}, {3, Gpsd("localhost", 2947)}, {10, File("/tmp/a.nmea")}};
  EXPECT_EQ(options.ports, expected);
  EXPECT_THAT(Parse({}).ports, IsEmpty());
}

TEST(HostPortOptionsTest, AWrongMappingIsAnErrorNamingIt) {
  for (const char* wrong : {"COM2:", "COM2:=", "COM0:=pty", "COM256:=pty", "LPT1:=pty", "COM2:=ttyUSB0",
                            "COM2:=file:", "COM2:=gpsd://", "COM2:=gpsd://host:", "COM2:=gpsd://host:70000",
                            "COM2:=gpsd://[::1", "COM2:=gpsd://host:12ab", "COM2:=PTY"}) {
    const RuntimeOptions options = Parse({"--port", wrong});
    ASSERT_THAT(options.errors, ElementsAre(HasSubstr(std::string(wrong)))) << wrong;
    EXPECT_THAT(options.errors[0], ::testing::StartsWith("--port: ")) << wrong;
  }
  EXPECT_THAT(Parse({"--port"}).errors, ElementsAre("--port needs a value"));
  EXPECT_THAT(Parse({}, {{"VEXA_PORTS", "COM2:=/dev/ttyUSB0;COM3=nowhere"}}).errors,
              ElementsAre(::testing::AllOf(::testing::StartsWith("VEXA_PORTS: "), HasSubstr("nowhere"))));
  EXPECT_THAT(Parse({"--pot", "COM2:=pty"}).errors,
              ElementsAre(::testing::StartsWith("unknown option --pot (did you mean --port?)")));
  EXPECT_THAT(Parse({"--host-clok"}).errors,
              ElementsAre(::testing::StartsWith("unknown option --host-clok (did you mean --host-clock?)")));
}

}  // namespace
}  // namespace vexa::platform
