#include "standin/standin_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdlib>
#include <list>
#include <mutex>
#include <thread>

#include "standin/tls_certs.h"

namespace tarvelin::standin {

namespace {

constexpr size_t kMaxRequestHead = 4 << 20;
constexpr size_t kMaxRequestBody = 64 << 20;

std::string Lower(std::string s) {
  for (auto& c : s) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return s;
}

std::string TrimSpaces(const std::string& s) {
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return {};
  size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

int Listen(int& port) {
  int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = 0;
  socklen_t len = sizeof addr;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, 64) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
    ::close(fd);
    return -1;
  }
  port = ntohs(addr.sin_port);
  return fd;
}

// One accepted connection, plain or TLS.
class Stream {
 public:
  Stream(int fd, SSL* ssl) : fd_(fd), ssl_(ssl) {}
  // Bytes read, 0 at the end of the stream or on an error.
  int Read(char* buffer, int size) {
    if (ssl_ != nullptr) {
      int n = SSL_read(ssl_, buffer, size);
      return n > 0 ? n : 0;
    }
    for (;;) {
      ssize_t n = ::recv(fd_, buffer, static_cast<size_t>(size), 0);
      if (n < 0 && errno == EINTR) continue;
      return n > 0 ? static_cast<int>(n) : 0;
    }
  }
  bool Write(const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
      const int chunk = static_cast<int>(std::min<size_t>(data.size() - done, 1 << 20));
      if (ssl_ != nullptr) {
        int n = SSL_write(ssl_, data.data() + done, chunk);
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
      } else {
        ssize_t n = ::send(fd_, data.data() + done, static_cast<size_t>(chunk), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
      }
    }
    return true;
  }

 private:
  int fd_;
  SSL* ssl_;
};

struct RouteEntry {
  std::string host;
  std::string path;
  Handler handler;
};

}  // namespace

ScriptedReply ScriptedReply::Text(std::string body, std::string contentType) {
  ScriptedReply reply;
  reply.headerLines.push_back("Content-Type: " + contentType);
  reply.body = std::move(body);
  return reply;
}

std::string RecordedRequest::Header(const std::string& name) const {
  const std::string wanted = Lower(name);
  for (const auto& [key, value] : headers) {
    if (Lower(key) == wanted) return value;
  }
  return {};
}

std::string RecordedRequest::Param(const std::string& name) const {
  size_t at = 0;
  while (at <= query.size()) {
    size_t end = query.find('&', at);
    if (end == std::string::npos) end = query.size();
    const std::string pair = query.substr(at, end - at);
    const size_t eq = pair.find('=');
    if (pair.substr(0, eq) == name)
      return eq == std::string::npos ? std::string() : pair.substr(eq + 1);
    at = end + 1;
  }
  return {};
}

struct StandinServer::Impl {
  int httpFd = -1;
  int httpsFd = -1;
  int httpPort = 0;
  int httpsPort = 0;
  int wake[2] = {-1, -1};
  SSL_CTX* tls = nullptr;
  std::string caFile;
  std::thread acceptor;

  mutable std::mutex mutex;
  std::condition_variable stopping;  // wakes delayed and hanging replies
  bool stopped = false;
  std::vector<RouteEntry> routes;
  std::vector<RecordedRequest> requests;
  int connections = 0;

  struct Connection {
    std::thread thread;
    int fd = -1;
    bool finished = false;
  };
  std::list<Connection> open;  // guarded by mutex

  void AcceptLoop();
  void Serve(std::list<Connection>::iterator self, int fd, bool tls, int number);
  bool ServeOne(Stream& stream, int fd, std::string& pending, bool tls, int number);
  Handler FindHandler(const RecordedRequest& request);
  bool WaitUnlessStopped(int ms);
  void HangUntilClosed(int fd);
  void ReapFinished();
};

StandinServer::StandinServer() : impl_(std::make_unique<Impl>()) {
  // A client that hangs up mid-reply must not kill the process.
  std::signal(SIGPIPE, SIG_IGN);
  Impl& s = *impl_;
  s.httpFd = Listen(s.httpPort);
  s.httpsFd = Listen(s.httpsPort);
  if (::pipe2(s.wake, O_CLOEXEC) != 0) s.wake[0] = s.wake[1] = -1;
  if (const TlsMaterial* material = StandinTlsMaterial()) {
    s.caFile = material->caFile;
    s.tls = SSL_CTX_new(TLS_server_method());
    if (s.tls != nullptr) {
      SSL_CTX_set_min_proto_version(s.tls, TLS1_2_VERSION);
      if (SSL_CTX_use_certificate(s.tls, material->serverCert) != 1 ||
          SSL_CTX_use_PrivateKey(s.tls, material->serverKey) != 1) {
        SSL_CTX_free(s.tls);
        s.tls = nullptr;
      }
    }
  }
  s.acceptor = std::thread([&s] { s.AcceptLoop(); });
}

StandinServer::~StandinServer() {
  Impl& s = *impl_;
  {
    std::lock_guard lock(s.mutex);
    s.stopped = true;
    for (auto& c : s.open) {
      if (c.fd >= 0) ::shutdown(c.fd, SHUT_RDWR);
    }
  }
  s.stopping.notify_all();
  if (s.wake[1] >= 0) {
    char byte = 0;
    [[maybe_unused]] ssize_t n = ::write(s.wake[1], &byte, 1);
  }
  if (s.acceptor.joinable()) s.acceptor.join();
  // No new connection can appear now; join every handler.
  std::list<Impl::Connection> all;
  {
    std::lock_guard lock(s.mutex);
    all.splice(all.end(), s.open);
  }
  for (auto& c : all) {
    if (c.thread.joinable()) c.thread.join();
  }
  for (int fd : {s.httpFd, s.httpsFd, s.wake[0], s.wake[1]}) {
    if (fd >= 0) ::close(fd);
  }
  SSL_CTX_free(s.tls);
}

int StandinServer::HttpPort() const { return impl_->httpPort; }
int StandinServer::HttpsPort() const { return impl_->httpsPort; }
std::string StandinServer::CaFile() const { return impl_->caFile; }

void StandinServer::Route(const std::string& host, const std::string& path, Handler handler) {
  std::lock_guard lock(impl_->mutex);
  impl_->routes.push_back({Lower(host), path, std::move(handler)});
}

void StandinServer::ClearRoutes() {
  std::lock_guard lock(impl_->mutex);
  impl_->routes.clear();
}

std::vector<RecordedRequest> StandinServer::Requests() const {
  std::lock_guard lock(impl_->mutex);
  return impl_->requests;
}

int StandinServer::ConnectionCount() const {
  std::lock_guard lock(impl_->mutex);
  return impl_->connections;
}

void StandinServer::ClearRequests() {
  std::lock_guard lock(impl_->mutex);
  impl_->requests.clear();
}

TransportConfig StandinServer::Transport() const {
  TransportConfig config;
  config.connectTo = {":80:127.0.0.1:" + std::to_string(impl_->httpPort),
                      ":443:127.0.0.1:" + std::to_string(impl_->httpsPort)};
  config.caFile = impl_->caFile;
  return config;
}

void StandinServer::Impl::ReapFinished() {
  std::list<Connection> done;
  {
    std::lock_guard lock(mutex);
    for (auto it = open.begin(); it != open.end();) {
      auto next = std::next(it);
      if (it->finished) done.splice(done.end(), open, it);
      it = next;
    }
  }
  for (auto& c : done) c.thread.join();
}

void StandinServer::Impl::AcceptLoop() {
  pollfd fds[3] = {{httpFd, POLLIN, 0}, {httpsFd, POLLIN, 0}, {wake[0], POLLIN, 0}};
  for (;;) {
    int n = ::poll(fds, 3, 1000);
    if (n < 0 && errno != EINTR) break;
    {
      std::lock_guard lock(mutex);
      if (stopped) break;
    }
    ReapFinished();
    for (int i = 0; i < 2; ++i) {
      if ((fds[i].revents & POLLIN) == 0) continue;
      int fd = ::accept4(fds[i].fd, nullptr, nullptr, SOCK_CLOEXEC);
      if (fd < 0) continue;
      int one = 1;
      ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
      std::lock_guard lock(mutex);
      if (stopped) {
        ::close(fd);
        continue;
      }
      const int number = ++connections;
      open.emplace_back();
      auto self = std::prev(open.end());
      self->fd = fd;
      const bool tls = i == 1;
      self->thread = std::thread([this, self, fd, tls, number] { Serve(self, fd, tls, number); });
    }
  }
}

bool StandinServer::Impl::WaitUnlessStopped(int ms) {
  std::unique_lock lock(mutex);
  return !stopping.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stopped; });
}

void StandinServer::Impl::HangUntilClosed(int fd) {
  char sink[4096];
  for (;;) {
    {
      std::lock_guard lock(mutex);
      if (stopped) return;
    }
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 50) > 0) {
      // The client gave up (or sent more); raw bytes are discarded either way.
      if (::recv(fd, sink, sizeof sink, MSG_DONTWAIT) <= 0) return;
    }
  }
}

Handler StandinServer::Impl::FindHandler(const RecordedRequest& request) {
  std::lock_guard lock(mutex);
  for (auto it = routes.rbegin(); it != routes.rend(); ++it) {
    if ((it->host.empty() || it->host == request.host) && it->path == request.path)
      return it->handler;
  }
  return {};
}

void StandinServer::Impl::Serve(std::list<Connection>::iterator self, int fd, bool tls,
                                int number) {
  SSL* ssl = nullptr;
  bool ok = true;
  if (tls) {
    ssl = this->tls != nullptr ? SSL_new(this->tls) : nullptr;
    ok = ssl != nullptr && SSL_set_fd(ssl, fd) == 1 && SSL_accept(ssl) == 1;
  }
  if (ok) {
    Stream stream(fd, ssl);
    std::string pending;
    while (ServeOne(stream, fd, pending, tls, number)) {
    }
  }
  if (ssl != nullptr) SSL_free(ssl);
  ERR_clear_error();
  std::lock_guard lock(mutex);
  ::close(fd);
  self->fd = -1;
  self->finished = true;
}

// Reads one request from the stream, records it and answers it. False ends the connection.
bool StandinServer::Impl::ServeOne(Stream& stream, int fd, std::string& pending, bool tls,
                                   int number) {
  char buffer[16384];
  size_t headEnd;
  while ((headEnd = pending.find("\r\n\r\n")) == std::string::npos) {
    if (pending.size() > kMaxRequestHead) return false;
    int n = stream.Read(buffer, sizeof buffer);
    if (n <= 0) return false;
    pending.append(buffer, static_cast<size_t>(n));
  }

  RecordedRequest request;
  request.tls = tls;
  request.connection = number;
  const std::string head = pending.substr(0, headEnd);
  size_t lineEnd = head.find("\r\n");
  request.requestLine = head.substr(0, lineEnd);
  request.headerBlock = lineEnd == std::string::npos ? std::string() : head.substr(lineEnd + 2);
  size_t sp1 = request.requestLine.find(' ');
  size_t sp2 = request.requestLine.rfind(' ');
  if (sp1 == std::string::npos || sp2 <= sp1) return false;
  request.method = request.requestLine.substr(0, sp1);
  request.target = request.requestLine.substr(sp1 + 1, sp2 - sp1 - 1);
  const size_t question = request.target.find('?');
  request.path = request.target.substr(0, question);
  if (question != std::string::npos) request.query = request.target.substr(question + 1);

  size_t at = 0;
  const std::string& block = request.headerBlock;
  while (!block.empty() && at <= block.size()) {
    size_t end = block.find("\r\n", at);
    if (end == std::string::npos) end = block.size();
    const std::string line = block.substr(at, end - at);
    const size_t colon = line.find(':');
    if (colon != std::string::npos)
      request.headers.emplace_back(line.substr(0, colon), TrimSpaces(line.substr(colon + 1)));
    at = end + 2;
  }
  std::string host = Lower(request.Header("Host"));
  if (!host.empty() && host.front() == '[') {
    host = host.substr(0, host.find(']') + 1);
  } else {
    host = host.substr(0, host.find(':'));
  }
  request.host = host;

  pending.erase(0, headEnd + 4);
  if (Lower(request.Header("Expect")) == "100-continue" &&
      !stream.Write("HTTP/1.1 100 Continue\r\n\r\n"))
    return false;
  // Reads until `pending` holds `count` bytes.
  auto fill = [&](size_t count) {
    while (pending.size() < count) {
      int n = stream.Read(buffer, sizeof buffer);
      if (n <= 0) return false;
      pending.append(buffer, static_cast<size_t>(n));
    }
    return true;
  };
  if (Lower(request.Header("Transfer-Encoding")).find("chunked") != std::string::npos) {
    for (;;) {
      size_t lineEnd;
      while ((lineEnd = pending.find("\r\n")) == std::string::npos) {
        if (!fill(pending.size() + 1)) return false;
      }
      const size_t size = std::strtoull(pending.c_str(), nullptr, 16);
      if (request.body.size() + size > kMaxRequestBody) return false;
      pending.erase(0, lineEnd + 2);
      if (!fill(size + 2)) return false;
      request.body.append(pending, 0, size);
      pending.erase(0, size + 2);
      if (size == 0) break;  // no trailers expected from the clients in use
    }
  } else {
    size_t bodyLength = 0;
    const std::string lengthText = request.Header("Content-Length");
    if (!lengthText.empty()) bodyLength = std::strtoull(lengthText.c_str(), nullptr, 10);
    if (bodyLength > kMaxRequestBody || !fill(bodyLength)) return false;
    request.body = pending.substr(0, bodyLength);
    pending.erase(0, bodyLength);
  }

  {
    std::lock_guard lock(mutex);
    requests.push_back(request);
  }

  ScriptedReply reply;
  if (Handler handler = FindHandler(request)) {
    reply = handler(request);
  } else {
    reply.status = 404;
    reply.reason = "Not Found";
  }
  if (reply.noReply) return false;
  if (reply.hang) {
    HangUntilClosed(fd);
    return false;
  }
  if (reply.delayMs > 0 && !WaitUnlessStopped(reply.delayMs)) return false;

  bool hasLength = false;
  bool close = Lower(request.Header("Connection")) == "close";
  std::string out = "HTTP/1.1 " + std::to_string(reply.status) + " " + reply.reason + "\r\n";
  for (const auto& line : reply.headerLines) {
    const std::string lower = Lower(line);
    if (lower.rfind("content-length:", 0) == 0 || lower.rfind("transfer-encoding:", 0) == 0)
      hasLength = true;
    if (lower.rfind("connection:", 0) == 0 && lower.find("close") != std::string::npos)
      close = true;
    out += line + "\r\n";
  }
  if (!hasLength) out += "Content-Length: " + std::to_string(reply.body.size()) + "\r\n";
  out += "\r\n";
  const bool noBody = request.method == "HEAD" || reply.status == 204 || reply.status == 304;
  if (reply.closeAfterBytes >= 0) {
    if (!noBody) out += reply.body.substr(0, static_cast<size_t>(reply.closeAfterBytes));
    stream.Write(out);
    return false;
  }
  if (!noBody) out += reply.body;
  return stream.Write(out) && !close;
}

}  // namespace tarvelin::standin
