// Start, pause, resume and stop of a running job, with the nesting of halts.

#include <gtest/gtest.h>

#include <chrono>

#include "download/photo_pipeline.h"
#include "download_fixture.h"

namespace tarvelin::download::testing {
namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

class JobControlTest : public DownloadTest {
 protected:
  void SetUp() override {
    DownloadTest::SetUp();
    // Interface 2 fetches one photo at a time, so "the next photo" is well defined.
    window_.settings.mode = DownloadMode::OriginalUpTo2000;
    window_.settings.nameFormat = NameFormat::NumberFirst;
  }
  // An album of `count` photos "p"; photo `slow` answers after `delayMs`.
  standin::FakeAlbum& SlowAlbum(int count, int slow, int delayMs) {
    standin::FakeAlbum& album = AddAlbum("al1", "A", std::vector<std::string>(count, "p"));
    album.photos[slow].delayMs = delayMs;
    AddRow("1", "A", std::to_string(count), "al1");
    return album;
  }
  bool PhotoAsked(int index) const {
    for (const auto& r : server_.Requests()) {
      const std::string tail = std::string("/").append(std::to_string(index));
      if (r.path == "/psb" && r.query.ends_with(tail)) return true;
    }
    return false;
  }
  int Count(const std::string& utf8, const std::string& in) const {
    int n = 0;
    for (size_t at = in.find(utf8); at != std::string::npos; at = in.find(utf8, at + 1)) ++n;
    return n;
  }
  // Read only while the worker is halted or gone.
  std::vector<JobButtons> Buttons() const { return window_.buttons; }
};

TEST_F(JobControlTest, NoTickedRowsEndAtOnce) {
  window_.settings.openFolderWhenDone = true;
  RunJob();
  EXPECT_EQ(
      Log(),
      "开启启动下载\r\n当前未选择任何相册\r\n\r\n共写入照片[0]张，失败照片[0]张，失败相册[0]个\r\n"
      "-------全部下载完毕--------\r\n\r\n");
  EXPECT_EQ(TextToUtf8(window_.Status(StatusLabel::SelectedCount)), "总共需下载[0]个相册");
  EXPECT_EQ(TextToUtf8(window_.Status(StatusLabel::PhotoNumber)), "下载完成");
  EXPECT_EQ(window_.Messages(),
            (std::vector<std::pair<Text, Text>>{{Gbk("信息："), Gbk("全部下载完毕")}}));
  EXPECT_EQ(window_.buttons, (std::vector<JobButtons>{JobButtons::Running, JobButtons::Idle}));
  EXPECT_EQ(window_.opened, std::vector<Text>{window_.settings.saveFolder + "/" + kOwner});
}

TEST_F(JobControlTest, PauseHoldsThePhotoInFlightUntilResume) {
  SlowAlbum(3, 1, 100);
  Job().Start();
  ASSERT_TRUE(Eventually([&] { return PhotoAsked(1); }));
  Job().Pause();
  const std::string logAtPause = Log();
  std::this_thread::sleep_for(milliseconds(250));  // photo 1 has arrived by now
  EXPECT_FALSE(PhotoAsked(2));
  EXPECT_EQ(FilesIn("A").count("(2)p.jpg"), 0u);
  EXPECT_EQ(Log(), logAtPause);
  EXPECT_TRUE(Job().Running());

  Job().Resume();
  Job().Wait();
  EXPECT_EQ(FilesIn("A").size(), 3u);
  EXPECT_EQ(Count("暂停了下载\r\n", Log()), 1);
  EXPECT_EQ(Count("恢复了下载\r\n", Log()), 1);
  EXPECT_EQ(Buttons(), (std::vector<JobButtons>{JobButtons::Running, JobButtons::Paused,
                                                JobButtons::Running, JobButtons::Idle}));
}

TEST_F(JobControlTest, StopCancelledWhilePausedStaysPaused) {
  SlowAlbum(3, 1, 100);
  Job().Start();
  ASSERT_TRUE(Eventually([&] { return PhotoAsked(1); }));
  Job().Pause();
  window_.confirmAnswer = false;
  EXPECT_FALSE(Job().Stop());
  EXPECT_EQ(window_.Messages().back(),
            std::make_pair(Gbk("警告！"), Gbk("您真的要彻底结束下载么？")));
  std::this_thread::sleep_for(milliseconds(200));
  EXPECT_FALSE(PhotoAsked(2));  // the cancelled stop released only its own halt
  EXPECT_EQ(Buttons().back(), JobButtons::Paused);

  Job().Resume();
  Job().Wait();
  EXPECT_EQ(Job().Summary().photosWritten, 3);
  EXPECT_EQ(window_.Messages().back().second, Gbk("全部下载完毕"));
}

TEST_F(JobControlTest, NothingMovesWhileTheConfirmationIsOpen) {
  standin::FakeAlbum& album = AddAlbum("al1", "A", std::vector<std::string>(40, "p"));
  for (auto& photo : album.photos) photo.delayMs = 10;
  AddRow("1", "A", "40", "al1");
  window_.confirmAnswer = false;
  size_t before = 0, after = 0;
  window_.onConfirm = [&] {
    std::this_thread::sleep_for(milliseconds(40));  // lets a request in flight finish
    before = server_.Requests().size();
    std::this_thread::sleep_for(milliseconds(150));
    after = server_.Requests().size();
  };
  Job().Start();
  ASSERT_TRUE(Eventually([&] { return PhotoAsked(3); }));
  Job().Stop();
  EXPECT_EQ(before, after);
  Job().Wait();  // the cancelled stop let it run on to the end
  EXPECT_EQ(Job().Summary().photosWritten, 40);
}

TEST_F(JobControlTest, StopEndsARequestInFlightAndLeavesNoPartialFile) {
  standin::FakeAlbum& album = SlowAlbum(3, 1, 0);
  album.photos[1].hang = true;
  AddAlbum("al2", "B", {"q"});
  AddRow("2", "B", "1", "al2");
  Job().Start();
  ASSERT_TRUE(Eventually([&] { return PhotoAsked(1); }));
  const auto stopAt = steady_clock::now();
  EXPECT_TRUE(Job().Stop());
  Job().Wait();
  const auto took = std::chrono::duration_cast<milliseconds>(steady_clock::now() - stopAt);
  EXPECT_LT(took.count(), 500) << "a stop should end the request within about 100 ms";

  const auto files = FilesIn("A");
  EXPECT_EQ(files.size(), 1u);  // photo 1, nothing half-written
  EXPECT_EQ(files.count("(1)p.jpg"), 1u);
  EXPECT_FALSE(std::filesystem::exists(root_ / "save" / kOwner / "B"));
  const std::string log = Log();
  EXPECT_EQ(log.find("---完成《"), std::string::npos);
  EXPECT_EQ(log.find("全部下载完毕"), std::string::npos);
  EXPECT_EQ(Count("彻底结束下载了\r\n", log), 1);
  EXPECT_EQ(Buttons().back(), JobButtons::Idle);
  EXPECT_FALSE(Job().Running());
}

TEST_F(JobControlTest, StopEndsEveryFetcherOfAPage) {
  window_.settings.mode = DownloadMode::OriginalUnlimited;  // several photos in flight
  // A slow first photo brings in every fetcher; the rest never answer.
  standin::FakeAlbum& album = SlowAlbum(12, 0, 3 * PhotoPipeline::kSlowFetch.count());
  for (size_t i = 1; i < album.photos.size(); ++i) album.photos[i].hang = true;
  Job().Start();
  ASSERT_TRUE(Eventually([&] { return PhotoAsked(4); }));
  const auto stopAt = steady_clock::now();
  EXPECT_TRUE(Job().Stop());
  Job().Wait();
  const auto took = std::chrono::duration_cast<milliseconds>(steady_clock::now() - stopAt);
  EXPECT_LT(took.count(), 500);
  const auto files = FilesIn("A");
  EXPECT_EQ(files.size(), 2u);  // the description and photo 1
  EXPECT_EQ(files.count("(1)p.jpg"), 1u);
  EXPECT_EQ(Job().Summary().photosFailed, 0);  // abandoned photos are not failures
}

TEST_F(JobControlTest, PauseThenStopEndsThePausedJob) {
  SlowAlbum(3, 1, 100);
  Job().Start();
  ASSERT_TRUE(Eventually([&] { return PhotoAsked(1); }));
  Job().Pause();
  EXPECT_TRUE(Job().Stop());
  Job().Wait();
  std::this_thread::sleep_for(milliseconds(150));
  EXPECT_FALSE(PhotoAsked(2));
  const std::string log = Log();
  EXPECT_EQ(Count("暂停了下载\r\n", log), 1);
  EXPECT_EQ(Count("彻底结束下载了\r\n", log), 1);
  EXPECT_EQ(log.substr(log.size() - std::string("彻底结束下载了\r\n").size()),
            "彻底结束下载了\r\n");
  EXPECT_EQ(Buttons().back(), JobButtons::Idle);
  for (const auto& message : window_.Messages()) EXPECT_NE(message.second, Gbk("全部下载完毕"));

  // The next press starts a new job.
  {
    std::lock_guard<std::mutex> lock(service_.mutex);
    service_.spaces[kOwner].albums[0].photos[1].delayMs = 0;
  }
  RunJob();
  EXPECT_EQ(Job().Summary().photosWritten, 3);
}

TEST_F(JobControlTest, OpenDownloadFolderFallsBack) {
  const Text program = (root_ / "program").string();
  OpenDownloadFolder(window_, program);  // no folder for the target yet
  window_.settings.saveFolder.clear();
  OpenDownloadFolder(window_, program);
  window_.settings.saveFolder = (root_ / "save").string();
  std::filesystem::create_directories(root_ / "save" / kOwner);
  OpenDownloadFolder(window_, program);
  EXPECT_EQ(window_.opened, (std::vector<Text>{(root_ / "save").string(), program,
                                               (root_ / "save" / kOwner).string()}));
}

}  // namespace
}  // namespace tarvelin::download::testing
