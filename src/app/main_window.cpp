#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTextCursor>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <thread>

#include "app/album_table.h"
#include "app/browser_display.h"
#include "app/clickable_label.h"
#include "app/cookie_cleaner.h"
#include "app/cookie_mirror.h"
#include "app/find_window.h"
#include "app/popup_combo_box.h"
#include "app/settings_table.h"
#include "app/tab_control.h"
#include "app/target_history.h"
#include "app/text_qt.h"
#include "app/ui_thread.h"
#include "app/version_check.h"
#include "net/endpoints.h"

namespace tarvelin::app {
namespace {

const QString kCaption = QStringLiteral("Tarvelin-支持QQ空间和QQ群相册[2017-04-21更新]");
const QString kInfoCaption = QStringLiteral("信息：");

QString ForDisplay(QString text) {
  return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

MainWindow::Desktop DefaultDesktop(QWidget* owner) {
  MainWindow::Desktop desktop;
  desktop.message = [owner](const QString& text, const QString& caption) {
    QMessageBox::information(owner, caption, ForDisplay(text), QMessageBox::Ok);
  };
  desktop.confirm = [owner](const QString& text, const QString& caption) {
    return QMessageBox::information(owner, caption, ForDisplay(text),
                                    QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
  };
  desktop.shellOpen = [](const QString& target) {
    const QFileInfo local(target);
    QDesktopServices::openUrl(local.exists() ? QUrl::fromLocalFile(local.absoluteFilePath())
                                             : QUrl(target));
  };
  desktop.chooseFolder = [](const QString& title) {
    return QDir::toNativeSeparators(QFileDialog::getExistingDirectory(
        nullptr, title, QDir::homePath(), QFileDialog::ShowDirsOnly));
  };
  return desktop;
}

QString StatusControlName(StatusLabel label) {
  switch (label) {
    case StatusLabel::Dynamic:
      return QStringLiteral("标签_动态");
    case StatusLabel::ProgressRatio:
      return QStringLiteral("标签_进度条比例");
    case StatusLabel::SelectedCount:
      return QStringLiteral("标签_选择了相册数量");
    case StatusLabel::CurrentAlbum:
      return QStringLiteral("标签_正在下载相册");
    case StatusLabel::PhotoNumber:
      return QStringLiteral("标签_第多少张照片");
  }
  return QString();
}

int ClampToBar(int value) { return value < 0 ? 0 : (value > 32767 ? 32767 : value); }

// The leading decimal digits of a text as a number, 0 without any.
int LeadingInteger(const QString& text) {
  long long value = 0;
  int i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 128; ++i) {
    value = value * 10 + (text[i].unicode() - '0');
    if (value > 1000000000) return -1;
  }
  return static_cast<int>(value);
}

}  // namespace

MainWindow::MainWindow(AppPaths paths, QWebEngineProfile* profile, QWidget* parent)
    : QWidget(parent), paths_(std::move(paths)), profile_(profile) {
  setObjectName(QStringLiteral("启动窗口"));
  setWindowTitle(kCaption);
  move(50, 50);
  resize(974, 653);
  desktop = DefaultDesktop(this);

  if (!profile_) {
    // The login is kept from one run to the next, as the system browser keeps it.
    ownedProfile_ = new QWebEngineProfile(QStringLiteral("Tarvelin"));
    ownedProfile_->setPersistentStoragePath(
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
        QStringLiteral("/browser"));
    ownedProfile_->setPersistentCookiesPolicy(QWebEngineProfile::ForcePersistentCookies);
    profile_ = ownedProfile_;
  }
  cookies_ = new CookieMirror(profile_->cookieStore(), this);

  BuildToolbar();
  tabs_ = new TabControl(this);
  tabs_->setObjectName(QStringLiteral("高级选择夹1"));
  tabs_->setGeometry(1, 57, 959, 563);
  QFont tabFont;
  tabFont.setFamilies({QStringLiteral("SimSun"), QStringLiteral("Noto Serif CJK SC")});
  tabFont.setPixelSize(12);
  tabs_->tabBar()->setFont(tabFont);
  auto* loginPage = new QWidget();
  auto* downloadPage = new QWidget();
  auto* settingsPage = new QWidget();
  tabs_->addTab(loginPage, QStringLiteral("》 登录 《"));
  tabs_->addTab(downloadPage, QStringLiteral("批量下载"));
  tabs_->addTab(settingsPage, QStringLiteral("设置"));
  BuildLoginPage(loginPage);
  loginView_->setPage(new QWebEnginePage(profile_, loginView_));
  BuildDownloadPage(downloadPage);
  BuildSettingsPage(settingsPage);
  tabs_->setCurrentIndex(0);
  ConnectHandlers();
}

MainWindow::~MainWindow() {
  if (finder_) delete finder_;
  // The page must go before the profile it was made with.
  delete loginView_;
  loginView_ = nullptr;
  delete ownedProfile_;
}

void MainWindow::StartUp() {
  // Flat skin: blue-grey control borders.
  setStyleSheet(
      QStringLiteral("QGroupBox { border: 1px solid #7f9db9; margin-top: 8px; }"
                     "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
  Control<QLineEdit>(QStringLiteral("编辑框_保存位置"))->setText(paths_.defaultSaveFolder);
  versionCheckPending_ = 1;
  Control<QLabel>(QStringLiteral("标签_banben"))->setText(QString::fromUtf8(AppVersion));
  QCoreApplication::processEvents();
  setWindowTitle(windowTitle() + QStringLiteral("   版本：") + QString::fromUtf8(AppVersion));
  LoadSettings(this, paths_.SettingsFilePath(), paths_.defaultSaveFolder);
  ConnectSettingHandlers(this, paths_.SettingsFilePath());
  // The first navigation runs after the window has appeared.
  PostToUiThread(this, [this] { NavigateLoginView(); });
}

void MainWindow::ConnectHandlers() {
  const auto button = [this](const char16_t* name) {
    return Control<QPushButton>(QString::fromUtf16(name));
  };
  const auto label = [this](const char16_t* name) {
    return Control<ClickableLabel>(QString::fromUtf16(name));
  };
  const QString maker = QStringLiteral("http://") + QString::fromUtf8(endpoints::MakerSite);

  connect(toolbarActions_[0], &QAction::triggered, this, [this] {
    SelectPage(0);
    PostToUiThread(this, [this] { NavigateLoginView(); });
  });
  connect(toolbarActions_[1], &QAction::triggered, this, [this] {
    ApplyDownloadDisplaySettings(loginView_->page());
    SelectPage(1);
  });
  connect(toolbarActions_[2], &QAction::triggered, this, [this] {
    SelectPage(2);
    if (versionCheckPending_ == 1) {
      StartAutomaticVersionCheck();
      versionCheckPending_ = 2;
    }
  });

  for (const char16_t* support : {u"按钮4", u"按钮2"})
    connect(button(support), &QPushButton::clicked, this,
            [this] { ShellOpen(QString::fromUtf8(endpoints::SupportChatLink)); });
  connect(label(u"标签7"), &ClickableLabel::pressed, this, [this, maker] { ShellOpen(maker); });
  connect(label(u"标签5"), &ClickableLabel::pressed, this, [this, maker] {
    ShellOpen(maker + QStringLiteral("/download/jiaocheng/cleaniecookie/"));
  });
  connect(label(u"标签_查找"), &ClickableLabel::pressed, this, &MainWindow::OpenFindWindow);
  connect(button(u"按钮_打开网址"), &QPushButton::clicked, this, &MainWindow::NavigateLoginView);
  connect(button(u"按钮_选择位置"), &QPushButton::clicked, this, &MainWindow::ChooseSaveFolder);
  connect(button(u"按钮_checknew"), &QPushButton::clicked, this, &MainWindow::CheckForUpdateNow);
  connect(button(u"按钮5"), &QPushButton::clicked, this, &MainWindow::ClearServiceCookies);

  connect(button(u"按钮_获取相册封面"), &QPushButton::clicked, this, &MainWindow::ListAlbums);
  connect(button(u"按钮_下载选中"), &QPushButton::clicked, this, &MainWindow::StartDownload);
  const auto hook = [this, button](const char16_t* name,
                                   std::function<void()> MainWindow::*command) {
    connect(button(name), &QPushButton::clicked, this, [this, command] {
      if (this->*command) (this->*command)();
    });
  };
  hook(u"按钮_暂停线程", &MainWindow::pauseCommand);
  hook(u"按钮_继续下载", &MainWindow::resumeCommand);
  hook(u"按钮_结束下载", &MainWindow::stopCommand);
  hook(u"按钮3", &MainWindow::openFolderCommand);

  connect(albums_, &QTreeWidget::currentItemChanged, this, &MainWindow::ShowSelectedRow);
  connect(albums_, &QTreeWidget::itemClicked, this, &MainWindow::ShowSelectedRow);
  connect(albums_, &QTreeWidget::itemSelectionChanged, this, &MainWindow::ShowSelectedRow);
  connect(button(u"按钮_修改相册名称"), &QPushButton::clicked, this, &MainWindow::RenameAlbum);
  connect(button(u"按钮_访问相册外部浏览器"), &QPushButton::clicked, this, &MainWindow::VisitAlbum);
  connect(Control<QCheckBox>(QStringLiteral("选择框_全选")), &QCheckBox::clicked, this,
          &MainWindow::TickAll);
  connect(Control<QCheckBox>(QStringLiteral("选择框_反选")), &QCheckBox::clicked, this,
          &MainWindow::InvertTicks);
  connect(Control<QComboBox>(QStringLiteral("组合框_相册与群")), &QComboBox::activated, this,
          &MainWindow::SwitchSource);
  connect(Control<PopupComboBox>(QStringLiteral("组合框_目标QQ")), &PopupComboBox::aboutToShowPopup,
          this, &MainWindow::LoadHistory);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  ApplyResizeRule(event->size().width());
}

void MainWindow::ApplyResizeRule(int width) {
  const auto setWidth = [](QWidget* widget, int newWidth) {
    widget->setGeometry(widget->x(), widget->y(), newWidth < 0 ? 0 : newWidth, widget->height());
  };
  setWidth(tabs_, width - 10);
  setWidth(loginView_, width - 35);
  setWidth(Control<QGroupBox>(QStringLiteral("分组框2")), tabs_->width() - 20);
  setWidth(Control<QGroupBox>(QStringLiteral("分组框3")), tabs_->width() - 20);
}

void MainWindow::AppendLog(const QString& text) {
  QTextCursor cursor(log_->document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  log_->verticalScrollBar()->setValue(log_->verticalScrollBar()->maximum());
}

void MainWindow::SetStatus(StatusLabel label, const QString& text) {
  if (auto* control = Control<QLabel>(StatusControlName(label))) control->setText(text);
}

void MainWindow::SetProgressMaximum(int maximum) {
  const int clamped = ClampToBar(maximum);
  // A bar whose minimum and maximum are both 0 shows Qt's busy animation: an album of no
  // photos shows an empty bar instead.
  progress_->setMaximum(clamped == 0 ? 1 : clamped);
  if (clamped == 0) progress_->setValue(0);
}

void MainWindow::SetProgress(int position) {
  const int clamped = ClampToBar(position);
  progress_->setValue(clamped > progress_->maximum() ? progress_->maximum() : clamped);
}

void MainWindow::SetJobButtons(JobButtons set) {
  Control<QPushButton>(QStringLiteral("按钮_下载选中"))->setVisible(set == JobButtons::Idle);
  Control<QPushButton>(QStringLiteral("按钮_暂停线程"))->setVisible(set == JobButtons::Running);
  Control<QPushButton>(QStringLiteral("按钮_继续下载"))->setVisible(set == JobButtons::Paused);
  Control<QPushButton>(QStringLiteral("按钮_结束下载"))->setVisible(set != JobButtons::Idle);
}

DownloadSettings MainWindow::Settings() const {
  const auto ticked = [this](const QString& name) {
    const auto* radio = Control<QRadioButton>(name);
    return radio && radio->isChecked();
  };
  DownloadSettings settings;
  if (ticked(QStringLiteral("单选框_原图单个相册小于2000")))
    settings.mode = DownloadMode::OriginalUpTo2000;
  else if (ticked(QStringLiteral("单选框_原图数量大于2000")))
    settings.mode = DownloadMode::OriginalUnlimited;
  else
    settings.mode = DownloadMode::HighDefinition;
  if (ticked(QStringLiteral("单选框_文件名序号在前")))
    settings.nameFormat = NameFormat::NumberFirst;
  else if (ticked(QStringLiteral("单选框_文件名序号在后")))
    settings.nameFormat = NameFormat::NumberLast;
  else
    settings.nameFormat = NameFormat::NoNumber;
  settings.openFolderWhenDone =
      Control<QCheckBox>(QStringLiteral("选择框_下载完成打开目录"))->isChecked();
  settings.saveFolder = ToText(Control<QLineEdit>(QStringLiteral("编辑框_保存位置"))->text());
  settings.secondDownloadKb = ToText(Control<QLineEdit>(QStringLiteral("编辑框_文件大小"))->text());
  return settings;
}

void MainWindow::SelectPage(int page) { tabs_->setCurrentIndex(page); }

void MainWindow::ShowMessage(const QString& text, const QString& caption) {
  desktop.message(text, caption.isEmpty() ? kInfoCaption : caption);
}

bool MainWindow::Confirm(const QString& text, const QString& caption) {
  return desktop.confirm(text, caption.isEmpty() ? kInfoCaption : caption);
}

void MainWindow::ShellOpen(const QString& target) { desktop.shellOpen(target); }

void MainWindow::NavigateLoginView() {
  NavigateLoginViewTo(Control<QLineEdit>(QStringLiteral("编辑框_weburl"))->text());
  SetBrowserDisplayValue(loginView_->page(), BrowserValue::BackgroundSounds, false);
  QCoreApplication::processEvents();
}

void MainWindow::NavigateLoginViewTo(const QString& url) { loginView_->setUrl(QUrl(url)); }

void MainWindow::ChooseSaveFolder() {
  auto* box = Control<QLineEdit>(QStringLiteral("编辑框_保存位置"));
  box->setText(desktop.chooseFolder(QStringLiteral("选择相册的存放位置")).trimmed());
  if (box->text().isEmpty()) box->setText(paths_.defaultSaveFolder);
  SaveSetting(paths_.SettingsFilePath(), QStringLiteral("保存位置"), box->text());
}

void MainWindow::CheckForUpdateNow() {
  if (versionCheckRunning_) return;  // a wait inside the fetch may let a second click in
  auto* button = Control<QPushButton>(QStringLiteral("按钮_checknew"));
  versionCheckRunning_ = true;
  button->setEnabled(false);
  const QString latest = QStringLiteral("标签_zxbanben"),
                result = QStringLiteral("标签_检测版本结果");
  VersionCheckView view;
  view.currentVersion = [this] {
    return ToText(Control<QLabel>(QStringLiteral("标签_banben"))->text());
  };
  view.showLatest = [this, latest](const Text& text) {
    Control<QLabel>(latest)->setText(ToQString(text));
  };
  view.showResult = [this, result](const Text& text) {
    Control<QLabel>(result)->setText(ToQString(text));
  };
  view.confirm = [this](const Text& text) { return Confirm(ToQString(text)); };
  view.openAddress = [this](const Text& address) { ShellOpen(ToQString(address)); };
  CheckForUpdate(view);
  button->setEnabled(true);
  versionCheckRunning_ = false;
}

void MainWindow::StartAutomaticVersionCheck() {
  // The worker reaches the window only through the UI thread, and not at all once it is gone.
  QPointer<MainWindow> window(this);
  QObject* ui = QCoreApplication::instance();
  const auto onWindow = [window, ui](auto work) {
    return OnUiThread(
        ui, [window, &work] { return window ? work(window.data()) : decltype(work(nullptr))(); });
  };
  VersionCheckView view;
  view.currentVersion = [onWindow] {
    return onWindow([](MainWindow* w) {
      return ToText(w->Control<QLabel>(QStringLiteral("标签_banben"))->text());
    });
  };
  view.showLatest = [onWindow](const Text& text) {
    onWindow([&text](MainWindow* w) {
      w->Control<QLabel>(QStringLiteral("标签_zxbanben"))->setText(ToQString(text));
    });
  };
  view.showResult = [onWindow](const Text& text) {
    onWindow([&text](MainWindow* w) {
      w->Control<QLabel>(QStringLiteral("标签_检测版本结果"))->setText(ToQString(text));
    });
  };
  view.confirm = [onWindow](const Text& text) {
    return onWindow([&text](MainWindow* w) { return w->Confirm(ToQString(text)); });
  };
  view.openAddress = [onWindow](const Text& address) {
    onWindow([&address](MainWindow* w) { w->ShellOpen(ToQString(address)); });
  };
  std::thread([view] { CheckForUpdate(view); }).detach();
}

void MainWindow::ClearServiceCookies() {
  app::ClearServiceCookies(*cookies_, QString::fromUtf8(endpoints::CookieDomain));
}

void MainWindow::OpenFindWindow() {
  if (!finder_)
    finder_ = new FindWindow(
        albums_, [this](const QString& text) { ShowMessage(text); }, this);
  finder_->show();
  finder_->raise();
  finder_->activateWindow();
}

void MainWindow::ShowSelectedRow() {
  Control<QGroupBox>(QStringLiteral("分组框1"))->show();
  const int row = albums_->SelectedRow();
  const auto cell = [this, row](int column) {
    return row < 0 ? QString() : albums_->CellText(row, column);
  };
  Control<QLineEdit>(QStringLiteral("编辑框_现行选中项序号"))->setText(cell(AlbumTable::Number));
  Control<QLineEdit>(QStringLiteral("编辑框_QQ相册问题"))->setText(cell(AlbumTable::Access));
  Control<QLineEdit>(QStringLiteral("编辑框_QQ相册名称"))->setText(cell(AlbumTable::Name));
  Control<QLineEdit>(QStringLiteral("编辑框_xiangceid"))->setText(cell(AlbumTable::AlbumId));
}

void MainWindow::RenameAlbum() {
  const int number =
      LeadingInteger(Control<QLineEdit>(QStringLiteral("编辑框_现行选中项序号"))->text());
  const int row = number - 1;
  if (row < 0 || row >= albums_->RowCount()) return;
  albums_->SetCellText(row, AlbumTable::Name,
                       Control<QLineEdit>(QStringLiteral("编辑框_QQ相册名称"))->text());
}

void MainWindow::VisitAlbum() {
  ShellOpen(QStringLiteral("http://") + QString::fromUtf8(endpoints::SpaceUserHost) + '/' +
            Control<QComboBox>(QStringLiteral("组合框_目标QQ"))->currentText() +
            QStringLiteral("/photo/") +
            Control<QLineEdit>(QStringLiteral("编辑框_xiangceid"))->text());
}

void MainWindow::TickAll() {
  if (!Control<QCheckBox>(QStringLiteral("选择框_全选"))->isChecked()) return;
  Control<QCheckBox>(QStringLiteral("选择框_反选"))->setChecked(false);
  for (int row = 0; row < albums_->RowCount(); ++row) albums_->SetChecked(row, true);
}

void MainWindow::InvertTicks() {
  if (!Control<QCheckBox>(QStringLiteral("选择框_反选"))->isChecked()) return;
  Control<QCheckBox>(QStringLiteral("选择框_全选"))->setChecked(false);
  for (int row = 0; row < albums_->RowCount(); ++row)
    albums_->SetChecked(row, !albums_->IsChecked(row));
}

void MainWindow::SwitchSource(int index) {
  auto* prompt = Control<QLabel>(QStringLiteral("标签_空间或群"));
  if (index == 0)
    prompt->setText(QStringLiteral("输入目标QQ号码："));
  else if (index == 1)
    prompt->setText(QStringLiteral("输入QQ群号："));
  else
    return;
  Control<QGroupBox>(QStringLiteral("分组框1"))->show();
}

void MainWindow::LoadHistory() {
  LoadTargetHistory(Control<QComboBox>(QStringLiteral("组合框_目标QQ")), paths_.HistoryFilePath());
}

void MainWindow::RunLongCommand(const LongCommand& command, bool MainWindow::*running,
                                const QString& busyText) {
  if (!command) return;
  if (this->*running) {
    SetStatus(StatusLabel::Dynamic, busyText);
    return;
  }
  this->*running = true;
  QPointer<MainWindow> window(this);
  command([window, running] {
    // May be called from a worker: the flag belongs to the UI thread.
    PostToUiThread(QCoreApplication::instance(), [window, running] {
      if (window) window.data()->*running = false;
    });
  });
}

void MainWindow::ListAlbums() {
  RunLongCommand(listAlbumsCommand, &MainWindow::listingRunning_,
                 QStringLiteral("正在获取相册列表，请等本次获取结束再点击"));
}

void MainWindow::StartDownload() {
  RunLongCommand(downloadCommand, &MainWindow::downloadRunning_,
                 QStringLiteral("正在下载，请等本次下载结束再点击"));
}

}  // namespace tarvelin::app
