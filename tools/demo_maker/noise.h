// Seeded randomness for the painters: a small generator and smooth value
// noise with fractal sums.  Integer hashing only, so every run and every
// machine draws the same pictures.
#pragma once

#include <cmath>
#include <cstdint>

namespace showsaver::demo {

// SplitMix64: a fixed, well-mixed sequence from any seed.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform in [0, 1).
  float uniform() { return float(next() >> 40) / float(1u << 24); }
  float uniform(float low, float high) { return low + (high - low) * uniform(); }

 private:
  std::uint64_t state_;
};

// Smooth noise in [0, 1] over the plane, one lattice value per integer point.
class Noise {
 public:
  explicit Noise(std::uint32_t seed) : seed_(seed) {}

  float value(float x, float y) const {
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const auto ix = std::int32_t(fx);
    const auto iy = std::int32_t(fy);
    const float tx = fade(x - fx);
    const float ty = fade(y - fy);
    const float top = lerp(lattice(ix, iy), lattice(ix + 1, iy), tx);
    const float bottom = lerp(lattice(ix, iy + 1), lattice(ix + 1, iy + 1), tx);
    return lerp(top, bottom, ty);
  }

  // Fractal sum of `octaves` layers, each twice as fine and half as strong; in [0, 1].
  float fbm(float x, float y, int octaves, float gain = 0.5f) const {
    float sum = 0, amplitude = 1, total = 0;
    for (int octave = 0; octave < octaves; ++octave) {
      sum += amplitude * value(x, y);
      total += amplitude;
      amplitude *= gain;
      // Each octave rotated a little, so the lattice does not line up.
      const float rx = x * 1.6f + y * 1.2f + 17.3f;
      y = y * 1.6f - x * 1.2f + 5.1f;
      x = rx;
    }
    return sum / total;
  }

  // Sharp crests: 1 - |2n - 1| summed the same way; in [0, 1].
  float ridged(float x, float y, int octaves) const {
    float sum = 0, amplitude = 1, total = 0;
    for (int octave = 0; octave < octaves; ++octave) {
      const float n = 1 - std::fabs(2 * value(x, y) - 1);
      sum += amplitude * n * n;
      total += amplitude;
      amplitude *= 0.5f;
      x = x * 2.03f + 11.7f;
      y = y * 2.03f + 3.9f;
    }
    return sum / total;
  }

 private:
  static float fade(float t) { return t * t * t * (t * (t * 6 - 15) + 10); }
  static float lerp(float a, float b, float t) { return a + (b - a) * t; }
  float lattice(std::int32_t x, std::int32_t y) const {
    std::uint32_t h = seed_ ^ (std::uint32_t(x) * 0x8DA6B343u) ^ (std::uint32_t(y) * 0xD8163841u);
    h = (h ^ (h >> 16)) * 0x7FEB352Du;
    h = (h ^ (h >> 15)) * 0x846CA68Bu;
    h ^= h >> 16;
    return float(h >> 8) / float(1u << 24);
  }

  std::uint32_t seed_;
};

}  // namespace showsaver::demo
