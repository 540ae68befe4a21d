// The demo's music, written as a Standard MIDI File.
#pragma once

#include <cstdint>
#include <vector>

namespace showsaver::demo {

// A gentle piece in C major that loops without a seam: warm pads, a harp
// arpeggio, a bass line and a vibraphone melody over sixteen bars, General
// MIDI instruments on four channels.  Format 1, a tempo track and one track
// per part.
std::vector<std::uint8_t> compose_music();

}  // namespace showsaver::demo
