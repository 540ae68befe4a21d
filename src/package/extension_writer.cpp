#include "package/extension_writer.h"

#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace showsaver {
namespace {

void write_i32(ByteWriter& out, std::int32_t value) {
  out.u32(static_cast<std::uint32_t>(value));
}

void write_rect(ByteWriter& out, const Rect& rect) {
  write_i32(out, rect.left);
  write_i32(out, rect.top);
  write_i32(out, rect.width);
  write_i32(out, rect.height);
}

std::uint16_t tag_of(const ExtensionRecord& record) {
  return std::visit(
      [](const auto& r) -> std::uint16_t {
        using Record = std::decay_t<decltype(r)>;
        if constexpr (std::is_same_v<Record, OrderRecord>) {
          return static_cast<std::uint16_t>(ExtensionTag::Order);
        } else if constexpr (std::is_same_v<Record, FadeRecord>) {
          return static_cast<std::uint16_t>(ExtensionTag::Fade);
        } else if constexpr (std::is_same_v<Record, PanZoomSeedRecord>) {
          return static_cast<std::uint16_t>(ExtensionTag::PanZoomSeed);
        } else if constexpr (std::is_same_v<Record, PanZoomPathRecord>) {
          return static_cast<std::uint16_t>(ExtensionTag::PanZoomPath);
        } else {
          return r.tag;
        }
      },
      record);
}

void write_payload(ByteWriter& out, const ExtensionRecord& record) {
  std::visit(
      [&](const auto& r) {
        using Record = std::decay_t<decltype(r)>;
        if constexpr (std::is_same_v<Record, OrderRecord>) {
          write_i32(out, static_cast<std::int32_t>(r.order));
        } else if constexpr (std::is_same_v<Record, FadeRecord>) {
          write_i32(out, r.scene);
          write_i32(out, r.duration_ms);
        } else if constexpr (std::is_same_v<Record, PanZoomSeedRecord>) {
          write_i32(out, r.scene);
          out.u32(r.seed);
        } else if constexpr (std::is_same_v<Record, PanZoomPathRecord>) {
          write_i32(out, r.scene);
          write_rect(out, r.start);
          write_rect(out, r.end);
        } else {
          out.append(r.payload);
        }
      },
      record);
}

}  // namespace

void write_show_extension(const ShowExtension& extension, ByteWriter& out) {
  out.append(kExtensionMagic);
  out.u16(kExtensionVersion);
  const std::size_t length_at = out.size();
  out.u32(0);
  for (const ExtensionRecord& record : extension.records) {
    out.u16(tag_of(record));
    const std::size_t record_length_at = out.size();
    out.u32(0);
    write_payload(out, record);
    out.patch_u32(record_length_at, static_cast<std::uint32_t>(out.size() - record_length_at - 4));
  }
  out.patch_u32(length_at, static_cast<std::uint32_t>(out.size() - length_at - 4));
}

}  // namespace showsaver
