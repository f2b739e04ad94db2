#pragma once
// A local HTTP and HTTPS server on loopback that records every request as it arrived
// on the wire and answers from handlers that a test or the demo installs.

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "net/transport.h"

namespace tarvelin::standin {

struct RecordedRequest {
  bool tls = false;
  int connection = 0;       // 1-based number of the connection that carried it
  std::string requestLine;  // "GET /path?q HTTP/1.1"
  std::string method;
  std::string target;  // "/path?q"
  std::string path;    // "/path"
  std::string query;   // "q" (without "?")
  std::string host;    // the Host header, without port, lower-cased
  std::vector<std::pair<std::string, std::string>> headers;  // in wire order, as written
  std::string headerBlock;  // the raw header lines, "\r\n" separated
  std::string body;
  // First value of a header (name compared without case), or "".
  std::string Header(const std::string& name) const;
  // Value of a query parameter (raw, not decoded), or "".
  std::string Param(const std::string& name) const;
};

struct ScriptedReply {
  int status = 200;
  std::string reason = "OK";
  std::vector<std::string> headerLines;  // "Name: value", sent as given
  std::string body;
  int delayMs = 0;           // wait before the status line
  int closeAfterBytes = -1;  // >=0: close the connection after that many body bytes
  bool noReply = false;      // read the request, then close without answering
  bool hang = false;         // read the request, then send nothing until the server stops

  static ScriptedReply Text(std::string body, std::string contentType = "text/html");
};

using Handler = std::function<ScriptedReply(const RecordedRequest&)>;

class StandinServer {
 public:
  StandinServer();  // listens on 127.0.0.1, ephemeral ports
  ~StandinServer();
  StandinServer(const StandinServer&) = delete;
  StandinServer& operator=(const StandinServer&) = delete;

  int HttpPort() const;
  int HttpsPort() const;
  // PEM file of the CA that signed the server certificate (valid for every service host).
  std::string CaFile() const;

  // Handlers are tried newest first; host "" matches any host, path is compared exactly
  // with the request path (no query). Unmatched requests get 404.
  void Route(const std::string& host, const std::string& path, Handler handler);
  void ClearRoutes();

  std::vector<RecordedRequest> Requests() const;
  int ConnectionCount() const;  // connections accepted so far
  void ClearRequests();

  // A transport configuration that sends every host on ports 80 and 443 here.
  TransportConfig Transport() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace tarvelin::standin
