#include "download/request_texts.h"

#include "net/endpoints.h"
#include "net/text.h"

namespace tarvelin::download {

Text SpacePhotoHeaders(const Text& listingTarget) {
  return Text("Referer: http://") + endpoints::SpaceUserHost + "/" + listingTarget + "\r\n" +
         "User-Agent: Mozilla/5.0 (Windows NT 5.1) AppleWebKit/537.36 (KHTML, like Gecko) "
         "Chrome/31.0.1650.64 Safari/537.36\r\n";
}

Text PhotoPageHeaders(const Text& albumId) {
  return Text("Accept: */*\r\n") + "Referer: http://" + endpoints::PhotoPageHost +
         "/qzone/photo/v7/page/photo.html?init=photo.v7/module/photoList2/index&navBar=1&normal=1"
         "&aid=" +
         albumId + "\r\n" +
         "Accept-Language: zh-CN\r\n"
         "User-Agent: Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 6.1; WOW64; Trident/4.0; "
         "MRA 6.3 (build 8065); MRA 8.4 (build 7786); SLCC2; .NET CLR 2.0.50727; .NET CLR "
         "3.5.30729; .NET CLR 3.0.30729; Media Center PC 6.0; .NET4.0C; .NET4.0E; InfoPath.2; "
         "{D9D54F49-E51C-445e-92F2-1EE3C2313240})";
}

Text ViewAlbumHeaders(const Text& listingTarget) {
  return Text(
             "User-Agent: Mozilla/5.0 (Windows NT 6.3; rv:36.0) Gecko/20100101 Firefox/36.04\r\n"
             "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"
             "Accept-Language: zh-CN,zh;q=0.8,en-US;q=0.5,en;q=0.3\r\n"
             "Referer: http://") +
         endpoints::SpaceUserHost + "/" + listingTarget + "/4";
}

Text StoreForm(const Text& url, const Text& marker, bool ignoreCase) {
  const Text tail = TextAfterLast(url, marker, -1, ignoreCase);
  if (tail.empty()) return Text();
  return Text("http://") + endpoints::PhotoStoreHost + "/psb?/" + tail;
}

Text BareUrl(const Text& jsonText) {
  const Text bare = TextReplace(TextReplace(jsonText, "\\", ""), "\"", "");
  return bare == "null" ? Text() : bare;
}

}  // namespace tarvelin::download
