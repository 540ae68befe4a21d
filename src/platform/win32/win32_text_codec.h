// Code page 932 <-> UTF-8 through the system's own conversion tables.
#pragma once

#include "platform/text_codec.h"

namespace showsaver {

class Win32TextCodec final : public TextCodec {
 public:
  std::optional<std::string> cp932_to_utf8(std::string_view bytes) const override;
  std::optional<std::string> utf8_to_cp932(std::string_view text) const override;
};

}  // namespace showsaver
