#pragma once
// A download job against the stand-in service, with a recording window, a scratch save
// folder and instant waits.

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "download/download_job.h"
#include "net/codec.h"
#include "net/transport.h"
#include "net/wait.h"
#include "session/session_state.h"
#include "standin/fake_jpeg.h"
#include "standin/fake_photo_routes.h"
#include "standin/fake_service.h"
#include "standin/standin_server.h"
#include "support/recording_window.h"

namespace tarvelin::download::testing {

inline Text Gbk(const char* utf8) { return Utf8ToText(utf8); }

// A recording window that lets a test act when a log line arrives (on the worker thread).
class ScriptedWindow : public tarvelin::testing::RecordingWindow {
 public:
  std::function<void(const Text&)> onLog;
  std::function<void()> onConfirm;  // runs while the box is "open", on the caller's thread
  void AppendLog(const Text& text) override {
    RecordingWindow::AppendLog(text);
    if (onLog) onLog(text);
  }
  bool Confirm(const Text& text, const Text& caption) override {
    if (onConfirm) onConfirm();
    return RecordingWindow::Confirm(text, caption);
  }
};

class DownloadTest : public ::testing::Test {
 protected:
  static constexpr const char* kOwner = "20002";
  static constexpr const char* kGroup = "30003";

  void SetUp() override {
    SetWaitScale(0);
    TransportConfig transport = server_.Transport();
    transport.timeoutScale = 0.05;  // a 60-second photo time-out lasts 3 s
    SetTransportConfig(transport);
    root_ = std::filesystem::temp_directory_path() /
            ("tarvelin-dl-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_ / "program");
    window_.settings.saveFolder = root_.string() + "/save";
    window_.settings.openFolderWhenDone = false;
    window_.target = kOwner;
    SessionValues values;
    values.cookieText = "uin=o0010001; skey=@skey0001; p_skey=pskey0001";
    values.accountNumber = "10001";
    values.pskeyToken = "123456";
    values.pageToken = "tok-1234";
    session_.Replace(values);
    session_.SetListingTarget(kOwner);
    service_.spaces[kOwner].owner = kOwner;
    service_.groups[kGroup].groupId = kGroup;
  }

  void TearDown() override {
    job_.reset();
    std::filesystem::remove_all(root_);
  }

  // Adds an album of `names.size()` photos of `size` bytes to the space (or the group).
  standin::FakeAlbum& AddAlbum(const std::string& id, const std::string& name,
                               const std::vector<std::string>& names, size_t size = 300,
                               bool group = false) {
    std::vector<standin::FakeAlbum>& albums =
        group ? service_.groups[kGroup].albums : service_.spaces[kOwner].albums;
    standin::FakeAlbum album;
    album.id = id;
    album.name = name;
    for (size_t i = 0; i < names.size(); ++i) {
      standin::FakePhoto photo;
      photo.name = names[i];
      photo.id = id + "p" + std::to_string(i);
      photo.bytes = standin::MakeFakeJpeg(size + i, static_cast<uint32_t>(seed_++));
      album.photos.push_back(photo);
    }
    albums.push_back(album);
    return albums.back();
  }

  // A ticked table row for an album.
  void AddRow(const std::string& rowNumber, const std::string& utf8Name, const std::string& count,
              const std::string& id) {
    AlbumRecord row;
    row.rowNumber = rowNumber;
    row.albumName = Gbk(utf8Name.c_str());
    row.photoCount = count;
    row.albumId = id;
    window_.albums.push_back(row);
  }

  DownloadJob& Job() {
    if (!job_) {
      standin::InstallPhotoRoutes(server_, service_);
      job_ = std::make_unique<DownloadJob>(window_, session_, Text((root_ / "program").string()));
      const std::string host = service_.photoListHost;
      if (!realRouteLookup_) job_->SetPhotoHostLookup([host](const Text&) { return host; });
    }
    return *job_;
  }

  // Runs a whole job and waits for its end.
  DownloadSummary RunJob() {
    Job().Start();
    Job().Wait();
    return Job().Summary();
  }

  // Files of a folder under save/target: UTF-8 name -> content.
  std::map<std::string, std::string> FilesIn(const std::string& utf8Folder,
                                             const std::string& target = kOwner) const {
    std::map<std::string, std::string> files;
    const auto folder = root_ / "save" / target / utf8Folder;
    if (!std::filesystem::is_directory(folder)) return files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      std::ifstream in(entry.path(), std::ios::binary);
      files[entry.path().filename().string()] =
          std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return files;
  }

  // Waits (in short steps) until `done` holds or about five seconds have passed.
  template <class Condition>
  bool Eventually(Condition done) const {
    for (int i = 0; i < 1000; ++i) {
      if (done()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return done();
  }

  int CountRequests(const std::string& pathPart) const {
    int count = 0;
    for (const auto& request : server_.Requests()) {
      if (request.path.find(pathPart) != std::string::npos) ++count;
    }
    return count;
  }

  std::string Log() const { return TextToUtf8(window_.Log()); }

  standin::FakeService service_;  // outlives the server, whose handlers read it
  standin::StandinServer server_;
  SessionState session_;
  ScriptedWindow window_;
  std::filesystem::path root_;
  std::unique_ptr<DownloadJob> job_;
  int seed_ = 1;
  bool realRouteLookup_ = false;  // ask the stand-in's route store instead
};

}  // namespace tarvelin::download::testing
