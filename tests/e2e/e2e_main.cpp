// Test main: one stand-in server for the whole run, started before the QApplication so that
// the browser engine's host rules can name its port; the fetch clients go there too.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QNetworkCookie>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "app/cookie_mirror.h"
#include "e2e_env.h"
#include "net/transport.h"
#include "net/wait.h"
#include "standin/fake_catalogue_routes.h"
#include "standin/fake_jpeg.h"
#include "standin/fake_photo_routes.h"

namespace tarvelin::e2e {

namespace fs = std::filesystem;

standin::StandinServer& Server() {
  static standin::StandinServer server;
  return server;
}

standin::FakeService& Service() {
  static standin::FakeService service;
  return service;
}

void ResetService(const std::function<void(standin::FakeService&)>& fill) {
  standin::FakeService& service = Service();
  {
    std::lock_guard<std::mutex> lock(service.mutex);
    service.login = standin::FakeLogin{};
    service.spaces.clear();
    service.groups.clear();
    service.busyAlbumListReplies = 0;
    service.busyPhotoListReplies = 0;
    service.emptyPhotoListReplies = 0;
    service.notLoggedInPhotoListReplies = 0;
    fill(service);
  }
  Server().ClearRoutes();
  standin::InstallCatalogueRoutes(Server(), service);
  standin::InstallPhotoRoutes(Server(), service);
  Server().ClearRequests();
}

standin::FakeAlbum MakeAlbum(const std::string& id, const std::string& name, int photos,
                             unsigned seed, const std::function<std::string(int)>& nameOf) {
  standin::FakeAlbum album;
  album.id = id;
  album.name = name;
  for (int k = 0; k < photos; ++k) {
    standin::FakePhoto photo;
    photo.id = id + "p" + std::to_string(k);
    photo.name = nameOf(k);
    photo.bytes = standin::MakeFakeJpeg(4000 + 911 * static_cast<size_t>(k), seed + k);
    photo.uploadTime = "2017-04-21 08:00:00";
    album.photos.push_back(std::move(photo));
  }
  return album;
}

void FillSample(standin::FakeService& service) {
  service.login.uin = kOwner;
  const auto turns = [](int k) { return "IMG_" + std::to_string(k % 2); };
  auto& space = service.spaces[kOwner];
  space.owner = kOwner;
  space.albums.push_back(MakeAlbum("V1spring", "春游", 5, 10, turns));
  standin::FakeAlbum locked = MakeAlbum("V1locked", "私密", 2, 20, turns);
  locked.question = "宠物叫什么";
  space.albums.push_back(locked);
  space.albums.push_back(MakeAlbum("V1trip", "Trip 2017", 3, 30,
                                   [](int k) { return std::string(k == 1 ? "日落" : "海边"); }));
  space.albums.push_back(MakeAlbum("V1left", "留下", 2, 40, turns));
  auto& group = service.groups[kGroup];
  group.groupId = kGroup;
  group.albums.push_back(MakeAlbum("G1class", "班级", 4, 50, turns));
  group.albums.push_back(MakeAlbum("G1sport", "运动会", 2, 60, turns));
}

standin::FakeAlbum SpaceAlbum(int index) {
  std::lock_guard<std::mutex> lock(Service().mutex);
  return Service().spaces.at(kOwner).albums.at(index);
}

standin::FakeAlbum GroupAlbum(int index) {
  std::lock_guard<std::mutex> lock(Service().mutex);
  return Service().groups.at(kGroup).albums.at(index);
}

std::map<std::string, std::string> FilesIn(const fs::path& folder) {
  std::map<std::string, std::string> files;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    files[entry.path().filename().string()] =
        std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return files;
}

std::vector<standin::RecordedRequest> PhotoRequests() {
  std::vector<standin::RecordedRequest> photos;
  for (auto& request : Server().Requests())
    if (request.path == "/psb") photos.push_back(std::move(request));
  return photos;
}

Program::Program() : profile_(std::make_unique<QWebEngineProfile>()) {
  window_ = std::make_unique<app::MainWindow>(app::AppPathsIn(dir_.path()), profile_.get());
  window_->desktop.message = [this](const QString& text, const QString& caption) {
    boxes.push_back({text, caption, false});
  };
  window_->desktop.confirm = [this](const QString& text, const QString& caption) {
    boxes.push_back({text, caption, true});
    return answer();
  };
  window_->desktop.shellOpen = [this](const QString& target) { opened.push_back(target); };
  window_->desktop.chooseFolder = [](const QString&) { return QString(); };
  port_ = std::make_unique<app::QtWindowPort>(window_.get());
  session_ = std::make_unique<SessionState>();
  wiring_ = std::make_unique<app::EngineWiring>(*window_, *port_, *session_);
  window_->show();
  window_->StartUp();
}

Program::~Program() {
  // The wiring waits for its workers; they use the port, the session and the window.
  wiring_.reset();
  port_.reset();
  window_.reset();
  session_.reset();
  profile_.reset();
}

bool Program::LogIn(const std::string& owner) {
  window_->SelectPage(0);
  // The start-up navigation runs first, so that it cannot replace this one.
  QCoreApplication::processEvents();
  QWebEngineView* view = window_->LoginView();
  const QUrl url(QString::fromStdString("http://user.qzone.qq.com/" + owner));
  bool loaded = false;
  const auto connection = QObject::connect(view, &QWebEngineView::loadFinished, view, [&](bool ok) {
    if (ok && view->url() == url) loaded = true;
  });
  auto* address = Control<QLineEdit>(u"编辑框_weburl");
  address->setText(url.toString());
  const bool pressed = Press(u"按钮_打开网址");
  const bool ok = pressed && WaitFor([&] { return loaded; });
  QObject::disconnect(connection);
  if (!ok) return false;
  return WaitFor([this] {
    int found = 0;
    for (const QNetworkCookie& cookie : window_->Cookies()->All())
      found += cookie.name() == "uin" || cookie.name() == "skey" || cookie.name() == "p_skey";
    return found >= 3;
  });
}

bool Program::Press(const char16_t* name) {
  auto* button = Control<QPushButton>(name);
  if (!button || !button->isVisible() || !button->isEnabled()) return false;
  QTest::mouseClick(button, Qt::LeftButton);
  return true;
}

void Program::Tick(const char16_t* radioButton) {
  window_->SelectPage(2);
  QTest::mouseClick(Control<QRadioButton>(radioButton), Qt::LeftButton);
  window_->SelectPage(1);
}

void Program::ChooseSource(int index) {
  window_->ToolbarAction(1)->trigger();
  auto* source = Control<QComboBox>(u"组合框_相册与群");
  source->setFocus();
  while (source->currentIndex() != index)
    QTest::keyClick(source, source->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
}

void Program::TypeTarget(const QString& target) {
  window_->ToolbarAction(1)->trigger();
  auto* box = Control<QComboBox>(u"组合框_目标QQ");
  box->lineEdit()->clear();
  QTest::keyClicks(box->lineEdit(), target);
}

bool Program::ListAlbums() {
  window_->ToolbarAction(1)->trigger();
  return Press(u"按钮_获取相册封面") && WaitFor([this] { return !window_->ListingRunning(); });
}

bool Program::StartDownload() {
  window_->ToolbarAction(1)->trigger();
  return Press(u"按钮_下载选中") && window_->DownloadRunning();
}

bool Program::DownloadEnded() {
  return WaitFor([this] { return !window_->DownloadRunning(); });
}

QString Program::Log() const { return Control<QPlainTextEdit>(u"编辑框_操作记录")->toPlainText(); }

std::string Program::JobButtons() const {
  std::string set;
  for (const char16_t* name :
       {u"按钮_下载选中", u"按钮_暂停线程", u"按钮_继续下载", u"按钮_结束下载"})
    set += Control<QPushButton>(name)->isHidden() ? '0' : '1';
  return set;
}

bool Program::HasMessage(const QString& text) const {
  for (const Box& box : boxes)
    if (box.text == text) return true;
  return false;
}

}  // namespace tarvelin::e2e

// Chromium inside Qt WebEngine frees some objects through a base type of another size, which
// ASan reports when a page goes; that is the library's, not ours.
extern "C" const char* __asan_default_options() { return "new_delete_type_mismatch=0"; }

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  auto& server = tarvelin::e2e::Server();
  const std::string port = std::to_string(server.HttpPort());
  // The service's hosts lead to the stand-in. The engine splits this variable at blanks
  // outside double quotes, and the resolver rules hold blanks.
  const std::string flags = "--host-resolver-rules=\"MAP *.qq.com 127.0.0.1:" + port +
                            ", MAP qq.com 127.0.0.1:" + port + "\" --disable-gpu --no-sandbox";
  qputenv("QTWEBENGINE_CHROMIUM_FLAGS", QByteArray::fromStdString(flags));
  if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");

  QApplication app(argc, argv);
  tarvelin::SetTransportConfig(server.Transport());
  tarvelin::SetWaitScale(0);
  tarvelin::SetUiPump([] { QCoreApplication::processEvents(); });
  const int status = RUN_ALL_TESTS();
  // Detached workers of the window may still run.
  std::_Exit(status);
}
