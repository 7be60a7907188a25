#include "platform/posix/RegistryTree.h"

#include <cstdio>

#include "common/text/Text.h"

namespace vexa::platform {

namespace {

constexpr std::array<std::u16string_view, 4> kRootNames{u"HKEY_CLASSES_ROOT", u"HKEY_CURRENT_USER",
                                                        u"HKEY_LOCAL_MACHINE", u"HKEY_USERS"};
// Binary data per line before a continuation, as registry editors write it.
constexpr std::size_t kHexColumn = 76;

std::u16string Fold(std::u16string_view s) {
  std::u16string folded(s);
  for (char16_t& c : folded) c = text::FoldCase(c);
  return folded;
}

bool IsHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

// Text a quoted string can hold: no control character (a line break would end the line), no half of
// a surrogate pair (the file is UTF-8, which has no spelling for one).
bool Printable(std::u16string_view s) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (c < 0x20 || c == 0x7F) return false;
    if (IsHighSurrogate(c)) {
      if (i + 1 == s.size() || !IsLowSurrogate(s[i + 1])) return false;
      ++i;
    } else if (IsLowSurrogate(c)) {
      return false;
    }
  }
  return true;
}

// Splits "Software\Vexa" at "\"; calls `part` with each part until it answers false.
template <typename Part>
bool EachPart(std::u16string_view subkey, const Part& part) {
  if (subkey.empty()) return true;
  std::size_t at = 0;
  while (true) {
    const std::size_t end = subkey.find(u'\\', at);
    if (!part(subkey.substr(at, end == std::u16string_view::npos ? std::u16string_view::npos : end - at))) {
      return false;
    }
    if (end == std::u16string_view::npos) return true;
    at = end + 1;
  }
}

void AppendQuoted(std::u16string& out, std::u16string_view s) {
  out += u'"';
  for (const char16_t c : s) {
    if (c == u'\\' || c == u'"') out += u'\\';
    out += c;
  }
  out += u'"';
}

void AppendHexByte(std::u16string& out, std::uint8_t byte) {
  static constexpr char16_t kDigits[] = u"0123456789abcdef";
  out += kDigits[byte >> 4];
  out += kDigits[byte & 0xF];
}

// hex:01,02,...,\ then "  ..." lines; `column` is where the first byte goes.
void AppendHexBytes(std::u16string& out, std::span<const std::uint8_t> bytes, std::size_t column) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    AppendHexByte(out, bytes[i]);
    column += 2;
    if (i + 1 == bytes.size()) break;
    out += u',';
    ++column;
    if (column >= kHexColumn) {
      out += u"\\\r\n  ";
      column = 2;
    }
  }
}

std::vector<std::uint8_t> Utf16Bytes(std::u16string_view s) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve((s.size() + 1) * 2);
  for (const char16_t c : s) {
    bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  bytes.push_back(0);
  bytes.push_back(0);
  return bytes;
}

std::u16string_view TrimLeftView(std::u16string_view s) {
  while (!s.empty() && text::IsSpace(s.front())) s.remove_prefix(1);
  return s;
}

// A quoted text at the start of `s`, "\\" and "\"" unescaped (any other "\" stays as it is); `s` is
// left after the closing quote. Nullopt without one.
std::optional<std::u16string> TakeQuoted(std::u16string_view& s) {
  if (s.empty() || s.front() != u'"') return std::nullopt;
  std::u16string out;
  for (std::size_t i = 1; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (c == u'"') {
      s.remove_prefix(i + 1);
      return out;
    }
    if (c == u'\\' && i + 1 < s.size() && (s[i + 1] == u'\\' || s[i + 1] == u'"')) ++i;
    out += s[i];
  }
  return std::nullopt;
}

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// "01, 02,ff" -> bytes; each piece one or two hex digits, an empty text no bytes.
std::optional<std::vector<std::uint8_t>> ParseHex(std::u16string_view s) {
  std::vector<std::uint8_t> bytes;
  if (text::TrimView(s).empty()) return bytes;
  std::size_t at = 0;
  while (true) {
    const std::size_t comma = s.find(u',', at);
    const std::u16string_view piece = text::TrimView(
        s.substr(at, comma == std::u16string_view::npos ? std::u16string_view::npos : comma - at));
    if (piece.empty() || piece.size() > 2) return std::nullopt;
    int value = 0;
    for (const char16_t c : piece) {
      const int digit = HexDigit(c);
      if (digit < 0) return std::nullopt;
      value = value * 16 + digit;
    }
    if (bytes.size() == RegistryTree::kMaxValueBytes) return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(value));
    if (comma == std::u16string_view::npos) return bytes;
    at = comma + 1;
  }
}

// "0000000a" -> 10; one to eight hex digits.
std::optional<std::uint32_t> ParseDword(std::u16string_view s) {
  s = text::TrimView(s);
  if (s.empty() || s.size() > 8) return std::nullopt;
  std::uint32_t value = 0;
  for (const char16_t c : s) {
    const int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<std::uint32_t>(digit);
  }
  return value;
}

// The lines of a text, at LF, a CR before it dropped.
class TextLines {
 public:
  explicit TextLines(std::u16string_view text) : text_(text) {}

  std::optional<std::u16string_view> Next() {
    if (done_) return std::nullopt;
    const std::size_t end = text_.find(u'\n', at_);
    std::u16string_view line;
    if (end == std::u16string_view::npos) {
      line = text_.substr(at_);
      done_ = true;
    } else {
      line = text_.substr(at_, end - at_);
      at_ = end + 1;
    }
    if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
    return line;
  }

 private:
  std::u16string_view text_;
  std::size_t at_ = 0;
  bool done_ = false;
};

// The value of a value line after its "=", continuation lines of hex data joined; nullopt when it is
// none of the forms.
std::optional<RegistryValue> ParseValue(std::u16string_view value, TextLines& lines) {
  RegistryValue parsed;
  value = text::TrimView(value);
  if (!value.empty() && value.front() == u'"') {
    std::optional<std::u16string> quoted = TakeQuoted(value);
    if (!quoted || !text::TrimView(value).empty()) return std::nullopt;
    parsed.text = std::move(*quoted);
    return parsed;
  }
  if (text::StartsWithNoCase(value, u"dword:")) {
    const std::optional<std::uint32_t> number = ParseDword(value.substr(6));
    if (!number) return std::nullopt;
    parsed.type = RegistryType::kDword;
    parsed.number = *number;
    return parsed;
  }
  std::size_t prefix = 0;
  bool utf16 = false;
  if (text::StartsWithNoCase(value, u"hex:")) {
    prefix = 4;
  } else if (text::StartsWithNoCase(value, u"hex(1):")) {
    prefix = 7;
    utf16 = true;
  } else {
    return std::nullopt;
  }
  std::u16string collected(value.substr(prefix));
  while (!collected.empty() && collected.back() == u'\\') {
    collected.pop_back();
    const std::optional<std::u16string_view> next = lines.Next();
    if (!next) break;
    collected += text::TrimView(*next);
    // Data beyond the limit (three characters a byte) is refused without collecting all of it.
    if (collected.size() > RegistryTree::kMaxValueBytes * 3 + 2) return std::nullopt;
  }
  std::optional<std::vector<std::uint8_t>> bytes = ParseHex(collected);
  if (!bytes) return std::nullopt;
  if (!utf16) {
    parsed.type = RegistryType::kBinary;
    parsed.bytes = std::move(*bytes);
    return parsed;
  }
  if (bytes->size() % 2 != 0) return std::nullopt;
  for (std::size_t i = 0; i < bytes->size(); i += 2) {
    parsed.text += static_cast<char16_t>((*bytes)[i] | ((*bytes)[i + 1] << 8));
  }
  if (!parsed.text.empty() && parsed.text.back() == u'\0') parsed.text.pop_back();
  return parsed;
}

}  // namespace

std::u16string_view RegistryTree::RootName(RegistryRoot root) {
  return kRootNames[static_cast<std::size_t>(root)];
}

bool RegistryTree::ValidKeyPath(std::u16string_view subkey) {
  std::size_t depth = 0;
  return EachPart(subkey, [&](std::u16string_view part) {
    return ++depth <= kMaxKeyDepth && !part.empty() && part.size() <= kMaxKeyPart && Printable(part);
  });
}

bool RegistryTree::ValidValueName(std::u16string_view name) {
  return name.size() <= kMaxValueName && Printable(name);
}

bool RegistryTree::ValidValue(const RegistryValue& value) {
  if (!ValidValueName(value.name)) return false;
  switch (value.type) {
    case RegistryType::kString:
      return value.text.size() < kMaxValueBytes / 2;
    case RegistryType::kDword:
      return true;
    case RegistryType::kBinary:
      return value.bytes.size() <= kMaxValueBytes;
  }
  return false;
}

RegistryTree::Node* RegistryTree::Make(RegistryRoot root, std::u16string_view subkey, bool* changed) {
  if (!ValidKeyPath(subkey)) return nullptr;
  Node* node = &roots_[static_cast<std::size_t>(root)];
  EachPart(subkey, [&](std::u16string_view part) {
    std::unique_ptr<Node>& child = node->children[Fold(part)];
    if (!child) {
      child = std::make_unique<Node>();
      child->name = part;
      if (changed != nullptr) *changed = true;
    }
    node = child.get();
    return true;
  });
  return node;
}

const RegistryTree::Node* RegistryTree::Walk(RegistryRoot root, std::u16string_view subkey) const {
  const Node* node = &roots_[static_cast<std::size_t>(root)];
  const bool found = EachPart(subkey, [&](std::u16string_view part) {
    const auto child = node->children.find(Fold(part));
    if (child == node->children.end()) return false;
    node = child->second.get();
    return true;
  });
  return found ? node : nullptr;
}

bool RegistryTree::CreateKey(RegistryRoot root, std::u16string_view subkey, bool* changed) {
  return Make(root, subkey, changed) != nullptr;
}

bool RegistryTree::Set(RegistryRoot root, std::u16string_view subkey, RegistryValue value, bool* changed) {
  if (!ValidValue(value)) return false;
  Node* node = Make(root, subkey, changed);
  if (node == nullptr) return false;
  const auto [place, added] = node->index.try_emplace(Fold(value.name), node->values.size());
  if (added) {
    node->values.push_back(std::move(value));
    if (changed != nullptr) *changed = true;
    return true;
  }
  RegistryValue& old = node->values[place->second];
  if (!old.SameData(value)) {
    value.name = std::move(old.name);
    old = std::move(value);
    if (changed != nullptr) *changed = true;
  }
  return true;
}

const RegistryValue* RegistryTree::Find(RegistryRoot root, std::u16string_view subkey,
                                        std::u16string_view name) const {
  const Node* node = Walk(root, subkey);
  if (node == nullptr) return nullptr;
  const auto place = node->index.find(Fold(name));
  return place == node->index.end() ? nullptr : &node->values[place->second];
}

bool RegistryTree::HasKey(RegistryRoot root, std::u16string_view subkey) const {
  return Walk(root, subkey) != nullptr;
}

template <typename Visit>
void RegistryTree::Each(const Node& node, std::u16string& path, const Visit& visit) {
  visit(node, path);
  for (const auto& [folded, child] : node.children) {
    const std::size_t length = path.size();
    path += u'\\';
    path += child->name;
    Each(*child, path, visit);
    path.resize(length);
  }
}

std::u16string RegistryTree::Format() const {
  std::u16string out = u"REGEDIT4\r\n";
  for (std::size_t r = 0; r < roots_.size(); ++r) {
    std::u16string path(kRootNames[r]);
    Each(roots_[r], path, [&](const Node& node, const std::u16string& keyPath) {
      const bool isRoot = &node == &roots_[r];
      if (node.values.empty() && (isRoot || !node.children.empty())) return;
      out += u"\r\n[";
      out += keyPath;
      out += u"]\r\n";
      for (const RegistryValue& value : node.values) {
        const std::size_t lineStart = out.size();
        if (value.name.empty()) {
          out += u'@';
        } else {
          AppendQuoted(out, value.name);
        }
        out += u'=';
        switch (value.type) {
          case RegistryType::kString:
            if (Printable(value.text)) {
              AppendQuoted(out, value.text);
            } else {
              out += u"hex(1):";
              AppendHexBytes(out, Utf16Bytes(value.text), out.size() - lineStart);
            }
            break;
          case RegistryType::kDword: {
            char digits[12];
            std::snprintf(digits, sizeof digits, "%08x", value.number);
            out += u"dword:";
            for (const char* c = digits; *c != '\0'; ++c) out += static_cast<char16_t>(*c);
            break;
          }
          case RegistryType::kBinary:
            out += u"hex:";
            AppendHexBytes(out, value.bytes, out.size() - lineStart);
            break;
        }
        out += u"\r\n";
      }
    });
  }
  return out;
}

std::u16string RegistryTree::Listing() const {
  std::u16string out;
  for (std::size_t r = 0; r < roots_.size(); ++r) {
    std::u16string path(kRootNames[r]);
    Each(roots_[r], path, [&](const Node& node, const std::u16string& keyPath) {
      if (&node == &roots_[r] && node.values.empty()) return;
      out += keyPath;
      out += u'\n';
      for (const RegistryValue& value : node.values) {
        out += u"  ";
        out += value.name.empty() ? u"(default)" : value.name;
        out += u" = ";
        switch (value.type) {
          case RegistryType::kString:
            out += u"REG_SZ ";
            AppendQuoted(out, value.text);
            break;
          case RegistryType::kDword: {
            char digits[32];
            std::snprintf(digits, sizeof digits, "REG_DWORD %u (0x%08x)", value.number, value.number);
            for (const char* c = digits; *c != '\0'; ++c) out += static_cast<char16_t>(*c);
            break;
          }
          case RegistryType::kBinary:
            out += u"REG_BINARY";
            for (const std::uint8_t byte : value.bytes) {
              out += u' ';
              AppendHexByte(out, byte);
            }
            break;
        }
        out += u'\n';
      }
    });
  }
  return out;
}

std::optional<RegistryTree> RegistryTree::Parse(std::u16string_view text) {
  TextLines lines(text);
  const std::optional<std::u16string_view> header = lines.Next();
  if (!header || !text::EqualsNoCase(text::TrimView(*header), u"REGEDIT4")) return std::nullopt;
  RegistryTree tree;
  // The key the values go to: its root (none: nowhere) and path.
  int root = -1;
  std::u16string subkey;
  while (const std::optional<std::u16string_view> next = lines.Next()) {
    const std::u16string_view line = text::TrimView(*next);
    if (line.empty() || line.front() == u';') continue;
    if (line.front() == u'[') {
      // [HKEY_LOCAL_MACHINE\Software\Vexa]; a key that cannot be made takes the values after it.
      root = -1;
      if (line.back() != u']') continue;
      const std::u16string_view name = line.substr(1, line.size() - 2);
      const std::size_t slash = name.find(u'\\');
      const std::u16string_view rootName = name.substr(0, slash);
      for (std::size_t r = 0; r < kRootNames.size(); ++r) {
        if (!text::EqualsNoCase(rootName, kRootNames[r])) continue;
        subkey = slash == std::u16string_view::npos ? std::u16string_view() : name.substr(slash + 1);
        if (tree.CreateKey(static_cast<RegistryRoot>(r), subkey)) root = static_cast<int>(r);
      }
      continue;
    }
    // "Name"=... or @=...
    std::u16string_view rest = line;
    std::u16string name;
    if (rest.front() == u'@') {
      rest.remove_prefix(1);
    } else {
      std::optional<std::u16string> quoted = TakeQuoted(rest);
      if (!quoted) continue;
      name = std::move(*quoted);
    }
    rest = TrimLeftView(rest);
    if (rest.empty() || rest.front() != u'=') continue;
    std::optional<RegistryValue> value = ParseValue(rest.substr(1), lines);
    if (!value || root < 0) continue;
    value->name = std::move(name);
    tree.Set(static_cast<RegistryRoot>(root), subkey, std::move(*value));
  }
  return tree;
}

}  // namespace vexa::platform
