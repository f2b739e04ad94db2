#include "standin/fake_photo_routes.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "net/codec.h"
#include "net/endpoints.h"
#include "net/text.h"
#include "standin/fake_json.h"
#include "standin/fake_service.h"
#include "standin/standin_server.h"

namespace tarvelin::standin {
namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> pieces;
  size_t start = 0;
  for (size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1) {
    pieces.push_back(text.substr(start, at - start));
  }
  pieces.push_back(text.substr(start));
  return pieces;
}

long long Number(const std::string& text) { return std::atoll(text.c_str()); }

const FakeAlbum* FindAlbum(const std::vector<FakeAlbum>& albums, const std::string& id) {
  for (const FakeAlbum& album : albums) {
    if (album.id == id) return &album;
  }
  return nullptr;
}

FakeAlbum* FindAnyAlbum(FakeService& service, const std::string& id) {
  for (auto& [owner, space] : service.spaces) {
    for (FakeAlbum& album : space.albums) {
      if (album.id == id) return &album;
    }
  }
  for (auto& [groupId, group] : service.groups) {
    for (FakeAlbum& album : group.albums) {
      if (album.id == id) return &album;
    }
  }
  return nullptr;
}

// The photos [start, start + count) of an album, clipped.
std::pair<size_t, size_t> Slice(const FakeAlbum& album, long long start, long long count) {
  const size_t total = album.photos.size();
  const size_t from = static_cast<size_t>(std::clamp<long long>(start, 0, total));
  const size_t to =
      static_cast<size_t>(std::clamp<long long>(start + std::max(0LL, count), 0, total));
  return {from, std::max(from, to)};
}

ScriptedReply Json(std::string body, const char* type = "application/json") {
  ScriptedReply reply = ScriptedReply::Text(std::move(body), type);
  return reply;
}

// Interface 1: GET /proxy/domain/<list host>/fcgi-bin/cgi_list_photo, JSONP in UTF-8.
ScriptedReply ListPhotosPaged(FakeService& service, const RecordedRequest& request) {
  std::lock_guard<std::mutex> lock(service.mutex);
  const char* kType = "application/x-javascript";
  if (service.busyPhotoListReplies > 0) {
    --service.busyPhotoListReplies;
    return Json("shine0_Callback({\"code\":-10000,\"message\":\"" +
                    std::string("\xE4\xBD\xBF\xE7\x94\xA8\xE7\x9B\xB8\xE5\x86\x8C\xE6\x9C\x8D\xE5"
                                "\x8A\xA1\xE7\x9A\x84\xE7\x94\xA8\xE6\x88\xB7\xE8\xBF\x87\xE5\xA4"
                                "\x9A") +  // 使用相册服务的用户过多
                    "\"});",
                kType);
  }
  if (service.emptyPhotoListReplies > 0) {
    --service.emptyPhotoListReplies;
    return Json("", kType);
  }
  const auto space = service.spaces.find(request.Param("hostUin"));
  const FakeAlbum* album = space == service.spaces.end()
                               ? nullptr
                               : FindAlbum(space->second.albums, request.Param("topicId"));
  if (!album)
    return Json("shine0_Callback({\"code\":-3000,\"message\":\"no such album\"});", kType);
  const auto [from, to] =
      Slice(*album, Number(request.Param("pageStart")), Number(request.Param("pageNum")));
  std::string list;
  for (size_t i = from; i < to; ++i) {
    const FakePhoto& photo = album->photos[i];
    if (!list.empty()) list += ",";
    list += "{\"name\":" + Quoted(photo.name) + ",\"lloc\":" + Quoted(photo.id) +
            ",\"url\":" + Quoted(FakePhotoUrl(service, *album, static_cast<int>(i), 'b')) +
            ",\"raw\":" + Quoted(FakePhotoUrl(service, *album, static_cast<int>(i), 'r')) +
            ",\"raw_upload\":1,\"uploadtime\":" + Quoted(photo.uploadTime) +
            ",\"desc\":" + Quoted(photo.description) + "}";
  }
  const std::string created = std::to_string(album->createTime);
  return Json("shine0_Callback({\"code\":0,\"message\":\"\",\"data\":{\"photoList\":[" + list +
                  "],\"topic\":{\"name\":" + Quoted(album->name) + ",\"createtime\":" + created +
                  ",\"desc\":" + Quoted(album->description) +
                  ",\"lastuploadtime\":" + std::to_string(album->createTime + 3600) +
                  ",\"modifytime\":" + std::to_string(album->createTime + 7200) +
                  "},\"totalInAlbum\":" + std::to_string(album->photos.size()) +
                  ",\"totalInPage\":" + std::to_string(to - from) + "}});",
              kType);
}

// Interface 2: GET /proxy/domain/<list host>/cgi-bin/common/cgi_view_album_v2, JSON in
// code page 936, at most 2000 photos.
ScriptedReply ViewAlbum(FakeService& service, const RecordedRequest& request) {
  std::lock_guard<std::mutex> lock(service.mutex);
  if (service.notLoggedInPhotoListReplies > 0) {
    --service.notLoggedInPhotoListReplies;
    return Json(
        Utf8ToText("{\"code\":-3000,\"message\":\"\xE6\x82\xA8\xE5\xB0\x9A\xE6\x9C\xAA"
                   "\xE7\x99\xBB\xE5\xBD\x95\xE6\x88\x96\xE8\x80\x85\xE7\x99\xBB\xE5\xBD"
                   "\x95\xE8\xB6\x85\xE6\x97\xB6\"}"));  // 您尚未登录或者登录超时
  }
  if (service.busyPhotoListReplies > 0) {
    --service.busyPhotoListReplies;
    return Json(Utf8ToText(
        "{\"code\":-10000,\"message\":\"\xE5\xBD\x93\xE5\x89\x8D\xE4\xBD\xBF"
        "\xE7\x94\xA8\xE7\x9B\xB8\xE5\x86\x8C\xE6\x9C\x8D\xE5\x8A\xA1\xE7\x9A"
        "\x84\xE7\x94\xA8\xE6\x88\xB7\xE8\xBF\x87\xE5\xA4\x9A\"}"));  // 当前使用相册服务的用户过多
  }
  if (service.emptyPhotoListReplies > 0) {
    --service.emptyPhotoListReplies;
    return Json("");
  }
  const auto space = service.spaces.find(request.Param("hostUin"));
  const FakeAlbum* album = space == service.spaces.end()
                               ? nullptr
                               : FindAlbum(space->second.albums, request.Param("albumId"));
  if (!album) return Json("{\"code\":-4404,\"message\":\"no such album\"}");
  const auto [from, to] = Slice(*album, 0, 2000);
  std::string list;
  for (size_t i = from; i < to; ++i) {
    const FakePhoto& photo = album->photos[i];
    if (!list.empty()) list += ",";
    list += "{\"name\":" + Quoted(photo.name) + ",\"lloc\":" + Quoted(photo.id) +
            ",\"raw\":" + Quoted(FakePhotoUrl(service, *album, static_cast<int>(i), 'r')) +
            ",\"url\":" + Quoted(FakePhotoUrl(service, *album, static_cast<int>(i), 'b')) + "}";
  }
  return Json(Utf8ToText("{\"code\":0,\"message\":\"\",\"data\":{\"pic\":[" + list +
                         "],\"total\":" + std::to_string(album->photos.size()) + "}}"));
}

// Group photos: GET /proxy/domain/<GroupPhotoHost>/cgi-bin/upp/qun_list_photo_v2, JSON.
ScriptedReply ListGroupPhotos(FakeService& service, const RecordedRequest& request) {
  std::lock_guard<std::mutex> lock(service.mutex);
  if (service.emptyPhotoListReplies > 0) {
    --service.emptyPhotoListReplies;
    return Json("");
  }
  if (service.busyPhotoListReplies > 0) {
    --service.busyPhotoListReplies;
    return Json("{\"code\":-10000,\"message\":\"busy\"}");
  }
  const auto group = service.groups.find(request.Param("qunId"));
  const FakeAlbum* album = group == service.groups.end()
                               ? nullptr
                               : FindAlbum(group->second.albums, request.Param("albumId"));
  if (!album) return Json("{\"code\":-4404,\"message\":\"no such album\"}");
  const auto [from, to] =
      Slice(*album, Number(request.Param("start")), Number(request.Param("num")));
  std::string list;
  for (size_t i = from; i < to; ++i) {
    const FakePhoto& photo = album->photos[i];
    if (!list.empty()) list += ",";
    list +=
        "{\"name\":" + Quoted(photo.name) + ",\"lloc\":" + Quoted(photo.id) +
        ",\"rawurl\":" + Quoted(FakePhotoUrl(service, *album, static_cast<int>(i), 'r')) +
        ",\"hdurl\":" + Quoted(FakePhotoUrl(service, *album, static_cast<int>(i), 'b')) +
        ",\"burl\":" + Quoted(FakePhotoUrl(service, *album, static_cast<int>(i), 'm') + "/200?w5") +
        "}";
  }
  return Json("{\"code\":0,\"message\":\"\",\"data\":{\"photos\":[" + list +
              "],\"total\":" + std::to_string(album->photos.size()) + "}}");
}

// Photo files: /psb?/ALBUM/PHOTO/SIZE/INDEX...
ScriptedReply ServePhoto(FakeService& service, const RecordedRequest& request) {
  const std::vector<std::string> parts = Split(request.query, '/');
  ScriptedReply missing;
  missing.status = 404;
  missing.reason = "Not Found";
  missing.headerLines = {"Content-Type: text/html"};
  missing.body = "<html><body>404 Not Found</body></html>";
  if (parts.size() < 5) return missing;
  std::lock_guard<std::mutex> lock(service.mutex);
  FakeAlbum* album = FindAnyAlbum(service, parts[1]);
  const long long index = Number(parts[4]);
  if (!album || index < 0 || index >= static_cast<long long>(album->photos.size())) return missing;
  FakePhoto& photo = album->photos[static_cast<size_t>(index)];
  if (photo.id != parts[2] || photo.alwaysFail) return missing;
  ScriptedReply reply;
  reply.delayMs = photo.delayMs;
  reply.hang = photo.hang;
  if (photo.failuresLeft > 0) {
    --photo.failuresLeft;
    reply.status = 500;
    reply.reason = "Internal Server Error";
    reply.headerLines = {"Content-Type: text/html"};
    reply.body = "<html><body>500</body></html>";
    return reply;
  }
  reply.headerLines = {"Content-Type: image/jpeg"};
  reply.body = photo.bytes;
  return reply;
}

}  // namespace

std::string FakePhotoUrl(const FakeService& service, const FakeAlbum& album, int index, char size) {
  const FakePhoto& photo = album.photos[static_cast<size_t>(index)];
  return "http://" + service.photoHost + "/psb?/" + album.id + "/" + photo.id + "/" +
         std::string(1, size) + "/" + std::to_string(index);
}

void InstallPhotoRoutes(StandinServer& server, FakeService& service) {
  std::string listHost, viewHost;
  {
    std::lock_guard<std::mutex> lock(service.mutex);
    listHost = service.photoListHost;
  }
  viewHost = TextReplace(listHost, endpoints::ShortPhotoDomain, endpoints::SpacePhotoDomain);
  const std::string proxy = endpoints::ProxyHost;
  server.Route(proxy, "/proxy/domain/" + listHost + "/fcgi-bin/cgi_list_photo",
               [&service](const RecordedRequest& r) { return ListPhotosPaged(service, r); });
  server.Route(proxy, "/proxy/domain/" + viewHost + "/cgi-bin/common/cgi_view_album_v2",
               [&service](const RecordedRequest& r) { return ViewAlbum(service, r); });
  server.Route(
      proxy,
      "/proxy/domain/" + std::string(endpoints::GroupPhotoHost) + "/cgi-bin/upp/qun_list_photo_v2",
      [&service](const RecordedRequest& r) { return ListGroupPhotos(service, r); });
  server.Route("", "/psb", [&service](const RecordedRequest& r) { return ServePhoto(service, r); });
}

}  // namespace tarvelin::standin
