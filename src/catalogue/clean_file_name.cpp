#include "catalogue/clean_file_name.h"

#include "net/text.h"

namespace tarvelin {

Text CleanFileName(const Text& name) {
  static const char* const kRemoved[] = {
      ":",        ":",        "\\",       "/",        "?",        "*",
      "<",        ">",        "|",        "\xA3\xBA", "\xA3\xBF", "\xA1\xA3",
      "\xA3\xA8", "\xA3\xA9", "\xA1\xA4", "\xA3\xA1", "\xA3\xAC", ".",
  };
  Text cleaned = name;
  for (const char* removed : kRemoved) cleaned = TextReplace(cleaned, removed, "");
  return cleaned;
}

}  // namespace tarvelin
