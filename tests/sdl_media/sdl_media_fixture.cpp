#include "sdl_media_fixture.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <numbers>
#include <vector>

namespace showsaver::test {

namespace {

void put_u32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void put_u16(std::vector<std::uint8_t>& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put_tag(std::vector<std::uint8_t>& out, const char (&tag)[5]) {
  out.insert(out.end(), tag, tag + 4);
}

}  // namespace

void write_sine_wav(const std::string& path, double seconds) {
  constexpr std::uint32_t kRate = 22050;
  constexpr std::uint16_t kBytesPerSample = 2;
  const auto samples = static_cast<std::uint32_t>(seconds * kRate);
  const std::uint32_t data_size = samples * kBytesPerSample;
  std::vector<std::uint8_t> bytes;
  put_tag(bytes, "RIFF");
  put_u32(bytes, 36 + data_size);
  put_tag(bytes, "WAVE");
  put_tag(bytes, "fmt ");
  put_u32(bytes, 16);
  put_u16(bytes, 1);  // PCM
  put_u16(bytes, 1);  // mono
  put_u32(bytes, kRate);
  put_u32(bytes, kRate * kBytesPerSample);
  put_u16(bytes, kBytesPerSample);
  put_u16(bytes, 16);
  put_tag(bytes, "data");
  put_u32(bytes, data_size);
  for (std::uint32_t i = 0; i < samples; ++i) {
    const double phase = 2 * std::numbers::pi * 440.0 * i / kRate;
    put_u16(bytes, static_cast<std::uint16_t>(static_cast<std::int16_t>(8000 * std::sin(phase))));
  }
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

void SdlMediaTest::SetUp() {
  ::setenv("SDL_AUDIODRIVER", "dummy", 1);
  music_path_ = dir_.file("music.wav");
  short_cue_path_ = dir_.file("short cue.wav");
  long_cue_path_ = dir_.file("long cue.wav");
  write_sine_wav(music_path_, 20.0);
  write_sine_wav(short_cue_path_, 5.0);
  write_sine_wav(long_cue_path_, 8.0);
  media_ = std::make_unique<SdlMedia>();
  ASSERT_TRUE(media_->audio_available()) << SDL_GetError();
}

void PrintTo(const MciAnswer& answer, std::ostream* out) {
  *out << "{error " << answer.error << ", reply \"" << answer.reply << "\"}";
}

MciAnswer SdlMediaTest::send(const std::string& command, unsigned capacity) {
  std::string reply = "stale reply";
  const unsigned error = media_->send_media_command(command, reply, capacity);
  return {error, reply};
}

}  // namespace showsaver::test
