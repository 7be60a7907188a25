#include "tools/skin/SkinCheck.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string_view>
#include <variant>

#include "common/Environment.h"
#include "common/text/Format.h"
#include "common/text/Text.h"
#include "deck/DeckSettings.h"
#include "deck/PictureCache.h"
#include "deck/SkinFile.h"
#include "deck/SkinLoader.h"
#include "deck/SkinSelector.h"
#include "deck/clock/TimePicture.h"
#include "platform/DeviceLocale.h"
#include "platform/Shell.h"
#include "platform/headless/RecordingProcesses.h"
#include "platform/headless/ScriptedMessageBoxes.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/WaveFile.h"
#include "platform/qt/QtPictureDecoder.h"

#include <QByteArray>
#include <QFontDatabase>
#include <QStringList>

namespace vexa::skintool {

namespace {

using deck::SkinLoadObserver;

constexpr std::size_t kMaxFontBytes = 64u << 20;

std::string Utf8(std::u16string_view text) { return text::ToUtf8(text); }

// The device's files, read only: the launcher renames an old "guage" folder when it loads a gauge,
// and a check must leave the skin as it found it.
class ReadOnlyFiles : public platform::FileSystem {
 public:
  explicit ReadOnlyFiles(platform::FileSystem& inner) : inner_(inner) {}
  std::vector<platform::FindEntry> Find(std::u16string_view pattern) override { return inner_.Find(pattern); }
  bool Exists(std::u16string_view path) override { return inner_.Exists(path); }
  bool IsDirectory(std::u16string_view path) override { return inner_.IsDirectory(path); }
  std::unique_ptr<platform::File> Open(std::u16string_view path, platform::OpenMode mode) override {
    return mode == platform::OpenMode::kRead ? inner_.Open(path, mode) : nullptr;
  }
  std::optional<std::string> ReadFile(std::u16string_view path,
                                      std::size_t limit = static_cast<std::size_t>(-1)) override {
    return inner_.ReadFile(path, limit);
  }
  bool WriteWholeFile(std::u16string_view, std::string_view) override { return false; }
  bool DeleteFile(std::u16string_view) override { return false; }
  bool RenameFile(std::u16string_view, std::u16string_view) override { return false; }
  bool CopyFile(std::u16string_view, std::u16string_view, bool) override { return false; }
  bool CreateDirectory(std::u16string_view) override { return false; }
  bool RemoveDirectory(std::u16string_view) override { return false; }
  std::optional<std::string> HostPath(std::u16string_view path) override { return inner_.HostPath(path); }
  std::optional<std::u16string> DevicePath(std::string_view hostPath) override { return inner_.DevicePath(hostPath); }

 private:
  platform::FileSystem& inner_;
};

bool IsPictureName(std::u16string_view name) {
  if (name.size() < 4) return false;
  const auto extension = text::ToLower(name.substr(name.size() - 4));
  return extension == u".bmp" || extension == u".jpg" || extension == u".gif" || extension == u".png";
}

bool IsThreeDigits(std::u16string_view key) {
  return key.size() == 3 && std::all_of(key.begin(), key.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

// The device services the loader needs, on the folder that holds the skin: the skin is "\NAME",
// the shared pictures "\_Common".
struct CheckDevice {
  CheckDevice(const std::filesystem::path& root, std::uint16_t langId)
      : hostFiles(root.string()),
        files(hostFiles),
        processes(files),
        locale(langId),
        shell(files, locale),
        platform{files, processes, messageBoxes, locale, shell, u"\\VexaSkin.exe"},
        decoder(files) {
    platform.pictures = &decoder;
  }
  platform::PosixFileSystem hostFiles;
  ReadOnlyFiles files;
  platform::RecordingProcesses processes;
  platform::ScriptedMessageBoxes messageBoxes;
  platform::DeviceLocale locale;
  platform::Shell shell;
  platform::Platform platform;
  platform::QtPictureDecoder decoder;
};

class Checker : public SkinLoadObserver {
 public:
  Checker(const std::filesystem::path& skinFolder, const CheckOptions& options)
      : device_(skinFolder.parent_path(), options.langId),
        name_(text::FromUtf8(skinFolder.filename().string())),
        codePage_(device_.locale.AnsiCodePage()) {}

  std::vector<Finding> Run() {
    auto& files = device_.files;
    own_ = u"\\" + name_;
    if (!files.IsDirectory(own_)) {
      ReportFile(Severity::kError, "", "", "", "no skin folder here");
      return std::move(findings_);
    }
    const auto skinFiles = deck::ListSkinFiles(files, own_);
    if (skinFiles.empty()) ReportFile(Severity::kError, "", "", "", "no skin files (skinWxH.ini) in the skin folder");
    CheckFonts();
    for (const auto& file : skinFiles) CheckFile(file);
    CheckGaugeFolder();
    return std::move(findings_);
  }

  void Skipped(Skip what, std::u16string_view section, std::u16string_view key, std::u16string_view value) override {
    const auto quoted = "\"" + Utf8(value) + "\"";
    switch (what) {
      case Skip::kUnknownKind:
        Report(Severity::kError, section, key, "unknown element kind " + quoted + ": the slot stays a plain button");
        break;
      case Skip::kBadNumber:
        if (text::EqualsNoCase(key, u"TextSize")) {
          Report(Severity::kWarning, section, key, quoted + " is not a positive whole number");
        } else {
          Report(Severity::kError, section, key,
                 quoted + " does not parse (two whole numbers with a comma, no blanks: 20,40)");
        }
        break;
      case Skip::kBadColor:
        Report(Severity::kWarning, section, key, quoted + " is not a colour (R,G,B or Auto): the default is used");
        break;
      case Skip::kTooMany:
        Report(Severity::kError, section, u"",
               "more than " + std::to_string(deck::kSlotCount) + " elements: this one is left out");
        break;
      case Skip::kNotPlaced:
        Report(Severity::kError, section, key, "no " + Utf8(key) + " given or carried over: the slot does not appear");
        break;
    }
  }

 private:
  void Report(Severity severity, std::u16string_view section, std::u16string_view key, std::string message) {
    ReportFile(severity, file_, Utf8(section), Utf8(key), std::move(message));
  }
  void ReportFile(Severity severity, std::string file, std::string section, std::string key, std::string message) {
    Finding finding{severity, std::move(file), std::move(section), std::move(key), std::move(message)};
    if (std::find(findings_.begin(), findings_.end(), finding) == findings_.end())
      findings_.push_back(std::move(finding));
  }

  // A name relative to the skin folder ("button\navi.png"), or "..\_Common\..." for a shared file.
  std::string Relative(std::u16string_view path) const {
    const auto prefix = own_ + u"\\";
    if (text::StartsWithNoCase(path, prefix)) return Utf8(path.substr(prefix.size()));
    return ".." + Utf8(path);
  }

  // Every font file of the skin and of the shared folder: each must be a font Qt can read; their
  // faces count as installed for the FontName keys.
  void CheckFonts() {
    for (const auto& folder : {own_ + u"\\Font", std::u16string(u"\\_Common\\Font")}) {
      for (const auto& entry : device_.files.Find(folder + u"\\*.ttf")) {
        if (entry.directory) continue;
        const auto path = folder + u"\\" + entry.name;
        const auto bytes = device_.files.ReadWholeFile(path, kMaxFontBytes);
        const int id = bytes ? QFontDatabase::addApplicationFontFromData(
                                   QByteArray(bytes->data(), static_cast<qsizetype>(bytes->size())))
                             : -1;
        if (id < 0) {
          ReportFile(Severity::kError, Relative(path), "", "", "not a TrueType font that can be read (or larger than 64 MB)");
          continue;
        }
        for (const auto& family : QFontDatabase::applicationFontFamilies(id)) faces_.insert(family.toLower().toStdString());
      }
    }
  }

  bool FaceKnown(std::u16string_view face) {
    const auto folded = Utf8(text::ToLower(face));
    if (faces_.count(folded) > 0) return true;
    if (installed_.empty()) {
      for (const auto& family : QFontDatabase::families()) installed_.insert(family.toLower().toStdString());
    }
    return installed_.count(folded) > 0;
  }

  void CheckFile(const std::u16string& fileName) {
    file_ = Utf8(fileName);
    const auto path = own_ + u"\\" + fileName;
    CheckLineEnds(path);

    const auto screen = deck::DesignSizeFromFileName(fileName, {1, 1});
    const bool sized = screen.width > 0 && screen.height > 0;
    if (!sized) Report(Severity::kWarning, u"", u"", "the file name gives no screen size (skin800x480.ini): the launcher never picks it");

    Environment environment(device_.platform);
    deck::DeckSettings settings(environment);
    deck::SkinLoader loader(environment, settings);
    deck::SkinLocation location;
    location.folder = u"\\";
    location.name = name_;
    location.file = path;
    deck::SkinLoadContext context;
    context.screen = sized ? screen : gfx::Size{800, 480};
    context.observer = this;
    pictures_.Clear();
    pictures_.SetLargest(context.screen);
    device_.messageBoxes.Clear();
    const auto skin = loader.LoadFile(location, context);
    auto& store = environment.skin();
    // The loader's own messages (unknown kinds, too many elements) are findings already; any other
    // is the file that could not be read.
    for (const auto& box : device_.messageBoxes.shown()) {
      const auto& message = box.request.text;
      if (message.starts_with(u"[Motion=") || message.find(u"초과하였습니다") != std::u16string::npos) continue;
      Report(Severity::kError, u"", u"", "the launcher says: " + Utf8(message));
    }

    CheckNames(store);
    CheckFormats(store);
    if (!skin.background.empty()) CheckPicture(skin.background, u"Background", u"ImageFile");
    CheckFaces(store, skin);
    CheckElements(store, skin, context.screen, sized);

    // The file's findings in the order of its sections, the file's own first.
    std::vector<std::u16string> sections;
    store.GetSectionNames(sections);
    auto rank = [&](const Finding& finding) {
      if (finding.section.empty()) return -1;
      for (std::size_t i = 0; i < sections.size(); ++i) {
        if (text::EqualsNoCase(sections[i], text::FromUtf8(finding.section))) return static_cast<int>(i);
      }
      return static_cast<int>(sections.size());
    };
    auto first = std::find_if(findings_.begin(), findings_.end(), [&](const Finding& f) { return f.file == file_; });
    std::stable_sort(first, findings_.end(), [&](const Finding& a, const Finding& b) { return rank(a) < rank(b); });
  }

  // A lone LF does not end a line: such a file reads as one line.
  void CheckLineEnds(std::u16string_view path) {
    const auto bytes = device_.files.ReadFile(path, 1 << 20);
    if (!bytes) {
      Report(Severity::kError, u"", u"", "the file cannot be read");
      return;
    }
    for (std::size_t i = 0; i < bytes->size(); ++i) {
      if ((*bytes)[i] == '\n' && (i == 0 || (*bytes)[i - 1] != '\r')) {
        Report(Severity::kError, u"", u"", "a line ends in LF alone: lines must end in CR LF, or they run together");
        return;
      }
    }
  }

  // Unknown sections and keys, and texts the code page cannot hold.
  void CheckNames(ProfileStore& store) {
    std::vector<std::u16string> sections;
    std::vector<std::u16string> keys;
    store.GetSectionNames(sections);
    for (const auto& section : sections) {
      const bool known = deck::IsSkinSection(section);
      if (!known) Report(Severity::kWarning, section, u"", "unknown section: the launcher does not read it");
      if (section.find(u'\uFFFD') != std::u16string::npos) BadText(section, u"");
      store.GetKeyNames(section, keys);
      for (const auto& key : keys) {
        if (known && !deck::IsSkinKey(section, key)) Report(Severity::kWarning, section, key, "unknown key");
        if (key.find(u'\uFFFD') != std::u16string::npos ||
            store.GetString(section, key, u"").find(u'\uFFFD') != std::u16string::npos) {
          BadText(section, key);
        }
      }
    }
  }

  void BadText(std::u16string_view section, std::u16string_view key) {
    Report(Severity::kError, section, key,
           "text not valid in code page " + std::to_string(codePage_) +
               " (save the file in that code page, or as UTF-8 with the byte-order mark)");
  }

  void CheckFormats(ProfileStore& store) {
    using text::FormatArg;
    const std::vector<FormatArg> speed = {std::int64_t{42}, std::int64_t{40}};
    const std::vector<FormatArg> position = {std::int64_t{37}, std::int64_t{33}, std::int64_t{12}, std::int64_t{5}};
    const std::vector<FormatArg> course = {std::int64_t{90}};
    const std::vector<FormatArg> fraction = {12.5};
    const std::pair<std::u16string_view, const std::vector<FormatArg>*> gps[] = {
        {u"Speed", &speed},        {u"Latitude", &position}, {u"Longitude", &position},
        {u"Course", &course},      {u"Altitude", &fraction}, {u"Hdop", &fraction},
    };
    for (const auto& [key, args] : gps) {
      const auto pattern = store.GetString(u"Format", key, u"");
      if (pattern.empty()) continue;
      for (const auto& note : text::CheckFormat(pattern, *args)) {
        const auto conversion = "\"" + Utf8(note.conversion) + "\"";
        std::string what;
        switch (note.kind) {
          case text::FormatNote::Kind::kNoValue:
            what = conversion + " has no value left (" + std::to_string(args->size()) + " given): it shows nothing";
            break;
          case text::FormatNote::Kind::kOtherType:
            what = conversion + " does not fit its value (" +
                   (std::holds_alternative<double>((*args)[0]) ? "a fraction" : "a whole number") +
                   "): the value is converted";
            break;
          case text::FormatNote::Kind::kUnknown:
            what = conversion + " is not a conversion: it is shown as written";
            break;
          case text::FormatNote::Kind::kUnfinished:
            what = conversion + " at the end is unfinished: it is shown as written";
            break;
          case text::FormatNote::Kind::kIgnored:
            what = conversion + " shows nothing";
            break;
        }
        Report(Severity::kWarning, u"Format", key, what);
      }
    }
    // Time pictures: a letter repeated to a count that means nothing shows "???".
    deck::TimePicture picture(nullptr);
    const platform::DateTime time{2008, 3, 3, 5, 13, 4, 9, 0};
    for (const auto key : {u"Date", u"Time"}) {
      const auto pattern = store.GetString(u"Format", key, u"");
      if (pattern.empty()) continue;
      auto count = [](std::u16string_view s) {
        std::size_t n = 0;
        for (auto at = s.find(u"???"); at != std::u16string_view::npos; at = s.find(u"???", at + 3)) ++n;
        return n;
      };
      if (count(picture.Format(pattern, time)) > count(pattern)) {
        Report(Severity::kWarning, u"Format", key,
               "\"" + Utf8(pattern) + "\" has a field that does not exist (it shows ?\?\?)");
      }
    }
  }

  void CheckFaces(ProfileStore& store, const deck::LoadedSkin& skin) {
    const auto defaultFace = store.GetString(u"Main", u"DefaultFontName", u"");
    if (!defaultFace.empty() && !FaceKnown(defaultFace))
      Report(Severity::kWarning, u"Main", u"DefaultFontName", "face \"" + Utf8(defaultFace) + "\" is not installed");
    for (int i = 0; i < skin.usedSlots; ++i) {
      const auto& slot = skin.slots[static_cast<std::size_t>(i)];
      const auto face = store.GetString(slot.name, u"FontName", u"");
      if (!face.empty() && !FaceKnown(face))
        Report(Severity::kWarning, slot.name, u"FontName",
               "face \"" + Utf8(face) + "\" is neither in the skin's fonts nor installed");
    }
  }

  void CheckWord(ProfileStore& store, std::u16string_view section, std::u16string_view key,
                 std::initializer_list<std::u16string_view> words, const std::string& known) {
    const auto value = store.GetString(section, key, u"");
    if (value.empty()) return;
    for (const auto word : words) {
      if (text::EqualsNoCase(value, word)) return;
    }
    Report(Severity::kWarning, section, key, "\"" + Utf8(value) + "\" is not a word of this key: " + known);
  }

  void CheckPicture(std::u16string_view path, std::u16string_view section, std::u16string_view key) {
    if (!device_.files.Exists(path)) {
      Report(Severity::kError, section, key, "picture " + Relative(path) + " is missing");
    } else if (pictures_.Get(path) == nullptr) {
      Report(Severity::kError, section, key, "picture " + Relative(path) + " cannot be decoded");
    }
  }

  void CheckSound(std::u16string_view path, std::u16string_view section) {
    // The header is all that decides whether the sound plays.
    const auto bytes = device_.files.ReadFile(path, 1 << 20);
    if (!bytes) {
      Report(Severity::kError, section, u"WaveFile", "sound " + Relative(path) + " is missing");
    } else if (!platform::ParseWave(*bytes)) {
      Report(Severity::kError, section, u"WaveFile", "sound " + Relative(path) + " is not a PCM .wav file");
    }
  }

  void CheckElements(ProfileStore& store, const deck::LoadedSkin& skin, gfx::Size screen, bool sized) {
    const auto used = static_cast<std::size_t>(skin.usedSlots);
    for (std::size_t i = 0; i < used; ++i) {
      const auto& slot = skin.slots[i];
      const auto& section = slot.name;
      const std::pair<const std::u16string*, std::u16string_view> pictures[] = {
          {&slot.normalPicture, u"UpImageFile"},
          {&slot.pressedPicture, u"DownImageFile"},
          {&slot.disabledPicture, u"DisImageFile"},
      };
      for (const auto& [picture, key] : pictures) {
        if (!picture->empty()) CheckPicture(*picture, section, key);
      }
      if (!slot.sound.empty()) CheckSound(slot.sound, section);
      CheckWord(store, section, u"TextAlign", {u"Right", u"Botton", u"Left", u"Center"},
                "the launcher knows Right, Botton (spelt so), Left; anything else centres");
      CheckWord(store, section, u"TextHAlign", {u"Left", u"Right", u"Center"},
                "the launcher knows Left and Right; anything else centres");
      if (text::EqualsNoCase(slot.motion, u"DISPLAY-MESSAGE") && !skin.live.date) {
        Report(Severity::kWarning, section, u"Motion",
               "the message is filled when the date display changes: without a DISPLAY-DATE it stays empty");
      }

      const bool gauge = text::EqualsNoCase(slot.motion, u"GAUGE-SPEED") || text::EqualsNoCase(slot.motion, u"GAUGE-COURSE");
      if (gauge) {
        const auto kind = text::EqualsNoCase(slot.motion, u"GAUGE-SPEED") ? "speed" : "course";
        if (slot.frames.empty()) {
          Report(Severity::kError, section, u"Motion",
                 std::string("no gauge frames: the folder gauge holds no pictures named ") + kind + "...");
        }
        if (slot.normalPicture.empty()) {
          Report(Severity::kError, section, u"UpImageFile",
                 "a gauge needs an UpImageFile picture (the size its frames are drawn at): without one no frame shows");
        }
      }

      if (!slot.bounds || !sized) continue;
      const auto& r = *slot.bounds;
      const gfx::Rect screenRect{0, 0, screen.width, screen.height};
      const bool inside = r.left >= 0 && r.top >= 0 && r.right <= screen.width && r.bottom <= screen.height;
      const bool outside = r.right <= 0 || r.bottom <= 0 || r.left >= screenRect.right || r.top >= screenRect.bottom;
      const auto where = "(" + std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.width()) +
                         "x" + std::to_string(r.height()) + ")";
      const auto screenText = std::to_string(screen.width) + "x" + std::to_string(screen.height);
      if (r.width() <= 0 || r.height() <= 0) {
        Report(Severity::kError, section, u"Size", "the slot " + where + " has no area: it never shows");
      } else if (outside) {
        Report(Severity::kError, section, u"Position", "the slot " + where + " lies off the " + screenText + " screen");
      } else if (!inside) {
        Report(Severity::kWarning, section, u"Position",
               "the slot " + where + " reaches past the edge of the " + screenText + " screen");
      }
    }
    CheckCovered(skin);
  }

  // The launcher's stacking: slots in skin order, each later one above the earlier, gauges sent to
  // the bottom and picture slots to the top as they load. A slot draws the background under it, not
  // the slots below, so a slot wholly inside one above it never shows.
  void CheckCovered(const deck::LoadedSkin& skin) {
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < static_cast<std::size_t>(skin.usedSlots); ++i) {
      const auto& slot = skin.slots[i];
      if (slot.stacking == deck::SlotStacking::kBottom) {
        order.insert(order.begin(), i);
      } else {
        order.push_back(i);
      }
    }
    // Picture slots raised as they load: later ones stay above earlier ones and above the rest.
    std::stable_partition(order.begin(), order.end(),
                          [&](std::size_t i) { return skin.slots[i].stacking != deck::SlotStacking::kTop; });
    for (std::size_t low = 0; low < order.size(); ++low) {
      const auto& under = skin.slots[order[low]];
      if (!under.visible || !under.bounds || under.bounds->width() <= 0 || under.bounds->height() <= 0) continue;
      for (std::size_t high = low + 1; high < order.size(); ++high) {
        const auto& over = skin.slots[order[high]];
        if (!over.visible || !over.bounds) continue;
        const auto& a = *under.bounds;
        const auto& b = *over.bounds;
        if (b.left <= a.left && b.top <= a.top && b.right >= a.right && b.bottom >= a.bottom) {
          Report(Severity::kWarning, under.name, u"Position", "hidden under [" + Utf8(over.name) + "], drawn above it");
          break;
        }
      }
    }
  }

  // The frames: pictures whose names begin with "speed" or "course" and end in a three-digit key.
  void CheckGaugeFolder() {
    file_.clear();
    auto& files = device_.files;
    if (files.IsDirectory(own_ + u"\\guage") && !files.IsDirectory(own_ + u"\\gauge")) {
      ReportFile(Severity::kWarning, "guage", "", "",
             "the frame folder is spelt guage: the launcher renames it to gauge when it loads a gauge");
    }
    const auto folder = own_ + u"\\gauge";
    if (!files.IsDirectory(folder)) return;
    std::map<std::string, int> perKind;
    for (const auto& entry : files.Find(folder + u"\\*.*")) {
      if (entry.directory) continue;
      const auto rel = "gauge\\" + Utf8(entry.name);
      const std::u16string_view name = entry.name;
      std::u16string_view kind;
      if (text::StartsWithNoCase(name, u"speed")) kind = u"speed";
      if (text::StartsWithNoCase(name, u"course")) kind = u"course";
      if (kind.empty()) {
        ReportFile(Severity::kWarning, rel, "", "", "not a frame: frame names begin with speed or course");
        continue;
      }
      if (!IsPictureName(name)) {
        ReportFile(Severity::kWarning, rel, "", "", "not a frame: frames are .bmp, .jpg, .gif or .png pictures");
        continue;
      }
      const auto key = name.substr(kind.size(), name.size() - kind.size() - 4);
      if (!IsThreeDigits(key)) {
        ReportFile(Severity::kWarning, rel, "", "",
               "the frame's key \"" + Utf8(key) + "\" is not three digits (speed000 ... speed200, course000 ... course355)");
      }
      if (++perKind[Utf8(kind)] == static_cast<int>(deck::kMaxGaugeFrames) + 1) {
        ReportFile(Severity::kWarning, rel, "", "",
               "more than " + std::to_string(deck::kMaxGaugeFrames) + " " + Utf8(kind) + " frames: the rest are not used");
      }
      if (pictures_.Get(folder + u"\\" + entry.name) == nullptr)
        ReportFile(Severity::kError, rel, "", "", "the frame cannot be decoded");
    }
  }

  CheckDevice device_;
  std::u16string name_;
  std::u16string own_;
  std::uint16_t codePage_;
  std::string file_;
  deck::PictureCache pictures_{&device_.decoder};
  std::set<std::string> faces_;
  std::set<std::string> installed_;
  std::vector<Finding> findings_;
};

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(c));
          out += buffer;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

}  // namespace

std::vector<Finding> CheckSkin(const std::filesystem::path& skinFolder, const CheckOptions& options) {
  auto folder = skinFolder;
  if (!folder.has_filename()) folder = folder.parent_path();
  folder = std::filesystem::absolute(folder).lexically_normal();
  if (!folder.has_filename()) folder = folder.parent_path();
  Checker checker(folder, options);
  return checker.Run();
}

int ExitStatus(const std::vector<Finding>& findings) {
  if (findings.empty()) return 0;
  const bool error = std::any_of(findings.begin(), findings.end(), [](const Finding& f) { return f.severity == Severity::kError; });
  return error ? 2 : 1;
}

std::string FindingLine(const Finding& finding) {
  std::string line = finding.file.empty() ? std::string("(skin)") : finding.file;
  if (!finding.section.empty()) line += " [" + finding.section + "]";
  if (!finding.key.empty()) line += " " + finding.key;
  line += finding.severity == Severity::kError ? ": error: " : ": warning: ";
  return line + finding.message;
}

std::string FindingJson(const Finding& finding) {
  return "{\"file\":" + JsonString(finding.file) + ",\"section\":" + JsonString(finding.section) +
         ",\"key\":" + JsonString(finding.key) + ",\"severity\":" +
         JsonString(finding.severity == Severity::kError ? "error" : "warning") +
         ",\"message\":" + JsonString(finding.message) + "}";
}

}  // namespace vexa::skintool
