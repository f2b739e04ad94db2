#include <QApplication>
#include <QStyleFactory>
#include <cstdlib>

#include "app/app_paths.h"
#include "app/engine_wiring.h"
#include "app/main_window.h"
#include "app/qt_window_port.h"
#include "net/wait.h"
#include "session/session_state.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tarvelin"));
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  tarvelin::SetUiPump([] { QCoreApplication::processEvents(); });

  int status = 0;
  {
    tarvelin::app::MainWindow window(tarvelin::app::DefaultAppPaths());
    tarvelin::app::QtWindowPort port(&window);
    tarvelin::SessionState session;
    tarvelin::app::EngineWiring wiring(window, port, session);
    window.show();
    window.StartUp();
    status = app.exec();
  }
  // Closing the window ends the program at once, whatever workers still run.
  std::_Exit(status);
}
