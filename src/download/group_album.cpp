// Group albums: the group photo list behind the proxy, pages of 500, photos saved under
// their own names.

#include <algorithm>
#include <string>

#include "download/album_downloaders.h"
#include "download/download_texts.h"
#include "download/photo_files.h"
#include "download/photo_transfer.h"
#include "download/progress_display.h"
#include "download/request_texts.h"
#include "session/session_fetch.h"
#include "net/codec.h"
#include "net/endpoints.h"
#include "net/job_control.h"
#include "net/json_reply.h"
#include "net/text.h"
#include "net/wait.h"
#include "session/session_state.h"

namespace tarvelin::download {
namespace {

constexpr long long kPageSize = 500;
constexpr int kListTries = 5;

Text PageUrl(DownloadContext& context, const AlbumJob& job, long long page) {
  const SessionValues session = context.session.Snapshot();
  return Text("http://") + endpoints::ProxyHost + "/proxy/domain/" + endpoints::GroupPhotoHost +
         "/cgi-bin/upp/qun_list_photo_v2?g_tk=" + session.pskeyToken +
         "&qzonetoken=" + session.pageToken +
         "&callback=shine1_Callback&t=" + std::to_string(context.Random(100000000, 999999999)) +
         "&qunId=" + context.port.Target() + "&albumId=" + job.albumId +
         "&uin=" + session.accountNumber + "&start=" + std::to_string(kPageSize * (page - 1)) +
         "&num=500&getCommentCnt=0&getMemberRole=1&hostUin=" + session.accountNumber +
         "&getalbum=1&format=json&platform=qzone&inCharset=utf-8&outCharset=utf-8"
         "&source=qzone&callbackFun=shine1&_=" +
         MillisecondStamp();
}

// Empty when every try came back empty.
Text FetchPage(DownloadContext& context, const Text& url) {
  for (int attempt = 0; attempt < kListTries && !JobStopped(); ++attempt) {
    Text text = Utf8ToText(SessionFetchWinInet(context.session, url));
    if (!text.empty()) return text;
    PumpingWait(2000);
  }
  return Text();
}

// rawurl, else hdurl, else burl at its larger size. An empty address falls through too.
Text PhotoUrl(const JsonNode& photo) {
  for (const char* member : {"rawurl", "hdurl"}) {
    const Text url = BareUrl(photo.Member(member).JsonText());
    if (!url.empty()) return url;
  }
  return TextReplace(BareUrl(photo.Member("burl").JsonText()), "200?w5", "800?w5");
}

}  // namespace

void DownloadGroupAlbum(DownloadContext& context, const AlbumJob& job) {
  JobPort& port = context.port;
  const DownloadSettings settings = port.Settings();
  ProgressDisplay progress(port);
  const long long photoCount = std::max(0LL, LeadingNumber(job.photoCount));
  progress.Begin(photoCount);
  port.Log(Text(texts::kPrepareAlbumOpen) + job.albumName + texts::kPrepareAlbumClose);

  const long long pageCount = photoCount / kPageSize + 1;
  const Text albumName = CleanFileName(job.albumName);
  const Text target = port.Target();
  if (!JobCheckpoint()) return;  // a stopped job makes no folder
  const Text folder =
      MakeAlbumFolder(context.BaseFolder(settings), target, albumName + job.photoCount);
  const Text headers = PhotoPageHeaders(job.albumId);
  FreeNames names(folder);
  bool albumFailed = false;
  bool lastPageFull = false;
  Text lastPageFirst;  // a service that ignores the page start would repeat its first page
  // The table's count may be stale: past the counted pages, a full page asks for the next.
  for (long long page = 1; page <= pageCount || lastPageFull; ++page) {
    if (JobStopped()) return;
    const Text text = FetchPage(context, PageUrl(context, job, page));
    if (JobStopped()) return;
    JsonReply reply(text);
    const JsonNode data = reply.Root().Member("data");
    if (!reply.Valid() || data.IsNull()) {
      if (!albumFailed) {
        ReportAlbumFailure(
            context, albumName,
            text.empty() ? Text(texts::kReasonNoReply) : Text(texts::kReasonBadReply));
      }
      albumFailed = true;
      lastPageFull = false;
      continue;
    }
    const JsonNode photos = data.Member("photos");
    const int count = photos.Length();
    for (int j = 1; j <= count; ++j) {
      if (JobStopped()) return;
      const long long sequence = kPageSize * (page - 1) + j;
      progress.Show(sequence);
      port.Status(StatusLabel::PhotoNumber,
                  texts::kGroupPhotoOpen + std::to_string(sequence) + texts::kGroupPhotoClose);
      const JsonNode photo = photos.Item(j - 1);
      PhotoSource source;
      source.url = PhotoUrl(photo);
      source.headers = headers;
      Text name = CleanFileName(TextTrim(photo.Member("name").Unquoted()));
      if (name.empty()) name = texts::kNoName;
      const PhotoOutcome outcome = FetchPhoto(context.session, source);
      PumpingWait(100);
      if (JobStopped()) return;
      if (!StorePhoto(context, albumName, name, names.Next(name), outcome)) return;
    }
    const Text first = photos.Item(0).JsonText();
    lastPageFull = count == kPageSize && first != lastPageFirst;
    lastPageFirst = first;
  }
  if (!albumFailed) port.Log(Text(texts::kDoneGroupOpen) + albumName + texts::kDoneClose);
  port.Status(StatusLabel::PhotoNumber, "");
}

}  // namespace tarvelin::download
