#pragma once
// JSON strings as the service writes them, for the stand-in's replies.

#include <string>

namespace tarvelin::standin {

// `text` in double quotes with the service's escapes: quote, backslash, "/" (json_esc=1
// also escapes it), \n \r \t and \u00XX for other control bytes; other bytes as they are.
std::string Quoted(const std::string& text);

}  // namespace tarvelin::standin
