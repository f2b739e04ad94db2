// The login view's cookies: reading them with the page (HttpOnly ones included) and
// cleaning the service's cookies out of the browser engine.
#include <gtest/gtest.h>

#include <QNetworkCookie>
#include <QPushButton>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <atomic>
#include <thread>

#include "app/cookie_cleaner.h"
#include "app/cookie_mirror.h"
#include "app/qt_window_port.h"
#include "app/text_qt.h"
#include "app_test_env.h"

namespace tarvelin::app::testing {
namespace {

bool Has(const CookieMirror& mirror, const char* name) {
  for (const QNetworkCookie& cookie : mirror.All())
    if (cookie.name() == name) return true;
  return false;
}

// Navigates and waits for that page (the start-up navigation may still be pending).
bool Loaded(QWebEngineView* view, const QUrl& url) {
  QCoreApplication::processEvents();
  bool done = false, ok = false;
  auto connection = QObject::connect(view, &QWebEngineView::loadFinished, [&](bool success) {
    if (view->url() != url) return;
    done = true;
    ok = success;
  });
  view->setUrl(url);
  PumpUntil([&] { return done; });
  QObject::disconnect(connection);
  return ok;
}

standin::ScriptedReply PageSetting(std::vector<std::string> cookies, std::string body) {
  standin::ScriptedReply reply = standin::ScriptedReply::Text(std::move(body));
  for (const std::string& cookie : cookies) reply.headerLines.push_back("Set-Cookie: " + cookie);
  return reply;
}

TEST(CookieCleaning, ExpiresTheDomainsCookiesHttpOnlyIncludedAndLeavesOthers) {
  WindowFixture f;
  Server().Route("qq.com", "/set", [](const standin::RecordedRequest&) {
    return PageSetting({"a=1; Path=/", "b=2; Path=/; HttpOnly", "c=3; Domain=qq.com; Path=/",
                        "deep=4; Path=/deep/"},
                       "<html><body>set</body></html>");
  });
  Server().Route("user.qzone.qq.com", "/set", [](const standin::RecordedRequest&) {
    return PageSetting({"keep=5; Path=/"}, "<html><body>sub</body></html>");
  });
  Server().Route("qq.com", "/check", [](const standin::RecordedRequest&) {
    return standin::ScriptedReply::Text("<html><body>check</body></html>");
  });
  QWebEngineView* view = f.window->LoginView();
  CookieMirror& mirror = *f.window->Cookies();
  ASSERT_TRUE(Loaded(view, QUrl("http://qq.com/set")));
  ASSERT_TRUE(Loaded(view, QUrl("http://user.qzone.qq.com/set")));
  ASSERT_TRUE(PumpUntil([&] {
    return Has(mirror, "a") && Has(mirror, "b") && Has(mirror, "c") && Has(mirror, "keep");
  }));
  EXPECT_EQ(ReadDomainCookieNames(mirror, "qq.com"), (QStringList{"a", "b", "c"}));

  f.window->Control<QPushButton>(QStringLiteral("按钮5"))->click();
  EXPECT_TRUE(
      PumpUntil([&] { return !Has(mirror, "a") && !Has(mirror, "b") && !Has(mirror, "c"); }));
  EXPECT_TRUE(Has(mirror, "keep"));
  EXPECT_TRUE(Has(mirror, "deep"));
  EXPECT_TRUE(f.boxes.empty());

  // The engine itself no longer sends them.
  Server().ClearRequests();
  ASSERT_TRUE(Loaded(view, QUrl("http://qq.com/check")));
  std::string sent = "<no request>";
  for (const auto& request : Server().Requests())
    if (request.path == "/check") sent = request.Header("Cookie");
  EXPECT_EQ(sent, "");

  // Nothing left: nothing to write.
  f.window->Control<QPushButton>(QStringLiteral("按钮5"))->click();
  EXPECT_TRUE(ReadDomainCookieNames(mirror, "qq.com").isEmpty());
}

TEST(LoginPage, DocumentCookiesFirstThenHttpOnlyOnesAndTheHtml) {
  WindowFixture f;
  Server().Route("user.qzone.qq.com", "/10001", [](const standin::RecordedRequest&) {
    return PageSetting(
        {"uin=o0010001; Domain=qq.com; Path=/", "skey=@sk01; Domain=qq.com; Path=/; HttpOnly",
         "p_skey=ps01; Domain=qzone.qq.com; Path=/; HttpOnly",
         "other=x; Domain=qq.com; Path=/other"},
        "<html><head><meta charset=\"utf-8\"><script>document.cookie='js=1; path=/';"
        "window.g_qzonetoken=(function(){ return 'tok'; })();</script></head>"
        "<body>登录页</body></html>");
  });
  QWebEngineView* view = f.window->LoginView();
  ASSERT_TRUE(Loaded(view, QUrl("http://user.qzone.qq.com/10001")));
  ASSERT_TRUE(PumpUntil([&] { return Has(*f.window->Cookies(), "p_skey"); }));
  QtWindowPort port(f.window.get());

  LoginPage fromWorker;
  std::atomic<bool> done{false};
  std::thread worker([&] {
    fromWorker = port.ReadLoginPage();
    done = true;
  });
  ASSERT_TRUE(PumpUntil([&] { return done.load(); }));
  worker.join();
  EXPECT_EQ(fromWorker.cookieText, "uin=o0010001; js=1; skey=@sk01; p_skey=ps01");
  EXPECT_NE(fromWorker.html.find("g_qzonetoken"), std::string::npos);
  EXPECT_NE(ToQString(fromWorker.html).indexOf(QStringLiteral("登录页")), -1);
  EXPECT_EQ(fromWorker.html.rfind("<html", 0), 0u);

  const LoginPage onUiThread = port.ReadLoginPage();
  EXPECT_EQ(onUiThread.cookieText, fromWorker.cookieText);
  EXPECT_EQ(onUiThread.html, fromWorker.html);
}

TEST(LoginPage, MergeKeepsDocumentOrderAndAddsMissingNames) {
  QNetworkCookie hidden("skey", "@1"), seen("uin", "o1");
  EXPECT_EQ(MergeDocumentCookies("uin=o1; a=2", {hidden, seen}), "uin=o1; a=2; skey=@1");
  EXPECT_EQ(MergeDocumentCookies("", {hidden}), "skey=@1");
  EXPECT_EQ(MergeDocumentCookies("", {}), "");
}

}  // namespace
}  // namespace tarvelin::app::testing
