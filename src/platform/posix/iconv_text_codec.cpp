// Code page 932 <-> UTF-8 through iconv.
//
// glibc's "CP932" table is the one Windows uses, including the NEC and IBM
// extensions and the user-defined area (mapped to the private use area).
// Some characters have two or three codes in that table (the NEC row 13
// symbols, the NEC-selected IBM extensions at 0xED40-0xEEFC and a few IBM
// extensions at 0xFA4A-0xFA5B); they decode to one Unicode character and
// encode back to the code Windows itself chooses for it, so only those codes
// change on a round trip.
#include "platform/posix/iconv_text_codec.h"

#include <iconv.h>

#include <optional>
#include <string>
#include <string_view>

namespace showsaver {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  ~Converter() {
    if (valid()) iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

  // The whole input converted, or nothing on an invalid or incomplete sequence.
  std::optional<std::string> convert(std::string_view input) {
    if (!valid()) return std::nullopt;
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    std::string output;
    // A character never grows by more than 4/1 between these two encodings.
    output.resize(input.size() * 4 + 16);
    char* in = const_cast<char*>(input.data());
    std::size_t in_left = input.size();
    char* out = output.data();
    std::size_t out_left = output.size();
    if (iconv(handle_, &in, &in_left, &out, &out_left) == static_cast<std::size_t>(-1)) {
      return std::nullopt;
    }
    // Flushes any shift state; also fails on a truncated multibyte sequence.
    if (iconv(handle_, nullptr, nullptr, &out, &out_left) == static_cast<std::size_t>(-1)) {
      return std::nullopt;
    }
    if (in_left != 0) return std::nullopt;
    output.resize(output.size() - out_left);
    return output;
  }

 private:
  iconv_t handle_;
};

}  // namespace

std::optional<std::string> IconvTextCodec::cp932_to_utf8(std::string_view bytes) const {
  if (bytes.empty()) return std::string();
  return Converter("UTF-8", "CP932").convert(bytes);
}

std::optional<std::string> IconvTextCodec::utf8_to_cp932(std::string_view text) const {
  if (text.empty()) return std::string();
  return Converter("CP932", "UTF-8").convert(text);
}

}  // namespace showsaver
