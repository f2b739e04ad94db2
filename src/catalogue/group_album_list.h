#pragma once
// The album list of a group ("QQ群相册") into the album table, in pages of 1000.

#include "port/types.h"

namespace tarvelin {

class SessionState;
class WindowPort;

// Lists the albums of the group named by the window's target text with the session's
// p_skey token, page token and cookies, replacing the rows of the album table. Blocks
// until the listing has ended, with a one-second wait after every page request.
void ListGroupAlbums(WindowPort& window, SessionState& session);

// The total of a count reply: the digits after "total" :, 0 when there are none.
long long GroupAlbumTotal(const Text& countReply);

}  // namespace tarvelin
