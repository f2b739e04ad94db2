#include "catalogue/route_lookup.h"

#include "catalogue_fixture.h"

namespace tarvelin {
namespace {

TEST(PhotoHostFromRoutes, TakesTheBackupOfTheDefaultRoute) {
  struct Case {
    const char* what;
    Text reply;
    Text host;
  };
  const Case cases[] = {
      {"backup, never the default itself",
       "{\"default\":\"x\",\"l\":[{\"r\":\"x\",\"p\":\"main.host\"},{\"r\":\"x_bak\",\"p\":\"bak."
       "host\"}]}",
       "bak.host"},
      {"case ignored",
       "{\"default\":\"X\",\"l\":[{\"r\":\"x\",\"p\":\"main.host\"},{\"r\":\"x_bak\",\"p\":\"bak."
       "host\"}]}",
       "bak.host"},
      {"containment: an earlier xy_bak wins",
       "{\"default\":\"y\",\"l\":[{\"r\":\"xy_bak\",\"p\":\"xy.host\"},{\"r\":\"y_bak\",\"p\":\"y."
       "host\"}]}",
       "xy.host"},
      {"containment: x_bak2", "{\"default\":\"x\",\"l\":[{\"r\":\"x_bak2\",\"p\":\"two.host\"}]}",
       "two.host"},
      {"empty default: the first _bak",
       "{\"l\":[{\"r\":\"a\",\"p\":\"a.host\"},{\"r\":\"b_bak\",\"p\":\"b.host\"}]}", "b.host"},
      {"no backup entry", "{\"default\":\"x\",\"l\":[{\"r\":\"x\",\"p\":\"main.host\"}]}", ""},
      {"no reply", "", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(PhotoHostFromRoutes(c.reply), c.host) << c.what;
}

using LookupPhotoHostTest = CatalogueTest;

TEST_F(LookupPhotoHostTest, AsksTheRouteStoreThroughTheProxy) {
  EXPECT_EQ(LookupPhotoHost("12345"), service.photoListHost);
  EXPECT_EQ(LookupPhotoHost(""), service.photoListHost);
  const auto requests = RequestsTo("/GetRoute");
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_TRUE(requests[0].tls);
  EXPECT_EQ(requests[0].host, "h5.qzone.qq.com");
  EXPECT_EQ(requests[0].target,
            "/proxy/domain/route.store.qq.com/GetRoute?UIN=12345&type=json&version=2&json_esc=1&");
  EXPECT_EQ(requests[0].Header("Cookie"), "");
  EXPECT_EQ(requests[1].query, "UIN=&type=json&version=2&json_esc=1&");
}

}  // namespace
}  // namespace tarvelin
