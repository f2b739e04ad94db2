#pragma once
// What every window test shares: the stand-in server that answers for all service hosts
// (the browser view reaches it through host-resolver rules, the fetch clients through the
// transport settings), and small helpers.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>
#include <QTemporaryDir>
#include <QWebEngineProfile>
#include <functional>
#include <memory>

#include "app/main_window.h"
#include "standin/standin_server.h"

namespace tarvelin::app::testing {

standin::StandinServer& Server();

// Processes events until `done` holds or `timeoutMs` passes; returns `done()`.
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 20000) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < timeoutMs)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return done();
}

// A main window on files in a temporary folder, with an off-the-record browser profile and
// desktop services that record instead of showing anything.
struct WindowFixture {
  QTemporaryDir dir;
  std::unique_ptr<QWebEngineProfile> profile = std::make_unique<QWebEngineProfile>();
  std::unique_ptr<MainWindow> window;
  struct Box {
    QString text, caption;
    bool okCancel;
  };
  std::vector<Box> boxes;
  std::vector<QString> opened;
  bool confirmAnswer = false;
  QString chosenFolder;

  explicit WindowFixture(bool startUp = true) {
    window = std::make_unique<MainWindow>(AppPathsIn(dir.path()), profile.get());
    window->desktop.message = [this](const QString& text, const QString& caption) {
      boxes.push_back({text, caption, false});
    };
    window->desktop.confirm = [this](const QString& text, const QString& caption) {
      boxes.push_back({text, caption, true});
      return confirmAnswer;
    };
    window->desktop.shellOpen = [this](const QString& target) { opened.push_back(target); };
    window->desktop.chooseFolder = [this](const QString&) { return chosenFolder; };
    if (startUp) window->StartUp();
  }
  ~WindowFixture() { window.reset(); }
  QString SettingsFile() const { return window->Paths().SettingsFilePath(); }
};

}  // namespace tarvelin::app::testing
