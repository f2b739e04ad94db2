#include "cli/cli_settings.h"

#include <unistd.h>

#include <QString>
#include <filesystem>

#include "app/ini_file.h"
#include "net/codec.h"

namespace tarvelin::cli {

std::string ProgramDirectory() {
  std::error_code error;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::filesystem::current_path().string();
  return exe.parent_path().string();
}

DownloadSettings ResolveSettings(const CliOptions& options, const std::string& programDirectory) {
  const QString file = QString::fromStdString(programDirectory) + QStringLiteral("/配置.ini");
  const Text section = Utf8ToText("下载模式");
  auto read = [&](const char* key, const char* fallback) {
    return app::ReadIniValue(file, section, Utf8ToText(key), Utf8ToText(fallback));
  };
  DownloadSettings settings;
  const Text mode = read("模式", "高清");
  if (mode == Utf8ToText("原图小于2000")) settings.mode = DownloadMode::OriginalUpTo2000;
  else if (mode == Utf8ToText("原图大于2000")) settings.mode = DownloadMode::OriginalUnlimited;
  else settings.mode = DownloadMode::HighDefinition;
  const Text names = read("文件名格式", "");
  if (names == Utf8ToText("序号在前")) settings.nameFormat = NameFormat::NumberFirst;
  else if (names == Utf8ToText("序号在后")) settings.nameFormat = NameFormat::NumberLast;
  else settings.nameFormat = NameFormat::NoNumber;
  settings.openFolderWhenDone = false;  // no desktop to open it on
  settings.saveFolder = read("保存位置", "");
  if (settings.saveFolder.empty()) settings.saveFolder = Utf8ToText(programDirectory);
  settings.secondDownloadKb = read("二次下载文件大小", "2");

  if (options.mode) settings.mode = *options.mode;
  if (options.names) settings.nameFormat = *options.names;
  if (options.saveFolder) {
    std::error_code error;
    std::filesystem::path folder = std::filesystem::absolute(*options.saveFolder, error);
    settings.saveFolder = Utf8ToText(error ? *options.saveFolder : folder.string());
  }
  if (options.secondKb) settings.secondDownloadKb = Utf8ToText(*options.secondKb);
  return settings;
}

}  // namespace tarvelin::cli
