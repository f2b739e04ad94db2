#include "download/progress_display.h"

#include <algorithm>
#include <string>

namespace tarvelin::download {
namespace {
constexpr long long kBarLimit = 32767;
}

void ProgressDisplay::Begin(long long total) {
  total_ = std::max(0LL, total);
  scale_ = total_ > kBarLimit ? (total_ + kBarLimit - 1) / kBarLimit : 1;
  port_.Progress(0);
  port_.ProgressMaximum(static_cast<int>(total_ / scale_));
}

void ProgressDisplay::Show(long long sequence) {
  port_.Progress(static_cast<int>(std::min(sequence, total_) / scale_));
  port_.Status(StatusLabel::ProgressRatio, std::to_string(Percent(sequence, total_)) + "%");
}

long long ProgressDisplay::Percent(long long sequence, long long total) {
  if (total <= 0) return 0;
  // The bar stops at its end; the quotient is taken in double as the bar's reader does.
  const long long position = std::min(std::max(sequence, 0LL), total);
  return static_cast<long long>(static_cast<double>(position) / static_cast<double>(total) * 100);
}

}  // namespace tarvelin::download
