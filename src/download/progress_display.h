#pragma once
// 进度条1 and 标签_进度条比例 for one album. The bar holds at most 32767, so a larger album
// scales the bar; the sequence numbers that name the files keep counting unscaled.

#include "download/job_port.h"

namespace tarvelin::download {

class ProgressDisplay {
 public:
  explicit ProgressDisplay(JobPort& port) : port_(port) {}
  // Bar at 0 with `total` (the album's photo count) as its end.
  void Begin(long long total);
  // Moves the bar to photo `sequence` (1-based) and shows the percentage.
  void Show(long long sequence);

  // Whole percent of `sequence` of `total`, computed as the bar reads it back (0 for total 0).
  static long long Percent(long long sequence, long long total);

 private:
  JobPort& port_;
  long long total_ = 0;
  long long scale_ = 1;
};

}  // namespace tarvelin::download
