// Landscapes: ridges of fractal noise fading into the haze behind them,
// skies with a low sun or moon, and water that mirrors what is above it.
#include <cmath>

#include "noise.h"
#include "pictures.h"

namespace showsaver::demo {

Profile::Profile(int width, const std::function<float(float)>& height_at) {
  heights_.resize(std::size_t(width) * 4 + 9);
  for (std::size_t i = 0; i < heights_.size(); ++i) heights_[i] = height_at(float(i) / 4 - 1);
}

float Profile::at(float x) const {
  const float position = std::clamp((x + 1) * 4, 0.0f, float(heights_.size() - 2));
  const auto index = std::size_t(position);
  return mix(heights_[index], heights_[index + 1], position - float(index));
}

namespace {

// What water at (x, y) below the horizon `horizon` shows of `above`: its
// mirror image, broken up by ripples that grow towards the viewer, darkened
// and tinted towards `deep`.
template <class Above>
Rgb reflection(const Noise& noise, Above above, float x, float y, float horizon, float height,
               Rgb deep) {
  const float depth = (y - horizon) / (height - horizon);
  const float ripple = noise.fbm(x / (30 + 90 * depth), y / (1.5f + 10 * depth * depth), 3) - 0.5f;
  const float mirrored_y = 2 * horizon - y + ripple * (2 + 26 * depth);
  const Rgb mirrored = above(x + ripple * (4 + 40 * depth), std::min(mirrored_y, horizon - 0.5f));
  return mix(mirrored * (0.78f - 0.25f * depth), deep, 0.18f + 0.5f * depth);
}

// Glints on water along the column under a light at `light_x`.
float glitter(const Noise& noise, float x, float y, float horizon, float height, float light_x) {
  const float depth = (y - horizon) / (height - horizon);
  const float spread = 30 + 260 * depth;
  const float column = std::exp(-std::pow((x - light_x) / spread, 2.0f));
  const float sparkle = noise.value(x / (4 + 10 * depth), y / (0.8f + 3 * depth));
  return column * smoothstep(0.55f - 0.25f * column, 0.95f, sparkle);
}

}  // namespace

Canvas paint_mountain_dawn(int width, int height) {
  const float w = float(width), h = float(height);
  const Noise noise(11);
  const float sun_x = 0.70f * w, sun_y = 0.30f * h, sun_r = 0.035f * w;
  const std::vector<Rgb> sky = {hex(0x1C2A5E), hex(0x4B4B8F), hex(0xB96F8A), hex(0xF4A775),
                                hex(0xFFDDA6)};
  const auto sky_at = [&](float x, float y) {
    Rgb color = gradient(sky, y / (0.62f * h));
    const float distance = std::hypot(x - sun_x, y - sun_y);
    color += hex(0xFFD9A0) * (0.55f * std::exp(-distance / (0.11f * w)));
    color = mix(color, hex(0xFFF6DE), smoothstep(sun_r + 1, sun_r - 1, distance));
    // Thin streaks of cloud, lit pink from below.
    const float streak = noise.fbm(x / 380, y / 26, 5);
    const float cloud = smoothstep(0.56f, 0.74f, streak) * smoothstep(0.50f * h, 0.12f * h, y);
    return mix(color, mix(hex(0xFFB8A0), hex(0x8A5A8A), y / (0.5f * h)), 0.75f * cloud);
  };
  constexpr int kLayers = 6;
  std::vector<Profile> ridges;
  std::vector<float> bases;
  for (int k = 0; k < kLayers; ++k) {
    const float base = h * (0.52f + 0.085f * float(k));
    const float amplitude = h * (0.36f - 0.04f * float(k));
    const float scale = 520.0f - 60.0f * float(k);
    bases.push_back(base);
    ridges.emplace_back(width, [&, base, amplitude, scale, k](float x) {
      return base - amplitude * noise.ridged(x / scale, float(k) * 7.3f, 6);
    });
  }
  const Rgb haze = hex(0xF0B89A);
  Canvas canvas(width, height);
  canvas.shade(2, [&](float x, float y) {
    for (int k = kLayers - 1; k >= 0; --k) {
      const Profile& ridge = ridges[std::size_t(k)];
      const float top = ridge.at(x);
      if (y < top) continue;
      const float distance = 1 - float(k) / float(kLayers - 1);  // 1 far, 0 near
      // Near layers are dark violet rock; far ones melt into the haze.  The
      // crests catch the low sun along a thin rim.
      Rgb rock = mix(hex(0x1E1630), hex(0x6E5470), distance);
      rock = rock * (0.85f + 0.3f * noise.fbm(x / 40, y / 9 + float(k) * 9, 5) * (1 - distance));
      rock += hex(0xFFB08A) * (0.35f * std::exp(-(y - top) / 2.5f) * (1 - 0.5f * distance));
      const Rgb color = mix(rock, haze, 0.85f * distance * distance + 0.05f);
      // Mist lying in the valley below each ridge.
      const float mist =
          smoothstep(bases[std::size_t(k)] - 0.06f * h, bases[std::size_t(k)] + 0.10f * h, y) *
          (0.6f - 0.07f * float(k));
      return mix(color, mix(haze, hex(0xC7A0B4), 1 - distance), mist);
    }
    return sky_at(x, y);
  });
  return canvas;
}

Canvas paint_lake_sunset(int width, int height) {
  const float w = float(width), h = float(height);
  const Noise noise(23);
  const float horizon = 0.60f * h;
  const float sun_x = 0.56f * w, sun_y = horizon - 0.07f * h, sun_r = 0.045f * w;
  const std::vector<Rgb> sky = {hex(0x241845), hex(0x6B2F6B), hex(0xD2554E), hex(0xFF9A45),
                                hex(0xFFD67A)};
  const Profile far(
      width, [&](float x) { return horizon - 0.13f * h * noise.ridged(x / 420, 3.1f, 5) + 6; });
  const Profile near(width, [&](float x) {
    const float edge = std::pow(std::fabs(x / w - 0.5f) * 2, 2.0f);
    return horizon - 0.18f * h * edge * noise.fbm(x / 160, 8.2f, 5) * 1.6f + 4;
  });
  const auto above = [&](float x, float y) {
    if (y >= near.at(x)) return hex(0x241430);
    if (y >= far.at(x)) {
      return mix(hex(0x5E2E55), hex(0x3A1D3F), noise.fbm(x / 30, y / 30, 3) * 0.6f);
    }
    Rgb color = gradient(sky, y / horizon);
    const float distance = std::hypot(x - sun_x, (y - sun_y) * 1.15f);
    color += hex(0xFFB060) * (0.6f * std::exp(-distance / (0.09f * w)));
    color = mix(color, hex(0xFFF3C4), smoothstep(sun_r + 1, sun_r - 1, distance));
    // Clouds in long bands, gold near the horizon and purple higher up.
    const float density = noise.fbm(x / 280, y / 48, 6);
    const float cloud = smoothstep(0.52f, 0.72f, density) * smoothstep(horizon, horizon - 60, y);
    const float lit = noise.fbm(x / 90 + 3, y / 30 + 3, 3);
    const Rgb cloud_color = mix(hex(0xFFC070), hex(0x7A3A70), y / horizon) * (0.7f + 0.6f * lit);
    return mix(color, cloud_color, 0.85f * cloud);
  };
  Canvas canvas(width, height);
  canvas.shade(2, [&](float x, float y) {
    if (y < horizon) return above(x, y);
    Rgb water = reflection(noise, above, x, y, horizon, h, hex(0x1A1538));
    return water + hex(0xFFD890) * (0.9f * glitter(noise, x, y, horizon, h, sun_x));
  });
  return canvas;
}

Canvas paint_desert_dunes(int width, int height) {
  const float w = float(width), h = float(height);
  const Noise noise(37);
  const float horizon = 0.50f * h;
  const float sun_x = 0.80f * w, sun_y = horizon - 0.10f * h;
  const std::vector<Rgb> sky = {hex(0x3A5C96), hex(0x8FA6C8), hex(0xF2C08A), hex(0xFFE2A8)};
  constexpr int kLayers = 5;
  std::vector<Profile> crests;
  for (int k = 0; k < kLayers; ++k) {
    const float base = horizon + h * (0.02f + 0.11f * float(k) * (1 + 0.15f * float(k)));
    const float amplitude = h * (0.05f + 0.035f * float(k));
    const float scale = 260.0f + 120.0f * float(k);
    crests.emplace_back(width, [&, base, amplitude, scale, k](float x) {
      // Sharp crests: a ridge of low-frequency noise.
      const float n = noise.fbm(x / scale + float(k) * 5, float(k) * 2.7f, 2);
      return base - amplitude * (1 - std::fabs(2 * n - 1)) * 1.4f;
    });
  }
  Canvas canvas(width, height);
  canvas.shade(2, [&](float x, float y) {
    for (int k = kLayers - 1; k >= 0; --k) {
      const Profile& crest = crests[std::size_t(k)];
      const float top = crest.at(x);
      if (y < top) continue;
      const float distance = 1 - float(k) / float(kLayers - 1);
      // The sun is on the right: slopes that face it are bright, the others in shadow.
      // The shadow's edge runs down the slope at a slant from each crest and
      // fades out lower down, where the dune's foot is evenly lit.
      const float below = y - top;
      const float facing = mix(smoothstep(0.12f, -0.12f, crest.slope(x + below * 0.9f)), 0.65f,
                               smoothstep(20, 140, below));
      Rgb sand = mix(hex(0x8E4B3A), hex(0xF2B46C), facing);
      sand = sand * (0.92f + 0.16f * noise.value(x / 3, y / 3));
      const float ripples =
          std::sin(x * 0.21f + (y - top) * 0.9f + 9 * noise.fbm(x / 80, y / 40, 3));
      sand = sand * (1 + 0.06f * ripples * (1 - distance));
      return mix(sand, hex(0xF4C79A), 0.7f * distance * distance);
    }
    Rgb color = gradient(sky, y / horizon);
    const float distance = std::hypot(x - sun_x, y - sun_y);
    color += hex(0xFFC878) * (0.7f * std::exp(-distance / (0.07f * w)));
    return mix(color, hex(0xFFF8E0), smoothstep(31, 29, distance));
  });
  return canvas;
}

Canvas paint_moonlit_sea(int width, int height) {
  const float w = float(width), h = float(height);
  const Noise noise(41);
  const float horizon = 0.66f * h;
  const float moon_x = 0.30f * w, moon_y = 0.27f * h, moon_r = 0.055f * w;
  const std::vector<Rgb> sky = {hex(0x03061A), hex(0x0D1A3E), hex(0x26406E), hex(0x4A6A96)};
  Canvas stars(width, height);
  Random random(41);
  for (int i = 0; i < 900; ++i) {
    const float x = random.uniform(0, w), y = random.uniform(0, horizon);
    stars.add_glow(x, y, 0.6f, hex(0xDDE6FF) * (std::pow(random.uniform(), 4.0f) * 1.4f));
  }
  const auto above = [&](float x, float y) {
    Rgb color = gradient(sky, y / horizon) + stars.at(int(x), int(std::max(y, 0.0f)));
    const float distance = std::hypot(x - moon_x, y - moon_y);
    color += hex(0x9FB4E0) * (0.45f * std::exp(-distance / (0.08f * w)));
    // Clouds with silver rims where the moon lights them.
    const float density = noise.fbm(x / 300, y / 70, 6);
    const float cloud = smoothstep(0.5f, 0.75f, density);
    const float rim = std::exp(-distance / (0.15f * w));
    color = mix(color, mix(hex(0x1A2440), hex(0xC8D2EA), rim * (1.2f - density)), 0.8f * cloud);
    if (distance < moon_r + 1) {
      // The moon: its seas, craters and a darker limb.
      const float dx = (x - moon_x) / moon_r, dy = (y - moon_y) / moon_r;
      const float limb = std::sqrt(std::max(0.0f, 1 - dx * dx - dy * dy));
      const float seas = smoothstep(0.5f, 0.62f, noise.fbm(dx * 2.2f + 5, dy * 2.2f + 5, 4));
      const float craters = noise.ridged(dx * 7, dy * 7, 3);
      Rgb moon = mix(hex(0xF6F2E2), hex(0xB2B4B8), 0.6f * seas) * (0.8f + 0.25f * craters);
      moon = moon * (0.7f + 0.3f * limb);
      color = mix(color, moon, smoothstep(moon_r + 1, moon_r - 1, distance));
    }
    return color;
  };
  Canvas canvas(width, height);
  canvas.shade(2, [&](float x, float y) {
    if (y < horizon) return above(x, y);
    const float depth = (y - horizon) / (h - horizon);
    // Waves seen in perspective: finer and flatter towards the horizon.
    const float across = (x - w / 2) / (y - horizon + 8);
    const float waves = noise.fbm(across * 6, 300 / (y - horizon + 8), 5);
    Rgb sea = mix(hex(0x050B1E), hex(0x1C3152), waves * (0.5f + 0.5f * depth));
    sea = mix(sea, reflection(noise, above, x, y, horizon, h, hex(0x060C20)), 0.35f);
    const float light = glitter(noise, x, y, horizon, h, moon_x);
    return sea + hex(0xDCE6FF) * (1.1f * light * (0.6f + waves));
  });
  return canvas;
}

}  // namespace showsaver::demo
