#include "platform/headless/JsonEffectLog.h"

#include "common/text/Text.h"

namespace vexa::platform {

namespace {

// Escapes valid UTF-8 for a JSON string: characters from U+0080 stay as they are.
std::string QuoteValidUtf8(std::string_view utf8) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(utf8.size() + 2);
  out.push_back('"');
  for (const char c : utf8) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\b':
        out += "\\b";
        break;
      case '\f':
        out += "\\f";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
          out += "\\u00";
          out.push_back(kHex[(c >> 4) & 0xF]);
          out.push_back(kHex[c & 0xF]);
        } else {
          out.push_back(c);
        }
    }
  }
  out.push_back('"');
  return out;
}

}  // namespace

std::string JsonEffectLog::Quote(std::u16string_view text) {
  return QuoteValidUtf8(text::ToUtf8(text));
}

std::string JsonEffectLog::Quote(std::string_view utf8) {
  // Through UTF-16 and back: broken sequences become U+FFFD, everything else stays byte for byte.
  return QuoteValidUtf8(text::ToUtf8(text::FromUtf8(utf8)));
}

std::string JsonEffectLog::FormatLine(std::uint64_t t, std::string_view event,
                                      std::initializer_list<LogField> fields) {
  std::string line = "{\"t\":" + std::to_string(t) + ",\"event\":" + Quote(event);
  for (const auto& [name, value] : fields) {
    line += ',';
    line += Quote(name);
    line += ':';
    if (const auto* number = std::get_if<std::int64_t>(&value)) {
      line += std::to_string(*number);
    } else if (const auto* flag = std::get_if<bool>(&value)) {
      line += *flag ? "true" : "false";
    } else if (const auto* wide = std::get_if<std::u16string>(&value)) {
      line += Quote(std::u16string_view(*wide));
    } else {
      line += Quote(std::string_view(std::get<std::string>(value)));
    }
  }
  line += '}';
  return line;
}

void JsonEffectLog::Record(std::string_view event, std::initializer_list<LogField> fields) {
  std::lock_guard lock(mutex_);
  const std::string line = FormatLine(clock_.TickCount(), event, fields);
  *out_ << line << '\n';
  out_->flush();
}

}  // namespace vexa::platform
