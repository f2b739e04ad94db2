#include "standin/standin_server.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>

namespace tarvelin::standin {
namespace {

// A plain socket client, so the test controls every byte on the wire.
class RawClient {
 public:
  explicit RawClient(int port) {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(static_cast<uint16_t>(port));
    connected_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
  }
  ~RawClient() { ::close(fd_); }
  bool connected() const { return connected_; }
  void Send(const std::string& data) {
    ASSERT_EQ(::send(fd_, data.data(), data.size(), MSG_NOSIGNAL), ssize_t(data.size()));
  }
  // Reads until `bytes` have arrived or the server closes.
  std::string Receive(size_t bytes) {
    std::string out;
    char buffer[4096];
    while (out.size() < bytes) {
      ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
      if (n <= 0) break;
      out.append(buffer, static_cast<size_t>(n));
    }
    return out;
  }

 private:
  int fd_ = -1;
  bool connected_ = false;
};

TEST(StandinServer, RecordsRequestsAsTheyArrivedOnOneConnection) {
  StandinServer server;
  server.Route("", "/a", [](const RecordedRequest& r) {
    ScriptedReply reply = ScriptedReply::Text("got " + r.body, "text/plain");
    reply.headerLines.push_back("sEt-CoOkIe: x=1; path=/");
    return reply;
  });
  server.Route("Route.Store.QQ.com", "/a",
               [](const RecordedRequest&) { return ScriptedReply::Text("host-specific"); });

  RawClient client(server.HttpPort());
  ASSERT_TRUE(client.connected());
  client.Send(
      "POST /a?k=v&e=&z HTTP/1.1\r\nHost: qzs.qq.com:80\r\nzeta: 1\r\nAlpha:2\r\nContent-Length: "
      "5\r\n\r\nhello");
  const std::string first =
      "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nsEt-CoOkIe: x=1; path=/\r\nContent-Length: "
      "9\r\n\r\ngot hello";
  EXPECT_EQ(client.Receive(first.size()), first);
  client.Send(
      "GET /a HTTP/1.1\r\nHost: route.store.qq.com\r\n\r\nGET /missing HTTP/1.1\r\nHost: "
      "x\r\n\r\n");
  const std::string second =
      "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 13\r\n\r\nhost-specific"
      "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n";
  EXPECT_EQ(client.Receive(second.size()), second);

  auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 3u);
  const RecordedRequest& r = requests[0];
  EXPECT_EQ(r.requestLine, "POST /a?k=v&e=&z HTTP/1.1");
  EXPECT_EQ(r.method, "POST");
  EXPECT_EQ(r.path, "/a");
  EXPECT_EQ(r.query, "k=v&e=&z");
  EXPECT_EQ(r.Param("k"), "v");
  EXPECT_EQ(r.Param("z"), "");
  EXPECT_EQ(r.host, "qzs.qq.com");
  EXPECT_EQ(r.headerBlock, "Host: qzs.qq.com:80\r\nzeta: 1\r\nAlpha:2\r\nContent-Length: 5");
  ASSERT_EQ(r.headers.size(), 4u);
  EXPECT_EQ(r.headers[1], (std::pair<std::string, std::string>("zeta", "1")));
  EXPECT_EQ(r.headers[2], (std::pair<std::string, std::string>("Alpha", "2")));
  EXPECT_EQ(r.Header("ALPHA"), "2");
  EXPECT_EQ(r.body, "hello");
  EXPECT_EQ(requests[1].connection, requests[0].connection);
  EXPECT_EQ(requests[2].path, "/missing");
  EXPECT_EQ(server.ConnectionCount(), 1);
}

TEST(StandinServer, ScriptedTrouble) {
  StandinServer server;
  server.Route("", "/cut", [](const RecordedRequest&) {
    ScriptedReply reply = ScriptedReply::Text("0123456789");
    reply.closeAfterBytes = 4;
    return reply;
  });
  server.Route("", "/silent", [](const RecordedRequest&) {
    ScriptedReply reply;
    reply.noReply = true;
    return reply;
  });
  server.Route("", "/slow", [](const RecordedRequest&) {
    ScriptedReply reply = ScriptedReply::Text("late");
    reply.delayMs = 80;
    return reply;
  });
  {
    RawClient client(server.HttpPort());
    client.Send("GET /cut HTTP/1.1\r\nHost: a\r\n\r\n");
    std::string reply = client.Receive(1 << 20);
    EXPECT_NE(reply.find("Content-Length: 10\r\n\r\n0123"), std::string::npos);
    EXPECT_EQ(reply.substr(reply.size() - 4), "0123");
  }
  {
    RawClient client(server.HttpPort());
    client.Send("GET /silent HTTP/1.1\r\nHost: a\r\n\r\n");
    EXPECT_EQ(client.Receive(1), "");
  }
  {
    RawClient client(server.HttpPort());
    auto start = std::chrono::steady_clock::now();
    client.Send("GET /slow HTTP/1.1\r\nHost: a\r\n\r\n");
    const std::string expected =
        "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 4\r\n\r\nlate";
    EXPECT_EQ(client.Receive(expected.size()), expected);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(80));
  }
}

TEST(StandinServer, StopsPromptlyWithHangingAndIdleConnections) {
  auto start = std::chrono::steady_clock::now();
  {
    StandinServer server;
    server.Route("", "/hang", [](const RecordedRequest&) {
      ScriptedReply reply;
      reply.hang = true;
      return reply;
    });
    RawClient hanging(server.HttpPort());
    hanging.Send("GET /hang HTTP/1.1\r\nHost: a\r\n\r\n");
    RawClient idle(server.HttpsPort());  // TLS handshake never starts
    RawClient keptAlive(server.HttpPort());
    keptAlive.Send("GET /x HTTP/1.1\r\nHost: a\r\n\r\n");
    keptAlive.Receive(10);
    while (server.Requests().size() < 2) std::this_thread::yield();
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(StandinServer, ChunkedBodyAndExpectContinue) {
  StandinServer server;
  RawClient client(server.HttpPort());
  client.Send(
      "PUT /up HTTP/1.1\r\nHost: a\r\nExpect: 100-continue\r\nTransfer-Encoding: chunked\r\n\r\n");
  EXPECT_EQ(client.Receive(25), "HTTP/1.1 100 Continue\r\n\r\n");
  client.Send("3\r\nabc\r\nA\r\n0123456789\r\n0\r\n\r\n");
  client.Receive(10);
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0].body, "abc0123456789");
}

TEST(StandinServer, TransportAndCertificateAuthority) {
  StandinServer server;
  TransportConfig config = server.Transport();
  ASSERT_EQ(config.connectTo.size(), 2u);
  EXPECT_EQ(config.connectTo[0], ":80:127.0.0.1:" + std::to_string(server.HttpPort()));
  EXPECT_EQ(config.connectTo[1], ":443:127.0.0.1:" + std::to_string(server.HttpsPort()));
  std::ifstream pem(server.CaFile());
  std::stringstream text;
  text << pem.rdbuf();
  EXPECT_EQ(text.str().rfind("-----BEGIN CERTIFICATE-----", 0), 0u);
}

}  // namespace
}  // namespace tarvelin::standin
