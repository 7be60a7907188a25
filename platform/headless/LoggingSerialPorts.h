#pragma once

#include <memory>
#include <string_view>

#include "platform/EffectLog.h"
#include "platform/SerialPorts.h"

namespace vexa::platform {

// Serial ports that log what the program does with them:
//   "serial_open" {port, ok}                                 every attempt to open
//   "serial_settings" {port, baud, byteSize, parity, stopBits, ok}
//                                                            every change of the line settings
//   "serial_write" {port, bytes, ok}                         every write; bytes in upper-case hex
//   "serial_close" {port}                                    the port closed
// `port` is the device name as the program gave it.
class LoggingSerialPorts : public SerialPorts {
 public:
  LoggingSerialPorts(SerialPorts& inner, EffectLog& log) : inner_(inner), log_(log) {}

  std::unique_ptr<SerialPort> Open(std::u16string_view deviceName) override;

 private:
  SerialPorts& inner_;
  EffectLog& log_;
};

}  // namespace vexa::platform
