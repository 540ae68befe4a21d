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
        << s.transparent;
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
  full.scenes = {placed, scene_of(folder / "b.bmp", 0)};

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
