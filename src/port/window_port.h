#pragma once
// The engine's only way to the window. The Qt window, the tests and the command-line
// front end each implement it. Every method may be called from any thread; an
// implementation carries the call to its UI thread (blocking where a value is returned).

#include <vector>

#include "port/types.h"

namespace tarvelin {

struct LoginPage {
  Text cookieText;  // the document's cookie text, "name=value; name=value"
  Text html;        // the document's outer HTML
};

class WindowPort {
 public:
  virtual ~WindowPort() = default;

  // Operation log 编辑框_操作记录: append only; texts carry their own "\r\n".
  virtual void AppendLog(const Text& text) = 0;
  virtual void SetStatus(StatusLabel label, const Text& text) = 0;
  // 进度条1; implementations clamp both values to 0..32767.
  virtual void SetProgressMaximum(int maximum) = 0;
  virtual void SetProgress(int position) = 0;

  // Option values, read at the moment of the call.
  virtual DownloadSettings Settings() = 0;
  virtual Text TargetText() = 0;        // 组合框_目标QQ
  virtual AlbumSource Source() = 0;     // 组合框_相册与群
  virtual bool ShowCovers() = 0;        // 选择框_封面图

  // Album table 超级列表框1.
  virtual void ClearAlbums() = 0;
  virtual void AppendAlbum(const AlbumRecord& record) = 0;
  virtual std::vector<AlbumRecord> Albums() = 0;  // a copy of every row, in table order
  virtual void SetCoverColumnVisible(bool visible) = 0;
  // Adds an encoded picture (JPEG/PNG/GIF bytes) to the table's picture list (100x100)
  // and returns its number; -1 when it cannot be decoded.
  virtual int AddCoverPicture(const Bytes& encoded) = 0;
  virtual void SetAlbumCover(int row, int picture) = 0;

  // Modal boxes; an empty caption means "信息：". Confirm is OK/Cancel and true on OK.
  virtual void ShowMessage(const Text& text, const Text& caption = Text()) = 0;
  virtual bool Confirm(const Text& text, const Text& caption) = 0;

  // Desktop shell: open a folder or an address with its default handler.
  virtual void OpenPath(const Text& pathOrUrl) = 0;
  virtual void SetJobButtons(JobButtons set) = 0;

  // Login view 超文本浏览框1.
  virtual LoginPage ReadLoginPage() = 0;
  virtual void NavigateLoginView(const Text& url) = 0;
  virtual void ShowLoginTab() = 0;
};

}  // namespace tarvelin
