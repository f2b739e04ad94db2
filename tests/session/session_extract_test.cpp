#include "session/session_extract.h"

#include <gtest/gtest.h>

#include "session/request_token.h"
#include "support/recording_window.h"

namespace tarvelin {
namespace {

struct CookieCase {
  const char* what;
  Text cookieText;
  Text account;
  Text skeyKey;   // the key whose token skeyToken must be
  Text pskeyKey;  // the key whose token pskeyToken must be
};

TEST(ExtractSession, CookiePairsAreFoundWhereverTheyStand) {
  const CookieCase cases[] = {
      {"middle", "a=1; uin=o0012345; b=2", "12345", "", ""},
      {"uin first", "uin=o0012345; a=1", "12345", "", ""},
      {"uin last", "a=1; uin=o0012345", "12345", "", ""},
      {"only uin", "uin=o0012345", "12345", "", ""},
      {"no letter o", "a=1; uin=12345; b=2", "", "", ""},
      {"zeros only", "a=1; uin=o000; b=2", "0", "", ""},
      {"capital O", "a=1; uin=O0777; b=2", "777", "", ""},
      {"marker keeps its case", "a=1; UIN=o0777; b=2", "", "", ""},
      {"name ending in uin", "a=1; xuin=o0555; b=2", "", "", ""},
      {"skey middle", "a=1; skey=@S1; b=2", "", "@S1", ""},
      {"skey first", "skey=@S1; a=1", "", "@S1", ""},
      {"skey last", "a=1; skey=@S1", "", "@S1", ""},
      {"SKEY capitals", "a=1; SKEY=@S1; b=2", "", "@S1", ""},
      {"p_skey last", "skey=@S1; p_skey=P1", "", "@S1", "P1"},
      {"p_skey first", "p_skey=P1; skey=@S1", "", "@S1", "P1"},
      {"skey never takes p_skey", "a=1; p_skey=P1", "", "", "P1"},
      {"first name ending in p_skey", "xp_skey=X1; p_skey=P1", "", "", "X1"},
      {"empty", "", "", "", ""},
  };
  for (const CookieCase& c : cases) {
    const SessionValues v = ExtractSession(LoginPage{c.cookieText, ""});
    EXPECT_EQ(v.cookieText, c.cookieText) << c.what;
    EXPECT_EQ(v.accountNumber, c.account) << c.what;
    EXPECT_EQ(v.skeyToken, RequestToken(c.skeyKey)) << c.what;
    EXPECT_EQ(v.pskeyToken, RequestToken(c.pskeyKey)) << c.what;
  }
  EXPECT_EQ(ExtractSession(LoginPage{}).skeyToken, kNotLoggedInToken);
}

TEST(ExtractSession, PageScriptAndTokenComeFromTheHtml) {
  const Text html =
      "<html><head><script>window.g_qzonetoken = (function(){ try{return "
      "(\"tok-1234\")[0]+\"ok-1234\";} catch(e){ return ''; } })();</script></head></html>";
  const SessionValues v = ExtractSession(LoginPage{"uin=o0100; skey=s", html});
  EXPECT_EQ(v.pageScript, "(\"tok-1234\")[0]+\"ok-1234\"");
  EXPECT_EQ(v.pageToken, "tok-1234");

  const SessionValues none = ExtractSession(LoginPage{"uin=o0100", "<html><body></body></html>"});
  EXPECT_EQ(none.pageScript, "");
  EXPECT_EQ(none.pageToken, "");
}

TEST(ExtractSession, ReplacesEveryValueOfTheState) {
  SessionState state;
  state.Replace(SessionValues{"old=1", "1", "2", "3", "4", "5"});
  state.SetListingTarget("777");
  testing::RecordingWindow window;
  window.loginPage = LoginPage{"uin=o0042; skey=abc", ""};
  ExtractSession(window, state);
  const SessionValues v = state.Snapshot();
  EXPECT_EQ(v.cookieText, "uin=o0042; skey=abc");
  EXPECT_EQ(v.accountNumber, "42");
  EXPECT_EQ(v.skeyToken, "193485963");
  EXPECT_EQ(v.pskeyToken, "5381");
  EXPECT_EQ(v.pageScript, "");
  EXPECT_EQ(v.pageToken, "");
  EXPECT_EQ(state.ListingTarget(), "777");
}

}  // namespace
}  // namespace tarvelin
