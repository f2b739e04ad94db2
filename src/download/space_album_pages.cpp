// Interface 1: the paged photo list behind the proxy, in its full-size and
// high-definition variants.

#include <algorithm>
#include <string>
#include <vector>

#include "download/album_description.h"
#include "download/album_downloaders.h"
#include "download/download_texts.h"
#include "download/photo_files.h"
#include "download/photo_pipeline.h"
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

constexpr long long kPageSize = 400;

struct Variant {
  long long tLow, tHigh;
  int listTries;
  int photoTimeout;
  int secondTimeout;
};

Variant VariantOf(SpaceVariant variant) {
  if (variant == SpaceVariant::FullSize) return {100000000, 999999999, 10, 60, 120};
  return {1000000, 9999999, 15, 90, 60};
}

Text PageUrl(DownloadContext& context, const Text& routeHost, const AlbumJob& job, long long page,
             long long t) {
  const SessionValues session = context.session.Snapshot();
  return Text("http://") + endpoints::ProxyHost + "/proxy/domain/" + routeHost +
         "/fcgi-bin/cgi_list_photo?t=" + std::to_string(t) +
         "&mode=0&idcNum=0&hostUin=" + context.session.ListingTarget() + "&topicId=" + job.albumId +
         "&noTopic=0&uin=" + session.accountNumber +
         "&pageStart=" + std::to_string(kPageSize * (page - 1)) +
         "&pageNum=400&skipCmtCount=0&singleurl=1&batchId=&notice=0&appid=4&inCharset=utf-8"
         "&outCharset=utf-8&source=qzone&plat=qzone&outstyle=json&format=jsonp&json_esc=1"
         "&question=&answer=&callbackFun=shine0&g_tk=" +
         session.pskeyToken;
}

// The JSON inside "shine0_Callback(" ... ");". The last ");" closes it, so a photo name
// that holds ");" does not cut the page short.
Text CutCallback(const Text& reply) {
  const Text left = "shine0_Callback(";
  const int start = TextFind(reply, left);
  if (start < 0) return Text();
  const int from = start + static_cast<int>(left.size());
  const int end = TextFindReverse(reply, ");");
  if (end < from) return Text();
  return TextMid(reply, from, end - from);
}

struct PageText {
  bool ok = false;
  Text json;
  Text reason;
};

PageText FetchPage(DownloadContext& context, const Variant& variant, const Text& routeHost,
                   const AlbumJob& job, long long page) {
  PageText result;
  const Text url =
      PageUrl(context, routeHost, job, page, context.Random(variant.tLow, variant.tHigh));
  for (int attempt = 0; attempt < variant.listTries && !JobStopped(); ++attempt) {
    const Text reply = Utf8ToText(SessionFetchWinInet(context.session, url));
    result.json = CutCallback(reply);
    if (!result.json.empty() && TextFind(result.json, texts::kBusyV1) < 0) {
      result.ok = true;
      return result;
    }
    result.reason = !result.json.empty() ? texts::kReasonBusy
                    : reply.empty()      ? texts::kReasonNoReply
                                         : texts::kReasonBadReply;
    PumpingWait(1000);
  }
  return result;
}

Text PhotoUrl(const JsonNode& photo, SpaceVariant variant) {
  const Text url = BareUrl(photo.Member("url").JsonText());
  if (variant == SpaceVariant::HighDefinition) return url;
  const Text raw = BareUrl(photo.Member("raw").JsonText());
  if (!raw.empty()) return raw;
  if (photo.Member("raw_upload").Unquoted() == "1") {
    const Text store = StoreForm(url, "/psb?/", false);
    if (!store.empty()) return TextReplace(TextReplace(store, "/b/", "/r/"), "/a/", "/r/");
  }
  return url;
}

}  // namespace

void DownloadSpaceAlbum(DownloadContext& context, const AlbumJob& job, SpaceVariant which) {
  const Variant variant = VariantOf(which);
  JobPort& port = context.port;
  const DownloadSettings settings = port.Settings();
  const long long threshold = SecondDownloadThreshold(settings.secondDownloadKb);
  port.Status(StatusLabel::ProgressRatio, "");
  ProgressDisplay progress(port);
  const long long photoCount = std::max(0LL, LeadingNumber(job.photoCount));
  progress.Begin(photoCount);
  port.Log(Text(texts::kPrepareAlbumOpen) + job.albumName + texts::kPrepareAlbumClose);

  const long long pageCount = photoCount / kPageSize + 1;
  const Text target = port.Target();
  if (!JobCheckpoint()) return;  // a stopped job makes no folder
  const Text folder = MakeAlbumFolder(context.BaseFolder(settings), target, job.albumName);
  FreeNames names(folder);
  const Text routeHost = context.lookupPhotoHost(context.session.ListingTarget());
  bool albumFailed = false;
  bool lastPageFull = false;
  Text lastPageFirst;  // a service that ignores the page start would repeat its first page
  // The table's count may be stale: past the counted pages, a full page asks for the next.
  for (long long page = 1; page <= pageCount || lastPageFull; ++page) {
    if (JobStopped()) return;
    const PageText text = FetchPage(context, variant, routeHost, job, page);
    if (JobStopped()) return;
    JsonReply reply(text.json);
    const JsonNode data = reply.Root().Member("data");
    if (!text.ok || !reply.Valid() || data.IsNull()) {
      if (!albumFailed) {
        ReportAlbumFailure(context, job.albumName,
                           text.ok ? Text(texts::kReasonBadReply) : text.reason);
      }
      albumFailed = true;
      lastPageFull = false;
      continue;
    }
    const JsonNode photos = data.Member("photoList");
    const int count = photos.Length();
    if (page == 1 && count > 0 && JobCheckpoint()) WriteAlbumDescription(folder, data);
    const Text listingTarget = context.session.ListingTarget();
    std::vector<PhotoSource> sources(static_cast<size_t>(count));
    for (int j = 1; j <= count; ++j) {
      const JsonNode photo = photos.Item(j - 1);
      PhotoSource& source = sources[static_cast<size_t>(j - 1)];
      source.url = PhotoUrl(photo, which);
      source.headers = SpacePhotoHeaders(listingTarget);
      source.timeoutSeconds = variant.photoTimeout;
      source.threshold = threshold;
      source.secondTimeoutSeconds = variant.secondTimeout;
      source.secondUrl = StoreForm(BareUrl(photo.Member("url").JsonText()), "psb?/", true);
      if (which == SpaceVariant::FullSize) {
        source.secondUrl = TextReplace(source.secondUrl, "/b/", "/r/");
      }
    }
    PhotoPipeline pipeline(context.session, std::move(sources), context.photoThreads);
    for (int j = 1; j <= count; ++j) {
      if (JobStopped()) return;
      const long long sequence = kPageSize * (page - 1) + j;
      progress.Show(sequence);
      port.Status(StatusLabel::PhotoNumber, job.photoCount + "/" + std::to_string(sequence));
      const Text name = CleanFileName(TextTrim(photos.Item(j - 1).Member("name").Unquoted()));
      const PhotoOutcome outcome = pipeline.Take(static_cast<size_t>(j - 1));
      if (JobStopped()) return;
      const Text path = PhotoFilePath(names, settings.nameFormat, name, sequence);
      if (!StorePhoto(context, job.albumName, DisplayName(name, sequence), path, outcome)) return;
    }
    const Text first = photos.Item(0).JsonText();
    lastPageFull = count == kPageSize && first != lastPageFirst;
    lastPageFirst = first;
  }
  if (!albumFailed) port.Log(Text(texts::kDoneV1Open) + job.albumName + texts::kDoneClose);
  port.Status(StatusLabel::PhotoNumber, "");
}

}  // namespace tarvelin::download
