#pragma once
// The data a stand-in of the photo service serves: spaces and groups with albums and
// photos. Strings are UTF-8 unless named otherwise. The route installers of the
// catalogue and download interfaces read it; tests and the demo fill it.

#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace tarvelin::standin {

struct FakePhoto {
  std::string name;          // title as the service shows it
  std::string id;            // lloc / photo id
  std::string bytes;         // the picture file (JPEG bytes)
  std::string uploadTime;    // "2017-04-21 08:00:00"
  std::string description;
  int failuresLeft = 0;      // answer 500 this many times before serving the bytes
  bool alwaysFail = false;
  int delayMs = 0;           // wait this long before answering the picture
  bool hang = false;         // never answer the picture
};

struct FakeAlbum {
  std::string id;
  std::string name;
  std::string description;
  std::string question;      // non-empty: the album is locked
  long long createTime = 1492732800;  // seconds since 1970 (UTC)
  std::vector<FakePhoto> photos;
};

struct FakeSpace {
  std::string owner;         // account number
  std::vector<FakeAlbum> albums;
};

struct FakeGroup {
  std::string groupId;
  std::vector<FakeAlbum> albums;
};

struct FakeLogin {
  std::string uin = "10001";           // account number of the login page
  std::string skey = "@skey0001";
  std::string pskey = "pskey0001";
  std::string pageToken = "tok-1234";  // what the page script evaluates to
};

struct FakeService {
  FakeLogin login;
  std::map<std::string, FakeSpace> spaces;  // by owner
  std::map<std::string, FakeGroup> groups;  // by group id
  // Scripted trouble, consumed by the route handlers (counts of replies).
  int busyAlbumListReplies = 0;
  int busyPhotoListReplies = 0;
  int emptyPhotoListReplies = 0;
  int notLoggedInPhotoListReplies = 0;  // interface 2 only
  // Host of the photo addresses in the photo lists, and the photo-list host that the route
  // lookup names (interface 2 asks its form with SpacePhotoDomain).
  std::string photoHost = "b1.photo.store.qq.com";
  std::string photoListHost = "shplist.photo.qq.com";
  std::mutex mutex;  // handlers run on server threads
};

}  // namespace tarvelin::standin
