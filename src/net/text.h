#pragma once
// Text rules of code page 936 byte strings: 1-based positions, -1 for "not found",
// searches that never start on the second byte of a double-byte character.

#include <vector>

#include "port/types.h"

namespace tarvelin {

// Position of needle at or after start (start <= 0 means 1), or -1.
int TextFind(const Text& text, const Text& needle, int start = 1, bool ignoreCase = false);
// Last occurrence lying wholly within the first end-1 bytes (end < 0: whole text), or -1.
int TextFindReverse(const Text& text, const Text& needle, int end = -1, bool ignoreCase = false);
Text TextLeft(const Text& text, int n);
Text TextRight(const Text& text, int n);
Text TextMid(const Text& text, int start, int n);
Text TextTrim(const Text& text);          // ASCII and full-width (A1 A1) spaces at both ends
Text TextRemoveSpaces(const Text& text);  // every ASCII and full-width space
std::vector<Text> TextSplit(const Text& text, const Text& separator);
Text TextReplace(const Text& text, const Text& from, const Text& to, bool ignoreCase = false);
Text TextToLowerAscii(const Text& text);

Text TextBetween(const Text& text, const Text& left, const Text& right, int start = 1,
                 bool ignoreCase = false);
Text TextAfterLast(const Text& text, const Text& marker, int end = -1, bool ignoreCase = false);

}  // namespace tarvelin
