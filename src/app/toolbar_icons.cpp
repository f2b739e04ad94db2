#include "app/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

namespace tarvelin::app {

QIcon DrawToolbarIcon(ToolbarIcon which) {
  QPixmap pixmap(50, 50);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor blue(0x2d, 0x6c, 0xb5);
  painter.setPen(Qt::NoPen);
  painter.setBrush(blue);
  switch (which) {
    case ToolbarIcon::Login:  // a person
      painter.drawEllipse(QPointF(25, 16), 10, 10);
      painter.drawChord(QRectF(7, 28, 36, 36), 0, 180 * 16);
      break;
    case ToolbarIcon::Download: {  // an arrow into a tray
      QPainterPath arrow;
      arrow.moveTo(20, 5);
      arrow.lineTo(30, 5);
      arrow.lineTo(30, 22);
      arrow.lineTo(39, 22);
      arrow.lineTo(25, 37);
      arrow.lineTo(11, 22);
      arrow.lineTo(20, 22);
      arrow.closeSubpath();
      painter.drawPath(arrow);
      painter.drawRect(6, 40, 38, 5);
      break;
    }
    case ToolbarIcon::Settings: {  // a gear
      painter.translate(25, 25);
      for (int tooth = 0; tooth < 8; ++tooth) {
        painter.drawRect(QRectF(-4, -22, 8, 10));
        painter.rotate(45);
      }
      painter.drawEllipse(QPointF(0, 0), 15, 15);
      painter.setBrush(Qt::white);
      painter.drawEllipse(QPointF(0, 0), 6, 6);
      break;
    }
  }
  painter.end();
  return QIcon(pixmap);
}

}  // namespace tarvelin::app
