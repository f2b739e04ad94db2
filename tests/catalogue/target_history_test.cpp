#include "catalogue/target_history.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace tarvelin {
namespace {

class TargetHistoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        std::filesystem::temp_directory_path() /
        ("tarvelin-history-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
    file_ = dir_ / "qq.txt";
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  void Write(const std::string& text) { std::ofstream(file_, std::ios::binary) << text; }
  std::string Read() const {
    std::ifstream in(file_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  std::filesystem::path dir_;
  std::filesystem::path file_;
};

TEST_F(TargetHistoryTest, NewestFirstAndNoNumberContainedTwice) {
  RecordTarget(file_, "12345");
  EXPECT_EQ(Read(), "12345\r\n");
  RecordTarget(file_, "1234");  // contained in 12345
  RecordTarget(file_, "12345");
  EXPECT_EQ(Read(), "12345\r\n");
  RecordTarget(file_, "999");
  EXPECT_EQ(Read(), "999\r\n12345\r\n");
  RecordTarget(file_, "");
  EXPECT_EQ(Read(), "999\r\n12345\r\n");
}

TEST_F(TargetHistoryTest, EmptyTargetWritesNoFile) {
  RecordTarget(file_, "");
  EXPECT_FALSE(std::filesystem::exists(file_));
}

TEST_F(TargetHistoryTest, LoadSkipsBlankLines) {
  EXPECT_TRUE(LoadTargetHistory(file_).empty());
  Write("999\r\n\r\n12345\r\n\r\n777");
  EXPECT_EQ(LoadTargetHistory(file_), (std::vector<Text>{"999", "12345", "777"}));
  // Loading twice gives the same list, not a doubled one.
  EXPECT_EQ(LoadTargetHistory(file_).size(), 3u);
}

}  // namespace
}  // namespace tarvelin
