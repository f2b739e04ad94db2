#pragma once
// The find window "查找功能：": jumps between the rows of the album table whose names hold
// a keyword. Non-modal; it only reads the table and moves its selection.

#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;

namespace tarvelin::app {

class AlbumTable;

class FindWindow : public QWidget {
  Q_OBJECT
 public:
  // `inform` shows an information box (OK only).
  FindWindow(AlbumTable* table, std::function<void(const QString&)> inform,
             QWidget* parent = nullptr);

  // Row of the last row found, -1 after a failed search; 0 at start.
  int FindPosition() const { return findPosition_; }
  void SetFindPosition(int position) { findPosition_ = position; }

  void FindFirst();     // 按钮_查找
  void FindNext();      // 按钮_查找下一个
  void FindPrevious();  // 按钮_查找上一个

 private:
  void ShowResult(int row);
  QString Keyword() const;

  AlbumTable* table_;
  std::function<void(const QString&)> inform_;
  QLineEdit* keyword_;
  QLabel* rowLabel_;
  int findPosition_ = 0;
};

}  // namespace tarvelin::app
