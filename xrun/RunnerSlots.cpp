#include "xrun/RunnerSlots.h"

#include <array>
#include <cstddef>

#include "common/text/Text.h"

namespace vexa::xrun {

namespace {

constexpr std::size_t kStrings = 7;
constexpr std::size_t kTableUnits = kStrings + kAnchorLength + 6 * kSlotLength;

struct StringTable {
  char16_t units[kTableUnits];
};

// The table as the linker lays it into the program file. Evaluated by the compiler only, so none of
// its texts exists anywhere else in the file.
consteval StringTable BuildTable() {
  StringTable table{};
  std::size_t at = 0;
  const auto put = [&](std::u16string_view text) {
    for (const char16_t c : text) table.units[at++] = c;
  };
  const std::u16string_view anchor = u"$RESOURCE$Does not delete the Tag at next six items.$RESOURCE$";
  table.units[at++] = static_cast<char16_t>(anchor.size());
  put(anchor);
  for (const std::u16string_view marker :
       {u"$REGISTRY1$", u"$REGISTRY2$", u"$REGISTRY3$", u"$EXECUTE1$", u"$EXECUTE2$", u"$EXECUTE3$"}) {
    table.units[at++] = static_cast<char16_t>(kSlotLength);
    put(marker);
    for (std::size_t i = 0; i < kSlotLength - 2 * marker.size(); ++i) table.units[at++] = u' ';
    put(marker);
  }
  return table;
}

static_assert(BuildTable().units[0] == kAnchorLength);

// Volatile: every read goes to the bytes the loader mapped from the program file, which may have been
// patched after linking; the compiler may not answer a read from the text it built.
const volatile StringTable kOwnStrings = BuildTable();

}  // namespace

std::u16string SlotMarker(int id) {
  if (id < kReg1 || id > kRun3) return {};
  std::u16string marker(1, u'$');
  if (id <= kReg3) {
    marker += u"REGISTRY";
    marker += static_cast<char16_t>(u'1' + (id - kReg1));
  } else {
    marker += u"EXECUTE";
    marker += static_cast<char16_t>(u'1' + (id - kRun1));
  }
  marker += u'$';
  return marker;
}

std::u16string AnchorTag() {
  std::u16string tag(1, u'$');
  tag += u"RESOURCE";
  tag += u'$';
  return tag;
}

std::u16string OwnString(int id) {
  if (id < 1 || id > static_cast<int>(kStrings)) return {};
  std::size_t at = 0;
  for (int i = 1; i < id; ++i) at += 1 + kOwnStrings.units[at];
  // A count patched beyond the table reads as far as the table goes.
  if (at >= kTableUnits) return {};
  std::size_t count = kOwnStrings.units[at++];
  if (count > kTableUnits - at) count = kTableUnits - at;
  std::u16string text(count, u' ');
  for (std::size_t i = 0; i < count; ++i) text[i] = kOwnStrings.units[at + i];
  return text;
}

SlotText SlotTextOf(int id, std::u16string_view string) {
  const std::u16string marker = SlotMarker(id);
  if (marker.empty()) return {};
  const auto first = string.find(marker);
  if (first == std::u16string_view::npos) return {};
  std::u16string_view rest = string.substr(first + marker.size());
  const auto closing = rest.find(marker);
  // A payload of no characters at all holds no text (the marker that closes it is not the text).
  if (closing != std::u16string_view::npos) rest = rest.substr(0, closing);
  return {text::TrimRight(rest), true};
}

SlotText ReadSlot(int id) {
  return SlotTextOf(id, OwnString(id));
}

}  // namespace vexa::xrun
