// The find window's walks over the album table.
#include "app/find_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/album_search.h"
#include "app/album_table.h"
#include "app/text_qt.h"
#include "app_test_env.h"

namespace tarvelin::app::testing {
namespace {

TEST(AlbumSearch, MatchRule) {
  const struct {
    QString name, keyword;
    bool matches;
  } cases[] = {
      {"My ABC trip", "abc", true},
      {"my abc trip", "ABC", true},
      {"旅行ABC", "行a", true},
      {"abc", " abc", false},  // blanks of the keyword count
      {"x", "", true},
      {"", "", false},
      {"相册", "相册2", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(AlbumNameMatches(ToText(c.name), ToText(c.keyword)), c.matches)
        << c.name.toStdString();
  // "中文" is D6 D0 CE C4: the bytes D0 CE straddle two characters and must not match "形" (D0 CE).
  EXPECT_EQ(ToText(QStringLiteral("形")), "\xD0\xCE");
  EXPECT_FALSE(AlbumNameMatches(ToText(QStringLiteral("中文")), "\xD0\xCE"));
  EXPECT_TRUE(AlbumNameMatches(ToText(QStringLiteral("中形")), "\xD0\xCE"));
}

class FindWalk : public ::testing::Test {
 protected:
  void Fill(std::initializer_list<const char*> names) {
    f.window->Albums()->ClearAlbums();
    int number = 1;
    for (const char* name : names) {
      AlbumRecord record;
      record.rowNumber = std::to_string(number++);
      record.albumName = ToText(QString::fromUtf8(name));
      f.window->Albums()->AppendAlbum(record);
    }
  }
  FindWindow& finder() {
    f.window->OpenFindWindow();
    return *f.window->Finder();
  }
  void Press(const char16_t* button, const QString& keyword) {
    finder().findChild<QLineEdit*>(QStringLiteral("编辑框1"))->setText(keyword);
    finder().findChild<QPushButton*>(QString::fromUtf16(button))->click();
  }
  // The last box shown since the previous call ("" when none).
  QString Box() {
    const QString text = f.boxes.empty() ? QString() : f.boxes.back().text;
    f.boxes.clear();
    return text;
  }
  int Selected() { return f.window->Albums()->SelectedRow(); }
  QString RowLabel() { return finder().findChild<QLabel*>(QStringLiteral("标签_行位置"))->text(); }
  WindowFixture f;
};

TEST_F(FindWalk, WindowHasItsControls) {
  FindWindow& w = finder();
  EXPECT_EQ(w.windowTitle(), QStringLiteral("查找功能："));
  EXPECT_EQ(w.geometry(), QRect(50, 50, 348, 152));
  EXPECT_FALSE(w.isModal());
  const struct {
    const char16_t* name;
    QRect place;
    QString text;
  } controls[] = {
      {u"标签_要查找的相册名称", {8, 19, 104, 32}, QStringLiteral("要查找的相册名称：")},
      {u"编辑框1", {112, 19, 144, 32}, ""},
      {u"按钮_查找", {261, 19, 75, 32}, QStringLiteral("查找")},
      {u"标签_结果", {8, 88, 56, 24}, QStringLiteral("查找结果：")},
      {u"标签_行位置", {72, 88, 80, 24}, ""},
      {u"按钮_查找上一个", {190, 80, 57, 32}, QStringLiteral("上一个")},
      {u"按钮_查找下一个", {281, 80, 57, 32}, QStringLiteral("下一个")},
  };
  for (const auto& c : controls) {
    auto* control = w.findChild<QWidget*>(QString::fromUtf16(c.name));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->geometry(), c.place);
    QString text;
    if (auto* b = qobject_cast<QPushButton*>(control)) text = b->text();
    if (auto* l = qobject_cast<QLabel*>(control)) text = l->text();
    if (auto* e = qobject_cast<QLineEdit*>(control)) text = e->text();
    EXPECT_EQ(text, c.text);
  }
  f.window->OpenFindWindow();  // a second press brings the same window forward
  EXPECT_EQ(f.window->findChildren<FindWindow*>().size(), 1);
}

TEST_F(FindWalk, NextAndPreviousWalkAllMatchesAndWrap) {
  Fill({"Trip 1", "home", "trip 2", "TRIP 3"});
  // Straight after start-up the position is 0: "下一个" starts at the second row.
  Press(u"按钮_查找下一个", "trip");
  EXPECT_EQ(Selected(), 2);
  EXPECT_EQ(RowLabel(), QStringLiteral("第3行"));
  Press(u"按钮_查找下一个", "trip");
  EXPECT_EQ(Selected(), 3);
  Press(u"按钮_查找下一个", "trip");
  EXPECT_EQ(Box(), QStringLiteral("没有了"));
  EXPECT_EQ(finder().FindPosition(), -1);
  EXPECT_EQ(Selected(), 3);  // a failed search leaves the selection and the label
  EXPECT_EQ(RowLabel(), QStringLiteral("第4行"));
  Press(u"按钮_查找下一个", "trip");
  EXPECT_EQ(Selected(), 0);
  EXPECT_EQ(RowLabel(), QStringLiteral("第1行"));

  // Backwards: -1 restarts at the last row.
  Press(u"按钮_查找上一个", "trip");
  EXPECT_EQ(Box(), QStringLiteral("没有了"));
  Press(u"按钮_查找上一个", "trip");
  EXPECT_EQ(Selected(), 3);
  Press(u"按钮_查找上一个", "trip");
  EXPECT_EQ(Selected(), 2);
  Press(u"按钮_查找上一个", "trip");
  EXPECT_EQ(Selected(), 0);
  EXPECT_EQ(Box(), QString());
}

TEST_F(FindWalk, PreviousAtStartAnswersNothingLeftThenSearchesFromTheEnd) {
  Fill({"match", "other", "other"});
  Press(u"按钮_查找上一个", "match");
  EXPECT_EQ(Box(), QStringLiteral("没有了"));
  EXPECT_EQ(finder().FindPosition(), -1);
  Press(u"按钮_查找上一个", "match");
  EXPECT_EQ(Selected(), 0);

  // A match only in the first row.
  Press(u"按钮_查找", "match");
  EXPECT_EQ(Selected(), 0);
  Press(u"按钮_查找下一个", "match");
  EXPECT_EQ(Box(), QStringLiteral("没有了"));
  Press(u"按钮_查找上一个", "match");
  EXPECT_EQ(Selected(), 0);
  EXPECT_EQ(Box(), QString());

  // From the second row, "上一个" finds the first.
  finder().SetFindPosition(1);
  Press(u"按钮_查找上一个", "match");
  EXPECT_EQ(finder().FindPosition(), 0);
}

TEST_F(FindWalk, EmptyTableAndRefillKeepThePosition) {
  Fill({});
  Press(u"按钮_查找", "abc");
  EXPECT_EQ(Box(), QStringLiteral("未找到名称包含关键词：abc的相册"));
  Press(u"按钮_查找下一个", "abc");
  EXPECT_EQ(Box(), QStringLiteral("没有了"));
  Press(u"按钮_查找上一个", "abc");
  EXPECT_EQ(Box(), QStringLiteral("没有了"));

  Fill({"a", "a", "a", "a"});
  Press(u"按钮_查找", "a");
  Press(u"按钮_查找下一个", "a");
  Press(u"按钮_查找下一个", "a");
  EXPECT_EQ(finder().FindPosition(), 2);
  Fill({"a", "a", "a", "a", "a"});
  Press(u"按钮_查找下一个", "a");
  EXPECT_EQ(Selected(), 3);
}

TEST_F(FindWalk, MessageBoxesCarryTheInformationCaption) {
  Fill({});
  Press(u"按钮_查找下一个", "x");
  ASSERT_EQ(f.boxes.size(), 1u);
  EXPECT_EQ(f.boxes[0].caption, QStringLiteral("信息："));
  EXPECT_FALSE(f.boxes[0].okCancel);
}

}  // namespace
}  // namespace tarvelin::app::testing
