// tarvelin-cli: lists and downloads albums from a terminal, on the window program's engine.

#include <json-c/json.h>

#include <QCoreApplication>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <thread>

#include "catalogue/group_album_list.h"
#include "catalogue/space_album_list.h"
#include "cli/cli_options.h"
#include "cli/cli_settings.h"
#include "cli/console_window.h"
#include "download/download_job.h"
#include "net/codec.h"
#include "net/endpoints.h"
#include "net/page_fetch.h"
#include "net/text.h"
#include "net/transport.h"
#include "session/session_extract.h"
#include "session/session_state.h"

namespace tarvelin::cli {
namespace {

enum ExitStatus { kAllWritten = 0, kSomeFailed = 1, kUsage = 2, kLoginRefused = 3 };

std::atomic<bool> interrupted{false};

void OnInterrupt(int) { interrupted.store(true); }

bool ReadCookieText(const std::string& file, Text& cookieText) {
  std::string bytes;
  if (file == "-") {
    bytes.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  } else {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  while (!bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r' || bytes.back() == ' '))
    bytes.pop_back();
  cookieText = Utf8ToText(bytes);
  return true;
}

// The page token of a group request comes from the account's own space page.
Text FetchSpacePage(const Text& cookieText, const Text& account) {
  Text cookies = cookieText;
  Text url = Text("http://") + endpoints::SpaceUserHost + "/" + account;
  PageFetch fetch;
  fetch.url = url;
  fetch.cookies = &cookies;
  return Utf8ToText(FetchRequestObject(fetch));
}

bool LoginRefusedBy(const ConsoleWindow& window) {
  if (window.LoginRefused()) return true;
  for (const Text& message : window.Messages()) {
    if (TextFind(message, Utf8ToText("请先登录")) > 0) return true;
  }
  return false;
}

void PrintAlbumsJson(const std::vector<AlbumRecord>& albums) {
  json_object* array = json_object_new_array();
  for (const AlbumRecord& album : albums) {
    json_object* item = json_object_new_object();
    json_object_object_add(item, "number", json_object_new_int(std::atoi(album.rowNumber.c_str())));
    json_object_object_add(item, "name", json_object_new_string(TextToUtf8(album.albumName).c_str()));
    json_object_object_add(item, "photoCount",
                           json_object_new_string(TextToUtf8(album.photoCount).c_str()));
    json_object_object_add(item, "albumId", json_object_new_string(TextToUtf8(album.albumId).c_str()));
    json_object_object_add(item, "accessText",
                           json_object_new_string(TextToUtf8(album.accessText).c_str()));
    json_object_array_add(array, item);
  }
  std::cout << json_object_to_json_string_ext(array, JSON_C_TO_STRING_PRETTY |
                                                         JSON_C_TO_STRING_NOSLASHESCAPE)
            << "\n";
  json_object_put(array);
}

void PrintAlbumsTable(const std::vector<AlbumRecord>& albums) {
  for (const AlbumRecord& album : albums) {
    std::cout << album.rowNumber << "\t" << TextToUtf8(album.albumName) << "\t" << album.photoCount
              << "\t" << TextToUtf8(album.albumId) << "\t" << TextToUtf8(album.accessText) << "\n";
  }
}

std::vector<int> ChooseRows(const CliOptions& options, const std::vector<AlbumRecord>& albums) {
  std::vector<int> rows;
  const Text needle = Utf8ToText(options.match);
  for (size_t i = 0; i < albums.size(); ++i) {
    const AlbumRecord& album = albums[i];
    bool chosen = options.allAlbums;
    for (int number : options.albumNumbers) {
      if (std::to_string(number) == album.rowNumber) chosen = true;
    }
    if (!needle.empty() && TextFind(album.albumName, needle, 1, true) > 0) chosen = true;
    if (chosen) rows.push_back(static_cast<int>(i));
  }
  return rows;
}

int Run(const CliOptions& options) {
  TransportConfig transport = GetTransportConfig();
  transport.connectTo = options.connectTo;
  transport.caFile = options.caFile;
  transport.proxy = options.proxy;
  SetTransportConfig(transport);

  LoginPage login;
  if (!ReadCookieText(options.cookieFile, login.cookieText)) {
    std::fprintf(stderr, "tarvelin-cli: cannot read the cookie file %s\n", options.cookieFile.c_str());
    return kUsage;
  }
  const std::string programDirectory = ProgramDirectory();
  SessionState session;
  SessionValues values = ExtractSession(login);
  if (values.skeyToken == "5381") {
    std::fprintf(stderr, "tarvelin-cli: the cookie text holds no login (no skey cookie): log in "
                         "again and export the cookies of the logged-in page\n");
    return kLoginRefused;
  }
  if (options.group) {
    login.html = FetchSpacePage(login.cookieText, values.accountNumber);
    values = ExtractSession(login);
  }
  session.Replace(values);
  const Text target = Utf8ToText(options.target);
  if (!options.group) session.SetListingTarget(target);

  ConsoleWindow window(ResolveSettings(options, programDirectory), target,
                       options.group ? AlbumSource::Group : AlbumSource::Space, login);
  if (options.group) ListGroupAlbums(window, session);
  else ListSpaceAlbums(window, session);
  if (LoginRefusedBy(window)) return kLoginRefused;

  const std::vector<AlbumRecord> albums = window.Albums();
  if (options.list) {
    if (options.json) PrintAlbumsJson(albums);
    else PrintAlbumsTable(albums);
    return kAllWritten;
  }
  const std::vector<int> rows = ChooseRows(options, albums);
  if (rows.empty()) {
    std::fprintf(stderr, "tarvelin-cli: no listed album matches the selection\n");
    return kSomeFailed;
  }
  window.SelectRows(rows);

  std::signal(SIGINT, OnInterrupt);
  std::signal(SIGTERM, OnInterrupt);
  download::DownloadJob job(window, session, Utf8ToText(programDirectory));
  job.Start();
  bool stopped = false;
  while (job.Running()) {
    if (interrupted.load() && !stopped) {
      stopped = job.Stop();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  job.Wait();
  window.FinishProgress();
  const download::DownloadSummary summary = job.Summary();
  std::fprintf(stderr, "%s: %lld photos written, %lld photos failed, %d albums failed\n",
               stopped ? "stopped" : "done", summary.photosWritten, summary.photosFailed,
               summary.albumsFailed);
  if (stopped || summary.photosFailed > 0 || summary.albumsFailed > 0) return kSomeFailed;
  return kAllWritten;
}

}  // namespace
}  // namespace tarvelin::cli

int main(int argc, char** argv) {
  using namespace tarvelin::cli;
  ParseResult parsed = ParseCliOptions(argc, argv);
  if (parsed.options.help) {
    std::fputs(CliUsage().c_str(), stdout);
    return kAllWritten;
  }
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "tarvelin-cli: %s\n\n%s", parsed.error.c_str(), CliUsage().c_str());
    return kUsage;
  }
  QCoreApplication app(argc, argv);  // the page-token script engine needs one
  return Run(parsed.options);
}
