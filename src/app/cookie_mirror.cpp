#include "app/cookie_mirror.h"

#include <QDateTime>
#include <QSet>
#include <QWebEngineCookieStore>
#include <algorithm>

namespace tarvelin::app {

CookieMirror::CookieMirror(QWebEngineCookieStore* store, QObject* parent)
    : QObject(parent), store_(store) {
  connect(store, &QWebEngineCookieStore::cookieAdded, this, [this](const QNetworkCookie& cookie) {
    const Key key = KeyOf(cookie);
    const auto found = cookies_.find(key);
    const quint64 order = found != cookies_.end() ? found->second.order : next_++;
    cookies_[key] = Entry{cookie, order};
  });
  connect(store, &QWebEngineCookieStore::cookieRemoved, this,
          [this](const QNetworkCookie& cookie) { cookies_.erase(KeyOf(cookie)); });
  store->loadAllCookies();
}

CookieMirror::Key CookieMirror::KeyOf(const QNetworkCookie& cookie) {
  return Key(cookie.name(), cookie.domain().toLower(), cookie.path());
}

std::vector<QNetworkCookie> CookieMirror::All() const {
  std::vector<const Entry*> entries;
  for (const auto& [key, entry] : cookies_) entries.push_back(&entry);
  std::sort(entries.begin(), entries.end(),
            [](const Entry* a, const Entry* b) { return a->order < b->order; });
  std::vector<QNetworkCookie> all;
  for (const Entry* entry : entries) all.push_back(entry->cookie);
  return all;
}

std::vector<QNetworkCookie> CookieMirror::CookiesFor(const QUrl& url) const {
  std::vector<QNetworkCookie> matching;
  for (const QNetworkCookie& cookie : All())
    if (CookieMatchesUrl(cookie, url)) matching.push_back(cookie);
  std::stable_sort(matching.begin(), matching.end(),
                   [](const QNetworkCookie& a, const QNetworkCookie& b) {
                     return a.path().size() > b.path().size();
                   });
  return matching;
}

bool CookieMatchesUrl(const QNetworkCookie& cookie, const QUrl& url) {
  const QString host = url.host().toLower();
  QString domain = cookie.domain().toLower();
  if (domain.startsWith('.')) {
    domain.remove(0, 1);
    if (host != domain && !host.endsWith('.' + domain)) return false;
  } else if (!domain.isEmpty() && host != domain) {
    return false;
  }
  const QString path = url.path().isEmpty() ? QStringLiteral("/") : url.path();
  const QString cookiePath = cookie.path().isEmpty() ? QStringLiteral("/") : cookie.path();
  if (!path.startsWith(cookiePath)) return false;
  if (path.size() > cookiePath.size() && !cookiePath.endsWith('/') &&
      path[cookiePath.size()] != '/')
    return false;
  if (cookie.isSecure() && url.scheme() != QLatin1String("https")) return false;
  if (!cookie.isSessionCookie() && cookie.expirationDate() < QDateTime::currentDateTimeUtc())
    return false;
  return true;
}

QString MergeDocumentCookies(const QString& documentCookie,
                             const std::vector<QNetworkCookie>& stored) {
  QStringList pairs;
  QSet<QString> names;
  for (const QString& piece : documentCookie.split(';', Qt::SkipEmptyParts)) {
    const QString pair = piece.trimmed();
    if (pair.isEmpty()) continue;
    pairs << pair;
    names.insert(pair.section('=', 0, 0).trimmed());
  }
  for (const QNetworkCookie& cookie : stored) {
    const QString name = QString::fromUtf8(cookie.name());
    if (names.contains(name)) continue;
    names.insert(name);
    pairs << name + '=' + QString::fromUtf8(cookie.value());
  }
  return pairs.join(QStringLiteral("; "));
}

}  // namespace tarvelin::app
