#pragma once
// The actions of the album table's side panel and of the two tick boxes above it, over
// the rows as the table holds them. The window applies them to its own rows.

#include <vector>

#include "port/types.h"

namespace tarvelin {

// The values the side panel shows of one row.
struct SidePanelValues {
  Text rowNumber;   // 编辑框_现行选中项序号
  Text accessText;  // 编辑框_QQ相册问题
  Text albumName;   // 编辑框_QQ相册名称
  Text albumId;     // 编辑框_xiangceid
};

// The shown values of row `selected` (empty values when it names no row).
SidePanelValues SelectedRowValues(const std::vector<AlbumRecord>& rows, int selected);

// The row a rename acts on: the leading digits of the shown row number, minus 1; -1 when
// that names no row of rowCount.
int RenameRowIndex(const Text& shownRowNumber, int rowCount);

// Renames the shown row to newName; false (and nothing changed) when it names no row.
bool RenameAlbum(std::vector<AlbumRecord>& rows, const Text& shownRowNumber, const Text& newName);

// The album's page in the user's web browser: http://SpaceUserHost/<target>/photo/<albumId>.
Text AlbumPageAddress(const Text& target, const Text& albumId);

// 选择框_全选 and 选择框_反选, as they stand after a click.
struct TickBoxes {
  bool all = false;
  bool invert = false;
};

// A click on 全选 that leaves it ticked unticks 反选 and ticks every row.
void ClickTickAll(TickBoxes& boxes, std::vector<AlbumRecord>& rows);
// A click on 反选 that leaves it ticked unticks 全选 and inverts every row's tick;
// unticking 反选 changes no row.
void ClickInvert(TickBoxes& boxes, std::vector<AlbumRecord>& rows);

}  // namespace tarvelin
