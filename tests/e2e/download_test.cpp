// "2:下载选中" through the window: the files on disk against what the stand-in served.
#include <gtest/gtest.h>

#include "app/album_table.h"
#include "e2e_env.h"

namespace tarvelin::e2e {
namespace {

namespace fs = std::filesystem;

// The album's photos in `folder`, in photo order under `names`, and nothing else but the
// album description.
void ExpectAlbumFiles(const fs::path& folder, const standin::FakeAlbum& album,
                      const std::vector<std::string>& names) {
  SCOPED_TRACE(folder.string());
  auto files = FilesIn(folder);
  files.erase("相册介绍.txt");
  ASSERT_EQ(names.size(), album.photos.size());
  EXPECT_EQ(files.size(), names.size());
  for (size_t k = 0; k < names.size(); ++k) {
    const auto file = files.find(names[k]);
    ASSERT_NE(file, files.end()) << names[k];
    EXPECT_EQ(file->second, album.photos[k].bytes) << names[k];
  }
}

// Every photo request asked for the size `size` ('b' large, 'r' raw).
void ExpectPhotoSize(char size) {
  const auto requests = PhotoRequests();
  EXPECT_FALSE(requests.empty());
  const std::string part = std::string("/") + size + "/";
  for (const auto& request : requests)
    EXPECT_NE(request.query.find(part), std::string::npos) << request.query;
}

TEST(EndToEndDownload, TwoSpaceAlbumsInEveryModeThenAGroupAlbum) {
  ResetService(FillSample);
  const standin::FakeAlbum spring = SpaceAlbum(0), trip = SpaceAlbum(2), classAlbum = GroupAlbum(0);
  Program program;
  ASSERT_TRUE(program.LogIn(kOwner));
  program.TypeTarget(kOwner);
  ASSERT_TRUE(program.ListAlbums());
  app::AlbumTable& table = *program.Window().Albums();
  ASSERT_EQ(table.RowCount(), 4);
  table.SetChecked(1, false);
  table.SetChecked(3, false);

  struct Case {
    const char16_t* mode;
    const char16_t* names;
    char size;
    std::vector<std::string> spring, trip;
  };
  const Case cases[] = {
      {u"单选框_高清",
       u"单选框_文件名无序号",
       'b',
       {"IMG_0.jpg", "IMG_1.jpg", "IMG_0(1).jpg", "IMG_1(1).jpg", "IMG_0(2).jpg"},
       {"海边.jpg", "日落.jpg", "海边(1).jpg"}},
      {u"单选框_原图数量大于2000",
       u"单选框_文件名序号在前",
       'r',
       {"(1)IMG_0.jpg", "(2)IMG_1.jpg", "(3)IMG_0.jpg", "(4)IMG_1.jpg", "(5)IMG_0.jpg"},
       {"(1)海边.jpg", "(2)日落.jpg", "(3)海边.jpg"}},
      {u"单选框_原图单个相册小于2000",
       u"单选框_文件名序号在后",
       'r',
       {"IMG_0(1).jpg", "IMG_1(2).jpg", "IMG_0(3).jpg", "IMG_1(4).jpg", "IMG_0(5).jpg"},
       {"海边(1).jpg", "日落(2).jpg", "海边(3).jpg"}},
  };
  const fs::path space = program.Folder() / kOwner;
  for (const Case& c : cases) {
    SCOPED_TRACE(QString::fromUtf16(c.mode).toStdString());
    fs::remove_all(space);
    Server().ClearRequests();
    program.boxes.clear();
    program.opened.clear();
    program.Control<QPlainTextEdit>(u"编辑框_操作记录")->clear();
    program.Tick(c.mode);
    program.Tick(c.names);

    ASSERT_TRUE(program.StartDownload());
    ASSERT_TRUE(program.DownloadEnded());
    EXPECT_TRUE(program.HasMessage(QStringLiteral("全部下载完毕")));
    EXPECT_EQ(program.JobButtons(), "1000");
    EXPECT_TRUE(
        program.Log().contains(QStringLiteral("共写入照片[8]张，失败照片[0]张，失败相册[0]个")))
        << program.Log().toStdString();
    ExpectAlbumFiles(space / "春游", spring, c.spring);
    ExpectAlbumFiles(space / "Trip 2017", trip, c.trip);
    EXPECT_FALSE(fs::exists(space / "私密"));
    EXPECT_FALSE(fs::exists(space / "留下"));
    ExpectPhotoSize(c.size);
    EXPECT_EQ(program.opened, std::vector<QString>{QString::fromStdString(space.string())});
  }

  program.ChooseSource(1);
  program.TypeTarget(kGroup);
  ASSERT_TRUE(program.ListAlbums());
  ASSERT_EQ(table.RowCount(), 2);
  table.SetChecked(1, false);
  program.Tick(u"单选框_文件名无序号");
  Server().ClearRequests();
  program.boxes.clear();
  ASSERT_TRUE(program.StartDownload());
  ASSERT_TRUE(program.DownloadEnded());
  EXPECT_TRUE(program.HasMessage(QStringLiteral("全部下载完毕")));
  const fs::path group = program.Folder() / kGroup;
  ExpectAlbumFiles(group / "班级4", classAlbum,
                   {"IMG_0.jpg", "IMG_1.jpg", "IMG_0(1).jpg", "IMG_1(1).jpg"});
  EXPECT_FALSE(fs::exists(group / "运动会2"));
  ExpectPhotoSize('r');
}

}  // namespace
}  // namespace tarvelin::e2e
