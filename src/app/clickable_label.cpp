#include "app/clickable_label.h"

#include <QMouseEvent>

namespace tarvelin::app {

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
  QLabel::mousePressEvent(event);
  if (event->button() == Qt::LeftButton) emit pressed();
}

}  // namespace tarvelin::app
