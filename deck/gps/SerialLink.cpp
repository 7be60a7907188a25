#include "deck/gps/SerialLink.h"

#include "deck/gps/SirfSwitch.h"

namespace vexa::gps {

bool SerialLink::Open(std::u16string_view portName) {
  Close();
  if (ports_ == nullptr) return false;
  port_ = ports_->Open(portName);
  if (port_ == nullptr) return false;
  // A silent receiver must not hold the dialog's thread: every byte read gives up after a second.
  port_->SetReadTimeout(kByteTimeout);
  return true;
}

bool SerialLink::Configure(int baud, int byteSize, bool parityCheck, platform::Parity parity,
                           platform::StopBits stopBits) {
  if (port_ == nullptr) return false;
  auto settings = port_->GetSettings();
  if (!settings) {
    Close();
    return false;
  }
  settings->baud = baud > 0 ? static_cast<std::uint32_t>(baud) : settings->baud;
  settings->byteSize = static_cast<std::uint8_t>(byteSize);
  settings->parity = parity;
  settings->stopBits = stopBits;
  settings->parityCheck = parityCheck;
  settings->stripNull = false;
  // The result is kept for whoever wants to know; a port that refuses the rate still gets its chance
  // to deliver sentences, as the device's drivers often run at their own rate anyway.
  lastSettingsResult_ = port_->SetSettings(*settings);
  return true;
}

bool SerialLink::ReadByte(std::uint8_t& byte) {
  if (port_ == nullptr) return false;
  std::uint8_t buffer[1] = {0};
  const auto count = port_->Read(buffer);
  if (!count || *count != 1) return false;
  byte = buffer[0];
  return true;
}

bool SerialLink::WriteByte(std::uint8_t byte) {
  lastWritten_ = 0;
  if (port_ == nullptr) return false;
  const std::uint8_t buffer[1] = {byte};
  const auto count = port_->Write(buffer);
  if (!count) return false;
  lastWritten_ = *count;
  // A write that took no byte did not send it.
  return *count == 1;
}

bool SerialLink::SendSirfToNmea() {
  for (const std::uint8_t byte : kSirfToNmea) {
    if (!WriteByte(byte)) return false;
  }
  return true;
}

void SerialLink::Close() { port_.reset(); }

}  // namespace vexa::gps
