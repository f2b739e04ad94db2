#pragma once
// Stand-in routes of the catalogue interfaces, answering from FakeService:
// - the route store's GetRoute (JSON; the "_bak" entry of the default route names
//   service.photoListHost),
// - the album list of a space (code page 936 JSON; "请您稍后再试" while
//   busyAlbumListReplies lasts, the -3000 not-logged-in reply when g_tk is not the token
//   of login.skey, "您没有权限进行此操作" for an unknown space),
// - the album count and pages of a group (UTF-8 JSON laid out as the service does, with
//   "total" last; -3000 when g_tk is not the token of login.pskey),
// - the login page at http://SpaceSiteHost/ and http://SpaceUserHost/ (and /<owner> of
//   every space known at installation), which sets uin=o00<uin>, skey and p_skey and
//   carries a window.g_qzonetoken script that evaluates to login.pageToken,
// - the cover pictures, at /cover?owner=OWNER&album=ID on any host (the album's first
//   photo; 404 when that photo always fails).

#include <string>

namespace tarvelin::standin {

class StandinServer;
struct FakeService;

void InstallCatalogueRoutes(StandinServer& server, FakeService& service);

// The page-token script expression the login page carries for token (ASCII).
std::string FakePageTokenScript(const std::string& token);

}  // namespace tarvelin::standin
