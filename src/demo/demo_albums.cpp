#include "demo/demo_albums.h"

#include <QBuffer>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QString>

namespace tarvelin::demo {
namespace {

// A landscape-like picture: sky gradient, sun, hills, and a caption.
std::string DrawPicture(const QString& caption, int index, int hue) {
  QImage image(480, 320, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, 320);
  sky.setColorAt(0, QColor::fromHsv(hue, 120, 250));
  sky.setColorAt(1, QColor::fromHsv((hue + 40) % 360, 60, 255));
  painter.fillRect(image.rect(), sky);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 220, 90));
  painter.drawEllipse(QPointF(80 + (index * 37) % 320, 70), 34, 34);
  for (int layer = 0; layer < 3; ++layer) {
    painter.setBrush(QColor::fromHsv((hue + 120 + layer * 15) % 360, 140, 170 - layer * 40));
    QPolygonF hill;
    hill << QPointF(0, 320);
    for (int x = 0; x <= 480; x += 40) {
      const int y = 200 + layer * 35 - ((x * (7 + layer) + index * 29) % 60);
      hill << QPointF(x, y);
    }
    hill << QPointF(480, 320);
    painter.drawPolygon(hill);
  }
  painter.setPen(Qt::white);
  QFont font(QStringLiteral("Noto Sans CJK SC"));
  font.setPixelSize(26);
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(QRect(0, 250, 480, 60), Qt::AlignCenter,
                   caption + QStringLiteral("  #") + QString::number(index + 1));
  painter.end();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPEG", 80);
  return bytes.toStdString();
}

standin::FakeAlbum MakeAlbum(const std::string& id, const QString& name, int photos, int hue,
                             const std::string& question = {}) {
  standin::FakeAlbum album;
  album.id = id;
  album.name = name.toStdString();
  album.description = (name + QStringLiteral("的照片")).toStdString();
  album.question = question;
  for (int i = 0; i < photos; ++i) {
    standin::FakePhoto photo;
    photo.name = (name + QString::number(i + 1)).toStdString();
    photo.id = id + "_" + std::to_string(i);
    photo.bytes = DrawPicture(name, i, hue);
    photo.uploadTime = "2017-04-21 08:00:00";
    album.photos.push_back(std::move(photo));
  }
  return album;
}

}  // namespace

void FillDemoService(standin::FakeService& service) {
  std::lock_guard<std::mutex> lock(service.mutex);
  service.login.uin = DemoSpaceOwner;
  standin::FakeSpace space;
  space.owner = DemoSpaceOwner;
  space.albums.push_back(MakeAlbum("V11demoSpring", QStringLiteral("春游"), 24, 200));
  space.albums.push_back(MakeAlbum("V11demoFamily", QStringLiteral("家人 2017"), 12, 30));
  space.albums.push_back(MakeAlbum("V11demoLocked", QStringLiteral("私密相册"), 6, 280,
                                   "我的小学叫什么？"));
  space.albums.push_back(MakeAlbum("V11demoEmpty", QStringLiteral("空相册"), 0, 0));
  service.spaces[space.owner] = std::move(space);

  standin::FakeGroup group;
  group.groupId = DemoGroup;
  group.albums.push_back(MakeAlbum("demoClass", QStringLiteral("班级合影"), 620, 120));
  group.albums.push_back(MakeAlbum("demoTrip", QStringLiteral("毕业旅行"), 15, 330));
  service.groups[group.groupId] = std::move(group);
}

}  // namespace tarvelin::demo
