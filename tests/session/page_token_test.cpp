#include "session/page_token.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace tarvelin {
namespace {

TEST(PageToken, RewritesIndexingOfParenthesisedExpressions) {
  const std::pair<Text, Text> cases[] = {
      {"(\"abc\")[1]", "(\"abc\").substr(1,1)"},
      {"(s)[a[0]]", "(s).substr(a[0],1)"},
      {"(a)[1]+(b)[2]", "(a).substr(1,1)+(b).substr(2,1)"},
      {"(s)[a[b[1]]]+x", "(s).substr(a[b[1]],1)+x"},
      {"a[1]+f(x)", "a[1]+f(x)"},
      {"(x)[]+[]+{}", "(x)[]+[]+{}"},
      {"(x)[[].length]", "(x).substr([].length,1)"},
      {"'DATA'+'DOG'", "'[]TA'+'{}G'"},
      {"(a)[1", "(a)[1"},
      {"(a)[1]+(b)[2", "(a).substr(1,1)+(b)[2"},
      {"", ""},
  };
  for (const auto& [script, rewritten] : cases) {
    EXPECT_EQ(RewritePageScript(script), rewritten) << script;
  }
}

TEST(PageToken, ProgramTemplate) {
  EXPECT_EQ(
      PageTokenProgram("(\"ab\")[0]"),
      "location = 'http://qzone.qq.com/'\r\nfunction x(){\r\n\treturn (\"ab\").substr(0,1);\r\n}");
}

TEST(PageToken, EvaluatesTheExpression) {
  const std::pair<Text, Text> cases[] = {
      {"(\"abc\")[1]+(\"xyz\")[2]", "bz"},
      {"location", "http://qzone.qq.com/"},
      {"typeof location", "string"},
      {"6*7", "42"},
      {"[].concat([1,2]).length+({}).toString()", "2[object Object]"},
      {"", ""},   // returns nothing
      {"(", ""},  // does not compile
      {"(function(){ throw new Error('x') })()", ""},
      {"null", ""},
      {"typeof XMLHttpRequest + typeof Qt + typeof document + typeof window",
       "undefinedundefinedundefinedundefined"},
  };
  for (const auto& [script, token] : cases) {
    EXPECT_EQ(EvaluatePageToken(script), token) << script;
  }
}

TEST(PageToken, EndlessScriptIsInterrupted) {
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(EvaluatePageToken("(function(){ for(;;){} })()", 100), "");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  // The next evaluation starts with a fresh engine.
  EXPECT_EQ(EvaluatePageToken("(\"ok\")[1]", 100), "k");
}

TEST(PageToken, RunsOnAWorkerThread) {
  Text token;
  std::thread worker([&] { token = EvaluatePageToken("(\"tok\")[2]"); });
  worker.join();
  EXPECT_EQ(token, "k");
}

}  // namespace
}  // namespace tarvelin
