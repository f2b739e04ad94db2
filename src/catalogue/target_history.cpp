#include "catalogue/target_history.h"

#include <fstream>
#include <iterator>

#include "net/text.h"

namespace tarvelin {

namespace {

Text ReadWhole(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return Text();
  return Text(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

void RecordTarget(const std::filesystem::path& historyFile, const Text& target) {
  if (target.empty()) return;
  const Text old = ReadWhole(historyFile);
  if (TextFind(old, target) > 0) return;
  std::ofstream out(historyFile, std::ios::binary | std::ios::trunc);
  out << target << "\r\n" << old;
}

std::vector<Text> LoadTargetHistory(const std::filesystem::path& historyFile) {
  std::vector<Text> targets;
  for (const Text& line : TextSplit(ReadWhole(historyFile), "\r\n")) {
    if (!line.empty()) targets.push_back(line);
  }
  return targets;
}

}  // namespace tarvelin
