#pragma once
// The five download options: each key of the section "下载模式", its default and the
// controls it mirrors, in one table. Loading and saving walk the table.

#include <QString>
#include <vector>

class QWidget;

namespace tarvelin::app {

inline const QString SettingsSection = QStringLiteral("下载模式");

struct SettingChoice {
  QString value;    // as written in the file
  QString control;  // radio button selected for that value
};

struct SettingEntry {
  enum class Kind {
    Choice,     // one radio button per value; `fallbackControl` for any other value
    Flag,       // check box: ticked unless the value is exactly `offValue`
    Folder,     // text box; an empty value means the default save folder
    PlainText,  // text box, as typed
  };
  QString key;
  Kind kind;
  QString defaultValue;  // read when the key is absent
  QString control;       // the check box or text box (Flag, Folder, PlainText)
  std::vector<SettingChoice> choices;
  QString fallbackControl;
  QString onValue, offValue;
  bool saveOnFocusLoss = false;  // PlainText: written when its box loses the focus
};

const std::vector<SettingEntry>& SettingsTable();
const SettingEntry* FindSetting(const QString& key);

// Fills the controls below `window` from the file; writes nothing.
void LoadSettings(QWidget* window, const QString& settingsFile, const QString& defaultSaveFolder);
// Writes one key of the section at once; a failed write is not reported.
void SaveSetting(const QString& settingsFile, const QString& key, const QString& value);
// Connects the change handlers that write each key when its control changes.
void ConnectSettingHandlers(QWidget* window, const QString& settingsFile);

}  // namespace tarvelin::app
