// The media command interpreter on any text: a command or an error code, and
// a reply that always fits the caller's buffer.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/media_command.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const unsigned capacity = data[0];
  const std::string_view command(reinterpret_cast<const char*>(data + 1), size - 1);
  std::string reply;
  const unsigned error = showsaver::answer_media_command(
      command, reply, capacity, [&](const showsaver::MediaCommand& known, std::string& answer) {
        answer = known.path + std::string(command);
        return 0u;
      });
  if (reply.size() > (capacity == 0 ? 0u : capacity - 1u)) std::abort();
  if (error == 0 && std::holds_alternative<unsigned>(showsaver::parse_media_command(command))) {
    std::abort();
  }
  return 0;
}
