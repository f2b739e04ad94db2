#pragma once
// The program's own pictures for the cover column (100 x 100), standing in for the
// service's pictures of a locked album and of an album without photos.

#include "port/types.h"

namespace tarvelin {

Bytes LockedAlbumPicture();  // JPEG: a padlock over 访问需要密码
Bytes EmptyAlbumPicture();   // animated GIF: an exclamation mark in a circle over 暂无照片

}  // namespace tarvelin
