#pragma once
// Process-wide settings of the HTTP core: where hosts really connect (curl's
// --connect-to), an extra CA file, a default proxy, and the time-out scale used by tests.

#include <string>
#include <vector>

namespace tarvelin {

struct TransportConfig {
  // Entries "HOST:PORT:CONNECT-TO-HOST:CONNECT-TO-PORT"; an empty field matches any.
  std::vector<std::string> connectTo;
  std::string caFile;         // extra trusted CA (PEM), empty for the system's
  std::string proxy;          // used when a call names none
  double timeoutScale = 1.0;  // tests shrink the clients' time-outs
};

void SetTransportConfig(const TransportConfig& config);
TransportConfig GetTransportConfig();

}  // namespace tarvelin
