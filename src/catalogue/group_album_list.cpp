#include "catalogue/group_album_list.h"

#include <random>
#include <string>

#include "catalogue/catalogue_texts.h"
#include "catalogue/progress_ratio.h"
#include "net/codec.h"
#include "net/endpoints.h"
#include "net/json_reply.h"
#include "net/page_fetch.h"
#include "net/text.h"
#include "net/wait.h"
#include "port/window_port.h"
#include "session/session_fetch.h"
#include "session/session_state.h"

namespace tarvelin {

namespace texts = catalogue_texts;

namespace {

constexpr long long kPageSize = 1000;
// A total beyond any real group is cut back, so that the arithmetic stays in range.
constexpr long long kTotalLimit = 1000000000;

// The t= value shared by the requests of one listing.
Text ListingNumber() {
  std::mt19937 random{std::random_device{}()};
  return std::to_string(std::uniform_int_distribution<long>(100000000, 999999999)(random));
}

}  // namespace

long long GroupAlbumTotal(const Text& countReply) {
  const Text digits = TextRemoveSpaces(TextBetween(countReply, "\"total\" :", "\n}\n"));
  long long total = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') break;
    total = total * 10 + (c - '0');
    if (total > kTotalLimit) return kTotalLimit;
  }
  return total;
}

void ListGroupAlbums(WindowPort& window, SessionState& session) {
  window.SetStatus(StatusLabel::Dynamic, texts::kGroupListing);
  window.ClearAlbums();

  const Text group = window.TargetText();
  const Text number = ListingNumber();
  const SessionValues login = session.Snapshot();
  const Text address =
      Text("http://") + endpoints::ProxyHost + "/proxy/domain/" + endpoints::GroupPhotoHost +
      "/cgi-bin/upp/qun_list_album_v2?g_tk=" + login.pskeyToken + "&qzonetoken=" + login.pageToken +
      "&callback=shine0_Callback&t=" + number + "&qunId=" + group + "&uin=" + login.accountNumber;
  const Text tail =
      "&getMemberRole=1&format=json&platform=qzone&inCharset=utf-8&outCharset=utf-8"
      "&source=qzone&callbackFun=shine0&_=";

  const long long total = GroupAlbumTotal(
      Utf8ToText(SessionFetchWinInet(session, address + "&start=0&num=1" + tail + MillisecondStamp())));
  const long long pages = total / kPageSize + 1;
  const int maximum = static_cast<int>(total);
  window.SetProgressMaximum(maximum);
  window.SetProgress(0);

  int rows = 0;
  for (long long page = 1; page <= pages; ++page) {
    const Text offset = std::to_string((page - 1) * kPageSize);
    const Bytes reply =
        SessionFetchWinInet(session, address + "&start=" + offset + "&num=1000" + tail + MillisecondStamp());
    PumpingWait(1, 1);
    const JsonReply json(Utf8ToText(reply));
    const JsonNode albums = json.Root().Member("data").Member("album");
    const int n = albums.Length();
    if (n == 0) {
      if (rows > 0) break;  // the list ended on a whole page
      window.ShowMessage(texts::kNoGroupAlbums, texts::kHint);
      return;
    }
    for (int j = 1; j <= n; ++j) {
      const JsonNode album = albums.Item(j - 1);
      ++rows;
      window.SetProgress(rows);
      window.SetStatus(StatusLabel::ProgressRatio, ProgressRatioText(rows, maximum));
      AlbumRecord record;
      record.checked = true;
      record.rowNumber = std::to_string((page - 1) * kPageSize + j);
      record.albumName = album.Member("title").Unquoted();
      if (record.albumName.empty()) record.albumName = texts::kUnknownTitle;
      record.photoCount = album.Member("photocnt").Unquoted();
      record.albumId = album.Member("id").Unquoted();
      window.AppendAlbum(record);
    }
  }
  const Text count = std::to_string(window.Albums().size());
  window.SetStatus(StatusLabel::Dynamic, texts::kGroupDone + count + texts::kPiece);
}

}  // namespace tarvelin
