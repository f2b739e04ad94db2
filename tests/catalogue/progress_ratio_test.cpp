#include "catalogue/progress_ratio.h"

#include <gtest/gtest.h>

namespace tarvelin {
namespace {

TEST(ProgressRatio, TruncatesTheDoubleProduct) {
  const struct {
    int position, maximum;
    const char* text;
  } cases[] = {
      {29, 100, "28%"},
      {57, 100, "56%"},
      {58, 100, "57%"},
      {1, 100, "1%"},
      {100, 100, "100%"},
      {1, 3, "33%"},
      {0, 5, "0%"},
      // As the bar holds them: no maximum, a position past the maximum, past 32767.
      {3, 0, "0%"},
      {7, 5, "100%"},
      {40000, 40000, "100%"},
      {32767, 40000, "100%"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ProgressRatioText(c.position, c.maximum), c.text) << c.position << "/" << c.maximum;
  }
}

}  // namespace
}  // namespace tarvelin
