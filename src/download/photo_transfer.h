#pragma once
// Fetching one photo (with its retries and the second download) and storing it.

#include "download/download_context.h"
#include "port/types.h"

namespace tarvelin::download {

struct PhotoSource {
  Text url;
  Text headers;
  int timeoutSeconds = 0;
  Text secondUrl;  // empty: no second download
  int secondTimeoutSeconds = 0;
  long long threshold = 0;  // second download when fewer bytes arrive; 0 turns it off
};

struct PhotoOutcome {
  bool ok = false;  // a 2xx reply with a body
  Bytes bytes;
  Text reason;  // why it failed
};

// A photo counts only as a 2xx reply with a non-empty body; a failed one is tried twice
// more after short pauses. The second download replaces the bytes only when it succeeds.
PhotoOutcome FetchPhoto(SessionState& session, const PhotoSource& source);

// Writes a fetched photo to `path` (through a temporary name), or logs and counts its
// failure. Returns false when the job was stopped before anything was written.
bool StorePhoto(DownloadContext& context, const Text& albumName, const Text& photoName,
                const Text& path, const PhotoOutcome& outcome);

// Logs and counts a photo that failed ("相册《A》的照片《P》下载失败：reason").
void ReportPhotoFailure(DownloadContext& context, const Text& albumName, const Text& photoName,
                        const Text& reason);
// Logs and counts an album whose photo list could not be read.
void ReportAlbumFailure(DownloadContext& context, const Text& albumName, const Text& reason);

// The photo's name for a log line: its cleaned name, or "(N)" when it has none.
Text DisplayName(const Text& name, long long sequence);

// The threshold of 编辑框_文件大小: the text as a number of KB of 1000 bytes, truncated.
long long SecondDownloadThreshold(const Text& kilobytes);

}  // namespace tarvelin::download
