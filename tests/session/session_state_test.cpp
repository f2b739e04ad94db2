#include "session/session_state.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "net/text.h"

namespace tarvelin {
namespace {

TEST(SessionState, ConcurrentMergesAreAllKept) {
  SessionState state;
  state.Replace(SessionValues{"uin=o001; skey=s", "1", "2", "3", "", ""});
  std::vector<std::thread> workers;
  for (int t = 0; t < 4; ++t) {
    workers.emplace_back([&state, t] {
      for (int i = 0; i < 50; ++i) {
        state.MergeReplyCookies("c" + std::to_string(t) + "_" + std::to_string(i) + "=v");
        const SessionValues seen = state.Snapshot();
        EXPECT_EQ(seen.accountNumber, "1");
      }
    });
  }
  for (std::thread& worker : workers) worker.join();
  const Text cookies = state.CookieText();
  for (int t = 0; t < 4; ++t) {
    for (int i = 0; i < 50; ++i) {
      const Text pair = "c" + std::to_string(t) + "_" + std::to_string(i) + "=v";
      EXPECT_GT(TextFind("; " + cookies + ";", "; " + pair + ";"), 0) << pair;
    }
  }
  EXPECT_GT(TextFind(cookies, "skey=s"), 0);
}

TEST(SessionState, AReplyCookieReplacesTheKeptValue) {
  SessionState state;
  state.Replace(SessionValues{"a=1; p_skey=old; b=2", "", "", "", "", ""});
  state.MergeReplyCookies("p_skey=new");
  EXPECT_EQ(state.CookieText(), "p_skey=new; a=1; b=2");
  state.MergeReplyCookies("b=deleted");
  EXPECT_EQ(state.CookieText(), "p_skey=new; a=1");
}

}  // namespace
}  // namespace tarvelin
