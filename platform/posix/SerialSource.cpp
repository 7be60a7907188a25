#include "platform/posix/SerialSource.h"

#include <charconv>

#include "common/text/Text.h"
#include "platform/SerialPorts.h"

namespace vexa::platform {

namespace {

constexpr std::string_view kForms =
    "a device path such as /dev/ttyUSB0, pty, file:PATH, gpsd, gpsd://HOST:PORT or script";

std::string Wrong(std::string_view what, std::string_view text) {
  return std::string(what) + " \"" + std::string(text) + "\"";
}

}  // namespace

std::variant<SerialSource, std::string> ParseSerialSource(std::string_view text) {
  const std::string error = Wrong("the serial source", text) + " is none of " + std::string(kForms);
  SerialSource source;
  if (text == "script") {
    source.kind = SerialSource::Kind::kScript;
    return source;
  }
  if (text == "pty") {
    source.kind = SerialSource::Kind::kPty;
    return source;
  }
  if (text.starts_with("file:")) {
    source.kind = SerialSource::Kind::kFile;
    source.path = text.substr(5);
    if (source.path.empty()) return error;
    return source;
  }
  if (text == "gpsd" || text.starts_with("gpsd://")) {
    source.kind = SerialSource::Kind::kGpsd;
    source.host = "localhost";
    source.port = 2947;
    if (text == "gpsd") return source;
    std::string_view rest = text.substr(7);
    if (!rest.empty() && rest.back() == '/') rest.remove_suffix(1);
    std::string_view host = rest;
    std::string_view port;
    if (rest.starts_with('[')) {
      const std::size_t close = rest.find(']');
      if (close == std::string_view::npos) return error;
      host = rest.substr(1, close - 1);
      std::string_view after = rest.substr(close + 1);
      if (!after.empty()) {
        if (after.front() != ':') return error;
        port = after.substr(1);
        if (port.empty()) return error;
      }
    } else if (const std::size_t colon = rest.rfind(':'); colon != std::string_view::npos) {
      host = rest.substr(0, colon);
      port = rest.substr(colon + 1);
      if (port.empty()) return error;
    }
    if (host.empty()) return error;
    source.host = host;
    if (!port.empty()) {
      int number = 0;
      const auto [end, ec] = std::from_chars(port.data(), port.data() + port.size(), number);
      if (ec != std::errc() || end != port.data() + port.size() || number < 1 || number > 65535) return error;
      source.port = number;
    }
    return source;
  }
  if (text.starts_with('/') && text.size() > 1) {
    source.path = text;
    return source;
  }
  return error;
}

std::variant<std::pair<int, SerialSource>, std::string> ParsePortMapping(std::string_view text) {
  const std::size_t equals = text.find('=');
  const std::string error = Wrong("the port mapping", text) + " is not COMn:=SOURCE, SOURCE " + std::string(kForms);
  if (equals == std::string_view::npos) return error;
  std::string name(text.substr(0, equals));
  if (equals > 0 && text[equals - 1] != ':') name += ':';
  const std::optional<int> number = SerialPortNumber(text::FromUtf8(name));
  if (!number) {
    return Wrong("the port", text.substr(0, equals)) + " of \"" + std::string(text) +
           "\" is no port name (COM1: to COM9:, \\\\?\\COM10: and up)";
  }
  auto source = ParseSerialSource(text.substr(equals + 1));
  if (auto* problem = std::get_if<std::string>(&source)) return *problem + " (in \"" + std::string(text) + "\")";
  return std::pair{*number, std::get<SerialSource>(std::move(source))};
}

SerialPortMap ParsePortList(std::string_view text, std::vector<std::string>& errors) {
  SerialPortMap ports;
  while (!text.empty()) {
    const std::size_t semicolon = text.find(';');
    const std::string_view entry = text.substr(0, semicolon);
    text = semicolon == std::string_view::npos ? std::string_view() : text.substr(semicolon + 1);
    if (entry.empty()) continue;
    auto mapping = ParsePortMapping(entry);
    if (auto* problem = std::get_if<std::string>(&mapping)) {
      errors.push_back("VEXA_PORTS: " + *problem);
    } else {
      auto& [number, source] = std::get<std::pair<int, SerialSource>>(mapping);
      ports[number] = std::move(source);
    }
  }
  return ports;
}

}  // namespace vexa::platform
