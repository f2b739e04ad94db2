#include "app/cookie_cleaner.h"

#include <QDateTime>
#include <QNetworkCookie>
#include <QUrl>
#include <QWebEngineCookieStore>

#include "app/cookie_mirror.h"

namespace tarvelin::app {
namespace {

QNetworkCookie ExpiredCookie(const QString& name, const QString& domain) {
  QNetworkCookie cookie(name.toUtf8(), QByteArrayLiteral("deleted"));
  cookie.setExpirationDate(QDateTime(QDate(1999, 1, 1), QTime(1, 1, 1), Qt::UTC));
  cookie.setPath(QStringLiteral("/"));
  if (!domain.isEmpty()) cookie.setDomain(domain);
  return cookie;
}

}  // namespace

QStringList ReadDomainCookieNames(const CookieMirror& cookies, const QString& domain) {
  QStringList names;
  for (const QNetworkCookie& cookie :
       cookies.CookiesFor(QUrl(QStringLiteral("http://") + domain + '/'))) {
    const QString name = QString::fromUtf8(cookie.name()).trimmed();
    if (!names.contains(name)) names << name;
  }
  return names;
}

void ClearServiceCookies(CookieMirror& cookies, const QString& domain) {
  const QUrl origin(QStringLiteral("http://") + domain);
  const QString mainDomain = domain.toLower();
  for (const QString& name : ReadDomainCookieNames(cookies, domain)) {
    cookies.Store()->setCookie(ExpiredCookie(name, QString()), origin);
    cookies.Store()->setCookie(ExpiredCookie(name, mainDomain), origin);
  }
}

}  // namespace tarvelin::app
