#include "catalogue/route_lookup.h"
#include "download/download_context.h"

namespace tarvelin::download {

PhotoHostLookup DefaultPhotoHostLookup() { return &LookupPhotoHost; }

}  // namespace tarvelin::download
