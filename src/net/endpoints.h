#pragma once
// Every host of the service and of the maker, by role, in one place.

namespace tarvelin::endpoints {

inline constexpr const char* SpaceSiteHost = "qzone.qq.com";
inline constexpr const char* SpaceUserHost = "user.qzone.qq.com";
inline constexpr const char* ProxyHost = "h5.qzone.qq.com";
inline constexpr const char* RouteStoreHost = "route.store.qq.com";
inline constexpr const char* GroupPhotoHost = "u.photo.qzone.qq.com";
inline constexpr const char* PhotoStoreHost = "r.photo.store.qq.com";
inline constexpr const char* ImageCacheHost = "imgcache.qq.com";
inline constexpr const char* PhotoPageHost = "qzs.qq.com";
inline constexpr const char* ShortPhotoDomain = "photo.qq.com";
inline constexpr const char* SpacePhotoDomain = "photo.qzone.qq.com";
inline constexpr const char* CookieDomain = "qq.com";
inline constexpr const char* MakerSite = "tarvelin.example.org";
inline constexpr const char* SupportChatLink = "http://tarvelin.example.org/support";

}  // namespace tarvelin::endpoints
