// Geometric art: a Penrose tiling, a mandala, a Julia set, a sunflower's
// spiral, stained glass and tumbling blocks.
#include <array>
#include <cmath>
#include <complex>

#include "noise.h"
#include "pictures.h"

namespace showsaver::demo {
namespace {

constexpr float kPi = 3.14159265f;
using Point = std::complex<float>;

// Robinson triangles: halves of the thin (kind 0) and thick (kind 1) rhombs.
struct Robinson {
  int kind;
  Point a, b, c;
};

std::vector<Robinson> penrose_triangles(float radius, int generations) {
  const float golden = (1 + std::sqrt(5.0f)) / 2;
  std::vector<Robinson> triangles;
  for (int i = 0; i < 10; ++i) {
    Point b = std::polar(radius, float(2 * i - 1) * kPi / 10);
    Point c = std::polar(radius, float(2 * i + 1) * kPi / 10);
    if (i % 2 == 0) std::swap(b, c);
    triangles.push_back({0, {0, 0}, b, c});
  }
  for (int generation = 0; generation < generations; ++generation) {
    std::vector<Robinson> next;
    for (const Robinson& t : triangles) {
      if (t.kind == 0) {
        const Point p = t.a + (t.b - t.a) / golden;
        next.push_back({0, t.c, p, t.b});
        next.push_back({1, p, t.c, t.a});
      } else {
        const Point q = t.b + (t.a - t.b) / golden;
        const Point r = t.b + (t.c - t.b) / golden;
        next.push_back({1, r, t.c, t.a});
        next.push_back({1, q, r, t.b});
        next.push_back({0, r, q, t.a});
      }
    }
    triangles = std::move(next);
  }
  return triangles;
}

}  // namespace

Canvas paint_penrose_tiling(int width, int height) {
  const float w = float(width), h = float(height);
  const Noise noise(89);
  Canvas canvas(width, height, hex(0x101018));
  const Point centre(w / 2, h / 2);
  const std::vector<Robinson> triangles = penrose_triangles(std::hypot(w, h) * 0.62f, 7);
  for (const Robinson& t : triangles) {
    const Point middle = centre + (t.a + t.b + t.c) / 3.0f;
    const float angle = std::arg(middle - centre) / (2 * kPi) + 0.5f;
    const float distance = std::abs(middle - centre) / (0.6f * w);
    const float tint = noise.fbm(middle.real() / 300, middle.imag() / 300, 3);
    const Rgb thin = hsv(0.50f + 0.12f * angle + 0.1f * tint, 0.75f, 0.55f + 0.25f * tint);
    const Rgb thick = hsv(0.08f + 0.05f * std::sin(angle * 2 * kPi), 0.45f + 0.3f * distance,
                          0.95f - 0.3f * distance);
    const Point a = centre + t.a, b = centre + t.b, c = centre + t.c;
    const float xs[3] = {a.real(), b.real(), c.real()};
    const float ys[3] = {a.imag(), b.imag(), c.imag()};
    canvas.fill_triangle(xs, ys, t.kind == 0 ? thin : thick);
  }
  // The rhombs' outlines: each triangle's two sides from its apex.
  for (const Robinson& t : triangles) {
    const Point a = centre + t.a, b = centre + t.b, c = centre + t.c;
    canvas.draw_line(c.real(), c.imag(), a.real(), a.imag(), 2.0f, hex(0x2A1A10), 0.9f);
    canvas.draw_line(a.real(), a.imag(), b.real(), b.imag(), 2.0f, hex(0x2A1A10), 0.9f);
  }
  // A soft light from the upper left and a darker rim.
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const float light = std::exp(-std::hypot(float(x) - 0.3f * w, float(y) - 0.25f * h) / w);
      canvas.at(x, y) = canvas.at(x, y) * (0.55f + 0.75f * light);
    }
  }
  return canvas;
}

Canvas paint_mandala(int width, int height) {
  const float w = float(width), h = float(height);
  struct Ring {
    float inner, outer;
    int petals;
    Rgb base, tip;
    float turn;  // in petals
  };
  const float s = h / 720;
  const std::array<Ring, 6> rings = {{
      {300 * s, 352 * s, 32, hex(0x12355C), hex(0x4FB0C6), 0.5f},
      {235 * s, 320 * s, 24, hex(0x5C1240), hex(0xE0508A), 0},
      {170 * s, 255 * s, 16, hex(0x7A3A0C), hex(0xF2B440), 0.5f},
      {110 * s, 190 * s, 12, hex(0x0C4A3A), hex(0x5FE0A0), 0},
      {55 * s, 125 * s, 8, hex(0x4A1A6A), hex(0xC490F0), 0.5f},
      {0, 70 * s, 6, hex(0xA04010), hex(0xFFE08A), 0},
  }};
  Canvas canvas(width, height);
  canvas.shade(3, [&](float x, float y) {
    const float dx = x - w / 2, dy = y - h / 2;
    const float r = std::hypot(dx, dy);
    const float theta = std::atan2(dy, dx);
    // A dark indigo ground with faint rays.
    Rgb color = mix(hex(0x1C1040), hex(0x06040E), smoothstep(0, 0.75f * w, r));
    color = color * (0.85f + 0.15f * std::cos(theta * 48));
    // Beads between the rings.
    for (float bead_r : {366 * s, 268 * s, 200 * s}) {
      const int count = int(bead_r / (7 * s));
      const float step = 2 * kPi / float(count);
      const float nearest = std::round(theta / step) * step;
      const float bx = bead_r * std::cos(nearest) - dx, by = bead_r * std::sin(nearest) - dy;
      const float d = std::hypot(bx, by);
      color = mix(color, hex(0xFFE6A8) * (1.2f - d / (5 * s)), smoothstep(4.2f * s, 3.2f * s, d));
    }
    for (const Ring& ring : rings) {
      if (r > ring.outer || r < ring.inner) continue;
      const float u = (r - ring.inner) / (ring.outer - ring.inner);
      const float sector = 2 * kPi / float(ring.petals);
      float a = theta / sector + ring.turn;
      a = std::fabs(a - std::round(a)) * 2;  // 0 at a petal's middle, 1 between petals
      const float half_width =
          std::pow(std::sin(kPi * (0.08f + 0.92f * u)), 0.7f) * (1 - 0.6f * u * u);
      if (u < 1 && a < half_width) {
        const float edge = (half_width - a) * r * sector / 2;
        const float vein = std::exp(-a * a * 400);
        Rgb petal = mix(ring.base, ring.tip, u * 0.8f + 0.2f * (1 - a));
        petal = petal * (0.75f + 0.5f * (1 - a)) + hex(0xFFF0D0) * (0.25f * vein * u);
        return mix(hex(0x1A0E08), petal, smoothstep(0.4f, 2.2f, edge));
      }
    }
    return color;
  });
  return canvas;
}

Canvas paint_julia_set(int width, int height, int variant) {
  const float w = float(width), h = float(height);
  const std::complex<double> c =
      variant == 0 ? std::complex<double>(-0.7269, 0.1889) : std::complex<double>(-0.4, 0.6);
  const std::vector<Rgb> palette =
      variant == 0 ? std::vector<Rgb>{hex(0x000814), hex(0x0B2D5C), hex(0x1E7FA8), hex(0x8FE3E0),
                                      hex(0xFFF2C4), hex(0xF29E4C), hex(0x8A2B4A), hex(0x000814)}
                   : std::vector<Rgb>{hex(0x0A0312), hex(0x3A0F4A), hex(0xA02A6A), hex(0xF26A4A),
                                      hex(0xFFD08A), hex(0x8AE0C0), hex(0x1A5A6A), hex(0x0A0312)};
  Canvas canvas(width, height);
  canvas.shade(2, [&](float x, float y) {
    std::complex<double> z((x - w / 2) / (h * 0.42), (y - h / 2) / (h * 0.42));
    constexpr int kLimit = 400;
    int n = 0;
    while (n < kLimit && std::norm(z) < 256) {
      z = z * z + c;
      ++n;
    }
    if (n == kLimit) return hex(0x02030A);
    const double smooth = double(n) + 1 - std::log2(std::log2(std::norm(z)) / 2);
    const float t = float(std::fmod(std::sqrt(std::max(smooth, 0.0)) * 0.19, 1.0));
    return gradient(palette, t);
  });
  return canvas;
}

Canvas paint_sunflower_spiral(int width, int height, int variant) {
  const float hue_shift = variant == 0 ? 0.0f : 0.55f;
  const float w = float(width), h = float(height);
  Canvas canvas(width, height);
  canvas.shade(1, [&](float x, float y) {
    const float r = std::hypot(x - w / 2, y - h / 2);
    return mix(variant == 0 ? hex(0x1A2A10) : hex(0x10183A), hex(0x030604),
               smoothstep(0, 0.7f * w, r));
  });
  constexpr int kSeeds = 2600;
  const float spacing = std::hypot(w, h) / 2 / std::sqrt(float(kSeeds)) * 1.02f;
  const float golden_angle = kPi * (3 - std::sqrt(5.0f));
  for (int i = kSeeds - 1; i >= 0; --i) {
    const float r = spacing * std::sqrt(float(i) + 0.5f);
    const float angle = float(i) * golden_angle;
    const float x = w / 2 + r * std::cos(angle), y = h / 2 + r * std::sin(angle);
    const float share = float(i) / float(kSeeds);
    // Seeds in the middle, petals of flame colours around them; the
    // 21- and 34-armed spirals show as stripes of hue.
    const float arms = 0.5f + 0.5f * std::cos(2 * kPi * float(i % 34) / 34);
    const float stripe = 0.06f * std::cos(2 * kPi * float(i % 21) / 21);
    const Rgb color = hsv(0.02f + 0.12f * share + stripe + hue_shift, 0.9f - 0.3f * share * share,
                          (0.45f + 0.55f * arms) * (0.55f + 0.45f * share));
    const float radius = spacing * (0.78f + 0.08f * share);
    canvas.fill_disc(x + 2, y + 2.5f, radius, hex(0x000000), 0.45f);
    canvas.fill_disc(x, y, radius, color);
    canvas.fill_disc(x - radius * 0.3f, y - radius * 0.3f, radius * 0.35f, hex(0xFFFFFF), 0.25f);
  }
  return canvas;
}

Canvas paint_stained_glass(int width, int height) {
  const float w = float(width), h = float(height);
  const Noise noise(101);
  constexpr float kCell = 64;
  const int columns = int(std::ceil(w / kCell)) + 1, rows = int(std::ceil(h / kCell)) + 1;
  struct Seed {
    float x, y;
    Rgb color;
  };
  const std::vector<Rgb> glass = {hex(0x1F4FB4), hex(0xC0263A), hex(0xF2B632), hex(0x2E8C4A),
                                  hex(0x6A2FA0), hex(0x2AA0C8), hex(0xE86A1E)};
  std::vector<Seed> seeds;
  Random random(101);
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      const float x = (float(column) + random.uniform(0.1f, 0.9f)) * kCell;
      const float y = (float(row) + random.uniform(0.1f, 0.9f)) * kCell;
      // Rings of colour around the centre, varied a little cell by cell.
      const float ring = std::hypot(x - w / 2, y - h / 2) / (0.13f * w) + random.uniform(0, 0.6f);
      seeds.push_back(
          {x, y, glass[std::size_t(ring + 7 * noise.value(x / 400, y / 400)) % glass.size()]});
    }
  }
  Canvas canvas(width, height);
  canvas.shade(2, [&](float x, float y) {
    const int column = int(x / kCell), row = int(y / kCell);
    float first = 1e9f, second = 1e9f;
    const Seed* nearest = &seeds.front();
    for (int j = std::max(0, row - 2); j <= std::min(rows - 1, row + 2); ++j) {
      for (int i = std::max(0, column - 2); i <= std::min(columns - 1, column + 2); ++i) {
        const Seed& seed = seeds[std::size_t(j * columns + i)];
        const float d = std::hypot(x - seed.x, y - seed.y);
        if (d < first) {
          second = first;
          first = d;
          nearest = &seed;
        } else if (d < second) {
          second = d;
        }
      }
    }
    // Lead where two cells meet; light through the glass, brightest in the
    // middle of the window and streaked by the glass itself.
    const float lead = (second - first) / 2;
    const float light =
        0.45f + 0.8f * std::exp(-std::hypot(x - 0.45f * w, y - 0.35f * h) / (0.5f * w));
    const float streaks = 0.8f + 0.35f * noise.fbm(x / 9 + nearest->x, y / 40, 3);
    const Rgb pane = nearest->color * (light * streaks) +
                     hex(0xFFFFFF) * (0.15f * smoothstep(12, 0, first) * light);
    const Rgb metal = mix(hex(0x1A1A1E), hex(0x5A5A60), smoothstep(3.2f, 0, std::fabs(lead - 1)));
    return mix(metal, pane, smoothstep(2.2f, 3.6f, lead));
  });
  return canvas;
}

Canvas paint_tumbling_blocks(int width, int height) {
  const float w = float(width), h = float(height);
  const Noise noise(113);
  constexpr float kSize = 38;  // a hexagon's corner radius
  const float root3 = std::sqrt(3.0f);
  Canvas canvas(width, height);
  canvas.shade(3, [&](float x, float y) {
    // The nearest centre of a pointy-top hexagonal grid (axial coordinates).
    const float q = (root3 / 3 * x - y / 3) / kSize, r = (2.0f / 3 * y) / kSize;
    float cx = std::round(q), cz = std::round(r), cy = std::round(-q - r);
    const float qd = std::fabs(cx - q), rd = std::fabs(cz - r), sd = std::fabs(cy + q + r);
    if (qd > rd && qd > sd) {
      cx = -cy - cz;
    } else if (rd > sd) {
      cz = -cx - cy;
    }
    const float centre_x = kSize * root3 * (cx + cz / 2), centre_y = kSize * 1.5f * cz;
    const float dx = x - centre_x, dy = y - centre_y;
    // Three rhombs make a cube seen from above: top, left and right faces.
    const float angle = std::atan2(-dy, dx) * 180 / kPi;
    const int face = (angle >= 30 && angle < 150) ? 0 : (angle >= -90 && angle < 30) ? 2 : 1;
    const float hue = noise.fbm(centre_x / 500, centre_y / 500, 3);
    const Rgb block =
        gradient({hex(0x0F4C5C), hex(0x2E9C9C), hex(0xF2C46D), hex(0xE36A3A), hex(0x8A2846)},
                 hue * 1.6f - 0.3f);
    const float shades[3] = {1.25f, 0.8f, 0.5f};
    Rgb color = block * shades[face];
    // Dark seams along the faces' edges.
    const float seam_a = std::fabs(dx), seam_b = std::fabs(dx * 0.5f + dy * root3 / 2);
    const float seam_c = std::fabs(-dx * 0.5f + dy * root3 / 2);
    float seam = 1e9f;
    if (face == 0) seam = std::min(seam_b, seam_c);  // the top face meets the sides at these
    if (face == 1) seam = std::min(seam_a, seam_c);
    if (face == 2) seam = std::min(seam_a, seam_b);
    const float hexagon_edge =
        kSize * root3 / 2 - std::max({std::fabs(dx), std::fabs(dx * 0.5f + dy * root3 / 2),
                                      std::fabs(-dx * 0.5f + dy * root3 / 2)});
    seam = std::min(seam, hexagon_edge);
    color = color * (0.9f + 0.2f * noise.value(x / 5, y / 5));
    const float vignette =
        1 - 0.45f * std::pow(std::hypot(x / w - 0.5f, y / h - 0.5f) * 1.4f, 2.0f);
    return mix(hex(0x140C10), color, smoothstep(0.4f, 1.6f, seam)) * vignette;
  });
  return canvas;
}

}  // namespace showsaver::demo
