#pragma once

#include "port/types.h"

namespace tarvelin {

// Folds `received` into `cookies` (both lose their spaces); returns and stores the result.
Text MergeCookies(Text& cookies, Text& received);
Text CookieName(const Text& piece);

}  // namespace tarvelin
