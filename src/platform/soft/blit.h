// Picks the blit path for a request: the offset copy when the extents are
// equal (BitBlt, or a StretchBlt that does not scale), the scaler otherwise.
#pragma once

#include "platform/soft/blit_request.h"

namespace showsaver::soft {

void blit(const BlitRequest& request);

}  // namespace showsaver::soft
