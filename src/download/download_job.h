#pragma once
// The download job behind "2:下载选中": a worker thread that downloads the ticked albums of
// the table, one at a time, with pause, resume and stop from the UI thread.
//
//   DownloadJob job(window, session, programDirectory);
//   job.Start();   // 按钮_下载选中
//   job.Pause();   // 按钮_暂停线程
//   job.Resume();  // 按钮_继续下载
//   job.Stop();    // 按钮_结束下载: asks, then ends the job
//
// Start, Pause, Resume and Stop run on the UI thread and call the window there. The worker
// reaches the window only through the port; a paused or stopped worker starts no request,
// writes no file and shows nothing, and a stop ends a request in flight at once.

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "download/download_context.h"
#include "port/window_port.h"

namespace tarvelin {
class JobControl;
class SessionState;
}  // namespace tarvelin

namespace tarvelin::download {

class DownloadJob {
 public:
  DownloadJob(WindowPort& window, SessionState& session, Text programDirectory);
  // A job still running is stopped (without asking) and waited for.
  ~DownloadJob();
  DownloadJob(const DownloadJob&) = delete;
  DownloadJob& operator=(const DownloadJob&) = delete;

  // Replaces the storage route lookup (the catalogue's LookupPhotoHost by default).
  void SetPhotoHostLookup(PhotoHostLookup lookup);
  // Photos of one interface-1 page fetched at once (1: one at a time). Default 4.
  void SetPhotoThreads(int threads) { photoThreads_ = threads; }

  // Running buttons, the log line, and the worker. Does nothing while a job runs.
  void Start();
  // Paused buttons; the job halts at its next safe point.
  void Pause();
  // Running buttons; the job goes on where it halted.
  void Resume();
  // Halts the job and asks; on OK ends it and returns true, on Cancel lets it go on.
  bool Stop();

  // True from Start until the worker has ended.
  bool Running() const;
  // Waits for the worker to end; on the UI thread the UI keeps being served meanwhile.
  void Wait();
  // Photos written and failed, albums failed: of the running or the last job.
  DownloadSummary Summary() const;

 private:
  void Run(JobControl* control, DownloadTally* tally);
  void Join();

  WindowPort& window_;
  SessionState& session_;
  const Text programDirectory_;
  PhotoHostLookup lookupPhotoHost_;
  int photoThreads_ = 4;

  std::unique_ptr<JobControl> control_;
  std::unique_ptr<DownloadTally> tally_;
  std::thread worker_;
  std::atomic<bool> running_{false};
  std::mutex finishedMutex_;
  std::condition_variable finished_;
};

// The click handler of 按钮3 ("打开目录"): the target's folder under the save folder when it
// exists, else the save folder, else the program's directory.
void OpenDownloadFolder(WindowPort& window, const Text& programDirectory);

}  // namespace tarvelin::download
