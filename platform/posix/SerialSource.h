#pragma once

#include <map>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vexa::platform {

// What stands behind one of the device's serial ports on a desktop.
struct SerialSource {
  enum class Kind {
    kDevice,  // a host terminal device: "/dev/ttyUSB0", "/dev/ttyS0", "/dev/pts/3"
    kPty,     // "pty": a pseudo-terminal the program makes and names on stderr
    kFile,    // "file:PATH": a recorded NMEA file replayed at its own pace
    kGpsd,    // "gpsd" or "gpsd://host:port": the receiver a gpsd daemon shares
    kScript,  // "script": in headless runs, a line the scenario feeds; no port on a desktop
  };
  Kind kind = Kind::kDevice;
  std::string path{};  // kDevice, kFile
  std::string host{};  // kGpsd
  int port = 0;      // kGpsd
  bool operator==(const SerialSource&) const = default;
};

// Port numbers (3 for "COM3:") and their sources.
using SerialPortMap = std::map<int, SerialSource>;

// One source as written after ":=". An error text (naming the wrong text) when it is none of the
// forms above: a device path must be absolute, a file path and a gpsd host not empty, a gpsd port
// from 1 to 65535 ("gpsd://[::1]:2947" for an IPv6 address).
std::variant<SerialSource, std::string> ParseSerialSource(std::string_view text);

// "COM2:=/dev/ttyUSB0" (also "COM2=...", "\\?\COM12:=..."): the port's number and its source, or an
// error text naming the wrong mapping.
std::variant<std::pair<int, SerialSource>, std::string> ParsePortMapping(std::string_view text);

// The mappings of VEXA_PORTS: "COM2:=/dev/ttyUSB0;COM3:=gpsd" (empty entries are skipped). Wrong
// entries go to `errors`.
SerialPortMap ParsePortList(std::string_view text, std::vector<std::string>& errors);

}  // namespace vexa::platform
