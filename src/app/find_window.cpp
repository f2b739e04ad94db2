#include "app/find_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/album_search.h"
#include "app/album_table.h"
#include "app/text_qt.h"

namespace tarvelin::app {
namespace {

template <typename T>
T* Place(QWidget* parent, const QString& name, int x, int y, int w, int h,
         const QString& text = QString()) {
  auto* control = new T(parent);
  control->setObjectName(name);
  control->setGeometry(x, y, w, h);
  if (!text.isEmpty()) control->setText(text);
  return control;
}

}  // namespace

FindWindow::FindWindow(AlbumTable* table, std::function<void(const QString&)> inform,
                       QWidget* parent)
    : QWidget(parent, Qt::Window), table_(table), inform_(std::move(inform)) {
  setObjectName(QStringLiteral("查找窗口"));
  setWindowTitle(QStringLiteral("查找功能："));
  setGeometry(50, 50, 348, 152);
  Place<QLabel>(this, QStringLiteral("标签_要查找的相册名称"), 8, 19, 104, 32,
                QStringLiteral("要查找的相册名称："));
  keyword_ = Place<QLineEdit>(this, QStringLiteral("编辑框1"), 112, 19, 144, 32);
  auto* find = Place<QPushButton>(this, QStringLiteral("按钮_查找"), 261, 19, 75, 32,
                                  QStringLiteral("查找"));
  Place<QLabel>(this, QStringLiteral("标签_结果"), 8, 88, 56, 24, QStringLiteral("查找结果："));
  rowLabel_ = Place<QLabel>(this, QStringLiteral("标签_行位置"), 72, 88, 80, 24);
  auto* previous = Place<QPushButton>(this, QStringLiteral("按钮_查找上一个"), 190, 80, 57, 32,
                                      QStringLiteral("上一个"));
  auto* next = Place<QPushButton>(this, QStringLiteral("按钮_查找下一个"), 281, 80, 57, 32,
                                  QStringLiteral("下一个"));
  connect(find, &QPushButton::clicked, this, &FindWindow::FindFirst);
  connect(next, &QPushButton::clicked, this, &FindWindow::FindNext);
  connect(previous, &QPushButton::clicked, this, &FindWindow::FindPrevious);
}

QString FindWindow::Keyword() const { return keyword_->text(); }

void FindWindow::ShowResult(int row) {
  table_->ShowRow(row);
  findPosition_ = row;
  rowLabel_->setText(QStringLiteral("第%1行").arg(row + 1));
}

void FindWindow::FindFirst() {
  const QString keyword = Keyword();
  const int row = FindRows(*table_, ToText(keyword), 0);
  if (row >= 0) return ShowResult(row);
  findPosition_ = -1;
  inform_(QStringLiteral("未找到名称包含关键词：") + keyword + QStringLiteral("的相册"));
}

void FindWindow::FindNext() {
  const int row = FindRows(*table_, ToText(Keyword()), findPosition_ + 1);
  if (row >= 0) return ShowResult(row);
  findPosition_ = -1;
  inform_(QStringLiteral("没有了"));
}

void FindWindow::FindPrevious() {
  if (findPosition_ == -1) findPosition_ = table_->RowCount();
  const int row = FindRowsBackward(*table_, ToText(Keyword()), findPosition_);
  if (row >= 0) return ShowResult(row);
  findPosition_ = -1;
  inform_(QStringLiteral("没有了"));
}

}  // namespace tarvelin::app
