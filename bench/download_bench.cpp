// Downloads one album of N photos from the stand-in with the engine (full-size mode) and
// with curl fetching the same addresses in one process, each in a child process of its
// own, and reports photos per second, the ratio and each side's peak memory.
//
//   download_bench [--photos 2000] [--kb 200] [--dir /tmp/tarvelin-bench] [--rounds 1]
//   download_bench engine PORT DIR   (the engine side; run by the bench itself)

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "download/download_job.h"
#include "net/transport.h"
#include "net/wait.h"
#include "session/session_state.h"
#include "standin/fake_jpeg.h"
#include "standin/fake_photo_routes.h"
#include "standin/fake_service.h"
#include "standin/standin_server.h"

extern char** environ;

namespace {

using namespace tarvelin;
namespace fs = std::filesystem;

constexpr const char* kOwner = "20002";
constexpr const char* kAlbumId = "bench";
constexpr const char* kListHost = "shplist.photo.qq.com";

// A window that keeps nothing: the engine's own memory is what gets measured.
class QuietWindow : public WindowPort {
 public:
  explicit QuietWindow(DownloadSettings settings, AlbumRecord row)
      : settings_(std::move(settings)), row_(std::move(row)) {}
  void AppendLog(const Text&) override {}
  void SetStatus(StatusLabel, const Text&) override {}
  void SetProgressMaximum(int) override {}
  void SetProgress(int) override {}
  DownloadSettings Settings() override { return settings_; }
  Text TargetText() override { return kOwner; }
  AlbumSource Source() override { return AlbumSource::Space; }
  bool ShowCovers() override { return false; }
  void ClearAlbums() override {}
  void AppendAlbum(const AlbumRecord&) override {}
  std::vector<AlbumRecord> Albums() override { return {row_}; }
  void SetCoverColumnVisible(bool) override {}
  int AddCoverPicture(const Bytes&) override { return -1; }
  void SetAlbumCover(int, int) override {}
  void ShowMessage(const Text&, const Text&) override {}
  bool Confirm(const Text&, const Text&) override { return true; }
  void OpenPath(const Text&) override {}
  void SetJobButtons(JobButtons) override {}
  LoginPage ReadLoginPage() override { return {}; }
  void NavigateLoginView(const Text&) override {}
  void ShowLoginTab() override {}

 private:
  DownloadSettings settings_;
  AlbumRecord row_;
};

int RunEngine(int port, const std::string& dir, int photos) {
  TransportConfig transport;
  transport.connectTo = {":80:127.0.0.1:" + std::to_string(port)};
  SetTransportConfig(transport);
  SessionState session;
  SessionValues values;
  values.cookieText = "uin=o0010001; skey=@skey0001; p_skey=pskey0001";
  values.accountNumber = "10001";
  values.pskeyToken = "123456";
  session.Replace(values);
  session.SetListingTarget(kOwner);
  DownloadSettings settings;
  settings.mode = DownloadMode::OriginalUnlimited;
  settings.nameFormat = NameFormat::NumberFirst;
  settings.openFolderWhenDone = false;
  settings.saveFolder = dir;
  AlbumRecord row;
  row.rowNumber = "1";
  row.albumName = "bench";
  row.photoCount = std::to_string(photos);
  row.albumId = kAlbumId;
  QuietWindow window(settings, row);
  download::DownloadJob job(window, session, dir);
  job.SetPhotoHostLookup([](const Text&) { return Text(kListHost); });
  job.Start();
  job.Wait();
  const download::DownloadSummary summary = job.Summary();
  std::printf("engine wrote %lld photos, %lld failed\n", summary.photosWritten,
              summary.photosFailed);
  return summary.photosWritten == photos ? 0 : 1;
}

struct ChildRun {
  double seconds = 0;
  long peakKb = 0;
  int status = -1;
};

ChildRun Spawn(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  ChildRun run;
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
    std::perror(argv[0]);
    return run;
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.peakKb = usage.ru_maxrss;
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

// Number of files and bytes under a folder.
std::pair<long, long long> Tally(const fs::path& folder) {
  long files = 0;
  long long bytes = 0;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file() || entry.path().extension() != ".jpg") continue;
    ++files;
    bytes += static_cast<long long>(entry.file_size());
  }
  return {files, bytes};
}

}  // namespace

int main(int argc, char** argv) {
  int photos = 2000, kb = 200, rounds = 1;
  std::string dir = "/tmp/tarvelin-bench";
  if (argc == 5 && std::string(argv[1]) == "engine") {
    return RunEngine(std::atoi(argv[2]), argv[3], std::atoi(argv[4]));
  }
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string flag = argv[i];
    if (flag == "--photos")
      photos = std::atoi(argv[i + 1]);
    else if (flag == "--kb")
      kb = std::atoi(argv[i + 1]);
    else if (flag == "--dir")
      dir = argv[i + 1];
    else if (flag == "--rounds")
      rounds = std::atoi(argv[i + 1]);
  }

  standin::FakeService service;  // outlives the server, whose handlers read it
  standin::StandinServer server;
  service.photoListHost = kListHost;
  standin::FakeAlbum album;
  album.id = kAlbumId;
  album.name = "bench";
  for (int i = 0; i < photos; ++i) {
    standin::FakePhoto photo;
    photo.name = "photo";
    photo.id = "p" + std::to_string(i);
    // Sizes spread over +-10% around the mean.
    const size_t size = static_cast<size_t>(kb) * 1000 * (90 + (i * 37) % 21) / 100;
    photo.bytes = standin::MakeFakeJpeg(size, static_cast<uint32_t>(i + 1));
    album.photos.push_back(std::move(photo));
  }
  service.spaces[kOwner].albums.push_back(album);
  standin::InstallPhotoRoutes(server, service);
  const int port = server.HttpPort();

  const fs::path root = dir;
  fs::remove_all(root);
  fs::create_directories(root / "curl");
  const fs::path config = root / "curl.cfg";
  {
    std::ofstream out(config);
    out << "silent\nfail\nconnect-to = \"::127.0.0.1:" << port << "\"\n";
    for (int i = 0; i < photos; ++i) {
      out << "url = \"" << standin::FakePhotoUrl(service, album, i, 'r') << "\"\n"
          << "output = \""
          << (root / "curl" / ("(" + std::to_string(i + 1) + ")photo.jpg")).string() << "\"\n";
    }
  }

  std::printf("album of %d photos of about %d KB from the stand-in on port %d\n", photos, kb, port);
  const std::string self = fs::read_symlink("/proc/self/exe").string();
  for (int round = 1; round <= rounds; ++round) {
    fs::remove_all(root / "curl");
    fs::create_directories(root / "curl");
    fs::remove_all(root / "engine");
    const ChildRun curl = Spawn({"curl", "-K", config.string()});
    const ChildRun engine = Spawn(
        {self, "engine", std::to_string(port), (root / "engine").string(), std::to_string(photos)});
    const auto [curlFiles, curlBytes] = Tally(root / "curl");
    const auto [engineFiles, engineBytes] = Tally(root / "engine");
    const double curlRate = photos / curl.seconds, engineRate = photos / engine.seconds;
    std::printf("round %d\n", round);
    std::printf(
        "  curl   : %7.1f photos/s  %6.2f s  peak %6.1f MB  %ld files %lld bytes  exit %d\n",
        curlRate, curl.seconds, curl.peakKb / 1024.0, curlFiles, curlBytes, curl.status);
    std::printf(
        "  engine : %7.1f photos/s  %6.2f s  peak %6.1f MB  %ld files %lld bytes  exit %d\n",
        engineRate, engine.seconds, engine.peakKb / 1024.0, engineFiles, engineBytes,
        engine.status);
    std::printf("  ratio engine/curl: %.3f\n", engineRate / curlRate);
  }
  fs::remove_all(root);
  return 0;
}
