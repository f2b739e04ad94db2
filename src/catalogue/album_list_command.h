#pragma once
// The command of "1:获取相册": read the login, refuse when it cannot go on, log the login
// values, record the target, then list the albums of the space or the group.

#include <filesystem>

#include "port/types.h"

namespace tarvelin {

class SessionState;
class WindowPort;

struct AlbumListPaths {
  std::filesystem::path historyFile;  // "qq.txt" beside the program
};

// Runs the whole command, listing included, on the calling thread, which must not be the
// window's (every window call may block for the window). A front end starts it on a worker
// thread per press. While one command runs, another is refused with a status text. Needs
// a QCoreApplication (the page token is evaluated on the calling thread).
void RunAlbumListCommand(WindowPort& window, SessionState& session, const AlbumListPaths& paths);

// True while a command runs.
bool AlbumListRunning();

// The caption of 标签_空间或群 for a source; empty for no source.
Text SourcePrompt(AlbumSource source);

}  // namespace tarvelin
