// Reads the values of one table of a manifest: each key's type and range,
// the forms a manifest writes times, names, effects and rectangles in, and
// the keys nobody asked for.  Every problem goes into the manifest's result
// with the table's name in front ("scene 3: ...").
#pragma once

#include <toml++/toml.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "manifest.h"

namespace showsaver::showpack {

SourceLocation location_of(const toml::source_region& region);

class TableReader {
 public:
  TableReader(const toml::table& table, std::string context, ManifestResult& result);

  // The table's header.
  SourceLocation where() const;
  void problem(SourceLocation where, const std::string& message);

  // The value of `key`, or nothing (reported when `required`).  Each key
  // looked for is one the table takes.
  const toml::node* find(std::string_view key, bool required);
  // Where `key` was written, or nothing when it was not.
  std::optional<SourceLocation> place_of(std::string_view key) const;

  std::optional<std::int64_t> integer(std::string_view key, std::int64_t min, std::int64_t max,
                                      bool required);
  std::optional<bool> boolean(std::string_view key);
  std::optional<std::string> string(std::string_view key, bool required);
  // A file path, relative to the manifest's folder.
  std::optional<ManifestFile> file(std::string_view key, bool required);
  // The stored name under `key`, else the name of `named_file`, with the
  // bytes to store it as under `bytes_key`.
  ManifestName name(std::string_view key, std::string_view bytes_key,
                    const std::optional<ManifestFile>& named_file);
  // Milliseconds: an integer, or a string with "ms" or "s".
  std::optional<std::int32_t> duration(std::string_view key, bool required);
  // An effect code, or its name.
  std::optional<std::int32_t> effect(std::string_view key);
  std::optional<Fit> fit(std::string_view key);
  std::optional<Motion> motion(std::string_view key);
  // [left, top, width, height], in the bounds the package can store.
  std::optional<Rect> rect(std::string_view key);

  // Every key of the table that no call above asked for.
  void report_unknown_keys();

 private:
  const toml::table& table_;
  std::string context_;
  ManifestResult& result_;
  // The keys this table takes, in the order they are read.
  std::vector<std::string_view> known_;

  std::string unknown_key_message(std::string_view key, const toml::node& node) const;
};

}  // namespace showsaver::showpack
