// The engine's window interface, called from a worker thread as the engine calls it.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <atomic>
#include <thread>

#include "app/album_table.h"
#include "app/qt_window_port.h"
#include "app/tab_control.h"
#include "app/text_qt.h"
#include "app_test_env.h"

namespace tarvelin::app::testing {
namespace {

// Runs `work` on a worker thread while the UI thread keeps handling events.
void OnWorker(const std::function<void()>& work) {
  std::atomic<bool> done{false};
  std::thread worker([&] {
    work();
    done = true;
  });
  PumpUntil([&] { return done.load(); }, 60000);
  worker.join();
  QCoreApplication::processEvents();  // calls the worker queued last
}

Bytes PngBytes() {
  QImage image(20, 10, QImage::Format_RGB32);
  image.fill(Qt::red);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return Bytes(bytes.constData(), static_cast<size_t>(bytes.size()));
}

TEST(WindowPort, WorkerCallsReachTheWindowInOrder) {
  WindowFixture f;
  MainWindow& w = *f.window;
  QtWindowPort port(&w);
  w.Control<QRadioButton>(QStringLiteral("单选框_原图单个相册小于2000"))->setChecked(true);
  w.Control<QRadioButton>(QStringLiteral("单选框_文件名序号在后"))->setChecked(true);
  w.Control<QCheckBox>(QStringLiteral("选择框_下载完成打开目录"))->setChecked(false);
  w.Control<QComboBox>(QStringLiteral("组合框_目标QQ"))->setEditText("12345");
  w.Control<QComboBox>(QStringLiteral("组合框_相册与群"))->setCurrentIndex(1);
  w.Control<QCheckBox>(QStringLiteral("选择框_封面图"))->setChecked(true);
  f.confirmAnswer = true;

  DownloadSettings settings;
  Text target;
  AlbumSource source = AlbumSource::None;
  bool covers = false, confirmed = false;
  std::vector<AlbumRecord> rows;
  int picture = -2, broken = -2;
  OnWorker([&] {
    for (int i = 0; i < 50; ++i) port.AppendLog(std::to_string(i) + "\r\n");
    port.SetStatus(StatusLabel::Dynamic, ToText(QStringLiteral("正在获取")));
    port.SetProgressMaximum(40000);
    port.SetProgress(50000);
    settings = port.Settings();
    target = port.TargetText();
    source = port.Source();
    covers = port.ShowCovers();
    port.ClearAlbums();
    AlbumRecord record;
    record.rowNumber = "1";
    record.albumName = ToText(QStringLiteral("相册一"));
    record.photoCount = "3";
    record.albumId = "V1";
    port.AppendAlbum(record);
    record.checked = false;
    record.rowNumber = "2";
    port.AppendAlbum(record);
    picture = port.AddCoverPicture(PngBytes());
    broken = port.AddCoverPicture("not a picture");
    port.SetAlbumCover(1, picture);
    rows = port.Albums();
    port.ShowMessage(ToText(QStringLiteral("全部下载完毕")));
    confirmed = port.Confirm("stop?", ToText(QStringLiteral("提示")));
    port.OpenPath("/tmp/albums/12345");
    port.SetJobButtons(JobButtons::Running);
    port.ShowLoginTab();
  });

  QString expectedLog = QStringLiteral("操作记录.........");
  for (int i = 0; i < 50; ++i) expectedLog += QString::number(i) + '\n';
  EXPECT_EQ(w.Control<QPlainTextEdit>(QStringLiteral("编辑框_操作记录"))->toPlainText(),
            expectedLog);
  EXPECT_EQ(w.Control<QLabel>(QStringLiteral("标签_动态"))->text(), QStringLiteral("正在获取"));
  EXPECT_EQ(w.Control<QProgressBar>(QStringLiteral("进度条1"))->maximum(), 32767);
  EXPECT_EQ(w.Control<QProgressBar>(QStringLiteral("进度条1"))->value(), 32767);
  EXPECT_EQ(settings.mode, DownloadMode::OriginalUpTo2000);
  EXPECT_EQ(settings.nameFormat, NameFormat::NumberLast);
  EXPECT_FALSE(settings.openFolderWhenDone);
  EXPECT_EQ(settings.secondDownloadKb, "2");
  EXPECT_EQ(target, "12345");
  EXPECT_EQ(source, AlbumSource::Group);
  EXPECT_TRUE(covers);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_TRUE(rows[0].checked);
  EXPECT_FALSE(rows[1].checked);
  EXPECT_EQ(ToQString(rows[0].albumName), QStringLiteral("相册一"));
  EXPECT_EQ(rows[0].coverPicture, -1);
  EXPECT_EQ(picture, 0);
  EXPECT_EQ(broken, -1);
  EXPECT_EQ(rows[1].coverPicture, 0);
  EXPECT_EQ(w.Albums()->topLevelItem(1)->icon(AlbumTable::Cover).availableSizes().value(0),
            QSize(100, 100));
  ASSERT_EQ(f.boxes.size(), 2u);
  EXPECT_EQ(f.boxes[0].caption, QStringLiteral("信息："));
  EXPECT_FALSE(f.boxes[0].okCancel);
  EXPECT_EQ(f.boxes[1].caption, QStringLiteral("提示"));
  EXPECT_TRUE(f.boxes[1].okCancel);
  EXPECT_TRUE(confirmed);
  EXPECT_EQ(f.opened, std::vector<QString>{"/tmp/albums/12345"});
  EXPECT_TRUE(w.Control<QPushButton>(QStringLiteral("按钮_下载选中"))->isHidden());
  EXPECT_EQ(w.Control<TabControl>(QStringLiteral("高级选择夹1"))->currentIndex(), 0);
}

TEST(WindowPort, CallsAfterTheWindowIsGoneAnswerEmpty) {
  auto f = std::make_unique<WindowFixture>();
  QtWindowPort port(f->window.get());
  f.reset();
  LoginPage page{"x", "y"};
  std::vector<AlbumRecord> rows{AlbumRecord()};
  int picture = 5;
  OnWorker([&] {
    port.AppendLog("lost\r\n");
    page = port.ReadLoginPage();
    rows = port.Albums();
    picture = port.AddCoverPicture(PngBytes());
  });
  EXPECT_TRUE(page.cookieText.empty());
  EXPECT_TRUE(rows.empty());
  EXPECT_EQ(picture, -1);
}

}  // namespace
}  // namespace tarvelin::app::testing
