#include "catalogue/album_list_command.h"

#include <fstream>
#include <future>
#include <iterator>
#include <thread>

#include "catalogue/catalogue_texts.h"
#include "catalogue_fixture.h"
#include "net/text.h"

namespace tarvelin {
namespace {

namespace texts = catalogue_texts;

class AlbumListCommandTest : public CatalogueTest {
 protected:
  void SetUp() override {
    CatalogueTest::SetUp();
    session.Replace(SessionValues{});
    paths.historyFile =
        std::filesystem::temp_directory_path() /
        ("tarvelin-command-" +
         std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".txt");
    std::filesystem::remove(paths.historyFile);
    service.spaces[kOwner] = standin::FakeSpace{kOwner, Albums(2)};
    service.groups[kGroup] = standin::FakeGroup{kGroup, Albums(3, "g")};
    window.target = kOwner;
    window.loginPage = LoggedInPage();
    window.settings.saveFolder = "D:\\photos";
  }
  void TearDown() override {
    std::filesystem::remove(paths.historyFile);
    CatalogueTest::TearDown();
  }

  LoginPage LoggedInPage() const {
    const standin::FakeLogin& login = service.login;
    return LoginPage{"pt2gguin=o0" + login.uin + "; uin=o00" + login.uin + "; skey=" + login.skey +
                         "; p_skey=" + login.pskey,
                     "<script>window.g_qzonetoken = (function(){ try{return " +
                         standin::FakePageTokenScript(login.pageToken) +
                         ";} catch(e){} })();</script>"};
  }
  std::string History() const {
    std::ifstream in(paths.historyFile, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  AlbumListPaths paths;
  const std::string kOwner = "20002";
  const std::string kGroup = "555666";
};

TEST_F(AlbumListCommandTest, ListsASpace) {
  RunAlbumListCommand(window, session, paths);

  const SessionValues v = session.Snapshot();
  EXPECT_EQ(v.accountNumber, service.login.uin);
  EXPECT_EQ(v.pageToken, service.login.pageToken);
  EXPECT_EQ(session.ListingTarget(), kOwner);
  EXPECT_EQ(window.Log(), texts::kLoginResult + v.skeyToken + "----" + v.pskeyToken +
                              texts::kAccount + service.login.uin + texts::kListingLog +
                              G("-----获取完毕,共计2个\r\n\r\n"));
  EXPECT_EQ(History(), kOwner + "\r\n");
  EXPECT_EQ(window.albums.size(), 2u);
  EXPECT_TRUE(window.messages.empty());
  EXPECT_TRUE(window.navigations.empty());
  EXPECT_FALSE(AlbumListRunning());
}

TEST_F(AlbumListCommandTest, ListsAGroupWithoutChangingTheListingTarget) {
  session.SetListingTarget("111");
  window.source = AlbumSource::Group;
  window.target = kGroup;
  RunAlbumListCommand(window, session, paths);
  EXPECT_EQ(window.albums.size(), 3u);
  EXPECT_EQ(window.Status(StatusLabel::Dynamic), G("相册获取完毕，共计：3个"));
  EXPECT_EQ(session.ListingTarget(), "111");
  EXPECT_EQ(History(), kGroup + "\r\n");
}

TEST_F(AlbumListCommandTest, EmptyTargetIsRefusedAfterReadingTheSession) {
  window.target = "";
  RunAlbumListCommand(window, session, paths);
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].second, texts::kEnterTarget);
  EXPECT_EQ(session.Snapshot().cookieText, window.loginPage.cookieText);
  EXPECT_EQ(window.log, "");
  EXPECT_FALSE(std::filesystem::exists(paths.historyFile));
  EXPECT_TRUE(server.Requests().empty());
}

TEST_F(AlbumListCommandTest, NotLoggedInShowsTheLoginPage) {
  window.loginPage = LoginPage{"uin=o0010001; p_skey=x", ""};
  RunAlbumListCommand(window, session, paths);
  EXPECT_EQ(window.navigations, std::vector<Text>{"http://user.qzone.qq.com/" + kOwner});
  EXPECT_EQ(window.log, texts::kCacheProblemLog);
  ASSERT_EQ(window.messages.size(), 2u);
  EXPECT_EQ(window.messages[0].second, texts::kCacheProblemMessage);
  EXPECT_EQ(window.messages[1].second, texts::kLogInFirst);
  EXPECT_EQ(window.loginTabShown, 1);
  EXPECT_TRUE(server.Requests().empty());
  EXPECT_FALSE(std::filesystem::exists(paths.historyFile));

  // A group goes straight to the login message.
  testing::RecordingWindow group;
  group.source = AlbumSource::Group;
  group.target = kGroup;
  RunAlbumListCommand(group, session, paths);
  EXPECT_TRUE(group.navigations.empty());
  ASSERT_EQ(group.messages.size(), 1u);
  EXPECT_EQ(group.messages[0].second, texts::kLogInFirst);
  EXPECT_EQ(group.loginTabShown, 1);
}

TEST_F(AlbumListCommandTest, CacheProblemPathReadsTheSessionAgain) {
  // The space page logs the view in while the first message is open.
  struct LoggingInWindow : testing::RecordingWindow {
    LoginPage after;
    void NavigateLoginView(const Text& url) override {
      RecordingWindow::NavigateLoginView(url);
      loginPage = after;
    }
  } view;
  view.target = kOwner;
  view.after = LoggedInPage();
  RunAlbumListCommand(view, session, paths);
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].second, texts::kCacheProblemMessage);
  EXPECT_EQ(view.loginTabShown, 0);
  EXPECT_EQ(view.albums.size(), 2u);
  EXPECT_EQ(TextFind(view.log, texts::kCacheProblemLog), 1);
}

TEST_F(AlbumListCommandTest, TemporaryFolderIsRefused) {
  window.settings.saveFolder = "C:\\Users\\me\\AppData\\Local\\Temp\\x";
  RunAlbumListCommand(window, session, paths);
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].second, texts::kTempFolderRefused);
  EXPECT_TRUE(window.albums.empty());
  EXPECT_EQ(window.log, "");

  testing::RecordingWindow small;
  small.target = kOwner;
  small.loginPage = LoggedInPage();
  small.settings.saveFolder = "C:\\Users\\me\\AppData\\local\\temp\\x";
  RunAlbumListCommand(small, session, paths);
  EXPECT_TRUE(small.messages.empty());
  EXPECT_EQ(small.albums.size(), 2u);
}

TEST_F(AlbumListCommandTest, ASecondCommandWaitsForTheFirst) {
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  std::promise<void> arrived;
  server.Route("h5.qzone.qq.com",
               "/proxy/domain/" + service.photoListHost + "/fcgi-bin/fcg_list_album_v2",
               [&, released](const standin::RecordedRequest&) {
                 arrived.set_value();
                 released.wait();
                 return standin::ScriptedReply::Text("{\"data\":{\"album\":[{\"id\":\"a\"}]}}",
                                                     "application/json");
               });
  std::thread first([&] { RunAlbumListCommand(window, session, paths); });
  arrived.get_future().wait();
  EXPECT_TRUE(AlbumListRunning());

  testing::RecordingWindow second;
  second.target = "999";
  second.loginPage = LoggedInPage();
  RunAlbumListCommand(second, session, paths);
  EXPECT_EQ(second.Status(StatusLabel::Dynamic), texts::kStillListing);
  EXPECT_TRUE(second.messages.empty());
  EXPECT_EQ(session.ListingTarget(), kOwner);

  release.set_value();
  first.join();
  EXPECT_EQ(window.Albums().size(), 1u);
  EXPECT_FALSE(AlbumListRunning());
}

TEST(SourcePrompt, FollowsTheSource) {
  EXPECT_EQ(SourcePrompt(AlbumSource::Space), texts::kSpacePrompt);
  EXPECT_EQ(SourcePrompt(AlbumSource::Group), texts::kGroupPrompt);
  EXPECT_EQ(SourcePrompt(AlbumSource::None), "");
}

}  // namespace
}  // namespace tarvelin
