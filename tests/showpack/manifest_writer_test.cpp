// A written manifest reads back as the values it was written from, what the
// reader fills in by itself included.
#include "showpack/manifest_writer.h"

#include <gtest/gtest.h>

#include <sstream>

#include "showpack/manifest.h"
#include "support/temp_dir.h"

namespace showsaver::showpack {
namespace {

namespace fs = std::filesystem;

// Every value of a manifest, none of the places they were read from.
std::string values_of(const Manifest& m) {
  std::ostringstream out;
  const auto file = [&](const std::optional<ManifestFile>& f) {
    out << (f ? f->path.lexically_normal().string() : "-") << ';';
  };
  const auto name = [&](const ManifestName& n) {
    out << n.text << (n.from_file ? "(file)" : "") << ';';
  };
  const auto maybe = [&](const auto& value) {
    if (value) {
      out << *value << ';';
    } else {
      out << "-;";
    }
  };
  out << m.width << 'x' << m.height << ';' << raw(m.back_color) << ';';
  maybe(m.has_settings);
  maybe(m.title);
  out << (m.fit ? fit_name(*m.fit) : "-") << ';';
  file(m.music);
  name(m.music_name);
  const auto motion = [&](const std::optional<Motion>& value) {
    out << (!value ? "-" : *value == Motion::PanZoom ? "pan-zoom" : "none") << ';';
  };
  out << m.shuffle << ';';
  motion(m.motion);
  for (const ManifestScene& s : m.scenes) {
    out << "\nscene ";
    file(s.picture);
    name(s.picture_name);
    file(s.sound);
    name(s.sound_name);
    out << s.display_time << ';';
    maybe(s.left);
    maybe(s.top);
    out << s.effect << ';' << (s.fit ? fit_name(*s.fit) : "-") << ';' << s.over_previous
        << s.transparent << ';';
    maybe(s.fade_time);
    motion(s.motion);
    maybe(s.motion_seed);
    if (s.motion_path) {
      for (const Rect& r : {s.motion_path->from, s.motion_path->to})
        out << r.left << ',' << r.top << ',' << r.width << ',' << r.height << ';';
    }
  }
  return out.str();
}

ManifestScene scene_of(const fs::path& picture, std::int32_t effect) {
  ManifestScene scene;
  scene.picture = {picture, {}};
  scene.picture_name = {picture.filename().string(), {}, true};
  scene.display_time = 2500;
  scene.effect = effect;
  return scene;
}

TEST(ManifestWriter, WhatIsWrittenReadsBackAsItWas) {
  test::TempDir dir;
  const fs::path folder = dir.path();

  Manifest full;
  full.file = folder / "show.toml";
  full.width = 640;
  full.height = 480;
  full.back_color = ColorRef{0x00336699};
  full.has_settings = false;
  full.title = "Quotes \" and \\ and a\ttab, \u540d\u524d";
  full.fit = Fit::cover;
  full.music = ManifestFile{folder / "music" / "a tune.mid", {}};
  full.music_name = {"stored \"tune\".mid", {}, false};
  ManifestScene placed = scene_of(folder / "pictures" / "\u5199\u771f.png", 29);
  placed.picture_name = {"\u5199\u771f.bmp", {}, false};
  placed.sound = ManifestFile{folder / ".." / "elsewhere" / "cue.wav", {}};
  placed.sound_name = {"cue.wav", {}, true};
  placed.left = -12;
  placed.top = 34;
  placed.fit = Fit::none;
  placed.over_previous = true;
  placed.transparent = true;
  placed.fade_time = 1500;
  placed.motion_path = MotionPath{{-5, 0, 320, 240}, {0, 7, 640, 480}};
  full.shuffle = true;
  full.motion = Motion::PanZoom;
  ManifestScene still = scene_of(folder / "b.bmp", 0);
  still.motion = Motion::None;
  ManifestScene seeded = scene_of(folder / "c.bmp", 0);
  seeded.fade_time = 1;
  seeded.motion = Motion::PanZoom;
  seeded.motion_seed = 0xFFFFFFFF;
  full.scenes = {placed, still, seeded};

  // Only what must be given: the reader fills in the rest, as it was.
  Manifest bare;
  bare.file = folder / "bare.toml";
  bare.width = 1;
  bare.height = 32767;
  bare.scenes = {scene_of(folder / "only.bmp", 7)};

  for (const Manifest* manifest : {&full, &bare}) {
    const std::string text = manifest_text(*manifest, "A heading\n\nover three lines");
    test::write_text_file(manifest->file.string(), text);
    const ManifestResult read = load_manifest(manifest->file);
    ASSERT_TRUE(read.problems.empty()) << read.problems.front().text() << "\n" << text;
    EXPECT_EQ(values_of(read.manifest), values_of(*manifest)) << text;
  }
}

}  // namespace
}  // namespace showsaver::showpack
