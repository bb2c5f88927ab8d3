// Registers the QApplication and the Qt host for every test of the programme.
#include <cstdlib>

#include "qt_host_test_env.h"

namespace mivo::test {

namespace {
int gArgc = 1;
char gArg0[] = "qt_tests";
char* gArgv[] = {gArg0, nullptr};
}  // namespace

void QtTestEnvironment::SetUp() {
  // No display needed; an explicit choice in the environment wins.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  FApp = std::make_unique<QApplication>(gArgc, gArgv);
  SetHost(std::make_unique<TQtHost>());
}

void QtTestEnvironment::TearDown() {
  SetHost(nullptr);
  FApp.reset();
}

namespace {
[[maybe_unused]] auto* const gEnvironment = ::testing::AddGlobalTestEnvironment(new QtTestEnvironment);
}  // namespace

}  // namespace mivo::test
