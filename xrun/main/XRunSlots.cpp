// vexa_xrun_slots: sets the slots of a built runner program file on the host, as the runner's
// configuration dialog does on the device. The build configures the demo device's runner with it.
//
//   vexa_xrun_slots FILE [SLOT=TEXT]...      SLOT is Reg1, Reg2, Reg3, Run1, Run2 or Run3; TEXT UTF-8
//
// Every slot named is written; a slot that cannot be written is reported and the others are still
// written. The file is replaced whole (written beside it, then renamed over it), keeping its
// permissions. Exit code 0 when every slot was written and the file saved, 1 otherwise, 2 for wrong
// arguments.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "common/text/Text.h"
#include "xrun/RunnerSlots.h"
#include "xrun/SlotWriter.h"

namespace {

int SlotIdOf(std::string_view name) {
  constexpr std::string_view kNames[] = {"Reg1", "Reg2", "Reg3", "Run1", "Run2", "Run3"};
  for (int i = 0; i < 6; ++i) {
    if (name == kNames[i]) return vexa::xrun::kFirstSlot + i;
  }
  return 0;
}

bool Save(const std::filesystem::path& file, const std::string& image) {
  std::error_code error;
  const auto permissions = std::filesystem::status(file, error).permissions();
  if (error) return false;
  std::filesystem::path temporary = file;
  temporary += ".slots-tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(image.data(), static_cast<std::streamsize>(image.size()));
    out.flush();
    if (!out) {
      std::filesystem::remove(temporary, error);
      return false;
    }
  }
  std::filesystem::permissions(temporary, permissions, error);
  if (!error) std::filesystem::rename(temporary, file, error);
  if (error) std::filesystem::remove(temporary, error);
  return !error;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: vexa_xrun_slots FILE [Reg1|Reg2|Reg3|Run1|Run2|Run3=TEXT]...\n";
    return 2;
  }
  const std::filesystem::path file = argv[1];
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::cerr << "vexa_xrun_slots: cannot read " << file << "\n";
    return 1;
  }
  std::ostringstream content;
  content << in.rdbuf();
  in.close();
  std::string image = content.str();

  int result = 0;
  for (int i = 2; i < argc; ++i) {
    const std::string_view argument = argv[i];
    const auto equals = argument.find('=');
    const int id = equals == std::string_view::npos ? 0 : SlotIdOf(argument.substr(0, equals));
    if (id == 0) {
      std::cerr << "vexa_xrun_slots: \"" << argument << "\" is not SLOT=TEXT (Reg1 to Reg3, Run1 to Run3)\n";
      return 2;
    }
    const auto written = vexa::xrun::PatchSlot(image, id, vexa::text::FromUtf8(argument.substr(equals + 1)));
    if (written != vexa::xrun::SlotWriteResult::kWritten) {
      std::cerr << "vexa_xrun_slots: " << argument.substr(0, equals) << ": "
                << vexa::text::ToUtf8(vexa::xrun::SlotWriteText(written)) << "\n";
      result = 1;
    }
  }
  if (!Save(file, image)) {
    std::cerr << "vexa_xrun_slots: cannot write " << file << "\n";
    return 1;
  }
  return result;
}
