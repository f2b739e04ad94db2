#pragma once
// Compares the program's version with the one on the maker's version page.

#include <functional>

#include "port/types.h"

namespace tarvelin::app {

inline constexpr const char* NoUpdateText = "无需更新";
inline constexpr const char* NewVersionText =
    "有新版，联系客服获取最新版或打开作者主页去下载";  // UTF-8

// What the check touches on the window; the caller carries each call to the UI thread.
struct VersionCheckView {
  std::function<Text()> currentVersion;          // 标签_banben
  std::function<void(const Text&)> showLatest;   // 标签_zxbanben
  std::function<void(const Text&)> showResult;   // 标签_检测版本结果
  std::function<bool(const Text&)> confirm;      // OK/Cancel box; true on OK
  std::function<void(const Text&)> openAddress;  // the desktop's default handler
};

Text VersionPageAddress();
Text MakerHomeAddress();
// The version between "#" key "@@" and the next "#" key; empty without a whole entry.
Text LatestVersionIn(const Text& page, const Text& productKey);
// The leading decimal number with an optional fraction; 0 without one.
double LeadingNumber(const Text& text);
// Fetches the version page and updates the view (engine texts are code page 936).
void CheckForUpdate(const VersionCheckView& view);

}  // namespace tarvelin::app
