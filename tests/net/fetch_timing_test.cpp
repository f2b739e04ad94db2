#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "fetch_fixture.h"
#include "net/job_control.h"
#include "net/page_fetch.h"

namespace tarvelin {
namespace {

using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

TEST_F(FetchTest, TimeOutsOfEachClient) {
  SetTimeoutScale(0.005);  // one second of a client becomes 5 ms
  Serve("/hang", Hang());
  const Text url = "http://qzs.qq.com/hang";
  struct Case {
    const char* name;
    std::function<void()> call;
    long long expectMs;
  };
  const Case cases[] = {
      {"request object, default 15 s",
       [&] {
         PageFetch fetch;
         fetch.url = url;
         EXPECT_EQ(FetchRequestObject(fetch), "");
       },
       75},
      {"request object, 60 s",
       [&] {
         PageFetch fetch;
         fetch.url = url;
         RequestObjectOptions options;
         options.timeoutSeconds = 60;
         FetchRequestObject(fetch, options);
       },
       300},
      {"request object, -1 keeps its own 30 s",
       [&] {
         PageFetch fetch;
         fetch.url = url;
         RequestObjectOptions options;
         options.timeoutSeconds = -1;
         FetchRequestObject(fetch, options);
       },
       150},
      {"WinHTTP, default 30 s",
       [&] {
         PageFetch fetch;
         fetch.url = url;
         FetchWinHttp(fetch);
       },
       150},
      {"WinHTTP, 5 s",
       [&] {
         PageFetch fetch;
         fetch.url = url;
         WinHttpOptions options;
         options.timeoutSeconds = 5;
         FetchWinHttp(fetch, options);
       },
       25},
  };
  for (const auto& c : cases) {
    const auto start = Clock::now();
    c.call();
    const long long ms = MsSince(start);
    EXPECT_GE(ms, c.expectMs) << c.name;
    EXPECT_LT(ms, c.expectMs + 400) << c.name;
  }
}

TEST_F(FetchTest, StopEndsATransferWithinAHundredMilliseconds) {
  Serve("/hang", Hang());
  Serve("/slow", [] {
    standin::ScriptedReply reply = Reply({}, "late");
    reply.delayMs = 5000;
    return reply;
  }());
  for (const char* url : {"http://qzs.qq.com/hang", "https://qzs.qq.com/slow"}) {
    JobControl job;
    std::atomic<long long> stoppedAt{0};
    Bytes body = "unset";
    std::thread worker([&] {
      ScopedJobControl scope(&job);
      PageFetch fetch;
      fetch.url = url;
      body = FetchRequestObject(fetch);
    });
    while (server.Requests().empty()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const auto start = Clock::now();
    job.Stop();
    worker.join();
    EXPECT_LT(MsSince(start), 100) << url;
    EXPECT_EQ(body, "") << url;
    server.ClearRequests();
  }
}

TEST_F(FetchTest, HaltedJobSendsNothingUntilReleased) {
  Serve("/q", Reply({}, "done"));
  JobControl job;
  job.Halt();
  Bytes body;
  std::thread worker([&] {
    ScopedJobControl scope(&job);
    PageFetch fetch;
    fetch.url = "http://qzs.qq.com/q";
    body = FetchWinInet(fetch);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_TRUE(server.Requests().empty());
  job.Release();
  worker.join();
  EXPECT_EQ(body, "done");

  job.Stop();  // a stopped job sends nothing at all
  ScopedJobControl scope(&job);
  PageFetch fetch;
  fetch.url = "http://qzs.qq.com/q";
  EXPECT_EQ(FetchWinInet(fetch), "");
  EXPECT_EQ(server.Requests().size(), 1u);
}

TEST_F(FetchTest, ConcurrentCallsFromManyThreads) {
  server.Route("", "/echo",
               [](const standin::RecordedRequest& r) { return Reply({}, r.Param("n")); });
  std::vector<std::thread> threads;
  std::atomic<int> good{0};
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t, &good] {
      for (int i = 0; i < 10; ++i) {
        const std::string n = std::to_string(t * 100 + i);
        PageFetch fetch;
        fetch.url = (i % 2 ? "https://qzs.qq.com/echo?n=" : "http://qzs.qq.com/echo?n=") + n;
        if (FetchRequestObject(fetch) == n) ++good;
      }
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(good.load(), 40);
}

}  // namespace
}  // namespace tarvelin
