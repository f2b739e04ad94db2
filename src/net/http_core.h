#pragma once
// The one HTTP exchange under the three page-fetch clients: libcurl with a shared
// connection cache, no cookie engine, header lines sent exactly as given, and the calling
// thread's JobControl honoured (a halted job waits before sending, a stopped one aborts).

#include <cstddef>
#include <string>
#include <vector>

#include "port/types.h"

namespace tarvelin {

enum class HttpFailure {
  None,
  Setup,     // the address or the options were refused; nothing was sent
  Connect,   // no connection (refused, unresolved, TLS refused, connect time-out)
  NoReply,   // connected, but no status line arrived
  Body,      // the reply broke off after its status line; what arrived is kept
  TooLarge,  // the header block or the body passed its limit
  Stopped,   // the calling thread's job was stopped
};

struct HttpRequest {
  std::string url;
  std::string verb = "GET";              // GET, POST, HEAD or PUT
  std::vector<std::string> headerLines;  // sent in this order, right after Host
  Bytes body;
  bool sendBody = false;  // also for GET; HEAD never sends one
  bool followRedirects = true;
  long connectTimeoutMs = 60000;  // name lookup, connect and TLS handshake
  long idleTimeoutMs = 60000;     // longest silence once connected
  bool verifyTls = true;
  std::string proxy;                       // host:port; empty: the transport's proxy, if any
  std::string serverUser, serverPassword;  // basic authentication, when the user is set
  std::string proxyUser, proxyPassword;
};

struct HttpResult {
  HttpFailure failure = HttpFailure::None;
  bool connected = false;  // the request was handed to a connection
  int status = 0;          // of the final reply; 0 when none arrived
  // The final reply's status line and header lines, each ended by "\r\n", then "\r\n".
  std::string headerBlock;
  Bytes body;
  std::string error;  // libcurl's text, for diagnostics
};

HttpResult PerformHttp(const HttpRequest& request);

// Limits against hostile servers.
inline constexpr size_t kHeaderBlockLimit = size_t{1} << 20;
size_t HttpBodyLimit();               // 256 MiB
void SetHttpBodyLimit(size_t bytes);  // tests

}  // namespace tarvelin
