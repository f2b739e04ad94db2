// Interface 2: the album view that lists a whole album (up to 2000 photos) in one reply.

#include <algorithm>
#include <string>

#include "download/album_downloaders.h"
#include "download/download_texts.h"
#include "download/photo_files.h"
#include "download/photo_transfer.h"
#include "download/progress_display.h"
#include "download/request_texts.h"
#include "session/session_fetch.h"
#include "net/endpoints.h"
#include "net/job_control.h"
#include "net/json_reply.h"
#include "net/text.h"
#include "net/wait.h"
#include "session/session_state.h"

namespace tarvelin::download {
namespace {

constexpr int kListTries = 10;

struct AlbumText {
  bool ok = false;
  Text text;
  Text reason;
};

AlbumText FetchAlbum(DownloadContext& context, const Text& url) {
  AlbumText result;
  for (int attempt = 0; attempt < kListTries && !JobStopped(); ++attempt) {
    const Text listingTarget = context.session.ListingTarget();
    result.text = SessionFetchWinHttp(context.session, url, ViewAlbumHeaders(listingTarget));
    if (result.text.empty()) {
      result.reason = texts::kReasonNoReply;
    } else if (TextFind(result.text, texts::kNotLoggedIn) >= 0) {
      result.reason = texts::kReasonNotLoggedIn;
    } else if (TextFind(result.text, texts::kBusyV2) >= 0) {
      result.reason = texts::kReasonBusy;
    } else {
      result.ok = true;
      return result;
    }
    PumpingWait(1000);
  }
  return result;
}

Text PhotoUrl(const JsonNode& photo) {
  const Text raw = BareUrl(photo.Member("raw").Unquoted());
  return raw.empty() ? BareUrl(photo.Member("url").JsonText()) : raw;
}

}  // namespace

void DownloadSpaceAlbumWhole(DownloadContext& context, const AlbumJob& job) {
  JobPort& port = context.port;
  const DownloadSettings settings = port.Settings();
  const long long threshold = SecondDownloadThreshold(settings.secondDownloadKb);
  port.Status(StatusLabel::ProgressRatio, "");
  ProgressDisplay progress(port);
  progress.Begin(std::max(0LL, LeadingNumber(job.photoCount)));
  port.Log(Text(texts::kPrepareAlbumOpen) + job.albumName + texts::kPrepareAlbumClose);

  const Text target = port.Target();
  if (!JobCheckpoint()) return;  // a stopped job makes no folder
  const Text folder = MakeAlbumFolder(context.BaseFolder(settings), target, job.albumName);
  FreeNames names(folder);
  const Text albumHost = TextReplace(context.lookupPhotoHost(context.session.ListingTarget()),
                                     endpoints::ShortPhotoDomain, endpoints::SpacePhotoDomain);
  const SessionValues session = context.session.Snapshot();
  const Text url = Text("http://") + endpoints::ProxyHost + "/proxy/domain/" + albumHost +
                   "/cgi-bin/common/cgi_view_album_v2?inCharset=gbk&outCharset=gbk&format=json"
                   "&plat=qzone&source=qzone&idcNum=0&hostUin=" +
                   context.session.ListingTarget() + "&albumId=" + job.albumId +
                   "&t=" + MillisecondStamp() + "&g_tk=" + session.pskeyToken +
                   "&uin=" + session.accountNumber;
  const AlbumText album = FetchAlbum(context, url);
  if (JobStopped()) return;
  JsonReply reply(album.text);
  const JsonNode data = reply.Root().Member("data");
  if (!album.ok || !reply.Valid() || data.IsNull()) {
    ReportAlbumFailure(context, job.albumName,
                       album.ok ? Text(texts::kReasonBadReply) : album.reason);
    port.Status(StatusLabel::PhotoNumber, "");
    return;
  }
  const JsonNode photos = data.Member("pic");
  const int count = photos.Length();
  const Text headers = PhotoPageHeaders(job.albumId);
  for (int j = 1; j <= count; ++j) {
    if (JobStopped()) return;
    progress.Show(j);
    port.Status(StatusLabel::PhotoNumber, job.photoCount + "/" + std::to_string(j));
    const JsonNode photo = photos.Item(j - 1);
    PhotoSource source;
    source.url = PhotoUrl(photo);
    source.headers = headers;
    source.timeoutSeconds = 60;
    source.threshold = threshold;
    source.secondUrl = StoreForm(source.url, "psb?/", true);
    source.secondTimeoutSeconds = 120;
    const Text name = CleanFileName(TextTrim(photo.Member("name").Unquoted()));
    const PhotoOutcome outcome = FetchPhoto(context.session, source);
    PumpingWait(10);
    if (JobStopped()) return;
    const Text path = PhotoFilePath(names, settings.nameFormat, name, j);
    if (!StorePhoto(context, job.albumName, DisplayName(name, j), path, outcome)) return;
  }
  port.Log(Text(texts::kDoneV2Open) + job.albumName + texts::kDoneClose);
  port.Status(StatusLabel::PhotoNumber, "");
}

}  // namespace tarvelin::download
