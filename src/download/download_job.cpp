#include "download/download_job.h"

#include <chrono>
#include <random>
#include <string>

#include "download/album_downloaders.h"
#include "download/album_job.h"
#include "download/download_texts.h"
#include "download/photo_files.h"
#include "net/job_control.h"
#include "net/wait.h"
#include "session/session_state.h"

namespace tarvelin::download {
namespace {

void DownloadOne(DownloadContext& context, const AlbumJob& job) {
  if (context.port.Source() == AlbumSource::Group) {
    DownloadGroupAlbum(context, job);
    return;
  }
  switch (context.port.Settings().mode) {
    case DownloadMode::OriginalUnlimited:
      DownloadSpaceAlbum(context, job, SpaceVariant::FullSize);
      break;
    case DownloadMode::HighDefinition:
      DownloadSpaceAlbum(context, job, SpaceVariant::HighDefinition);
      break;
    case DownloadMode::OriginalUpTo2000:
      DownloadSpaceAlbumWhole(context, job);
      break;
  }
}

Text SummaryLine(const DownloadSummary& summary) {
  return texts::kSummaryPhotos + std::to_string(summary.photosWritten) +
         texts::kSummaryFailedPhotos + std::to_string(summary.photosFailed) +
         texts::kSummaryFailedAlbums + std::to_string(summary.albumsFailed) + texts::kSummaryClose;
}

}  // namespace

DownloadJob::DownloadJob(WindowPort& window, SessionState& session, Text programDirectory)
    : window_(window),
      session_(session),
      programDirectory_(std::move(programDirectory)),
      lookupPhotoHost_(DefaultPhotoHostLookup()),
      tally_(std::make_unique<DownloadTally>()) {}

DownloadJob::~DownloadJob() {
  if (control_) control_->Stop();
  Join();
}

void DownloadJob::SetPhotoHostLookup(PhotoHostLookup lookup) {
  lookupPhotoHost_ = std::move(lookup);
}

void DownloadJob::Start() {
  if (Running()) return;
  Join();
  control_ = std::make_unique<JobControl>();
  tally_ = std::make_unique<DownloadTally>();
  window_.SetJobButtons(JobButtons::Running);
  // Logged before the worker starts, so that its first lines follow this one.
  window_.AppendLog(texts::kStartLog);
  running_ = true;
  worker_ = std::thread(&DownloadJob::Run, this, control_.get(), tally_.get());
}

void DownloadJob::Pause() {
  if (!control_) return;
  window_.SetJobButtons(JobButtons::Paused);
  control_->Halt();
  window_.AppendLog(texts::kPausedLog);
}

void DownloadJob::Resume() {
  if (!control_) return;
  window_.SetJobButtons(JobButtons::Running);
  control_->Release();
  window_.AppendLog(texts::kResumedLog);
}

bool DownloadJob::Stop() {
  if (!control_) return false;
  control_->Halt();
  if (!window_.Confirm(texts::kStopQuestion, texts::kStopCaption)) {
    control_->Release();
    return false;
  }
  control_->Stop();
  control_->Release();
  window_.SetJobButtons(JobButtons::Idle);
  window_.AppendLog(texts::kStoppedLog);
  return true;
}

bool DownloadJob::Running() const { return running_.load(); }

void DownloadJob::Wait() {
  // PumpingWait serves the UI when called on its thread, so a worker blocked in a call to
  // the window can finish while we wait for it.
  while (Running()) {
    PumpingWait(2);
    std::unique_lock<std::mutex> lock(finishedMutex_);
    finished_.wait_for(lock, std::chrono::milliseconds(2), [this] { return !Running(); });
  }
  if (worker_.joinable()) worker_.join();
}

void DownloadJob::Join() { Wait(); }

DownloadSummary DownloadJob::Summary() const { return tally_->Summary(); }

void DownloadJob::Run(JobControl* control, DownloadTally* tally) {
  {
    ScopedJobControl scoped(control);
    JobPort port(window_);
    std::mt19937_64 random(std::random_device{}());
    DownloadContext context{port,   session_, programDirectory_, lookupPhotoHost_,
                            *tally, random,   photoThreads_};

    const AlbumSelection selection = CollectAlbumJobs(
        port.Albums(), [&context] { return static_cast<int>(context.Random(1, 100)); });
    port.Log(selection.selectionText.empty()
                 ? Text(texts::kNothingSelected) + "\r\n\r\n"
                 : texts::kSelectedLabel + selection.selectionText + "\r\n\r\n");
    port.Status(
        StatusLabel::SelectedCount,
        texts::kTotalAlbumsOpen + std::to_string(selection.jobs.size()) + texts::kTotalAlbumsClose);
    for (size_t k = 0; k < selection.jobs.size() && !JobStopped(); ++k) {
      port.Status(StatusLabel::CurrentAlbum,
                  texts::kCurrentAlbumOpen + std::to_string(k + 1) + texts::kCurrentAlbumClose);
      DownloadOne(context, selection.jobs[k]);
    }
    if (!JobStopped()) {
      port.Buttons(JobButtons::Idle);
      port.Log(SummaryLine(tally->Summary()));
      port.Log(texts::kAllDoneLog);
      port.Status(StatusLabel::PhotoNumber, texts::kAllDoneLabel);
      port.Message(texts::kAllDoneMessage);
      const DownloadSettings settings = port.Settings();
      if (settings.openFolderWhenDone) {
        // The album folders lie under the program's directory when no save folder is set.
        port.Open(LocalPath(context.BaseFolder(settings) + "\\" + port.Target()));
      }
    }
  }
  {
    std::lock_guard<std::mutex> lock(finishedMutex_);
    running_ = false;
  }
  finished_.notify_all();
}

void OpenDownloadFolder(WindowPort& window, const Text& programDirectory) {
  const Text saveFolder = window.Settings().saveFolder;
  if (saveFolder.empty()) {
    window.OpenPath(LocalPath(programDirectory));
    return;
  }
  const Text target = window.TargetText();
  const Text targetFolder = saveFolder + "\\" + target;
  window.OpenPath(
      LocalPath(!target.empty() && PathIsDirectory(targetFolder) ? targetFolder : saveFolder));
}

}  // namespace tarvelin::download
