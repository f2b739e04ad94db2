#include "app/text_qt.h"

#include <QByteArray>

#include "net/codec.h"

namespace tarvelin::app {

QString ToQString(const Text& text) {
  const Bytes utf8 = TextToUtf8(text);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

Text ToText(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return Utf8ToText(Bytes(utf8.constData(), static_cast<size_t>(utf8.size())));
}

}  // namespace tarvelin::app
