// The engine's code page conversion for the showpack code compiled into it:
// the tables of the host's iconv, as the WebAssembly C library has none.
#include "code_page/table_text_codec.h"
#include "showpack/text_codec.h"

namespace showsaver::showpack {

const TextCodec& text_codec() {
  static const studio::TableTextCodec codec;
  return codec;
}

}  // namespace showsaver::showpack
