#include "formats/wav/wav_encoder.h"

#include "formats/byte_writer.h"

namespace showsaver {

std::vector<std::uint8_t> encode_pcm_wav(std::span<const std::int16_t> samples,
                                         std::uint32_t sample_rate) {
  constexpr std::uint32_t kBytesPerSample = 2;
  const auto data_bytes = static_cast<std::uint32_t>(samples.size() * kBytesPerSample);
  ByteWriter out;
  out.reserve(44 + data_bytes);
  out.text("RIFF");
  out.u32(36 + data_bytes);  // the rest of the file
  out.text("WAVE");
  out.text("fmt ");
  out.u32(16);  // the format chunk's length
  out.u16(1);   // PCM
  out.u16(1);   // one channel
  out.u32(sample_rate);
  out.u32(sample_rate * kBytesPerSample);  // bytes a second
  out.u16(kBytesPerSample);                // bytes a frame
  out.u16(16);                             // bits a sample
  out.text("data");
  out.u32(data_bytes);
  for (const std::int16_t sample : samples) out.u16(static_cast<std::uint16_t>(sample));
  return out.take();
}

}  // namespace showsaver
