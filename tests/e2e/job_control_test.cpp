// Pause, resume and stop through the window's buttons, in the middle of a slow album.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <cstdio>
#include <iterator>

#include "app/album_table.h"
#include "e2e_env.h"

namespace tarvelin::e2e {
namespace {

namespace fs = std::filesystem;

constexpr int kPhotos = 60;
constexpr int kDelayMs = 250;  // each photo's reply
// Long enough for every request in flight to be answered.
constexpr int kQuietMs = 3 * kDelayMs;
// Lets a write that was under way at the press finish before a snapshot is taken.
constexpr int kSettleMs = 100;

std::string PhotoName(int k) {
  char name[8];
  std::snprintf(name, sizeof name, "P%02d", k);
  return name;
}

constexpr char kIdle[] = "1000", kRunning[] = "0101", kPaused[] = "0011";

struct Snapshot {
  size_t files;
  size_t requests;
  bool operator==(const Snapshot&) const = default;
};

class EndToEndJobControl : public ::testing::Test {
 protected:
  // Logs in, lists a space of one album of kPhotos photos (each changed by `adjust`) and
  // starts its download.
  void Start(const std::function<void(standin::FakePhoto&)>& adjust) {
    ResetService([&](standin::FakeService& service) {
      service.login.uin = kOwner;
      auto& space = service.spaces[kOwner];
      space.owner = kOwner;
      space.albums.push_back(MakeAlbum("V1slow", "慢", kPhotos, 70, PhotoName));
      for (auto& photo : space.albums.back().photos) adjust(photo);
    });
    album_ = SpaceAlbum(0);
    folder_ = program_.Folder() / kOwner / "慢";
    ASSERT_TRUE(program_.LogIn(kOwner));
    program_.TypeTarget(kOwner);
    ASSERT_TRUE(program_.ListAlbums());
    ASSERT_EQ(program_.Window().Albums()->RowCount(), 1);
    ASSERT_TRUE(program_.StartDownload());
    EXPECT_TRUE(ButtonsAre(kRunning));
  }

  // The photos written so far: photos 0..n-1 under their own names with their own bytes,
  // and nothing else. A hidden file is a photo being written; once the job has ended there
  // must be none.
  size_t WrittenPrefix(bool ended = false) {
    auto files = FilesIn(folder_);
    files.erase("相册介绍.txt");
    std::string names;
    for (auto file = files.begin(); file != files.end();) {
      names += " " + file->first;
      file = file->first[0] == '.' && !ended ? files.erase(file) : std::next(file);
    }
    for (size_t k = 0; k < files.size(); ++k) {
      const auto file = files.find(PhotoName(static_cast<int>(k)) + ".jpg");
      EXPECT_NE(file, files.end()) << "photo " << k << " missing among" << names;
      if (file != files.end()) {
        EXPECT_EQ(file->second, album_.photos[k].bytes) << file->first;
      }
    }
    return files.size();
  }

  Snapshot Now() { return {WrittenPrefix(), PhotoRequests().size()}; }

  // Neither a file written nor a photo asked for during a quiet period.
  bool StaysHalted() {
    QTest::qWait(kSettleMs);
    const Snapshot before = Now();
    QTest::qWait(kQuietMs);
    return Now() == before;
  }

  bool Grows() {
    const size_t before = WrittenPrefix();
    return WaitFor([&] { return WrittenPrefix() > before; });
  }

  bool ButtonsAre(const std::string& set) {
    return WaitFor([&] { return program_.JobButtons() == set; }, 10000);
  }

  Program program_;
  standin::FakeAlbum album_;
  fs::path folder_;
};

TEST_F(EndToEndJobControl, PauseResumeStopCancelledAndStopConfirmed) {
  ASSERT_NO_FATAL_FAILURE(Start([](standin::FakePhoto& photo) { photo.delayMs = kDelayMs; }));
  ASSERT_TRUE(WaitFor([&] { return WrittenPrefix() >= 2; }));

  ASSERT_TRUE(program_.Press(u"按钮_暂停线程"));
  EXPECT_TRUE(ButtonsAre(kPaused));
  EXPECT_TRUE(program_.Log().contains(QStringLiteral("暂停了下载")));
  EXPECT_TRUE(StaysHalted());

  // Stop, then Cancel, while paused: the job stays paused.
  ASSERT_TRUE(program_.Press(u"按钮_结束下载"));
  ASSERT_FALSE(program_.boxes.empty());
  EXPECT_EQ(program_.boxes.back().text, QStringLiteral("您真的要彻底结束下载么？"));
  EXPECT_EQ(program_.boxes.back().caption, QStringLiteral("警告！"));
  EXPECT_TRUE(program_.boxes.back().okCancel);
  EXPECT_EQ(program_.JobButtons(), kPaused);
  EXPECT_TRUE(StaysHalted());

  ASSERT_TRUE(program_.Press(u"按钮_继续下载"));
  EXPECT_TRUE(ButtonsAre(kRunning));
  EXPECT_TRUE(program_.Log().contains(QStringLiteral("恢复了下载")));
  EXPECT_TRUE(Grows());

  // Stop, then Cancel, while running: halted while the question is open, then going on.
  bool haltedDuringQuestion = false;
  program_.answer = [&] {
    haltedDuringQuestion = StaysHalted();
    return false;
  };
  ASSERT_TRUE(program_.Press(u"按钮_结束下载"));
  EXPECT_TRUE(haltedDuringQuestion);
  EXPECT_EQ(program_.JobButtons(), kRunning);
  EXPECT_TRUE(Grows());
  EXPECT_FALSE(program_.Log().contains(QStringLiteral("彻底结束下载了")));

  program_.answer = [] { return true; };
  ASSERT_TRUE(program_.Press(u"按钮_结束下载"));
  EXPECT_TRUE(ButtonsAre(kIdle));
  ASSERT_TRUE(program_.DownloadEnded());
  EXPECT_TRUE(program_.Log().contains(QStringLiteral("彻底结束下载了")));
  const size_t written = WrittenPrefix(true);
  EXPECT_LT(written, static_cast<size_t>(kPhotos)) << "the album ended before the stop";
  EXPECT_FALSE(program_.HasMessage(QStringLiteral("全部下载完毕")));
  EXPECT_FALSE(program_.Log().contains(QStringLiteral("全部下载完毕")));
  EXPECT_TRUE(program_.opened.empty());
  // Nothing the ended worker left queued brings other buttons back.
  EXPECT_EQ(program_.JobButtons(), kIdle);
}

// A photo that never answers: the stop ends its request at once, and the photos behind it,
// though fetched, are not written out of order.
TEST_F(EndToEndJobControl, StopEndsARequestThatNeverAnswers) {
  ASSERT_NO_FATAL_FAILURE(
      Start([](standin::FakePhoto& photo) { photo.hang = photo.id == "V1slowp2"; }));
  ASSERT_TRUE(WaitFor([&] {
    for (const auto& request : PhotoRequests())
      if (request.query.find("/V1slowp2/") != std::string::npos) return WrittenPrefix() == 2;
    return false;
  }));
  program_.answer = [] { return true; };
  QElapsedTimer stopping;
  stopping.start();
  ASSERT_TRUE(program_.Press(u"按钮_结束下载"));
  // A photo fetch would time out only after fifteen seconds or more.
  EXPECT_TRUE(WaitFor([&] { return !program_.Window().DownloadRunning(); }, 10000))
      << "still running " << stopping.elapsed() << " ms after the stop";
  ASSERT_TRUE(program_.DownloadEnded());
  EXPECT_EQ(WrittenPrefix(true), 2u);
  EXPECT_EQ(program_.JobButtons(), kIdle);
}

}  // namespace
}  // namespace tarvelin::e2e
