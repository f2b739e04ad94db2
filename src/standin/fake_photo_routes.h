#pragma once
// Stand-in routes of the download interfaces: the paged photo list of interface 1 (JSONP),
// the album view of interface 2 (code page 936 JSON), the group photo list, and the photo
// files themselves, with the scripted trouble of FakeService (busy, empty and not-logged-in
// list replies; slow, hanging and failing photos).
//
// Photo addresses are http://photoHost/psb?/ALBUM/PHOTO/SIZE/INDEX (SIZE: b large, r raw,
// m the group's small "200?w5" picture); every host's "/psb" path serves them.

#include <string>

namespace tarvelin::standin {

class StandinServer;
struct FakeService;
struct FakeAlbum;

void InstallPhotoRoutes(StandinServer& server, FakeService& service);

// The address a list gives for photo `index` (0-based) of `album`, in size `size`.
std::string FakePhotoUrl(const FakeService& service, const FakeAlbum& album, int index, char size);

}  // namespace tarvelin::standin
