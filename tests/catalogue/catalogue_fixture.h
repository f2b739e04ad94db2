#pragma once
// A stand-in service with the catalogue routes, a recording window and a logged-in session.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/codec.h"
#include "net/transport.h"
#include "net/wait.h"
#include "session/request_token.h"
#include "session/session_state.h"
#include "standin/fake_catalogue_routes.h"
#include "standin/fake_service.h"
#include "standin/standin_server.h"
#include "support/recording_window.h"

namespace tarvelin {

class CatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetWaitScale(0);
    SetTransportConfig(server.Transport());
    standin::InstallCatalogueRoutes(server, service);
    LogIn();
  }
  void TearDown() override { SetTransportConfig(TransportConfig()); }

  // The session values the login page of the stand-in gives.
  void LogIn() {
    const standin::FakeLogin& login = service.login;
    session.Replace(SessionValues{
        "uin=o00" + login.uin + "; skey=" + login.skey + "; p_skey=" + login.pskey, login.uin,
        RequestToken(login.skey), RequestToken(login.pskey), "", login.pageToken});
  }

  // Albums named "<prefix>1".."<prefix>count" with one photo each.
  static std::vector<standin::FakeAlbum> Albums(int count, const std::string& prefix = "album") {
    std::vector<standin::FakeAlbum> albums(count);
    for (int i = 0; i < count; ++i) {
      albums[i].id = "id" + std::to_string(i + 1);
      albums[i].name = prefix + std::to_string(i + 1);
      standin::FakePhoto photo;
      photo.name = "p";
      photo.id = "p" + std::to_string(i + 1);
      photo.bytes =
          "\xFF\xD8"
          "cover" +
          std::to_string(i + 1);
      albums[i].photos.push_back(photo);
    }
    return albums;
  }

  std::vector<standin::RecordedRequest> RequestsTo(const std::string& pathEnd) const {
    std::vector<standin::RecordedRequest> found;
    for (const auto& request : server.Requests()) {
      if (request.path.size() >= pathEnd.size() &&
          request.path.compare(request.path.size() - pathEnd.size(), pathEnd.size(), pathEnd) ==
              0) {
        found.push_back(request);
      }
    }
    return found;
  }

  standin::FakeService service;  // outlives the server's handlers
  standin::StandinServer server;
  testing::RecordingWindow window;
  SessionState session;
};

// Code page 936 of a UTF-8 literal, for expectations.
inline Text G(const char* utf8) { return Utf8ToText(utf8); }

}  // namespace tarvelin
