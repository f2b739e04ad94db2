// Each mode and naming format against the stand-in: files, bytes, log lines, paging, retries.

#include <gtest/gtest.h>

#include "download_fixture.h"
#include "net/text.h"
#include "standin/fake_catalogue_routes.h"

namespace tarvelin::download::testing {
namespace {

using Files = std::map<std::string, std::string>;

struct ModeCase {
  const char* label;
  AlbumSource source;
  DownloadMode mode;
  NameFormat format;
  Files (*expected)(const standin::FakeAlbum&);
  const char* doneLine;
  const char* folder;
};
void PrintTo(const ModeCase& c, std::ostream* out) { *out << c.label; }

// The photos are named IMG, IMG, 春/游? and "" in this order.
Files NumberLastFiles(const standin::FakeAlbum& a) {
  return {{"IMG(1).jpg", a.photos[0].bytes},
          {"IMG(2).jpg", a.photos[1].bytes},
          {"春游(3).jpg", a.photos[2].bytes},
          {"(4).jpg", a.photos[3].bytes}};
}
Files NumberFirstFiles(const standin::FakeAlbum& a) {
  return {{"(1)IMG.jpg", a.photos[0].bytes},
          {"(2)IMG.jpg", a.photos[1].bytes},
          {"(3)春游.jpg", a.photos[2].bytes},
          {"(4).jpg", a.photos[3].bytes}};
}
Files NoNumberFiles(const standin::FakeAlbum& a) {
  return {{"IMG.jpg", a.photos[0].bytes},
          {"IMG(1).jpg", a.photos[1].bytes},
          {"春游.jpg", a.photos[2].bytes},
          {"未知名称.jpg", a.photos[3].bytes}};
}
Files GroupFiles(const standin::FakeAlbum& a) {
  return {{"IMG.jpg", a.photos[0].bytes},
          {"IMG(1).jpg", a.photos[1].bytes},
          {"春游.jpg", a.photos[2].bytes},
          {"没名.jpg", a.photos[3].bytes}};
}

class ModeTest : public DownloadTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(ModeTest, WritesEveryPhotoUnderItsName) {
  const ModeCase& c = GetParam();
  const bool group = c.source == AlbumSource::Group;
  const standin::FakeAlbum& album =
      AddAlbum("al1", "Trip", {"IMG", " IMG ", "春/游?", ""}, 300, group);
  AddRow("1", "a/b", "4", "al1");
  window_.source = c.source;
  window_.settings.mode = c.mode;
  window_.settings.nameFormat = c.format;
  if (group) window_.target = kGroup;

  const DownloadSummary summary = RunJob();

  Files expected = c.expected(album);
  const Files files = FilesIn(c.folder, group ? kGroup : kOwner);
  if (c.mode != DownloadMode::OriginalUpTo2000 && !group) {
    ASSERT_EQ(files.count("相册介绍.txt"), 1u);
    EXPECT_EQ(TextToUtf8(files.at("相册介绍.txt")).rfind("相册名称：Trip\r\n", 0), 0u);
    expected["相册介绍.txt"] = files.at("相册介绍.txt");
  }
  EXPECT_EQ(files, expected);
  EXPECT_EQ(summary.photosWritten, 4);
  EXPECT_EQ(summary.photosFailed, 0);
  const std::string log = Log();
  EXPECT_NE(log.find("准备下载相册《a/b》\r\n\r\n"), std::string::npos);
  EXPECT_NE(log.find(c.doneLine), std::string::npos) << log;
  EXPECT_NE(log.find("-------全部下载完毕--------\r\n\r\n"), std::string::npos);
  EXPECT_EQ(window_.Messages().back().second, Gbk("全部下载完毕"));
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ModeTest,
    ::testing::Values(
        ModeCase{"FullSizeNumberLast", AlbumSource::Space, DownloadMode::OriginalUnlimited,
                 NameFormat::NumberLast, NumberLastFiles, "---完成《a/b》下载\r\n\r\n", "ab"},
        ModeCase{"HighDefinitionNumberFirst", AlbumSource::Space, DownloadMode::HighDefinition,
                 NameFormat::NumberFirst, NumberFirstFiles, "---完成《a/b》下载\r\n\r\n", "ab"},
        ModeCase{"WholeAlbumNoNumber", AlbumSource::Space, DownloadMode::OriginalUpTo2000,
                 NameFormat::NoNumber, NoNumberFiles, "---完成相册《a/b》下载\r\n\r\n", "ab"},
        ModeCase{"Group", AlbumSource::Group, DownloadMode::HighDefinition, NameFormat::NumberLast,
                 GroupFiles, "----完成相册《ab》下载\r\n\r\n", "ab4"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(DownloadTest, ModeAndSourceChangesTakeEffectAtTheNextAlbum) {
  AddAlbum("s1", "S", {"p"});
  service_.groups[kOwner].albums = service_.spaces[kOwner].albums;  // the same album in a group
  for (const char* row : {"1", "2", "3"}) AddRow(row, "S", "1", "s1");
  window_.settings.mode = DownloadMode::OriginalUnlimited;
  int albumsDone = 0;
  window_.onLog = [&](const Text& line) {  // runs on the worker, like a user's click would
    if (line.find(Gbk("完成")) == std::string::npos) return;
    if (++albumsDone == 1) window_.settings.mode = DownloadMode::HighDefinition;
    if (albumsDone == 2) window_.source = AlbumSource::Group;
  };
  RunJob();
  std::vector<std::string> kinds;
  for (const auto& r : server_.Requests()) {
    if (r.path == "/psb") kinds.push_back(r.query.substr(r.query.size() - 3));
    if (r.path.find("qun_list_photo_v2") != std::string::npos) kinds.push_back("group list");
  }
  // Full size (raw), then high definition (large), then the group list and its raw address.
  EXPECT_EQ(kinds, (std::vector<std::string>{"r/0", "b/0", "group list", "r/0"}));
}

TEST_F(DownloadTest, AsksTheRouteStoreForThePhotoListHost) {
  service_.photoListHost = "sz9.photo.qq.com";
  standin::InstallCatalogueRoutes(server_, service_);
  realRouteLookup_ = true;
  const standin::FakeAlbum& album = AddAlbum("al1", "A", {"a"});
  AddRow("1", "A", "1", "al1");
  AddRow("2", "A", "1", "al1");
  window_.settings.mode = DownloadMode::OriginalUnlimited;
  RunJob();
  EXPECT_EQ(FilesIn("A").at("a.jpg"), album.photos[0].bytes);
  EXPECT_EQ(FilesIn("A(1)").count("a.jpg"), 1u);
  int lookups = 0;
  for (const auto& r : server_.Requests()) {
    if (r.path.ends_with("/GetRoute")) {
      EXPECT_EQ(r.Param("UIN"), kOwner);
      ++lookups;
    }
  }
  EXPECT_EQ(lookups, 2);  // once per album
}

TEST_F(DownloadTest, PagesPastTheTablesCountWhileThePagesComeBackFull) {
  // The table says 399, the album holds 450: the first page is full, so a second is asked.
  std::vector<std::string> names(450, "p");
  AddAlbum("big", "Big", names, 1);
  AddRow("1", "Big", "399", "big");
  window_.settings.mode = DownloadMode::OriginalUnlimited;
  window_.settings.nameFormat = NameFormat::NumberFirst;
  const DownloadSummary summary = RunJob();
  EXPECT_EQ(summary.photosWritten, 450);
  const Files files = FilesIn("Big");
  EXPECT_EQ(files.size(), 451u);  // with the description file
  EXPECT_EQ(files.count("(450)p.jpg"), 1u);
  EXPECT_EQ(CountRequests("cgi_list_photo"), 2);
}

TEST_F(DownloadTest, GroupPagesOf500AndAnEmptyPageEndsTheAlbum) {
  std::vector<std::string> names(500, "p");
  AddAlbum("g", "G", names, 1, /*group=*/true);
  AddRow("1", "G", "500", "g");
  window_.source = AlbumSource::Group;
  window_.target = kGroup;
  const DownloadSummary summary = RunJob();
  EXPECT_EQ(summary.photosWritten, 500);
  EXPECT_EQ(CountRequests("qun_list_photo_v2"), 2);  // "500" gives two pages; the second is empty
  std::vector<std::string> starts;
  for (const auto& r : server_.Requests()) {
    if (r.path.find("qun_list_photo_v2") != std::string::npos) starts.push_back(r.Param("start"));
  }
  EXPECT_EQ(starts, (std::vector<std::string>{"0", "500"}));
  EXPECT_EQ(FilesIn("G500", kGroup).count("p(499).jpg"), 1u);
}

TEST_F(DownloadTest, BusyListRepliesAreRetried) {
  AddAlbum("al1", "A", {"one", "two"});
  AddRow("1", "A", "2", "al1");
  window_.settings.mode = DownloadMode::OriginalUnlimited;
  service_.busyPhotoListReplies = 9;  // the tenth try succeeds
  EXPECT_EQ(RunJob().photosWritten, 2);
  EXPECT_EQ(CountRequests("cgi_list_photo"), 10);
  EXPECT_EQ(Log().find("读取失败"), std::string::npos);
}

struct UnreadableCase {
  const char* label;
  AlbumSource source;
  DownloadMode mode;
  int standin::FakeService::*trouble;
  int tries;
  const char* listPath;
  const char* reason;
};
void PrintTo(const UnreadableCase& c, std::ostream* out) { *out << c.label; }

class UnreadableListTest : public DownloadTest,
                           public ::testing::WithParamInterface<UnreadableCase> {};

TEST_P(UnreadableListTest, AlbumIsLoggedAndCountedAsFailed) {
  const UnreadableCase& c = GetParam();
  const bool group = c.source == AlbumSource::Group;
  AddAlbum("al1", "A", {"one"}, 300, group);
  AddAlbum("al2", "B", {"two"}, 300, group);
  AddRow("1", "A", "1", "al1");
  AddRow("2", "B", "1", "al2");
  window_.source = c.source;
  window_.settings.mode = c.mode;
  if (group) window_.target = kGroup;
  service_.*c.trouble = c.tries;  // every try of the first album

  const DownloadSummary summary = RunJob();
  EXPECT_EQ(summary.albumsFailed, 1);
  EXPECT_EQ(summary.photosWritten, 1);  // the second album still comes
  EXPECT_EQ(CountRequests(c.listPath), c.tries + 1);
  const std::string log = Log();
  EXPECT_NE(log.find(std::string("相册《A》的照片列表读取失败：") + c.reason), std::string::npos)
      << log;
  EXPECT_EQ(log.find("完成《A》"), std::string::npos);
  EXPECT_EQ(log.find("完成相册《A》"), std::string::npos);
  EXPECT_NE(log.find("失败相册[1]个"), std::string::npos);
  EXPECT_NE(log.find("-------全部下载完毕--------"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Interfaces, UnreadableListTest,
    ::testing::Values(
        UnreadableCase{"FullSizeBusy", AlbumSource::Space, DownloadMode::OriginalUnlimited,
                       &standin::FakeService::busyPhotoListReplies, 10, "cgi_list_photo",
                       "服务繁忙"},
        UnreadableCase{"HighDefinitionBusy", AlbumSource::Space, DownloadMode::HighDefinition,
                       &standin::FakeService::busyPhotoListReplies, 15, "cgi_list_photo",
                       "服务繁忙"},
        UnreadableCase{"WholeNotLoggedIn", AlbumSource::Space, DownloadMode::OriginalUpTo2000,
                       &standin::FakeService::notLoggedInPhotoListReplies, 10, "cgi_view_album_v2",
                       "未登录或登录超时"},
        UnreadableCase{"GroupEmpty", AlbumSource::Group, DownloadMode::HighDefinition,
                       &standin::FakeService::emptyPhotoListReplies, 5, "qun_list_photo_v2",
                       "没有回应"}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace tarvelin::download::testing
