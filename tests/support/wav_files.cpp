#include "support/wav_files.h"

#include <cmath>
#include <numbers>

#include "formats/byte_writer.h"
#include "formats/wav/wav_encoder.h"

namespace showsaver::test {

std::vector<std::uint8_t> sine_wav(double seconds) {
  constexpr std::uint32_t kRate = 22050;
  std::vector<std::int16_t> samples(static_cast<std::size_t>(seconds * kRate));
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const double phase = 2 * std::numbers::pi * 440.0 * double(i) / kRate;
    samples[i] = static_cast<std::int16_t>(8000 * std::sin(phase));
  }
  return encode_pcm_wav(samples, kRate);
}

std::vector<std::uint8_t> one_note_midi() {
  return {'M',  'T',  'h',  'd', 0, 0, 0, 6,  0, 0, 0, 1, 0x01, 0xE0,  // 480 ticks a beat
          'M',  'T',  'r',  'k', 0, 0, 0, 16,                          // the track's length
          0x00, 0xC0, 0x00,                                            // piano
          0x00, 0x90, 69,   100,                                       // note on
          0x87, 0x40, 0x80, 69,  0,                                    // 960 ticks later, off
          0x00, 0xFF, 0x2F, 0x00};                                     // end of track
}

namespace {

// A RIFF chunk that claims two gigabytes, then a format chunk of 16 bytes
// that starts as PCM in one channel.
ByteWriter lying_riff_of_pcm() {
  ByteWriter out;
  out.text("RIFF");
  out.u32(0x7FFFFFFF);
  out.text("WAVE");
  out.text("fmt ");
  out.u32(16);
  out.u16(1);  // PCM
  out.u16(1);  // one channel
  return out;
}

}  // namespace

std::vector<std::uint8_t> lying_wav() {
  return lying_riff_of_pcm().take();  // the file ends in the format
}

std::vector<std::uint8_t> truncated_wav() {
  std::vector<std::uint8_t> wav = sine_wav(0.5);
  wav.resize(wav.size() / 2);
  return wav;
}

std::vector<std::uint8_t> zero_block_wav() {
  ByteWriter out = lying_riff_of_pcm();
  out.u32(22050);
  out.u32(44100);
  out.u16(0);  // bytes a block
  out.u16(16);
  out.text("data");
  out.u32(0x7FFFFFF0);
  for (int i = 0; i < 100; ++i) out.u8(0);
  return out.take();
}

}  // namespace showsaver::test
