// Sound formats told by their first bytes, and the media control device each
// is opened with on Windows: a name never decides.
#include "platform/sound_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/media_command.h"

namespace showsaver {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The bytes of a literal, zeros included.
template <std::size_t N>
Bytes bytes_of(const char (&text)[N]) {
  return Bytes(text, text + N - 1);
}

TEST(SoundFormat, TheFirstBytesDecideTheFormatAndTheDevice) {
  const struct {
    const char* what;
    Bytes head;
    SoundFormat format;
    const char* device;
  } cases[] = {
      {"RIFF WAVE", bytes_of("RIFF\x24\x08\0\0WAVEfmt "), SoundFormat::Wav, "waveaudio"},
      {"Standard MIDI File", bytes_of("MThd\0\0\0\x06"), SoundFormat::Midi, "sequencer"},
      {"RIFF MIDI", bytes_of("RIFF\x10\0\0\0RMIDdata"), SoundFormat::Midi, "sequencer"},
      {"MP3 with an ID3 tag", bytes_of("ID3\x04"), SoundFormat::Mp3, "mpegvideo"},
      {"MP3 frame, MPEG-1 layer III", {0xFF, 0xFB, 0x90, 0x64}, SoundFormat::Mp3, "mpegvideo"},
      {"MP3 frame, MPEG-2.5 layer III", {0xFF, 0xE3, 0x18, 0xC4}, SoundFormat::Mp3, "mpegvideo"},
      {"Ogg", bytes_of("OggS\0\x02"), SoundFormat::Ogg, "mpegvideo"},
      {"FLAC", bytes_of("fLaC\0\0\0\x22"), SoundFormat::Flac, "mpegvideo"},
      {"WMA (ASF)",
       {0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11, 0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE,
        0x6C},
       SoundFormat::Wma,
       "mpegvideo"},
      {"a file no longer than its tag", bytes_of("RIFF\0\0\0\0WAVE"), SoundFormat::Wav,
       "waveaudio"},
      // Near misses.
      {"RIFF of another kind", bytes_of("RIFF\x10\0\0\0AVI LIST"), SoundFormat::Unknown,
       "mpegvideo"},
      {"WAVE cut before its kind", bytes_of("RIFF\x24\x08"), SoundFormat::Unknown, "mpegvideo"},
      {"AAC (ADTS), whose layer bits are 0",
       {0xFF, 0xF1, 0x50, 0x80},
       SoundFormat::Unknown,
       "mpegvideo"},
      {"a reserved MPEG version", {0xFF, 0xEB, 0x90, 0x64}, SoundFormat::Unknown, "mpegvideo"},
      {"MIDI in lower case", bytes_of("mthd"), SoundFormat::Unknown, "mpegvideo"},
      {"WMA's GUID cut short",
       {0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66},
       SoundFormat::Unknown,
       "mpegvideo"},
      {"nothing", {}, SoundFormat::Unknown, "mpegvideo"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(sound_format_of(c.head), c.format) << c.what;
    EXPECT_EQ(media_device_type(sound_format_of(c.head)), c.device) << c.what;
  }
}

TEST(SoundFormat, TheTypedOpenNamesTheDeviceAndKeepsThePathWhole) {
  EXPECT_EQ(typed_open_command("C:\\Windows\\temp1\\my song.mp3", "sequencer"),
            "open \"C:\\Windows\\temp1\\my song.mp3\" type sequencer alias bgm");
}

}  // namespace
}  // namespace showsaver
