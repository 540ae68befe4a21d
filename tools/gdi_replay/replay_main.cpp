#include <cstdio>

#include "replay.h"
#include "replay_file.h"

namespace showsaver::gdi_replay {

int replay_main(Gdi& gdi, FileSystem& files, int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: gdi_replay OUTPUT\n");
    return 2;
  }
  std::FILE* file = std::fopen(argv[1], "wb");
  if (file == nullptr) {
    std::fprintf(stderr, "gdi_replay: cannot write %s\n", argv[1]);
    return 1;
  }
  ReplayWriter writer(file);
  int cases = 0;
  const ImageSink sink = [&](const std::string& name, const PixelImage& image) {
    writer.write(name, image);
    ++cases;
  };
  replay_drawing(gdi, sink);
  const bool effects_ended = replay_effects(gdi, sink);
  replay_motion(gdi, files, sink);
  const bool written = std::fclose(file) == 0 && writer.ok();
  if (!written) std::fprintf(stderr, "gdi_replay: writing %s failed\n", argv[1]);
  std::printf("%d cases\n", cases);
  return written && effects_ended ? 0 : 1;
}

}  // namespace showsaver::gdi_replay
