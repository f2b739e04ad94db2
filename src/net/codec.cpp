#include "net/codec.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <vector>

namespace tarvelin {

namespace {

constexpr char32_t kReplacement = U'?';

// One iconv descriptor per call; conversions are rare enough that caching buys little.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

// Decodes `input` in `charset` to code points; an undecodable byte becomes "?" and is
// skipped. False when iconv does not know the charset.
bool DecodeWith(Converter& cv, const char* data, size_t size, std::u32string& out) {
  if (!cv.ok()) return false;
  iconv(cv.get(), nullptr, nullptr, nullptr, nullptr);
  char buffer[16384];
  char* in = const_cast<char*>(data);
  size_t inLeft = size;
  while (inLeft > 0) {
    char* o = buffer;
    size_t oLeft = sizeof buffer;
    size_t r = iconv(cv.get(), &in, &inLeft, &o, &oLeft);
    const size_t produced = sizeof buffer - oLeft;
    for (size_t i = 0; i + 4 <= produced; i += 4) {
      uint32_t c = static_cast<unsigned char>(buffer[i]) |
                   static_cast<unsigned char>(buffer[i + 1]) << 8 |
                   static_cast<unsigned char>(buffer[i + 2]) << 16 |
                   static_cast<uint32_t>(static_cast<unsigned char>(buffer[i + 3])) << 24;
      out.push_back(static_cast<char32_t>(c));
    }
    if (r == static_cast<size_t>(-1)) {
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL (truncated sequence at the end): one "?" for the bad byte.
      out.push_back(kReplacement);
      ++in;
      --inLeft;
      iconv(cv.get(), nullptr, nullptr, nullptr, nullptr);
    }
  }
  return true;
}

// Encodes a run of code points from U+0080 up; what 936 lacks becomes "?".
void EncodeRun(Converter& cv, const std::string& units, Text& out) {
  iconv(cv.get(), nullptr, nullptr, nullptr, nullptr);
  char buffer[16384];
  char* in = const_cast<char*>(units.data());
  size_t inLeft = units.size();
  while (inLeft > 0) {
    char* o = buffer;
    size_t oLeft = sizeof buffer;
    const size_t r = iconv(cv.get(), &in, &inLeft, &o, &oLeft);
    out.append(buffer, sizeof buffer - oLeft);
    if (r == static_cast<size_t>(-1) && errno != E2BIG) {
      out.push_back('?');
      const size_t skip = std::min<size_t>(4, inLeft);
      in += skip;
      inLeft -= skip;
      iconv(cv.get(), nullptr, nullptr, nullptr, nullptr);
    }
  }
}

// Code points to code page 936; what 936 cannot hold becomes "?". Stops at a zero. ASCII
// is copied directly: iconv costs per character, and pages are mostly ASCII.
Text EncodeText(const std::u32string& points) {
  thread_local Converter cv("CP936", "UTF-32LE");
  Text out;
  out.reserve(points.size() + points.size() / 2);
  std::string units;
  for (char32_t c : points) {
    if (c == 0) break;
    if (c < 0x80) {
      if (!units.empty()) {
        if (cv.ok()) EncodeRun(cv, units, out);
        units.clear();
      }
      out.push_back(static_cast<char>(c));
      continue;
    }
    for (int i = 0; i < 4; ++i) units.push_back(static_cast<char>((c >> (8 * i)) & 0xFF));
  }
  if (!units.empty() && cv.ok()) EncodeRun(cv, units, out);
  return out;
}

// Strict UTF-8 decoder: a malformed sequence gives U+FFFD for its first byte.
std::u32string DecodeUtf8(const Bytes& bytes) {
  std::u32string out;
  out.reserve(bytes.size());
  size_t i = 0;
  const size_t n = bytes.size();
  auto byte = [&](size_t k) { return static_cast<unsigned char>(bytes[k]); };
  while (i < n) {
    unsigned char b = byte(i);
    if (b < 0x80) {
      out.push_back(b);
      ++i;
      continue;
    }
    int extra = 0;
    char32_t c = 0;
    char32_t min = 0;
    if (b >= 0xC2 && b <= 0xDF) {
      extra = 1, c = b & 0x1F, min = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
      extra = 2, c = b & 0x0F, min = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
      extra = 3, c = b & 0x07, min = 0x10000;
    } else {
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    bool ok = i + static_cast<size_t>(extra) < n;
    for (int k = 1; ok && k <= extra; ++k) {
      unsigned char t = byte(i + k);
      if ((t & 0xC0) != 0x80)
        ok = false;
      else
        c = (c << 6) | (t & 0x3F);
    }
    if (!ok || c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    out.push_back(c);
    i += static_cast<size_t>(extra) + 1;
  }
  return out;
}

void AppendUtf8(Bytes& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// Code page 936 to code points; ASCII directly, each run of double-byte characters
// (a lead byte from 0x80 up and the byte after it) through iconv.
std::u32string DecodeText(const Text& text) {
  thread_local Converter cv("UTF-32LE", "CP936");
  std::u32string points;
  points.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      points.push_back(static_cast<unsigned char>(text[i++]));
      continue;
    }
    size_t end = i;
    while (end < text.size() && static_cast<unsigned char>(text[end]) >= 0x80) {
      end = std::min(end + 2, text.size());
    }
    DecodeWith(cv, text.data() + i, end - i, points);
    i = end;
  }
  return points;
}

bool IsUtf8Name(const Text& charset) {
  std::string lower;
  for (char c : charset) lower.push_back(static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c));
  return lower == "utf-8" || lower == "utf8";
}

bool IsAscii(const std::string& bytes) {
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

Text Utf8ToText(const Bytes& utf8) {
  if (utf8.empty()) return {};
  if (IsAscii(utf8)) return utf8.substr(0, utf8.find('\0'));
  return EncodeText(DecodeUtf8(utf8));
}

Bytes TextToUtf8(const Text& text) {
  if (IsAscii(text)) return text;
  Bytes out;
  for (char32_t c : DecodeText(text)) AppendUtf8(out, c);
  return out;
}

Bytes TextToUtf16(const Text& text, bool dropTerminator) {
  if (text.empty()) return {};
  Bytes out;
  auto unit = [&out](char32_t u) {
    out.push_back(static_cast<char>(u & 0xFF));
    out.push_back(static_cast<char>((u >> 8) & 0xFF));
  };
  for (char32_t c : DecodeText(text)) {
    if (c >= 0x10000) {
      c -= 0x10000;
      unit(0xD800 + (c >> 10));
      unit(0xDC00 + (c & 0x3FF));
    } else {
      unit(c);
    }
  }
  if (!dropTerminator) unit(0);
  return out;
}

Text Utf16ToText(const Bytes& utf16le) {
  std::u32string points;
  const size_t units = utf16le.size() / 2;
  auto at = [&](size_t k) {
    return static_cast<char32_t>(static_cast<unsigned char>(utf16le[2 * k]) |
                                 static_cast<unsigned char>(utf16le[2 * k + 1]) << 8);
  };
  for (size_t k = 0; k < units; ++k) {
    char32_t u = at(k);
    if (u == 0) break;
    if (u >= 0xD800 && u <= 0xDBFF && k + 1 < units && at(k + 1) >= 0xDC00 && at(k + 1) <= 0xDFFF) {
      points.push_back(0x10000 + ((u - 0xD800) << 10) + (at(k + 1) - 0xDC00));
      ++k;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      points.push_back(kReplacement);
    } else {
      points.push_back(u);
    }
  }
  return EncodeText(points);
}

Text CharsetToText(const Bytes& bytes, const Text& charset) {
  if (IsUtf8Name(charset)) {
    // A byte-order mark is not part of the page.
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return Utf8ToText(bytes.substr(3));
    return Utf8ToText(bytes);
  }
  std::u32string points;
  if (charset.empty()) return {};
  Converter cv("UTF-32LE", charset.c_str());
  if (!DecodeWith(cv, bytes.data(), bytes.size(), points)) return {};
  return EncodeText(points);
}

}  // namespace tarvelin
