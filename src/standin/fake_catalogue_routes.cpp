#include "standin/fake_catalogue_routes.h"

#include "standin/fake_service.h"
#include "standin/standin_server.h"

namespace tarvelin::standin {

void InstallCatalogueRoutes(StandinServer&, FakeService&) {}

}  // namespace tarvelin::standin
