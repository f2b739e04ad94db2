#pragma once
// Values shared by the engine and its front ends. All Text is code page 936.

#include <string>

namespace tarvelin {

// A byte string in code page 936 (never holds a zero byte), positions 1-based.
using Text = std::string;
// Raw bytes with an explicit length; may hold zero bytes.
using Bytes = std::string;

enum class DownloadMode { HighDefinition, OriginalUpTo2000, OriginalUnlimited };
enum class NameFormat { NumberFirst, NumberLast, NoNumber };

// Live option values, as the settings controls hold them at the moment of reading.
struct DownloadSettings {
  DownloadMode mode = DownloadMode::HighDefinition;
  NameFormat nameFormat = NameFormat::NoNumber;
  bool openFolderWhenDone = true;
  Text saveFolder;        // 编辑框_保存位置
  Text secondDownloadKb;  // 编辑框_文件大小, as typed ("" = no second download)
};

// One row of the album table 超级列表框1.
struct AlbumRecord {
  bool checked = true;
  Text rowNumber;        // 序号
  Text albumName;        // 相册名称
  int coverPicture = -1; // 封面: picture number in the table's picture list, -1 none
  Text photoCount;       // 图片数量
  Text albumId;          // 相册ID
  Text accessText;       // 相册问题
  Text password;         // 相册密码 (always empty)
};

// Album source of 组合框_相册与群.
enum class AlbumSource { None = -1, Space = 0, Group = 1 };

// Visibility sets of the four job buttons.
enum class JobButtons { Idle, Running, Paused };

// Status controls that the engine writes.
enum class StatusLabel {
  Dynamic,        // 标签_动态
  ProgressRatio,  // 标签_进度条比例
  SelectedCount,  // 标签_选择了相册数量
  CurrentAlbum,   // 标签_正在下载相册
  PhotoNumber,    // 标签_第多少张照片
};

}  // namespace tarvelin
