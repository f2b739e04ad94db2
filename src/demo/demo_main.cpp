// tarvelin-demo: the window program against a stand-in of the service in this process,
// with sample albums, so the program can be tried without an account or a network.

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QStyleFactory>
#include <QWebEngineProfile>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "app/app_paths.h"
#include "app/engine_wiring.h"
#include "app/main_window.h"
#include "app/qt_window_port.h"
#include "demo/demo_albums.h"
#include "net/endpoints.h"
#include "net/transport.h"
#include "net/wait.h"
#include "session/session_state.h"
#include "standin/fake_catalogue_routes.h"
#include "standin/fake_photo_routes.h"
#include "standin/standin_server.h"

namespace {

const char* kWelcomePage = R"(<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>Tarvelin 演示</title>
<style>
body { font-family: "Noto Sans CJK SC", sans-serif; background: #eef4fb; margin: 0; }
.card { width: 420px; margin: 60px auto; background: #fff; border-radius: 8px; padding: 28px;
        box-shadow: 0 2px 12px rgba(0,0,0,.15); text-align: center; }
a.login { display: inline-block; margin-top: 18px; padding: 10px 48px; background: #2f8ae5;
          color: #fff; border-radius: 4px; text-decoration: none; font-size: 18px; }
p { color: #555; line-height: 1.6; }
</style></head>
<body><div class="card">
<h2>Tarvelin 离线演示</h2>
<p>这是本机模拟的 QQ 空间。点击下面的按钮即可登录演示账号 10001。</p>
<p>登录后打开“批量下载”页：目标 QQ 填 10001 获取空间相册，或选择“QQ群相册”并填 20002。</p>
<a class="login" id="login" href="http://user.qzone.qq.com/10001">登录</a>
</div></body></html>
)";

}  // namespace

int main(int argc, char* argv[]) {
  using namespace tarvelin;
  // The stand-in starts first: the browser's host rules need its port before Qt starts.
  standin::StandinServer server;
  standin::FakeService service;
  // Chromium reads flags after --webEngineArgs, and only while QTWEBENGINE_CHROMIUM_FLAGS
  // is unset: that variable is split at blanks, which the host rules contain.
  const std::string port = std::to_string(server.HttpPort());
  std::vector<std::string> flags(argv, argv + argc);
  flags.push_back("--webEngineArgs");
  if (const char* extra = std::getenv("QTWEBENGINE_CHROMIUM_FLAGS")) {
    std::string word;
    for (std::istringstream words(extra); words >> word;) flags.push_back(word);
  }
  unsetenv("QTWEBENGINE_CHROMIUM_FLAGS");
  flags.push_back("--host-resolver-rules=MAP *.qq.com 127.0.0.1:" + port +
                  ", MAP qq.com 127.0.0.1:" + port);
  flags.push_back("--disable-gpu");
  std::vector<char*> arguments;
  for (std::string& flag : flags) arguments.push_back(flag.data());
  int argumentCount = static_cast<int>(arguments.size());
  arguments.push_back(nullptr);

  QApplication app(argumentCount, arguments.data());
  QApplication::setApplicationName(QStringLiteral("Tarvelin Demo"));
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  SetUiPump([] { QCoreApplication::processEvents(); });

  demo::FillDemoService(service);
  standin::InstallCatalogueRoutes(server, service);
  standin::InstallPhotoRoutes(server, service);
  server.Route(endpoints::SpaceSiteHost, "/", [](const standin::RecordedRequest&) {
    return standin::ScriptedReply::Text(kWelcomePage, "text/html; charset=utf-8");
  });
  SetTransportConfig(server.Transport());

  // The demo keeps its settings, history and downloads in a folder of its own.
  const QString home = QStandardPaths::writableLocation(QStandardPaths::TempLocation) +
                       QStringLiteral("/tarvelin-demo");
  QDir().mkpath(home);
  int status = 0;
  {
    QWebEngineProfile profile;  // off the record: the demo never touches real cookies
    SessionState session;
    app::MainWindow window(app::AppPathsIn(home), &profile);
    app::QtWindowPort windowPort(&window);
    app::EngineWiring wiring(window, windowPort, session);
    window.show();
    window.StartUp();
    status = app.exec();
  }
  std::_Exit(status);
}
