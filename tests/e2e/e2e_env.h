#pragma once
// The window program as it runs for a user: main window, Qt window port, session and engine
// wiring, with the login view and every fetch client sent to one stand-in server.

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/engine_wiring.h"
#include "app/main_window.h"
#include "app/qt_window_port.h"
#include "session/session_state.h"
#include "standin/fake_service.h"
#include "standin/standin_server.h"

namespace tarvelin::e2e {

standin::StandinServer& Server();
// Shared by every test; its routes stay valid for the whole run.
standin::FakeService& Service();

// Gives the service `fill`'s data and (re)installs every route, so that the login page
// answers for each space owner.
void ResetService(const std::function<void(standin::FakeService&)>& fill);

// Generous: sanitizer builds on a loaded two-core machine are slow.
inline constexpr int kLongWaitMs = 90000;

inline bool WaitFor(const std::function<bool()>& done, int timeoutMs = kLongWaitMs) {
  return QTest::qWaitFor(done, timeoutMs);
}

// An album of `photos` photos of distinct JPEG bytes (at least 4000 bytes, above the
// second-download threshold), photo k named nameOf(k).
standin::FakeAlbum MakeAlbum(const std::string& id, const std::string& name, int photos,
                             unsigned seed, const std::function<std::string(int)>& nameOf);

inline constexpr const char* kOwner = "10001";  // the account of the login page
inline constexpr const char* kGroup = "30003";

// The space of kOwner: 春游 (5 photos, two names taken in turn), 私密 (locked), Trip 2017
// (3 photos with Chinese names) and 留下; the group kGroup: 班级 (4 photos) and 运动会.
void FillSample(standin::FakeService& service);
// Copies, taken under the service's lock.
standin::FakeAlbum SpaceAlbum(int index);
standin::FakeAlbum GroupAlbum(int index);

// Every regular file of a folder, by UTF-8 name, with its bytes.
std::map<std::string, std::string> FilesIn(const std::filesystem::path& folder);
// Requests of photo files that reached the stand-in.
std::vector<standin::RecordedRequest> PhotoRequests();

struct Box {
  QString text, caption;
  bool okCancel;
};

class Program {
 public:
  Program();
  ~Program();

  app::MainWindow& Window() { return *window_; }
  SessionState& Session() { return *session_; }
  std::filesystem::path Folder() const { return dir_.path().toStdString(); }

  template <typename T = QWidget>
  T* Control(const char16_t* name) const {
    return window_->Control<T>(QString::fromUtf16(name));
  }
  // Loads the stand-in login page of `owner` in the login view and waits for its cookies.
  bool LogIn(const std::string& owner);
  // Presses a button as a user can: only when it shows.
  bool Press(const char16_t* name);
  void Tick(const char16_t* radioButton);
  void ChooseSource(int index);
  void TypeTarget(const QString& target);
  // Presses "1:获取相册" and waits until the listing has ended.
  bool ListAlbums();
  // Presses "2:下载选中"; DownloadEnded() waits for the job's end.
  bool StartDownload();
  bool DownloadEnded();
  QString Log() const;
  // The visibility of 下载选中, 暂停线程, 继续下载 and 结束下载, as "1000" and the like.
  std::string JobButtons() const;
  bool HasMessage(const QString& text) const;

  std::vector<Box> boxes;
  std::vector<QString> opened;
  // Answers the stop question; Cancel unless a test says otherwise.
  std::function<bool()> answer = [] { return false; };

 private:
  QTemporaryDir dir_;
  std::unique_ptr<QWebEngineProfile> profile_;  // off the record
  std::unique_ptr<app::MainWindow> window_;
  std::unique_ptr<app::QtWindowPort> port_;
  std::unique_ptr<SessionState> session_;
  std::unique_ptr<app::EngineWiring> wiring_;
};

}  // namespace tarvelin::e2e
