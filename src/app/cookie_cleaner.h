#pragma once
// Makes the login view's browser engine forget the service's cookies.

#include <QString>
#include <QStringList>

namespace tarvelin::app {

class CookieMirror;

// Names of the cookies a request to "http://" + domain + "/" would carry, HttpOnly ones
// included, each name once, in store order.
QStringList ReadDomainCookieNames(const CookieMirror& cookies, const QString& domain);
// Overwrites every such cookie with an expired one, once without and once with a domain
// attribute. Reports nothing.
void ClearServiceCookies(CookieMirror& cookies, const QString& domain);

}  // namespace tarvelin::app
