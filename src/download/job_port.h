#pragma once
// The window as the download worker sees it. Every call first waits out a pause and does
// nothing once the job is stopped, so a halted or stopped job shows and asks nothing.

#include <vector>

#include "port/window_port.h"

namespace tarvelin::download {

class JobPort {
 public:
  explicit JobPort(WindowPort& window) : window_(window) {}

  // False (and nothing shown) when the job is stopped.
  bool Log(const Text& text);
  bool Status(StatusLabel label, const Text& text);
  bool ProgressMaximum(int maximum);
  bool Progress(int position);
  bool Buttons(JobButtons set);
  bool Message(const Text& text);
  bool Open(const Text& path);

  // Values read at this moment; defaults once the job is stopped.
  DownloadSettings Settings();
  Text Target();
  AlbumSource Source();
  std::vector<AlbumRecord> Albums();

 private:
  WindowPort& window_;
};

}  // namespace tarvelin::download
