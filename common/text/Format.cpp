#include "common/text/Format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

// Format() works like the device's wide printf, but every pattern is safe, because patterns come from
// skin files users write, e.g.
//   Latitude="%3d:%02d:%02d.%02d"
//
// Conversions. A conversion is '%', then flags, width, precision, length modifiers and one conversion
// character:
//   flags      '-' (left-justify), '+' (sign always), ' ' (blank for a plus sign), '0' (pad with zeros),
//              '#' (alternate form: "0x" for %x, a leading 0 for %o, a decimal point always for floats);
//   width      digits or '*' (taken from the next argument);
//   precision  '.' then digits or '*'; '.' alone is precision 0;
//   length     h, hh, l, ll, L, I, I32, I64, w, z, j, t, in any number: accepted and ignored, since every
//              argument carries its own type;
//   character  d i u o x X c s S f F e E g G a A, or '%' for a percent sign.
// Results follow C: precision on an integer is its minimum number of digits ("%.2d" of 5 is "05") and a
// precision of 0 writes nothing for the value 0; '0' is ignored when '-' or an integer precision is
// given; '+' and ' ' only affect d, i and floats. %u, %x and %o of a negative value from -2^31 to -1
// write its two's complement as a 32-bit number (as the device does for an int: "%x" of -1 is
// "ffffffff"); a more negative value writes its 64-bit two's complement. Floats are written exactly as C
// writes them in the "C" locale (a '.' decimal point), whatever the process locale is. %c of an integer
// writes that UTF-16 unit (only the low 16 bits count; unit 0 writes nothing). Precision on %s and %S
// keeps that many UTF-16 units of the text, one fewer if the cut would split a surrogate pair. %S is
// the same as %s, since all our text is UTF-16.
//
// Arguments of another kind than the conversion expects are converted, never reinterpreted:
//   integer conversion (d i u o x X c) given a text: the text read as a decimal integer (leading white
//     space, an optional sign, digits up to the first non-digit); no digits give 0, a value beyond the
//     64-bit range saturates. "%d" of "  -12ab" is "-12". %c given a text writes its first character
//     (both units of a surrogate pair), nothing for an empty text;
//   integer conversion given a double: the value truncated toward zero, saturating at the 64-bit range;
//     NaN gives 0;
//   text conversion (s S) given a number: the number written in decimal (an integer as "%d", a double
//     as "%g"), then handled as that text, so precision cuts it like any text;
//   floating conversion (f F e E g G a A) given an integer: its value; given a text: the text read as a
//     decimal number (leading white space, sign, digits, a fraction and an exponent); no digits give 0,
//     a value too large gives infinity;
//   '*' given a double or a text: 0. A negative '*' width means left-justify, as in C; a negative '*'
//     precision means no precision, as in C.
//
// Bad patterns never fail:
//   %n writes nothing, produces nothing and takes no argument, not even for a '*' in it;
//   a conversion with no argument left produces nothing and the rest of the pattern is still formatted
//     (a '*' with no argument left counts as 0);
//   an unknown conversion character ("%y", "%-5k") is copied as written and takes no argument; so is an
//     unfinished conversion at the end of the pattern ("%" gives "%", "%5" gives "%5");
//   "%%" gives '%'; with flags or width in between ("%5%") it still gives a single '%' and takes no
//     argument;
//   arguments left over are ignored;
//   width and precision are clamped to 1024 each ("%100000d" of 5 is 1023 blanks then "5"), and the
//     whole result stops growing at kMaxUnits (4096) UTF-16 units, without splitting a surrogate pair,
//     so no pattern can make a huge allocation.
// Text outside conversions, non-ASCII included ("%d˚/360˚"), is copied unchanged.
namespace vexa::text {
namespace {

constexpr int kMaxField = 1024;
constexpr std::size_t kMaxUnits = 4096;

bool IsHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

bool IsBlank(char16_t c) {
  return c == u' ' || (c >= u'\t' && c <= u'\r') || c == 0x00A0 || c == 0x1680 ||
         (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
         c == 0x3000;
}

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

// The result, which stops growing at kMaxUnits units.
class Output {
 public:
  bool Full() const { return text_.size() >= kMaxUnits; }

  void Append(std::u16string_view s) {
    std::size_t room = kMaxUnits - std::min(kMaxUnits, text_.size());
    if (s.size() > room) {
      s = s.substr(0, room);
      // Never end on half a surrogate pair.
      if (!s.empty() && IsHighSurrogate(s.back())) s.remove_suffix(1);
      full_ = true;
    }
    text_.append(s);
  }
  void AppendAscii(std::string_view s) {
    std::u16string wide(s.begin(), s.end());
    Append(wide);
  }
  void Pad(int count, char16_t c) {
    if (count > 0) Append(std::u16string(static_cast<std::size_t>(count), c));
  }
  bool Stopped() const { return full_ || Full(); }
  std::u16string Take() { return std::move(text_); }

 private:
  std::u16string text_;
  bool full_ = false;
};

struct Conversion {
  bool left = false;
  bool plus = false;
  bool blank = false;
  bool zero = false;
  bool alt = false;
  int width = 0;  // Clamped to kMaxField, as is precision.
  bool width_star = false;
  bool has_precision = false;
  int precision = 0;
  bool precision_star = false;
  char16_t conversion = 0;
};

int ClampField(std::int64_t v) {
  return static_cast<int>(std::clamp<std::int64_t>(v, 0, kMaxField));
}

// Reads digits at `pos` of a pattern such as "%02d", saturating past the clamp.
int ReadCount(std::u16string_view p, std::size_t& pos) {
  std::int64_t n = 0;
  while (pos < p.size() && IsDigit(p[pos])) {
    n = std::min<std::int64_t>(n * 10 + (p[pos] - u'0'), kMaxField + 1);
    ++pos;
  }
  return ClampField(n);
}

// Reads the text as a decimal integer: "  -12ab" is -12.
std::int64_t ParseInteger(std::u16string_view s) {
  std::size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';
  // Accumulate as a negative number so INT64_MIN fits.
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  std::int64_t v = 0;
  bool overflow = false;
  for (; i < s.size() && IsDigit(s[i]); ++i) {
    int d = s[i] - u'0';
    if (v < (kMin + d) / 10) overflow = true;
    if (!overflow) v = v * 10 - d;
  }
  if (overflow) return negative ? kMin : std::numeric_limits<std::int64_t>::max();
  if (negative) return v;
  return v == kMin ? std::numeric_limits<std::int64_t>::max() : -v;
}

// Reads the text as a decimal number: " -1.5e3 km" is -1500.
double ParseDouble(std::u16string_view s) {
  std::size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';
  std::string digits;
  bool any_digit = false;
  int lead_int_digits = 0;  // Integer digits after leading zeros.
  int lead_frac_zeros = 0;  // Zeros after the point before the first nonzero digit.
  bool nonzero_seen = false;
  for (; i < s.size() && IsDigit(s[i]); ++i) {
    any_digit = true;
    if (s[i] != u'0') nonzero_seen = true;
    if (nonzero_seen) ++lead_int_digits;
    digits.push_back(static_cast<char>(s[i]));
  }
  if (i < s.size() && s[i] == u'.') {
    digits.push_back('.');
    for (++i; i < s.size() && IsDigit(s[i]); ++i) {
      any_digit = true;
      if (s[i] != u'0') nonzero_seen = true;
      if (!nonzero_seen) ++lead_frac_zeros;
      digits.push_back(static_cast<char>(s[i]));
    }
  }
  if (!any_digit || !nonzero_seen) return negative ? -0.0 : 0.0;
  std::int64_t exponent = 0;
  if (i < s.size() && (s[i] == u'e' || s[i] == u'E')) {
    std::size_t j = i + 1;
    bool exp_negative = false;
    if (j < s.size() && (s[j] == u'+' || s[j] == u'-')) exp_negative = s[j++] == u'-';
    if (j < s.size() && IsDigit(s[j])) {
      for (; j < s.size() && IsDigit(s[j]); ++j)
        exponent = std::min<std::int64_t>(exponent * 10 + (s[j] - u'0'), 1000000);
      if (exp_negative) exponent = -exponent;
      digits += 'e';
      digits += std::to_string(exponent);
    }
  }
  double value = 0;
  auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec == std::errc::result_out_of_range) {
    // Out of range either way: decide by the decimal magnitude of the first nonzero digit.
    std::int64_t magnitude = (lead_int_digits > 0 ? lead_int_digits - 1 : -lead_frac_zeros - 1) + exponent;
    value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (ec != std::errc()) {
    value = 0;
  }
  return negative ? -value : value;
}

std::int64_t ToInteger(const FormatArg& arg) {
  if (const auto* i = std::get_if<std::int64_t>(&arg)) return *i;
  if (const auto* d = std::get_if<double>(&arg)) {
    if (std::isnan(*d)) return 0;
    // 2^63 is exactly representable; anything at or beyond it saturates.
    constexpr double kLimit = 9223372036854775808.0;
    if (*d >= kLimit) return std::numeric_limits<std::int64_t>::max();
    if (*d < -kLimit) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(*d);
  }
  return ParseInteger(std::get<std::u16string>(arg));
}

double ToDouble(const FormatArg& arg) {
  if (const auto* i = std::get_if<std::int64_t>(&arg)) return static_cast<double>(*i);
  if (const auto* d = std::get_if<double>(&arg)) return *d;
  return ParseDouble(std::get<std::u16string>(arg));
}

// Writes `body` into its field: sign and prefix first, then zeros (when zero-padded) or blanks.
void WriteField(Output& out, const Conversion& conv, std::string_view sign_prefix, std::string_view body,
                bool zero_pad) {
  int length = static_cast<int>(sign_prefix.size() + body.size());
  int fill = std::max(0, conv.width - length);
  if (conv.left) {
    out.AppendAscii(sign_prefix);
    out.AppendAscii(body);
    out.Pad(fill, u' ');
  } else if (zero_pad) {
    out.AppendAscii(sign_prefix);
    out.Pad(fill, u'0');
    out.AppendAscii(body);
  } else {
    out.Pad(fill, u' ');
    out.AppendAscii(sign_prefix);
    out.AppendAscii(body);
  }
}

void WriteText(Output& out, const Conversion& conv, std::u16string_view text) {
  if (conv.has_precision && text.size() > static_cast<std::size_t>(conv.precision)) {
    std::size_t keep = static_cast<std::size_t>(conv.precision);
    if (keep > 0 && IsHighSurrogate(text[keep - 1]) && IsLowSurrogate(text[keep])) --keep;
    text = text.substr(0, keep);
  }
  int fill = std::max(0, conv.width - static_cast<int>(std::min<std::size_t>(text.size(), kMaxUnits)));
  if (!conv.left) out.Pad(fill, u' ');
  out.Append(text);
  if (conv.left) out.Pad(fill, u' ');
}

void WriteInteger(Output& out, const Conversion& conv, std::int64_t value) {
  char c = static_cast<char>(conv.conversion);
  bool is_signed = c == 'd' || c == 'i';
  std::string sign_prefix;
  std::uint64_t magnitude;
  if (is_signed) {
    magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    if (value < 0) {
      sign_prefix = "-";
    } else if (conv.plus) {
      sign_prefix = "+";
    } else if (conv.blank) {
      sign_prefix = " ";
    }
  } else if (value < 0 && value >= std::numeric_limits<std::int32_t>::min()) {
    magnitude = static_cast<std::uint32_t>(static_cast<std::int32_t>(value));
  } else {
    magnitude = static_cast<std::uint64_t>(value);
  }

  int base = (c == 'o') ? 8 : (c == 'x' || c == 'X') ? 16 : 10;
  std::array<char, 32> buffer{};
  std::string digits;
  if (!(magnitude == 0 && conv.has_precision && conv.precision == 0)) {
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude, base);
    digits.assign(buffer.data(), end);
    if (c == 'X')
      std::transform(digits.begin(), digits.end(), digits.begin(),
                     [](char d) { return (d >= 'a' && d <= 'f') ? static_cast<char>(d - 'a' + 'A') : d; });
  }
  if (conv.has_precision && digits.size() < static_cast<std::size_t>(conv.precision)) {
    digits.insert(0, static_cast<std::size_t>(conv.precision) - digits.size(), '0');
  }
  if (conv.alt) {
    if (c == 'o' && (digits.empty() || digits[0] != '0')) digits.insert(0, "0");
    if ((c == 'x' || c == 'X') && magnitude != 0) sign_prefix = c == 'x' ? "0x" : "0X";
  }
  WriteField(out, conv, sign_prefix, digits, conv.zero && !conv.left && !conv.has_precision);
}

// Longest result: a fixed-point double of 309 digits with 1024 decimals, or an exponent form.
constexpr std::size_t kFloatBuffer = 1500;

std::string ToChars(double v, std::chars_format format, int precision) {
  std::string buffer(kFloatBuffer, '\0');
  auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v, format, precision);
  if (ec != std::errc()) return {};
  buffer.resize(static_cast<std::size_t>(end - buffer.data()));
  return buffer;
}

// "%g": exponent form when the exponent is below -4 or not below the precision, else fixed; trailing
// zeros dropped unless '#'.
std::string FormatGeneral(double v, int precision, bool alt) {
  int p = precision == 0 ? 1 : precision;
  std::string scientific = ToChars(v, std::chars_format::scientific, p - 1);
  std::size_t e = scientific.find('e');
  int exponent = 0;
  if (e != std::string::npos) {
    // "1.5e+06": from_chars takes a '-' but not a '+'.
    std::size_t digits = e + 1 + (scientific[e + 1] == '+' ? 1 : 0);
    std::from_chars(scientific.data() + digits, scientific.data() + scientific.size(), exponent);
  }
  std::string mantissa;
  std::string suffix;
  if (exponent < -4 || exponent >= p) {
    mantissa = scientific.substr(0, e);
    suffix = scientific.substr(e);
  } else {
    mantissa = ToChars(v, std::chars_format::fixed, p - 1 - exponent);
  }
  if (alt) {
    if (mantissa.find('.') == std::string::npos) mantissa += '.';
  } else if (mantissa.find('.') != std::string::npos) {
    while (mantissa.back() == '0') mantissa.pop_back();
    if (mantissa.back() == '.') mantissa.pop_back();
  }
  return mantissa + suffix;
}

void WriteFloat(Output& out, const Conversion& conv, double value) {
  char c = static_cast<char>(conv.conversion);
  char lower = static_cast<char>(c | 0x20);
  bool upper = c != lower;
  std::string sign_prefix;
  if (std::signbit(value)) {
    sign_prefix = "-";
  } else if (conv.plus) {
    sign_prefix = "+";
  } else if (conv.blank) {
    sign_prefix = " ";
  }
  double magnitude = std::fabs(value);
  std::string body;
  bool finite = std::isfinite(magnitude);
  if (!finite) {
    body = std::isnan(magnitude) ? "nan" : "inf";
  } else {
    int precision = conv.has_precision ? conv.precision : 6;
    switch (lower) {
      case 'f':
        body = ToChars(magnitude, std::chars_format::fixed, precision);
        if (conv.alt && precision == 0) body += '.';
        break;
      case 'e':
        body = ToChars(magnitude, std::chars_format::scientific, precision);
        if (conv.alt && precision == 0) body.insert(body.find('e'), ".");
        break;
      case 'g':
        body = FormatGeneral(magnitude, precision, conv.alt);
        break;
      default:  // 'a'
        if (conv.has_precision) {
          body = ToChars(magnitude, std::chars_format::hex, conv.precision);
        } else {
          std::string buffer(64, '\0');
          auto [end, ec] =
              std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude, std::chars_format::hex);
          buffer.resize(ec == std::errc() ? static_cast<std::size_t>(end - buffer.data()) : 0);
          body = buffer;
        }
        if (conv.alt && body.find('.') == std::string::npos) body.insert(body.find('p'), ".");
        sign_prefix += "0x";
        break;
    }
  }
  if (upper) {
    std::transform(body.begin(), body.end(), body.begin(),
                   [](char d) { return (d >= 'a' && d <= 'z') ? static_cast<char>(d - 'a' + 'A') : d; });
    std::transform(sign_prefix.begin(), sign_prefix.end(), sign_prefix.begin(),
                   [](char d) { return d == 'x' ? 'X' : d; });
  }
  WriteField(out, conv, sign_prefix, body, conv.zero && !conv.left && finite);
}

std::u16string NumberAsText(const FormatArg& arg) {
  Conversion conv;
  Output out;
  if (const auto* i = std::get_if<std::int64_t>(&arg)) {
    conv.conversion = u'd';
    WriteInteger(out, conv, *i);
  } else {
    conv.conversion = u'g';
    WriteFloat(out, conv, std::get<double>(arg));
  }
  return out.Take();
}

void WriteChar(Output& out, const Conversion& conv, const FormatArg& arg) {
  std::u16string unit;
  if (const auto* s = std::get_if<std::u16string>(&arg)) {
    std::size_t n = std::min<std::size_t>(s->size(), 1);
    if (n == 1 && s->size() >= 2 && IsHighSurrogate((*s)[0]) && IsLowSurrogate((*s)[1])) n = 2;
    unit = s->substr(0, n);
  } else {
    auto c = static_cast<char16_t>(static_cast<std::uint64_t>(ToInteger(arg)) & 0xFFFF);
    if (c != 0) unit.push_back(c);
  }
  Conversion text_spec = conv;
  text_spec.has_precision = false;
  WriteText(out, text_spec, unit);
}

bool IsConversion(char16_t c) {
  return std::u16string_view(u"diuoxXcsSfFeEgGaA").find(c) != std::u16string_view::npos;
}

// Reads the length modifiers at `pos` ("l" of "%ld", "I64" of "%I64d"); they change nothing.
void SkipLength(std::u16string_view p, std::size_t& pos) {
  while (pos < p.size()) {
    char16_t c = p[pos];
    if (c == u'h' || c == u'l' || c == u'L' || c == u'w' || c == u'z' || c == u'j' || c == u't') {
      ++pos;
    } else if (c == u'I') {
      ++pos;
      std::u16string_view rest = p.substr(pos);
      if (rest.starts_with(u"64") || rest.starts_with(u"32")) pos += 2;
    } else {
      break;
    }
  }
}

}  // namespace

namespace {

std::u16string FormatNoting(std::u16string_view pattern, std::span<const FormatArg> args,
                            std::vector<FormatNote>* notes) {
  Output out;
  auto note = [&](FormatNote::Kind kind, std::size_t at, std::size_t end) {
    if (notes != nullptr) notes->push_back({kind, at, std::u16string(pattern.substr(at, end - at))});
  };
  std::size_t next_arg = 0;
  auto take = [&]() -> const FormatArg* { return next_arg < args.size() ? &args[next_arg++] : nullptr; };

  std::size_t pos = 0;
  while (pos < pattern.size() && !out.Stopped()) {
    std::size_t percent = pattern.find(u'%', pos);
    if (percent == std::u16string_view::npos) {
      out.Append(pattern.substr(pos));
      break;
    }
    out.Append(pattern.substr(pos, percent - pos));

    // Read the whole conversion before taking any argument, so that "%*n" or "%*y" take none.
    Conversion conv;
    std::size_t i = percent + 1;
    for (; i < pattern.size(); ++i) {
      char16_t c = pattern[i];
      if (c == u'-')
        conv.left = true;
      else if (c == u'+')
        conv.plus = true;
      else if (c == u' ')
        conv.blank = true;
      else if (c == u'0')
        conv.zero = true;
      else if (c == u'#')
        conv.alt = true;
      else
        break;
    }
    if (i < pattern.size() && pattern[i] == u'*') {
      conv.width_star = true;
      ++i;
    } else {
      conv.width = ReadCount(pattern, i);
    }
    if (i < pattern.size() && pattern[i] == u'.') {
      conv.has_precision = true;
      ++i;
      if (i < pattern.size() && pattern[i] == u'*') {
        conv.precision_star = true;
        ++i;
      } else {
        conv.precision = ReadCount(pattern, i);
      }
    }
    SkipLength(pattern, i);

    if (i >= pattern.size()) {
      // Unfinished conversion at the end: copied as written.
      note(FormatNote::Kind::kUnfinished, percent, pattern.size());
      out.Append(pattern.substr(percent));
      break;
    }
    char16_t conversion = pattern[i];
    pos = i + 1;
    if (conversion == u'%') {
      out.Append(u"%");
      continue;
    }
    if (conversion == u'n') {
      note(FormatNote::Kind::kIgnored, percent, pos);
      continue;
    }
    if (!IsConversion(conversion)) {
      note(FormatNote::Kind::kUnknown, percent, pos);
      out.Append(pattern.substr(percent, pos - percent));
      continue;
    }
    conv.conversion = conversion;

    if (conv.width_star) {
      const FormatArg* a = take();
      const auto* w = a ? std::get_if<std::int64_t>(a) : nullptr;
      std::int64_t width = w ? *w : 0;
      if (width < 0) {
        conv.left = true;
        width = width == std::numeric_limits<std::int64_t>::min() ? kMaxField : -width;
      }
      conv.width = ClampField(width);
    }
    if (conv.precision_star) {
      const FormatArg* a = take();
      const auto* p = a ? std::get_if<std::int64_t>(a) : nullptr;
      std::int64_t precision = p ? *p : 0;
      if (precision < 0) {
        conv.has_precision = false;
      } else {
        conv.precision = ClampField(precision);
      }
    }
    const FormatArg* arg = take();
    if (arg == nullptr) {
      note(FormatNote::Kind::kNoValue, percent, pos);
      continue;
    }
    if (notes != nullptr) {
      const bool integer = std::u16string_view(u"diuoxXc").find(conversion) != std::u16string_view::npos;
      const bool textual = conversion == u's' || conversion == u'S';
      const bool fits = textual ? std::holds_alternative<std::u16string>(*arg)
                        : integer ? std::holds_alternative<std::int64_t>(*arg)
                                  : std::holds_alternative<double>(*arg);
      if (!fits) note(FormatNote::Kind::kOtherType, percent, pos);
    }

    switch (conversion) {
      case u'c':
        WriteChar(out, conv, *arg);
        break;
      case u's':
      case u'S':
        if (const auto* s = std::get_if<std::u16string>(arg)) {
          WriteText(out, conv, *s);
        } else {
          WriteText(out, conv, NumberAsText(*arg));
        }
        break;
      case u'd':
      case u'i':
      case u'u':
      case u'o':
      case u'x':
      case u'X':
        WriteInteger(out, conv, ToInteger(*arg));
        break;
      default:
        WriteFloat(out, conv, ToDouble(*arg));
        break;
    }
  }
  return out.Take();
}

}  // namespace

std::u16string Format(std::u16string_view pattern, std::span<const FormatArg> args) {
  return FormatNoting(pattern, args, nullptr);
}

std::vector<FormatNote> CheckFormat(std::u16string_view pattern, std::span<const FormatArg> args) {
  std::vector<FormatNote> notes;
  FormatNoting(pattern, args, &notes);
  return notes;
}

}  // namespace vexa::text
