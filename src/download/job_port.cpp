#include "download/job_port.h"

#include "net/job_control.h"

namespace tarvelin::download {

bool JobPort::Log(const Text& text) {
  if (!JobCheckpoint()) return false;
  window_.AppendLog(text);
  return true;
}

bool JobPort::Status(StatusLabel label, const Text& text) {
  if (!JobCheckpoint()) return false;
  window_.SetStatus(label, text);
  return true;
}

bool JobPort::ProgressMaximum(int maximum) {
  if (!JobCheckpoint()) return false;
  window_.SetProgressMaximum(maximum);
  return true;
}

bool JobPort::Progress(int position) {
  if (!JobCheckpoint()) return false;
  window_.SetProgress(position);
  return true;
}

bool JobPort::Buttons(JobButtons set) {
  if (!JobCheckpoint()) return false;
  window_.SetJobButtons(set);
  return true;
}

bool JobPort::Message(const Text& text) {
  if (!JobCheckpoint()) return false;
  window_.ShowMessage(text);
  return true;
}

bool JobPort::Open(const Text& path) {
  if (!JobCheckpoint()) return false;
  window_.OpenPath(path);
  return true;
}

DownloadSettings JobPort::Settings() {
  return JobCheckpoint() ? window_.Settings() : DownloadSettings();
}

Text JobPort::Target() { return JobCheckpoint() ? window_.TargetText() : Text(); }

AlbumSource JobPort::Source() { return JobCheckpoint() ? window_.Source() : AlbumSource::None; }

std::vector<AlbumRecord> JobPort::Albums() {
  return JobCheckpoint() ? window_.Albums() : std::vector<AlbumRecord>();
}

}  // namespace tarvelin::download
