#include "music.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <span>
#include <string_view>

#include "formats/byte_writer.h"

namespace showsaver::demo {
namespace {

constexpr int kTicksPerBeat = 480;
constexpr int kBar = 4 * kTicksPerBeat;
constexpr int kBeatsPerMinute = 84;

struct Note {
  int start;  // ticks
  int length;
  int key;  // MIDI note number
  int velocity;
};

// One track's events in time order, written with delta times.
class Track {
 public:
  void meta(int type, std::span<const std::uint8_t> data) {
    event(0, {0xFF, std::uint8_t(type)});
    length(data.size());
    bytes_.append(data);
  }
  void text(int type, std::string_view text) {
    ByteWriter data;
    data.text(text);
    meta(type, data.bytes());
  }
  void program(int channel, int instrument) {
    event(0, {std::uint8_t(0xC0 | channel), std::uint8_t(instrument)});
  }
  void controller(int channel, int number, int value) {
    event(0, {std::uint8_t(0xB0 | channel), std::uint8_t(number), std::uint8_t(value)});
  }
  // The notes, any order, as note-on and note-off pairs.
  void notes(int channel, std::vector<Note> notes) {
    struct Change {
      int tick;
      bool on;
      int key, velocity;
    };
    std::vector<Change> changes;
    for (const Note& note : notes) {
      changes.push_back({note.start, true, note.key, note.velocity});
      changes.push_back({note.start + note.length, false, note.key, 0});
    }
    // At equal times, offs first, so that a repeated key sounds again.
    std::stable_sort(changes.begin(), changes.end(), [](const Change& a, const Change& b) {
      return a.tick != b.tick ? a.tick < b.tick : (!a.on && b.on);
    });
    for (const Change& change : changes) {
      event(change.tick,
            {std::uint8_t((change.on ? 0x90 : 0x80) | channel), std::uint8_t(change.key),
             std::uint8_t(change.on ? change.velocity : 64)});
    }
  }
  // The end of track at `tick`, so that the piece is exactly as long as its bars.
  std::vector<std::uint8_t> finish(int tick) {
    event(tick, {0xFF, 0x2F, 0x00});
    ByteWriter chunk;
    chunk.text("MTrk");
    chunk.u32_big_endian(std::uint32_t(bytes_.size()));
    chunk.append(bytes_.bytes());
    return chunk.take();
  }

 private:
  void event(int tick, std::initializer_list<std::uint8_t> data) {
    length(std::size_t(std::max(tick - now_, 0)));
    now_ = std::max(tick, now_);
    bytes_.append({data.begin(), data.size()});
  }
  // A variable-length quantity: seven bits a byte, high bit set on all but the last.
  void length(std::size_t value) {
    std::array<std::uint8_t, 5> groups{};
    int count = 0;
    do {
      groups[std::size_t(count++)] = std::uint8_t(value & 0x7F);
      value >>= 7;
    } while (value != 0);
    while (count-- > 0) {
      bytes_.u8(groups[std::size_t(count)] | (count > 0 ? 0x80 : 0));
    }
  }

  ByteWriter bytes_;
  int now_ = 0;
};

// The chords, one a bar: root for the bass, then the voicing.
struct Chord {
  int root;
  std::array<int, 4> voicing;
};
constexpr std::array<Chord, 8> kChords = {{
    {48, {60, 64, 67, 71}},  // Cmaj7
    {45, {60, 64, 67, 69}},  // Am7
    {41, {60, 65, 69, 72}},  // Fmaj7
    {43, {59, 62, 67, 69}},  // G6
    {40, {59, 62, 64, 67}},  // Em7
    {45, {60, 64, 67, 72}},  // Am
    {38, {60, 62, 65, 69}},  // Dm7
    {43, {59, 62, 65, 67}},  // G7
}};

// The melody, as (beat in the eight bars, beats long, key); 0 key = rest.
struct Tone {
  float beat, beats;
  int key;
};
constexpr std::array<Tone, 30> kMelody = {{
    {0, 1.5f, 76},  {1.5f, 0.5f, 74},  {2, 1, 72},    {3, 1, 74},        {4, 2, 76},
    {6, 1, 79},     {7, 1, 76},        {8, 1.5f, 77}, {9.5f, 0.5f, 76},  {10, 1, 74},
    {11, 1, 72},    {12, 3, 74},       {15, 1, 71},   {16, 1.5f, 72},    {17.5f, 0.5f, 74},
    {18, 1, 76},    {19, 1, 79},       {20, 2, 81},   {22, 1, 79},       {23, 1, 76},
    {24, 1.5f, 77}, {25.5f, 0.5f, 76}, {26, 1, 74},   {27, 1, 72},       {28, 1, 74},
    {29, 1, 71},    {30, 1, 67},       {31, 1, 74},   {31.5f, 0.5f, 72}, {31.75f, 0.25f, 71},
}};

}  // namespace

std::vector<std::uint8_t> compose_music() {
  constexpr int kRounds = 2;  // the eight bars twice, the melody an octave-doubled answer
  constexpr int kEnd = kRounds * 8 * kBar;
  std::vector<std::vector<std::uint8_t>> tracks;

  Track tempo;
  tempo.text(0x03, "showsaver demo");
  tempo.meta(0x58, std::array<std::uint8_t, 4>{4, 2, 24, 8});  // 4/4
  ByteWriter beat_us;
  beat_us.u24_big_endian(60'000'000 / kBeatsPerMinute);
  tempo.meta(0x51, beat_us.bytes());
  tracks.push_back(tempo.finish(kEnd));

  // Each part: channel, General MIDI program (0-based), volume, pan, reverb.
  const auto part = [&](std::string_view name, int channel, int instrument, int volume, int pan,
                        std::vector<Note> notes) {
    Track track;
    track.text(0x03, name);
    track.program(channel, instrument);
    track.controller(channel, 7, volume);
    track.controller(channel, 10, pan);
    track.controller(channel, 91, 70);
    track.notes(channel, std::move(notes));
    tracks.push_back(track.finish(kEnd));
  };

  std::vector<Note> pads, harp, bass, melody;
  for (int round = 0; round < kRounds; ++round) {
    for (std::size_t bar = 0; bar < kChords.size(); ++bar) {
      const Chord& chord = kChords[bar];
      const int start = (round * 8 + int(bar)) * kBar;
      for (int key : chord.voicing) pads.push_back({start, kBar - 20, key, 46});
      bass.push_back({start, kTicksPerBeat * 2 - 40, chord.root, 80});
      bass.push_back({start + kTicksPerBeat * 2, kTicksPerBeat - 40, chord.root + 7, 64});
      bass.push_back({start + kTicksPerBeat * 3, kTicksPerBeat - 40, chord.root + 12, 60});
      // Up and down the chord in eighths, an octave above the pads.
      constexpr std::array<int, 8> kPattern = {0, 1, 2, 3, 2, 1, 2, 1};
      for (std::size_t step = 0; step < kPattern.size(); ++step) {
        const int key = chord.voicing[std::size_t(kPattern[step])] + 12;
        harp.push_back(
            {start + int(step) * kTicksPerBeat / 2, kTicksPerBeat, key, step % 2 == 0 ? 58 : 44});
      }
    }
    for (const Tone& tone : kMelody) {
      const int start = round * 8 * kBar + int(tone.beat * kTicksPerBeat);
      const int length = int(tone.beats * kTicksPerBeat) - 30;
      melody.push_back({start, length, tone.key, round == 0 ? 78 : 84});
      if (round == 1) melody.push_back({start, length, tone.key - 12, 56});
    }
  }
  part("Pads", 0, 89, 78, 44, std::move(pads));      // Warm pad
  part("Harp", 1, 46, 70, 84, std::move(harp));      // Orchestral harp
  part("Bass", 2, 32, 92, 64, std::move(bass));      // Acoustic bass
  part("Melody", 3, 11, 96, 58, std::move(melody));  // Vibraphone

  ByteWriter file;
  file.text("MThd");
  file.u32_big_endian(6);  // the header's length
  file.u16_big_endian(1);  // tracks played together
  file.u16_big_endian(std::uint32_t(tracks.size()));
  file.u16_big_endian(kTicksPerBeat);
  for (const auto& track : tracks) file.append(track);
  return file.take();
}

}  // namespace showsaver::demo
