#include "manifest_source.h"

#include "file_io.h"
#include "manifest.h"
#include "package/package_writer.h"
#include "package_assembly.h"
#include "text_codec.h"

namespace showsaver::showpack {
namespace {

bool report(const std::vector<ManifestProblem>& problems, std::string_view severity,
            std::ostream& messages) {
  for (const ManifestProblem& problem : problems) messages << problem.text(severity) << '\n';
  return !problems.empty();
}

}  // namespace

bool is_manifest_path(std::string_view path) {
  return path.size() >= 5 && path.substr(path.size() - 5) == ".toml";
}

BuiltManifest build_manifest(const std::filesystem::path& file, std::ostream& messages) {
  const ManifestResult manifest = load_manifest(file);
  if (report(manifest.problems, "error", messages)) return {};
  AssemblyResult assembled = assemble_package(manifest.manifest);
  report(assembled.warnings, "warning", messages);
  if (report(assembled.problems, "error", messages)) return {};
  return {std::move(assembled.package), manifest.manifest.title};
}

std::optional<std::vector<std::uint8_t>> show_bytes_of(const std::string& path,
                                                       std::string_view command,
                                                       std::ostream& messages) {
  if (!is_manifest_path(path)) {
    FileRead file = read_whole_file(path);
    if (!file.error) return std::move(file.bytes);
    messages << command << ": error: " << *file.error << '\n';
    return std::nullopt;
  }
  const BuiltManifest built = build_manifest(path, messages);
  if (!built.package) return std::nullopt;
  PackageWriteResult written = write_package_block(*built.package, text_codec());
  if (!written.error) return std::move(written.bytes);
  messages << command << ": error: " << path << ": cannot store " << written.error->message()
           << '\n';
  return std::nullopt;
}

}  // namespace showsaver::showpack
