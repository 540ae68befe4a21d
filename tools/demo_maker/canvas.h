// The demo's pictures: a floating-point RGB canvas, the small colour algebra
// the painters use, and the 24-bit Windows bitmap they are stored as.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace showsaver::demo {

struct Rgb {
  float r = 0, g = 0, b = 0;
};

inline Rgb operator+(Rgb a, Rgb b) {
  return {a.r + b.r, a.g + b.g, a.b + b.b};
}
inline Rgb operator-(Rgb a, Rgb b) {
  return {a.r - b.r, a.g - b.g, a.b - b.b};
}
inline Rgb operator*(Rgb a, float s) {
  return {a.r * s, a.g * s, a.b * s};
}
inline Rgb operator*(Rgb a, Rgb b) {
  return {a.r * b.r, a.g * b.g, a.b * b.b};
}
inline Rgb& operator+=(Rgb& a, Rgb b) {
  return a = a + b;
}

// A colour from 0xRRGGBB.
constexpr Rgb hex(std::uint32_t rgb) {
  return {float((rgb >> 16) & 0xFF) / 255.0f, float((rgb >> 8) & 0xFF) / 255.0f,
          float(rgb & 0xFF) / 255.0f};
}

inline float clamp01(float v) {
  return std::clamp(v, 0.0f, 1.0f);
}
inline float mix(float a, float b, float t) {
  return a + (b - a) * t;
}
inline Rgb mix(Rgb a, Rgb b, float t) {
  return a + (b - a) * t;
}
inline float smoothstep(float edge0, float edge1, float v) {
  const float t = clamp01((v - edge0) / (edge1 - edge0));
  return t * t * (3 - 2 * t);
}
// A colour from a gradient of evenly spaced stops, t in [0, 1].
Rgb gradient(const std::vector<Rgb>& stops, float t);
// Hue, saturation, value, each in [0, 1].
Rgb hsv(float hue, float saturation, float value);

class Canvas {
 public:
  Canvas(int width, int height, Rgb fill = {});

  int width() const { return width_; }
  int height() const { return height_; }
  Rgb& at(int x, int y) { return pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)]; }
  const Rgb& at(int x, int y) const {
    return pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)];
  }
  // The colour at a point, bilinear, clamped at the edges.
  Rgb sample(float x, float y) const;

  // Every pixel from `shader(x, y)` at n x n points inside it, averaged.
  template <class Shader>
  void shade(int n, Shader shader) {
    const float step = 1.0f / float(n);
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        Rgb sum;
        for (int j = 0; j < n; ++j) {
          for (int i = 0; i < n; ++i) {
            sum += shader(float(x) + (float(i) + 0.5f) * step, float(y) + (float(j) + 0.5f) * step);
          }
        }
        at(x, y) = sum * (step * step);
      }
    }
  }

  // Lays `color(x, y)` over the canvas where `inside(x, y)` holds, each pixel
  // weighted by the share of its n x n sample points inside.
  template <class Inside, class Color>
  void overlay(int n, Inside inside, Color color) {
    const float step = 1.0f / float(n);
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        int covered = 0;
        for (int j = 0; j < n; ++j) {
          for (int i = 0; i < n; ++i) {
            covered +=
                inside(float(x) + (float(i) + 0.5f) * step, float(y) + (float(j) + 0.5f) * step);
          }
        }
        if (covered)
          blend(x, y, color(float(x) + 0.5f, float(y) + 0.5f), float(covered) * step * step);
      }
    }
  }

  // Lays `color` over a pixel with coverage `alpha`; points off the canvas do nothing.
  void blend(int x, int y, Rgb color, float alpha);
  // Adds light: a soft round spot of `radius` pixels (Gaussian).
  void add_glow(float cx, float cy, float radius, Rgb color);
  // A filled disc with an anti-aliased rim.
  void fill_disc(float cx, float cy, float radius, Rgb color, float alpha = 1);
  // A filled triangle, anti-aliased by 4 x 4 coverage sampling.
  void fill_triangle(const float (&x)[3], const float (&y)[3], Rgb color);
  // An anti-aliased line of `thickness` pixels.
  void draw_line(float x0, float y0, float x1, float y1, float thickness, Rgb color,
                 float alpha = 1);

  // The picture mirrored left to right.
  Canvas mirrored() const;
  // The picture with every hue turned by `turn` of a full circle, lightness kept.
  Canvas hue_turned(float turn) const;

  // 24-bit bottom-up Windows bitmap bytes; colours clamped to [0, 1].
  std::vector<std::uint8_t> bmp() const;

 private:
  int width_;
  int height_;
  std::vector<Rgb> pixels_;
};

// Writes bytes to a file; returns an error sentence, empty on success.
std::string write_file(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace showsaver::demo
