#include "app/ini_file.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <optional>
#include <vector>

namespace tarvelin::app {
namespace {

constexpr size_t kValueBuffer = 10240;  // the reader's buffer, zero byte included

std::string TrimBlanks(const std::string& text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  size_t begin = 0, end = text.size();
  while (begin < end && blank(text[begin])) ++begin;
  while (end > begin && blank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
           return lower(x) == lower(y);
         });
}

std::vector<std::string> SplitLines(const std::string& content) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < content.size()) {
    size_t end = content.find('\n', start);
    if (end == std::string::npos) end = content.size();
    std::string line = content.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

std::optional<std::string> SectionOf(const std::string& line) {
  const std::string trimmed = TrimBlanks(line);
  if (trimmed.size() < 2 || trimmed.front() != '[') return std::nullopt;
  const size_t close = trimmed.find(']');
  if (close == std::string::npos) return std::nullopt;
  return TrimBlanks(trimmed.substr(1, close - 1));
}

// The key of a "key=value" line, or nothing for other lines.
std::optional<std::string> KeyOf(const std::string& line) {
  const size_t equals = line.find('=');
  if (equals == std::string::npos) return std::nullopt;
  return TrimBlanks(line.substr(0, equals));
}

std::optional<std::string> ReadAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray bytes = file.readAll();
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace

Text ReadIniValue(const QString& path, const Text& section, const Text& key, const Text& fallback) {
  const auto content = ReadAll(path);
  if (!content) return fallback;
  bool inSection = false;
  for (const std::string& line : SplitLines(*content)) {
    if (const auto name = SectionOf(line)) {
      inSection = SameName(*name, section);
      continue;
    }
    if (!inSection) continue;
    const auto lineKey = KeyOf(line);
    if (!lineKey || !SameName(*lineKey, key)) continue;
    std::string value = TrimBlanks(line.substr(line.find('=') + 1));
    value.erase(std::remove(value.begin(), value.end(), '\0'), value.end());
    if (value.size() > kValueBuffer - 1) value.resize(kValueBuffer - 1);
    return value;
  }
  return fallback;
}

bool WriteIniValue(const QString& path, const Text& section, const Text& key, const Text& value) {
  std::string clean = value;
  // A line break in a value would start a new line of the file.
  std::replace_if(
      clean.begin(), clean.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  const std::string entry = key + "=" + clean;

  std::vector<std::string> lines = SplitLines(ReadAll(path).value_or(std::string()));
  bool inSection = false, written = false;
  std::optional<size_t> sectionEnd;  // line after the last line of our section
  for (size_t i = 0; i < lines.size() && !written; ++i) {
    if (const auto name = SectionOf(lines[i])) {
      inSection = SameName(*name, section);
      if (inSection) sectionEnd = i + 1;
      continue;
    }
    if (!inSection) continue;
    if (!TrimBlanks(lines[i]).empty()) sectionEnd = i + 1;
    const auto lineKey = KeyOf(lines[i]);
    if (lineKey && SameName(*lineKey, key)) {
      lines[i] = entry;
      written = true;
    }
  }
  if (!written) {
    if (sectionEnd) {
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*sectionEnd), entry);
    } else {
      lines.push_back("[" + section + "]");
      lines.push_back(entry);
    }
  }

  std::string content;
  for (const std::string& line : lines) content += line + "\r\n";
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(content.data(), static_cast<qint64>(content.size()));
  return file.commit();
}

}  // namespace tarvelin::app
