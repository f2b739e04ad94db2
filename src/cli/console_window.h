#pragma once
// WindowPort on a terminal: log lines and message boxes on standard error, a progress
// line that redraws in place on a terminal and prints plain lines otherwise.

#include <cstdio>
#include <mutex>
#include <vector>

#include "port/window_port.h"

namespace tarvelin::cli {

class ConsoleWindow : public WindowPort {
 public:
  ConsoleWindow(DownloadSettings settings, Text target, AlbumSource source, LoginPage login,
                std::FILE* out = stderr);

  void AppendLog(const Text& text) override;
  void SetStatus(StatusLabel label, const Text& text) override;
  void SetProgressMaximum(int maximum) override;
  void SetProgress(int position) override;
  DownloadSettings Settings() override;
  Text TargetText() override;
  AlbumSource Source() override;
  bool ShowCovers() override { return false; }
  void ClearAlbums() override;
  void AppendAlbum(const AlbumRecord& record) override;
  std::vector<AlbumRecord> Albums() override;
  void SetCoverColumnVisible(bool) override {}
  int AddCoverPicture(const Bytes&) override { return -1; }
  void SetAlbumCover(int, int) override {}
  void ShowMessage(const Text& text, const Text& caption) override;
  bool Confirm(const Text& text, const Text& caption) override;
  void OpenPath(const Text&) override {}
  void SetJobButtons(JobButtons) override {}
  LoginPage ReadLoginPage() override;
  void NavigateLoginView(const Text&) override {}
  void ShowLoginTab() override;

  // Ticks exactly the rows whose index is in `rows`.
  void SelectRows(const std::vector<int>& rows);
  std::vector<Text> Messages() const;
  bool LoginRefused() const;
  void FinishProgress();

 private:
  void WriteLine(const Text& utf8Line);  // clears and redraws the progress line around it
  void DrawProgress();

  mutable std::mutex mutex_;
  std::FILE* out_;
  bool terminal_;
  DownloadSettings settings_;
  Text target_;
  AlbumSource source_;
  LoginPage login_;
  std::vector<AlbumRecord> albums_;
  std::vector<Text> messages_;
  bool loginRefused_ = false;
  Text albumLabel_;
  Text photoLabel_;
  int progressMax_ = 0;
  int progress_ = 0;
  bool progressShown_ = false;
  int lastPrintedPercent_ = -1;
  Text lastPrintedAlbum_;
  Text pendingLog_;  // a log text not yet ended by a line break
};

}  // namespace tarvelin::cli
