#include "catalogue/space_album_list.h"

#include <random>
#include <string>
#include <vector>

#include "catalogue/catalogue_texts.h"
#include "catalogue/clean_file_name.h"
#include "catalogue/cover_pictures.h"
#include "catalogue/progress_ratio.h"
#include "catalogue/route_lookup.h"
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

constexpr int kAttempts = 10;

Text RandomCapitals(int count) {
  thread_local std::mt19937 random{std::random_device{}()};
  std::uniform_int_distribution<int> letter(0, 25);
  Text letters;
  for (int i = 0; i < count; ++i) letters += static_cast<char>('A' + letter(random));
  return letters;
}

// A cover comes from the address the service names, without cookies; only web addresses
// are read.
Bytes FetchCover(const Text& url) {
  const Text lower = TextToLowerAscii(url);
  if (lower.rfind("http://", 0) != 0 && lower.rfind("https://", 0) != 0) return Bytes();
  PageFetch fetch;
  fetch.url = url;
  return FetchWinInet(fetch);
}

// The albums of the reply: "data"."album", or else the other two shapes the service
// answers in, in reply order.
std::vector<JsonNode> ReplyAlbums(const JsonReply& reply) {
  std::vector<JsonNode> albums;
  const JsonNode data = reply.Root().Member("data");
  auto take = [&albums](const JsonNode& list) {
    for (int i = 0; i < list.Length(); ++i) albums.push_back(list.Item(i));
  };
  if (!data.Member("album").IsNull()) {
    take(data.Member("album"));
  } else if (!data.Member("albumListModeSort").IsNull()) {
    take(data.Member("albumListModeSort"));
  } else {
    const JsonNode classes = data.Member("albumListModeClass");
    for (int i = 0; i < classes.Length(); ++i) take(classes.Item(i).Member("albumList"));
  }
  return albums;
}

}  // namespace

Text SpaceAlbumListAddress(const Text& photoHost, const Text& target, const Text& skeyToken) {
  return Text("http://") + endpoints::ProxyHost + "/proxy/domain/" + photoHost +
         "/fcgi-bin/fcg_list_album_v2?hostUin=" + target +
         "&format=json&plat=qzone&source=qzone&t=&g_tk=" + skeyToken;
}

Text LockedAlbumCoverAddress() {
  return Text("http://") + endpoints::ImageCacheHost + "/ac/qzone_v5/photo/need_pass.png";
}

Text EmptyAlbumCoverAddress() {
  return Text("http://") + endpoints::ImageCacheHost + "/ac/qzone_v5/photo/no_photo_s.png";
}

void ListSpaceAlbums(WindowPort& window, SessionState& session) {
  window.ClearAlbums();
  const Text target = session.ListingTarget();
  const Text url =
      SpaceAlbumListAddress(LookupPhotoHost(target), target, session.Snapshot().skeyToken);

  // The service's texts are looked for with escaped characters read as the others.
  Text reply;
  for (int attempt = 1; attempt <= kAttempts; ++attempt) {
    reply = DecodeNonAsciiEscapes(SessionFetchRequestObject(session, url, Text(), 0, nullptr));
    if (!reply.empty() && TextFind(reply, texts::kBusyReply) < 0) break;
    PumpingWait(1, 1);
  }

  if (TextFind(reply, texts::kNotLoggedInReply) > 0) {
    window.ShowMessage(texts::kPleaseLogIn);
    return;
  }
  if (TextFind(reply, texts::kNoPermissionReply) > 0) {
    window.ShowMessage(texts::kNoAccess);
    return;
  }
  const JsonReply json(reply);
  const std::vector<JsonNode> albums = ReplyAlbums(json);
  const int n = static_cast<int>(albums.size());
  if (n == 0) {
    window.ShowMessage(texts::kNoSpaceAlbums, texts::kHint);
    return;
  }

  window.SetProgressMaximum(n);
  window.SetProgress(0);
  const Text lockedCover = LockedAlbumCoverAddress();
  const Text emptyCover = EmptyAlbumCoverAddress();
  for (int i = 1; i <= n; ++i) {
    const JsonNode& album = albums[i - 1];
    window.SetProgress(i);
    window.SetStatus(StatusLabel::ProgressRatio, ProgressRatioText(i, n));

    const Text cover =
        TextBetween(TextReplace(album.Member("pre").JsonText(), "\\", ""), "\"", "\"");
    const bool locked = cover == lockedCover;
    AlbumRecord record;
    if (window.ShowCovers()) {
      window.SetCoverColumnVisible(true);
      const Bytes picture = locked                ? LockedAlbumPicture()
                            : cover == emptyCover ? EmptyAlbumPicture()
                                                  : FetchCover(cover);
      // The row shows the picture it was given; one that cannot be read leaves it blank.
      record.coverPicture = picture.empty() ? -1 : window.AddCoverPicture(picture);
    } else {
      window.SetCoverColumnVisible(false);
    }

    Text name = CleanFileName(TextReplace(album.Member("name").JsonText(), "\"", ""));
    if (name.empty()) name = texts::kUnknownAlbum + RandomCapitals(5);
    record.checked = true;
    record.rowNumber = std::to_string(i);
    record.albumName = name;
    record.photoCount = album.Member("total").JsonText();
    record.albumId = album.Member("id").Unquoted();
    record.accessText = locked ? album.Member("question").Unquoted() : Text(texts::kAuthorised);
    window.AppendAlbum(record);
  }

  const Text rows = std::to_string(window.Albums().size());
  window.SetStatus(StatusLabel::Dynamic, texts::kSpaceDone + rows + texts::kPiece);
  window.AppendLog(texts::kSpaceDoneLog + rows + texts::kPiece + "\r\n\r\n");
}

}  // namespace tarvelin
