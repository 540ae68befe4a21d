// demo_maker OUT_DIR: draws the demo show's pictures, composes its music,
// synthesises its sounds and writes its manifest, OUT_DIR/demo.toml, last.
// The same bytes every run: every random choice comes from a fixed seed.
#include <algorithm>
#include <atomic>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <thread>
#include <utility>

#include "demo_show.h"
#include "music.h"
#include "pictures.h"
#include "sounds.h"

namespace showsaver::demo {
namespace {

using Painter = std::function<Canvas()>;

std::vector<std::pair<std::string, Painter>> painters() {
  constexpr int w = kShowWidth, h = kShowHeight;
  return {
      {"mountain-dawn", [] { return paint_mountain_dawn(w, h); }},
      {"lake-sunset", [] { return paint_lake_sunset(w, h); }},
      {"desert-dunes", [] { return paint_desert_dunes(w, h); }},
      {"moonlit-sea", [] { return paint_moonlit_sea(w, h); }},
      {"star-field", [] { return paint_star_field(w, h); }},
      {"aurora", [] { return paint_aurora(w, h); }},
      {"neon-horizon", [] { return paint_neon_horizon(w, h); }},
      {"penrose-tiling", [] { return paint_penrose_tiling(w, h); }},
      {"mandala", [] { return paint_mandala(w, h); }},
      {"julia-set", [] { return paint_julia_set(w, h, 0); }},
      {"julia-set-2", [] { return paint_julia_set(w, h, 1); }},
      {"sunflower-spiral", [] { return paint_sunflower_spiral(w, h, 0); }},
      {"sunflower-spiral-2", [] { return paint_sunflower_spiral(w, h, 1); }},
      {"stained-glass", [] { return paint_stained_glass(w, h); }},
      {"tumbling-blocks", [] { return paint_tumbling_blocks(w, h); }},
  };
}

// Paints every picture, on as many threads as there are processors.
std::vector<Canvas> paint_all(const std::vector<std::pair<std::string, Painter>>& list) {
  std::vector<std::optional<Canvas>> results(list.size());
  std::atomic<std::size_t> next{0};
  const auto work = [&] {
    for (std::size_t i = next++; i < list.size(); i = next++) results[i] = list[i].second();
  };
  std::vector<std::jthread> threads;
  for (unsigned t = 1; t < std::max(1u, std::thread::hardware_concurrency()); ++t) {
    threads.emplace_back(work);
  }
  work();
  threads.clear();
  std::vector<Canvas> canvases;
  for (auto& result : results) canvases.push_back(std::move(*result));
  return canvases;
}

// The later rounds' pictures, made from the first round's.
struct Variant {
  const char* name;
  const char* source;
  bool mirror;
  float hue_turn;
};
constexpr Variant kVariants[] = {
    {"mountain-dawn-2", "mountain-dawn", true, 0},
    {"lake-sunset-2", "lake-sunset", true, 0},
    {"desert-dunes-2", "desert-dunes", true, 0},
    {"moonlit-sea-2", "moonlit-sea", true, 0},
    {"star-field-2", "star-field", true, 0},
    {"aurora-2", "aurora", true, 0},
    {"neon-horizon-2", "neon-horizon", false, -0.12f},
    {"penrose-tiling-2", "penrose-tiling", true, 0.4f},
    {"mandala-2", "mandala", false, 0.5f},
    {"julia-set-3", "julia-set", true, 0.3f},
    {"sunflower-spiral-3", "sunflower-spiral", true, 0.75f},
    {"stained-glass-2", "stained-glass", true, 0.33f},
    {"tumbling-blocks-2", "tumbling-blocks", true, 0.5f},
    {"lake-sunset-3", "lake-sunset", false, 0.9f},
    {"aurora-3", "aurora", true, 0.2f},
    {"julia-set-4", "julia-set-2", false, 0.6f},
    {"star-field-3", "star-field", false, 0.5f},
};

int run(const std::filesystem::path& out) {
  std::error_code error;
  for (const char* folder : {"pictures", "sounds", "music"}) {
    std::filesystem::create_directories(out / folder, error);
    if (error) {
      std::cerr << "demo_maker: cannot make " << (out / folder).string() << ": " << error.message()
                << '\n';
      return 1;
    }
  }
  const auto list = painters();
  std::vector<Canvas> painted = paint_all(list);
  std::map<std::string, Canvas> pictures;
  for (std::size_t i = 0; i < list.size(); ++i)
    pictures.emplace(list[i].first, std::move(painted[i]));
  for (const Variant& variant : kVariants) {
    const Canvas& source = pictures.at(variant.source);
    Canvas copy = variant.mirror ? source.mirrored() : source;
    if (variant.hue_turn != 0) copy = copy.hue_turned(variant.hue_turn);
    pictures.emplace(variant.name, std::move(copy));
  }
  const std::vector<DemoScene> scenes = demo_scenes();
  for (std::size_t i = 1; i < scenes.size(); ++i) {
    if (!scenes[i].sprite) continue;
    const Canvas& under = pictures.at(scenes[i - 1].picture);
    pictures.emplace(scenes[i].picture,
                     paint_balloons(under, scenes[i].left, scenes[i].top, 560, 380, hex(0x000000)));
  }

  std::vector<std::pair<std::string, std::vector<std::uint8_t>>> files;
  for (const DemoScene& scene : scenes) {
    files.emplace_back("pictures/" + scene.picture + ".bmp", pictures.at(scene.picture).bmp());
  }
  files.emplace_back("sounds/chimes.wav", wav_file(synthesise_chimes()));
  files.emplace_back("sounds/whoosh.wav", wav_file(synthesise_whoosh()));
  files.emplace_back("sounds/bell.wav", wav_file(synthesise_bell()));
  files.emplace_back("sounds/sparkle.wav", wav_file(synthesise_sparkle()));
  files.emplace_back("music/demo.mid", compose_music());
  const std::string manifest = demo_manifest(scenes);
  files.emplace_back("demo.toml", std::vector<std::uint8_t>(manifest.begin(), manifest.end()));
  for (const auto& [name, bytes] : files) {
    if (std::string problem = write_file((out / name).string(), bytes); !problem.empty()) {
      std::cerr << "demo_maker: " << problem << '\n';
      return 1;
    }
  }
  std::cout << "demo_maker: wrote " << files.size() << " files to " << out.string() << '\n';
  return 0;
}

}  // namespace
}  // namespace showsaver::demo

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: demo_maker OUT_DIR\n";
    return 2;
  }
  return showsaver::demo::run(argv[1]);
}
