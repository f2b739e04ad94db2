// "1:获取相册" after a login in the real login view: the album table of a space and of a group.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>

#include "app/album_table.h"
#include "e2e_env.h"

namespace tarvelin::e2e {
namespace {

using app::AlbumTable;

struct Row {
  const char* number;
  const char* name;
  const char* count;
  const char* id;
  const char* access;
};

void ExpectRows(const AlbumTable& table, const std::vector<Row>& rows) {
  ASSERT_EQ(table.RowCount(), static_cast<int>(rows.size()));
  for (int r = 0; r < table.RowCount(); ++r) {
    SCOPED_TRACE(r);
    const Row& row = rows[r];
    EXPECT_TRUE(table.IsChecked(r));
    EXPECT_EQ(table.CellText(r, AlbumTable::Number), QString::fromUtf8(row.number));
    EXPECT_EQ(table.CellText(r, AlbumTable::Name), QString::fromUtf8(row.name));
    EXPECT_EQ(table.CellText(r, AlbumTable::PhotoCount), QString::fromUtf8(row.count));
    EXPECT_EQ(table.CellText(r, AlbumTable::AlbumId), QString::fromUtf8(row.id));
    EXPECT_EQ(table.CellText(r, AlbumTable::Access), QString::fromUtf8(row.access));
  }
}

TEST(EndToEndListing, SpaceAndGroupAlbumsWithTheLoginOfTheLoginView) {
  ResetService(FillSample);
  Program program;
  ASSERT_TRUE(program.LogIn(kOwner));

  program.TypeTarget(kOwner);
  ASSERT_TRUE(program.ListAlbums());
  ExpectRows(*program.Window().Albums(), {{"1", "春游", "5", "V1spring", "已授权"},
                                          {"2", "私密", "2", "V1locked", "宠物叫什么"},
                                          {"3", "Trip 2017", "3", "V1trip", "已授权"},
                                          {"4", "留下", "2", "V1left", "已授权"}});
  EXPECT_EQ(program.Control<QLabel>(u"标签_动态")->text(),
            QStringLiteral("温馨提示：相册列表获取完毕,共计4个"));
  // The account, the keys and the page token all came out of the view's page.
  const SessionValues login = program.Session().Snapshot();
  EXPECT_EQ(login.accountNumber, kOwner);
  EXPECT_EQ(login.pageToken, "tok-1234");
  EXPECT_TRUE(program.Log().contains(QStringLiteral("账号：10001")));
  EXPECT_TRUE(program.boxes.empty());

  // With covers: the open albums' first photos, fetched and decoded; the locked one's own
  // picture.
  QTest::mouseClick(program.Control<QCheckBox>(u"选择框_封面图"), Qt::LeftButton);
  Server().ClearRequests();
  ASSERT_TRUE(program.ListAlbums());
  const AlbumTable& table = *program.Window().Albums();
  ASSERT_EQ(table.RowCount(), 4);
  EXPECT_EQ(table.columnWidth(AlbumTable::Cover), AlbumTable::kCoverWidth);
  for (const AlbumRecord& row : table.Albums()) EXPECT_GE(row.coverPicture, 0) << row.albumId;
  int covers = 0;
  for (const auto& request : Server().Requests()) covers += request.path == "/cover";
  EXPECT_EQ(covers, 3);

  // A group listing is refused by the stand-in unless p_skey and the page token are right.
  program.ChooseSource(1);
  EXPECT_EQ(program.Control<QLabel>(u"标签_空间或群")->text(), QStringLiteral("输入QQ群号："));
  program.TypeTarget(kGroup);
  ASSERT_TRUE(program.ListAlbums());
  ExpectRows(*program.Window().Albums(),
             {{"1", "班级", "4", "G1class", ""}, {"2", "运动会", "2", "G1sport", ""}});
  EXPECT_EQ(program.Control<QLabel>(u"标签_动态")->text(),
            QStringLiteral("相册获取完毕，共计：2个"));
  EXPECT_TRUE(program.boxes.empty());
}

}  // namespace
}  // namespace tarvelin::e2e
