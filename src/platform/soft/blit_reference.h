// The simplest correct blit: one destination pixel at a time, straight from
// the rules.  It is the oracle that the fast paths are tested against.
#pragma once

#include "platform/soft/blit_request.h"

namespace showsaver::soft {

// Draws `request` pixel by pixel.  The source is read as it was before the
// call, so a blit within one bitmap behaves like memmove.
void reference_blit(const BlitRequest& request);

}  // namespace showsaver::soft
