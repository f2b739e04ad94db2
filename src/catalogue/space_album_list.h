#pragma once
// The album list of a personal space ("QQ空间") into the album table.

#include "port/types.h"

namespace tarvelin {

class SessionState;
class WindowPort;

// Lists the albums of session.ListingTarget() with the session's skey token and cookies,
// replacing the rows of the album table. Blocks until the listing has ended; runs on any
// thread except the window's (it waits for the window).
void ListSpaceAlbums(WindowPort& window, SessionState& session);

// The address of the album list of target on photoHost.
Text SpaceAlbumListAddress(const Text& photoHost, const Text& target, const Text& skeyToken);

// The fixed cover addresses that stand for a locked album and for an album without photos.
Text LockedAlbumCoverAddress();
Text EmptyAlbumCoverAddress();

}  // namespace tarvelin
