// Test main: a QApplication whose browser engine sends the service's hosts to the local
// stand-in server, and fetch clients that do the same.
#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <cstdlib>
#include <string>
#include <vector>

#include "app_test_env.h"
#include "net/transport.h"
#include "net/wait.h"

namespace tarvelin::app::testing {

standin::StandinServer& Server() {
  static standin::StandinServer server;
  return server;
}

}  // namespace tarvelin::app::testing

// Chromium inside Qt WebEngine frees some objects through a base type of another size,
// which ASan reports on every page teardown; the library is not ours to mend.
extern "C" const char* __asan_default_options() { return "new_delete_type_mismatch=0"; }

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  auto& server = tarvelin::app::testing::Server();
  const std::string port = std::to_string(server.HttpPort());
  std::vector<std::string> arguments(argv, argv + argc);
  // The engine reads flags after --webEngineArgs, and only while QTWEBENGINE_CHROMIUM_FLAGS
  // is unset: that variable is split at blanks, which the resolver rules contain.
  arguments.push_back("--webEngineArgs");
  for (const QByteArray& flag : qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").split(' '))
    if (!flag.isEmpty()) arguments.push_back(flag.toStdString());
  qunsetenv("QTWEBENGINE_CHROMIUM_FLAGS");
  arguments.push_back("--host-resolver-rules=MAP *.qq.com 127.0.0.1:" + port +
                      ", MAP qq.com 127.0.0.1:" + port);
  arguments.push_back("--disable-gpu");
  std::vector<char*> pointers;
  for (auto& argument : arguments) pointers.push_back(argument.data());
  int count = static_cast<int>(pointers.size());
  if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");

  QApplication app(count, pointers.data());
  tarvelin::SetTransportConfig(server.Transport());
  tarvelin::SetWaitScale(0);
  tarvelin::SetUiPump([] { QCoreApplication::processEvents(); });
  const int status = RUN_ALL_TESTS();
  // Detached workers of the window (the automatic version check) may still run.
  std::_Exit(status);
}
