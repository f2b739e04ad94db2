#include "catalogue/space_album_list.h"

#include <functional>

#include "catalogue/catalogue_texts.h"
#include "catalogue/cover_pictures.h"
#include "catalogue_fixture.h"
#include "net/text.h"

namespace tarvelin {
namespace {

namespace texts = catalogue_texts;

class SpaceAlbumListTest : public CatalogueTest {
 protected:
  void SetUp() override {
    CatalogueTest::SetUp();
    session.SetListingTarget(kOwner);
    std::vector<standin::FakeAlbum> albums = Albums(3);
    albums[0].name = "\xE6\x97\x85\xE8\xA1\x8C:2017.\xE5\xB9\xB4";  // 旅行:2017.年
    albums[1].name = "\xE5\xAF\x86";                                // 密
    albums[1].question = "\xE6\x88\x91\xE6\x98\xAF\xE8\xB0\x81?";   // 我是谁?
    albums[2].name = "?:*.";                                        // nothing left when cleaned
    albums[2].photos.clear();
    service.spaces[kOwner] = standin::FakeSpace{kOwner, albums};
  }

  // The album-list routes, with a reply of the test's own.
  void ServeAlbumList(const std::string& body, std::vector<std::string> headerLines = {}) {
    server.Route(
        "h5.qzone.qq.com", "/proxy/domain/" + service.photoListHost + "/fcgi-bin/fcg_list_album_v2",
        [body, headerLines](const standin::RecordedRequest&) {
          standin::ScriptedReply reply = standin::ScriptedReply::Text(body, "application/json");
          for (const auto& line : headerLines) reply.headerLines.push_back(line);
          return reply;
        });
  }

  size_t AlbumListRequests() const { return RequestsTo("/fcg_list_album_v2").size(); }

  const std::string kOwner = "20002";
};

TEST_F(SpaceAlbumListTest, FillsTheTableWithoutCovers) {
  window.albums.push_back(AlbumRecord{});  // an earlier listing's row
  ListSpaceAlbums(window, session);

  ASSERT_EQ(window.albums.size(), 3u);
  const AlbumRecord& first = window.albums[0];
  EXPECT_TRUE(first.checked);
  EXPECT_EQ(first.rowNumber, "1");
  EXPECT_EQ(first.albumName, G("旅行2017年"));
  EXPECT_EQ(first.coverPicture, -1);
  EXPECT_EQ(first.photoCount, "1");
  EXPECT_EQ(first.albumId, "id1");
  EXPECT_EQ(first.accessText, texts::kAuthorised);
  EXPECT_EQ(first.password, "");
  EXPECT_EQ(window.albums[1].accessText, G("我是谁?"));
  EXPECT_EQ(window.albums[1].photoCount, "1");
  const Text& unknown = window.albums[2].albumName;
  ASSERT_EQ(unknown.size(), 13u);
  EXPECT_EQ(unknown.substr(0, 8), texts::kUnknownAlbum);
  for (char c : unknown.substr(8)) EXPECT_TRUE(c >= 'A' && c <= 'Z') << unknown;
  EXPECT_EQ(window.albums[2].photoCount, "0");
  EXPECT_EQ(window.albums[2].accessText, texts::kAuthorised);

  EXPECT_FALSE(window.coverColumnVisible);
  EXPECT_TRUE(window.pictures.empty());
  EXPECT_TRUE(RequestsTo("/cover").empty());
  EXPECT_EQ(window.progressMax, 3);
  EXPECT_EQ(window.progress, 3);
  EXPECT_EQ(window.Status(StatusLabel::ProgressRatio), "100%");
  EXPECT_EQ(window.Status(StatusLabel::Dynamic), G("温馨提示：相册列表获取完毕,共计3个"));
  EXPECT_EQ(window.Log(), G("-----获取完毕,共计3个\r\n\r\n"));
  EXPECT_TRUE(window.messages.empty());

  const auto requests = RequestsTo("/fcg_list_album_v2");
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_FALSE(requests[0].tls);
  EXPECT_EQ(requests[0].target,
            "/proxy/domain/" + service.photoListHost +
                "/fcgi-bin/fcg_list_album_v2?hostUin=20002&format=json&plat=qzone"
                "&source=qzone&t=&g_tk=" +
                RequestToken(service.login.skey));
  EXPECT_EQ(requests[0].Header("Cookie"), session.CookieText());
}

TEST_F(SpaceAlbumListTest, CoversUseTheProgramsOwnPictures) {
  // A picture list that, like the window's, refuses what is not a JPEG or GIF.
  struct DecodingWindow : testing::RecordingWindow {
    int AddCoverPicture(const Bytes& encoded) override {
      if (encoded.rfind("\xFF\xD8", 0) != 0 && encoded.rfind("GIF8", 0) != 0) return -1;
      return RecordingWindow::AddCoverPicture(encoded);
    }
  } window;
  window.showCovers = true;
  service.spaces[kOwner].albums.push_back(Albums(1, "broken").front());
  service.spaces[kOwner].albums.back().id = "gone";
  service.spaces[kOwner].albums.back().photos[0].alwaysFail = true;  // its cover answers 404
  ListSpaceAlbums(window, session);

  ASSERT_EQ(window.albums.size(), 4u);
  EXPECT_TRUE(window.coverColumnVisible);
  ASSERT_EQ(window.pictures.size(), 3u);
  EXPECT_EQ(window.pictures[0], service.spaces[kOwner].albums[0].photos[0].bytes);
  EXPECT_EQ(window.pictures[1], LockedAlbumPicture());
  EXPECT_EQ(window.pictures[2], EmptyAlbumPicture());
  EXPECT_EQ(window.albums[0].coverPicture, 0);
  EXPECT_EQ(window.albums[1].coverPicture, 1);
  EXPECT_EQ(window.albums[2].coverPicture, 2);
  EXPECT_EQ(window.albums[3].coverPicture, -1);
  // Access texts do not depend on the covers.
  EXPECT_EQ(window.albums[1].accessText, G("我是谁?"));
  EXPECT_EQ(window.albums[2].accessText, texts::kAuthorised);
  // The two fixed addresses are never fetched; the others without cookies.
  const auto covers = RequestsTo("/cover");
  ASSERT_EQ(covers.size(), 2u);
  EXPECT_EQ(covers[0].Header("Cookie"), "");
  EXPECT_TRUE(RequestsTo(".png").empty());
}

TEST_F(SpaceAlbumListTest, CoverPicturesAreTheirOwn) {
  // Covers switched on half-way: each row still shows the picture drawn for it.
  struct SwitchingWindow : testing::RecordingWindow {
    int asked = 0;
    bool ShowCovers() override { return ++asked > 1; }
  } switching;
  ListSpaceAlbums(switching, session);
  ASSERT_EQ(switching.albums.size(), 3u);
  EXPECT_EQ(switching.albums[0].coverPicture, -1);
  EXPECT_EQ(switching.albums[1].coverPicture, 0);
  EXPECT_EQ(switching.albums[2].coverPicture, 1);
  EXPECT_EQ(switching.pictures[0], LockedAlbumPicture());
}

TEST_F(SpaceAlbumListTest, BusyRepliesAreRetriedTenTimes) {
  service.busyAlbumListReplies = 9;
  ListSpaceAlbums(window, session);
  EXPECT_EQ(AlbumListRequests(), 10u);
  EXPECT_EQ(window.albums.size(), 3u);
  EXPECT_TRUE(window.messages.empty());

  server.ClearRequests();
  service.busyAlbumListReplies = 10;
  ListSpaceAlbums(window, session);
  EXPECT_EQ(AlbumListRequests(), 10u);
  EXPECT_TRUE(window.albums.empty());
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0], std::make_pair(Text(texts::kHint), Text(texts::kNoSpaceAlbums)));
}

TEST_F(SpaceAlbumListTest, EmptyRepliesAreRetried) {
  ServeAlbumList("");
  ListSpaceAlbums(window, session);
  EXPECT_EQ(AlbumListRequests(), 10u);
  EXPECT_EQ(window.messages.size(), 1u);
}

TEST_F(SpaceAlbumListTest, RefusalsAndEmptyLists) {
  struct Case {
    const char* what;
    std::function<void()> arrange;
    Text caption;
    Text message;
  };
  const Case cases[] = {
      {"not logged in (-3000)", [this] { session.Replace(SessionValues{}); }, G("信息："),
       texts::kPleaseLogIn},
      {"no permission", [this] { session.SetListingTarget("30003"); }, G("信息："),
       texts::kNoAccess},
      {"no album", [this] { service.spaces[kOwner].albums.clear(); }, texts::kHint,
       texts::kNoSpaceAlbums},
      {"not JSON", [this] { ServeAlbumList("<html>502</html>"); }, texts::kHint,
       texts::kNoSpaceAlbums},
  };
  for (const Case& c : cases) {
    testing::RecordingWindow shown;
    LogIn();
    session.SetListingTarget(kOwner);
    c.arrange();
    ListSpaceAlbums(shown, session);
    EXPECT_TRUE(shown.albums.empty()) << c.what;
    ASSERT_EQ(shown.messages.size(), 1u) << c.what;
    EXPECT_EQ(shown.messages[0].first, c.caption) << c.what;
    EXPECT_EQ(shown.messages[0].second, c.message) << c.what;
    EXPECT_EQ(shown.Status(StatusLabel::Dynamic), "") << c.what;
  }
}

TEST_F(SpaceAlbumListTest, TheExactNotLoggedInReply) {
  ServeAlbumList(
      G("{\"code\":-3000,\"subcode\":-4001,\"message\":\"对不起，您尚未登录或者登录超时。\","
        "\"notice\":0,\"time\":1492732800,\"tips\":\"\"}"));
  ListSpaceAlbums(window, session);
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].second, texts::kPleaseLogIn);
  EXPECT_EQ(AlbumListRequests(), 1u);

  // The same reply with its characters escaped, and a busy reply written so.
  ServeAlbumList(
      "{\"code\":-3000,\"message\":\"\\u5bf9\\u4e0d\\u8d77\\uff0c\\u60a8\\u5c1a\\u672a"
      "\\u767b\\u5f55\\u6216\\u8005\\u767b\\u5f55\\u8d85\\u65f6\\u3002\"}");
  ListSpaceAlbums(window, session);
  ASSERT_EQ(window.messages.size(), 2u);
  EXPECT_EQ(window.messages[1].second, texts::kPleaseLogIn);

  server.ClearRequests();
  ServeAlbumList("{\"message\":\"\\u8bf7\\u60a8\\u7a0d\\u540e\\u518d\\u8bd5\"}");
  ListSpaceAlbums(window, session);
  EXPECT_EQ(AlbumListRequests(), 10u);
}

TEST_F(SpaceAlbumListTest, OtherReplyShapesAndEscapedNames) {
  auto one = [](const std::string& id, const std::string& name, int total) {
    return "{\"id\":\"" + id + "\",\"name\":\"" + name + "\",\"total\":" + std::to_string(total) +
           ",\"pre\":\"http:\\/\\/x.qq.com\\/" + id + "\"}";
  };
  ServeAlbumList("{\"code\":0,\"data\":{\"albumListModeSort\":[" + one("s1", "\\u65c5\\u884c", 4) +
                 "," + one("s2", "b", 5) + "]}}");
  ListSpaceAlbums(window, session);
  ASSERT_EQ(window.albums.size(), 2u);
  EXPECT_EQ(window.albums[0].albumName, G("旅行"));
  EXPECT_EQ(window.albums[1].albumId, "s2");
  EXPECT_EQ(window.albums[1].photoCount, "5");

  ServeAlbumList("{\"code\":0,\"data\":{\"albumListModeClass\":[{\"classId\":1,\"albumList\":[" +
                     one("c1", "a", 1) + "," + one("c2", "b", 2) +
                     "]},{\"classId\":2,\"albumList\":null}," + "{\"classId\":3,\"albumList\":[" +
                     one("c3", "c", 3) + "]}]}}",
                 {"Set-Cookie: p_skey=renewed; path=/"});
  ListSpaceAlbums(window, session);
  ASSERT_EQ(window.albums.size(), 3u);
  EXPECT_EQ(window.albums[0].albumId, "c1");
  EXPECT_EQ(window.albums[2].albumId, "c3");
  EXPECT_EQ(window.albums[2].rowNumber, "3");
  EXPECT_NE(TextFind(session.CookieText(), "p_skey=renewed"), -1) << session.CookieText();

  // Missing members read as null.
  ServeAlbumList("{\"data\":{\"album\":[{\"pre\":\"\"}]}}");
  ListSpaceAlbums(window, session);
  ASSERT_EQ(window.albums.size(), 1u);
  EXPECT_EQ(window.albums[0].albumName, "null");
  EXPECT_EQ(window.albums[0].photoCount, "null");
  EXPECT_EQ(window.albums[0].albumId, "null");
}

TEST_F(SpaceAlbumListTest, PercentagesOfAHundredAlbums) {
  service.spaces[kOwner].albums = Albums(100);
  ListSpaceAlbums(window, session);
  ASSERT_EQ(window.albums.size(), 100u);
  std::vector<Text> ratios;
  for (const auto& [label, text] : window.statusHistory) {
    if (label == StatusLabel::ProgressRatio) ratios.push_back(text);
  }
  ASSERT_EQ(ratios.size(), 100u);
  EXPECT_EQ(ratios[28], "28%");  // position 29
  EXPECT_EQ(ratios[56], "56%");  // position 57
  EXPECT_EQ(ratios[57], "57%");  // position 58
  EXPECT_EQ(ratios[99], "100%");
  EXPECT_EQ(window.albums[99].rowNumber, "100");
}

}  // namespace
}  // namespace tarvelin
