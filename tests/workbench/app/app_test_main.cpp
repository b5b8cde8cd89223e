// One QApplication for every test, offscreen: set before it exists, so that
// test discovery runs without a display too.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QSettings>

#include <unistd.h>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setStyle(QStringLiteral("Fusion"));
  // The window keeps recent files and units in QSettings: a folder of this
  // run's own, never the user's.
  const QString settings = QDir::temp().filePath(QStringLiteral("quorvane-app-test-settings-%1").arg(getpid()));
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings);
  const int status = [&] {
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
  }();
  QDir(settings).removeRecursively();
  return status;
}
