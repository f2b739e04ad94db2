#pragma once
// Which host serves the photo interfaces of an account: the route store's "GetRoute",
// read textually.

#include "port/types.h"

namespace tarvelin {

// The p value of the route entry named after the default route with "_bak" appended
// (case ignored, first line containing it); empty when there is none.
Text PhotoHostFromRoutes(const Text& reply);

// Asks the route store about listingTarget; a new request on every call.
Text LookupPhotoHost(const Text& listingTarget);

}  // namespace tarvelin
