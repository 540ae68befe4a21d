// The machine's code page conversion, for tests that read or write packages.
#pragma once

#include "platform/text_codec.h"

namespace showsaver::test {

const TextCodec& text_codec();

}  // namespace showsaver::test
