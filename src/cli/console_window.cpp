#include "cli/console_window.h"

#include <unistd.h>

#include <algorithm>
#include <utility>

#include "net/codec.h"

namespace tarvelin::cli {
namespace {

Text Utf8(const Text& text) { return TextToUtf8(text); }

Text StripCarriageReturns(Text text) {
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  return text;
}

}  // namespace

ConsoleWindow::ConsoleWindow(DownloadSettings settings, Text target, AlbumSource source,
                             LoginPage login, std::FILE* out)
    : out_(out),
      terminal_(isatty(fileno(out)) != 0),
      settings_(std::move(settings)),
      target_(std::move(target)),
      source_(source),
      login_(std::move(login)) {}

void ConsoleWindow::WriteLine(const Text& utf8Line) {
  if (terminal_ && progressShown_) std::fputs("\r\033[K", out_);
  std::fputs(utf8Line.c_str(), out_);
  std::fputc('\n', out_);
  if (terminal_ && progressShown_) DrawProgress();
  std::fflush(out_);
}

void ConsoleWindow::AppendLog(const Text& text) {
  std::lock_guard<std::mutex> lock(mutex_);
  pendingLog_ += StripCarriageReturns(text);
  size_t end;
  while ((end = pendingLog_.find('\n')) != Text::npos) {
    Text line = pendingLog_.substr(0, end);
    pendingLog_.erase(0, end + 1);
    if (!line.empty()) WriteLine(Utf8(line));
  }
}

void ConsoleWindow::SetStatus(StatusLabel label, const Text& text) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (label == StatusLabel::CurrentAlbum) albumLabel_ = text;
  else if (label == StatusLabel::PhotoNumber) photoLabel_ = text;
  else if (label == StatusLabel::Dynamic && !text.empty()) WriteLine(Utf8(text));
  else return;
  DrawProgress();
}

void ConsoleWindow::SetProgressMaximum(int maximum) {
  std::lock_guard<std::mutex> lock(mutex_);
  progressMax_ = std::clamp(maximum, 0, 32767);
}

void ConsoleWindow::SetProgress(int position) {
  std::lock_guard<std::mutex> lock(mutex_);
  progress_ = std::clamp(position, 0, 32767);
  DrawProgress();
}

void ConsoleWindow::DrawProgress() {
  if (albumLabel_.empty() && progressMax_ == 0) return;
  int percent = progressMax_ > 0 ? static_cast<int>(100.0 * progress_ / progressMax_) : 0;
  Text line = Utf8(albumLabel_);
  if (progressMax_ > 0) {
    line += "  " + std::to_string(progress_) + "/" + std::to_string(progressMax_) + "  " +
            std::to_string(percent) + "%";
  }
  if (terminal_) {
    std::fputs("\r\033[K", out_);
    std::fputs(line.c_str(), out_);
    std::fflush(out_);
    progressShown_ = true;
    return;
  }
  // Plain output: a line per album and per tenth of it.
  if (albumLabel_ != lastPrintedAlbum_ || percent / 10 != lastPrintedPercent_ / 10) {
    lastPrintedAlbum_ = albumLabel_;
    lastPrintedPercent_ = percent;
    std::fputs(line.c_str(), out_);
    std::fputc('\n', out_);
    std::fflush(out_);
  }
}

void ConsoleWindow::FinishProgress() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (terminal_ && progressShown_) {
    std::fputc('\n', out_);
    std::fflush(out_);
  }
  progressShown_ = false;
}

DownloadSettings ConsoleWindow::Settings() {
  std::lock_guard<std::mutex> lock(mutex_);
  return settings_;
}

Text ConsoleWindow::TargetText() {
  std::lock_guard<std::mutex> lock(mutex_);
  return target_;
}

AlbumSource ConsoleWindow::Source() {
  std::lock_guard<std::mutex> lock(mutex_);
  return source_;
}

void ConsoleWindow::ClearAlbums() {
  std::lock_guard<std::mutex> lock(mutex_);
  albums_.clear();
}

void ConsoleWindow::AppendAlbum(const AlbumRecord& record) {
  std::lock_guard<std::mutex> lock(mutex_);
  albums_.push_back(record);
}

std::vector<AlbumRecord> ConsoleWindow::Albums() {
  std::lock_guard<std::mutex> lock(mutex_);
  return albums_;
}

void ConsoleWindow::SelectRows(const std::vector<int>& rows) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (size_t i = 0; i < albums_.size(); ++i) {
    albums_[i].checked = std::find(rows.begin(), rows.end(), static_cast<int>(i)) != rows.end();
  }
}

void ConsoleWindow::ShowMessage(const Text& text, const Text& caption) {
  std::lock_guard<std::mutex> lock(mutex_);
  messages_.push_back(text);
  Text shown = StripCarriageReturns(text);
  std::replace(shown.begin(), shown.end(), '\n', ' ');
  WriteLine("[" + Utf8(caption.empty() ? Utf8ToText("信息：") : caption) + "] " + Utf8(shown));
}

bool ConsoleWindow::Confirm(const Text& text, const Text& caption) {
  // The only confirmation is the stop of a download, which Ctrl-C has already decided.
  ShowMessage(text, caption);
  return true;
}

LoginPage ConsoleWindow::ReadLoginPage() {
  std::lock_guard<std::mutex> lock(mutex_);
  return login_;
}

void ConsoleWindow::ShowLoginTab() {
  std::lock_guard<std::mutex> lock(mutex_);
  loginRefused_ = true;
}

std::vector<Text> ConsoleWindow::Messages() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return messages_;
}

bool ConsoleWindow::LoginRefused() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return loginRefused_;
}

}  // namespace tarvelin::cli
