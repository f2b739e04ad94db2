#include "download/album_job.h"

#include <string>

#include "download/download_texts.h"
#include "net/text.h"

namespace tarvelin::download {

AlbumSelection CollectAlbumJobs(const std::vector<AlbumRecord>& rows,
                                const std::function<int()>& randomName) {
  AlbumSelection selection;
  for (const AlbumRecord& row : rows) {
    if (!row.checked) continue;
    selection.selectionText += row.rowNumber + texts::kListComma;
    AlbumJob job{row.photoCount, row.albumId, TextTrim(row.albumName)};
    if (job.albumName.empty()) {
      job.albumName = texts::kUnknownNamePrefix + std::to_string(randomName());
    }
    if (!job.photoCount.empty() && !job.albumId.empty()) selection.jobs.push_back(job);
  }
  return selection;
}

long long LeadingNumber(const Text& text) {
  long long value = 0;
  size_t at = 0;
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    if (value > (9223372036854775807LL - 9) / 10) break;  // stays within 64 bits
    value = value * 10 + (text[at] - '0');
  }
  return negative ? -value : value;
}

}  // namespace tarvelin::download
