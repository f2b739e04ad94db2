#include "download/photo_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "download/download_texts.h"
#include "net/codec.h"
#include "net/text.h"

namespace tarvelin::download {
namespace {

namespace fs = std::filesystem;

// Byte length of the code page 936 character that starts at `at`.
size_t CharLength(const Text& text, size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  return (lead >= 0x81 && lead <= 0xFE && at + 1 < text.size()) ? 2 : 1;
}

int Utf8Length(const Text& text) { return static_cast<int>(TextToUtf8(text).size()); }

// Built by appending: GCC 12 warns falsely (-Wrestrict) about "(" + std::string at -O2.
Text Parenthesized(long long number) {
  Text text = "(";
  return text.append(std::to_string(number)).append(")");
}

}  // namespace

Text FitFileName(const Text& name, int reservedBytes) {
  if (Utf8Length(name) + reservedBytes <= kMaxFileNameBytes) return name;
  // Character starts, so that a cut never splits a double-byte character.
  std::vector<size_t> starts;
  for (size_t at = 0; at < name.size(); at += CharLength(name, at)) starts.push_back(at);
  // Binary search for the longest prefix (in characters) that fits.
  size_t low = 0, high = starts.size();
  while (low < high) {
    const size_t mid = (low + high + 1) / 2;
    const size_t bytes = starts[mid - 1] + CharLength(name, starts[mid - 1]);
    if (Utf8Length(name.substr(0, bytes)) + reservedBytes <= kMaxFileNameBytes) {
      low = mid;
    } else {
      high = mid - 1;
    }
  }
  return low == 0 ? Text() : name.substr(0, starts[low - 1] + CharLength(name, starts[low - 1]));
}

Text LocalPath(const Text& path) { return TextReplace(path, "\\", "/"); }

std::string NativePath(const Text& path) {
  std::string native = TextToUtf8(path);
  // After the conversion a 0x5C byte is always a separator, never half of a character.
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
  return native;
}

bool PathIsDirectory(const Text& path) {
  std::error_code error;
  return fs::is_directory(NativePath(path), error);
}

bool PathExists(const Text& path) {
  std::error_code error;
  return fs::symlink_status(NativePath(path), error).type() != fs::file_type::not_found && !error;
}

Text MakeAlbumFolder(const Text& baseFolder, const Text& target, const Text& albumLeaf) {
  // Names typed into the window (a renamed album, the target) must not climb out of the
  // save folder: they are cleaned like every other name.
  Text leafName = CleanFileName(albumLeaf);
  if (leafName.empty()) leafName = texts::kUnknownName;
  const Text parent = baseFolder + "\\" + CleanFileName(target) + "\\";
  const Text path = parent + FitFileName(leafName, 0);
  std::error_code error;
  if (!PathIsDirectory(path)) {
    fs::create_directories(NativePath(path), error);
    return path;
  }
  Text candidate;
  for (long long n = 1;; ++n) {
    const Text suffix = Parenthesized(n);
    candidate = parent + FitFileName(leafName, static_cast<int>(suffix.size())) + suffix;
    if (!PathIsDirectory(candidate)) break;
  }
  fs::create_directories(NativePath(candidate), error);
  return PathIsDirectory(candidate) ? candidate : path;
}

namespace {

// folder\name.jpg for k 0, folder\name(k).jpg above; the name shortened to fit.
Text CandidatePath(const Text& folder, const Text& name, long long k) {
  const Text suffix = (k == 0 ? Text() : Parenthesized(k)) + ".jpg";
  return folder + "\\" + FitFileName(name, static_cast<int>(suffix.size())) + suffix;
}

Text NumberedPath(const Text& folder, NameFormat format, const Text& name, long long sequence) {
  const Text number = Parenthesized(sequence);
  const int reserved = static_cast<int>(number.size()) + 4;
  if (format == NameFormat::NumberFirst) {
    return folder + "\\" + number + FitFileName(name, reserved) + ".jpg";
  }
  return folder + "\\" + FitFileName(name, reserved) + number + ".jpg";
}

}  // namespace

Text FreeFilePath(const Text& folder, const Text& name) {
  long long k = 0;
  while (PathExists(CandidatePath(folder, name, k))) ++k;
  return CandidatePath(folder, name, k);
}

Text FreeNames::Next(const Text& name) {
  long long& next = next_[name];
  while (PathExists(CandidatePath(folder_, name, next))) ++next;
  return CandidatePath(folder_, name, next++);
}

Text PhotoFilePath(const Text& folder, NameFormat format, const Text& name, long long sequence) {
  if (format != NameFormat::NoNumber) return NumberedPath(folder, format, name, sequence);
  return FreeFilePath(folder, name.empty() ? Text(texts::kUnknownName) : name);
}

Text PhotoFilePath(FreeNames& folder, NameFormat format, const Text& name, long long sequence) {
  if (format != NameFormat::NoNumber) return NumberedPath(folder.Folder(), format, name, sequence);
  return folder.Next(name.empty() ? Text(texts::kUnknownName) : name);
}

bool WriteFileAtomically(const Text& path, const Bytes& content) {
  static std::atomic<unsigned long long> counter{0};
  const std::string target = NativePath(path);
  const size_t slash = target.find_last_of('/');
  const std::string folder =
      slash == std::string::npos ? std::string(".") : target.substr(0, slash);
  const std::string temporary = folder + "/.tarvelin-" + std::to_string(getpid()) + "-" +
                                std::to_string(counter.fetch_add(1)) + ".part";
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool ok = true;
  size_t written = 0;
  while (ok && written < content.size()) {
    const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = false;
    } else {
      written += static_cast<size_t>(n);
    }
  }
  if (::close(fd) != 0) ok = false;
  if (ok && std::rename(temporary.c_str(), target.c_str()) != 0) ok = false;
  if (!ok) ::unlink(temporary.c_str());
  return ok;
}

}  // namespace tarvelin::download
