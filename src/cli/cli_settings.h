#pragma once
// The download options of the command line: 配置.ini beside the program gives the
// defaults, as the window would load them; options given on the command line win.

#include <string>

#include "cli/cli_options.h"
#include "port/types.h"

namespace tarvelin::cli {

DownloadSettings ResolveSettings(const CliOptions& options, const std::string& programDirectory);
std::string ProgramDirectory();

}  // namespace tarvelin::cli
