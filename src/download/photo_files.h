#pragma once
// Where a download lands: album folders, photo file names, and the writing of files.
// Paths are code page 936 Text with "\" as the separator; the file system gets native
// UTF-8 paths, converted here and nowhere else.

#include <unordered_map>
#include <utility>

#include "catalogue/clean_file_name.h"
#include "port/types.h"

namespace tarvelin::download {

// Longest file name (one path component, in UTF-8 bytes) that the file system takes.
inline constexpr int kMaxFileNameBytes = 255;

using tarvelin::CleanFileName;

// Shortens `name` on a character boundary until its UTF-8 form plus `reservedBytes` fits in
// kMaxFileNameBytes.
Text FitFileName(const Text& name, int reservedBytes);

// Makes base\target\leaf (or the next free leaf(n)) and returns its path. The target and
// the leaf are cleaned (an empty leaf becomes "未知名称"), so no name leaves the base folder.
Text MakeAlbumFolder(const Text& baseFolder, const Text& target, const Text& leafName);

// folder\name.jpg, or folder\name(k).jpg for the smallest free k.
Text FreeFilePath(const Text& folder, const Text& name);

// The free-name search of one album folder, resumed per name where it last stopped, so that
// many photos of one name cost one look-up each instead of one per earlier photo.
class FreeNames {
 public:
  explicit FreeNames(Text folder) : folder_(std::move(folder)) {}
  const Text& Folder() const { return folder_; }
  Text Next(const Text& name);

 private:
  Text folder_;
  std::unordered_map<Text, long long> next_;
};

// The file path of photo `sequence` under `format`; NoNumber takes a free name.
Text PhotoFilePath(const Text& folder, NameFormat format, const Text& name, long long sequence);
Text PhotoFilePath(FreeNames& folder, NameFormat format, const Text& name, long long sequence);

// Writes the whole content under a temporary name in the same folder, then renames it into
// place, so the real name never holds a partial file. False when any step fails.
bool WriteFileAtomically(const Text& path, const Bytes& content);

// A program path with the platform's separator, still code page 936 (for the window).
Text LocalPath(const Text& path);
// Native form of a program path: UTF-8 with the platform's separator.
std::string NativePath(const Text& path);
bool PathIsDirectory(const Text& path);
bool PathExists(const Text& path);

}  // namespace tarvelin::download
