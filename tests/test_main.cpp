#include <gtest/gtest.h>

#include <QApplication>
#include <cstring>

namespace {

// `--qt-scale-factor=X` runs the tests on a desktop scaled by X. Qt reads its scaling variables
// when the application starts, so they are set here, before it does.
void ApplyScaleFactorArgument(int argc, char** argv) {
  constexpr const char* kFlag = "--qt-scale-factor=";
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], kFlag, std::strlen(kFlag)) == 0) {
      qputenv("QT_ENABLE_HIGHDPI_SCALING", "1");
      qputenv("QT_SCALE_FACTOR", argv[i] + std::strlen(kFlag));
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  // Test discovery runs this executable outside CTest's environment: stay headless there too.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  // Each test solves its own shapes: a store left by another build or an earlier solver must not
  // answer for this one (the store's own tests name their folders).
  if (!qEnvironmentVariableIsSet("CORVANE_SHAPE_CACHE"))
    qputenv("CORVANE_SHAPE_CACHE", "off");
  ::testing::InitGoogleTest(&argc, argv);
  ApplyScaleFactorArgument(argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
