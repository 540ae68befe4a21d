#include "text_codec.h"

#include "platform/posix/iconv_text_codec.h"

namespace showsaver::showpack {

const TextCodec& text_codec() {
  static const IconvTextCodec codec;
  return codec;
}

}  // namespace showsaver::showpack
