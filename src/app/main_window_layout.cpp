// The controls of the main window: names, parents, places, sizes, texts, visibility.
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>
#include <QToolButton>
#include <QWebEngineView>

#include "app/album_table.h"
#include "app/clickable_label.h"
#include "app/main_window.h"
#include "app/popup_combo_box.h"
#include "app/toolbar_icons.h"
#include "net/endpoints.h"

namespace tarvelin::app {
namespace {

template <typename T>
T* Place(QWidget* parent, const QString& name, int x, int y, int w, int h) {
  auto* control = new T(parent);
  control->setObjectName(name);
  control->setGeometry(x, y, w, h);
  return control;
}

template <typename T>
T* Place(QWidget* parent, const QString& name, int x, int y, int w, int h, const QString& text) {
  T* control = Place<T>(parent, name, x, y, w, h);
  if constexpr (std::is_base_of_v<QGroupBox, T>) {
    control->setTitle(text);
  } else {
    control->setText(text);
  }
  return control;
}

QFont FontOf(const QStringList& families, int pixelSize, bool bold) {
  QFont font;
  font.setFamilies(families);
  if (pixelSize > 0) font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

}  // namespace

void MainWindow::BuildToolbar() {
  auto* toolbar = Place<QToolBar>(this, QStringLiteral("工具条1"), 0, -1, 968, 55);
  toolbar->setMovable(false);
  toolbar->setFloatable(false);
  toolbar->setIconSize(QSize(50, 50));
  toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  const QFont font = FontOf({QStringLiteral("微软雅黑"), QStringLiteral("Microsoft YaHei"),
                             QStringLiteral("Noto Sans CJK SC")},
                            16, true);
  struct Button {
    const char* name;
    QString text, tip;
    ToolbarIcon icon;
  };
  const Button buttons[3] = {
      {"动作_登录", QStringLiteral(" 登录"), QStringLiteral("先登录你的账号才能使用"),
       ToolbarIcon::Login},
      {"动作_下载", QStringLiteral("下载"), QStringLiteral("登录后 点击下载 输入目标账号 点击获取"),
       ToolbarIcon::Download},
      {"动作_设置", QStringLiteral("设置"),
       QStringLiteral("软件的设置都在这里了！作者主页") + QString::fromUtf8(endpoints::MakerSite),
       ToolbarIcon::Settings},
  };
  for (int i = 0; i < 3; ++i) {
    if (i > 0) toolbar->addSeparator();
    QAction* action = toolbar->addAction(DrawToolbarIcon(buttons[i].icon), buttons[i].text);
    action->setObjectName(QString::fromUtf8(buttons[i].name));
    action->setToolTip(buttons[i].tip);
    action->setFont(font);
    if (auto* button = qobject_cast<QToolButton*>(toolbar->widgetForAction(action)))
      button->setFont(font);
    toolbarActions_[i] = action;
  }

  Place<QLabel>(this, QStringLiteral("标签12"), -1, 48, 1500, 13, QString(434, QChar('_')))
      ->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
  Place<QLabel>(this, QStringLiteral("标签13"), 666, 16, 64, 26, QStringLiteral("在线客服："));
  Place<QPushButton>(this, QStringLiteral("按钮4"), 733, 16, 84, 24, QStringLiteral("!"));
}

void MainWindow::BuildLoginPage(QWidget* page) {
  Place<QLineEdit>(page, QStringLiteral("编辑框_weburl"), 9, 23, 670, 30,
                   QStringLiteral("http://") + QString::fromUtf8(endpoints::SpaceSiteHost));
  Place<QPushButton>(page, QStringLiteral("按钮_打开网址"), 686, 21, 80, 31,
                     QStringLiteral("打开网址"));
  auto* hint = Place<QLabel>(
      page, QStringLiteral("标签2"), 15, 59, 848, 24,
      QStringLiteral("提示：如果杀毒软件拦截，请允许。网页显示不正常请，修复你的Internet "
                     "explorer浏览器。担心账号问题可以使用扫码登录。"));
  hint->setStyleSheet(QStringLiteral("color: #c00000;"));
  auto* help = Place<ClickableLabel>(page, QStringLiteral("标签5"), 769, 60, 168, 24,
                                     QStringLiteral("清理缓存及重置ＩＥ浏览器教程"));
  help->setCursor(Qt::PointingHandCursor);
  help->setStyleSheet(QStringLiteral("color: #0000ee; text-decoration: underline;"));
  loginView_ = Place<QWebEngineView>(page, QStringLiteral("超文本浏览框1"), 9, 90, 1081, 460);
}

void MainWindow::BuildDownloadPage(QWidget* page) {
  auto* top = Place<QGroupBox>(page, QStringLiteral("分组框2"), 12, 18, 939, 105);
  auto* source = Place<QComboBox>(top, QStringLiteral("组合框_相册与群"), 7, 18, 128, 24);
  source->addItems({QStringLiteral("QQ空间相册"), QStringLiteral("QQ群相册")});
  source->setCurrentIndex(0);
  source->setCursor(Qt::PointingHandCursor);
  Place<QLabel>(top, QStringLiteral("标签_空间或群"), 152, 14, 115, 32,
                QStringLiteral("输入目标QQ号码："));
  auto* target = Place<PopupComboBox>(top, QStringLiteral("组合框_目标QQ"), 271, 21, 156, 20);
  target->setEditable(true);
  target->setInsertPolicy(QComboBox::NoInsert);
  Place<QPushButton>(top, QStringLiteral("按钮_获取相册封面"), 475, 14, 100, 32,
                     QStringLiteral("1:获取相册"));
  Place<QPushButton>(top, QStringLiteral("按钮_下载选中"), 593, 14, 81, 32,
                     QStringLiteral("2:下载选中"));
  Place<QPushButton>(top, QStringLiteral("按钮_暂停线程"), 693, 14, 80, 32,
                     QStringLiteral("暂停下载"))
      ->hide();
  Place<QPushButton>(top, QStringLiteral("按钮_继续下载"), 712, 14, 80, 32,
                     QStringLiteral("继续下载"))
      ->hide();
  Place<QPushButton>(top, QStringLiteral("按钮_结束下载"), 814, 14, 64, 32,
                     QStringLiteral("结束下载"))
      ->hide();
  Place<QLabel>(top, QStringLiteral("标签_保存路径"), 8, 59, 112, 32,
                QStringLiteral("相册保存位置："));
  Place<QLineEdit>(top, QStringLiteral("编辑框_保存位置"), 123, 62, 424, 29);
  Place<QPushButton>(top, QStringLiteral("按钮_选择位置"), 563, 59, 100, 32,
                     QStringLiteral("选择存放位置"));
  Place<QPushButton>(top, QStringLiteral("按钮3"), 681, 59, 81, 32, QStringLiteral("打开目录"));

  auto* table = Place<QGroupBox>(page, QStringLiteral("分组框3"), 12, 130, 939, 426);
  Place<QCheckBox>(table, QStringLiteral("选择框_全选"), 16, 22, 59, 16, QStringLiteral("全选"));
  Place<QCheckBox>(table, QStringLiteral("选择框_反选"), 84, 22, 63, 16, QStringLiteral("反选"));
  Place<QCheckBox>(table, QStringLiteral("选择框_封面图"), 157, 22, 174, 16,
                   QStringLiteral("显示封面（慢）"));
  auto* find = Place<ClickableLabel>(table, QStringLiteral("标签_查找"), 348, 20, 48, 16,
                                     QStringLiteral("查找相册"));
  find->setCursor(Qt::PointingHandCursor);
  find->setStyleSheet(QStringLiteral("color: #0000ee;"));
  Place<QLabel>(table, QStringLiteral("标签_动态"), 421, 15, 292, 24);
  albums_ = Place<AlbumTable>(table, QStringLiteral("超级列表框1"), 6, 41, 609, 339);
  auto* panel = Place<QGroupBox>(table, QStringLiteral("分组框1"), 619, 45, 312, 337,
                                 QStringLiteral("点击左侧有密码的，之后点击下面的获取权限"));
  BuildSidePanel(panel);
  Place<QLabel>(table, QStringLiteral("画板1"), 703, 107, 112, 88)->hide();
  Place<QLabel>(table, QStringLiteral("标签_进度"), 7, 384, 56, 35, QStringLiteral("下载进度："));
  progress_ = Place<QProgressBar>(table, QStringLiteral("进度条1"), 74, 389, 280, 24);
  progress_->setRange(0, 100);
  progress_->setValue(0);
  progress_->setTextVisible(false);
  Place<QLabel>(table, QStringLiteral("标签_进度条比例"), 359, 390, 41, 23);
  Place<QLabel>(table, QStringLiteral("标签_选择了相册数量"), 404, 390, 144, 23);
  Place<QLabel>(table, QStringLiteral("标签_正在下载相册"), 554, 390, 110, 23);
  Place<QLabel>(table, QStringLiteral("标签_第多少张照片"), 666, 390, 95, 23);
}

void MainWindow::BuildSidePanel(QWidget* panel) {
  Place<QLabel>(panel, QStringLiteral("标签1"), 8, 29, 250, 32, QStringLiteral("相册名称："));
  Place<QLineEdit>(panel, QStringLiteral("编辑框_QQ相册名称"), 72, 34, 176, 28);
  Place<QPushButton>(panel, QStringLiteral("按钮_获取权限"), 10, 75, 70, 32,
                     QStringLiteral("获取权限"))
      ->hide();
  Place<QPushButton>(panel, QStringLiteral("按钮_修改相册名称"), 103, 75, 70, 32,
                     QStringLiteral("修改名称"));
  Place<QPushButton>(panel, QStringLiteral("按钮_访问相册外部浏览器"), 192, 75, 70, 32,
                     QStringLiteral("访问相册"));
  Place<QLineEdit>(panel, QStringLiteral("编辑框_QQ相册问题"), 24, 118, 48, 32)->hide();
  Place<QLineEdit>(panel, QStringLiteral("编辑框_xiangceid"), 80, 118, 40, 32)->hide();
  Place<QLineEdit>(panel, QStringLiteral("编辑框_现行选中项序号"), 136, 117, 48, 32)->hide();
  log_ = Place<QPlainTextEdit>(panel, QStringLiteral("编辑框_操作记录"), 8, 164, 296, 162);
  log_->setPlainText(QStringLiteral("操作记录........."));
  log_->setReadOnly(true);
  log_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Place<QLabel>(panel, QStringLiteral("标签_验证结果"), 73, 181, 158, 24);
}

void MainWindow::BuildSettingsPage(QWidget* page) {
  auto* outer = Place<QGroupBox>(page, QStringLiteral("分组框5"), 7, 23, 904, 520);

  auto* mode = Place<QGroupBox>(outer, QStringLiteral("分组框7"), 8, 20, 328, 200,
                                QStringLiteral("图片大小选择："));
  auto* modeGroup = new QButtonGroup(mode);
  modeGroup->addButton(
      Place<QRadioButton>(mode, QStringLiteral("单选框_高清"), 7, 30, 313, 30,
                          QStringLiteral("高清图[第二清晰，下载较快](网络接口1)")));
  modeGroup->addButton(Place<QRadioButton>(mode, QStringLiteral("单选框_原图数量大于2000"), 7, 79,
                                           279, 32,
                                           QStringLiteral("原图:[无数量限制]（网络接口1）")));
  modeGroup->addButton(
      Place<QRadioButton>(mode, QStringLiteral("单选框_原图单个相册小于2000"), 7, 131, 313, 34,
                          QStringLiteral("原图:[单个相册最多能下2000张]（接口2，更稳定）")));

  auto* names = Place<QGroupBox>(outer, QStringLiteral("分组框8"), 344, 20, 544, 200,
                                 QStringLiteral("文件名："));
  auto* nameGroup = new QButtonGroup(names);
  nameGroup->addButton(Place<QRadioButton>(names, QStringLiteral("单选框_文件名无序号"), 8, 28, 416,
                                           24,
                                           QStringLiteral("(默认)文件名无序号 格式：图片文件名")));
  nameGroup->addButton(Place<QRadioButton>(names, QStringLiteral("单选框_文件名序号在后"), 8, 72,
                                           416, 24,
                                           QStringLiteral("文件名序号在后 格式：图片文件名（1）")));
  nameGroup->addButton(Place<QRadioButton>(names, QStringLiteral("单选框_文件名序号在前"), 8, 114,
                                           416, 24,
                                           QStringLiteral("文件名序号在前 格式：(1)图片文件名")));

  auto* other = Place<QGroupBox>(outer, QStringLiteral("分组框9"), 8, 229, 328, 279,
                                 QStringLiteral("其他设置："));
  Place<QPushButton>(other, QStringLiteral("按钮5"), 12, 30, 148, 49,
                     QStringLiteral("清理IE浏览器cookies"));
  Place<QCheckBox>(other, QStringLiteral("选择框_下载完成打开目录"), 16, 91, 280, 16,
                   QStringLiteral("下载完成后 打下载目录"));
  Place<QLabel>(other, QStringLiteral("标签9"), 8, 119, 312, 32,
                QStringLiteral("下载下来的图片小于多少（Kb）进行二次下载"));
  Place<QLineEdit>(other, QStringLiteral("编辑框_文件大小"), 16, 151, 72, 24);
  Place<QLabel>(other, QStringLiteral("标签11"), 96, 150, 136, 24,
                QStringLiteral("KB[不需要请留空]"));

  auto* version = Place<QGroupBox>(outer, QStringLiteral("分组框10"), 344, 228, 544, 280,
                                   QStringLiteral("soft_v"));
  Place<QLabel>(version, QStringLiteral("标签_检测版本结果"), 11, 22, 160, 24,
                QStringLiteral("等待检测"));
  Place<QLabel>(version, QStringLiteral("标签3"), 9, 54, 72, 40, QStringLiteral("当前版本："));
  Place<QLabel>(version, QStringLiteral("标签_banben"), 80, 54, 95, 40);
  Place<QLabel>(version, QStringLiteral("标签_xinbanben"), 10, 102, 72, 40,
                QStringLiteral("最新版本："));
  Place<QLabel>(version, QStringLiteral("标签_zxbanben"), 81, 102, 95, 40);
  Place<QPushButton>(version, QStringLiteral("按钮_checknew"), 11, 149, 165, 40,
                     QStringLiteral("检测程序是否有更新"));
  Place<QLabel>(version, QStringLiteral("标签4"), 242, 22, 64, 26, QStringLiteral("在线客服："));
  Place<QPushButton>(version, QStringLiteral("按钮2"), 309, 22, 84, 24, QStringLiteral("!"));
  Place<QLabel>(version, QStringLiteral("标签6"), 247, 139, 224, 24,
                QStringLiteral("[其他相册下载地址]"));
  auto* home =
      Place<ClickableLabel>(version, QStringLiteral("标签7"), 246, 160, 159, 28,
                            QStringLiteral("http://") + QString::fromUtf8(endpoints::MakerSite));
  home->setCursor(Qt::PointingHandCursor);
  home->setStyleSheet(QStringLiteral("color: #0000ee; text-decoration: underline;"));
}

}  // namespace tarvelin::app
