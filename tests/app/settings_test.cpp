// The settings file 配置.ini: loading into the controls, writing on change.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "app/ini_file.h"
#include "app/settings_table.h"
#include "app/text_qt.h"
#include "app_test_env.h"

namespace tarvelin::app::testing {
namespace {

QByteArray Gbk(const QString& text) {
  const Text bytes = ToText(text);
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString Stored(const QString& file, const QString& key) {
  return ToQString(ReadIniValue(file, ToText(SettingsSection), ToText(key), "<absent>"));
}

// What the controls show after start-up.
struct Shown {
  QString mode, nameFormat;
  bool openFolder;
  QString saveFolder, secondKb;
};

Shown ShownBy(MainWindow& window) {
  const auto checked = [&](std::initializer_list<const char16_t*> names) {
    for (const char16_t* name : names)
      if (window.Control<QRadioButton>(QString::fromUtf16(name))->isChecked())
        return QString::fromUtf16(name);
    return QString();
  };
  return Shown{
      checked({u"单选框_高清", u"单选框_原图单个相册小于2000", u"单选框_原图数量大于2000"}),
      checked({u"单选框_文件名序号在前", u"单选框_文件名序号在后", u"单选框_文件名无序号"}),
      window.Control<QCheckBox>(QStringLiteral("选择框_下载完成打开目录"))->isChecked(),
      window.Control<QLineEdit>(QStringLiteral("编辑框_保存位置"))->text(),
      window.Control<QLineEdit>(QStringLiteral("编辑框_文件大小"))->text()};
}

TEST(Settings, MissingFileGivesDefaultsAndStaysMissing) {
  WindowFixture f;
  const Shown shown = ShownBy(*f.window);
  EXPECT_EQ(shown.mode, QStringLiteral("单选框_高清"));
  EXPECT_EQ(shown.nameFormat, QStringLiteral("单选框_文件名无序号"));
  EXPECT_TRUE(shown.openFolder);
  EXPECT_EQ(shown.saveFolder, f.window->Paths().programDirectory);
  EXPECT_EQ(shown.secondKb, QStringLiteral("2"));
  EXPECT_FALSE(QFile::exists(f.SettingsFile()));
}

TEST(Settings, FileValuesMapOntoControls) {
  struct Case {
    const char* file;  // UTF-8, written as code page 936
    QString mode, nameFormat;
    bool openFolder;
    QString saveFolder;  // "<program>" for the program directory
    QString secondKb;
  };
  const Case cases[] = {
      {"[下载模式]\r\n模式=原图小于2000\r\n文件名格式=序号在前\r\n下载完成打开目录=假\r\n保存位置=/"
       "data/相册\r\n"
       "二次下载文件大小=15\r\n",
       "单选框_原图单个相册小于2000", "单选框_文件名序号在前", false, "/data/相册", "15"},
      {"[下载模式]\r\n模式=原图大于2000\r\n文件名格式=序号在后\r\n下载完成打开目录=真\r\n",
       "单选框_原图数量大于2000", "单选框_文件名序号在后", true, "<program>", "2"},
      // Unknown values fall back; only exactly "假" unticks.
      {"[下载模式]\r\n模式=原图\r\n文件名格式=序号\r\n下载完成打开目录=false\r\n", "单选框_高清",
       "单选框_文件名无序号", true, "<program>", "2"},
      {"[下载模式]\r\n下载完成打开目录=0\r\n", "单选框_高清", "单选框_文件名无序号", true,
       "<program>", "2"},
      // Present but empty: the folder falls back, the size stays empty.
      {"[下载模式]\r\n保存位置=\r\n二次下载文件大小=\r\n", "单选框_高清", "单选框_文件名无序号",
       true, "<program>", ""},
      // Blanks around values are removed; the keys of another section do not count.
      {"[其他]\r\n模式=原图小于2000\r\n[下载模式]\r\n  模式 =  原图大于2000  \r\n",
       "单选框_原图数量大于2000", "单选框_文件名无序号", true, "<program>", "2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    WindowFixture f(false);
    WriteFile(f.SettingsFile(), Gbk(QString::fromUtf8(c.file)));
    f.window->StartUp();
    const Shown shown = ShownBy(*f.window);
    EXPECT_EQ(shown.mode, c.mode);
    EXPECT_EQ(shown.nameFormat, c.nameFormat);
    EXPECT_EQ(shown.openFolder, c.openFolder);
    EXPECT_EQ(shown.saveFolder,
              c.saveFolder == "<program>" ? f.window->Paths().programDirectory : c.saveFolder);
    EXPECT_EQ(shown.secondKb, c.secondKb);
    DownloadSettings live = f.window->Settings();
    EXPECT_EQ(ToQString(live.secondDownloadKb), c.secondKb);
  }
}

TEST(Settings, ControlsWriteTheirKeyAtOnce) {
  WindowFixture f;
  MainWindow& w = *f.window;
  const struct {
    const char16_t* control;
    QString key, value;
  } clicks[] = {
      {u"单选框_原图数量大于2000", "模式", "原图大于2000"},
      {u"单选框_原图单个相册小于2000", "模式", "原图小于2000"},
      {u"单选框_高清", "模式", "高清"},
      {u"单选框_文件名序号在前", "文件名格式", "序号在前"},
      {u"单选框_文件名序号在后", "文件名格式", "序号在后"},
      {u"单选框_文件名无序号", "文件名格式", "无序号"},
      {u"选择框_下载完成打开目录", "下载完成打开目录", "假"},
      {u"选择框_下载完成打开目录", "下载完成打开目录", "真"},
  };
  for (const auto& click : clicks) {
    w.Control<QAbstractButton>(QString::fromUtf16(click.control))->click();
    EXPECT_EQ(Stored(f.SettingsFile(), click.key), click.value)
        << QString::fromUtf16(click.control).toStdString();
  }
  // The file is code page 936 with the one section.
  const QByteArray bytes = ReadFile(f.SettingsFile());
  EXPECT_TRUE(bytes.startsWith(Gbk(QStringLiteral("[下载模式]\r\n")))) << bytes.toStdString();
  EXPECT_EQ(bytes.count('['), 1);

  // Clicking the selected radio button again writes the same value again.
  QFile::remove(f.SettingsFile());
  w.Control<QAbstractButton>(QStringLiteral("单选框_文件名无序号"))->click();
  EXPECT_EQ(Stored(f.SettingsFile(), "文件名格式"), QStringLiteral("无序号"));
}

TEST(Settings, SizeBoxIsWrittenOnlyWhenItLosesTheFocus) {
  WindowFixture f;
  auto* box = f.window->Control<QLineEdit>(QStringLiteral("编辑框_文件大小"));
  box->setText(QStringLiteral(" 30 "));
  EXPECT_FALSE(QFile::exists(f.SettingsFile()));
  QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
  QCoreApplication::sendEvent(box, &focusOut);
  EXPECT_TRUE(
      ReadFile(f.SettingsFile()).contains(Gbk(QStringLiteral("二次下载文件大小= 30 \r\n"))));
  // A value with a line break cannot add a line of its own.
  box->setText(QStringLiteral("5\n[下载模式]"));
  QCoreApplication::sendEvent(box, &focusOut);
  EXPECT_EQ(ReadFile(f.SettingsFile()).count('\n'), 2);
}

TEST(Settings, FolderChooserWritesTheChoiceAndCancelGivesTheProgramDirectory) {
  WindowFixture f;
  auto* box = f.window->Control<QLineEdit>(QStringLiteral("编辑框_保存位置"));
  auto* choose = f.window->Control<QPushButton>(QStringLiteral("按钮_选择位置"));
  f.chosenFolder = QStringLiteral("  /srv/照片  ");
  choose->click();
  EXPECT_EQ(box->text(), QStringLiteral("/srv/照片"));
  EXPECT_EQ(Stored(f.SettingsFile(), "保存位置"), QStringLiteral("/srv/照片"));
  f.chosenFolder.clear();
  choose->click();
  EXPECT_EQ(box->text(), f.window->Paths().programDirectory);
  EXPECT_EQ(Stored(f.SettingsFile(), "保存位置"), f.window->Paths().programDirectory);
  // A folder typed into the box is used but not saved.
  box->setText(QStringLiteral("/typed"));
  EXPECT_EQ(ToQString(f.window->Settings().saveFolder), QStringLiteral("/typed"));
  EXPECT_EQ(Stored(f.SettingsFile(), "保存位置"), f.window->Paths().programDirectory);
}

TEST(IniFile, WritesKeepOtherLinesAndReadsCutLongValues) {
  QTemporaryDir dir;
  const QString path = dir.filePath("a.ini");
  WriteFile(path, "; note\r\n[Other]\r\nk=1\r\n[Main]\r\nKey=old\r\n\r\n[Last]\r\nz=9\r\n");
  ASSERT_TRUE(WriteIniValue(path, "main", "KEY", "new"));
  ASSERT_TRUE(WriteIniValue(path, "Main", "added", "x"));
  ASSERT_TRUE(WriteIniValue(path, "Fresh", "f", "y"));
  EXPECT_EQ(
      ReadFile(path),
      QByteArray("; note\r\n[Other]\r\nk=1\r\n[Main]\r\nKEY=new\r\nadded=x\r\n\r\n[Last]\r\nz=9\r\n"
                 "[Fresh]\r\nf=y\r\n"));
  EXPECT_EQ(ReadIniValue(path, "other", "K", "-"), "1");
  EXPECT_EQ(ReadIniValue(path, "Main", "missing", "-"), "-");
  EXPECT_EQ(ReadIniValue(dir.filePath("none.ini"), "Main", "KEY", "-"), "-");
  ASSERT_TRUE(WriteIniValue(path, "Main", "long", std::string(20000, 'v')));
  EXPECT_EQ(ReadIniValue(path, "Main", "long", "-"), std::string(10239, 'v'));
}

}  // namespace
}  // namespace tarvelin::app::testing
