#pragma once
// The history of target numbers, "qq.txt": one number a line, "\r\n" line ends, the
// newest first, code page 936 text without a header.

#include <filesystem>
#include <vector>

#include "port/types.h"

namespace tarvelin {

// Puts target in front of the file's text, unless the text already contains it anywhere
// (so 1234 is not added beside 12345). An empty target changes nothing; a file that cannot
// be read counts as empty, and a failed write is not reported.
void RecordTarget(const std::filesystem::path& historyFile, const Text& target);

// The non-empty lines of the file, in file order; none when it does not exist.
std::vector<Text> LoadTargetHistory(const std::filesystem::path& historyFile);

}  // namespace tarvelin
