// Hot-air balloons: a sprite laid over the mountains at dawn with the
// background colour as its transparent colour.
#include <cmath>

#include "pictures.h"

namespace showsaver::demo {
namespace {

constexpr float kPi = 3.14159265f;

struct Balloon {
  float x, y;  // the envelope's centre
  float size;  // the envelope's radius
  std::vector<Rgb> gores;
  float haze;  // 0 near, towards 1 far away
};

// Half the envelope's width at height dy below its centre (negative: above),
// or a negative value outside it.
float envelope_half_width(float dy, float size) {
  if (dy < -size) return -1;
  if (dy <= 0) return std::sqrt(size * size - dy * dy);
  const float throat = 1.15f * size;
  if (dy > throat) return -1;
  const float t = dy / throat;
  return size * (0.2f + 0.8f * std::pow(1 - t * t, 1.3f));
}

// The balloon's colour at (x, y), if it covers it.
bool balloon_color(const Balloon& balloon, float x, float y, Rgb& color) {
  const float s = balloon.size;
  const float dx = x - balloon.x, dy = y - balloon.y;
  const float half = envelope_half_width(dy, s);
  if (half > 0 && std::fabs(dx) < half) {
    const float across = std::asin(std::clamp(dx / half, -1.0f, 1.0f)) / kPi + 0.5f;  // 0..1
    const std::size_t gore = std::size_t(across * 10) % balloon.gores.size();
    // Lit from the sun on the right: a round shading with a highlight.
    const float nx = dx / half, ny = std::clamp(dy / (1.2f * s), -1.0f, 1.0f);
    const float nz = std::sqrt(std::max(0.0f, 1 - nx * nx * 0.9f));
    const float light = std::max(0.0f, 0.55f * nx - 0.35f * ny + 0.6f * nz);
    const float seam = std::fabs(across * 10 - std::round(across * 10));
    color = balloon.gores[gore] * (0.3f + 0.85f * light);
    color = mix(color * 0.6f, color, smoothstep(0.0f, 0.06f, seam));
    color += hex(0xFFE8C8) * (0.35f * std::pow(std::max(0.0f, 0.6f * nx - 0.6f * ny + 0.3f), 6.0f));
  } else {
    // Basket and the ropes up to the throat.
    const float basket_top = 1.32f * s, basket_bottom = 1.5f * s, basket_half = 0.15f * s;
    const float throat = 1.15f * s, throat_half = 0.2f * s;
    if (dy >= basket_top && dy <= basket_bottom && std::fabs(dx) <= basket_half) {
      const float weave = 0.85f + 0.15f * std::sin(dx * 1.7f) * std::sin(dy * 1.7f);
      color = hex(0x6A4424) * weave * (dx > 0 ? 1.15f : 0.8f);
    } else if (dy > throat && dy < basket_top) {
      const float t = (dy - throat) / (basket_top - throat);
      const float edge = mix(throat_half, basket_half, t);
      if (std::fabs(std::fabs(dx) - edge) > 0.012f * s + 0.35f) return false;
      color = hex(0x3A2A20);
    } else {
      return false;
    }
  }
  color = mix(color, hex(0xE8B8A0), balloon.haze);
  return true;
}

}  // namespace

Canvas paint_balloons(const Canvas& under, int left, int top, int width, int height,
                      Rgb transparent) {
  const float w = float(width), h = float(height);
  const std::vector<Balloon> balloons = {
      {0.30f * w,
       0.38f * h,
       0.24f * h,
       {hex(0xD8283A), hex(0xF2C030), hex(0x2A5CC8), hex(0xF2F2F2), hex(0x2AA060)},
       0},
      {0.80f * w, 0.22f * h, 0.09f * h, {hex(0x7A2AB0), hex(0xF28A30)}, 0.35f},
  };
  Canvas sprite(width, height, transparent);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      Rgb sum;
      int covered = 0;
      constexpr int kSamples = 4;
      for (int j = 0; j < kSamples; ++j) {
        for (int i = 0; i < kSamples; ++i) {
          const float sx = float(x) + (float(i) + 0.5f) / kSamples;
          const float sy = float(y) + (float(j) + 0.5f) / kSamples;
          for (const Balloon& balloon : balloons) {
            Rgb color;
            if (balloon_color(balloon, sx, sy, color)) {
              sum += color;
              ++covered;
              break;
            }
          }
        }
      }
      if (covered == 0) continue;
      // The rim is blended with the picture it will lie over, and no
      // covered pixel may come out as the transparent colour.
      const float share = float(covered) / (kSamples * kSamples);
      Rgb color = sum * (1.0f / float(covered));
      color = mix(under.at(left + x, top + y), color, share);
      if (std::fabs(color.r - transparent.r) < 1.0f / 255 &&
          std::fabs(color.g - transparent.g) < 1.0f / 255 &&
          std::fabs(color.b - transparent.b) < 1.0f / 255) {
        color.r = transparent.r > 0.5f ? transparent.r - 2.0f / 255 : transparent.r + 2.0f / 255;
      }
      sprite.at(x, y) = color;
    }
  }
  return sprite;
}

}  // namespace showsaver::demo
