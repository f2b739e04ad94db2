#pragma once
// A stand-in server that every service host reaches through the transport settings.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "net/http_core.h"
#include "net/transport.h"
#include "standin/standin_server.h"

namespace tarvelin {

using HeaderList = std::vector<std::pair<std::string, std::string>>;

class FetchTest : public ::testing::Test {
 protected:
  void SetUp() override { SetTransportConfig(server.Transport()); }
  void TearDown() override {
    SetTransportConfig({});
    SetHttpBodyLimit(size_t{256} << 20);
  }
  void SetTimeoutScale(double scale) {
    TransportConfig config = server.Transport();
    config.timeoutScale = scale;
    SetTransportConfig(config);
  }
  void Serve(const std::string& path, standin::ScriptedReply reply) {
    server.Route("", path, [reply](const standin::RecordedRequest&) { return reply; });
  }
  standin::RecordedRequest OnlyRequest() {
    auto requests = server.Requests();
    EXPECT_EQ(requests.size(), 1u);
    return requests.empty() ? standin::RecordedRequest() : requests.back();
  }

  standin::StandinServer server;
};

inline standin::ScriptedReply Reply(std::vector<std::string> headerLines, std::string body,
                                    int status = 200, std::string reason = "OK") {
  standin::ScriptedReply reply;
  reply.status = status;
  reply.reason = std::move(reason);
  reply.headerLines = std::move(headerLines);
  reply.body = std::move(body);
  return reply;
}

inline standin::ScriptedReply Hang() {
  standin::ScriptedReply reply;
  reply.hang = true;
  return reply;
}

}  // namespace tarvelin
