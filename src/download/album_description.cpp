#include "download/album_description.h"

#include <string>

#include "download/download_texts.h"
#include "download/photo_files.h"
#include "net/json_reply.h"

namespace tarvelin::download {
namespace {

struct CivilDate {
  long long year;
  unsigned month, day;
};

// Days since 1970-01-01 to a proleptic Gregorian date (H. Hinnant's algorithm).
CivilDate FromDays(long long days) {
  days += 719468;
  const long long era = (days >= 0 ? days : days - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(days - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long y = static_cast<long long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return {y + (m <= 2), m, d};
}

}  // namespace

Text DescriptionDate(const Text& value) {
  // Only the leading digits count: null, a sign or anything else reads as 0.
  long long seconds = 0;
  for (size_t at = 0; at < value.size() && value[at] >= '0' && value[at] <= '9'; ++at) {
    if (seconds > 922337203685477579LL) break;
    seconds = seconds * 10 + (value[at] - '0');
  }
  if (seconds > 9999999999LL) seconds /= 1000;
  seconds += 8 * 3600;
  const long long days = seconds / 86400;
  const long long rest = seconds % 86400;
  const CivilDate date = FromDays(days);
  const long long hour = rest / 3600, minute = rest % 3600 / 60, second = rest % 60;
  Text text = std::to_string(date.year) + texts::kYear + std::to_string(date.month) +
              texts::kMonth + std::to_string(date.day) + texts::kDay;
  if (second != 0) {
    text += std::to_string(hour) + texts::kHour + std::to_string(minute) + texts::kMinute +
            std::to_string(second) + texts::kSecond;
  } else if (minute != 0) {
    text += std::to_string(hour) + texts::kHour + std::to_string(minute) + texts::kMinute;
  } else if (hour != 0) {
    text += std::to_string(hour) + texts::kHour;
  }
  return text;
}

Text AlbumDescription(const JsonNode& data) {
  const JsonNode topic = data.Member("topic");
  return Text(texts::kDescName) + topic.Member("name").Unquoted() + "\r\n" + texts::kDescCreated +
         DescriptionDate(topic.Member("createtime").Unquoted()) + "\r\n" + texts::kDescText +
         topic.Member("desc").Unquoted() + "\r\n" + texts::kDescCount +
         data.Member("totalInAlbum").Unquoted() + "\r\n" + texts::kDescUploaded +
         DescriptionDate(topic.Member("lastuploadtime").Unquoted()) + "\r\n" +
         texts::kDescModified + DescriptionDate(topic.Member("modifytime").Unquoted()) + "\r\n";
}

bool WriteAlbumDescription(const Text& albumFolder, const JsonNode& data) {
  return WriteFileAtomically(albumFolder + "\\" + texts::kDescriptionFile, AlbumDescription(data));
}

}  // namespace tarvelin::download
