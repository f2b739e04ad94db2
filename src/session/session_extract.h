#pragma once
// Reading the logged-in session out of the login view's document.

#include "port/window_port.h"
#include "session/session_state.h"

namespace tarvelin {

// The six login values of a document: the cookie text as it is, the account number of
// the uin cookie, the tokens of the skey and p_skey cookies, and the page script with its
// evaluated token. The cookie markers are applied to "; " + cookieText + ";", so a pair is
// found wherever the browser put it, first and last included.
SessionValues ExtractSession(const LoginPage& page);

// Reads the login view through the window and replaces every value of state. Runs the
// page script (see EvaluatePageToken), so a QCoreApplication must exist.
void ExtractSession(WindowPort& window, SessionState& state);

}  // namespace tarvelin
