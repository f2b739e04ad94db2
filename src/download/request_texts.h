#pragma once
// Request addresses and header texts of the three photo-list interfaces.

#include "port/types.h"

namespace tarvelin::download {

// Referer and User-Agent of interface-1 photo requests, each line ended by "\r\n".
Text SpacePhotoHeaders(const Text& listingTarget);
// The photo-page header text of interface-2 and group photo requests (no final line end).
Text PhotoPageHeaders(const Text& albumId);
// The list header text of interface 2 (no final line end).
Text ViewAlbumHeaders(const Text& listingTarget);

// "http://" PhotoStoreHost "/psb?/" and what follows the last `marker` in `url`; empty when
// the marker does not occur.
Text StoreForm(const Text& url, const Text& marker, bool ignoreCase);

// A JSON text as a bare address: backslashes and double quotes removed; null reads as empty.
Text BareUrl(const Text& jsonText);

}  // namespace tarvelin::download
