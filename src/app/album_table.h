#pragma once
// The album table 超级列表框1: one row per AlbumRecord, a check box in column 0 and the
// cover picture in column 3, pictures from the table's own picture list (100 x 100).

#include <QIcon>
#include <QTreeWidget>
#include <vector>

#include "port/types.h"

namespace tarvelin::app {

class AlbumTable : public QTreeWidget {
  Q_OBJECT
 public:
  enum Column {
    Check = 0,
    Number,
    Name,
    Cover,
    PhotoCount,
    AlbumId,
    Access,
    Password,
    ColumnCount
  };
  static constexpr int kCoverWidth = 100;

  explicit AlbumTable(QWidget* parent = nullptr);

  void ClearAlbums();
  void AppendAlbum(const AlbumRecord& record);
  std::vector<AlbumRecord> Albums() const;
  int RowCount() const { return topLevelItemCount(); }
  QString CellText(int row, int column) const;
  void SetCellText(int row, int column, const QString& text);
  bool IsChecked(int row) const;
  void SetChecked(int row, bool checked);
  // Index of the selected row, -1 when none.
  int SelectedRow() const;
  // Scrolls the row into view and makes it the selected row.
  void ShowRow(int row);

  void SetCoverColumnVisible(bool visible);
  // Decodes JPEG/PNG/GIF bytes into the picture list; -1 when they do not decode.
  int AddCoverPicture(const Bytes& encoded);
  void SetAlbumCover(int row, int picture);

 private:
  std::vector<QIcon> pictures_;
};

}  // namespace tarvelin::app
