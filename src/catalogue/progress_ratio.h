#pragma once
// The text of 标签_进度条比例.

#include "port/types.h"

namespace tarvelin {

// The integer part of position / maximum x 100 in double precision, followed by "%". The
// values are taken as the progress bar holds them: maximum within 0..32767 and position
// within 0..maximum. A maximum of 0 gives "0%".
Text ProgressRatioText(int position, int maximum);

}  // namespace tarvelin
