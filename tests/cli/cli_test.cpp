// tarvelin-cli end to end against the stand-in service.

#include <gtest/gtest.h>
#include <json-c/json.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "cli_process.h"
#include "standin/fake_catalogue_routes.h"
#include "standin/fake_jpeg.h"
#include "standin/fake_photo_routes.h"
#include "standin/fake_service.h"
#include "standin/standin_server.h"

namespace tarvelin::cli::testing {
namespace {

namespace fs = std::filesystem;
using standin::FakeAlbum;
using standin::FakePhoto;

constexpr const char* kOwner = "10001";
constexpr const char* kGroup = "30003";

FakeAlbum Album(const std::string& id, const std::string& name, int photos, unsigned seed,
                const std::string& question = {}) {
  FakeAlbum album;
  album.id = id;
  album.name = name;
  album.question = question;
  for (int i = 0; i < photos; ++i) {
    FakePhoto photo;
    photo.id = id + "p" + std::to_string(i);
    photo.name = "IMG_" + std::to_string(i % 2);  // repeats, to exercise free names
    photo.bytes = standin::MakeFakeJpeg(2000 + 700 * i, seed + i);
    album.photos.push_back(photo);
  }
  return album;
}

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    scratch_ = fs::temp_directory_path() /
               ("tarvelin-cli-" + std::to_string(getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(scratch_);
    fs::create_directories(scratch_);
    {
      std::lock_guard<std::mutex> lock(service_.mutex);
      service_.login.uin = kOwner;
      auto& space = service_.spaces[kOwner];
      space.owner = kOwner;
      space.albums.push_back(Album("V1spring", "春游", 5, 10));
      space.albums.push_back(Album("V1locked", "私密", 2, 20, "宠物叫什么"));
      space.albums.push_back(Album("V1trip", "Trip 2017", 3, 30));
      auto& group = service_.groups[kGroup];
      group.groupId = kGroup;
      group.albums.push_back(Album("G1class", "班级", 4, 40));
    }
    standin::InstallCatalogueRoutes(server_, service_);
    standin::InstallPhotoRoutes(server_, service_);
    WriteCookies("uin=o0010001; skey=@skey0001; p_skey=pskey0001; other=1");
  }

  void TearDown() override { fs::remove_all(scratch_); }

  void WriteCookies(const std::string& text) {
    std::ofstream(scratch_ / "cookies.txt") << text << "\n";
  }

  std::vector<std::string> Args(std::vector<std::string> extra) {
    std::vector<std::string> args = {
        "--cookie-file", (scratch_ / "cookies.txt").string(),
        "--connect-to", ":80:127.0.0.1:" + std::to_string(server_.HttpPort()),
        "--connect-to", ":443:127.0.0.1:" + std::to_string(server_.HttpsPort()),
        "--cacert", server_.CaFile(),
        "--save", (scratch_ / "save").string(),
        "--second-kb", ""};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
  }

  // Every file under `folder`, by name, with its bytes.
  static std::map<std::string, std::string> Files(const fs::path& folder) {
    std::map<std::string, std::string> files;
    if (!fs::exists(folder)) return files;
    for (const auto& entry : fs::directory_iterator(folder)) {
      if (entry.is_regular_file()) files[entry.path().filename().string()] = ReadWhole(entry.path());
    }
    return files;
  }

  // The photos of `folder`: its files but the album description.
  static std::map<std::string, std::string> Photos(const fs::path& folder) {
    auto files = Files(folder);
    files.erase("相册介绍.txt");
    return files;
  }

  const FakeAlbum& SpaceAlbum(int index) { return service_.spaces[kOwner].albums[index]; }

  fs::path scratch_;
  standin::FakeService service_;  // outlives the server, whose threads read it
  standin::StandinServer server_;
};

TEST_F(CliTest, ListsASpaceAsJson) {
  CliRun run = RunCli(Args({"--target", kOwner, "--list", "--json"}), scratch_);
  ASSERT_EQ(run.status, 0) << run.err;
  json_object* list = json_tokener_parse(run.out.c_str());
  ASSERT_NE(list, nullptr) << run.out;
  ASSERT_EQ(json_object_array_length(list), 3u);
  auto field = [&](size_t i, const char* key) {
    json_object* value = nullptr;
    json_object_object_get_ex(json_object_array_get_idx(list, i), key, &value);
    return value;
  };
  EXPECT_EQ(json_object_get_int(field(0, "number")), 1);
  EXPECT_STREQ(json_object_get_string(field(0, "name")), "春游");
  EXPECT_STREQ(json_object_get_string(field(0, "photoCount")), "5");
  EXPECT_STREQ(json_object_get_string(field(0, "albumId")), "V1spring");
  EXPECT_STREQ(json_object_get_string(field(0, "accessText")), "已授权");
  EXPECT_STREQ(json_object_get_string(field(1, "accessText")), "宠物叫什么");
  EXPECT_EQ(json_object_get_int(field(2, "number")), 3);
  json_object_put(list);
}

TEST_F(CliTest, DownloadsInEveryModeAndNameFormat) {
  struct Case {
    const char* mode;
    const char* names;
    std::vector<std::string> expected;  // file names of album 1 in photo order
  };
  const std::vector<Case> cases = {
      {"hd", "none", {"IMG_0.jpg", "IMG_1.jpg", "IMG_0(1).jpg", "IMG_1(1).jpg", "IMG_0(2).jpg"}},
      {"full", "first", {"(1)IMG_0.jpg", "(2)IMG_1.jpg", "(3)IMG_0.jpg", "(4)IMG_1.jpg", "(5)IMG_0.jpg"}},
      {"full2000", "last", {"IMG_0(1).jpg", "IMG_1(2).jpg", "IMG_0(3).jpg", "IMG_1(4).jpg", "IMG_0(5).jpg"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.mode) + "/" + c.names);
    fs::remove_all(scratch_ / "save");
    CliRun run = RunCli(Args({"--target", kOwner, "--albums", "1,3", "--mode", c.mode, "--names",
                              c.names}),
                        scratch_);
    ASSERT_EQ(run.status, 0) << run.err;
    const auto spring = Files(scratch_ / "save" / kOwner / "春游");
    ASSERT_GE(spring.size(), c.expected.size());
    for (size_t i = 0; i < c.expected.size(); ++i) {
      ASSERT_TRUE(spring.count(c.expected[i])) << c.expected[i];
      EXPECT_EQ(spring.at(c.expected[i]), SpaceAlbum(0).photos[i].bytes) << c.expected[i];
    }
    EXPECT_EQ(Files(scratch_ / "save" / kOwner / "Trip 2017").count(c.expected[0]), 1u);
    EXPECT_FALSE(fs::exists(scratch_ / "save" / kOwner / "私密"));
    EXPECT_NE(run.err.find("0 photos failed"), std::string::npos) << run.err;
  }
}

TEST_F(CliTest, DownloadsAGroupAlbumChosenByName) {
  CliRun run = RunCli(Args({"--target", kGroup, "--group", "--match", "班"}), scratch_);
  ASSERT_EQ(run.status, 0) << run.err;
  const auto files = Files(scratch_ / "save" / kGroup / "班级4");
  ASSERT_EQ(files.size(), 4u);
  EXPECT_EQ(files.at("IMG_0.jpg"), service_.groups[kGroup].albums[0].photos[0].bytes);
  EXPECT_EQ(files.at("IMG_1(1).jpg"), service_.groups[kGroup].albums[0].photos[3].bytes);
}

TEST_F(CliTest, RefusesWithoutALogin) {
  WriteCookies("uin=o0010001; other=1");
  EXPECT_EQ(RunCli(Args({"--target", kOwner, "--list"}), scratch_).status, 3);
  // A stale key: the service answers that nobody is logged in.
  WriteCookies("uin=o0010001; skey=@stale; p_skey=pskey0001");
  EXPECT_EQ(RunCli(Args({"--target", kOwner, "--list"}), scratch_).status, 3);
}

TEST_F(CliTest, UsageErrorsExitWithTwo) {
  EXPECT_EQ(RunCli({"--target", kOwner, "--list"}, scratch_).status, 2);
  EXPECT_EQ(RunCli(Args({"--target", kOwner, "--albums", "x"}), scratch_).status, 2);
  EXPECT_EQ(RunCli(Args({"--target", kOwner, "--list", "--mode", "huge"}), scratch_).status, 2);
  CliRun help = RunCli({"--help"}, scratch_);
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--connect-to"), std::string::npos);
}

TEST_F(CliTest, FailingPhotosGiveExitStatusOne) {
  {
    std::lock_guard<std::mutex> lock(service_.mutex);
    service_.spaces[kOwner].albums[0].photos[2].alwaysFail = true;
  }
  CliRun run = RunCli(Args({"--target", kOwner, "--albums", "1", "--mode", "hd"}), scratch_);
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_NE(run.err.find("1 photos failed"), std::string::npos) << run.err;
  EXPECT_EQ(Photos(scratch_ / "save" / kOwner / "春游").size(), 4u);
}

TEST_F(CliTest, InterruptStopsCleanlyAndPrintsTheSummary) {
  {
    std::lock_guard<std::mutex> lock(service_.mutex);
    for (FakePhoto& photo : service_.spaces[kOwner].albums[0].photos) photo.delayMs = 400;
    service_.spaces[kOwner].albums[0].photos[2].hang = true;
  }
  const fs::path album = scratch_ / "save" / kOwner / "春游";
  bool sent = false;
  CliRun run = RunCli(Args({"--target", kOwner, "--albums", "1", "--mode", "hd"}), scratch_,
                      [&](pid_t pid) {
                        // Interrupt while the third photo is in flight.
                        if (!sent && Photos(album).size() >= 2) {
                          kill(pid, SIGINT);
                          sent = true;
                        }
                        return !sent;
                      },
                      std::chrono::seconds(30));
  ASSERT_TRUE(sent);
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_NE(run.err.find("stopped: 2 photos written"), std::string::npos) << run.err;
  // Two whole photos and nothing half-written beside them.
  const auto files = Photos(album);
  EXPECT_EQ(files.size(), 2u);
  for (const auto& [name, bytes] : files) {
    EXPECT_TRUE(name.ends_with(".jpg")) << name;
    EXPECT_FALSE(bytes.empty()) << name;
  }
}

}  // namespace
}  // namespace tarvelin::cli::testing
