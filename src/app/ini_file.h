#pragma once
// A small INI file of code page 936 bytes: "[section]" headers and "key=value" lines.
// Sections and keys compare without ASCII case and without surrounding blanks.

#include <QString>

#include "port/types.h"

namespace tarvelin::app {

// The value after "=", blanks removed at both ends and cut to 10239 bytes; `fallback`
// when the file, the section or the key is missing.
Text ReadIniValue(const QString& path, const Text& section, const Text& key, const Text& fallback);
// Replaces the key's line in the section or adds it, creating section and file as needed.
// The value is written unchanged, except that line breaks become blanks. False on failure.
bool WriteIniValue(const QString& path, const Text& section, const Text& key, const Text& value);

}  // namespace tarvelin::app
