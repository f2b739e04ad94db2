#pragma once
// The three album downloaders. Each lists one album's photos through its interface, writes
// them into a new album folder, and logs what happened; a stopped job leaves at once.

#include "download/album_job.h"
#include "download/download_context.h"

namespace tarvelin::download {

enum class SpaceVariant { FullSize, HighDefinition };

// Interface 1, pages of 400, with the album description file.
void DownloadSpaceAlbum(DownloadContext& context, const AlbumJob& job, SpaceVariant variant);
// Interface 2: the whole album (up to 2000 photos) in one reply.
void DownloadSpaceAlbumWhole(DownloadContext& context, const AlbumJob& job);
// Group albums, pages of 500, photos under their own names.
void DownloadGroupAlbum(DownloadContext& context, const AlbumJob& job);

}  // namespace tarvelin::download
