#include "tests/skintool/SkinToolTestSupport.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>

#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QString>

namespace vexa::skintool::testing {

namespace fs = std::filesystem;

SkinFolder::SkinFolder(std::string_view name) {
  std::string pattern = (fs::temp_directory_path() / "vexa-skintool-XXXXXX").string();
  root_ = mkdtemp(pattern.data());
  skin_ = root_ / std::string(name);
  fs::create_directories(skin_);
}

SkinFolder::~SkinFolder() {
  std::error_code error;
  fs::remove_all(root_, error);
}

void SkinFolder::Write(std::string_view relative, std::string_view bytes) const {
  const auto file = skin_ / std::string(relative);
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

void SkinFolder::Ini(std::string_view relative, std::string_view text) const {
  std::string crlf;
  for (const char c : text) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  Write(relative, crlf);
}

void SkinFolder::Picture(std::string_view relative, int width, int height) const {
  const auto file = skin_ / std::string(relative);
  fs::create_directories(file.parent_path());
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(QColor(40, 120, 200));
  ASSERT_TRUE(image.save(QString::fromStdString(file.string()), "PNG"));
}

namespace {

// Fonts and pictures go through Qt, drawing into memory.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (QCoreApplication::instance() != nullptr) return;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "vexa_skintool_tests";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
  }
};

[[maybe_unused]] const ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

}  // namespace vexa::skintool::testing
