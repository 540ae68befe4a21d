// What the media backend tests share: WAV files made on the spot and an
// SdlMedia on SDL's dummy audio driver, which plays in real time without
// any sound hardware.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

#include "platform/sdl/sdl_media.h"
#include "support/temp_dir.h"

namespace showsaver::test {

// Writes `seconds` of a 440 Hz sine as 16-bit PCM mono at 22050 Hz.
void write_sine_wav(const std::string& path, double seconds);

struct MciAnswer {
  unsigned error;
  std::string reply;
  bool operator==(const MciAnswer&) const = default;
};

void PrintTo(const MciAnswer& answer, std::ostream* out);

class SdlMediaTest : public ::testing::Test {
 protected:
  void SetUp() override;

  // Sends `command` with a reply buffer holding stale text, as the player's
  // buffer does after the previous command.
  MciAnswer send(const std::string& command, unsigned capacity = 256);
  std::string mode() { return send("status bgm mode").reply; }
  MciAnswer open(const std::string& path) { return send("open \"" + path + "\" alias bgm"); }

  TempDir dir_;
  // Long enough that it cannot run out while a test looks at it.
  std::string music_path_;
  std::string short_cue_path_;
  std::string long_cue_path_;
  std::unique_ptr<SdlMedia> media_;
};

}  // namespace showsaver::test
