#pragma once
// The tab control 高级选择夹1. Its pages cover the whole control, header included, so the
// places of the controls on a page count from the control's top-left corner, as the
// window's layout gives them; the tab bar lies above the pages' top margin.

#include <QWidget>
#include <vector>

class QTabBar;

namespace tarvelin::app {

class TabControl : public QWidget {
  Q_OBJECT
 public:
  explicit TabControl(QWidget* parent = nullptr);

  // The page becomes a child of the control.
  void addTab(QWidget* page, const QString& text);
  int count() const { return static_cast<int>(pages_.size()); }
  QWidget* widget(int index) const;
  QString tabText(int index) const;
  int currentIndex() const;
  void setCurrentIndex(int index);
  QTabBar* tabBar() const { return bar_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void ShowCurrent();
  QTabBar* bar_;
  std::vector<QWidget*> pages_;
};

}  // namespace tarvelin::app
