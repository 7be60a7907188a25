#include "tests/qt/QtTestSupport.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace vexa::platform::testing {

void EnsureQtApplication() {
  if (QCoreApplication::instance()) return;
  // No display in the test environment: Qt draws into memory.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "vexa_qt_tests";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);  // lives as long as the test program
}

namespace {

// Made before the first test, on the main thread, so every Qt test of this program finds it.
class QtApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { EnsureQtApplication(); }
};

[[maybe_unused]] const ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace

}  // namespace vexa::platform::testing
