#include "deck/clock/TimePicture.h"

#include <cstdint>

#include "common/text/Format.h"

namespace vexa::deck {

namespace {

bool IsTokenLetter(char16_t c) {
  switch (c) {
    case u'd': case u'M': case u'y': case u'q': case u'w': case u'g':
    case u'h': case u'H': case u'm': case u's': case u't': case u'T':
      return true;
    default:
      return false;
  }
}

std::u16string Number(std::u16string_view pattern, int value) {
  return text::Format(pattern, {std::int64_t{value}});
}

// "%d", "%2d" with the two-digit flag, "%02d" for two letters, "???" beyond.
std::u16string Numeric(int count, bool twoDigits, int value) {
  if (count == 1) return Number(twoDigits ? u"%2d" : u"%d", value);
  if (count == 2) return Number(u"%02d", value);
  return u"???";
}

// The device counts days from Monday = 1 to Sunday = 7; the clock from Sunday = 0.
int DeviceDay(int dayOfWeek) { return dayOfWeek == 0 ? 7 : dayOfWeek; }

}  // namespace

void TimePicture::Emit(std::u16string& out, char16_t letter, int count, bool twoDigits,
                       const platform::DateTime& time) {
  switch (letter) {
    case u'd':
      if (count <= 2) {
        out += Numeric(count, twoDigits, time.day);
      } else if (count <= 4) {
        if (names_ != nullptr) out += names_->DayName(DeviceDay(time.dayOfWeek), count == 3);
      } else {
        out += u"???";
      }
      break;
    case u'M':
      if (count <= 2) {
        out += Numeric(count, twoDigits, time.month);
      } else if (count <= 4) {
        if (names_ != nullptr) out += names_->MonthName(time.month, count == 3);
      } else {
        out += u"???";
      }
      break;
    case u'y':
      if (count == 1) {
        out += Number(u"%d", time.year);
      } else if (count == 2) {
        out += Number(u"%02d", time.year % 100);
      } else if (count == 4) {
        out += Number(u"%04d", time.year);
      } else {
        out += u"???";
      }
      break;
    case u'q':
      out += count == 1 ? Number(u"%d", (time.month - 1) / 3 + 1) : std::u16string(u"???");
      break;
    case u'h':
      out += Numeric(count, twoDigits, time.hour > 12 ? time.hour - 12 : time.hour);
      break;
    case u'H':
      out += Numeric(count, twoDigits, time.hour);
      break;
    case u'm':
      out += Numeric(count, twoDigits, time.minute);
      break;
    case u's':
      out += Numeric(count, twoDigits, time.second);
      break;
    case u't':
      if (count == 2) {
        if (names_ != nullptr) out += names_->DayHalf(time.hour >= 12);
      } else if (count > 2) {
        out += u"???";
      }
      break;
    case u'T':
      if (count == 2) {
        out += time.hour < 12 ? u"AM" : u"PM";
      } else if (count > 2) {
        out += u"???";
      }
      break;
    case u'w':
      out += u"???";
      break;
    default:  // g: nothing
      break;
  }
}

std::u16string TimePicture::Format(std::u16string_view pattern, const platform::DateTime& time) {
  std::u16string out;
  // Literal text waits here until the next field is emitted. The buffer keeps any length: a long
  // literal run is the skin author's text and shown whole.
  std::u16string literal;
  char16_t pending = 0;  // the letter of the field being counted, 0 for none
  char16_t previous = 0;
  int count = 0;
  bool twoDigits = false;
  bool quoted = false;
  for (const char16_t c : pattern) {
    if (pending != 0 && c != previous) {
      out += literal;
      literal.clear();
      Emit(out, pending, count, twoDigits, time);
      pending = 0;
      count = 0;
      twoDigits = false;
    }
    previous = c;
    if (quoted) {
      if (c == u'\'') {
        quoted = false;
        out += literal;
        literal.clear();
      } else {
        literal += c;
      }
      continue;
    }
    if (c == u'\'') {
      quoted = true;
    } else if (c == u'2') {
      twoDigits = true;
    } else if (IsTokenLetter(c)) {
      // A field ends at the first other character, so a run counts one letter only.
      pending = c;
      ++count;
    } else {
      literal += c;
    }
  }
  out += literal;
  if (pending != 0) Emit(out, pending, count, twoDigits, time);
  return out;
}

}  // namespace vexa::deck
