// Extraction throughput against cp of the same bytes, in the same run: the
// show's files written into a fresh folder by the player's own extraction
// (package held as the player holds it), then the same files copied by cp
// into another fresh folder.  Both write into the page cache of the same
// file system; neither waits for the disk.
//
// Usage: showsaver_extract_bench SHOW_FILE WORK_FOLDER [REPETITIONS]
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "package/extraction.h"
#include "package/package_reader.h"
#include "platform/posix/iconv_text_codec.h"
#include "platform/posix/posix_file_system.h"

extern char** environ;

namespace {

using namespace showsaver;
using Clock = std::chrono::steady_clock;

double ms_since(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

bool run(std::vector<std::string> arguments) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t child = 0;
  if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
  int status = 0;
  return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: showsaver_extract_bench SHOW_FILE WORK_FOLDER [REPETITIONS]\n");
    return 2;
  }
  const std::string show = argv[1];
  const std::filesystem::path work = argv[2];
  const int repetitions = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
  PosixFileSystem files;
  IconvTextCodec codec;

  std::vector<double> read_times;
  std::vector<double> extract_times;
  std::vector<double> copy_times;
  std::uintmax_t extracted_bytes = 0;
  for (int i = 0; i < repetitions; ++i) {
    const auto read_start = Clock::now();
    std::shared_ptr<const FileContents> file = files.map_file(show);
    if (!file) {
      std::fprintf(stderr, "cannot read %s\n", show.c_str());
      return 1;
    }
    const PackageReadResult read = read_show_package(std::move(file), codec);
    read_times.push_back(ms_since(read_start));
    if (!read.ok()) {
      std::fprintf(stderr, "%s\n", read.error->message().c_str());
      return 1;
    }
    const std::filesystem::path extracted = work / "extracted";
    const std::filesystem::path copied = work / "copied";
    std::filesystem::remove_all(extracted);
    std::filesystem::remove_all(copied);
    std::filesystem::create_directory(extracted);
    const auto extract_start = Clock::now();
    const ExtractionResult result = extract_show(files, read.package, extracted.string() + "/");
    extract_times.push_back(ms_since(extract_start));
    if (!result.ok()) {
      std::fprintf(stderr, "%s\n", result.error.c_str());
      return 1;
    }
    extracted_bytes = 0;
    for (const auto& entry : std::filesystem::directory_iterator(extracted)) {
      extracted_bytes += entry.file_size();
    }
    const auto copy_start = Clock::now();
    if (!run({"cp", "-r", extracted.string(), copied.string()})) {
      std::fprintf(stderr, "cp failed\n");
      return 1;
    }
    copy_times.push_back(ms_since(copy_start));
  }
  std::filesystem::remove_all(work / "extracted");
  std::filesystem::remove_all(work / "copied");

  const double megabytes = static_cast<double>(extracted_bytes) / 1e6;
  const double extract_ms = median(extract_times);
  const double copy_ms = median(copy_times);
  std::printf("read_ms=%.1f extract_ms=%.1f cp_ms=%.1f megabytes=%.1f extract_mb_s=%.0f cp_mb_s=%.0f "
              "share_of_cp=%.0f%%\n",
              median(read_times), extract_ms, copy_ms, megabytes, megabytes / extract_ms * 1e3,
              megabytes / copy_ms * 1e3, 100.0 * copy_ms / extract_ms);
  return 0;
}
