#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The text files of the device (settings, skins, the clock file, shortcuts) are byte text in its ANSI
// code page. A text the code page cannot hold, such as Korean folder names on a Western device, is
// written as UTF-8 instead, opened by the UTF-8 byte-order mark; every reader takes a file opened by
// the mark as UTF-8, on any device.
namespace vexa::text {

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The text of a device file's bytes: UTF-8 after a leading byte-order mark, else the code page.
std::u16string DecodeDeviceText(std::string_view bytes, std::uint16_t codePage);

// Appends the text of whole lines of a device file (`bytes`, its byte-order mark already taken off) to
// `out`: UTF-8 when the file began with the mark, else the code page. Lines decode alike one piece at a
// time or all at once: a CR LF never lies inside a character of either code page or of UTF-8.
void AppendDeviceText(std::string_view bytes, bool utf8, std::uint16_t codePage, std::u16string& out);

// The bytes of a device file holding `text`: the code page (combining marks composed first, as the
// device's converter does) when it holds every character, so such files stay exactly as they always
// were; else the byte-order mark and the text in UTF-8, so nothing is lost.
std::string EncodeDeviceText(std::u16string_view text, std::uint16_t codePage);

}  // namespace vexa::text
