#pragma once
// The album description file "相册介绍.txt" that interface 1 writes beside the photos.

#include "port/types.h"

namespace tarvelin {
class JsonNode;
}

namespace tarvelin::download {

// A time value (seconds or, above 9999999999, milliseconds since 1970) as the wall date of
// UTC+8: "2017年4月21日13时5分", omitting trailing zero parts of the time.
Text DescriptionDate(const Text& value);

// The six lines of the file for the "data" member of a list page.
Text AlbumDescription(const JsonNode& data);

// Writes the description into `albumFolder`; false when it cannot be written.
bool WriteAlbumDescription(const Text& albumFolder, const JsonNode& data);

}  // namespace tarvelin::download
