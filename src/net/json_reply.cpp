#include "net/json_reply.h"

#include <json-c/json.h>

#include <cstdio>

#include "net/codec.h"

namespace tarvelin {

namespace {

// Reals are written in fixed notation with six decimals, whatever json-c's own default is
// and without touching its global or per-thread format.
int SerializeReal(json_object* object, printbuf* out, int /*level*/, int /*flags*/) {
  char buffer[400];
  int n = std::snprintf(buffer, sizeof buffer, "%.6f", json_object_get_double(object));
  if (n < 0) return -1;
  if (n >= static_cast<int>(sizeof buffer)) n = static_cast<int>(sizeof buffer) - 1;
  return printbuf_memappend(out, buffer, n);
}

void UseFixedReals(json_object* object) {
  switch (json_object_get_type(object)) {
    case json_type_double:
      json_object_set_serializer(object, SerializeReal, nullptr, nullptr);
      break;
    case json_type_array: {
      const size_t n = json_object_array_length(object);
      for (size_t i = 0; i < n; ++i) UseFixedReals(json_object_array_get_idx(object, i));
      break;
    }
    case json_type_object: {
      json_object_object_foreach(object, key, value) {
        (void)key;
        UseFixedReals(value);
      }
      break;
    }
    default:
      break;
  }
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The four hex digits after "\u" at text[at], or -1.
int EscapeUnit(const Text& text, size_t at) {
  if (at + 6 > text.size() || text[at] != '\\' || text[at + 1] != 'u') return -1;
  int value = 0;
  for (size_t i = at + 2; i < at + 6; ++i) {
    const int digit = HexValue(text[i]);
    if (digit < 0) return -1;
    value = value * 16 + digit;
  }
  return value;
}

Bytes Utf8Of(unsigned codePoint) {
  Bytes out;
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (codePoint >> 18));
    out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
  return out;
}

// Code page 936 bytes of one character, written so that json-c reads them back as they
// are: a backslash or a double quote (as a trail byte, or "?" itself never is) is escaped.
Text JsonSafe(const Text& characters) {
  Text out;
  for (char c : characters) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out;
}

}  // namespace

Text DecodeNonAsciiEscapes(const Text& json) {
  Text out;
  out.reserve(json.size());
  size_t i = 0;
  while (i < json.size()) {
    if (json[i] != '\\' || i + 1 >= json.size()) {
      out += json[i++];
      continue;
    }
    const int unit = EscapeUnit(json, i);
    if (unit < 0x80) {
      // Any other escape (and "\u" below U+0080) is copied whole, so that "\\u4e2d" stays
      // an escaped backslash followed by letters.
      out += json[i];
      out += json[i + 1];
      i += 2;
      continue;
    }
    size_t length = 6;
    unsigned codePoint = static_cast<unsigned>(unit);
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      const int low = EscapeUnit(json, i + 6);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + static_cast<unsigned>(low - 0xDC00);
        length = 12;
      } else {
        codePoint = 0;  // a lone surrogate
      }
    } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
      codePoint = 0;
    }
    Text character = codePoint == 0 ? Text() : Utf8ToText(Utf8Of(codePoint));
    if (character.empty()) character.push_back('?');
    out += JsonSafe(character);
    i += length;
  }
  return out;
}

JsonNode JsonNode::Member(const char* name) const {
  json_object* member = nullptr;
  if (object_ && json_object_is_type(object_, json_type_object) &&
      json_object_object_get_ex(object_, name, &member)) {
    return JsonNode(member);
  }
  return JsonNode();
}

JsonNode JsonNode::Item(int index) const {
  if (!IsArray() || index < 0 || index >= Length()) return JsonNode();
  return JsonNode(json_object_array_get_idx(object_, static_cast<size_t>(index)));
}

int JsonNode::Length() const {
  if (!IsArray()) return 0;
  return static_cast<int>(json_object_array_length(object_));
}

bool JsonNode::IsArray() const { return object_ && json_object_is_type(object_, json_type_array); }

Text JsonNode::JsonText() const {
  if (!object_) return "null";
  const char* text = json_object_to_json_string_ext(object_, JSON_C_TO_STRING_SPACED);
  return text ? Text(text) : Text("null");
}

Text JsonNode::Unquoted() const {
  Text text = JsonText();
  std::erase(text, '"');
  return text;
}

JsonReply::JsonReply(const Text& text) {
  const Text decoded = DecodeNonAsciiEscapes(text);
  json_tokener* tokener = json_tokener_new();
  if (!tokener) return;
  root_ = json_tokener_parse_ex(tokener, decoded.c_str(), static_cast<int>(decoded.size()));
  if (json_tokener_get_error(tokener) != json_tokener_success) {
    if (root_) json_object_put(root_);
    root_ = nullptr;
  }
  json_tokener_free(tokener);
  if (root_) UseFixedReals(root_);
}

JsonReply::~JsonReply() {
  if (root_) json_object_put(root_);
}

bool JsonReply::Valid() const { return root_ != nullptr; }

JsonNode JsonReply::Root() const { return JsonNode(root_); }

}  // namespace tarvelin
