#include "catalogue/album_list_command.h"

#include <atomic>

#include "catalogue/catalogue_texts.h"
#include "catalogue/group_album_list.h"
#include "catalogue/space_album_list.h"
#include "catalogue/target_history.h"
#include "net/endpoints.h"
#include "net/text.h"
#include "port/window_port.h"
#include "session/request_token.h"
#include "session/session_extract.h"
#include "session/session_state.h"

namespace tarvelin {

namespace texts = catalogue_texts;

namespace {

// One listing fills the one album table at a time.
std::atomic<bool> running{false};

class RunningFlag {
 public:
  RunningFlag() : acquired_(!running.exchange(true)) {}
  ~RunningFlag() {
    if (acquired_) running = false;
  }
  RunningFlag(const RunningFlag&) = delete;
  RunningFlag& operator=(const RunningFlag&) = delete;
  bool Acquired() const { return acquired_; }

 private:
  bool acquired_;
};

bool NotLoggedIn(const SessionState& session) {
  return session.Snapshot().skeyToken == kNotLoggedInToken;
}

}  // namespace

bool AlbumListRunning() { return running; }

Text SourcePrompt(AlbumSource source) {
  switch (source) {
    case AlbumSource::Space:
      return texts::kSpacePrompt;
    case AlbumSource::Group:
      return texts::kGroupPrompt;
    default:
      return Text();
  }
}

void RunAlbumListCommand(WindowPort& window, SessionState& session, const AlbumListPaths& paths) {
  RunningFlag flag;
  if (!flag.Acquired()) {
    window.SetStatus(StatusLabel::Dynamic, texts::kStillListing);
    return;
  }

  ExtractSession(window, session);
  const Text target = window.TargetText();
  if (target.empty()) {
    window.ShowMessage(texts::kEnterTarget);
    return;
  }
  const AlbumSource source = window.Source();
  if (NotLoggedIn(session) && source == AlbumSource::Space) {
    window.NavigateLoginView(Text("http://") + endpoints::SpaceUserHost + "/" + target);
    window.AppendLog(texts::kCacheProblemLog);
    window.ShowMessage(texts::kCacheProblemMessage);
    ExtractSession(window, session);
  }
  if (NotLoggedIn(session)) {
    window.ShowMessage(texts::kLogInFirst);
    window.ShowLoginTab();
    return;
  }
  if (TextFind(window.Settings().saveFolder, "\\Local\\Temp") > 0) {
    window.ShowMessage(texts::kTempFolderRefused);
    return;
  }

  const SessionValues login = session.Snapshot();
  window.AppendLog(texts::kLoginResult + login.skeyToken + "----" + login.pskeyToken +
                   texts::kAccount + login.accountNumber);
  RecordTarget(paths.historyFile, target);
  window.SetStatus(StatusLabel::SelectedCount, Text());
  window.SetStatus(StatusLabel::ProgressRatio, Text());
  window.SetStatus(StatusLabel::PhotoNumber, Text());

  if (source == AlbumSource::Space) {
    session.SetListingTarget(target);
    window.SetStatus(StatusLabel::Dynamic, texts::kListing);
    window.AppendLog(texts::kListingLog);
    ListSpaceAlbums(window, session);
  } else if (source == AlbumSource::Group) {
    window.SetStatus(StatusLabel::Dynamic, texts::kListing);
    window.AppendLog(texts::kListingLog);
    ListGroupAlbums(window, session);
  }
}

}  // namespace tarvelin
