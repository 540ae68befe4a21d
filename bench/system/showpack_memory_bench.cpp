// The peak memory of `showpack build` on a folder of camera-sized photos:
// its resident set at its largest (getrusage of the child), beside the same
// build of one photo and the size of the package written.  Pictures are
// converted one at a time, so the peak should stay near one photo's
// decoding plus the package, not grow with the number of photos.
//
// Usage: showsaver_showpack_memory_bench SHOWPACK WORK_FOLDER [PHOTOS]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// After <cstdio>: the JPEG library's header uses FILE and size_t.
#include <jpeglib.h>

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

// A 4000x3000 colour photo stand-in, different for each `seed`, written a
// row at a time.
void write_photo(const fs::path& path, int seed) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return;
  jpeg_compress_struct jpeg{};
  jpeg_error_mgr errors{};
  jpeg.err = jpeg_std_error(&errors);
  jpeg_create_compress(&jpeg);
  jpeg_stdio_dest(&jpeg, file);
  jpeg.image_width = kWidth;
  jpeg.image_height = kHeight;
  jpeg.input_components = 3;
  jpeg.in_color_space = JCS_RGB;
  jpeg_set_defaults(&jpeg);
  jpeg_set_quality(&jpeg, 85, TRUE);
  jpeg_start_compress(&jpeg, TRUE);
  std::vector<unsigned char> row(kWidth * 3);
  while (jpeg.next_scanline < jpeg.image_height) {
    const int y = int(jpeg.next_scanline);
    for (int x = 0; x < kWidth; ++x) {
      row[std::size_t(x) * 3] = static_cast<unsigned char>((x + seed * 37) / 16);
      row[std::size_t(x) * 3 + 1] = static_cast<unsigned char>((y + seed * 11) / 12);
      row[std::size_t(x) * 3 + 2] = static_cast<unsigned char>((x ^ y) + seed);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&jpeg, rows, 1);
  }
  jpeg_finish_compress(&jpeg);
  jpeg_destroy_compress(&jpeg);
  std::fclose(file);
}

void write_manifest(const fs::path& path, int photos) {
  std::ofstream out(path);
  out << "[show]\nwidth = 1920\nheight = 1080\nfit = \"contain\"\n";
  for (int i = 0; i < photos; ++i) {
    out << "\n[[scene]]\npicture = \"photo-" << i << ".jpg\"\ndisplay_time = 5000\n";
  }
}

struct Run {
  long peak_kib = 0;  // ru_maxrss
  double seconds = 0;
  bool ok = false;
};

Run build(const std::string& showpack, const fs::path& manifest, const fs::path& output) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    execl(showpack.c_str(), showpack.c_str(), "build", manifest.c_str(), "-o", output.c_str(),
          "--package-only", static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  Run run;
  if (child > 0 && wait4(child, &status, 0, &usage) == child) {
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.peak_kib = usage.ru_maxrss;
  }
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return run;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s SHOWPACK WORK_FOLDER [PHOTOS]\n", argv[0]);
    return 2;
  }
  const std::string showpack = argv[1];
  const fs::path work = argv[2];
  const int photos = argc > 3 ? std::max(1, std::atoi(argv[3])) : 30;
  fs::create_directories(work);
  for (int i = 0; i < photos; ++i) write_photo(work / ("photo-" + std::to_string(i) + ".jpg"), i);
  write_manifest(work / "one.toml", 1);
  write_manifest(work / "all.toml", photos);
  const Run one = build(showpack, work / "one.toml", work / "one.pkg");
  const Run all = build(showpack, work / "all.toml", work / "all.pkg");
  if (!one.ok || !all.ok) {
    std::fprintf(stderr, "showpack build failed\n");
    return 1;
  }
  const double package_mib = double(fs::file_size(work / "all.pkg")) / (1 << 20);
  std::printf("showpack build, %dx%d JPEG photos fitted to 1920x1080:\n", kWidth, kHeight);
  std::printf("  %-10s %12s %12s %10s\n", "photos", "peak (MiB)", "package (MiB)", "time (s)");
  std::printf("  %-10d %12.1f %12.1f %10.2f\n", 1, one.peak_kib / 1024.0,
              double(fs::file_size(work / "one.pkg")) / (1 << 20), one.seconds);
  std::printf("  %-10d %12.1f %12.1f %10.2f\n", photos, all.peak_kib / 1024.0, package_mib,
              all.seconds);
  std::printf("  peak beyond one photo's build: %.1f MiB, against a package of %.1f MiB\n",
              (all.peak_kib - one.peak_kib) / 1024.0, package_mib);
  return 0;
}
