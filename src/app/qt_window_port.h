#pragma once
// The engine's way to the Qt main window. Callable from any thread: each call is carried
// to the UI thread, blocking where a value comes back or a box must be answered, queued
// otherwise. Queued and blocking calls of one thread arrive in the order they were made.

#include <QObject>
#include <QPointer>

#include "port/window_port.h"

namespace tarvelin::app {

class MainWindow;

class QtWindowPort : public QObject, public WindowPort {
  Q_OBJECT
 public:
  // Create on the UI thread. Once the window is gone, calls do nothing and return empty.
  explicit QtWindowPort(MainWindow* window, QObject* parent = nullptr);

  void AppendLog(const Text& text) override;
  void SetStatus(StatusLabel label, const Text& text) override;
  void SetProgressMaximum(int maximum) override;
  void SetProgress(int position) override;
  DownloadSettings Settings() override;
  Text TargetText() override;
  AlbumSource Source() override;
  bool ShowCovers() override;
  void ClearAlbums() override;
  void AppendAlbum(const AlbumRecord& record) override;
  std::vector<AlbumRecord> Albums() override;
  void SetCoverColumnVisible(bool visible) override;
  int AddCoverPicture(const Bytes& encoded) override;
  void SetAlbumCover(int row, int picture) override;
  void ShowMessage(const Text& text, const Text& caption = Text()) override;
  bool Confirm(const Text& text, const Text& caption) override;
  void OpenPath(const Text& pathOrUrl) override;
  void SetJobButtons(JobButtons set) override;
  LoginPage ReadLoginPage() override;
  void NavigateLoginView(const Text& url) override;
  void ShowLoginTab() override;

  // How long ReadLoginPage waits for the page's answers.
  static constexpr int kLoginPageTimeoutMs = 15000;

 private:
  template <typename F>
  auto OnWindow(F&& work);
  template <typename F>
  void OnWindowLater(F work);
  QPointer<MainWindow> window_;
};

}  // namespace tarvelin::app
