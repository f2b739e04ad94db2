#pragma once
// A WindowPort for engine tests: records what the engine shows and answers from fields.

#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "port/window_port.h"

namespace tarvelin::testing {

class RecordingWindow : public WindowPort {
 public:
  // What the test sets up.
  DownloadSettings settings;
  Text target;
  AlbumSource source = AlbumSource::Space;
  bool showCovers = false;
  bool confirmAnswer = true;
  LoginPage loginPage;

  void AppendLog(const Text& text) override { Lock l(m_); log += text; }
  void SetStatus(StatusLabel label, const Text& text) override {
    Lock l(m_);
    status[static_cast<int>(label)] = text;
    statusHistory.emplace_back(label, text);
  }
  void SetProgressMaximum(int maximum) override { Lock l(m_); progressMax = Clamp(maximum); }
  void SetProgress(int position) override { Lock l(m_); progress = Clamp(position); }
  DownloadSettings Settings() override { Lock l(m_); return settings; }
  Text TargetText() override { Lock l(m_); return target; }
  AlbumSource Source() override { Lock l(m_); return source; }
  bool ShowCovers() override { Lock l(m_); return showCovers; }
  void ClearAlbums() override { Lock l(m_); albums.clear(); }
  void AppendAlbum(const AlbumRecord& record) override { Lock l(m_); albums.push_back(record); }
  std::vector<AlbumRecord> Albums() override { Lock l(m_); return albums; }
  void SetCoverColumnVisible(bool visible) override { Lock l(m_); coverColumnVisible = visible; }
  int AddCoverPicture(const Bytes& encoded) override {
    Lock l(m_);
    pictures.push_back(encoded);
    return static_cast<int>(pictures.size()) - 1;
  }
  void SetAlbumCover(int row, int picture) override {
    Lock l(m_);
    if (row >= 0 && row < static_cast<int>(albums.size())) albums[row].coverPicture = picture;
  }
  void ShowMessage(const Text& text, const Text& caption) override {
    Lock l(m_);
    messages.emplace_back(caption.empty() ? Text("\xD0\xC5\xCF\xA2\xA3\xBA") : caption, text);
  }
  bool Confirm(const Text& text, const Text& caption) override {
    Lock l(m_);
    messages.emplace_back(caption, text);
    return confirmAnswer;
  }
  void OpenPath(const Text& path) override { Lock l(m_); opened.push_back(path); }
  void SetJobButtons(JobButtons set) override { Lock l(m_); buttons.push_back(set); }
  LoginPage ReadLoginPage() override { Lock l(m_); return loginPage; }
  void NavigateLoginView(const Text& url) override { Lock l(m_); navigations.push_back(url); }
  void ShowLoginTab() override { Lock l(m_); loginTabShown++; }

  // Thread-safe reads for assertions.
  Text Log() const { Lock l(m_); return log; }
  Text Status(StatusLabel label) const { Lock l(m_); return status[static_cast<int>(label)]; }
  std::vector<std::pair<Text, Text>> Messages() const { Lock l(m_); return messages; }

  // Recorded (guard with Lock when a worker may still run).
  Text log;
  Text status[5];
  std::vector<std::pair<StatusLabel, Text>> statusHistory;
  int progressMax = 0;
  int progress = 0;
  std::vector<AlbumRecord> albums;
  bool coverColumnVisible = false;
  std::vector<Bytes> pictures;
  std::vector<std::pair<Text, Text>> messages;  // caption, text
  std::vector<Text> opened;
  std::vector<JobButtons> buttons;
  std::vector<Text> navigations;
  int loginTabShown = 0;

 private:
  using Lock = std::lock_guard<std::mutex>;
  static int Clamp(int v) { return v < 0 ? 0 : (v > 32767 ? 32767 : v); }
  mutable std::mutex m_;
};

}  // namespace tarvelin::testing
