// Skies: the Milky Way over a wooded hill, an aurora over a mountain lake,
// and a neon sun over a grid running to the horizon.
#include <cmath>

#include "noise.h"
#include "pictures.h"

namespace showsaver::demo {
namespace {

// Scatters stars, more of them where `density(x, y)` is high, with colours
// from blue-white to warm and a few bright ones with a wider glow.
template <class Density>
void scatter_stars(Canvas& canvas, std::uint64_t seed, int count, float sky_bottom,
                   Density density) {
  Random random(seed);
  for (int i = 0; i < count; ++i) {
    const float x = random.uniform(0, float(canvas.width()));
    const float y = random.uniform(0, sky_bottom);
    const float chance = random.uniform();
    const float brightness = std::pow(random.uniform(), 7.0f) * 2.2f + 0.06f;
    const Rgb color = mix(hex(0xA8C4FF), hex(0xFFD8A8), random.uniform());
    if (chance > density(x, y)) continue;
    canvas.add_glow(x, y, 0.55f + 0.9f * std::min(brightness, 1.0f), color * brightness);
    if (brightness > 1.2f) canvas.add_glow(x, y, 5, color * 0.05f);
  }
}

// A pine: a trunk line with tiers of branches that widen downwards.
bool inside_pine(float x, float y, float foot_x, float foot_y, float tall, float wide) {
  const float from_top = y - (foot_y - tall);
  if (from_top < 0 || y > foot_y + 4) return false;
  const float along = from_top / tall;
  const float tier = along * 7 - std::floor(along * 7);
  const float half = wide * along * (0.55f + 0.45f * tier) / 2;
  return std::fabs(x - foot_x) < std::max(half, 1.0f);
}

}  // namespace

Canvas paint_star_field(int width, int height) {
  const float w = float(width), h = float(height);
  const Noise noise(53);
  // The band runs from the lower left to the upper right.
  const float band_x = 0.15f * w, band_y = h, band_dx = 0.62f, band_dy = -0.78f;
  const auto band_distance = [&](float x, float y) {
    return std::fabs((x - band_x) * band_dy - (y - band_y) * band_dx);
  };
  const std::vector<Rgb> sky = {hex(0x020310), hex(0x07102A), hex(0x12244A), hex(0x2A3A5C)};
  Canvas canvas(width, height);
  canvas.shade(1, [&](float x, float y) {
    const float d = band_distance(x, y);
    const float glow = std::exp(-std::pow(d / (0.16f * w), 2.0f));
    const float clouds = noise.fbm(x / 160, y / 160, 6);
    const float dust = smoothstep(0.48f, 0.68f, noise.fbm(x / 60 + 9, y / 60, 5)) *
                       std::exp(-std::pow(d / (0.05f * w), 2.0f));
    const Rgb band = mix(hex(0x5A6EA8), hex(0xE4CFAE), clouds) * (glow * (0.2f + 0.9f * clouds));
    return gradient(sky, y / h) + band * (1 - 0.85f * dust);
  });
  scatter_stars(canvas, 53, 26000, 0.9f * h, [&](float x, float y) {
    return 0.18f + 0.82f * std::exp(-std::pow(band_distance(x, y) / (0.12f * w), 2.0f));
  });
  // A wooded hill in front, its rim faintly lit by the sky.
  const Profile hill(width, [&](float x) {
    return h * (0.80f + 0.06f * std::sin(x / w * 3.1f + 0.6f)) - 40 * noise.fbm(x / 90, 3, 4);
  });
  struct Pine {
    float x, tall, wide;
  };
  std::vector<Pine> pines;
  Random random(54);
  for (float x = -20; x < w + 20; x += random.uniform(14, 70)) {
    pines.push_back({x, random.uniform(0.07f, 0.2f) * h, random.uniform(24, 46)});
  }
  canvas.overlay(
      3,
      [&](float x, float y) {
        if (y > hill.at(x)) return true;
        for (const Pine& pine : pines) {
          if (std::fabs(x - pine.x) < pine.wide &&
              inside_pine(x, y, pine.x, hill.at(pine.x), pine.tall, pine.wide)) {
            return true;
          }
        }
        return false;
      },
      [&](float x, float y) {
        return mix(hex(0x02040A), hex(0x0C1526),
                   smoothstep(h * 0.7f, h, y) * 0.3f + 0.1f * noise.value(x / 6, y / 6));
      });
  return canvas;
}

Canvas paint_aurora(int width, int height) {
  const float h = float(height);
  const Noise noise(67);
  const float horizon = 0.66f * h;
  const std::vector<Rgb> sky = {hex(0x01030C), hex(0x03102A), hex(0x0A2A3A)};
  Canvas heavens(width, height);
  heavens.shade(2, [&](float x, float y) {
    Rgb color = gradient(sky, y / horizon);
    for (int i = 0; i < 3; ++i) {
      const float fi = float(i);
      // The curtain's lower edge wanders; its light rises from there in rays.
      const float edge =
          h * (0.30f + 0.09f * fi) + 0.14f * h * (noise.fbm(x / 520 + fi * 3.7f, fi, 4) - 0.5f) * 2;
      const float above = edge - y;
      const float fall = above >= 0 ? std::exp(-above / (0.16f * h)) : std::exp(above / 22);
      const float rays = 0.35f + 0.65f * noise.fbm(x / 7 + fi * 40, edge / 400 + fi, 3);
      const float folds = 0.3f + 0.9f * noise.fbm(x / 180 + fi * 9, fi * 2, 4);
      const float strength = fall * rays * folds * (0.8f - 0.22f * fi);
      const float height_share = clamp01(above / (0.28f * h));
      const Rgb light =
          gradient({hex(0x7DFFB2), hex(0x3CE0C4), hex(0x6A5CFF), hex(0xC060E0)}, height_share);
      color += light * strength;
    }
    return color;
  });
  scatter_stars(heavens, 67, 2200, horizon, [](float, float) { return 1.0f; });
  const Profile peaks(width, [&](float x) {
    return horizon - 0.26f * h * noise.ridged(x / 260 + 2, 4.4f, 6) + 12;
  });
  const auto above = [&](float x, float y) {
    const float top = peaks.at(x);
    if (y < top) return heavens.sample(x, y);
    // Snow on the heights, dark rock lower down and in the gullies, all lit
    // faintly green by the aurora; the faces to the left catch more of it.
    const float height_share = (horizon - y) / (0.2f * h);
    const float snow =
        smoothstep(0.4f, 0.7f, noise.fbm(x / 70, y / 22, 5) * 0.8f + 0.45f * height_share);
    const float shade = 0.7f + 0.3f * noise.fbm(x / 12 + 40, y / 30, 3);
    return mix(hex(0x1C2A36), hex(0x9CCAC2), snow) * shade +
           hex(0x7DFFC8) * (0.3f * std::exp(-(y - top) / 2.5f));
  };
  Canvas canvas(width, height);
  canvas.shade(2, [&](float x, float y) {
    if (y < horizon) return above(x, y);
    const float depth = (y - horizon) / (h - horizon);
    const float ripple = noise.fbm(x / (40 + 80 * depth), y / (2 + 8 * depth), 3) - 0.5f;
    const Rgb mirrored =
        above(x + ripple * 20 * depth, 2 * horizon - y + ripple * (3 + 14 * depth));
    return mix(mirrored * 0.7f, hex(0x02080E), 0.2f + 0.45f * depth);
  });
  return canvas;
}

Canvas paint_neon_horizon(int width, int height) {
  const float w = float(width), h = float(height);
  const Noise noise(79);
  const float horizon = 0.62f * h;
  const float sun_x = w / 2, sun_y = horizon - 0.20f * h, sun_r = 0.23f * h;
  const std::vector<Rgb> sky = {hex(0x0A0320), hex(0x2A0C52), hex(0x8A1C7C), hex(0xFF4F7E),
                                hex(0xFFB36B)};
  const Profile hills(width, [&](float x) {
    const float side = smoothstep(0.18f * w, 0.42f * w, std::fabs(x - w / 2));
    return horizon - side * 0.16f * h * noise.ridged(x / 140, 1.7f, 3);
  });
  Canvas canvas(width, height);
  canvas.shade(3, [&](float x, float y) {
    if (y < horizon) {
      if (y >= hills.at(x)) {
        // Dark hills with a glowing magenta crest line.
        const float below = y - hills.at(x);
        return mix(hex(0xFF5AD8), hex(0x16062C), smoothstep(0, 3, below));
      }
      Rgb color = gradient(sky, y / horizon);
      const float distance = std::hypot(x - sun_x, y - sun_y);
      color += hex(0xFF5A9A) * (0.5f * std::exp(-std::max(distance - sun_r, 0.0f) / (0.06f * w)));
      const float t = (y - (sun_y - sun_r)) / (2 * sun_r);
      // Bands cut out of the sun's lower half, widening downwards.
      const float band = (y - sun_y) / (sun_r * 0.11f);
      const float gap = std::max(0.0f, (y - sun_y) / sun_r) * 0.45f;
      const bool cut = y > sun_y && band - std::floor(band) < gap;
      if (!cut) {
        const Rgb sun = gradient({hex(0xFFF08A), hex(0xFFB050), hex(0xFF3F8E)}, t);
        color = mix(color, sun, smoothstep(sun_r + 0.7f, sun_r - 0.7f, distance));
      }
      return color;
    }
    // The grid: lines of constant x and depth projected onto the ground.
    const float below = y - horizon + 0.5f;
    const float across = (x - w / 2) / below * 9;
    const float depth = 2200 / below;
    const float across_px = std::fabs(across - std::round(across)) * below / 9;
    const float depth_px = std::fabs(depth - std::round(depth)) * below * below / 2200;
    const float line =
        std::max(smoothstep(1.6f, 0.2f, across_px), smoothstep(1.4f, 0.2f, depth_px));
    const float glow = std::max(std::exp(-across_px / 3), std::exp(-depth_px / 3)) * 0.3f;
    const float fade = smoothstep(0, 0.3f * h, below);
    Rgb ground = mix(hex(0x2A0A3A), hex(0x0A0016), smoothstep(0, 0.2f * h, below));
    ground += hex(0xFF6AD0) * (0.25f * std::exp(-std::fabs(x - sun_x) / (0.08f * w)) *
                               std::exp(-below / (0.2f * h)));
    return ground + mix(hex(0xFF4FD8), hex(0x5AE8FF), fade) * ((line + glow) * fade);
  });
  return canvas;
}

}  // namespace showsaver::demo
