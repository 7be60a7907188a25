#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Platform.h"

// Changing the runner's settings: its slots are rewritten in the byte image of its program file,
// which is then saved whole. The image may be any file; nothing in it is trusted.
namespace vexa::xrun {

enum class SlotWriteResult {
  kWritten,
  kNoAnchor,  // the image is 30 bytes or shorter, or holds no "$RESOURCE$"
  kNoStart,   // no marker of the slot after the anchor
  kNoEnd,     // no second marker of the slot
  kNoSpace,   // the text does not leave one blank of the payload
};

// The message of a failure, as the runner shows it.
std::u16string_view SlotWriteText(SlotWriteResult result);

// Writes `text` (unchanged, not trimmed) into slot `id` (2 to 7) of the image. The image is scanned
// byte by byte, without alignment: first for the anchor tag, then for the slot's marker after it
// (the payload starts behind it), then for the marker again up to the end of the image, the last one
// found closing the payload. The payload becomes blanks with the text over its start; the text must
// be shorter than the payload. On failure the image is left as it was.
SlotWriteResult PatchSlot(std::string& image, int id, std::u16string_view text);

// PatchSlot, showing a failure in a message box owned by `owner`; true when written.
bool WriteSlot(platform::Platform& platform, platform::WindowHandle owner, std::string& image, int id,
               std::u16string_view text);

// The whole file at `path`, or nullopt after showing "[folder] 파일을 열수 없습니다.".
std::optional<std::string> LoadTarget(platform::Platform& platform, platform::WindowHandle owner,
                                      std::u16string_view path);

// Replaces the file at `path` by the image: written beside it and renamed over it, keeping its
// permissions, so the old program stays whole and runnable until the new one is complete. False after
// showing "[folder] 파일을 생성할수 없습니다.".
bool SaveTarget(platform::Platform& platform, platform::WindowHandle owner, std::u16string_view path,
                std::string_view image);

// Shows an error of the runner: caption "에러", the stop icon.
void ShowRunnerError(platform::Platform& platform, platform::WindowHandle owner, std::u16string text);

}  // namespace vexa::xrun
