#pragma once
// Connects the window's commands to the engine: the album-list command and the download
// job with its pause, resume, stop and open-folder buttons.

#include <memory>

namespace tarvelin {
class SessionState;
class WindowPort;
}  // namespace tarvelin

namespace tarvelin::app {

class MainWindow;

class EngineWiring {
 public:
  // `window`, `port` and `session` must outlive the wiring.
  EngineWiring(MainWindow& window, WindowPort& port, SessionState& session);
  ~EngineWiring();
  EngineWiring(const EngineWiring&) = delete;
  EngineWiring& operator=(const EngineWiring&) = delete;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace tarvelin::app
