#include "app/album_table.h"

#include <QHeaderView>
#include <QImage>
#include <QPixmap>

#include "app/text_qt.h"

namespace tarvelin::app {
namespace {

constexpr int kPictureRole = Qt::UserRole + 1;

}  // namespace

AlbumTable::AlbumTable(QWidget* parent) : QTreeWidget(parent) {
  setColumnCount(ColumnCount);
  setHeaderLabels({QStringLiteral("选择"), QStringLiteral("序号"), QStringLiteral("相册名称"),
                   QStringLiteral("封面"), QStringLiteral("图片数量"), QStringLiteral("相册ID"),
                   QStringLiteral("相册问题"), QStringLiteral("相册密码")});
  const int widths[ColumnCount] = {60, 40, 120, kCoverWidth, 70, 50, 80, 80};
  for (int column = 0; column < ColumnCount; ++column) setColumnWidth(column, widths[column]);
  header()->setStretchLastSection(false);
  header()->setSectionsClickable(false);
  setRootIsDecorated(false);
  setUniformRowHeights(false);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setIconSize(QSize(kCoverWidth, kCoverWidth));
}

void AlbumTable::ClearAlbums() {
  clear();
  pictures_.clear();
}

void AlbumTable::AppendAlbum(const AlbumRecord& record) {
  auto* item = new QTreeWidgetItem();
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
  item->setCheckState(Check, record.checked ? Qt::Checked : Qt::Unchecked);
  item->setText(Number, ToQString(record.rowNumber));
  item->setText(Name, ToQString(record.albumName));
  item->setText(PhotoCount, ToQString(record.photoCount));
  item->setText(AlbumId, ToQString(record.albumId));
  item->setText(Access, ToQString(record.accessText));
  item->setText(Password, ToQString(record.password));
  item->setData(Cover, kPictureRole, -1);
  addTopLevelItem(item);
  if (record.coverPicture >= 0) SetAlbumCover(RowCount() - 1, record.coverPicture);
}

std::vector<AlbumRecord> AlbumTable::Albums() const {
  std::vector<AlbumRecord> rows;
  rows.reserve(static_cast<size_t>(RowCount()));
  for (int row = 0; row < RowCount(); ++row) {
    const QTreeWidgetItem* item = topLevelItem(row);
    AlbumRecord record;
    record.checked = item->checkState(Check) == Qt::Checked;
    record.rowNumber = ToText(item->text(Number));
    record.albumName = ToText(item->text(Name));
    record.coverPicture = item->data(Cover, kPictureRole).toInt();
    record.photoCount = ToText(item->text(PhotoCount));
    record.albumId = ToText(item->text(AlbumId));
    record.accessText = ToText(item->text(Access));
    record.password = ToText(item->text(Password));
    rows.push_back(record);
  }
  return rows;
}

QString AlbumTable::CellText(int row, int column) const {
  const QTreeWidgetItem* item = topLevelItem(row);
  return item ? item->text(column) : QString();
}

void AlbumTable::SetCellText(int row, int column, const QString& text) {
  if (QTreeWidgetItem* item = topLevelItem(row)) item->setText(column, text);
}

bool AlbumTable::IsChecked(int row) const {
  const QTreeWidgetItem* item = topLevelItem(row);
  return item && item->checkState(Check) == Qt::Checked;
}

void AlbumTable::SetChecked(int row, bool checked) {
  if (QTreeWidgetItem* item = topLevelItem(row))
    item->setCheckState(Check, checked ? Qt::Checked : Qt::Unchecked);
}

int AlbumTable::SelectedRow() const {
  const QList<QTreeWidgetItem*> selected = selectedItems();
  return selected.isEmpty() ? -1 : indexOfTopLevelItem(selected.first());
}

void AlbumTable::ShowRow(int row) {
  QTreeWidgetItem* item = topLevelItem(row);
  if (!item) return;
  scrollToItem(item);
  setCurrentItem(item);
  item->setSelected(true);
}

void AlbumTable::SetCoverColumnVisible(bool visible) {
  setColumnWidth(Cover, visible ? kCoverWidth : 0);
}

int AlbumTable::AddCoverPicture(const Bytes& encoded) {
  QImage image;
  if (!image.loadFromData(reinterpret_cast<const uchar*>(encoded.data()),
                          static_cast<int>(encoded.size())))
    return -1;
  pictures_.emplace_back(QPixmap::fromImage(
      image.scaled(kCoverWidth, kCoverWidth, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
  return static_cast<int>(pictures_.size()) - 1;
}

void AlbumTable::SetAlbumCover(int row, int picture) {
  QTreeWidgetItem* item = topLevelItem(row);
  if (!item) return;
  const bool known = picture >= 0 && picture < static_cast<int>(pictures_.size());
  item->setData(Cover, kPictureRole, known ? picture : -1);
  item->setIcon(Cover, known ? pictures_[static_cast<size_t>(picture)] : QIcon());
}

}  // namespace tarvelin::app
