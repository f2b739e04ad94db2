#pragma once
// The "g_tk" request token the service expects, derived from a session cookie value.

#include "port/types.h"

namespace tarvelin {

// Hash of the key, walked byte by byte (a byte from 0x80 up counts as its own value),
// with the high bit cleared, in decimal. The empty key gives "5381".
Text RequestToken(const Text& key);

// RequestToken of the first capture group of the first match of pattern in cookieText
// (case ignored); "5381" when nothing matched.
Text CookieToken(const Text& cookieText, const Text& pattern);

// The skeyToken of a session that holds no skey value.
inline constexpr const char* kNotLoggedInToken = "5381";

}  // namespace tarvelin
