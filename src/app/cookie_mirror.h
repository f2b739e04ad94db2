#pragma once
// A current copy of a Qt WebEngine cookie store, HttpOnly cookies included, which page
// scripts cannot see. One entry per name, domain and path, in the order they arrived.

#include <QNetworkCookie>
#include <QObject>
#include <QUrl>
#include <map>
#include <tuple>
#include <vector>

class QWebEngineCookieStore;

namespace tarvelin::app {

class CookieMirror : public QObject {
  Q_OBJECT
 public:
  explicit CookieMirror(QWebEngineCookieStore* store, QObject* parent = nullptr);

  QWebEngineCookieStore* Store() const { return store_; }
  // The cookies a request to `url` would carry, longer paths first, then oldest first.
  std::vector<QNetworkCookie> CookiesFor(const QUrl& url) const;
  std::vector<QNetworkCookie> All() const;

 private:
  using Key = std::tuple<QByteArray, QString, QString>;  // name, domain, path
  struct Entry {
    QNetworkCookie cookie;
    quint64 order;
  };
  static Key KeyOf(const QNetworkCookie& cookie);

  QWebEngineCookieStore* store_;
  std::map<Key, Entry> cookies_;
  quint64 next_ = 0;
};

// Whether a cookie would be sent to `url` (domain, path and secure rules of browsers).
bool CookieMatchesUrl(const QNetworkCookie& cookie, const QUrl& url);
// document.cookie's pairs in their order, then the pairs of `stored` whose names it lacks.
QString MergeDocumentCookies(const QString& documentCookie,
                             const std::vector<QNetworkCookie>& stored);

}  // namespace tarvelin::app
