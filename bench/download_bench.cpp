// Downloads one album of N photos from the stand-in with the engine (full-size mode) and
// with curl fetching the same addresses in one process, each in a child process of its
// own, and reports photos per second, the ratio and each side's peak memory.
//
//   download_bench [--photos 2000] [--kb 200] [--dir /tmp/tarvelin-bench] [--rounds 3]
//                  [--latency-ms 0]   (the stand-in waits this long before every photo)
// The modes "serve" and "engine" are the bench's own child processes.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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
#include "standin/fake_catalogue_routes.h"
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

standin::FakeAlbum BenchAlbum(int photos) {
  standin::FakeAlbum album;
  album.id = kAlbumId;
  album.name = "bench";
  for (int i = 0; i < photos; ++i) {
    standin::FakePhoto photo;
    photo.name = "photo";
    photo.id = std::string("p").append(std::to_string(i));
    album.photos.push_back(std::move(photo));
  }
  return album;
}

int RunEngine(int port, const std::string& dir, int photos, int threads) {
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
  job.SetPhotoThreads(threads);
  job.Start();
  job.Wait();
  const download::DownloadSummary summary = job.Summary();
  if (summary.photosFailed != 0) std::printf("engine: %lld photos failed\n", summary.photosFailed);
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
  posix_spawn_file_actions_t quiet;  // curl -Z draws a progress meter even when silent
  posix_spawn_file_actions_init(&quiet);
  posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
  const int spawned = posix_spawnp(&pid, argv[0], &quiet, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&quiet);
  if (spawned != 0) {
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

// The stand-in with the album, in a process of its own so that the measured processes are
// spawned from a small parent (a child's peak memory counts its parent's at the spawn).
int Serve(int photos, int kb, int latencyMs, const std::string& portFile) {
  standin::FakeService service;  // outlives the server, whose handlers read it
  standin::StandinServer server;
  service.photoListHost = kListHost;
  standin::FakeAlbum album = BenchAlbum(photos);
  for (int i = 0; i < photos; ++i) {
    // Sizes spread over +-10% around the mean.
    const size_t size = static_cast<size_t>(kb) * 1000 * (90 + (i * 37) % 21) / 100;
    album.photos[static_cast<size_t>(i)].bytes =
        standin::MakeFakeJpeg(size, static_cast<uint32_t>(i + 1));
    album.photos[static_cast<size_t>(i)].delayMs = latencyMs;
  }
  service.spaces[kOwner].owner = kOwner;
  service.spaces[kOwner].albums.push_back(std::move(album));
  standin::InstallCatalogueRoutes(server, service);  // tarvelin-cli lists before it downloads
  standin::InstallPhotoRoutes(server, service);
  {
    std::ofstream out(portFile + ".tmp");
    out << server.HttpPort() << " " << server.HttpsPort() << " " << server.CaFile() << "\n";
  }
  fs::rename(portFile + ".tmp", portFile);
  for (;;) pause();  // until the bench ends it
}

struct Variant {
  const char* label;
  std::vector<std::string> command;
  fs::path output;
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  int photos = 2000, kb = 200, rounds = 3, latencyMs = 0;
  std::string dir = "/tmp/tarvelin-bench";
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "engine" && argc == 6) {
    return RunEngine(std::atoi(argv[2]), argv[3], std::atoi(argv[4]), std::atoi(argv[5]));
  }
  if (mode == "serve" && argc == 6) {
    return Serve(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), argv[5]);
  }
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string flag = argv[i];
    if (flag == "--photos") photos = std::atoi(argv[i + 1]);
    if (flag == "--kb") kb = std::atoi(argv[i + 1]);
    if (flag == "--dir") dir = argv[i + 1];
    if (flag == "--rounds") rounds = std::atoi(argv[i + 1]);
    if (flag == "--latency-ms") latencyMs = std::atoi(argv[i + 1]);
  }

  const fs::path root = dir;
  fs::remove_all(root);
  fs::create_directories(root);
  const std::string self = fs::read_symlink("/proc/self/exe").string();
  const fs::path portFile = root / "port";
  pid_t server = 0;
  {
    std::vector<std::string> args = {self,
                                     "serve",
                                     std::to_string(photos),
                                     std::to_string(kb),
                                     std::to_string(latencyMs),
                                     portFile.string()};
    std::vector<char*> argv2;
    for (std::string& arg : args) argv2.push_back(arg.data());
    argv2.push_back(nullptr);
    if (posix_spawn(&server, self.c_str(), nullptr, nullptr, argv2.data(), environ) != 0) return 1;
  }
  while (!fs::exists(portFile)) usleep(20000);
  int port = 0, tlsPort = 0;
  std::string caFile;
  std::ifstream(portFile) >> port >> tlsPort >> caFile;

  standin::FakeService service;
  const standin::FakeAlbum album = BenchAlbum(photos);
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
  const std::vector<Variant> variants{
      {"curl, one at a time", {"curl", "-K", config.string()}, root / "curl"},
      {"engine, one at a time",
       {self, "engine", std::to_string(port), (root / "engine").string(), std::to_string(photos),
        "1"},
       root / "engine"},
      {"curl --parallel-max 4",
       {"curl", "-s", "-Z", "--parallel-max", "4", "-K", config.string()},
       root / "curl"},
      {"engine, up to 4 (default)",
       {self, "engine", std::to_string(port), (root / "engine").string(), std::to_string(photos),
        "4"},
       root / "engine"},
  };
  // The command-line program, built beside the bench, lists the album and downloads it.
  std::vector<Variant> all = variants;
  const fs::path cli = fs::path(self).parent_path().parent_path() / "src" / "cli" / "tarvelin-cli";
  if (fs::exists(cli)) {
    std::ofstream(root / "cookies.txt") << "uin=o0010001; skey=@skey0001; p_skey=pskey0001\n";
    all.push_back({"tarvelin-cli (default)",
                   {cli.string(), "--cookie-file", (root / "cookies.txt").string(), "--target",
                    kOwner, "--albums", "1", "--mode", "full", "--names", "first", "--second-kb",
                    "", "--save", (root / "cli").string(), "--connect-to",
                    ":80:127.0.0.1:" + std::to_string(port), "--connect-to",
                    ":443:127.0.0.1:" + std::to_string(tlsPort), "--cacert", caFile},
                   root / "cli"});
  }

  std::printf("album of %d photos of about %d KB from the stand-in (latency %d ms, port %d)\n",
              photos, kb, latencyMs, port);
  std::vector<std::vector<double>> rates(all.size()), peaks(all.size());
  for (int round = 1; round <= rounds; ++round) {
    for (size_t v = 0; v < all.size(); ++v) {
      fs::remove_all(all[v].output);
      fs::create_directories(all[v].output);
      ::sync();  // the previous run's writeback does not fall on this one
      const ChildRun run = Spawn(all[v].command);
      const auto [files, bytes] = Tally(all[v].output);
      const double rate = photos / run.seconds;
      rates[v].push_back(rate);
      peaks[v].push_back(run.peakKb / 1024.0);
      std::printf(
          "round %d  %-30s %7.1f photos/s  %6.2f s  peak %6.1f MB  %ld files  %lld bytes%s\n",
          round, all[v].label, rate, run.seconds, run.peakKb / 1024.0, files, bytes,
          run.status == 0 && files == photos ? "" : "  FAILED");
    }
  }
  std::printf("\nmedian of %d rounds:\n", rounds);
  for (size_t v = 0; v < all.size(); ++v) {
    std::printf("  %-30s %7.1f photos/s  peak %6.1f MB\n", all[v].label, Median(rates[v]),
                Median(peaks[v]));
  }
  std::printf("  ratio engine/curl, one at a time: %.3f\n", Median(rates[1]) / Median(rates[0]));
  std::printf("  ratio engine (up to 4) / curl one at a time: %.3f\n",
              Median(rates[3]) / Median(rates[0]));
  std::printf("  ratio engine (up to 4) / curl --parallel-max 4: %.3f\n",
              Median(rates[3]) / Median(rates[2]));
  if (all.size() > variants.size()) {
    std::printf("  ratio tarvelin-cli / curl one at a time: %.3f\n",
                Median(rates[4]) / Median(rates[0]));
  }
  kill(server, SIGTERM);
  waitpid(server, nullptr, 0);
  fs::remove_all(root);
  return 0;
}
