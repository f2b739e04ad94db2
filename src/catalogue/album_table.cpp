#include "catalogue/album_table.h"

#include "net/endpoints.h"

namespace tarvelin {

SidePanelValues SelectedRowValues(const std::vector<AlbumRecord>& rows, int selected) {
  if (selected < 0 || selected >= static_cast<int>(rows.size())) return SidePanelValues();
  const AlbumRecord& row = rows[selected];
  return SidePanelValues{row.rowNumber, row.accessText, row.albumName, row.albumId};
}

int RenameRowIndex(const Text& shownRowNumber, int rowCount) {
  long long n = 0;
  for (char c : shownRowNumber) {
    if (c < '0' || c > '9') break;
    n = n * 10 + (c - '0');
    if (n > rowCount) return -1;
  }
  return n >= 1 && n <= rowCount ? static_cast<int>(n - 1) : -1;
}

bool RenameAlbum(std::vector<AlbumRecord>& rows, const Text& shownRowNumber, const Text& newName) {
  const int index = RenameRowIndex(shownRowNumber, static_cast<int>(rows.size()));
  if (index < 0) return false;
  rows[index].albumName = newName;
  return true;
}

Text AlbumPageAddress(const Text& target, const Text& albumId) {
  return Text("http://") + endpoints::SpaceUserHost + "/" + target + "/photo/" + albumId;
}

void ClickTickAll(TickBoxes& boxes, std::vector<AlbumRecord>& rows) {
  if (!boxes.all) return;
  boxes.invert = false;
  for (AlbumRecord& row : rows) row.checked = true;
}

void ClickInvert(TickBoxes& boxes, std::vector<AlbumRecord>& rows) {
  if (!boxes.invert) return;
  boxes.all = false;
  for (AlbumRecord& row : rows) row.checked = !row.checked;
}

}  // namespace tarvelin
