#pragma once
// Reads the login view's cookie text and outer HTML. Both come from page scripts, which
// answer later on the UI thread; HttpOnly cookies, which scripts cannot see, are added
// from the browser's cookie store.

#include <QString>
#include <functional>

class QWebEngineView;

namespace tarvelin::app {

class CookieMirror;

// Starts the reading on the UI thread; `done` runs there once both answers arrived.
void ReadLoginPageAsync(QWebEngineView* view, const CookieMirror* cookies,
                        std::function<void(const QString& cookieText, const QString& html)> done);

}  // namespace tarvelin::app
