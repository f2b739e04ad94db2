#include "download/photo_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "net/codec.h"

namespace tarvelin::download {
namespace {

Text Gbk(const char* utf8) { return Utf8ToText(utf8); }

TEST(CleanFileName, RemovesWhatAFileNameCannotHold) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"a/b:c?.jpg", "abcjpg"},
      {"x\\y*z<1>|2", "xyz12"},
      {"全：角？句。（括）点·叹！逗，", "全角句括点叹逗"},
      {"\"quoted\" and spaces ", "\"quoted\" and spaces "},
      {"淺\\淺", "淺淺"},  // 淺 ends in byte 5C: only the real backslash goes
      {"...", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextToUtf8(CleanFileName(Gbk(c.in))), c.out) << c.in;
  }
}

class PhotoFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = std::filesystem::temp_directory_path() /
            ("tarvelin-files-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
    folder_ = Text(root_.string());
  }
  void TearDown() override { std::filesystem::remove_all(root_); }

  // Creates the file that a path names and returns its UTF-8 leaf name.
  std::string Touch(const Text& path) {
    EXPECT_TRUE(WriteFileAtomically(path, "x"));
    return std::filesystem::path(NativePath(path)).filename().string();
  }

  std::filesystem::path root_;
  Text folder_;
};

TEST_F(PhotoFilesTest, NamingFormats) {
  EXPECT_EQ(PhotoFilePath(folder_, NameFormat::NumberLast, "IMG", 12), folder_ + "\\IMG(12).jpg");
  EXPECT_EQ(PhotoFilePath(folder_, NameFormat::NumberFirst, "IMG", 12), folder_ + "\\(12)IMG.jpg");
  EXPECT_EQ(PhotoFilePath(folder_, NameFormat::NumberFirst, "", 3), folder_ + "\\(3).jpg");
  EXPECT_EQ(PhotoFilePath(folder_, NameFormat::NumberLast, "IMG", 40000),
            folder_ + "\\IMG(40000).jpg");

  std::vector<std::string> taken;
  for (int i = 0; i < 3; ++i)
    taken.push_back(Touch(PhotoFilePath(folder_, NameFormat::NoNumber, "IMG", i + 1)));
  EXPECT_EQ(taken, (std::vector<std::string>{"IMG.jpg", "IMG(1).jpg", "IMG(2).jpg"}));
  EXPECT_EQ(Touch(PhotoFilePath(folder_, NameFormat::NoNumber, "", 1)), "未知名称.jpg");
  EXPECT_EQ(Touch(PhotoFilePath(folder_, NameFormat::NoNumber, "", 2)), "未知名称(1).jpg");
}

TEST_F(PhotoFilesTest, EveryAlbumDownloadGetsANewFolder) {
  const Text first = MakeAlbumFolder(folder_, "123", Gbk("春游"));
  const Text second = MakeAlbumFolder(folder_, "123", Gbk("春游"));
  const Text third = MakeAlbumFolder(folder_, "123", Gbk("春游"));
  EXPECT_EQ(first, folder_ + "\\123\\" + Gbk("春游"));
  EXPECT_EQ(second, first + "(1)");
  EXPECT_EQ(third, first + "(2)");
  // Names reach the disk in UTF-8.
  EXPECT_TRUE(std::filesystem::is_directory(root_ / "123" / "春游(2)"));
}

TEST_F(PhotoFilesTest, TypedNamesStayInsideTheSaveFolder) {
  EXPECT_EQ(MakeAlbumFolder(folder_, "../12", "../../a/b"), folder_ + "\\12\\ab");
  EXPECT_EQ(MakeAlbumFolder(folder_, "12", ".."), folder_ + "\\12\\" + Gbk("未知名称"));
  EXPECT_TRUE(std::filesystem::is_directory(root_ / "12" / "ab"));
}

TEST_F(PhotoFilesTest, LongNamesAreShortenedOnACharacterBoundary) {
  Text longName;
  for (int i = 0; i < 120; ++i) longName += Gbk("长");  // 360 bytes in UTF-8
  longName += "x";
  for (NameFormat format :
       {NameFormat::NumberFirst, NameFormat::NumberLast, NameFormat::NoNumber}) {
    const std::string leaf = Touch(PhotoFilePath(folder_, format, longName, 7));
    EXPECT_LE(leaf.size(), static_cast<size_t>(kMaxFileNameBytes));
    EXPECT_GT(leaf.size(), static_cast<size_t>(kMaxFileNameBytes - 3));  // nothing more than needed
    EXPECT_EQ(TextToUtf8(Utf8ToText(leaf)), leaf);                       // still whole characters
  }
  const Text folder = MakeAlbumFolder(folder_, "1", longName);
  EXPECT_TRUE(PathIsDirectory(folder));
  EXPECT_TRUE(PathIsDirectory(MakeAlbumFolder(folder_, "1", longName)));  // its (1) fits too
}

TEST_F(PhotoFilesTest, WritesReplaceWholeFilesAndLeaveNoTemporaryFile) {
  const Text path = folder_ + "\\" + Gbk("照片") + ".jpg";
  ASSERT_TRUE(WriteFileAtomically(path, std::string("first, longer content")));
  ASSERT_TRUE(WriteFileAtomically(path, std::string("second\0bytes", 12)));
  std::ifstream in(root_ / "照片.jpg", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), std::string("second\0bytes", 12));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root_), {}), 1);
  EXPECT_FALSE(WriteFileAtomically(folder_ + "\\missing\\a.jpg", "x"));
}

}  // namespace
}  // namespace tarvelin::download
