#include "catalogue/progress_ratio.h"

#include <algorithm>
#include <string>

namespace tarvelin {

Text ProgressRatioText(int position, int maximum) {
  maximum = std::clamp(maximum, 0, 32767);
  position = std::clamp(position, 0, maximum);
  if (maximum == 0) return "0%";
  const double ratio = static_cast<double>(position) / static_cast<double>(maximum) * 100;
  return std::to_string(static_cast<int>(ratio)) + "%";
}

}  // namespace tarvelin
