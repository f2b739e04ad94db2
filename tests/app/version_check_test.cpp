// The version check against a stand-in of the maker's version page.
#include "app/version_check.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "app_test_env.h"

namespace tarvelin::app::testing {
namespace {

const char* kPagePath = "/download/softzuixinv/index.html";

TEST(VersionCheck, ReadsTheEntryAndItsNumber) {
  EXPECT_EQ(
      LatestVersionIn("x#other@@9.9#other #velmorakin@@3.2#velmorakin #velmorakin@@4#velmorakin",
                      "velmorakin"),
      "3.2");
  EXPECT_EQ(LatestVersionIn("#velmorakin@@ 3.2 #velmorakin", "velmorakin"), " 3.2 ");
  EXPECT_EQ(LatestVersionIn("#velmorakin@@3.2", "velmorakin"), "");
  EXPECT_EQ(LatestVersionIn("#VELMORAKIN@@3.2#VELMORAKIN", "velmorakin"), "");
  const struct {
    const char* text;
    double number;
  } numbers[] = {{"3.10", 3.1}, {"3.2beta", 3.2}, {"12", 12}, {"v3", 0}, {"", 0}, {".5", 0.5}};
  for (const auto& n : numbers) EXPECT_DOUBLE_EQ(LeadingNumber(n.text), n.number) << n.text;
}

struct Outcome {
  const char* name;
  standin::ScriptedReply reply;
  QString latest, result;
  bool box;
};

TEST(VersionCheck, ButtonOutcomesAgainstTheVersionPage) {
  const QString newer = QString::fromUtf8(NewVersionText);
  standin::ScriptedReply unreachable;
  unreachable.noReply = true;
  const Outcome outcomes[] = {
      {"same", standin::ScriptedReply::Text("<p>#velmorakin@@3.1#velmorakin</p>"), "3.1",
       "无需更新", false},
      {"3.10", standin::ScriptedReply::Text("#velmorakin@@3.10#velmorakin"), "3.10", "无需更新",
       false},
      {"newer", standin::ScriptedReply::Text("#velmorakin@@3.2#velmorakin"), "3.2", newer, true},
      {"older", standin::ScriptedReply::Text("#velmorakin@@3.0#velmorakin"), "3.0", "无需更新",
       false},
      {"not a number", standin::ScriptedReply::Text("#velmorakin@@new#velmorakin"), "new",
       "无需更新", false},
      {"no end marker", standin::ScriptedReply::Text("#velmorakin@@3.2 and more"), "", "无需更新",
       false},
      {"unreachable", unreachable, "", "无需更新", false},
  };
  for (const Outcome& o : outcomes) {
    SCOPED_TRACE(o.name);
    WindowFixture f;
    Server().Route("tarvelin.example.org", kPagePath,
                   [o](const standin::RecordedRequest&) { return o.reply; });
    f.window->Control<QLabel>(QStringLiteral("标签_zxbanben"))->setText("stale");
    f.window->Control<QPushButton>(QStringLiteral("按钮_checknew"))->click();
    EXPECT_EQ(f.window->Control<QLabel>(QStringLiteral("标签_zxbanben"))->text(), o.latest);
    EXPECT_EQ(f.window->Control<QLabel>(QStringLiteral("标签_检测版本结果"))->text(), o.result);
    ASSERT_EQ(f.boxes.size(), o.box ? 1u : 0u);
    if (o.box) {
      EXPECT_TRUE(f.boxes[0].okCancel);
      EXPECT_EQ(f.boxes[0].text, newer);
      EXPECT_EQ(f.boxes[0].caption, QStringLiteral("信息："));
    }
    EXPECT_TRUE(f.opened.empty());  // Cancel opens nothing
    EXPECT_TRUE(f.window->Control<QPushButton>(QStringLiteral("按钮_checknew"))->isEnabled());
  }
}

TEST(VersionCheck, OkOpensTheMakersHomePageAndEveryClickChecksAgain) {
  WindowFixture f;
  Server().Route("tarvelin.example.org", kPagePath, [](const standin::RecordedRequest&) {
    return standin::ScriptedReply::Text("#velmorakin@@3.2#velmorakin");
  });
  Server().ClearRequests();
  f.confirmAnswer = true;
  auto* button = f.window->Control<QPushButton>(QStringLiteral("按钮_checknew"));
  button->click();
  button->click();
  EXPECT_EQ(f.opened,
            (std::vector<QString>{"http://tarvelin.example.org", "http://tarvelin.example.org"}));
  const auto requests = Server().Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].method, "GET");
  EXPECT_EQ(requests[0].host, "tarvelin.example.org");
}

}  // namespace
}  // namespace tarvelin::app::testing
