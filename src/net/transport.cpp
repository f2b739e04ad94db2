#include "net/transport.h"

#include <mutex>

namespace tarvelin {

namespace {
std::mutex gMutex;
TransportConfig& Config() {
  static TransportConfig config;
  return config;
}
}  // namespace

void SetTransportConfig(const TransportConfig& config) {
  std::lock_guard lock(gMutex);
  Config() = config;
}

TransportConfig GetTransportConfig() {
  std::lock_guard lock(gMutex);
  return Config();
}

}  // namespace tarvelin
