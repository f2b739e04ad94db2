#include "app/engine_wiring.h"

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "app/main_window.h"
#include "app/text_qt.h"
#include "catalogue/album_list_command.h"
#include "download/download_job.h"
#include "port/window_port.h"
#include "session/session_state.h"

namespace tarvelin::app {

struct EngineWiring::Impl {
  Impl(MainWindow& w, WindowPort& p, SessionState& s)
      : window(w), port(p), session(s), job(p, s, ToText(w.Paths().programDirectory)) {}

  ~Impl() {
    // Workers of this wiring hold references to it: let them end first.
    closing = true;
    for (std::thread& watcher : watchers) {
      if (watcher.joinable()) watcher.join();
    }
  }

  MainWindow& window;
  WindowPort& port;
  SessionState& session;
  download::DownloadJob job;
  std::vector<std::thread> watchers;
  std::atomic<bool> closing{false};
};

EngineWiring::EngineWiring(MainWindow& window, WindowPort& port, SessionState& session)
    : impl_(std::make_unique<Impl>(window, port, session)) {
  Impl* impl = impl_.get();
  window.listAlbumsCommand = [impl](std::function<void()> finished) {
    AlbumListPaths paths;
    paths.historyFile = impl->window.Paths().HistoryFilePath().toStdString();
    // The command blocks on the window for every control it uses: it runs on a worker.
    std::thread([impl, paths, finished] {
      RunAlbumListCommand(impl->port, impl->session, paths);
      finished();
    }).detach();
  };
  window.downloadCommand = [impl](std::function<void()> finished) {
    impl->job.Start();
    impl->watchers.emplace_back([impl, finished] {
      while (impl->job.Running() && !impl->closing) {
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
      }
      finished();
    });
  };
  window.pauseCommand = [impl] { impl->job.Pause(); };
  window.resumeCommand = [impl] { impl->job.Resume(); };
  window.stopCommand = [impl] { impl->job.Stop(); };
  window.openFolderCommand = [impl] {
    download::OpenDownloadFolder(impl->port, ToText(impl->window.Paths().programDirectory));
  };
}

EngineWiring::~EngineWiring() = default;

}  // namespace tarvelin::app
