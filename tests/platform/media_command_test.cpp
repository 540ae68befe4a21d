// The media command interpreter every media backend reads commands with.
#include "platform/media_command.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "platform/media.h"

namespace showsaver {

void PrintTo(const MediaCommand& command, std::ostream* out) {
  *out << "{verb " << static_cast<int>(command.verb) << ", path \"" << command.path << "\"}";
}

namespace {

using Words = std::vector<std::string>;
using Parsed = std::variant<MediaCommand, unsigned>;

TEST(MediaCommandWords, BlanksAndTabsSeparateAndQuotesKeepBlanks) {
  const std::pair<const char*, std::optional<Words>> cases[] = {
      {"", Words{}},
      {" \t ", Words{}},
      {"play bgm", Words{"play", "bgm"}},
      {"\t play \t  bgm  ", Words{"play", "bgm"}},
      {"open \"/music/a  b.mid\" alias bgm", Words{"open", "/music/a  b.mid", "alias", "bgm"}},
      {"open \"\" alias bgm", Words{"open", "", "alias", "bgm"}},
      {"open \"unclosed alias bgm", std::nullopt},
      {"play bgm \"", std::nullopt},
  };
  for (const auto& [command, words] : cases) {
    EXPECT_EQ(split_media_command_words(command), words) << '[' << command << ']';
  }
}

TEST(MediaCommand, ReadsEachFormWithKeywordsInAnyCase) {
  const std::pair<const char*, MediaCommand> cases[] = {
      {"open \"/music/a b.mid\" alias bgm", {MediaVerb::Open, "/music/a b.mid"}},
      {"OPEN \"Song.MID\" Alias BGM", {MediaVerb::Open, "Song.MID"}},
      {"open song.mid alias bgm", {MediaVerb::Open, "song.mid"}},
      {"play bgm", {MediaVerb::Play, ""}},
      {"Play Bgm", {MediaVerb::Play, ""}},
      {"status bgm mode", {MediaVerb::Status, ""}},
      {"STATUS bgm MODE", {MediaVerb::Status, ""}},
      {"seek bgm to start", {MediaVerb::Seek, ""}},
      {"\tSeek bgm TO Start ", {MediaVerb::Seek, ""}},
      {"close bgm", {MediaVerb::Close, ""}},
      {"CLOSE BGM", {MediaVerb::Close, ""}},
  };
  for (const auto& [command, expected] : cases) {
    EXPECT_EQ(parse_media_command(command), Parsed(expected)) << '[' << command << ']';
  }
}

TEST(MediaCommand, AnythingElseIsUnrecognized) {
  const char* const commands[] = {
      // no words, or a quote never closed
      "", "  ", "open \"unclosed alias bgm",
      // a word too few or too many
      "play", "play bgm wait", "status bgm", "seek bgm", "seek bgm to", "close bgm now",
      "open \"x.wav\"", "open \"x.wav\" alias", "open \"x.wav\" alias bgm now",
      // verbs, aliases and arguments the device does not have
      "stop bgm", "pause bgm", "playbgm", "bgm play", "play music", "close all",
      "status bgm position", "seek bgm to end", "open \"x.wav\" alias music",
      "open \"x.wav\" type bgm"};
  for (const char* command : commands) {
    EXPECT_EQ(parse_media_command(command), Parsed(media_error::kUnrecognizedCommand))
        << '[' << command << ']';
  }
}

TEST(MediaCommand, AnswerStartsEmptyAndFitsTheReplyToTheCapacity) {
  const auto answer = [](const char* command, unsigned capacity, std::string& reply) {
    return answer_media_command(command, reply, capacity, [](const MediaCommand&, std::string& r) {
      r = "playing";
      return 7u;
    });
  };
  std::string reply = "stale";
  EXPECT_EQ(answer("pause bgm", 256, reply), media_error::kUnrecognizedCommand);
  EXPECT_EQ(reply, "");
  const std::pair<unsigned, const char*> cases[] = {
      {0, ""}, {1, ""}, {2, "p"}, {7, "playin"}, {8, "playing"}, {256, "playing"}};
  for (const auto& [capacity, expected] : cases) {
    reply = "stale";
    EXPECT_EQ(answer("status bgm mode", capacity, reply), 7u);
    EXPECT_EQ(reply, expected) << "capacity " << capacity;
  }
}

}  // namespace
}  // namespace showsaver
