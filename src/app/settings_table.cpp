#include "app/settings_table.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QEvent>
#include <QLineEdit>
#include <QObject>
#include <QRadioButton>

#include "app/ini_file.h"
#include "app/text_qt.h"

namespace tarvelin::app {
namespace {

using Kind = SettingEntry::Kind;

// Writes a text box's key when the box loses the input focus.
class FocusLossSaver : public QObject {
 public:
  FocusLossSaver(QLineEdit* box, QString file, QString key)
      : QObject(box), box_(box), file_(std::move(file)), key_(std::move(key)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == box_ && event->type() == QEvent::FocusOut)
      SaveSetting(file_, key_, box_->text());
    return false;
  }

 private:
  QLineEdit* box_;
  QString file_, key_;
};

template <typename T>
T* Control(QWidget* window, const QString& name) {
  return window->findChild<T*>(name);
}

void Select(QWidget* window, const QString& name) {
  if (auto* radio = Control<QRadioButton>(window, name)) radio->setChecked(true);
}

}  // namespace

const std::vector<SettingEntry>& SettingsTable() {
  static const std::vector<SettingEntry> table = {
      {QStringLiteral("模式"),
       Kind::Choice,
       QStringLiteral("高清"),
       QString(),
       {{QStringLiteral("高清"), QStringLiteral("单选框_高清")},
        {QStringLiteral("原图小于2000"), QStringLiteral("单选框_原图单个相册小于2000")},
        {QStringLiteral("原图大于2000"), QStringLiteral("单选框_原图数量大于2000")}},
       QStringLiteral("单选框_高清"),
       QString(),
       QString(),
       false},
      {QStringLiteral("文件名格式"),
       Kind::Choice,
       QString(),
       QString(),
       {{QStringLiteral("序号在前"), QStringLiteral("单选框_文件名序号在前")},
        {QStringLiteral("序号在后"), QStringLiteral("单选框_文件名序号在后")},
        {QStringLiteral("无序号"), QStringLiteral("单选框_文件名无序号")}},
       QStringLiteral("单选框_文件名无序号"),
       QString(),
       QString(),
       false},
      {QStringLiteral("下载完成打开目录"),
       Kind::Flag,
       QString(),
       QStringLiteral("选择框_下载完成打开目录"),
       {},
       QString(),
       QStringLiteral("真"),
       QStringLiteral("假"),
       false},
      {QStringLiteral("保存位置"),
       Kind::Folder,
       QString(),
       QStringLiteral("编辑框_保存位置"),
       {},
       QString(),
       QString(),
       QString(),
       false},
      {QStringLiteral("二次下载文件大小"),
       Kind::PlainText,
       QStringLiteral("2"),
       QStringLiteral("编辑框_文件大小"),
       {},
       QString(),
       QString(),
       QString(),
       true},
  };
  return table;
}

const SettingEntry* FindSetting(const QString& key) {
  for (const SettingEntry& entry : SettingsTable())
    if (entry.key == key) return &entry;
  return nullptr;
}

void LoadSettings(QWidget* window, const QString& settingsFile, const QString& defaultSaveFolder) {
  const Text section = ToText(SettingsSection);
  for (const SettingEntry& entry : SettingsTable()) {
    const QString value = ToQString(
        ReadIniValue(settingsFile, section, ToText(entry.key), ToText(entry.defaultValue)));
    switch (entry.kind) {
      case Kind::Choice: {
        QString chosen = entry.fallbackControl;
        for (const SettingChoice& choice : entry.choices)
          if (choice.value == value) chosen = choice.control;
        Select(window, chosen);
        break;
      }
      case Kind::Flag:
        if (auto* box = Control<QCheckBox>(window, entry.control))
          box->setChecked(value != entry.offValue);
        break;
      case Kind::Folder:
        if (auto* box = Control<QLineEdit>(window, entry.control))
          box->setText(value.isEmpty() ? defaultSaveFolder : value);
        break;
      case Kind::PlainText:
        if (auto* box = Control<QLineEdit>(window, entry.control)) box->setText(value);
        break;
    }
  }
}

void SaveSetting(const QString& settingsFile, const QString& key, const QString& value) {
  WriteIniValue(settingsFile, ToText(SettingsSection), ToText(key), ToText(value));
}

void ConnectSettingHandlers(QWidget* window, const QString& settingsFile) {
  for (const SettingEntry& entry : SettingsTable()) {
    switch (entry.kind) {
      case Kind::Choice:
        for (const SettingChoice& choice : entry.choices) {
          if (auto* radio = Control<QRadioButton>(window, choice.control)) {
            QObject::connect(radio, &QAbstractButton::clicked, radio,
                             [settingsFile, key = entry.key, value = choice.value] {
                               SaveSetting(settingsFile, key, value);
                             });
          }
        }
        break;
      case Kind::Flag:
        if (auto* box = Control<QCheckBox>(window, entry.control)) {
          QObject::connect(box, &QAbstractButton::clicked, box,
                           [settingsFile, e = &entry](bool ticked) {
                             SaveSetting(settingsFile, e->key, ticked ? e->onValue : e->offValue);
                           });
        }
        break;
      case Kind::Folder:  // written by the folder chooser only
        break;
      case Kind::PlainText:
        if (entry.saveOnFocusLoss) {
          if (auto* box = Control<QLineEdit>(window, entry.control))
            box->installEventFilter(new FocusLossSaver(box, settingsFile, entry.key));
        }
        break;
    }
  }
}

}  // namespace tarvelin::app
