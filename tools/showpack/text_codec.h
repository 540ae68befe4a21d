// The code page conversion every showpack command reads and writes names with.
#pragma once

#include "platform/text_codec.h"

namespace showsaver::showpack {

const TextCodec& text_codec();

}  // namespace showsaver::showpack
