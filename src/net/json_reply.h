#pragma once
// Reading a JSON reply with json-c. Values come back as their JSON text: strings in
// double quotes with json-c's escapes (including "\/"), whole numbers in decimal, reals
// with six decimals, true/false, objects and arrays whole, and "null" for a missing
// member or a JSON null. Escapes of non-ASCII characters ("\u4e2d") are read as code
// page 936 characters like the raw bytes around them ("?" when 936 lacks one).

#include <memory>

#include "port/types.h"

struct json_object;

namespace tarvelin {

class JsonNode {
 public:
  JsonNode() = default;
  explicit JsonNode(json_object* object) : object_(object) {}
  JsonNode Member(const char* name) const;  // missing, or not an object: a null node
  JsonNode Item(int index) const;           // out of range, or not an array: a null node
  int Length() const;                       // array length; 0 for anything else
  bool IsNull() const { return object_ == nullptr; }
  bool IsArray() const;
  Text JsonText() const;                    // "null" for a null node
  // The JSON text with every double quote removed (the common way callers read a value).
  Text Unquoted() const;

 private:
  json_object* object_ = nullptr;
};

class JsonReply {
 public:
  explicit JsonReply(const Text& text);  // code page 936 text as received
  ~JsonReply();
  JsonReply(const JsonReply&) = delete;
  JsonReply& operator=(const JsonReply&) = delete;
  bool Valid() const;
  JsonNode Root() const;

 private:
  json_object* root_ = nullptr;
};

// Rewrites "\uXXXX" escapes (and surrogate pairs) of characters from U+0080 up into code
// page 936 bytes; escapes below U+0080 stay as they are.
Text DecodeNonAsciiEscapes(const Text& json);

}  // namespace tarvelin
