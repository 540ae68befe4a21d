#include "canvas.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "formats/bmp/bmp_encoder.h"

namespace showsaver::demo {

Rgb gradient(const std::vector<Rgb>& stops, float t) {
  const float position = clamp01(t) * float(stops.size() - 1);
  const std::size_t index = std::min(std::size_t(position), stops.size() - 2);
  return mix(stops[index], stops[index + 1], position - float(index));
}

Rgb hsv(float hue, float saturation, float value) {
  const float h = (hue - std::floor(hue)) * 6.0f;
  const auto channel = [&](float offset) {
    const float k = std::fmod(offset + h, 6.0f);
    return value - value * saturation * std::clamp(std::min(k, 4.0f - k), 0.0f, 1.0f);
  };
  return {channel(5), channel(3), channel(1)};
}

Canvas::Canvas(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(std::size_t(width) * std::size_t(height), fill) {}

Rgb Canvas::sample(float x, float y) const {
  x = std::clamp(x, 0.0f, float(width_ - 1));
  y = std::clamp(y, 0.0f, float(height_ - 1));
  const int x0 = std::min(int(x), width_ - 2);
  const int y0 = std::min(int(y), height_ - 2);
  const float fx = x - float(x0);
  const float fy = y - float(y0);
  return mix(mix(at(x0, y0), at(x0 + 1, y0), fx), mix(at(x0, y0 + 1), at(x0 + 1, y0 + 1), fx), fy);
}

void Canvas::blend(int x, int y, Rgb color, float alpha) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  Rgb& pixel = at(x, y);
  pixel = mix(pixel, color, clamp01(alpha));
}

void Canvas::add_glow(float cx, float cy, float radius, Rgb color) {
  const int reach = int(std::ceil(radius * 3));
  for (int y = int(cy) - reach; y <= int(cy) + reach; ++y) {
    for (int x = int(cx) - reach; x <= int(cx) + reach; ++x) {
      if (x < 0 || y < 0 || x >= width_ || y >= height_) continue;
      const float dx = float(x) + 0.5f - cx;
      const float dy = float(y) + 0.5f - cy;
      at(x, y) += color * std::exp(-(dx * dx + dy * dy) / (2 * radius * radius));
    }
  }
}

void Canvas::fill_disc(float cx, float cy, float radius, Rgb color, float alpha) {
  const int reach = int(std::ceil(radius + 1));
  for (int y = int(cy) - reach; y <= int(cy) + reach; ++y) {
    for (int x = int(cx) - reach; x <= int(cx) + reach; ++x) {
      const float distance = std::hypot(float(x) + 0.5f - cx, float(y) + 0.5f - cy);
      blend(x, y, color, alpha * clamp01(radius - distance + 0.5f));
    }
  }
}

void Canvas::fill_triangle(const float (&x)[3], const float (&y)[3], Rgb color) {
  const int left = std::max(0, int(std::floor(std::min({x[0], x[1], x[2]}))));
  const int right = std::min(width_ - 1, int(std::ceil(std::max({x[0], x[1], x[2]}))));
  const int top = std::max(0, int(std::floor(std::min({y[0], y[1], y[2]}))));
  const int bottom = std::min(height_ - 1, int(std::ceil(std::max({y[0], y[1], y[2]}))));
  const float area = (x[1] - x[0]) * (y[2] - y[0]) - (x[2] - x[0]) * (y[1] - y[0]);
  if (area == 0) return;
  const auto inside = [&](float px, float py) {
    for (int i = 0; i < 3; ++i) {
      const int j = (i + 1) % 3;
      const float edge = (x[j] - x[i]) * (py - y[i]) - (y[j] - y[i]) * (px - x[i]);
      if (edge * area < 0) return false;
    }
    return true;
  };
  for (int py = top; py <= bottom; ++py) {
    for (int px = left; px <= right; ++px) {
      int covered = 0;
      for (int j = 0; j < 4; ++j) {
        for (int i = 0; i < 4; ++i) {
          covered += inside(float(px) + (float(i) + 0.5f) / 4, float(py) + (float(j) + 0.5f) / 4);
        }
      }
      if (covered) blend(px, py, color, float(covered) / 16);
    }
  }
}

void Canvas::draw_line(float x0, float y0, float x1, float y1, float thickness, Rgb color,
                       float alpha) {
  const int left = int(std::floor(std::min(x0, x1) - thickness));
  const int right = int(std::ceil(std::max(x0, x1) + thickness));
  const int top = int(std::floor(std::min(y0, y1) - thickness));
  const int bottom = int(std::ceil(std::max(y0, y1) + thickness));
  const float dx = x1 - x0;
  const float dy = y1 - y0;
  const float length_squared = std::max(dx * dx + dy * dy, 1e-6f);
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      const float px = float(x) + 0.5f - x0;
      const float py = float(y) + 0.5f - y0;
      const float t = clamp01((px * dx + py * dy) / length_squared);
      const float distance = std::hypot(px - t * dx, py - t * dy);
      blend(x, y, color, alpha * clamp01(thickness / 2 - distance + 0.5f));
    }
  }
}

Canvas Canvas::mirrored() const {
  Canvas out(width_, height_);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) out.at(width_ - 1 - x, y) = at(x, y);
  }
  return out;
}

Canvas Canvas::hue_turned(float turn) const {
  // A rotation of the chroma plane of YIQ: brightness stays as it was.
  const float c = std::cos(turn * 6.2831853f), s = std::sin(turn * 6.2831853f);
  Canvas out(width_, height_);
  for (std::size_t i = 0; i < pixels_.size(); ++i) {
    const Rgb& p = pixels_[i];
    const float luma = 0.299f * p.r + 0.587f * p.g + 0.114f * p.b;
    const float in_phase = 0.596f * p.r - 0.274f * p.g - 0.322f * p.b;
    const float quadrature = 0.211f * p.r - 0.523f * p.g + 0.312f * p.b;
    const float i2 = in_phase * c - quadrature * s, q2 = in_phase * s + quadrature * c;
    out.pixels_[i] = {luma + 0.956f * i2 + 0.621f * q2, luma - 0.272f * i2 - 0.647f * q2,
                      luma - 1.106f * i2 + 1.703f * q2};
  }
  return out;
}

std::vector<std::uint8_t> Canvas::bmp() const {
  const auto byte = [](float v) { return std::uint32_t(std::lround(clamp01(v) * 255.0f)); };
  PixelImage image{width_, height_, std::vector<std::uint32_t>(pixels_.size())};
  for (std::size_t i = 0; i < pixels_.size(); ++i) {
    const Rgb& pixel = pixels_[i];
    image.pixels[i] = byte(pixel.r) << 16 | byte(pixel.g) << 8 | byte(pixel.b);
  }
  // 24 bits a pixel hold any colours, and the demo's pictures are far below
  // the largest size: the encoder has no reason to refuse.
  return std::get<std::vector<std::uint8_t>>(encode_bmp(image, {.bit_count = 24}));
}

std::string write_file(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  file.close();
  if (!file) return "cannot write " + path + ": " + std::strerror(errno);
  return {};
}

}  // namespace showsaver::demo
