#include "app/app_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace tarvelin::app {
namespace {

bool CanWriteIn(const QString& directory) {
  QFile probe(directory + QStringLiteral("/.tarvelin-write-test"));
  if (!probe.open(QIODevice::WriteOnly)) return false;
  probe.close();
  probe.remove();
  return true;
}

}  // namespace

AppPaths DefaultAppPaths() {
  const QString program = QDir::cleanPath(QCoreApplication::applicationDirPath());
  AppPaths paths{program, program, program};
  if (!CanWriteIn(program)) {
    // Installed read-only (under /usr, say): the settings and history go to the user.
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(config);
    paths.filesDirectory = QDir::cleanPath(config);
    paths.defaultSaveFolder =
        QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
  }
  return paths;
}

AppPaths AppPathsIn(const QString& directory) {
  const QString clean = QDir::cleanPath(directory);
  return AppPaths{clean, clean, clean};
}

}  // namespace tarvelin::app
