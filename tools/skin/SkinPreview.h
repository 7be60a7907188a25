#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// Previews of a skin at several screen sizes, each drawn by the launcher itself run headless on a
// small device tree of its own, and one contact sheet of them all.
namespace vexa::skintool {

struct ScreenSize {
  int width = 0;
  int height = 0;
  bool operator==(const ScreenSize&) const = default;
  auto operator<=>(const ScreenSize&) const = default;
};

// The common car screens previewed when no sizes are asked for.
std::vector<ScreenSize> CommonScreens();
// "320x240,480x272": nothing when any part is not WxH with sides from 16 to 8192.
std::optional<std::vector<ScreenSize>> ParseSizes(std::string_view list);
// The skin's own sizes, from its file names "skinWxH.ini".
std::vector<ScreenSize> OwnSizes(const std::filesystem::path& skinFolder);

// The skin file a size without a file of its own is scaled from: the one nearest in aspect, the
// larger of two equally near.
std::optional<ScreenSize> ScaleSource(const std::vector<ScreenSize>& own, ScreenSize screen);

struct PreviewOptions {
  std::filesystem::path deckProgram;  // the built VexaDeck
  std::filesystem::path out;
  std::vector<ScreenSize> sizes;      // besides the skin's own
  std::string lang = "en";
  std::string time = "2008-03-05 13:04:09";
};

struct PreviewShot {
  ScreenSize size;
  std::filesystem::path picture;
  std::string scaledFrom;  // the skin file scaled to this size; empty for a native one
};

// Renders one picture per size into options.out ("WxH.png") and the contact sheet
// ("contact-sheet.png"). Messages about failures go to `errors`; the shots made are returned.
std::vector<PreviewShot> Preview(const std::filesystem::path& skinFolder, const PreviewOptions& options,
                                 std::ostream& errors);

// Lays the shots out in rows, each scaled to a common height with its size written under it.
bool WriteContactSheet(const std::vector<PreviewShot>& shots, const std::string& title,
                       const std::filesystem::path& file);

}  // namespace vexa::skintool
