// The start's package read and extraction, against references in the same
// run:
//  - extraction throughput against cp -r of the same files, both into the
//    page cache of the same file system (neither waits for the disk);
//  - the package held as the player holds it (mapped once, the arrays
//    pointing into it) against the whole file read into memory and every
//    array copied out of it, as the player did before: time, and the memory
//    each adds at its peak (read, parse, extract), each in a fresh child
//    process.
//
// Usage: showsaver_extract_bench SHOW_FILE WORK_FOLDER [REPETITIONS]
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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

// A field of /proc/self/status in kB (VmRSS, VmHWM).
long status_kb(const std::string& name) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(name + ":", 0) == 0) return std::atol(line.c_str() + name.size() + 1);
  }
  return -1;
}

struct Extraction {
  double read_ms = 0;
  double extract_ms = 0;
  std::string error;
};

// Reads the package from `show` (held, or copied out of a file read whole)
// and extracts it into `folder`.
Extraction read_and_extract(const std::string& show, const std::filesystem::path& folder,
                            bool held) {
  PosixFileSystem files;
  IconvTextCodec codec;
  Extraction result;
  const auto read_start = Clock::now();
  std::optional<Bytes> whole;
  PackageReadResult read;
  if (held) {
    read = read_show_package(files.map_file(show), codec);
  } else {
    whole = files.read_file(show);
    if (whole) read = read_show_package(*whole, codec);
  }
  result.read_ms = ms_since(read_start);
  if (!read.ok()) {
    result.error = read.error ? read.error->message() : "cannot read " + show;
    return result;
  }
  std::filesystem::remove_all(folder);
  std::filesystem::create_directory(folder);
  const auto extract_start = Clock::now();
  const ExtractionResult extracted = extract_show(files, read.package, folder.string() + "/");
  result.extract_ms = ms_since(extract_start);
  result.error = extracted.error;
  return result;
}

// The same in a fresh child process, with the memory it added at its peak.
std::string in_child(const std::string& show, const std::filesystem::path& folder, bool held) {
  int report[2];
  if (pipe(report) != 0) return "";
  const pid_t child = fork();
  if (child == 0) {
    close(report[0]);
    const long before = status_kb("VmRSS");
    const Extraction result = read_and_extract(show, folder, held);
    char line[256];
    const int length = std::snprintf(
        line, sizeof line, "read %6.1f ms, extract %6.1f ms, peak +%6.1f MB%s%s", result.read_ms,
        result.extract_ms, static_cast<double>(status_kb("VmHWM") - before) / 1024.0,
        result.error.empty() ? "" : ": ", result.error.c_str());
    [[maybe_unused]] const ssize_t written =
        write(report[1], line, static_cast<std::size_t>(length));
    _exit(0);
  }
  close(report[1]);
  std::string line;
  char buffer[256];
  for (ssize_t count; (count = read(report[0], buffer, sizeof buffer)) > 0;) {
    line.append(buffer, static_cast<std::size_t>(count));
  }
  close(report[0]);
  waitpid(child, nullptr, 0);
  std::filesystem::remove_all(folder);
  return line;
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
  const std::filesystem::path extracted = work / "extracted";
  const std::filesystem::path copied = work / "copied";

  std::vector<double> extract_times;
  std::vector<double> copy_times;
  std::uintmax_t extracted_bytes = 0;
  for (int i = 0; i < repetitions; ++i) {
    const Extraction result = read_and_extract(show, extracted, true);
    if (!result.error.empty()) {
      std::fprintf(stderr, "%s\n", result.error.c_str());
      return 1;
    }
    extract_times.push_back(result.extract_ms);
    extracted_bytes = 0;
    for (const auto& entry : std::filesystem::directory_iterator(extracted)) {
      extracted_bytes += entry.file_size();
    }
    std::filesystem::remove_all(copied);
    const auto copy_start = Clock::now();
    if (!run({"cp", "-r", extracted.string(), copied.string()})) {
      std::fprintf(stderr, "cp failed\n");
      return 1;
    }
    copy_times.push_back(ms_since(copy_start));
    std::filesystem::remove_all(copied);
  }
  std::filesystem::remove_all(extracted);

  const double megabytes = static_cast<double>(extracted_bytes) / 1e6;
  const double extract_ms = median(extract_times);
  const double copy_ms = median(copy_times);
  std::printf(
      "extraction %.1f MB in %.1f ms (%.0f MB/s); cp -r %.1f ms (%.0f MB/s): %.0f %% of cp\n",
      megabytes, extract_ms, megabytes / extract_ms * 1e3, copy_ms, megabytes / copy_ms * 1e3,
      100.0 * copy_ms / extract_ms);
  std::printf("package held (mapped, arrays in place): %s\n",
              in_child(show, extracted, true).c_str());
  std::printf("file read whole, arrays copied (before): %s\n",
              in_child(show, extracted, false).c_str());
  return 0;
}
