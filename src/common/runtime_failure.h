// A runtime failure of the show: what the show's error handler reports.  The
// descriptions of the failures the show can meet are in player_texts.h.
#pragma once

#include <stdexcept>
#include <string>

#include "platform/player_texts.h"

namespace showsaver {

class RuntimeFailure : public std::runtime_error {
 public:
  explicit RuntimeFailure(std::string description, std::string source = kProjectSource)
      : std::runtime_error(description),
        description_(std::move(description)),
        source_(std::move(source)) {}

  const std::string& description() const { return description_; }
  const std::string& source() const { return source_; }

 private:
  std::string description_;
  std::string source_;
};

}  // namespace showsaver
