#include "download/photo_transfer.h"

#include <cstdlib>
#include <string>

#include "download/download_texts.h"
#include "download/photo_files.h"
#include "session/session_fetch.h"
#include "net/job_control.h"
#include "net/wait.h"

namespace tarvelin::download {
namespace {

constexpr int kPhotoTries = 3;
constexpr int kRetryPauseMs = 500;

PhotoOutcome FetchOnce(SessionState& session, const Text& url, const Text& headers,
                       int timeoutSeconds) {
  PhotoOutcome outcome;
  int status = 0;
  outcome.bytes = SessionFetchRequestObject(session, url, headers, timeoutSeconds, &status);
  if (status == 0) {
    outcome.reason = texts::kReasonNoReply;
  } else if (status < 200 || status > 299) {
    outcome.reason = "HTTP " + std::to_string(status);
  } else if (outcome.bytes.empty()) {
    outcome.reason = texts::kReasonEmptyBody;
  } else {
    outcome.ok = true;
  }
  if (!outcome.ok) outcome.bytes.clear();
  return outcome;
}

}  // namespace

PhotoOutcome FetchPhoto(SessionState& session, const PhotoSource& source) {
  PhotoOutcome outcome;
  for (int attempt = 1; attempt <= kPhotoTries && !JobStopped(); ++attempt) {
    if (attempt > 1) PumpingWait(kRetryPauseMs);
    outcome = FetchOnce(session, source.url, source.headers, source.timeoutSeconds);
    if (outcome.ok) break;
  }
  const bool small = static_cast<long long>(outcome.bytes.size()) < source.threshold;
  if (source.threshold > 0 && small && !source.secondUrl.empty() && !JobStopped()) {
    PhotoOutcome second =
        FetchOnce(session, source.secondUrl, source.headers, source.secondTimeoutSeconds);
    if (second.ok || !outcome.ok) outcome = std::move(second);
  }
  return outcome;
}

void ReportPhotoFailure(DownloadContext& context, const Text& albumName, const Text& photoName,
                        const Text& reason) {
  if (JobStopped()) return;
  context.tally.PhotoFailed();
  context.port.Log(Text(texts::kAlbumWord) + albumName + texts::kPhotoFailedMiddle + photoName +
                   texts::kPhotoFailedClose + reason + "\r\n");
}

void ReportAlbumFailure(DownloadContext& context, const Text& albumName, const Text& reason) {
  if (JobStopped()) return;
  context.tally.AlbumFailed();
  context.port.Log(Text(texts::kAlbumWord) + albumName + texts::kAlbumListFailedClose + reason +
                   "\r\n");
}

bool StorePhoto(DownloadContext& context, const Text& albumName, const Text& photoName,
                const Text& path, const PhotoOutcome& outcome) {
  // A pause holds the photo here; a stop drops it unwritten.
  if (!JobCheckpoint()) return false;
  if (!outcome.ok) {
    ReportPhotoFailure(context, albumName, photoName, outcome.reason);
  } else if (!WriteFileAtomically(path, outcome.bytes)) {
    ReportPhotoFailure(context, albumName, photoName, texts::kReasonWriteFailed);
  } else {
    context.tally.PhotoWritten();
  }
  return true;
}

Text DisplayName(const Text& name, long long sequence) {
  if (!name.empty()) return name;
  Text text = "(";  // appended: GCC 12 warns falsely about "(" + std::string
  return text.append(std::to_string(sequence)).append(")");
}

long long SecondDownloadThreshold(const Text& kilobytes) {
  char* end = nullptr;
  const double value = std::strtod(kilobytes.c_str(), &end);
  if (end == kilobytes.c_str() || !(value > 0)) return 0;
  constexpr double kLargest = 1e15;  // far above any photo, and safe to convert
  return static_cast<long long>(value < kLargest ? value * 1000 : kLargest);
}

}  // namespace tarvelin::download
