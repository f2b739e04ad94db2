#include "app/login_page_reader.h"

#include <QPointer>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <memory>

#include "app/cookie_mirror.h"

namespace tarvelin::app {

void ReadLoginPageAsync(QWebEngineView* view, const CookieMirror* cookies,
                        std::function<void(const QString& cookieText, const QString& html)> done) {
  struct Answers {
    QString documentCookie, html;
    int pending = 2;
  };
  auto answers = std::make_shared<Answers>();
  const QUrl url = view->page()->url();
  QPointer<CookieMirror> store(const_cast<CookieMirror*>(cookies));
  auto finish = [answers, store, url, done = std::move(done)] {
    if (--answers->pending > 0) return;
    const std::vector<QNetworkCookie> stored =
        store ? store->CookiesFor(url) : std::vector<QNetworkCookie>();
    done(MergeDocumentCookies(answers->documentCookie, stored), answers->html);
  };
  view->page()->runJavaScript(QStringLiteral("document.cookie"),
                              [answers, finish](const QVariant& value) {
                                answers->documentCookie = value.toString();
                                finish();
                              });
  view->page()->runJavaScript(QStringLiteral("document.documentElement.outerHTML"),
                              [answers, finish](const QVariant& value) {
                                answers->html = value.toString();
                                finish();
                              });
}

}  // namespace tarvelin::app
