#include "app/qt_window_port.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "app/album_table.h"
#include "app/login_page_reader.h"
#include "app/main_window.h"
#include "app/text_qt.h"
#include "app/ui_thread.h"

namespace tarvelin::app {

QtWindowPort::QtWindowPort(MainWindow* window, QObject* parent)
    : QObject(parent), window_(window) {}

template <typename F>
auto QtWindowPort::OnWindow(F&& work) {
  using Result = std::invoke_result_t<F&, MainWindow*>;
  return OnUiThread(this, [this, &work]() -> Result {
    if (!window_) return Result();
    return work(window_.data());
  });
}

template <typename F>
void QtWindowPort::OnWindowLater(F work) {
  if (QThread::currentThread() == thread()) {
    if (window_) work(window_.data());
    return;
  }
  PostToUiThread(this, [this, work = std::move(work)] {
    if (window_) work(window_.data());
  });
}

void QtWindowPort::AppendLog(const Text& text) {
  OnWindowLater([text](MainWindow* w) { w->AppendLog(ToQString(text)); });
}

void QtWindowPort::SetStatus(StatusLabel label, const Text& text) {
  OnWindowLater([label, text](MainWindow* w) { w->SetStatus(label, ToQString(text)); });
}

void QtWindowPort::SetProgressMaximum(int maximum) {
  OnWindowLater([maximum](MainWindow* w) { w->SetProgressMaximum(maximum); });
}

void QtWindowPort::SetProgress(int position) {
  OnWindowLater([position](MainWindow* w) { w->SetProgress(position); });
}

DownloadSettings QtWindowPort::Settings() {
  return OnWindow([](MainWindow* w) { return w->Settings(); });
}

Text QtWindowPort::TargetText() {
  return OnWindow([](MainWindow* w) {
    return ToText(w->Control<QComboBox>(QStringLiteral("组合框_目标QQ"))->currentText());
  });
}

AlbumSource QtWindowPort::Source() {
  const int index = OnWindow([](MainWindow* w) {
    return w->Control<QComboBox>(QStringLiteral("组合框_相册与群"))->currentIndex() + 1;
  });
  return index == 1 ? AlbumSource::Space : index == 2 ? AlbumSource::Group : AlbumSource::None;
}

bool QtWindowPort::ShowCovers() {
  return OnWindow([](MainWindow* w) {
    return w->Control<QCheckBox>(QStringLiteral("选择框_封面图"))->isChecked();
  });
}

void QtWindowPort::ClearAlbums() {
  OnWindowLater([](MainWindow* w) { w->Albums()->ClearAlbums(); });
}

void QtWindowPort::AppendAlbum(const AlbumRecord& record) {
  OnWindowLater([record](MainWindow* w) { w->Albums()->AppendAlbum(record); });
}

std::vector<AlbumRecord> QtWindowPort::Albums() {
  return OnWindow([](MainWindow* w) { return w->Albums()->Albums(); });
}

void QtWindowPort::SetCoverColumnVisible(bool visible) {
  OnWindowLater([visible](MainWindow* w) { w->Albums()->SetCoverColumnVisible(visible); });
}

int QtWindowPort::AddCoverPicture(const Bytes& encoded) {
  // Index 0 stands for "no window"; the real answer is shifted back below.
  const int shifted =
      OnWindow([&](MainWindow* w) { return w->Albums()->AddCoverPicture(encoded) + 1; });
  return shifted - 1;
}

void QtWindowPort::SetAlbumCover(int row, int picture) {
  OnWindowLater([row, picture](MainWindow* w) { w->Albums()->SetAlbumCover(row, picture); });
}

void QtWindowPort::ShowMessage(const Text& text, const Text& caption) {
  OnWindow([&](MainWindow* w) { w->ShowMessage(ToQString(text), ToQString(caption)); });
}

bool QtWindowPort::Confirm(const Text& text, const Text& caption) {
  return OnWindow([&](MainWindow* w) { return w->Confirm(ToQString(text), ToQString(caption)); });
}

void QtWindowPort::OpenPath(const Text& pathOrUrl) {
  OnWindowLater([pathOrUrl](MainWindow* w) { w->ShellOpen(ToQString(pathOrUrl)); });
}

void QtWindowPort::SetJobButtons(JobButtons set) {
  OnWindowLater([set](MainWindow* w) { w->SetJobButtons(set); });
}

void QtWindowPort::NavigateLoginView(const Text& url) {
  OnWindowLater([url](MainWindow* w) { w->NavigateLoginViewTo(ToQString(url)); });
}

void QtWindowPort::ShowLoginTab() {
  OnWindowLater([](MainWindow* w) { w->SelectPage(0); });
}

LoginPage QtWindowPort::ReadLoginPage() {
  struct Answer {
    std::mutex mutex;
    std::condition_variable arrived;
    bool done = false;
    LoginPage page;
  };
  auto answer = std::make_shared<Answer>();
  auto start = [this, answer] {
    if (!window_) {
      std::lock_guard<std::mutex> lock(answer->mutex);
      answer->done = true;
      answer->arrived.notify_all();
      return;
    }
    ReadLoginPageAsync(window_->LoginView(), window_->Cookies(),
                       [answer](const QString& cookieText, const QString& html) {
                         std::lock_guard<std::mutex> lock(answer->mutex);
                         answer->page = LoginPage{ToText(cookieText), ToText(html)};
                         answer->done = true;
                         answer->arrived.notify_all();
                       });
  };
  const auto finished = [answer] {
    std::lock_guard<std::mutex> lock(answer->mutex);
    return answer->done;
  };

  if (QThread::currentThread() == thread()) {
    // On the UI thread: a local event loop keeps the window responsive meanwhile.
    start();
    QEventLoop loop;
    QElapsedTimer elapsed;
    elapsed.start();
    QTimer poll;
    connect(&poll, &QTimer::timeout, &loop, [&] {
      if (finished() || elapsed.elapsed() > kLoginPageTimeoutMs) loop.quit();
    });
    poll.start(10);
    if (!finished()) loop.exec();
  } else {
    PostToUiThread(this, start);
    std::unique_lock<std::mutex> lock(answer->mutex);
    answer->arrived.wait_for(lock, std::chrono::milliseconds(kLoginPageTimeoutMs),
                             [&] { return answer->done; });
  }
  std::lock_guard<std::mutex> lock(answer->mutex);
  return answer->page;
}

}  // namespace tarvelin::app
