// What a photo request sends and what its reply counts for: failures, retries, the second
// download, cookies, numbering past the progress bar and over-long names.

#include <gtest/gtest.h>

#include <algorithm>

#include "download_fixture.h"
#include "net/endpoints.h"

namespace tarvelin::download::testing {
namespace {

TEST_F(DownloadTest, FailedPhotosAreLoggedCountedAndNotWritten) {
  standin::FakeAlbum& album = AddAlbum("al1", "A", {"a", "b", "c", "d"});
  album.photos[1].failuresLeft = 2;  // the third try succeeds
  album.photos[2].alwaysFail = true;
  AddRow("1", "A", "4", "al1");
  window_.settings.mode = DownloadMode::HighDefinition;
  window_.settings.nameFormat = NameFormat::NumberFirst;

  const DownloadSummary summary = RunJob();
  EXPECT_EQ(summary.photosWritten, 3);
  EXPECT_EQ(summary.photosFailed, 1);
  const auto files = FilesIn("A");
  EXPECT_EQ(files.count("(2)b.jpg"), 1u);
  EXPECT_EQ(files.at("(2)b.jpg"), album.photos[1].bytes);
  EXPECT_EQ(files.count("(3)c.jpg"), 0u);
  EXPECT_EQ(files.count("(4)d.jpg"), 1u);  // the numbers do not shift
  EXPECT_EQ(CountRequests("/psb"), 1 + 3 + 3 + 1);
  const std::string log = Log();
  EXPECT_NE(log.find("相册《A》的照片《c》下载失败：HTTP 404\r\n"), std::string::npos) << log;
  EXPECT_NE(log.find("失败照片[1]张"), std::string::npos);
  EXPECT_NE(log.find("-------全部下载完毕--------"), std::string::npos);
}

TEST_F(DownloadTest, SmallPhotosAreFetchedAgainInTheirStoreForm) {
  AddAlbum("al1", "A", {"a"}, 1500);
  AddAlbum("al2", "B", {"b"}, 2500);
  AddRow("1", "A", "1", "al1");
  AddRow("2", "B", "1", "al2");
  window_.settings.mode = DownloadMode::OriginalUnlimited;
  window_.settings.secondDownloadKb = "2";
  RunJob();
  std::vector<std::string> asked;
  for (const auto& r : server_.Requests()) {
    if (r.path == "/psb") asked.push_back(r.host + r.query);
  }
  EXPECT_EQ(asked, (std::vector<std::string>{"b1.photo.store.qq.com/al1/al1p0/r/0",
                                             "r.photo.store.qq.com/al1/al1p0/r/0",
                                             "b1.photo.store.qq.com/al2/al2p0/r/0"}));
}

TEST_F(DownloadTest, SessionCookiesGoOnlyToTheCookieDomain) {
  service_.photoHost = "m.qpic.cn";
  AddAlbum("al1", "A", {"a"}, 1500);
  AddRow("1", "A", "1", "al1");
  window_.settings.mode = DownloadMode::HighDefinition;
  window_.settings.secondDownloadKb = "2";  // the second download goes to the store host
  RunJob();
  int checked = 0;
  for (const auto& r : server_.Requests()) {
    const std::string cookie = r.Header("Cookie");
    if (r.host == "m.qpic.cn") {
      EXPECT_EQ(cookie, "") << r.requestLine;
    } else {
      EXPECT_NE(cookie.find("p_skey=pskey0001"), std::string::npos) << r.host << r.requestLine;
    }
    ++checked;
  }
  EXPECT_EQ(checked, 3);  // list, photo, second download
  EXPECT_EQ(FilesIn("A").count("a.jpg"), 1u);
}

TEST_F(DownloadTest, SequenceNumbersKeepCountingPastTheProgressBar) {
  // 32770 in the table: pages 1 to 81 come back empty, page 82 holds photos 32401 to 32770.
  standin::FakeAlbum& album = AddAlbum("huge", "H", std::vector<std::string>(370, "p"), 1);
  AddRow("1", "H", "32770", "huge");
  window_.settings.mode = DownloadMode::HighDefinition;
  window_.settings.nameFormat = NameFormat::NumberLast;
  Job();  // installs the stand-in's routes; the one below answers first
  server_.Route(
      endpoints::ProxyHost, "/proxy/domain/" + service_.photoListHost + "/fcgi-bin/cgi_list_photo",
      [&](const standin::RecordedRequest& r) {
        std::string list;
        if (r.Param("pageStart") == "32400") {
          for (size_t i = 0; i < album.photos.size(); ++i) {
            list += std::string(i ? "," : "") + "{\"name\":\"p\",\"url\":\"" +
                    standin::FakePhotoUrl(service_, album, static_cast<int>(i), 'b') + "\"}";
          }
        }
        return standin::ScriptedReply::Text(
            "shine0_Callback({\"code\":0,\"data\":{\"photoList\":[" + list + "]}});");
      });
  EXPECT_EQ(RunJob().photosWritten, 370);
  const auto files = FilesIn("H");
  EXPECT_EQ(files.size(), 370u);  // page 1 is empty: no description file
  EXPECT_EQ(files.at("p(32401).jpg"), album.photos[0].bytes);
  EXPECT_EQ(files.at("p(32768).jpg"), album.photos[367].bytes);
  EXPECT_EQ(files.at("p(32770).jpg"), album.photos[369].bytes);
  EXPECT_LE(window_.progressMax, 32767);
  EXPECT_EQ(window_.progress, window_.progressMax);
  EXPECT_EQ(TextToUtf8(window_.Status(StatusLabel::ProgressRatio)), "100%");
  EXPECT_EQ(CountRequests("cgi_list_photo"), 82);
}

TEST_F(DownloadTest, OverlongNamesAreShortenedNotLost) {
  std::string longName;
  for (int i = 0; i < 150; ++i) longName += "长";
  const standin::FakeAlbum& album = AddAlbum("al1", longName, {longName + "1", longName + "2"});
  AddRow("1", longName, "2", "al1");
  window_.settings.mode = DownloadMode::OriginalUpTo2000;
  window_.settings.nameFormat = NameFormat::NoNumber;
  EXPECT_EQ(RunJob().photosWritten, 2);
  const auto folders = std::filesystem::directory_iterator(root_ / "save" / kOwner);
  const auto folder = folders->path();
  EXPECT_LE(folder.filename().string().size(), 255u);
  std::vector<std::string> contents;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    EXPECT_LE(entry.path().filename().string().size(), 255u);
    EXPECT_EQ(entry.path().filename().string().substr(0, 30), longName.substr(0, 30));
    std::ifstream in(entry.path(), std::ios::binary);
    contents.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::sort(contents.begin(), contents.end());
  std::vector<std::string> served = {album.photos[0].bytes, album.photos[1].bytes};
  std::sort(served.begin(), served.end());
  EXPECT_EQ(contents, served);  // the two shortened names did not collide
}

}  // namespace
}  // namespace tarvelin::download::testing
