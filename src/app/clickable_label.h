#pragma once
// A label that acts on a left mouse press, as the window's link labels do.

#include <QLabel>

namespace tarvelin::app {

class ClickableLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;

 signals:
  void pressed();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace tarvelin::app
