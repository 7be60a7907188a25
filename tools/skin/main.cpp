// VexaSkin: the skin authors' tool. Checks a skin, previews it at several screen sizes through the
// launcher itself, and makes a new skin from a template.

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/runtime/RuntimeFolder.h"
#include "tools/skin/NewSkin.h"
#include "tools/skin/SkinCheck.h"
#include "tools/skin/SkinPreview.h"

#include <QGuiApplication>

namespace {

namespace fs = std::filesystem;
using namespace vexa::skintool;

constexpr const char* kHelp =
    "Usage: VexaSkin COMMAND ...\n"
    "\n"
    "  VexaSkin check SKINFOLDER [--json] [--lang en|ko]\n"
    "      Reads every skin file of the skin (SKINFOLDER is e.g. .../Skin/Default) as the launcher does and\n"
    "      reports, one line each with file, section and key, what the launcher would pass over: unknown\n"
    "      sections, keys and kinds; missing or undecodable pictures, sounds and fonts; numbers that do not\n"
    "      parse; slots off the screen or hidden under others; more than 40 elements; gauge frames missing\n"
    "      or misnamed; text the device's code page cannot hold (--lang ko: code page 949); format\n"
    "      patterns that do not fit their values. --json prints one JSON object a line instead.\n"
    "      Exit status 0 when there is nothing to report, 1 with warnings only, 2 with errors.\n"
    "\n"
    "  VexaSkin preview SKINFOLDER --out DIR [--sizes WxH,...] [--lang en|ko] [--time \"YYYY-MM-DD HH:MM:SS\"]\n"
    "                  [--deck PATH]\n"
    "      Runs the launcher headless on a device of its own for every skin file of the skin and for\n"
    "      each size of --sizes without its own file (then the file nearest in aspect is scaled, as the\n"
    "      launcher's chooser does), with the emulated GPS receiver and the clock fixed at --time\n"
    "      (default 2008-03-05 13:04:09). Writes DIR/WxH.png for each and DIR/contact-sheet.png.\n"
    "      Default sizes: 320x240,480x272,640x480,800x480,800x600,1024x600,1280x720. --deck names the\n"
    "      VexaDeck program (also VEXA_DECK); by default the one built with this tool.\n"
    "      Exit status 0 when every size was drawn, 2 otherwise.\n"
    "\n"
    "  VexaSkin new NAME [--in SKINROOT]\n"
    "      Makes SKINROOT/NAME (default: the current folder) from a small template: skin800x480.ini with\n"
    "      explaining lines, a background, a pair of button pictures and a screenshot for the chooser.\n"
    "\n"
    "  VexaSkin --help   prints this text.\n";

int Usage(const std::string& message) {
  std::cerr << "VexaSkin: " << message << "\nTry VexaSkin --help.\n";
  return 2;
}

struct Arguments {
  std::vector<std::string> positional;
  std::map<std::string, std::string> options;
  std::string error;
};

// "--name VALUE", "--name=VALUE" and the flags given in `flags`.
Arguments Parse(int argc, char** argv, const std::vector<std::string>& valued, const std::vector<std::string>& flags) {
  Arguments result;
  for (int i = 2; i < argc; ++i) {
    std::string argument = argv[i];
    if (!argument.starts_with("--")) {
      result.positional.push_back(argument);
      continue;
    }
    std::optional<std::string> value;
    if (const auto equals = argument.find('='); equals != std::string::npos) {
      value = argument.substr(equals + 1);
      argument.resize(equals);
    }
    if (std::find(flags.begin(), flags.end(), argument) != flags.end() && !value) {
      result.options[argument] = "";
    } else if (std::find(valued.begin(), valued.end(), argument) != valued.end()) {
      if (!value) {
        if (i + 1 >= argc) {
          result.error = argument + " needs a value";
          return result;
        }
        value = argv[++i];
      }
      result.options[argument] = *value;
    } else {
      result.error = "unknown option " + argument;
      return result;
    }
  }
  return result;
}

std::optional<std::uint16_t> Language(const Arguments& args) {
  const auto found = args.options.find("--lang");
  if (found == args.options.end() || found->second == "en") return vexa::platform::kLangEnglishUs;
  if (found->second == "ko") return vexa::platform::kLangKorean;
  return std::nullopt;
}

// The launcher to preview with: --deck, VEXA_DECK, one beside this program, the one built with it.
fs::path DeckProgram(const Arguments& args) {
  if (const auto found = args.options.find("--deck"); found != args.options.end()) return found->second;
  if (const char* variable = std::getenv("VEXA_DECK"); variable != nullptr && *variable != '\0') return variable;
  std::error_code error;
  const auto here = fs::canonical("/proc/self/exe", error).parent_path();
  for (const auto name : {"VexaDeck", "VexaDeck.exe"}) {
    if (!error && fs::exists(here / name)) return here / name;
  }
#ifdef VEXA_DECK_PROGRAM
  return VEXA_DECK_PROGRAM;
#else
  return "VexaDeck";
#endif
}

int Check(const Arguments& args) {
  if (args.positional.size() != 1) return Usage("check takes one skin folder");
  const auto lang = Language(args);
  if (!lang) return Usage("--lang takes en or ko");
  CheckOptions options;
  options.langId = *lang;
  const auto findings = CheckSkin(args.positional[0], options);
  const bool json = args.options.count("--json") > 0;
  for (const auto& finding : findings) std::cout << (json ? FindingJson(finding) : FindingLine(finding)) << "\n";
  if (!json) {
    if (findings.empty()) {
      std::cout << "no findings\n";
    } else {
      std::size_t errors = 0;
      for (const auto& finding : findings) errors += finding.severity == Severity::kError ? 1 : 0;
      std::cout << errors << " errors, " << findings.size() - errors << " warnings\n";
    }
  }
  return ExitStatus(findings);
}

int PreviewCommand(const Arguments& args) {
  if (args.positional.size() != 1) return Usage("preview takes one skin folder");
  const auto out = args.options.find("--out");
  if (out == args.options.end()) return Usage("preview needs --out DIR");
  if (!Language(args)) return Usage("--lang takes en or ko");
  PreviewOptions options;
  options.out = out->second;
  options.deckProgram = DeckProgram(args);
  options.sizes = CommonScreens();
  if (const auto sizes = args.options.find("--sizes"); sizes != args.options.end()) {
    const auto parsed = ParseSizes(sizes->second);
    if (!parsed) return Usage("--sizes takes WxH,WxH,... with sides from 16 to 8192");
    options.sizes = *parsed;
  }
  if (const auto lang = args.options.find("--lang"); lang != args.options.end()) options.lang = lang->second;
  if (const auto time = args.options.find("--time"); time != args.options.end()) options.time = time->second;
  if (!fs::exists(options.deckProgram)) return Usage("no launcher program at " + options.deckProgram.string() + " (give --deck)");
  const auto shots = Preview(args.positional[0], options, std::cerr);
  for (const auto& shot : shots) {
    std::cout << shot.picture.string();
    if (!shot.scaledFrom.empty()) std::cout << " (scaled from " << shot.scaledFrom << ")";
    std::cout << "\n";
  }
  if (!shots.empty()) std::cout << (fs::path(options.out) / "contact-sheet.png").string() << "\n";
  return shots.empty() ? 2 : 0;
}

int New(const Arguments& args) {
  if (args.positional.size() != 1) return Usage("new takes one skin name");
  fs::path root = ".";
  if (const auto in = args.options.find("--in"); in != args.options.end()) root = in->second;
  std::string error;
  if (!MakeNewSkin(root, args.positional[0], error)) {
    std::cerr << "VexaSkin: " << error << "\n";
    return 2;
  }
  std::cout << (root / args.positional[0]).string() << "\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage("no command given");
  const std::string command = argv[1];
  if (command == "--help" || command == "-h" || command == "help") {
    std::cout << kHelp;
    return 0;
  }
  for (int i = 2; i < argc; ++i) {
    if (std::string(argv[i]) == "--help") {
      std::cout << kHelp;
      return 0;
    }
  }
  // Fonts, pictures and the contact sheet need Qt's drawing, never a display.
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const auto runtimeFolder = vexa::platform::RuntimeFolder::ProvideIfMissing();
  int qtArgc = 1;
  QGuiApplication application(qtArgc, argv);

  if (command == "check") {
    const auto args = Parse(argc, argv, {"--lang"}, {"--json"});
    return args.error.empty() ? Check(args) : Usage(args.error);
  }
  if (command == "preview") {
    const auto args = Parse(argc, argv, {"--out", "--sizes", "--lang", "--time", "--deck"}, {});
    return args.error.empty() ? PreviewCommand(args) : Usage(args.error);
  }
  if (command == "new") {
    const auto args = Parse(argc, argv, {"--in"}, {});
    return args.error.empty() ? New(args) : Usage(args.error);
  }
  return Usage("unknown command " + command);
}
