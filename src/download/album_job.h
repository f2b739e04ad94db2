#pragma once
// The ticked rows of the album table, turned into the albums of one download job.

#include <functional>
#include <vector>

#include "port/types.h"

namespace tarvelin::download {

struct AlbumJob {
  Text photoCount;
  Text albumId;
  Text albumName;
};

struct AlbumSelection {
  std::vector<AlbumJob> jobs;
  Text selectionText;  // every ticked row's 序号 followed by "、"
};

// `randomName` gives the number (1 to 100) of an unnamed album's "未知名称_N".
AlbumSelection CollectAlbumJobs(const std::vector<AlbumRecord>& rows,
                                const std::function<int()>& randomName);

// Leading decimal digits of a text as a number (0 without any).
long long LeadingNumber(const Text& text);

}  // namespace tarvelin::download
