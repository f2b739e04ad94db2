#include "standin/fake_catalogue_routes.h"

#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "net/codec.h"
#include "net/endpoints.h"
#include "standin/fake_json.h"
#include "standin/fake_service.h"
#include "standin/standin_server.h"

namespace tarvelin::standin {
namespace {

// The "g_tk" the service expects for a cookie value.
std::string Token(const std::string& key) {
  std::uint32_t h = 5381;
  for (unsigned char c : key) h = h + (h << 5) + c;
  return std::to_string(h & 0x7FFFFFFFu);
}

std::string Gbk(const std::string& utf8) { return Utf8ToText(utf8); }

ScriptedReply Json(const std::string& body, const char* charset) {
  return ScriptedReply::Text(body, std::string("application/json; charset=") + charset);
}

// 对不起，您尚未登录或者登录超时。
const char* const kNotLoggedInMessage =
    "\xE5\xAF\xB9\xE4\xB8\x8D\xE8\xB5\xB7\xEF\xBC\x8C\xE6\x82\xA8"
    "\xE5\xB0\x9A\xE6\x9C\xAA\xE7\x99\xBB\xE5\xBD\x95\xE6\x88\x96\xE8\x80\x85\xE7\x99\xBB\xE5\xBD"
    "\x95\xE8\xB6\x85\xE6\x97\xB6\xE3\x80\x82";
// 请您稍后再试
const char* const kBusyMessage =
    "\xE8\xAF\xB7\xE6\x82\xA8\xE7\xA8\x8D\xE5\x90\x8E\xE5\x86\x8D\xE8\xAF\x95";
// 您没有权限进行此操作
const char* const kNoPermissionMessage =
    "\xE6\x82\xA8\xE6\xB2\xA1\xE6\x9C\x89\xE6\x9D\x83\xE9\x99\x90"
    "\xE8\xBF\x9B\xE8\xA1\x8C\xE6\xAD\xA4\xE6\x93\x8D\xE4\xBD\x9C";

std::string NotLoggedInReply() {
  return std::string("{\"code\":-3000,\"subcode\":-4001,\"message\":\"") + kNotLoggedInMessage +
         "\",\"notice\":0,\"time\":1492732800,\"tips\":\"\"}";
}

ScriptedReply RouteReply(FakeService& service) {
  std::lock_guard<std::mutex> lock(service.mutex);
  return Json(
      "{\"default\":\"sz\",\"route\":[{\"r\":\"sz\",\"p\":\"sz.photo.store.qq.com\"},"
      "{\"r\":\"sz_bak\",\"p\":\"" +
          service.photoListHost +
          "\"},"
          "{\"r\":\"sh\",\"p\":\"sh.photo.store.qq.com\"}]}",
      "utf-8");
}

std::string CoverAddress(const std::string& host, const std::string& owner,
                         const FakeAlbum& album) {
  const std::string imageCache = std::string("http://") + endpoints::ImageCacheHost;
  if (!album.question.empty()) return imageCache + "/ac/qzone_v5/photo/need_pass.png";
  if (album.photos.empty()) return imageCache + "/ac/qzone_v5/photo/no_photo_s.png";
  return "http://" + host + "/cover?owner=" + owner + "&album=" + album.id;
}

ScriptedReply SpaceAlbumList(FakeService& service, const RecordedRequest& request) {
  std::lock_guard<std::mutex> lock(service.mutex);
  if (service.busyAlbumListReplies > 0) {
    --service.busyAlbumListReplies;
    return Json(Gbk(std::string("{\"code\":-10805,\"message\":\"") + kBusyMessage + "\"}"), "gbk");
  }
  if (request.Param("g_tk") != Token(service.login.skey))
    return Json(Gbk(NotLoggedInReply()), "gbk");
  const auto space = service.spaces.find(request.Param("hostUin"));
  if (space == service.spaces.end()) {
    return Json(Gbk(std::string("{\"code\":-3000,\"message\":\"") + kNoPermissionMessage + "\"}"),
                "gbk");
  }
  std::string albums;
  for (const FakeAlbum& album : space->second.albums) {
    if (!albums.empty()) albums += ",";
    albums += "{\"allowAccess\":" + std::string(album.question.empty() ? "1" : "0") +
              ",\"createtime\":" + std::to_string(album.createTime) +
              ",\"desc\":" + Quoted(album.description) + ",\"id\":" + Quoted(album.id) +
              ",\"name\":" + Quoted(album.name) +
              ",\"pre\":" + Quoted(CoverAddress(endpoints::PhotoStoreHost, space->first, album)) +
              (album.question.empty() ? "" : ",\"question\":" + Quoted(album.question)) +
              ",\"total\":" + std::to_string(album.photos.size()) + "}";
  }
  return Json(
      Gbk("{\"code\":0,\"subcode\":0,\"message\":\"\",\"data\":{\"albumsInUser\":" +
          std::to_string(space->second.albums.size()) + ",\"album\":[" + albums + "],\"mode\":2}}"),
      "gbk");
}

ScriptedReply GroupAlbumList(FakeService& service, const RecordedRequest& request) {
  std::lock_guard<std::mutex> lock(service.mutex);
  if (request.Param("g_tk") != Token(service.login.pskey) ||
      request.Param("qzonetoken") != service.login.pageToken) {
    return Json(NotLoggedInReply(), "utf-8");
  }
  const auto group = service.groups.find(request.Param("qunId"));
  const long long total = group == service.groups.end() ? 0 : group->second.albums.size();
  const long long start = std::atoll(request.Param("start").c_str());
  const long long num = std::atoll(request.Param("num").c_str());
  std::string albums;
  for (long long i = start; i >= 0 && i < total && i < start + num; ++i) {
    const FakeAlbum& album = group->second.albums[i];
    albums += std::string(albums.empty() ? "\n" : ",\n") +
              "         {\n            \"id\" : " + Quoted(album.id) +
              ",\n            \"photocnt\" : " + std::to_string(album.photos.size()) +
              ",\n            \"title\" : " + Quoted(album.name) + "\n         }";
  }
  return Json("{\n   \"code\" : 0,\n   \"data\" : {\n      \"album\" : [" + albums +
                  (albums.empty() ? "]" : "\n      ]") + "\n   },\n   \"message\" : \"\",\n" +
                  "   \"subcode\" : 0,\n   \"total\" : " + std::to_string(total) + "\n}\n",
              "utf-8");
}

ScriptedReply LoginPageReply(FakeService& service, const RecordedRequest& request) {
  std::lock_guard<std::mutex> lock(service.mutex);
  const FakeLogin& login = service.login;
  const std::string host = request.host;
  const bool inDomain = host.size() >= 6 && host.compare(host.size() - 6, 6, "qq.com") == 0;
  const std::string attributes = inDomain ? "; Path=/; Domain=qq.com" : "; Path=/";
  ScriptedReply reply = ScriptedReply::Text(
      "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>QQ</title>\n<script>\n"
      "window.g_qzonetoken = (function(){ try{return " +
          FakePageTokenScript(login.pageToken) +
          ";} catch(e){ return \"\"; } })();\n</script></head>\n<body><p>" + login.uin +
          "</p></body></html>\n",
      "text/html; charset=utf-8");
  reply.headerLines.push_back("Set-Cookie: uin=o00" + login.uin + attributes);
  reply.headerLines.push_back("Set-Cookie: skey=" + login.skey + attributes);
  reply.headerLines.push_back("Set-Cookie: p_skey=" + login.pskey + attributes);
  reply.headerLines.push_back("Set-Cookie: p_uin=o00" + login.uin + attributes);
  return reply;
}

ScriptedReply Cover(FakeService& service, const RecordedRequest& request) {
  std::lock_guard<std::mutex> lock(service.mutex);
  const auto space = service.spaces.find(request.Param("owner"));
  if (space != service.spaces.end()) {
    for (const FakeAlbum& album : space->second.albums) {
      if (album.id == request.Param("album") && !album.photos.empty() &&
          !album.photos.front().alwaysFail) {
        return ScriptedReply::Text(album.photos.front().bytes, "image/jpeg");
      }
    }
  }
  ScriptedReply missing = ScriptedReply::Text("not found", "text/plain");
  missing.status = 404;
  missing.reason = "Not Found";
  return missing;
}

}  // namespace

std::string FakePageTokenScript(const std::string& token) {
  std::string escaped;
  for (const char c : token) {
    if (c == '"' || c == '\\') escaped += '\\';
    escaped += c;
  }
  if (escaped.empty()) return "[].join(\"\")";
  // An indexing of a parenthesised expression, as the service's pages use them.
  return "(\"" + escaped + "\")[0]+[].join(\"\")+(\"" + escaped + "\").substr(1)";
}

void InstallCatalogueRoutes(StandinServer& server, FakeService& service) {
  const std::string proxy = endpoints::ProxyHost;
  std::string listHost;
  std::vector<std::string> owners;
  {
    std::lock_guard<std::mutex> lock(service.mutex);
    listHost = service.photoListHost;
    for (const auto& space : service.spaces) owners.push_back(space.first);
  }
  server.Route(proxy, std::string("/proxy/domain/") + endpoints::RouteStoreHost + "/GetRoute",
               [&service](const RecordedRequest&) { return RouteReply(service); });
  server.Route(proxy, "/proxy/domain/" + listHost + "/fcgi-bin/fcg_list_album_v2",
               [&service](const RecordedRequest& r) { return SpaceAlbumList(service, r); });
  server.Route(
      proxy,
      std::string("/proxy/domain/") + endpoints::GroupPhotoHost + "/cgi-bin/upp/qun_list_album_v2",
      [&service](const RecordedRequest& r) { return GroupAlbumList(service, r); });
  auto login = [&service](const RecordedRequest& r) { return LoginPageReply(service, r); };
  server.Route(endpoints::SpaceSiteHost, "/", login);
  server.Route(endpoints::SpaceUserHost, "/", login);
  for (const std::string& owner : owners)
    server.Route(endpoints::SpaceUserHost, "/" + owner, login);
  server.Route("", "/cover", [&service](const RecordedRequest& r) { return Cover(service, r); });
}

}  // namespace tarvelin::standin
