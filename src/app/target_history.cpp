#include "app/target_history.h"

#include <QComboBox>
#include <QFile>

#include "app/text_qt.h"

namespace tarvelin::app {

void LoadTargetHistory(QComboBox* box, const QString& historyFile) {
  const QString text = box->currentText();
  box->clear();
  QFile file(historyFile);
  if (file.open(QIODevice::ReadOnly)) {
    const QByteArray bytes = file.readAll();
    for (const QByteArray& line : bytes.split('\n')) {
      QByteArray item = line;
      if (item.endsWith('\r')) item.chop(1);
      if (!item.isEmpty())
        box->addItem(ToQString(Text(item.constData(), static_cast<size_t>(item.size()))));
    }
  }
  box->setEditText(text);
}

}  // namespace tarvelin::app
