// Values a job derives from the table and the replies: the album list, dates, percentages.

#include <gtest/gtest.h>

#include "download/album_description.h"
#include "download/album_job.h"
#include "download/photo_transfer.h"
#include "download/progress_display.h"
#include "net/codec.h"
#include "net/json_reply.h"

namespace tarvelin::download {
namespace {

Text Gbk(const char* utf8) { return Utf8ToText(utf8); }

AlbumRecord Row(const char* number, const char* utf8Name, const char* count, const char* id,
                bool checked = true) {
  AlbumRecord row;
  row.checked = checked;
  row.rowNumber = number;
  row.albumName = Gbk(utf8Name);
  row.photoCount = count;
  row.albumId = id;
  return row;
}

TEST(CollectAlbumJobs, TakesTickedRowsWithCountAndId) {
  const std::vector<AlbumRecord> rows = {
      Row("1", "  春游　", "12", "a1"),  // trimmed of ASCII and full-width spaces
      Row("2", "skipped", "3", "a2", false),
      Row("3", "no id", "5", ""),  // named in the selection, not downloaded
      Row("5", "　 ", "7", "a5"),  // no name left: 未知名称_N
  };
  const AlbumSelection selection = CollectAlbumJobs(rows, [] { return 37; });
  EXPECT_EQ(TextToUtf8(selection.selectionText), "1、3、5、");
  ASSERT_EQ(selection.jobs.size(), 2u);
  EXPECT_EQ(TextToUtf8(selection.jobs[0].albumName), "春游");
  EXPECT_EQ(selection.jobs[0].photoCount, "12");
  EXPECT_EQ(TextToUtf8(selection.jobs[1].albumName), "未知名称_37");
  EXPECT_EQ(selection.jobs[1].albumId, "a5");
  EXPECT_TRUE(CollectAlbumJobs({}, [] { return 1; }).selectionText.empty());
}

TEST(DescriptionDate, WallTimeOfUtcPlus8) {
  const struct {
    const char* value;
    const char* text;
  } cases[] = {
      {"1492751100", "2017年4月21日13时5分"},     // 05:05:00 UTC
      {"1492751100000", "2017年4月21日13时5分"},  // the same instant in milliseconds
      {"1492751107", "2017年4月21日13时5分7秒"},
      {"1492750800", "2017年4月21日13时"},
      {"1492704000", "2017年4月21日"},  // midnight in UTC+8
      {"null", "1970年1月1日8时"},
      {"\"1492704000\"", "1970年1月1日8时"},  // only leading digits count
  };
  for (const auto& c : cases) EXPECT_EQ(TextToUtf8(DescriptionDate(c.value)), c.text) << c.value;
}

TEST(AlbumDescription, SixLinesInCodePage936) {
  JsonReply reply(
      Gbk(R"({"topic":{"name":"春游","createtime":1492751100,"desc":"a\nb",)"
          R"("lastuploadtime":1492751100000,"modifytime":1492704000},"totalInAlbum":36})"));
  ASSERT_TRUE(reply.Valid());
  EXPECT_EQ(TextToUtf8(AlbumDescription(reply.Root())),
            "相册名称：春游\r\n相册创建时间：2017年4月21日13时5分\r\n描述内容：a\\nb\r\n"
            "共有数量：36\r\n最后一次上传时间:2017年4月21日13时5分\r\n修改时间:2017年4月21日\r\n");
}

TEST(ProgressDisplay, PercentAsTheBarReadsIt) {
  EXPECT_EQ(ProgressDisplay::Percent(29, 100), 28);  // 29 / 100 * 100 in double is 28.999...
  EXPECT_EQ(ProgressDisplay::Percent(57, 100), 56);
  EXPECT_EQ(ProgressDisplay::Percent(50, 100), 50);
  EXPECT_EQ(ProgressDisplay::Percent(1, 3), 33);
  EXPECT_EQ(ProgressDisplay::Percent(5, 0), 0);
  EXPECT_EQ(ProgressDisplay::Percent(450, 399), 100);  // past the table's count
}

TEST(SecondDownloadThreshold, KilobytesOfAThousandBytes) {
  EXPECT_EQ(SecondDownloadThreshold("2"), 2000);
  EXPECT_EQ(SecondDownloadThreshold("1.5"), 1500);
  EXPECT_EQ(SecondDownloadThreshold(""), 0);
  EXPECT_EQ(SecondDownloadThreshold("abc"), 0);
  EXPECT_EQ(SecondDownloadThreshold("-3"), 0);
  EXPECT_GT(SecondDownloadThreshold("1e300"), 0);
}

}  // namespace
}  // namespace tarvelin::download
