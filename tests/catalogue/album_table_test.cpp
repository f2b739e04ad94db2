#include "catalogue/album_table.h"

#include <gtest/gtest.h>

namespace tarvelin {
namespace {

std::vector<AlbumRecord> Rows(std::initializer_list<bool> ticks) {
  std::vector<AlbumRecord> rows;
  for (bool tick : ticks) {
    AlbumRecord row;
    row.checked = tick;
    row.rowNumber = std::to_string(rows.size() + 1);
    row.albumName = "name" + row.rowNumber;
    row.albumId = "id" + row.rowNumber;
    row.accessText = "q" + row.rowNumber;
    rows.push_back(row);
  }
  return rows;
}

std::vector<bool> Ticks(const std::vector<AlbumRecord>& rows) {
  std::vector<bool> ticks;
  for (const AlbumRecord& row : rows) ticks.push_back(row.checked);
  return ticks;
}

TEST(AlbumTable, SidePanelShowsTheSelectedRow) {
  const auto rows = Rows({true, true});
  const SidePanelValues shown = SelectedRowValues(rows, 1);
  EXPECT_EQ(shown.rowNumber, "2");
  EXPECT_EQ(shown.albumName, "name2");
  EXPECT_EQ(shown.albumId, "id2");
  EXPECT_EQ(shown.accessText, "q2");
  EXPECT_EQ(SelectedRowValues(rows, -1).albumName, "");
  EXPECT_EQ(SelectedRowValues(rows, 2).rowNumber, "");
}

TEST(AlbumTable, RenameActsOnTheShownRowNumber) {
  auto rows = Rows({true, true, true});
  EXPECT_TRUE(RenameAlbum(rows, "2", "renamed"));
  EXPECT_EQ(rows[1].albumName, "renamed");
  EXPECT_EQ(rows[1].albumId, "id2");
  EXPECT_TRUE(RenameAlbum(rows, "3abc", "x"));
  EXPECT_EQ(rows[2].albumName, "x");
  for (const Text& none :
       {Text(""), Text("0"), Text("4"), Text("abc"), Text("99999999999999999999")}) {
    EXPECT_FALSE(RenameAlbum(rows, none, "never")) << none;
  }
  EXPECT_EQ(rows[0].albumName, "name1");
}

TEST(AlbumTable, AlbumPageAddress) {
  EXPECT_EQ(AlbumPageAddress("12345", "V1abc"), "http://user.qzone.qq.com/12345/photo/V1abc");
  EXPECT_EQ(AlbumPageAddress("12345", ""), "http://user.qzone.qq.com/12345/photo/");
}

TEST(AlbumTable, TickAllAndInvert) {
  auto rows = Rows({true, false, true});
  TickBoxes boxes;
  boxes.all = true;
  boxes.invert = true;
  ClickInvert(boxes, rows);
  EXPECT_EQ(Ticks(rows), (std::vector<bool>{false, true, false}));
  EXPECT_FALSE(boxes.all);
  boxes.invert = false;  // unticking 反选 changes no row
  ClickInvert(boxes, rows);
  EXPECT_EQ(Ticks(rows), (std::vector<bool>{false, true, false}));
  boxes.invert = true;
  ClickInvert(boxes, rows);
  EXPECT_EQ(Ticks(rows), (std::vector<bool>{true, false, true}));

  boxes.all = true;
  ClickTickAll(boxes, rows);
  EXPECT_EQ(Ticks(rows), (std::vector<bool>{true, true, true}));
  EXPECT_FALSE(boxes.invert);
  boxes.all = false;  // unticking 全选 leaves the rows ticked
  ClickTickAll(boxes, rows);
  EXPECT_EQ(Ticks(rows), (std::vector<bool>{true, true, true}));
}

}  // namespace
}  // namespace tarvelin
