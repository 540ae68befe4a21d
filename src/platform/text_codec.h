// Conversion between the package's code page (932) and UTF-8, the text
// encoding inside the program.  Each platform brings its own conversion tables.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace showsaver {

class TextCodec {
 public:
  virtual ~TextCodec() = default;
  // Nothing when `bytes` is not valid code page 932 text.
  virtual std::optional<std::string> cp932_to_utf8(std::string_view bytes) const = 0;
  // Nothing when `text` is not valid UTF-8 or holds a character code page 932 lacks.
  virtual std::optional<std::string> utf8_to_cp932(std::string_view text) const = 0;
};

}  // namespace showsaver
