#pragma once
// Conversions between code page 936 Text and UTF-8 / UTF-16; "?" for what 936 cannot hold.

#include "port/types.h"

namespace tarvelin {

Text Utf8ToText(const Bytes& utf8);
Bytes TextToUtf8(const Text& text);  // edge use: Qt strings, file names, JSON output
Bytes TextToUtf16(const Text& text, bool dropTerminator = false);  // little-endian
Text Utf16ToText(const Bytes& utf16le);
// Bytes in a named character set (as a page declares it) to Text; empty when unknown.
Text CharsetToText(const Bytes& bytes, const Text& charset);

}  // namespace tarvelin
