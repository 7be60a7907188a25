#include "platform/SerialPorts.h"

namespace vexa::platform {

namespace {

char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (Upper(text[i]) != prefix[i]) return false;
  }
  return true;
}

}  // namespace

std::optional<int> SerialPortNumber(std::u16string_view deviceName) {
  if (StartsWithNoCase(deviceName, u"\\\\?\\")) deviceName.remove_prefix(4);
  if (!StartsWithNoCase(deviceName, u"COM")) return std::nullopt;
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
  std::u16string digits;
  for (int n = number < 0 ? 0 : number; digits.empty() || n > 0; n /= 10) {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + n % 10));
  }
  return (number > 9 ? u"\\\\?\\COM" : u"COM") + digits + u":";
}

}  // namespace vexa::platform
