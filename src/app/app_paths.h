#pragma once
// The program's process-wide values and the places of its two files.

#include <QString>

namespace tarvelin::app {

inline constexpr const char* AppVersion = "3.1";
inline constexpr const char* ProductKey = "velmorakin";
inline const QString SettingsFileName = QStringLiteral("配置.ini");
inline const QString HistoryFileName = QStringLiteral("qq.txt");

struct AppPaths {
  QString programDirectory;   // folder of the executable, no trailing separator
  QString filesDirectory;     // where 配置.ini and qq.txt live
  QString defaultSaveFolder;  // save folder when none is set
  QString SettingsFilePath() const { return filesDirectory + '/' + SettingsFileName; }
  QString HistoryFilePath() const { return filesDirectory + '/' + HistoryFileName; }
};

// The program directory when it can be written, else the user's configuration folder.
AppPaths DefaultAppPaths();
// Files kept in `directory` (tests, or a program directory chosen by the caller).
AppPaths AppPathsIn(const QString& directory);

}  // namespace tarvelin::app
