#include "app/tab_control.h"

#include <QPainter>
#include <QTabBar>

namespace tarvelin::app {
namespace {

// Tabs as low as the pages' top margin leaves room for.
class CompactTabBar : public QTabBar {
 public:
  using QTabBar::QTabBar;

 protected:
  QSize tabSizeHint(int index) const override { return {QTabBar::tabSizeHint(index).width(), 19}; }
};

}  // namespace

TabControl::TabControl(QWidget* parent) : QWidget(parent), bar_(new CompactTabBar(this)) {
  bar_->setDrawBase(false);
  bar_->setExpanding(false);
  connect(bar_, &QTabBar::currentChanged, this, [this] { ShowCurrent(); });
}

void TabControl::addTab(QWidget* page, const QString& text) {
  page->setParent(this);
  page->setGeometry(rect());
  pages_.push_back(page);
  bar_->addTab(text);
  bar_->adjustSize();
  ShowCurrent();
}

QWidget* TabControl::widget(int index) const {
  return index >= 0 && index < count() ? pages_[static_cast<size_t>(index)] : nullptr;
}

QString TabControl::tabText(int index) const { return bar_->tabText(index); }

int TabControl::currentIndex() const { return bar_->currentIndex(); }

void TabControl::setCurrentIndex(int index) { bar_->setCurrentIndex(index); }

void TabControl::ShowCurrent() {
  for (int i = 0; i < count(); ++i) pages_[static_cast<size_t>(i)]->setVisible(i == currentIndex());
  bar_->raise();
}

void TabControl::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  for (QWidget* page : pages_) page->setGeometry(rect());
  bar_->move(0, 0);
  bar_->resize(bar_->sizeHint().width(), bar_->sizeHint().height());
}

void TabControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(rect().adjusted(0, bar_->height() - 1, -1, -1));
}

}  // namespace tarvelin::app
