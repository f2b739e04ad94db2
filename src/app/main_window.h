#pragma once
// The main window: toolbar, the tab pages "》 登录 《", "批量下载" and "设置", the album
// table with its side panel, the operation log and the status controls. Controls carry
// the names the rest of the program addresses them by.

#include <QPointer>
#include <QWidget>
#include <functional>

#include "app/app_paths.h"
#include "app/find_window.h"
#include "port/types.h"

class QAction;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QToolBar;
class QWebEngineProfile;
class QWebEngineView;

namespace tarvelin::app {

class AlbumTable;
class CookieMirror;
class TabControl;

class MainWindow : public QWidget {
  Q_OBJECT
 public:
  // Desktop services; tests replace them.
  struct Desktop {
    std::function<void(const QString& text, const QString& caption)> message;  // OK only
    std::function<bool(const QString& text, const QString& caption)> confirm;  // OK/Cancel
    std::function<void(const QString& target)> shellOpen;
    std::function<QString(const QString& title)> chooseFolder;  // "" when cancelled
  };
  // A long command: runs when idle and calls `finished` (from any thread) when its work
  // has ended; a press while it runs is refused.
  using LongCommand = std::function<void(std::function<void()> finished)>;

  // `profile` is the login view's browser profile (a persistent one of its own when null).
  explicit MainWindow(AppPaths paths, QWebEngineProfile* profile = nullptr,
                      QWidget* parent = nullptr);
  ~MainWindow() override;

  // The start-up sequence: caption, version, settings, first navigation of the login view.
  void StartUp();

  // Commands wired in by the album catalogue and the download engine.
  LongCommand listAlbumsCommand;            // 按钮_获取相册封面 "1:获取相册"
  LongCommand downloadCommand;              // 按钮_下载选中 "2:下载选中"
  std::function<void()> pauseCommand;       // 按钮_暂停线程
  std::function<void()> resumeCommand;      // 按钮_继续下载
  std::function<void()> stopCommand;        // 按钮_结束下载
  std::function<void()> openFolderCommand;  // 按钮3 "打开目录"
  Desktop desktop;

  const AppPaths& Paths() const { return paths_; }
  template <typename T>
  T* Control(const QString& name) const {
    return findChild<T*>(name);
  }
  AlbumTable* Albums() const { return albums_; }
  QWebEngineView* LoginView() const { return loginView_; }
  QWebEngineProfile* Profile() const { return profile_; }
  CookieMirror* Cookies() const { return cookies_; }
  QAction* ToolbarAction(int page) const { return toolbarActions_[page]; }
  FindWindow* Finder() const { return finder_; }
  int VersionCheckPending() const { return versionCheckPending_; }
  bool ListingRunning() const { return listingRunning_; }
  bool DownloadRunning() const { return downloadRunning_; }

  // Window operations (UI thread).
  void AppendLog(const QString& text);
  void SetStatus(StatusLabel label, const QString& text);
  void SetProgressMaximum(int maximum);
  void SetProgress(int position);
  void SetJobButtons(JobButtons set);
  DownloadSettings Settings() const;
  void SelectPage(int page);
  void ShowMessage(const QString& text, const QString& caption = QString());
  bool Confirm(const QString& text, const QString& caption = QString());
  void ShellOpen(const QString& target);
  void NavigateLoginView();                      // to the address in 编辑框_weburl
  void NavigateLoginViewTo(const QString& url);  // to an address, no display change
  void ChooseSaveFolder();
  void CheckForUpdateNow();           // 按钮_checknew, on the UI thread
  void StartAutomaticVersionCheck();  // worker thread, once per run
  void ClearServiceCookies();         // 按钮5
  void ApplyResizeRule(int width);
  void OpenFindWindow();
  // Album table and side panel.
  void ShowSelectedRow();
  void RenameAlbum();
  void VisitAlbum();
  void TickAll();
  void InvertTicks();
  void SwitchSource(int index);
  void LoadHistory();
  void ListAlbums();     // 按钮_获取相册封面
  void StartDownload();  // 按钮_下载选中

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildToolbar();
  void BuildLoginPage(QWidget* page);
  void BuildDownloadPage(QWidget* page);
  void BuildSidePanel(QWidget* panel);
  void BuildSettingsPage(QWidget* page);
  void ConnectHandlers();
  void RunLongCommand(const LongCommand& command, bool MainWindow::*running,
                      const QString& busyText);

  AppPaths paths_;
  QWebEngineProfile* profile_ = nullptr;
  QWebEngineProfile* ownedProfile_ = nullptr;
  TabControl* tabs_ = nullptr;
  QWebEngineView* loginView_ = nullptr;
  AlbumTable* albums_ = nullptr;
  QPlainTextEdit* log_ = nullptr;
  QProgressBar* progress_ = nullptr;
  CookieMirror* cookies_ = nullptr;
  QAction* toolbarActions_[3] = {};
  QPointer<FindWindow> finder_;
  int versionCheckPending_ = 0;
  bool listingRunning_ = false;
  bool downloadRunning_ = false;
  bool versionCheckRunning_ = false;
};

}  // namespace tarvelin::app
