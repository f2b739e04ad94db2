#pragma once
// Stand-in routes of the catalogue interfaces: the storage route lookup, the album lists
// of a personal space and of a group, the login page with its cookies and token script,
// and the cover pictures.

namespace tarvelin::standin {

class StandinServer;
struct FakeService;

void InstallCatalogueRoutes(StandinServer& server, FakeService& service);

}  // namespace tarvelin::standin
