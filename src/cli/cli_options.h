#pragma once
// Command-line options of tarvelin-cli.

#include <optional>
#include <string>
#include <vector>

#include "port/types.h"

namespace tarvelin::cli {

struct CliOptions {
  std::string cookieFile;       // "-" for standard input
  std::string target;
  bool group = false;
  bool list = false;
  bool json = false;
  bool allAlbums = false;
  std::vector<int> albumNumbers;  // row numbers as listed (1-based)
  std::string match;              // UTF-8
  std::optional<DownloadMode> mode;
  std::optional<NameFormat> names;
  std::optional<std::string> saveFolder;  // UTF-8
  std::optional<std::string> secondKb;
  std::vector<std::string> connectTo;
  std::string caFile;
  std::string proxy;
  bool help = false;
};

struct ParseResult {
  CliOptions options;
  std::string error;  // non-empty: a usage error
};

ParseResult ParseCliOptions(int argc, char** argv);
std::string CliUsage();

}  // namespace tarvelin::cli
