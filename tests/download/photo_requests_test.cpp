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

namespace tarvelin::download::testing {
namespace {

struct AddressCase {
  const char* label;
  AlbumSource source;
  DownloadMode mode;
  const char* listPath;  // under the proxy; {list} and {view} name the list hosts
  const char* reply;
  std::vector<std::string> asked;  // host + query of every photo request, sorted
};
void PrintTo(const AddressCase& c, std::ostream* out) { *out << c.label; }

class PhotoAddressTest : public DownloadTest, public ::testing::WithParamInterface<AddressCase> {};

TEST_P(PhotoAddressTest, FollowsTheInterfacesAddressRules) {
  const AddressCase& c = GetParam();
  AddRow("1", "A", "3", "al");
  window_.source = c.source;
  window_.settings.mode = c.mode;
  Job();  // installs the stand-in's routes; the ones below answer first
  std::string path = c.listPath;
  for (const auto& [key, host] :
       {std::pair<std::string, std::string>{"{list}", "shplist.photo.qq.com"},
        {"{view}", "shplist.photo.qzone.qq.com"}}) {
    if (path.find(key) != std::string::npos) path.replace(path.find(key), key.size(), host);
  }
  const std::string reply = c.reply;
  server_.Route(endpoints::ProxyHost, path, [reply](const standin::RecordedRequest&) {
    return standin::ScriptedReply::Text(reply);
  });
  server_.Route("", "/psb", [](const standin::RecordedRequest&) {
    return standin::ScriptedReply::Text(standin::MakeFakeJpeg(200, 7), "image/jpeg");
  });
  EXPECT_EQ(RunJob().photosFailed, 0);
  std::vector<std::string> asked;
  for (const auto& r : server_.Requests()) {
    if (r.path == "/psb") asked.push_back(r.host + " " + r.query);
  }
  std::sort(asked.begin(), asked.end());
  EXPECT_EQ(asked, c.asked);
}

// Three photos for interface 1: raw empty with raw_upload 1, a raw address, no raw at all.
constexpr const char* kPagedReply =
    R"(shine0_Callback({"code":0,"data":{"photoList":[)"
    R"({"name":"a","url":"http:\/\/b1.photo.store.qq.com\/psb?\/al\/x\/b\/0","raw":"","raw_upload":1},)"
    R"({"name":"b","url":"http:\/\/b1.photo.store.qq.com\/psb?\/al\/y\/a\/1","raw":"http:\/\/m.qpic.cn\/psb?\/al\/y\/r\/1"},)"
    R"({"name":"c);d","url":"http:\/\/b1.photo.store.qq.com\/psb?\/al\/z\/b\/2"}]}});)";

INSTANTIATE_TEST_SUITE_P(
    Interfaces, PhotoAddressTest,
    ::testing::Values(
        AddressCase{"FullSizeRawRule",
                    AlbumSource::Space,
                    DownloadMode::OriginalUnlimited,
                    "/proxy/domain/{list}/fcgi-bin/cgi_list_photo",
                    kPagedReply,
                    {"b1.photo.store.qq.com /al/z/b/2", "m.qpic.cn /al/y/r/1",
                     "r.photo.store.qq.com /al/x/r/0"}},
        AddressCase{"HighDefinitionUrl",
                    AlbumSource::Space,
                    DownloadMode::HighDefinition,
                    "/proxy/domain/{list}/fcgi-bin/cgi_list_photo",
                    kPagedReply,
                    {"b1.photo.store.qq.com /al/x/b/0", "b1.photo.store.qq.com /al/y/a/1",
                     "b1.photo.store.qq.com /al/z/b/2"}},
        AddressCase{
            "WholeAlbumRawElseUrl",
            AlbumSource::Space,
            DownloadMode::OriginalUpTo2000,
            "/proxy/domain/{view}/cgi-bin/common/cgi_view_album_v2",
            R"({"code":0,"data":{"pic":[)"
            R"({"name":"a","raw":"","url":"http:\/\/b1.photo.store.qq.com\/psb?\/al\/x\/b\/0"},)"
            R"({"name":"b","raw":"http:\/\/m.qpic.cn\/psb?\/al\/y\/r\/1","url":"x"}]}})",
            {"b1.photo.store.qq.com /al/x/b/0", "m.qpic.cn /al/y/r/1"}},
        AddressCase{
            "GroupRawHdOrLargerSmall",
            AlbumSource::Group,
            DownloadMode::HighDefinition,
            "/proxy/domain/u.photo.qzone.qq.com/cgi-bin/upp/qun_list_photo_v2",
            R"({"code":0,"data":{"photos":[)"
            R"({"name":"a","rawurl":null,"hdurl":null,"burl":"http:\/\/m.qpic.cn\/psb?\/al\/x\/m\/0\/200?w5"},)"
            R"({"name":"b","rawurl":"","hdurl":"http:\/\/m.qpic.cn\/psb?\/al\/y\/b\/1"}]}})",
            {"m.qpic.cn /al/x/m/0/800?w5", "m.qpic.cn /al/y/b/1"}}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace tarvelin::download::testing

namespace tarvelin::download::testing {
namespace {

TEST_F(DownloadTest, AServiceRepeatingItsFirstPageDoesNotLoopForever) {
  AddRow("1", "A", "1", "al");
  window_.settings.mode = DownloadMode::HighDefinition;
  window_.settings.nameFormat = NameFormat::NumberFirst;
  Job();  // installs the stand-in's routes; the ones below answer first
  std::string list;
  for (int i = 0; i < 400; ++i) {
    list += std::string(i ? "," : "") + R"({"name":"p","url":"http:\/\/m.qpic.cn\/psb?\/al\/)" +
            std::to_string(i) + "\"}";
  }
  const std::string reply = R"(shine0_Callback({"code":0,"data":{"photoList":[)" + list + "]}});";
  server_.Route(endpoints::ProxyHost, "/proxy/domain/shplist.photo.qq.com/fcgi-bin/cgi_list_photo",
                [reply](const standin::RecordedRequest&) {
                  return standin::ScriptedReply::Text(reply);  // whatever pageStart says
                });
  server_.Route("", "/psb", [](const standin::RecordedRequest&) {
    return standin::ScriptedReply::Text("\xFF\xD8\xFF\xD9", "image/jpeg");
  });
  EXPECT_EQ(RunJob().photosWritten, 800);
  EXPECT_EQ(CountRequests("cgi_list_photo"), 2);
}

}  // namespace
}  // namespace tarvelin::download::testing
