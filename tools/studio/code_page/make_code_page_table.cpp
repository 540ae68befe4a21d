// Writes the C++ source of code_page_table.h's tables from the host's iconv:
// every one- and two-byte code that decodes to one UTF-16 unit, and every
// UTF-16 unit that encodes.  Run when the studio is built.
#include <iconv.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Pair {
  unsigned from;
  unsigned to;
};

// The output of converting `input` whole, or nothing.
std::optional<std::string> convert(iconv_t handle, const std::string& input) {
  iconv(handle, nullptr, nullptr, nullptr, nullptr);
  std::string output(16, '\0');
  char* in = const_cast<char*>(input.data());
  std::size_t in_left = input.size();
  char* out = output.data();
  std::size_t out_left = output.size();
  if (iconv(handle, &in, &in_left, &out, &out_left) == std::size_t(-1) ||
      iconv(handle, nullptr, nullptr, &out, &out_left) == std::size_t(-1) || in_left != 0) {
    return std::nullopt;
  }
  output.resize(output.size() - out_left);
  return output;
}

std::string utf16le(unsigned unit) {
  return {char(unit & 0xFF), char(unit >> 8)};
}

std::vector<Pair> decoding(iconv_t handle) {
  std::vector<Pair> pairs;
  std::vector<bool> single(256);
  for (unsigned code = 0; code < 0x10000; ++code) {
    const bool two = code > 0xFF;
    if (two && single[code >> 8]) continue;  // that lead byte is a character of its own
    std::string input =
        two ? std::string{char(code >> 8), char(code & 0xFF)} : std::string{char(code)};
    const std::optional<std::string> unit = convert(handle, input);
    if (!unit || unit->size() != 2) continue;
    if (!two) single[code] = true;
    pairs.push_back(
        {code, unsigned(std::uint8_t((*unit)[0])) | unsigned(std::uint8_t((*unit)[1])) << 8});
  }
  return pairs;
}

std::vector<Pair> encoding(iconv_t handle) {
  std::vector<Pair> pairs;
  for (unsigned unit = 0; unit < 0x10000; ++unit) {
    if (unit >= 0xD800 && unit <= 0xDFFF) continue;
    const std::optional<std::string> code = convert(handle, utf16le(unit));
    if (!code || code->empty() || code->size() > 2) continue;
    unsigned value = std::uint8_t((*code)[0]);
    if (code->size() == 2) value = value << 8 | std::uint8_t((*code)[1]);
    pairs.push_back({unit, value});
  }
  return pairs;
}

void print_table(std::FILE* out, const char* name, const std::vector<Pair>& pairs) {
  std::fprintf(out, "constexpr CodePair %s[] = {\n", name);
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    std::fprintf(out, "%s{0x%04X, 0x%04X},", i % 6 == 0 ? "    " : " ", pairs[i].from, pairs[i].to);
    if (i % 6 == 5 || i + 1 == pairs.size()) std::fputc('\n', out);
  }
  std::fprintf(out, "};\n\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.cpp\n", argv[0]);
    return 2;
  }
  const iconv_t to_unicode = iconv_open("UTF-16LE", "CP932");
  const iconv_t to_code_page = iconv_open("CP932", "UTF-16LE");
  if (to_unicode == iconv_t(-1) || to_code_page == iconv_t(-1)) {
    std::fprintf(stderr, "%s: iconv has no CP932\n", argv[0]);
    return 1;
  }
  std::FILE* out = std::fopen(argv[1], "w");
  if (out == nullptr) {
    std::perror(argv[1]);
    return 1;
  }
  std::fprintf(out,
               "// Made by make_code_page_table from the host's iconv; do not edit.\n"
               "#include \"code_page/code_page_table.h\"\n\n"
               "namespace showsaver::studio {\nnamespace {\n\n");
  print_table(out, "kDecoding", decoding(to_unicode));
  print_table(out, "kEncoding", encoding(to_code_page));
  iconv_close(to_unicode);
  iconv_close(to_code_page);
  std::fprintf(out,
               "}  // namespace\n\n"
               "std::span<const CodePair> code_page_932_decoding() { return kDecoding; }\n"
               "std::span<const CodePair> code_page_932_encoding() { return kEncoding; }\n\n"
               "}  // namespace showsaver::studio\n");
  return std::fclose(out) == 0 ? 0 : 1;
}
