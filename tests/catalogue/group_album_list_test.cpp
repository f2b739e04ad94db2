#include "catalogue/group_album_list.h"

#include "catalogue/catalogue_texts.h"
#include "catalogue_fixture.h"

namespace tarvelin {
namespace {

namespace texts = catalogue_texts;

class GroupAlbumListTest : public CatalogueTest {
 protected:
  void SetUp() override {
    CatalogueTest::SetUp();
    window.target = kGroup;
  }
  void Group(int albums) {
    service.groups[kGroup] = standin::FakeGroup{kGroup, Albums(albums, "g")};
  }
  std::vector<standin::RecordedRequest> ListRequests() const {
    return RequestsTo("/qun_list_album_v2");
  }

  const std::string kGroup = "555666";
};

TEST_F(GroupAlbumListTest, PagesOfAThousand) {
  Group(1500);
  ListGroupAlbums(window, session);

  ASSERT_EQ(window.albums.size(), 1500u);
  for (int i : {0, 999, 1000, 1499}) {
    EXPECT_EQ(window.albums[i].rowNumber, std::to_string(i + 1));
    EXPECT_EQ(window.albums[i].albumName, "g" + std::to_string(i + 1));
    EXPECT_EQ(window.albums[i].albumId, "id" + std::to_string(i + 1));
    EXPECT_EQ(window.albums[i].photoCount, "1");
    EXPECT_EQ(window.albums[i].accessText, "");
    EXPECT_EQ(window.albums[i].coverPicture, -1);
    EXPECT_TRUE(window.albums[i].checked);
  }
  EXPECT_EQ(window.Status(StatusLabel::Dynamic), G("相册获取完毕，共计：1500个"));
  EXPECT_EQ(window.statusHistory.front().second, texts::kGroupListing);
  EXPECT_EQ(window.Status(StatusLabel::ProgressRatio), "100%");
  EXPECT_EQ(window.progressMax, 1500);
  EXPECT_TRUE(window.messages.empty());

  const auto requests = ListRequests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].Param("start"), "0");
  EXPECT_EQ(requests[0].Param("num"), "1");
  EXPECT_EQ(requests[1].Param("start"), "0");
  EXPECT_EQ(requests[1].Param("num"), "1000");
  EXPECT_EQ(requests[2].Param("start"), "1000");
  const std::string t = requests[0].Param("t");
  ASSERT_EQ(t.size(), 9u);
  EXPECT_NE(t[0], '0');
  for (const auto& request : requests) {
    EXPECT_EQ(request.Param("t"), t);
    EXPECT_EQ(request.Param("_").size(), 13u);
    EXPECT_EQ(request.Header("Cookie"), session.CookieText());
  }
  EXPECT_EQ(requests[1].target,
            "/proxy/domain/u.photo.qzone.qq.com/cgi-bin/upp/qun_list_album_v2?g_tk=" +
                RequestToken(service.login.pskey) + "&qzonetoken=" + service.login.pageToken +
                "&callback=shine0_Callback&t=" + t + "&qunId=555666&uin=" + service.login.uin +
                "&start=0&num=1000&getMemberRole=1&format=json&platform=qzone&inCharset=utf-8"
                "&outCharset=utf-8&source=qzone&callbackFun=shine0&_=" +
                requests[1].Param("_"));
}

TEST_F(GroupAlbumListTest, NoAlbumAtAll) {
  Group(0);
  ListGroupAlbums(window, session);
  EXPECT_EQ(ListRequests().size(), 2u);
  EXPECT_TRUE(window.albums.empty());
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0], std::make_pair(Text(texts::kHint), Text(texts::kNoGroupAlbums)));
  EXPECT_EQ(window.Status(StatusLabel::Dynamic), texts::kGroupListing);
}

TEST_F(GroupAlbumListTest, AWholeNumberOfPagesEndsNormally) {
  Group(1000);
  ListGroupAlbums(window, session);
  EXPECT_EQ(ListRequests().size(), 3u);  // count, the full page, the empty page
  EXPECT_EQ(window.albums.size(), 1000u);
  EXPECT_TRUE(window.messages.empty());
  EXPECT_EQ(window.Status(StatusLabel::Dynamic), G("相册获取完毕，共计：1000个"));
}

TEST_F(GroupAlbumListTest, TitlesAndCounts) {
  Group(3);
  auto& albums = service.groups[kGroup].albums;
  albums[0].name = "";
  albums[1].name = "\xE7\xBE\xA4\xE7\x9B\xB8\xE5\x86\x8C \"1\"";  // 群相册 "1"
  albums[2].photos.resize(12);
  ListGroupAlbums(window, session);
  ASSERT_EQ(window.albums.size(), 3u);
  EXPECT_EQ(window.albums[0].albumName, texts::kUnknownTitle);
  EXPECT_EQ(window.albums[1].albumName, G("群相册 \\1\\"));
  EXPECT_EQ(window.albums[2].photoCount, "12");
}

TEST_F(GroupAlbumListTest, WrongTokensListNothing) {
  Group(5);
  session.Replace(SessionValues{"uin=o001", "1", "5381", "5381", "", ""});
  ListGroupAlbums(window, session);
  EXPECT_EQ(ListRequests().size(), 2u);  // a total of 0 still asks for one page
  EXPECT_TRUE(window.albums.empty());
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].second, texts::kNoGroupAlbums);
}

TEST(GroupAlbumTotal, ReadsTheDigitsBeforeTheClosingBrace) {
  EXPECT_EQ(GroupAlbumTotal("{\n\"a\" : 1,\n\"total\" : 1500\n}\n"), 1500);
  EXPECT_EQ(GroupAlbumTotal("{\n\"total\" : 12 34\n}\n"), 1234);
  EXPECT_EQ(GroupAlbumTotal("{\n\"total\" : \xA1\xA1"
                            "7\n}\n"),
            7);
  EXPECT_EQ(GroupAlbumTotal("{\"total\":1500}"), 0);
  EXPECT_EQ(GroupAlbumTotal(""), 0);
  EXPECT_EQ(GroupAlbumTotal("{\n\"total\" : 99999999999999999999999\n}\n"), 1000000000);
}

}  // namespace
}  // namespace tarvelin
