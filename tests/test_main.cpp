#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  // Test discovery runs this executable outside CTest's environment: stay headless there too.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
