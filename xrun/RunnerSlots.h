#pragma once

#include <string>
#include <string_view>

// The runner's six settings live in its own program file: seven UTF-16LE strings, each a 16-bit
// character count followed by its characters, in id order. String 1 is the anchor; strings 2 to 7 are
// the slots, each its marker, a payload of blanks and the marker again:
//
//   "$RESOURCE$Does not delete the Tag at next six items.$RESOURCE$"
//   "$REGISTRY1$" + 278 blanks + "$REGISTRY1$"      (ids 2 to 4: Reg 1 to Reg 3)
//   "$EXECUTE1$" + 280 blanks + "$EXECUTE1$"        (ids 5 to 7: Run 1 to Run 3)
//
// A slot's text is written over the start of its payload (SlotWriter.h), so the file holds it after
// the program is linked; the configuration copy of the runner patches the runner's file that way.
namespace vexa::xrun {

enum SlotId : int {
  kAnchorString = 1,
  kReg1 = 2,
  kReg2 = 3,
  kReg3 = 4,
  kRun1 = 5,
  kRun2 = 6,
  kRun3 = 7,
};
inline constexpr int kFirstSlot = kReg1;
inline constexpr int kLastSlot = kRun3;

inline constexpr std::size_t kAnchorLength = 62;
inline constexpr std::size_t kSlotLength = 300;

// What a slot holds.
struct SlotText {
  std::u16string text;
  bool found = false;  // false when the string lacks its marker (or the id is no slot's)
};

// The marker of a slot (ids 2 to 7), "$REGISTRY1$" or "$EXECUTE3$"; empty for other ids. Made at
// run time, so the program file holds a slot's marker only in that slot.
std::u16string SlotMarker(int id);

// The anchor's opening tag "$RESOURCE$", made at run time for the same reason.
std::u16string AnchorTag();

// String `id` (1 to 7) of the running program's own table, as the program file holds it now; empty
// for other ids.
std::u16string OwnString(int id);

// The slot text in a slot string: what lies between the first marker and the next one, without its
// trailing white space. A string without the marker gives empty text, not found.
SlotText SlotTextOf(int id, std::u16string_view string);

// The slot reader: slot `id` of the running program.
SlotText ReadSlot(int id);

}  // namespace vexa::xrun
