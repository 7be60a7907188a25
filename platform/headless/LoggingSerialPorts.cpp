#include "platform/headless/LoggingSerialPorts.h"

#include <string>

namespace vexa::platform {

namespace {

std::string Hex(std::span<const std::uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (const std::uint8_t b : bytes) {
    out.push_back(kDigits[b >> 4]);
    out.push_back(kDigits[b & 0x0F]);
  }
  return out;
}

std::string ParityName(Parity parity) {
  switch (parity) {
    case Parity::kNone:
      return "none";
    case Parity::kOdd:
      return "odd";
    case Parity::kEven:
      return "even";
    case Parity::kMark:
      return "mark";
    case Parity::kSpace:
      return "space";
  }
  return "unknown";
}

std::string StopBitsName(StopBits stopBits) {
  switch (stopBits) {
    case StopBits::kOne:
      return "1";
    case StopBits::kOneAndHalf:
      return "1.5";
    case StopBits::kTwo:
      return "2";
  }
  return "unknown";
}

class LoggingSerialPort : public SerialPort {
 public:
  LoggingSerialPort(std::unique_ptr<SerialPort> inner, std::u16string name, EffectLog& log)
      : inner_(std::move(inner)), name_(std::move(name)), log_(log) {}
  ~LoggingSerialPort() override {
    inner_.reset();
    log_.Record("serial_close", {{"port", name_}});
  }

  std::optional<SerialSettings> GetSettings() override { return inner_->GetSettings(); }
  bool SetSettings(const SerialSettings& settings) override {
    const bool ok = inner_->SetSettings(settings);
    log_.Record("serial_settings", {{"port", name_},
                                    {"baud", static_cast<std::int64_t>(settings.baud)},
                                    {"byteSize", static_cast<std::int64_t>(settings.byteSize)},
                                    {"parity", ParityName(settings.parity)},
                                    {"stopBits", StopBitsName(settings.stopBits)},
                                    {"ok", ok}});
    return ok;
  }
  void SetQueueSizes(std::size_t receive, std::size_t transmit) override { inner_->SetQueueSizes(receive, transmit); }
  void Purge() override { inner_->Purge(); }
  std::size_t QueuedBytes() override { return inner_->QueuedBytes(); }
  void SetReadTimeout(int milliseconds) override { inner_->SetReadTimeout(milliseconds); }
  bool WaitForBytes() override { return inner_->WaitForBytes(); }
  void ReleaseWait() override { inner_->ReleaseWait(); }
  std::optional<std::size_t> Read(std::span<std::uint8_t> buffer) override { return inner_->Read(buffer); }
  std::optional<std::size_t> Write(std::span<const std::uint8_t> bytes) override {
    const std::optional<std::size_t> written = inner_->Write(bytes);
    log_.Record("serial_write", {{"port", name_}, {"bytes", Hex(bytes)}, {"ok", written.has_value()}});
    return written;
  }

 private:
  std::unique_ptr<SerialPort> inner_;
  std::u16string name_;
  EffectLog& log_;
};

}  // namespace

std::unique_ptr<SerialPort> LoggingSerialPorts::Open(std::u16string_view deviceName) {
  std::unique_ptr<SerialPort> port = inner_.Open(deviceName);
  log_.Record("serial_open", {{"port", std::u16string(deviceName)}, {"ok", port != nullptr}});
  if (!port) return nullptr;
  return std::make_unique<LoggingSerialPort>(std::move(port), std::u16string(deviceName), log_);
}

}  // namespace vexa::platform
