#pragma once
// Helpers shared by the clients for the "\r\n"-separated header text.

#include <string>
#include <vector>

#include "port/types.h"

namespace tarvelin {

// The non-empty lines of a header text, in order.
std::vector<std::string> HeaderTextLines(const Text& headers);
// Time-out of a client in ms, never below 1.
long SecondsToMs(long long seconds);

}  // namespace tarvelin
