// The WAV structure check the Windows player makes before a sound reaches
// the system's player: hostile headers are refused with a reason, and every
// sound layout a player reads passes.
#include "formats/wav/wav_structure.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "formats/byte_writer.h"
#include "formats/wav/wav_encoder.h"
#include "support/wav_files.h"

namespace showsaver {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Chunk {
  const char* tag;
  Bytes data;
  std::optional<std::uint32_t> claimed_size = std::nullopt;  // else the data's size
};

// A format chunk's 16 bytes.
Bytes format(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t block,
             std::uint16_t bits) {
  ByteWriter out;
  out.u16(tag);
  out.u16(channels);
  out.u32(rate);
  out.u32(rate * block);
  out.u16(block);
  out.u16(bits);
  return out.take();
}

const Bytes kPcm = format(1, 2, 22050, 4, 16);

// "RIFF", its size (the chunks' bytes, or `riff_size`), "WAVE", the chunks,
// each padded to an even length unless it is the last and `pad_last` is off.
Bytes riff(const std::vector<Chunk>& chunks, std::optional<std::uint32_t> riff_size = {},
           bool pad_last = true) {
  ByteWriter body;
  for (std::size_t i = 0; i < chunks.size(); ++i) {
    const Chunk& chunk = chunks[i];
    body.text(chunk.tag);
    body.u32(chunk.claimed_size.value_or(static_cast<std::uint32_t>(chunk.data.size())));
    for (const std::uint8_t byte : chunk.data) body.u8(byte);
    if (chunk.data.size() % 2 == 1 && (pad_last || i + 1 < chunks.size())) body.u8(0);
  }
  const Bytes chunk_bytes = body.take();
  ByteWriter out;
  out.text("RIFF");
  out.u32(riff_size.value_or(static_cast<std::uint32_t>(4 + chunk_bytes.size())));
  out.text("WAVE");
  for (const std::uint8_t byte : chunk_bytes) out.u8(byte);
  return out.take();
}

Bytes with_extension(Bytes format_bytes, std::uint16_t extra) {
  format_bytes.push_back(static_cast<std::uint8_t>(extra));
  format_bytes.push_back(static_cast<std::uint8_t>(extra >> 8));
  return format_bytes;
}

struct WavCase {
  const char* name;
  std::function<Bytes()> file;
  const char* problem;  // a part of the reason; nullptr: sound
};

void PrintTo(const WavCase& c, std::ostream* out) {
  *out << c.name;
}

class WavStructureTest : public testing::TestWithParam<WavCase> {};

TEST_P(WavStructureTest, RefusesWhatRunsPastItsDataAndPassesWhatIsSound) {
  const std::optional<std::string> problem = wav_structure_problem(GetParam().file());
  if (GetParam().problem == nullptr) {
    EXPECT_EQ(problem, std::nullopt);
  } else {
    ASSERT_TRUE(problem.has_value());
    EXPECT_NE(problem->find(GetParam().problem), std::string::npos) << *problem;
  }
}

const Bytes kSamples(400, 0x11);

INSTANTIATE_TEST_SUITE_P(
    Files, WavStructureTest,
    testing::Values(
        // Hostile: what the sizes claim is not there.
        WavCase{"RiffOfTwoGigabytesWithTheFormatCutShort", test::lying_wav,
                "claims 2147483655 bytes, the file holds 24"},
        WavCase{"CutOffInItsData", test::truncated_wav, "the RIFF chunk claims"},
        WavCase{"ZeroBlockSizeAndDataPastTheEnd", test::zero_block_wav, "the RIFF chunk claims"},
        WavCase{"FormatChunkPastTheRiffData",
                [] {
                  return riff({{"fmt ", kPcm, 0x7FFFFFF0}, {"data", kSamples}});
                },
                "a chunk at offset 12 claims 2147483632 bytes"},
        WavCase{"DataChunkPastTheRiffData",
                [] {
                  return riff({{"fmt ", kPcm}, {"data", kSamples, 402}});
                },
                "a chunk at offset 36 claims 402 bytes"},
        WavCase{"RiffOneByteLongerThanTheFile",
                [] {
                  return riff({{"fmt ", kPcm}, {"data", kSamples}}, 4 + 24 + 408 + 1);
                },
                "claims 445 bytes, the file holds 444"},
        // Hostile: sizes that hold, fields a player would divide by.
        WavCase{"ZeroBlockSize",
                [] {
                  return riff({{"fmt ", format(1, 2, 22050, 0, 16)}, {"data", kSamples}});
                },
                "no channels, sample rate, byte rate or block size"},
        WavCase{"NoChannels",
                [] {
                  return riff({{"fmt ", format(1, 0, 22050, 4, 16)}, {"data", kSamples}});
                },
                "no channels"},
        WavCase{"NoSampleRate",
                [] {
                  return riff({{"fmt ", format(1, 2, 0, 4, 16)}, {"data", kSamples}});
                },
                "no channels, sample rate"},
        WavCase{"PcmBlockThatDoesNotHoldAFrame",
                [] {
                  return riff({{"fmt ", format(1, 2, 22050, 2, 16)}, {"data", kSamples}});
                },
                "16-bit samples in 2-byte blocks of 2 channels"},
        WavCase{"FormatExtensionPastItsChunk",
                [] {
                  return riff({{"fmt ", with_extension(format(0x11, 1, 22050, 256, 4), 2)},
                               {"data", kSamples}});
                },
                "claims 2 extra bytes"},
        WavCase{"FormatChunkTooShort",
                [] {
                  return riff({{"fmt ", Bytes(kPcm.begin(), kPcm.begin() + 14)}});
                },
                "holds 14 bytes, fewer than 16"},
        WavCase{"DataBeforeFormat",
                [] {
                  return riff({{"data", kSamples}, {"fmt ", kPcm}});
                },
                "comes before any format chunk"},
        WavCase{"NoFormat",
                [] {
                  return riff({{"LIST", Bytes(6, 'x')}});
                },
                "no format chunk"},
        WavCase{"NoData",
                [] {
                  return riff({{"fmt ", kPcm}});
                },
                "no data chunk"},
        WavCase{"NotWave",
                [] {
                  Bytes file = riff({{"fmt ", kPcm}, {"data", kSamples}});
                  file[8] = 'A';
                  return file;
                },
                "not a RIFF WAVE file"},
        WavCase{"OnlyTheMagic",
                [] {
                  return Bytes{'R', 'I', 'F', 'F'};
                },
                "not a RIFF WAVE"},
        // Sound.
        WavCase{"TheEncodersOwn", [] { return test::sine_wav(0.1); }, nullptr},
        WavCase{"OddChunkWithItsPadByteBeforeTheData",
                [] {
                  return riff({{"fmt ", kPcm}, {"LIST", Bytes(5, 'x')}, {"data", kSamples}});
                },
                nullptr},
        WavCase{
            "OddDataAtTheEndWithoutItsPadByte",
            [] {
              return riff({{"fmt ", format(1, 1, 8000, 1, 8)}, {"data", Bytes(7, 1)}}, {}, false);
            },
            nullptr},
        WavCase{"MoreBytesThanTheRiffClaims",
                [] {
                  Bytes file = riff({{"fmt ", kPcm}, {"data", kSamples}});
                  file.insert(file.end(), 32, 0xEE);
                  return file;
                },
                nullptr},
        WavCase{"ExtensibleFormat",
                [] {
                  Bytes extensible = with_extension(format(0xFFFE, 2, 22050, 4, 16), 22);
                  extensible.resize(40, 0);
                  return riff({{"fmt ", extensible}, {"data", kSamples}});
                },
                nullptr},
        WavCase{"AdpcmWithItsExtension",
                [] {
                  Bytes adpcm = with_extension(format(0x11, 1, 22050, 256, 4), 2);
                  adpcm.insert(adpcm.end(), {0xF9, 0x01});
                  return riff({{"fmt ", adpcm}, {"data", kSamples}});
                },
                nullptr}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

}  // namespace
}  // namespace showsaver
