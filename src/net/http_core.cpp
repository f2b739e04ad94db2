#include "net/http_core.h"

#include <curl/curl.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string_view>

#include "net/job_control.h"
#include "net/transport.h"

namespace tarvelin {

namespace {

using Clock = std::chrono::steady_clock;

std::atomic<size_t> gBodyLimit{size_t{256} << 20};

// Connection cache, DNS and TLS sessions shared by every thread's handle.
struct Share {
  CURLSH* handle = nullptr;
  std::mutex locks[CURL_LOCK_DATA_LAST];
};

void LockShare(CURL*, curl_lock_data data, curl_lock_access, void* user) {
  static_cast<Share*>(user)->locks[data].lock();
}

void UnlockShare(CURL*, curl_lock_data data, void* user) {
  static_cast<Share*>(user)->locks[data].unlock();
}

Share* GlobalShare() {
  // Never freed: detached worker threads may still hold handles attached to it at exit.
  static Share* share = [] {
    curl_global_init(CURL_GLOBAL_DEFAULT);
    auto* s = new Share;
    s->handle = curl_share_init();
    curl_share_setopt(s->handle, CURLSHOPT_LOCKFUNC, LockShare);
    curl_share_setopt(s->handle, CURLSHOPT_UNLOCKFUNC, UnlockShare);
    curl_share_setopt(s->handle, CURLSHOPT_USERDATA, s);
    curl_share_setopt(s->handle, CURLSHOPT_SHARE, CURL_LOCK_DATA_CONNECT);
    curl_share_setopt(s->handle, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
    curl_share_setopt(s->handle, CURLSHOPT_SHARE, CURL_LOCK_DATA_SSL_SESSION);
    return s;
  }();
  return share;
}

// One easy and one multi handle per thread, reset between exchanges.
struct ThreadHandles {
  CURL* easy = nullptr;
  CURLM* multi = nullptr;
  bool busy = false;
  ThreadHandles() {
    GlobalShare();
    easy = curl_easy_init();
    multi = curl_multi_init();
  }
  ~ThreadHandles() {
    if (multi != nullptr) curl_multi_cleanup(multi);
    if (easy != nullptr) curl_easy_cleanup(easy);
  }
  ThreadHandles(const ThreadHandles&) = delete;
  ThreadHandles& operator=(const ThreadHandles&) = delete;
};

ThreadHandles& Handles() {
  thread_local ThreadHandles handles;
  return handles;
}

struct Transfer {
  HttpResult* result = nullptr;
  Clock::time_point lastActivity;
  bool connected = false;
  bool sawStatus = false;
  bool tooLarge = false;
  std::string block;
  curl_off_t uploaded = 0;
};

size_t OnHeader(char* data, size_t size, size_t count, void* user) {
  auto* t = static_cast<Transfer*>(user);
  const size_t n = size * count;
  t->lastActivity = Clock::now();
  if (n >= 5 && std::string_view(data, 5) == "HTTP/") {
    t->block.clear();  // a new reply: after a redirect or an interim 1xx
    t->sawStatus = true;
  }
  if (t->block.size() + n > kHeaderBlockLimit) {
    t->tooLarge = true;
    return 0;
  }
  t->block.append(data, n);
  return n;
}

size_t OnBody(char* data, size_t size, size_t count, void* user) {
  auto* t = static_cast<Transfer*>(user);
  const size_t n = size * count;
  t->lastActivity = Clock::now();
  if (t->result->body.size() + n > gBodyLimit.load()) {
    t->tooLarge = true;
    return 0;
  }
  t->result->body.append(data, n);
  return n;
}

int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t ulnow) {
  auto* t = static_cast<Transfer*>(user);
  if (ulnow != t->uploaded) {
    t->uploaded = ulnow;
    t->lastActivity = Clock::now();
  }
  return JobStopped() ? 1 : 0;
}

// Called once the connection is ready and before the request goes out (also on reuse).
int OnConnected(void* user, char*, char*, int, int) {
  auto* t = static_cast<Transfer*>(user);
  t->connected = true;
  t->lastActivity = Clock::now();
  return CURL_PREREQFUNC_OK;
}

// Bytes that curl's URL parser refuses or alters (spaces, controls, 8-bit) go percent-encoded.
std::string EscapeUrl(const std::string& url) {
  static const char* hex = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : url) {
    if (c <= 0x20 || c >= 0x7F) {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

bool HasHeader(const std::vector<std::string>& lines, const char* name) {
  const size_t length = std::char_traits<char>::length(name);
  for (const auto& line : lines) {
    if (line.size() > length && line[length] == ':' && curl_strnequal(line.c_str(), name, length))
      return true;
  }
  return false;
}

long Scaled(long ms, double scale) {
  const double v = static_cast<double>(ms) * scale;
  return v < 1 ? 1 : static_cast<long>(v);
}

void FreeList(curl_slist* list) {
  if (list != nullptr) curl_slist_free_all(list);
}

}  // namespace

size_t HttpBodyLimit() { return gBodyLimit.load(); }
void SetHttpBodyLimit(size_t bytes) { gBodyLimit.store(bytes); }

HttpResult PerformHttp(const HttpRequest& request) {
  HttpResult result;
  if (!JobCheckpoint()) {
    result.failure = HttpFailure::Stopped;
    return result;
  }
  const TransportConfig config = GetTransportConfig();

  ThreadHandles& shared = Handles();
  std::unique_ptr<ThreadHandles> own;
  ThreadHandles* handles = &shared;
  if (shared.busy) {  // re-entered on this thread: use a handle of its own
    own = std::make_unique<ThreadHandles>();
    handles = own.get();
  }
  if (handles->easy == nullptr || handles->multi == nullptr) {
    result.failure = HttpFailure::Setup;
    return result;
  }
  handles->busy = true;
  CURL* easy = handles->easy;
  curl_easy_reset(easy);

  Transfer transfer;
  transfer.result = &result;
  transfer.lastActivity = Clock::now();
  const std::string url = EscapeUrl(request.url);
  curl_easy_setopt(easy, CURLOPT_SHARE, GlobalShare()->handle);
  curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1);
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_PATH_AS_IS, 1L);
  curl_easy_setopt(easy, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
  curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, request.followRedirects ? 1L : 0L);
  curl_easy_setopt(easy, CURLOPT_MAXREDIRS, 10L);
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS,
                   Scaled(request.connectTimeoutMs, config.timeoutScale));
  curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, OnHeader);
  curl_easy_setopt(easy, CURLOPT_HEADERDATA, &transfer);
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, OnBody);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, &transfer);
  curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, OnProgress);
  curl_easy_setopt(easy, CURLOPT_XFERINFODATA, &transfer);
  curl_easy_setopt(easy, CURLOPT_PREREQFUNCTION, OnConnected);
  curl_easy_setopt(easy, CURLOPT_PREREQDATA, &transfer);

  if (request.verb == "HEAD") {
    curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
  } else if (request.sendBody || request.verb == "POST" || request.verb == "PUT") {
    curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE,
                     static_cast<curl_off_t>(request.body.size()));
    curl_easy_setopt(easy, CURLOPT_POSTFIELDS, request.body.data());
    // POST is curl's own verb for a body, so a 302 still turns it into GET.
    if (request.verb != "POST") curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, request.verb.c_str());
  } else {
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
  }

  // Exactly the given lines: an empty value is sent as "Name:", curl's own Accept and
  // Expect lines are suppressed. No User-Agent is added because none is set.
  curl_slist* headers = nullptr;
  for (std::string line : request.headerLines) {
    // A line break inside a value would start a header of its own.
    for (char& c : line) {
      if (c == '\r' || c == '\n') c = ' ';
    }
    const size_t colon = line.find(':');
    if (colon == std::string::npos || colon == 0) continue;
    if (line.find_first_not_of(" \t", colon + 1) == std::string::npos) {
      headers = curl_slist_append(headers, (line.substr(0, colon) + ";").c_str());
    } else {
      headers = curl_slist_append(headers, line.c_str());
    }
  }
  if (!HasHeader(request.headerLines, "Accept")) headers = curl_slist_append(headers, "Accept:");
  headers = curl_slist_append(headers, "Expect:");
  curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);

  curl_slist* connectTo = nullptr;
  for (const auto& entry : config.connectTo)
    connectTo = curl_slist_append(connectTo, entry.c_str());
  curl_easy_setopt(easy, CURLOPT_CONNECT_TO, connectTo);

  if (request.verifyTls) {
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!config.caFile.empty()) {
      // CAINFO replaces the system bundle; the hashed system directory keeps it trusted.
      curl_easy_setopt(easy, CURLOPT_CAINFO, config.caFile.c_str());
      curl_easy_setopt(easy, CURLOPT_CAPATH, "/etc/ssl/certs");
    }
  } else {
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 0L);
  }

  // An empty proxy also keeps curl from taking one from the environment.
  const std::string proxy = !request.proxy.empty() ? request.proxy : config.proxy;
  curl_easy_setopt(easy, CURLOPT_PROXY, proxy.c_str());
  if (!proxy.empty() && !request.proxyUser.empty()) {
    curl_easy_setopt(easy, CURLOPT_PROXYUSERNAME, request.proxyUser.c_str());
    curl_easy_setopt(easy, CURLOPT_PROXYPASSWORD, request.proxyPassword.c_str());
    curl_easy_setopt(easy, CURLOPT_PROXYAUTH, static_cast<long>(CURLAUTH_BASIC));
  }
  if (!request.serverUser.empty()) {
    curl_easy_setopt(easy, CURLOPT_USERNAME, request.serverUser.c_str());
    curl_easy_setopt(easy, CURLOPT_PASSWORD, request.serverPassword.c_str());
    curl_easy_setopt(easy, CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC));
  }

  CURLM* multi = handles->multi;
  CURLcode code = CURLE_OK;
  bool stopped = false;
  bool idle = false;
  if (curl_multi_add_handle(multi, easy) != CURLM_OK) {
    code = CURLE_FAILED_INIT;
  } else {
    const auto idleLimit =
        std::chrono::milliseconds(Scaled(request.idleTimeoutMs, config.timeoutScale));
    int running = 1;
    for (;;) {
      if (curl_multi_perform(multi, &running) != CURLM_OK) {
        code = CURLE_RECV_ERROR;
        break;
      }
      if (running == 0) break;
      if (JobStopped()) {
        stopped = true;
        break;
      }
      if (transfer.connected && Clock::now() - transfer.lastActivity > idleLimit) {
        idle = true;
        break;
      }
      // Short polls bound how late a stop or an idle time-out is noticed.
      curl_multi_poll(multi, nullptr, 0, 20, nullptr);
    }
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(multi, &left)) {
      if (message->msg == CURLMSG_DONE && message->easy_handle == easy) code = message->data.result;
    }
    if (stopped || idle) code = stopped ? CURLE_ABORTED_BY_CALLBACK : CURLE_OPERATION_TIMEDOUT;
    long status = 0;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
    result.status = transfer.sawStatus ? static_cast<int>(status) : 0;
    curl_multi_remove_handle(multi, easy);
  }
  FreeList(headers);
  FreeList(connectTo);
  handles->busy = false;

  result.connected = transfer.connected;
  result.headerBlock = std::move(transfer.block);
  if (code == CURLE_OK) return result;
  const bool headersComplete =
      result.headerBlock.size() >= 4 &&
      result.headerBlock.compare(result.headerBlock.size() - 4, 4, "\r\n\r\n") == 0;
  if (!headersComplete) {
    // A reply that broke off inside its header block counts as no reply at all.
    transfer.sawStatus = false;
    result.status = 0;
    result.headerBlock.clear();
    result.body.clear();
  }

  result.error = curl_easy_strerror(code);
  if (stopped || (code == CURLE_ABORTED_BY_CALLBACK && JobStopped())) {
    result.failure = HttpFailure::Stopped;
  } else if (transfer.tooLarge) {
    result.failure = HttpFailure::TooLarge;
  } else if (code == CURLE_URL_MALFORMAT || code == CURLE_UNSUPPORTED_PROTOCOL ||
             code == CURLE_FAILED_INIT) {
    result.failure = HttpFailure::Setup;
  } else if (!transfer.connected) {
    result.failure = HttpFailure::Connect;
  } else if (!transfer.sawStatus) {
    result.failure = HttpFailure::NoReply;
  } else {
    result.failure = HttpFailure::Body;
  }
  return result;
}

}  // namespace tarvelin
