#include "demo_show.h"

#include <sstream>

namespace showsaver::demo {

std::vector<DemoScene> demo_scenes() {
  const auto scene = [](const char* picture, const char* effect, const char* sound = "") {
    return DemoScene{picture, effect, 2500, sound, false, 0, 0};
  };
  // The balloons lie over the mountains they were drawn against.
  const auto balloons = [](const char* picture, const char* effect, int left) {
    return DemoScene{picture, effect, 3000, "whoosh", true, left, 70};
  };
  return {
      scene("mountain-dawn", "wipe-bottom"),  // the balloons rise into view
      balloons("balloons", "slide-top", 120),
      scene("lake-sunset", "blinds-down"),
      scene("desert-dunes", "split-horizontal"),
      scene("star-field", "random-tiles", "chimes"),
      scene("aurora", "slide-right", "whoosh"),
      scene("moonlit-sea", "spiral-tiles"),
      scene("neon-horizon", "box-out"),
      scene("penrose-tiling", "pinch-horizontal"),
      scene("mandala", "flip-horizontal", "bell"),
      scene("julia-set", "squeeze-left"),
      scene("sunflower-spiral", "wipe-left", "sparkle"),
      scene("stained-glass", "zoom-in"),
      scene("tumbling-blocks", "push-left"),
      scene("moonlit-sea-2", "split-vertical"),
      scene("mandala-2", "slide-left", "bell"),
      scene("aurora-2", "slide-bottom", "whoosh"),
      scene("julia-set-2", "pinch-vertical"),
      scene("stained-glass-2", "flip-vertical"),
      scene("star-field-2", "squeeze-top", "chimes"),
      scene("lake-sunset-2", "squeeze-right"),
      scene("tumbling-blocks-2", "squeeze-bottom"),
      scene("desert-dunes-2", "wipe-top"),
      scene("sunflower-spiral-2", "wipe-right", "sparkle"),
      scene("neon-horizon-2", "zoom-out"),
      scene("penrose-tiling-2", "shrink-through-black"),
      scene("julia-set-3", "push-right"),
      scene("mountain-dawn-2", "cut"),  // the balloons are there at once
      balloons("balloons-2", "push-top", 600),
      scene("sunflower-spiral-3", "push-bottom"),
  };
}

std::string demo_manifest(const std::vector<DemoScene>& scenes) {
  std::ostringstream out;
  out << "# The demo show, written by demo_maker: every picture, sound and the music\n"
         "# are made by the project's own code.\n\n"
         "[show]\n"
      << "width = " << kShowWidth << "\nheight = " << kShowHeight << "\n"
      << "back_color = \"#000000\"  # also the balloons' transparent colour\n"
         "has_settings = true\n"
         "music = \"music/demo.mid\"\n";
  for (const DemoScene& scene : scenes) {
    out << "\n[[scene]]\npicture = \"pictures/" << scene.picture << ".bmp\"\n"
        << "display_time = " << scene.display_ms << "\n"
        << "effect = \"" << scene.effect << "\"\n";
    if (!scene.sound.empty()) out << "sound = \"sounds/" << scene.sound << ".wav\"\n";
    if (scene.sprite) {
      out << "left = " << scene.left << "\ntop = " << scene.top << "\n"
          << "over_previous = true\ntransparent = true\n";
    }
  }
  return out.str();
}

}  // namespace showsaver::demo
