#pragma once
// The engine's own texts in code page 936 (each line shows the text in UTF-8).

namespace tarvelin::download::texts {

inline constexpr char kStartLog[] = "\xBF\xAA\xC6\xF4\xC6\xF4\xB6\xAF\xCF\xC2\xD4\xD8\r\n";  // 开启启动下载\r\n
inline constexpr char kSelectedLabel[] = "\xB5\xB1\xC7\xB0\xB1\xBB\xD1\xA1\xD4\xF1\xCF\xE0\xB2\xE1\xB1\xE0\xBA\xC5:";  // 当前被选择相册编号:
inline constexpr char kNothingSelected[] = "\xB5\xB1\xC7\xB0\xCE\xB4\xD1\xA1\xD4\xF1\xC8\xCE\xBA\xCE\xCF\xE0\xB2\xE1";  // 当前未选择任何相册
inline constexpr char kListComma[] = "\xA1\xA2";  // 、
inline constexpr char kTotalAlbumsOpen[] = "\xD7\xDC\xB9\xB2\xD0\xE8\xCF\xC2\xD4\xD8[";  // 总共需下载[
inline constexpr char kTotalAlbumsClose[] = "]\xB8\xF6\xCF\xE0\xB2\xE1";  // ]个相册
inline constexpr char kCurrentAlbumOpen[] = "\xCF\xC2\xD4\xD8\xB5\xBD\xB5\xDA[";  // 下载到第[
inline constexpr char kCurrentAlbumClose[] = "]\xB8\xF6\xCF\xE0\xB2\xE1";  // ]个相册
inline constexpr char kAllDoneLog[] = "-------\xC8\xAB\xB2\xBF\xCF\xC2\xD4\xD8\xCD\xEA\xB1\xCF--------\r\n\r\n";  // -------全部下载完毕--------\r\n\r\n
inline constexpr char kAllDoneLabel[] = "\xCF\xC2\xD4\xD8\xCD\xEA\xB3\xC9";  // 下载完成
inline constexpr char kAllDoneMessage[] = "\xC8\xAB\xB2\xBF\xCF\xC2\xD4\xD8\xCD\xEA\xB1\xCF";  // 全部下载完毕
inline constexpr char kUnknownNamePrefix[] = "\xCE\xB4\xD6\xAA\xC3\xFB\xB3\xC6_";  // 未知名称_
inline constexpr char kUnknownName[] = "\xCE\xB4\xD6\xAA\xC3\xFB\xB3\xC6";  // 未知名称
inline constexpr char kNoName[] = "\xC3\xBB\xC3\xFB";  // 没名
inline constexpr char kPausedLog[] = "\xD4\xDD\xCD\xA3\xC1\xCB\xCF\xC2\xD4\xD8\r\n";  // 暂停了下载\r\n
inline constexpr char kResumedLog[] = "\xBB\xD6\xB8\xB4\xC1\xCB\xCF\xC2\xD4\xD8\r\n";  // 恢复了下载\r\n
inline constexpr char kStoppedLog[] = "\xB3\xB9\xB5\xD7\xBD\xE1\xCA\xF8\xCF\xC2\xD4\xD8\xC1\xCB\r\n";  // 彻底结束下载了\r\n
inline constexpr char kStopQuestion[] = "\xC4\xFA\xD5\xE6\xB5\xC4\xD2\xAA\xB3\xB9\xB5\xD7\xBD\xE1\xCA\xF8\xCF\xC2\xD4\xD8\xC3\xB4\xA3\xBF";  // 您真的要彻底结束下载么？
inline constexpr char kStopCaption[] = "\xBE\xAF\xB8\xE6\xA3\xA1";  // 警告！
inline constexpr char kPrepareAlbumOpen[] = "\xD7\xBC\xB1\xB8\xCF\xC2\xD4\xD8\xCF\xE0\xB2\xE1\xA1\xB6";  // 准备下载相册《
inline constexpr char kPrepareAlbumClose[] = "\xA1\xB7\r\n\r\n";  // 》\r\n\r\n
inline constexpr char kDoneV1Open[] = "---\xCD\xEA\xB3\xC9\xA1\xB6";  // ---完成《
inline constexpr char kDoneV2Open[] = "---\xCD\xEA\xB3\xC9\xCF\xE0\xB2\xE1\xA1\xB6";  // ---完成相册《
inline constexpr char kDoneGroupOpen[] = "----\xCD\xEA\xB3\xC9\xCF\xE0\xB2\xE1\xA1\xB6";  // ----完成相册《
inline constexpr char kDoneClose[] = "\xA1\xB7\xCF\xC2\xD4\xD8\r\n\r\n";  // 》下载\r\n\r\n
inline constexpr char kBusyV1[] = "\xCA\xB9\xD3\xC3\xCF\xE0\xB2\xE1\xB7\xFE\xCE\xF1\xB5\xC4\xD3\xC3\xBB\xA7\xB9\xFD\xB6\xE0";  // 使用相册服务的用户过多
inline constexpr char kBusyV2[] = "\xB5\xB1\xC7\xB0\xCA\xB9\xD3\xC3\xCF\xE0\xB2\xE1\xB7\xFE\xCE\xF1\xB5\xC4\xD3\xC3\xBB\xA7\xB9\xFD\xB6\xE0";  // 当前使用相册服务的用户过多
inline constexpr char kNotLoggedIn[] = "\xC4\xFA\xC9\xD0\xCE\xB4\xB5\xC7\xC2\xBC\xBB\xF2\xD5\xDF\xB5\xC7\xC2\xBC\xB3\xAC\xCA\xB1";  // 您尚未登录或者登录超时
inline constexpr char kDescriptionFile[] = "\xCF\xE0\xB2\xE1\xBD\xE9\xC9\xDC.txt";  // 相册介绍.txt
inline constexpr char kDescName[] = "\xCF\xE0\xB2\xE1\xC3\xFB\xB3\xC6\xA3\xBA";  // 相册名称：
inline constexpr char kDescCreated[] = "\xCF\xE0\xB2\xE1\xB4\xB4\xBD\xA8\xCA\xB1\xBC\xE4\xA3\xBA";  // 相册创建时间：
inline constexpr char kDescText[] = "\xC3\xE8\xCA\xF6\xC4\xDA\xC8\xDD\xA3\xBA";  // 描述内容：
inline constexpr char kDescCount[] = "\xB9\xB2\xD3\xD0\xCA\xFD\xC1\xBF\xA3\xBA";  // 共有数量：
inline constexpr char kDescUploaded[] = "\xD7\xEE\xBA\xF3\xD2\xBB\xB4\xCE\xC9\xCF\xB4\xAB\xCA\xB1\xBC\xE4:";  // 最后一次上传时间:
inline constexpr char kDescModified[] = "\xD0\xDE\xB8\xC4\xCA\xB1\xBC\xE4:";  // 修改时间:
inline constexpr char kYear[] = "\xC4\xEA";  // 年
inline constexpr char kMonth[] = "\xD4\xC2";  // 月
inline constexpr char kDay[] = "\xC8\xD5";  // 日
inline constexpr char kHour[] = "\xCA\xB1";  // 时
inline constexpr char kMinute[] = "\xB7\xD6";  // 分
inline constexpr char kSecond[] = "\xC3\xEB";  // 秒
inline constexpr char kGroupPhotoOpen[] = "\xB5\xDA[";  // 第[
inline constexpr char kGroupPhotoClose[] = "]\xB8\xF6\xCD\xBC\xC6\xAC";  // ]个图片
inline constexpr char kAlbumWord[] = "\xCF\xE0\xB2\xE1\xA1\xB6";  // 相册《
inline constexpr char kPhotoFailedMiddle[] = "\xA1\xB7\xB5\xC4\xD5\xD5\xC6\xAC\xA1\xB6";  // 》的照片《
inline constexpr char kPhotoFailedClose[] = "\xA1\xB7\xCF\xC2\xD4\xD8\xCA\xA7\xB0\xDC\xA3\xBA";  // 》下载失败：
inline constexpr char kAlbumListFailedClose[] = "\xA1\xB7\xB5\xC4\xD5\xD5\xC6\xAC\xC1\xD0\xB1\xED\xB6\xC1\xC8\xA1\xCA\xA7\xB0\xDC\xA3\xBA";  // 》的照片列表读取失败：
inline constexpr char kReasonBusy[] = "\xB7\xFE\xCE\xF1\xB7\xB1\xC3\xA6";  // 服务繁忙
inline constexpr char kReasonNotLoggedIn[] = "\xCE\xB4\xB5\xC7\xC2\xBC\xBB\xF2\xB5\xC7\xC2\xBC\xB3\xAC\xCA\xB1";  // 未登录或登录超时
inline constexpr char kReasonNoReply[] = "\xC3\xBB\xD3\xD0\xBB\xD8\xD3\xA6";  // 没有回应
inline constexpr char kReasonBadReply[] = "\xBB\xD8\xD3\xA6\xCE\xDE\xB7\xA8\xCA\xB6\xB1\xF0";  // 回应无法识别
inline constexpr char kReasonEmptyBody[] = "\xBB\xD8\xD3\xA6\xCE\xAA\xBF\xD5";  // 回应为空
inline constexpr char kReasonWriteFailed[] = "\xCE\xC4\xBC\xFE\xD0\xB4\xC8\xEB\xCA\xA7\xB0\xDC";  // 文件写入失败
inline constexpr char kReasonFolderFailed[] = "\xCE\xDE\xB7\xA8\xB4\xB4\xBD\xA8\xCF\xE0\xB2\xE1\xC4\xBF\xC2\xBC";  // 无法创建相册目录
inline constexpr char kSummaryPhotos[] = "\xB9\xB2\xD0\xB4\xC8\xEB\xD5\xD5\xC6\xAC[";  // 共写入照片[
inline constexpr char kSummaryFailedPhotos[] = "]\xD5\xC5\xA3\xAC\xCA\xA7\xB0\xDC\xD5\xD5\xC6\xAC[";  // ]张，失败照片[
inline constexpr char kSummaryFailedAlbums[] = "]\xD5\xC5\xA3\xAC\xCA\xA7\xB0\xDC\xCF\xE0\xB2\xE1[";  // ]张，失败相册[
inline constexpr char kSummaryClose[] = "]\xB8\xF6\r\n";  // ]个\r\n

}  // namespace tarvelin::download::texts
