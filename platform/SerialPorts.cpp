#include "platform/SerialPorts.h"

#include "common/text/Text.h"

namespace vexa::platform {

std::optional<int> SerialPortNumber(std::u16string_view deviceName) {
  if (text::StartsWithNoCase(deviceName, u"\\\\?\\")) deviceName.remove_prefix(4);
  if (!text::StartsWithNoCase(deviceName, u"COM")) return std::nullopt;
  deviceName.remove_prefix(3);
  if (deviceName.size() < 2 || deviceName.back() != u':') return std::nullopt;
  deviceName.remove_suffix(1);
  if (deviceName.size() > 3 || deviceName.front() == u'0') return std::nullopt;
  int number = 0;
  for (const char16_t c : deviceName) {
    if (c < u'0' || c > u'9') return std::nullopt;
    number = number * 10 + (c - u'0');
  }
  if (number < 1 || number > 255) return std::nullopt;
  return number;
}

std::u16string SerialPortName(int number) {
  return (number > 9 ? u"\\\\?\\COM" : u"COM") + text::FromInt(number < 0 ? 0 : number) + u":";
}

}  // namespace vexa::platform
