// Code page 932 <-> UTF-8 by the tables of code_page_table.h: the same
// conversion as the iconv codec of the Linux programs, without iconv.
#pragma once

#include "platform/text_codec.h"

namespace showsaver::studio {

class TableTextCodec final : public TextCodec {
 public:
  std::optional<std::string> cp932_to_utf8(std::string_view bytes) const override;
  std::optional<std::string> utf8_to_cp932(std::string_view text) const override;
};

}  // namespace showsaver::studio
