#pragma once

#include "port/types.h"

namespace tarvelin {

// Removes, in a fixed order, the characters a Windows file name cannot hold and a few
// full-width marks. Used for album names (listing) and photo names (download).
Text CleanFileName(const Text& name);

}  // namespace tarvelin
